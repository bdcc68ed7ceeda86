#include "platform/bmploader.h"

#include "data/fileerror.h"
#include "data/plainfile.h"
#include "platform/imagelimits.h"

#include <climits>
#include <cstdlib>

namespace {
// No view image comes near this; a bigger file is not one of ours.
constexpr qint64 kMaxBitmapBytes = 256LL * 1024 * 1024;

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

quint32 le32(const QByteArray& b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16
        | quint32(uchar(b[at + 3])) << 24;
}

quint16 le16(const QByteArray& b, int at)
{
    return quint16(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

struct Header {
    qint64 offset = 0;         // of the pixel data
    qint64 width = 0;
    qint64 height = 0;         // negative: rows stored top-down
    qint64 bitsPerPixel = 0;
    qint64 compression = Rgb;
    qint64 imageSize = 0;      // of the pixel data, as the header states it
};

bool readHeader(const QByteArray& b, Header* h)
{
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    h->offset = le32(b, 10);
    const quint32 headerSize = le32(b, 14);
    if (headerSize == 12) {   // OS/2 core header
        h->width = le16(b, 18);
        h->height = le16(b, 20);
        h->bitsPerPixel = le16(b, 24);
    } else if (headerSize >= 40 && b.size() >= 54) {
        h->width = qint32(le32(b, 18));
        h->height = qint32(le32(b, 22));
        h->bitsPerPixel = le16(b, 28);
        h->compression = le32(b, 30);
        h->imageSize = le32(b, 34);
    } else {
        return false;
    }
    return h->width > 0 && h->height != 0 && h->offset >= 14 + qint64(headerSize) && h->offset <= b.size();
}

// True when the run-length coded pixel data paints every pixel of every row
// exactly once and ends where the picture ends. Some encoders also code the
// padding that rounds a stored row up to four bytes; that much more is no
// fault. A damaged stream shows up as a row that ends early or runs over, a
// jump, or an end that never comes; the toolkit would draw it anyway, with
// stripes where the rows went astray.
bool isExactRunLengthStream(const uchar* data, qint64 size, qint64 width, qint64 rows, bool fourBits)
{
    const int bits = fourBits ? 4 : 8;
    const qint64 paddedWidth = (width * bits + 31) / 32 * 32 / bits;
    const auto rowIsWhole = [&](qint64 x) { return x >= width && x <= paddedWidth; };
    qint64 x = 0, y = 0;
    for (qint64 i = 0; i + 2 <= size;) {
        const int count = data[i];
        const int code = data[i + 1];
        i += 2;
        if (count > 0) {   // a run of one value (two alternating ones in 4 bits)
            x += count;
            if (y >= rows || x > paddedWidth)
                return false;
            continue;
        }
        switch (code) {
        case 0:   // end of the row: the row must be whole
            if (!rowIsWhole(x))
                return false;
            x = 0;
            ++y;
            break;
        case 1:   // end of the picture: after the last row, whole
            return (y == rows && x == 0) || (y == rows - 1 && rowIsWhole(x));
        case 2:   // a jump leaves pixels unpainted: no view image has one
            return false;
        default: {   // `code` pixels as they are, padded to an even byte count
            const qint64 bytes = fourBits ? (code + 1) / 2 : code;
            i += bytes + (bytes & 1);
            x += code;
            if (i > size || y >= rows || x > paddedWidth)
                return false;
        }
        }
    }
    return false;
}

// True when the bytes hold all the pixel data the headers announce, and
// run-length coded data decodes exactly.
bool isWholeBitmap(const QByteArray& b, const Header& h)
{
    const qint64 rows = h.height < 0 ? -h.height : h.height;
    switch (h.compression) {
    case Rgb:
    case BitFields:
    case AlphaBitFields: {
        const qint64 bpp = h.bitsPerPixel;
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
            return false;
        // Rows as long as 2^31 pixels: compared by division, never multiplied out.
        const qint64 rowBytes = (h.width * bpp + 31) / 32 * 4;
        return rows <= (b.size() - h.offset) / rowBytes;
    }
    case Rle8:
    case Rle4: {
        // Run-length coded rows are always stored bottom-up.
        const bool fourBits = h.compression == Rle4;
        if (h.bitsPerPixel != (fourBits ? 4 : 8) || h.height < 0 || h.imageSize <= 0
            || h.offset + h.imageSize > b.size())
            return false;
        return isExactRunLengthStream(reinterpret_cast<const uchar*>(b.constData()) + h.offset, h.imageSize,
                                      h.width, rows, fourBits);
    }
    default:   // pictures in other formats inside a bitmap
        return false;
    }
}

// The toolkit's bitmap reader takes a picture of at most this many pixels,
// and holds at most QImageReader::allocationLimit() of it in memory.
constexpr qint64 kMaxReaderPixels = 16384LL * 16384;

bool beyondDecodingLimit(const Header& h)
{
    const qint64 rows = h.height < 0 ? -h.height : h.height;
    if (h.width * rows > kMaxReaderPixels)
        return true;
    // It keeps one bit a pixel, one byte with a palette, four without.
    const QImage::Format format = h.bitsPerPixel == 1 ? QImage::Format_Mono
        : h.bitsPerPixel <= 8                          ? QImage::Format_Indexed8
                                                       : QImage::Format_RGB32;
    return exceedsAllocationLimit(QSize(int(h.width), int(rows)), format);
}

QSize pictureSize(const Header& h)
{
    return QSize(int(std::min<qint64>(h.width, INT_MAX)), int(std::min<qint64>(std::abs(h.height), INT_MAX)));
}

// True when every pixel names a colour of the palette: a shorter palette
// than the pixels use leaves them no colour at all.
bool indicesWithinPalette(const QImage& image)
{
    const int colours = image.colorCount();
    if (image.depth() > 8 || colours >= (1 << image.depth()))
        return true;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if ((image.depth() == 8 ? row[x] : image.pixelIndex(x, y)) >= colours)
                return false;
    }
    return true;
}
}

QImage decodeBitmap(const QByteArray& bytes)
{
    Header header;
    if (!readHeader(bytes, &header) || !isWholeBitmap(bytes, header))
        return {};
    const QImage image = QImage::fromData(bytes, "BMP");
    return indicesWithinPalette(image) ? image : QImage();
}

QImage loadBitmapFile(const QString& fileName)
{
    // A pipe or a device would never end; only plain files are pictures.
    const QByteArray bytes = readPlainFile(fileName, kMaxBitmapBytes, "geen geldig beeldbestand",
                                           tooLargeFileText(kMaxBitmapBytes));
    if (Header header; readHeader(bytes, &header) && beyondDecodingLimit(header))
        throw tooLargePictureError(fileName, pictureSize(header));
    const QImage image = decodeBitmap(bytes);
    if (image.isNull())
        throw FileError(fileName.toStdString() + ": beschadigd of geen geldig beeldbestand");
    return image;
}

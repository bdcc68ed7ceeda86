#include "platform/bmploader.h"

#include "data/fileerror.h"
#include "data/plainfile.h"


namespace {
// No view image comes near this; a bigger file is not one of ours.
constexpr qint64 kMaxBitmapBytes = 256LL * 1024 * 1024;

quint32 le32(const QByteArray& b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16
        | quint32(uchar(b[at + 3])) << 24;
}

quint16 le16(const QByteArray& b, int at)
{
    return quint16(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

// True when the bytes hold the whole pixel array the headers announce.
bool isWholeBitmap(const QByteArray& b)
{
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    const qint64 offset = le32(b, 10);
    const quint32 headerSize = le32(b, 14);
    qint64 width = 0, height = 0, bitsPerPixel = 0, compression = 0, imageSize = 0;
    if (headerSize == 12) {   // OS/2 core header
        width = le16(b, 18);
        height = le16(b, 20);
        bitsPerPixel = le16(b, 24);
    } else if (headerSize >= 40 && b.size() >= 54) {
        width = qint32(le32(b, 18));
        height = qint32(le32(b, 22));
        bitsPerPixel = le16(b, 28);
        compression = le32(b, 30);
        imageSize = le32(b, 34);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || offset < 14 + qint64(headerSize) || offset > b.size())
        return false;
    const qint64 rows = height < 0 ? -height : height;
    qint64 pixelBytes = 0;
    if (compression == 0 || compression == 3 || compression == 6) {   // uncompressed, bit fields
        if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16
            && bitsPerPixel != 24 && bitsPerPixel != 32)
            return false;
        pixelBytes = (width * bitsPerPixel + 31) / 32 * 4 * rows;
    } else {
        // Run-length coded: only the header's own size of the data can be checked.
        pixelBytes = imageSize;
        if (pixelBytes <= 0)
            return false;
    }
    return offset + pixelBytes <= b.size();
}
}

QImage decodeBitmap(const QByteArray& bytes)
{
    if (!isWholeBitmap(bytes))
        return {};
    return QImage::fromData(bytes, "BMP");
}

QImage loadBitmapFile(const QString& fileName)
{
    // A pipe or a device would never end; only plain files are pictures.
    const QByteArray bytes =
        readPlainFile(fileName, kMaxBitmapBytes, "geen geldig beeldbestand", "geen geldig beeldbestand");
    const QImage image = decodeBitmap(bytes);
    if (image.isNull())
        throw FileError(fileName.toStdString() + ": beschadigd of geen geldig beeldbestand");
    return image;
}

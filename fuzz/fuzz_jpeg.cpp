// libFuzzer target: the JPEG loader on arbitrary bytes, both the plain decode
// the photo viewer uses and the scan-by-scan decode for progressive display.
#include "platform/jpegloader.h"

#include <QSet>

#include <cstddef>
#include <cstdint>

namespace {
// A decoded picture must be a well-formed indexed image: a grey table of at
// most the requested levels, and no pixel pointing past it.
void checkPicture(const QImage& image, int levels)
{
    if (image.isNull())
        return;
    const int colours = image.colorCount();
    if (image.format() != QImage::Format_Indexed8 || colours < 1 || colours > 256)
        __builtin_trap();
    const QList<QRgb> table = image.colorTable();
    if (QSet<QRgb>(table.begin(), table.end()).size() > levels)
        __builtin_trap();
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (row[x] >= colours)
                __builtin_trap();
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JpegDecodeOptions options;
    // Large claimed sizes are legal; they only slow the search down.
    options.maxPixels = 1 << 20;
    const QImage plain = decodeJpeg(data, qsizetype(size), options);
    checkPicture(plain, options.greyLevels);

    // The progressive path through libjpeg's own quantiser, dithered.
    options.quantiser = JpegQuantiser::Libjpeg;
    options.dither = JpegDither::Ordered;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    int passes = 0;
    const QImage refined = decodeJpegProgressively(bytes, [&](const QImage& picture, int) {
        ++passes;
        checkPicture(picture, options.greyLevels);
    }, options);
    checkPicture(refined, options.greyLevels);
    // Both decodes agree on whether the data is a picture, and on its size.
    if (plain.isNull() != refined.isNull() || plain.size() != refined.size())
        __builtin_trap();
    if (!refined.isNull() && passes < 1)
        __builtin_trap();
    return 0;
}

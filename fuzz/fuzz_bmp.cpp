// libFuzzer target: the bitmap loader's check that a file holds a whole
// picture, run-length coded ones included, on arbitrary bytes.
#include "platform/bmploader.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage image = decodeBitmap(bytes);
    if (image.isNull())
        return 0;
    // What is accepted is the picture its header announces.
    const bool core = qFromLittleEndian<quint32>(data + 14) == 12;
    const qint64 width = core ? qFromLittleEndian<quint16>(data + 18) : qFromLittleEndian<qint32>(data + 18);
    const qint64 height = core ? qFromLittleEndian<quint16>(data + 20) : qFromLittleEndian<qint32>(data + 22);
    if (image.width() != width || image.height() != std::llabs(height))
        __builtin_trap();
    if (decodeBitmap(bytes) != image)
        __builtin_trap();
    return 0;
}

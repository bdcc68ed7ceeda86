#include "platform/imagelimits.h"

#include <QImageReader>

bool exceedsAllocationLimit(QSize size, QImage::Format format)
{
    const int limitMegabytes = QImageReader::allocationLimit();
    if (limitMegabytes <= 0 || size.isEmpty())
        return false;
    const qint64 bytesPerLine = (qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    return bytesPerLine * size.height() > qint64(limitMegabytes) * 1024 * 1024;
}

FileError tooLargePictureError(const QString& fileName, QSize size)
{
    return FileError(fileName.toStdString() + ": het beeld is te groot om te tonen (" + std::to_string(size.width())
                     + " bij " + std::to_string(size.height()) + " beeldpunten)");
}

std::string tooLargeFileText(qint64 limit)
{
    return "dit bestand is te groot voor een beeld (meer dan " + std::to_string(limit / (1024 * 1024)) + " MB)";
}

#include "platform/imagefile.h"

#include "data/fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

QImage loadImageFile(const QString& fileName)
{
    const std::string name = fileName.toStdString();
    // A directory or a pipe by that name holds no picture, and opening a pipe
    // would wait for a writer.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw FileError(name + ": geen gewoon bestand");
    std::FILE* file = std::fopen(QFile::encodeName(fileName).constData(), "rb");
    if (!file)
        throw FileError::fromErrno(name, errno);
    std::fclose(file);
    QImage image(fileName);
    if (image.isNull())
        throw FileError(name + ": geen geldig beeldbestand");
    return image;
}

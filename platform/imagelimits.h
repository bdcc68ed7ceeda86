#pragma once
#include <QImage>
#include <QSize>
#include <QString>
#include <string>

#include "data/fileerror.h"

// True when an image of this size and format is more than the toolkit's image
// reader will hold in memory (QImageReader::allocationLimit()): it refuses to
// decode it.
bool exceedsAllocationLimit(QSize size, QImage::Format format);

// "<file>: het beeld is te groot om te tonen (<w> bij <h> beeldpunten)", for a
// picture that is whole but larger than the program can hold.
FileError tooLargePictureError(const QString& fileName, QSize size);

// The text for a picture file larger than `limit` bytes.
std::string tooLargeFileText(qint64 limit);

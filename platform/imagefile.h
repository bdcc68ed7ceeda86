#pragma once
#include <QImage>
#include <QString>

// Loads a picture file (BMP and the other formats the toolkit reads). Throws
// FileError with the system's error text when the file cannot be opened, or
// saying that it holds no picture.
QImage loadImageFile(const QString& fileName);

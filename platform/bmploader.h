#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Loads a Windows bitmap (".bmp") whole or not at all. The toolkit's own reader
// accepts a file that is cut short and fills the missing rows with black;
// here the file must hold every row its header announces.
//
// A file that cannot be read throws FileError with the system's error text;
// one that is not a whole, valid bitmap throws FileError saying so.
QImage loadBitmapFile(const QString& fileName);

// The same check on bytes already read: null when they are not a whole bitmap.
QImage decodeBitmap(const QByteArray& bytes);

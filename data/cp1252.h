#pragma once
#include <QByteArray>
#include <QString>

// Names and texts on disk are Windows-1252 bytes; these convert at the file
// boundary. Characters outside the code page become '?'.
QString fromCp1252(const char* bytes, int length);
inline QString fromCp1252(const QByteArray& bytes) { return fromCp1252(bytes.constData(), int(bytes.size())); }
QByteArray toCp1252(const QString& text);
// True when every character of the text has a Windows-1252 byte.
bool isCp1252(const QString& text);
// The text with every character outside Windows-1252 reduced to its base
// letter (Č to C, Ł to L); characters without one (an emoji) are left out.
QString transliterateToCp1252(const QString& text);

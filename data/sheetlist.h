#pragma once
#include <QString>
#include <QStringList>
#include <stdexcept>

// The list of the printed atlas's map sheets: a text file in Windows-1252, one
// entry per line, each beginning with the sheet number and a "." ("12. Plato").

// The lines of the file, in order. A file that is missing or unreadable, is
// not a regular file, or is too large for a sheet list throws FileError.
QStringList readSheetList(const QString& fileName);

// A text that should have been a number and is not.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);
};

// The sheet number of an entry: the decimal number before its first ".".
// Anything else there, or no "." at all, throws ConversionError.
int sheetNumber(const QString& entry);

#pragma once
#include <QByteArray>
#include <QString>
#include <string>

// Reads a plain file whole, the way every reader of the program does: opened
// without waiting, so that a pipe of that name cannot hold the program up; a
// pipe, device or folder is refused with `notPlain`; a file larger than
// `limit` bytes is refused with `tooLarge`, or, when `tooLarge` is empty, read
// only as far as `limit`. Messages read "<file>: <text>"; errors of the system
// carry its own text. A missing file sets *missing and gives no bytes when
// `missing` is given, and is an error otherwise; a file whose folder is gone
// (deleted while the program works in it) is always an error that names the
// folder.
QByteArray readPlainFile(const QString& fileName, qint64 limit, const std::string& notPlain,
                         const std::string& tooLarge, bool* missing = nullptr);

// "<file>: de map <folder> bestaat niet meer" when the folder that holds the
// file was deleted (the program's working folder included, which the system
// keeps for it until it ends); empty while the folder exists.
std::string missingFolderError(const QString& fileName);

#pragma once
#include <QString>
#include <QStringList>

// What a feature's name tells about it: its kind and its photograph.

// A one-word name, alone or followed by a blank and "*".
bool isCraterName(const QString& name);
// The words of large areas, in the order their markers are drawn.
const QStringList& largeAreaWords();
bool hasPhotographMark(const QString& name);
// The name up to the second character before the first "*", then ".jpg".
QString photographFileName(const QString& name);
// True for a plain file name in the current directory: not empty, no path
// separator, not "." or "..", no parent reference. Names come from index files,
// which a user can edit or receive, so they never lead outside the directory.
bool isBareFileName(const QString& fileName);
// A file name up to, not including, its first ".".
QString fileBaseName(const QString& fileName);

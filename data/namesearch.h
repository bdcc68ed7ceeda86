#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// Finding features by any part of their name, as a reader types it: case and
// accents do not count. The names are folded once; each keystroke then only
// folds what was typed and looks for it in them.

// "Linné" -> "linne", "Ørsted" -> "orsted", a no-break space -> a blank.
QString foldedForSearch(const QString& text);

// The indexes of the folded names that hold every word of the query (a word
// anywhere in the name, in any order), in the order of the names. A query
// without words finds nothing.
std::vector<int> namesMatching(const QStringList& foldedNames, const QString& query);

#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class FeatureTable;

// What the index lists show: names in alphabetical order, and the lines of the
// total index, a name followed by the tag of its view.

// Alphabetical order as a Dutch reader expects it: case and accents ignored
// (they only order names otherwise equal), a no-break space read as a blank,
// numbers by their value; equal names keep their order. Gives the indexes of
// the names in that order.
std::vector<int> alphabeticalOrder(const QStringList& names);
void sortAlphabetically(QStringList& names);

// The three views as the total index tags them, in the order their files are
// read; the numbers are those of the view switch (0 first quarter, 1 full
// moon, 2 last quarter).
struct ViewTag {
    const char* tag;         // "[ek]"
    const char* indexFile;   // "maan_ek.dat"
};
constexpr int ViewCount = 3;
extern const ViewTag viewTags[ViewCount];

// The name, three blanks and the view's tag.
QString totalIndexLine(const QString& name, int view);

// A line split into its name and its view (-1 when the line ends in no known
// tag). The tag is the last four characters, so a name may itself contain "["
// or end in blanks.
struct TotalIndexEntry {
    QString name;
    int view = -1;
};
TotalIndexEntry splitTotalIndexLine(const QString& line);

// The slots whose name is exactly `name` (case-sensitive), in slot order. All
// 800 slots are looked at: every name a list shows can be picked, also one
// stored after an empty slot.
std::vector<int> slotsNamed(const FeatureTable& table, const QString& name);

// What the total index lists: every feature, those with a photograph, or the
// landing sites. None before the first command that opens it.
enum class TotalIndexMode { None, All, Landings, Photos };
bool listedInMode(TotalIndexMode mode, const QString& name);

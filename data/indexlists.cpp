#include "data/indexlists.h"

#include "data/featurenames.h"
#include "data/featuretable.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace {
const QLatin1String tagSeparator("   ");

// Dutch alphabetical order as the locale's collation gives it: case and
// accents count only between names that are otherwise equal, a no-break space
// is a blank, "æ" sorts as "ae" and "ß" as "ss", and numbers in names go by
// their value (Luna 2 before Luna 13).
const QCollator& dutchCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Dutch, QLocale::Netherlands));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return collator;
}
}

const ViewTag viewTags[ViewCount] = {
    {"[ek]", "maan_ek.dat"},
    {"[vm]", "maan_vm.dat"},
    {"[lk]", "maan_lk.dat"},
};

std::vector<int> alphabeticalOrder(const QStringList& names)
{
    // A key a name, made once: comparing keys is a byte comparison.
    const QCollator& collator = dutchCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(names.size()));
    for (const QString& n : names)
        keys.push_back(collator.sortKey(n));
    std::vector<int> order(std::size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0; });
    return order;
}

void sortAlphabetically(QStringList& names)
{
    QStringList sorted;
    sorted.reserve(names.size());
    for (int i : alphabeticalOrder(names))
        sorted.append(names[i]);
    names.swap(sorted);
}

QString totalIndexLine(const QString& name, int view)
{
    return name + tagSeparator + QLatin1String(viewTags[view].tag);
}

TotalIndexEntry splitTotalIndexLine(const QString& line)
{
    TotalIndexEntry entry;
    const int nameLength = int(line.size()) - 4 - int(tagSeparator.size());
    if (nameLength < 0 || QStringView(line).mid(nameLength, tagSeparator.size()) != tagSeparator)
        return entry;
    const QStringView tag = QStringView(line).right(4);
    for (int v = 0; v < ViewCount; ++v)
        if (tag == QLatin1String(viewTags[v].tag)) {
            entry.view = v;
            entry.name = line.left(nameLength);
        }
    return entry;
}

std::vector<int> slotsNamed(const FeatureTable& table, const QString& name)
{
    std::vector<int> found;
    for (int i = 1; i <= FeatureTableSize; ++i) {
        const FeatureRecord& r = table.slot(i);
        if (r.inUse() && r.name() == name)
            found.push_back(i);
    }
    return found;
}

bool listedInMode(TotalIndexMode mode, const QString& name)
{
    switch (mode) {
    case TotalIndexMode::All: return !name.isEmpty();
    case TotalIndexMode::Photos: return hasPhotographMark(name);
    case TotalIndexMode::Landings: return name.contains(QLatin1String("Landing"));
    case TotalIndexMode::None: break;
    }
    return false;
}

#include "data/namesearch.h"

namespace {
// Letters that do not fall apart into a letter and an accent, read as a
// reader without them on the keyboard would type them.
QString plainSpelling(QChar c)
{
    switch (c.unicode()) {
    case 0x00C6: case 0x00E6: return QStringLiteral("ae");   // Æ æ
    case 0x0152: case 0x0153: return QStringLiteral("oe");   // Œ œ
    case 0x00D8: case 0x00F8: return QStringLiteral("o");    // Ø ø
    case 0x00DF: return QStringLiteral("ss");                // ß
    case 0x0141: case 0x0142: return QStringLiteral("l");    // Ł ł
    case 0x0110: case 0x0111: case 0x00D0: case 0x00F0: return QStringLiteral("d");
    case 0x00DE: case 0x00FE: return QStringLiteral("th");   // Þ þ
    case 0x0131: return QStringLiteral("i");                 // dotless i
    default: return QString(c);
    }
}

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
}

QString foldedForSearch(const QString& text)
{
    if (isAscii(text))
        return text.toLower();
    // Compatibility decomposition splits "é" into "e" and its accent, and
    // turns a no-break space into a blank; the accents are then left out.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.isMark())
            continue;
        if (c.isSpace())
            folded.append(QLatin1Char(' '));
        else
            folded.append(plainSpelling(c));
    }
    return folded.toCaseFolded();
}

std::vector<int> namesMatching(const QStringList& foldedNames, const QString& query)
{
    std::vector<int> found;
    const QStringList words = foldedForSearch(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return found;
    for (int i = 0; i < foldedNames.size(); ++i) {
        const QString& name = foldedNames[i];
        bool all = true;
        for (const QString& w : words)
            if (!name.contains(w)) {
                all = false;
                break;
            }
        if (all)
            found.push_back(i);
    }
    return found;
}

#include "data/featurenames.h"

bool isCraterName(const QString& name)
{
    const qsizetype blank = name.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return true;
    return blank + 1 < name.size() && name.at(blank + 1) == QLatin1Char('*');
}

const QStringList& largeAreaWords()
{
    static const QStringList words{"Mare", "Lacus", "Ocean", "Sinus", "Palus"};
    return words;
}

bool hasPhotographMark(const QString& name)
{
    return name.contains(QLatin1Char('*'));
}

QString photographFileName(const QString& name)
{
    const qsizetype star = name.indexOf(QLatin1Char('*'));
    const qsizetype length = star < 0 ? name.size() : qMax<qsizetype>(0, star - 1);
    return name.left(length) + QStringLiteral(".jpg");
}

bool isBareFileName(const QString& fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        return false;
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')))
        return false;
    if (fileName.contains(QLatin1String("..")))
        return false;
    return !fileName.contains(QChar(0));
}

QString fileBaseName(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

#include "data/sheetlist.h"

#include "data/cp1252.h"
#include "data/fileerror.h"
#include "data/plainfile.h"


namespace {
// 76 sheets with their titles take about a kilobyte.
constexpr qint64 MaxSheetListSize = 1024 * 1024;
}

QStringList readSheetList(const QString& fileName)
{
    const QByteArray bytes =
        readPlainFile(fileName, MaxSheetListSize, "geen gewoon bestand", "te groot voor een lijst van kaarten");
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(fromCp1252(bytes.constData() + start, int(stop - start)));
        start = end + 1;
    }
    return lines;
}

ConversionError::ConversionError(const QString& text)
    : std::runtime_error((QLatin1Char('\'') + text + QStringLiteral("' is geen geldig geheel getal"))
                             .toLocal8Bit()
                             .toStdString())
{
}

int sheetNumber(const QString& entry)
{
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    if (dot < 0)
        throw ConversionError(entry);
    const QString text = entry.left(dot);
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw ConversionError(text);
    return n;
}

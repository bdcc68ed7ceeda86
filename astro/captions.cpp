#include "astro/captions.h"

#include "data/numbertext.h"

#include <QDate>
#include <QRegularExpression>

QString viewName(const QString& imageFileName)
{
    if (imageFileName == QLatin1String("maan_ek.bmp"))
        return QStringLiteral("Eerste kwartier (wassende maan)");
    if (imageFileName == QLatin1String("maan_vm.bmp"))
        return QStringLiteral("Volle maan");
    if (imageFileName == QLatin1String("maan_lk.bmp"))
        return QStringLiteral("Laatste kwartier (afnemende maan)");
    return QString();
}

namespace {
// Whole kilometres from 100 km on, one decimal below that, and below 1 km
// three significant digits, as the scale panel has them.
QString scaleNumber(double km)
{
    if (km >= 100)
        return numberText(km, 15, 0);
    if (km >= 1)
        return numberText(km, 3, 1);
    return distanceText(km, 3);
}
}

QStringList viewCaption(const QString& imageFileName, const DateFields& date, double kmPerUnit, ScaleUnit unit)
{
    QStringList lines;
    lines << QStringLiteral("Topografie van de maan: ") + viewName(imageFileName);
    QString day = QString::number(date.day) + QLatin1Char('-') + QString::number(date.month) + QLatin1Char('-')
                + QString::number(date.year);
    const QDate d(date.year, date.month, date.day);
    if (d.isValid())
        day = dayName(d.dayOfWeek() % 7 + 1) + QLatin1Char(' ') + day;
    lines << QStringLiteral("Datum: ") + day + QStringLiteral(", ") + QString::number(date.hour) + QStringLiteral(" uur");
    const QString per = unit == ScaleUnit::Centimetre ? QStringLiteral("1 cm") : QStringLiteral("1 beeldpunt");
    lines << QStringLiteral("Schaal bij maancentrum: ") + per + QStringLiteral(" = ") + scaleNumber(kmPerUnit)
                 + QStringLiteral(" km");
    return lines;
}

QStringList photoCaption(const QString& title, const QString& explanation)
{
    QStringList lines{title};
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n|\\x{2029}|\\x{2028}"));
    for (const QString& line : explanation.split(lineBreak)) {
        const QString text = line.trimmed();
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

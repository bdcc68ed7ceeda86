#include "tools/atlasgen/gazetteer.h"

#include "data/cp1252.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

QList<GazetteerEntry> readGazetteer(const QString& file, QString* error)
{
    QList<GazetteerEntry> out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file + QStringLiteral(": ") + f.errorString();
        return out;
    }
    static const QRegularExpression nameField(QStringLiteral("^_\\(\"(.*)\",\"(.*)\"\\)$"));
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QString comment;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('#'))) {
            static const QString prefix = QStringLiteral("# TRANSLATORS: (Moon); ");
            comment = line.startsWith(prefix) ? line.mid(prefix.size()).trimmed() : QString();
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 7 || fields[0] != QLatin1String("Moon")) {
            comment.clear();
            continue;
        }
        const auto match = nameField.match(fields[2]);
        bool okLat = false, okLon = false, okD = false;
        GazetteerEntry e;
        e.latitude = fields[4].toDouble(&okLat);
        e.longitude = fields[5].toDouble(&okLon);
        e.diameterKm = fields[6].toDouble(&okD);
        if (!match.hasMatch() || !okLat || !okLon || !okD || std::abs(e.latitude) > 90) {
            comment.clear();
            continue;
        }
        e.iauName = match.captured(1);
        e.typeCode = fields[3];
        while (e.longitude > 180)
            e.longitude -= 360;
        while (e.longitude <= -180)
            e.longitude += 360;
        e.origin = comment;
        comment.clear();
        out.append(e);
    }
    return out;
}

QString atlasName(const QString& iauName, bool crater)
{
    static const QRegularExpression parenthesised(QStringLiteral("\\s*\\([^)]*\\)"));
    QString name = iauName;
    name.remove(parenthesised);
    name = name.simplified();
    QString out = transliterateToCp1252(name);
    if (crater)
        out.replace(QLatin1Char(' '), QChar(0x00A0));
    return out;
}

QString plainName(const QString& name)
{
    QString out = name;
    out.replace(QChar(0x00A0), QLatin1Char(' '));
    return out;
}

bool isRequiredKind(const QString& code)
{
    static const QStringList codes{"ME", "OC", "LC", "SI", "PA", "MO", "RU", "RI", "CA", "VA", "PR", "DO", "AL"};
    return codes.contains(code);
}

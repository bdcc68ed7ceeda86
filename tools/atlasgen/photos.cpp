#include "tools/atlasgen/photos.h"

#include "astro/projection.h"
#include "tools/atlasgen/atlas.h"
#include "tools/atlasgen/jpegio.h"
#include "tools/atlasgen/render.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {
constexpr int PhotoWidth = 800;
constexpr int PhotoHeight = 600;
constexpr int PhotoQuality = 85;
// The low sun stands higher over a wide frame, so that the night side does
// not swallow most of it.
double lowSunElevation(double frameWidthKm)
{
    const double halfWidthDegrees = frameWidthKm / 2.0 / MoonRadiusKm * RadToDeg;
    return std::clamp(0.55 * halfWidthDegrees, 7.0, 20.0);
}
// The main photograph's sun: high enough that the albedo reads as at full
// moon, low enough that walls and slopes still show.
constexpr double MainSunElevation = 27.0;
constexpr double SynodicMonthDays = 29.530589;

QString decimal(double v, int decimals)
{
    return QString::number(v, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// The sun whose elevation at the site is `elevation` degrees, standing east
// (morning) or west (evening) of it; the subsolar point stays on the equator,
// so near the poles the sun cannot climb higher than the site allows.
Sun siteSun(double latitude, double longitude, double elevation, bool morning)
{
    const double c = std::sin(elevation * DegToRad) / std::max(1e-6, std::cos(latitude * DegToRad));
    const double offset = c >= 1.0 ? 0.0 : std::acos(c) * RadToDeg;
    return Sun{0.0, longitude + (morning ? offset : -offset)};
}

double normalisedLongitude(double longitude)
{
    longitude = std::fmod(longitude, 360.0);
    if (longitude > 180.0)
        longitude -= 360.0;
    if (longitude <= -180.0)
        longitude += 360.0;
    return longitude;
}

double siteElevation(const Sun& sun, double latitude, double longitude)
{
    return std::asin(std::clamp(surfaceUp(sun.latitude, sun.longitude).dot(surfaceUp(latitude, longitude)), -1.0, 1.0))
           * RadToDeg;
}

QString dutchKind(const GazetteerEntry& e)
{
    const QString& c = e.typeCode;
    if (c == QLatin1String("AA")) return QStringLiteral("krater");
    if (c == QLatin1String("ME")) return QStringLiteral("maanzee (mare)");
    if (c == QLatin1String("OC")) return QStringLiteral("oceaan (oceanus)");
    if (c == QLatin1String("LC")) return QStringLiteral("meer (lacus)");
    if (c == QLatin1String("SI")) return QStringLiteral("baai (sinus)");
    if (c == QLatin1String("PA")) return QStringLiteral("moeras (palus)");
    if (c == QLatin1String("MO"))
        return e.iauName.startsWith(QLatin1String("Montes")) ? QStringLiteral("gebergte (montes)")
                                                             : QStringLiteral("berg (mons)");
    if (c == QLatin1String("RU")) return QStringLiteral("steilrand (rupes)");
    if (c == QLatin1String("RI"))
        return e.iauName.startsWith(QLatin1String("Rimae")) ? QStringLiteral("groep geulen (rimae)")
                                                            : QStringLiteral("geul (rima)");
    if (c == QLatin1String("CA")) return QStringLiteral("kraterketen (catena)");
    if (c == QLatin1String("VA")) return QStringLiteral("dal (vallis)");
    if (c == QLatin1String("PR")) return QStringLiteral("kaap (promontorium)");
    return QStringLiteral("oppervlaktevorm");
}

QString dutchSize(const GazetteerEntry& e)
{
    static const QStringList linear{"RI", "RU", "VA", "CA"};
    const QString km = QString::number(qRound(e.diameterKm)) + QStringLiteral(" km");
    if (e.typeCode == QLatin1String("AA"))
        return QStringLiteral("Middellijn: ") + km;
    if (linear.contains(e.typeCode))
        return QStringLiteral("Lengte: ") + km;
    if (e.typeCode == QLatin1String("MO") || e.typeCode == QLatin1String("PR"))
        return QStringLiteral("Afmeting: ") + km;
    return QStringLiteral("Middellijn: ongeveer ") + km;
}

// A round length of about a fifth of the frame.
double scaleBarKm(double frameWidthKm)
{
    double best = 1;
    for (double v : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0})
        if (v <= frameWidthKm / 5.0)
            best = v;
    return best;
}

void drawMarks(QImage* photo, double kmPerPixel)
{
    QImage canvas = photo->convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, true);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        const QColor light(240, 240, 240), dark(15, 15, 15);

        const double km = scaleBarKm(PhotoWidth * kmPerPixel);
        const double length = km / kmPerPixel;
        const QRectF bar(20, PhotoHeight - 26, length, 5);
        p.setPen(QPen(dark, 2));
        p.setBrush(light);
        p.drawRect(bar);
        QPainterPath label;
        label.addText(20, PhotoHeight - 33, font, QString::number(km) + QStringLiteral(" km"));

        // North mark in the top right corner: an arrow with an N above it.
        const double ax = PhotoWidth - 30, top = 36, bottom = 76;
        QPainterPath arrow;
        arrow.moveTo(ax, top);
        arrow.lineTo(ax + 7, top + 14);
        arrow.lineTo(ax + 2, top + 12);
        arrow.lineTo(ax + 2, bottom);
        arrow.lineTo(ax - 2, bottom);
        arrow.lineTo(ax - 2, top + 12);
        arrow.lineTo(ax - 7, top + 14);
        arrow.closeSubpath();
        label.addText(ax - 5, top - 6, font, QStringLiteral("N"));
        for (const QPainterPath& path : {label, arrow}) {
            p.strokePath(path, QPen(dark, 3));
            p.fillPath(path, light);
        }
    }
    *photo = canvas.convertToFormat(QImage::Format_Grayscale8);
}

// Where the sun of an extra photograph stands over the feature, and so when
// that light falls there.
QString lowSunLine(double elevation, bool morning)
{
    const int degrees = qRound(std::abs(elevation));
    const QString side = morning ? QStringLiteral("oostelijke") : QStringLiteral("westelijke");
    const QString from = morning ? QStringLiteral("rechts") : QStringLiteral("links");
    if (degrees >= 1 && elevation > 0)
        return morning ? QStringLiteral("De zon staat %1° boven de oostelijke horizon; het licht valt op deze foto "
                                        "van rechts in. Zo ziet u deze plek kort nadat de terminator, de grens "
                                        "tussen dag en nacht, er bij wassende maan overheen is getrokken: het is "
                                        "hier vroeg in de ochtend.")
                             .arg(degrees)
                       : QStringLiteral("De zon staat %1° boven de westelijke horizon; het licht valt op deze foto "
                                        "van links in. Zo ziet u deze plek bij afnemende maan, kort voordat de "
                                        "terminator er overheen trekt en de lange maannacht begint.")
                             .arg(degrees);
    const QString where = degrees < 1 ? QStringLiteral("In het midden van deze foto staat de zon precies op de %1 "
                                                       "horizon")
                                            .arg(side)
                                      : QStringLiteral("In het midden van deze foto staat de zon %1° onder de %2 "
                                                       "horizon")
                                            .arg(degrees)
                                            .arg(side);
    return where
           + (morning ? QStringLiteral(", en het licht valt van %1 in. De terminator, de grens tussen dag en nacht, "
                                       "trekt hier bij wassende maan juist overheen: alleen wat hoog ligt of naar de "
                                       "zon toe helt, vangt al licht.")
                      : QStringLiteral(", en het licht valt van %1 in. De terminator, de grens tussen dag en nacht, "
                                       "trekt hier bij afnemende maan juist overheen: alleen wat hoog ligt of naar de "
                                       "zon toe helt, vangt nog licht."))
                 .arg(from);
}

// A brightness above 1 rolls off towards white instead of clipping.
float shoulder(float v)
{
    const float knee = 0.8f;
    return v <= knee ? v : knee + (1.f - knee) * (1.f - std::exp(-(v - knee) / (1.f - knee)));
}

QString plainText(QString s)
{
    return s.simplified();
}

bool isLinearKind(const QString& code)
{
    static const QStringList codes{"RI", "RU", "VA", "CA", "DO"};
    return codes.contains(code);
}

// What binoculars (about 10 x 50) and telescopes of 60 and 150 mm show of a
// feature, from its kind and size: at the Moon's distance 1 km is about half
// an arcsecond, so 10 x binoculars show little under 10 to 20 km, 60 mm about
// 4 km and 150 mm, as the air allows, about 2 km. Long, narrow features are
// seen by their width, which the gazetteer does not give: the photo table
// says those.
QString generatedInstruments(const GazetteerEntry& e, const QString& title)
{
    const QString& c = e.typeCode;
    const double km = e.diameterKm;
    // Near the limb a feature is foreshortened and seen well only when the
    // libration turns it towards us.
    const bool limb = std::cos(e.latitude * DegToRad) * std::cos(e.longitude * DegToRad) < 0.35;
    const QString limbNote = QStringLiteral("%1 is alleen bij gunstige libratie goed te zien, sterk verkort; ");
    QString clause;
    if (c == QLatin1String("AA") && limb) {
        clause = limbNote
                 + (km >= 60 ? QStringLiteral("een verrekijker toont de krater dan als een smalle ring, een telescoop "
                                              "van 60 mm de wal en de bodem, en een van 150 mm ook kraters en heuvels "
                                              "van een paar kilometer")
                             : QStringLiteral("een verrekijker toont de krater dan hooguit als een streepje, en een "
                                              "telescoop van 60 of 150 mm als een smalle ellips met schaduw"));
    } else if (c == QLatin1String("AA")) {
        clause = km >= 60   ? QStringLiteral("een verrekijker toont %1 dan al als een ring met schaduw, een telescoop "
                                             "van 60 mm de wal en de bodem, en een van 150 mm ook kraters en heuvels "
                                             "van een paar kilometer")
                 : km >= 25 ? QStringLiteral("in een verrekijker is %1 een klein ringetje, een telescoop van 60 mm "
                                             "toont de wal met zijn schaduw, en een van 150 mm ook details van een "
                                             "paar kilometer")
                 : km >= 10 ? QStringLiteral("een verrekijker toont %1 hooguit als een stipje, een telescoop van 60 mm "
                                             "als een kleine krater met schaduw, en een van 150 mm de vorm van de wal")
                            : QStringLiteral("een verrekijker toont %1 niet, een telescoop van 60 mm als een putje, en "
                                             "een van 150 mm de kraterwal");
    } else if (QStringList{"ME", "OC", "LC", "SI", "PA"}.contains(c)) {
        clause = limb        ? limbNote + QStringLiteral("een verrekijker toont dan een smalle donkere strook langs de "
                                                         "rand, en een telescoop van 60 of 150 mm ook de kraters erin")
                 : km >= 250 ? QStringLiteral("%1 ziet u al met het blote oog als een donkere vlek; een verrekijker "
                                              "toont de kraters aan de rand, en een telescoop van 60 of 150 mm bij lage "
                                              "zon ook kleine kraters en, waar ze er zijn, lage ruggen op de lava")
                             : QStringLiteral("een verrekijker toont %1 als een kleine donkere vlek, en een telescoop "
                                              "van 60 of 150 mm bij lage zon ook kleine kraters en, waar ze er zijn, "
                                              "lage ruggen op de lava");
    } else if (c == QLatin1String("MO") && e.iauName.startsWith(QLatin1String("Montes"))) {
        clause = QStringLiteral("een verrekijker toont %1 als een lichte keten met schaduwen, een telescoop van 60 mm "
                                "afzonderlijke toppen, en een van 150 mm ook de dalen ertussen");
    } else if (c == QLatin1String("MO")) {
        clause = QStringLiteral("een verrekijker toont %1 bij zo'n lage zon als een lichtpuntje, een telescoop van "
                                "60 mm ook de schaduw, en een van 150 mm de vorm van de berg");
    } else if (c == QLatin1String("PR")) {
        clause = QStringLiteral("een verrekijker toont %1 als een lichte punt aan de rand van de zee, een telescoop van "
                                "60 mm ook de schaduw, en een van 150 mm de hellingen");
    } else {
        return QString();
    }
    return clause.arg(title);
}
}

QString dutchPosition(double latitude, double longitude)
{
    return QStringLiteral("%1° %2, %3° %4")
        .arg(decimal(std::abs(latitude), 1),
             latitude >= 0 ? QStringLiteral("noorderbreedte") : QStringLiteral("zuiderbreedte"),
             decimal(std::abs(longitude), 1),
             longitude >= 0 ? QStringLiteral("oosterlengte") : QStringLiteral("westerlengte"));
}

Sun sunFor(const SunSetting& setting, double latitude, double longitude, double defaultElevation, bool morning)
{
    if (setting.kind == SunSetting::Kind::Colongitude)
        return Sun{0.0, normalisedLongitude(90.0 - setting.degrees)};
    const double elevation = setting.kind == SunSetting::Kind::Elevation ? setting.degrees : defaultElevation;
    const Sun sun = siteSun(latitude, longitude, elevation, morning);
    return Sun{sun.latitude, normalisedLongitude(sun.longitude)};
}

double colongitude(const Sun& sun)
{
    const double c = std::fmod(90.0 - sun.longitude, 360.0);
    return c < 0 ? c + 360.0 : c;
}

double moonAgeDays(const Sun& sun)
{
    // New moon at colongitude 270.
    return std::fmod(colongitude(sun) + 90.0, 360.0) / 360.0 * SynodicMonthDays;
}

QString whenToLook(const GazetteerEntry& feature, const QString& title, const Sun& sun, const QString& instruments)
{
    const int days = int(std::lround(moonAgeDays(sun)));
    const int degrees = int(std::lround(colongitude(sun))) % 360;
    const QString clause = instruments.isEmpty() ? generatedInstruments(feature, title) : instruments;
    QString sentence = QStringLiteral("Zo ziet u dit ongeveer %1 %2 na nieuwe maan, bij een colongitude van %3°")
                           .arg(days)
                           .arg(days == 1 ? QStringLiteral("dag") : QStringLiteral("dagen"))
                           .arg(degrees);
    if (!clause.isEmpty())
        sentence += QStringLiteral("; ") + clause;
    return sentence + QLatin1Char('.');
}

QList<PhotoEntry> readPhotoTable(const QString& file, QString* error)
{
    QList<PhotoEntry> out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file + QStringLiteral(": ") + f.errorString();
        return {};
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    QString* field = nullptr;
    int lineNumber = 0;
    QList<std::pair<QString, QString>> sunTexts;   // per entry: morning, evening
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("= "))) {
            PhotoEntry e;
            e.iauName = line.mid(2).trimmed();
            e.name = atlasName(e.iauName, false);
            out.append(e);
            sunTexts.append(std::pair<QString, QString>());
            field = nullptr;
            continue;
        }
        if (line.at(0).isSpace() && field) {
            *field += QLatin1Char(' ') + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString key = colon > 0 ? line.left(colon) : QString();
        PhotoEntry* e = out.isEmpty() ? nullptr : &out.last();
        field = !e                                      ? nullptr
                : key == QLatin1String("naam")          ? &e->origin
                : key == QLatin1String("kijk")          ? &e->lookFor
                : key == QLatin1String("ochtend")       ? &e->morning
                : key == QLatin1String("avond")         ? &e->evening
                : key == QLatin1String("kijker")        ? &e->instruments
                : key == QLatin1String("ochtendkijker") ? &e->morningInstruments
                : key == QLatin1String("avondkijker")   ? &e->eveningInstruments
                : key == QLatin1String("ochtendzon")    ? &sunTexts.last().first
                : key == QLatin1String("avondzon")      ? &sunTexts.last().second
                                                        : nullptr;
        if (!field) {
            *error = QStringLiteral("%1:%2: not understood").arg(file).arg(lineNumber);
            return {};
        }
        *field = line.mid(colon + 1).trimmed();
    }
    auto parseSun = [](const QString& text, SunSetting* setting) {
        if (text.isEmpty())
            return true;
        static const QString colongitudeWord = QStringLiteral("colongitude ");
        const bool byColongitude = text.startsWith(colongitudeWord);
        bool ok = false;
        const double degrees = (byColongitude ? text.mid(colongitudeWord.size()) : text).toDouble(&ok);
        if (!ok || degrees < (byColongitude ? 0.0 : -5.0) || degrees >= (byColongitude ? 360.0 : 90.0))
            return false;
        setting->kind = byColongitude ? SunSetting::Kind::Colongitude : SunSetting::Kind::Elevation;
        setting->degrees = degrees;
        return true;
    };
    for (qsizetype i = 0; i < out.size(); ++i) {
        PhotoEntry& e = out[i];
        if (e.origin.isEmpty() || e.lookFor.isEmpty() || e.morning.isEmpty() || e.evening.isEmpty()) {
            *error = file + QStringLiteral(": incomplete entry ") + e.iauName;
            return {};
        }
        if (!parseSun(sunTexts[i].first, &e.morningSun) || !parseSun(sunTexts[i].second, &e.eveningSun)) {
            *error = file + QStringLiteral(": sun not understood in ") + e.iauName;
            return {};
        }
    }
    return out;
}

namespace {
struct NameHit {
    qsizetype at, length;
    QString name;
    bool calledUnmarked;   // followed by " (niet in de index)"
};

// The gazetteer names in `text`, whole words, the longest name where names
// overlap, in the order they appear.
QList<NameHit> namesInText(const QString& text, const QStringList& gazetteerNames)
{
    QList<NameHit> hits;
    // "Taurus-Littrow" is a valley, not the crater Littrow.
    auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('-'); };
    for (const auto& name : gazetteerNames) {
        for (qsizetype at = text.indexOf(name); at >= 0; at = text.indexOf(name, at + 1)) {
            const qsizetype end = at + name.size();
            if ((at > 0 && isWordChar(text[at - 1])) || (end < text.size() && isWordChar(text[end])))
                continue;
            // "Apollo 15" is a spacecraft, not the crater Apollo.
            if (end + 1 < text.size() && text[end] == QLatin1Char(' ') && text[end + 1].isDigit())
                continue;
            hits.append({at, name.size(), name, false});
        }
    }
    // "Messier A" is one name, not the crater Messier followed by a letter.
    std::stable_sort(hits.begin(), hits.end(), [](const NameHit& a, const NameHit& b) { return a.length > b.length; });
    QList<NameHit> kept;
    static const QString unmarked = QStringLiteral(" (niet in de index)");
    for (auto h : hits) {
        const bool inside = std::any_of(kept.begin(), kept.end(), [&](const NameHit& k) {
            return h.at < k.at + k.length && h.at + h.length > k.at;
        });
        if (inside)
            continue;
        h.calledUnmarked = text.mid(h.at + h.length, unmarked.size()) == unmarked;
        kept.append(h);
    }
    std::sort(kept.begin(), kept.end(), [](const NameHit& a, const NameHit& b) { return a.at < b.at; });
    return kept;
}

QStringList distinctNames(const QList<NameHit>& hits, bool (*keep)(const NameHit&, const QSet<QString>&),
                          const QSet<QString>& indexed)
{
    QStringList out;
    for (const auto& h : hits)
        if (keep(h, indexed) && !out.contains(h.name))
            out.append(h.name);
    return out;
}
}

QStringList namesNotInIndex(const QString& text, const QStringList& gazetteerNames, const QSet<QString>& indexed)
{
    return distinctNames(
        namesInText(text, gazetteerNames),
        [](const NameHit& h, const QSet<QString>& idx) { return !idx.contains(h.name) && !h.calledUnmarked; },
        indexed);
}

QStringList indexedNamesCalledUnmarked(const QString& text, const QStringList& gazetteerNames,
                                       const QSet<QString>& indexed)
{
    return distinctNames(
        namesInText(text, gazetteerNames),
        [](const NameHit& h, const QSet<QString>& idx) { return idx.contains(h.name) && h.calledUnmarked; }, indexed);
}

bool makePhotographs(const Surface& s, const QList<PhotoEntry>& table, const QList<GazetteerEntry>& gazetteer,
                     const QSet<QString>& indexed, const QString& outDir, QStringList* report, QString* error)
{
    QStringList gazetteerNames;
    for (const auto& e : gazetteer)
        gazetteerNames.append(plainName(atlasName(e.iauName, false)));
    gazetteerNames.removeDuplicates();
    // A name the user cannot look up is a dead end for the reader.
    auto checkNames = [&](const QString& text, const QString& file) {
        const QStringList missing = namesNotInIndex(text, gazetteerNames, indexed);
        if (!missing.isEmpty())
            *error = file + QStringLiteral(": names features no index holds: ") + missing.join(QStringLiteral(", "));
        const QStringList wronglyUnmarked = indexedNamesCalledUnmarked(text, gazetteerNames, indexed);
        if (!wronglyUnmarked.isEmpty())
            *error = file + QStringLiteral(": calls indexed features unmarked: ")
                     + wronglyUnmarked.join(QStringLiteral(", "));
        return missing.isEmpty() && wronglyUnmarked.isEmpty();
    };
    const double minKmPerPixel = s.albedo.kmPerPixel() / 2.0;   // never enlarge the mosaic more than twice
    const double maxKmPerPixel = 2.1 * MoonRadiusKm / PhotoWidth;
    int made = 0;
    for (const auto& entry : table) {
        const GazetteerEntry* g = nullptr;
        for (const auto& e : gazetteer)
            if (e.iauName == entry.iauName)
                g = &e;
        if (!g) {
            *error = QStringLiteral("photo table: not in the gazetteer: ") + entry.iauName;
            return false;
        }
        const bool eachMomentSaid = !entry.morningInstruments.isEmpty() && !entry.eveningInstruments.isEmpty();
        if (entry.instruments.isEmpty() && !eachMomentSaid && generatedInstruments(*g, entry.name).isEmpty()) {
            *error = QStringLiteral("photo table: say what binoculars and telescopes show (kijker:) of ") + entry.iauName;
            return false;
        }
        const double kmPerPixel = std::clamp(2.0 * g->diameterKm / PhotoWidth, minKmPerPixel, maxKmPerPixel);
        DiscFrame frame;
        frame.width = PhotoWidth;
        frame.height = PhotoHeight;
        frame.centreX = PhotoWidth / 2.0;
        frame.centreY = PhotoHeight / 2.0;
        frame.radius = MoonRadiusKm / kmPerPixel;
        frame.B = g->latitude;
        frame.L = -g->longitude;
        const double halfDiagonal = std::hypot(PhotoWidth, PhotoHeight) / 2.0 * kmPerPixel;
        const double reach = std::min(90.0, halfDiagonal / MoonRadiusKm * RadToDeg) + 2.0;
        const double latMin = g->latitude - reach, latMax = g->latitude + reach;
        const Vec3 site = surfaceUp(g->latitude, g->longitude);

        struct Shot { QString suffix; Sun sun; };
        const double low = lowSunElevation(PhotoWidth * kmPerPixel);
        const Shot shots[] = {
            {QString(), sunFor(SunSetting{}, g->latitude, g->longitude, MainSunElevation, false)},
            {QStringLiteral("1"), sunFor(entry.morningSun, g->latitude, g->longitude, low, true)},
            {QStringLiteral("2"), sunFor(entry.eveningSun, g->latitude, g->longitude, low, false)}};
        double elevations[3] = {};
        for (int k = 0; k < 3; ++k) {
            const Sun& sun = shots[k].sun;
            elevations[k] = siteElevation(sun, g->latitude, g->longitude);
            const LightMap light(s.normals, s.albedo.width(), s.albedo.height(), sun,
                                 k == 0 ? s.mainShadingExaggeration : s.shadingExaggeration, s.heightExaggeration,
                                 latMin, latMax);
            const Vec3 sunDir = surfaceUp(sun.latitude, sun.longitude);
            const double siteSin = std::max(0.02, sunDir.dot(site));
            SurfaceBrightness brightness;
            if (k == 0) {
                // The albedo, shaded by the relief under a middling sun: the
                // light and dark ground reads as at full moon, walls and slopes
                // as near the terminator.
                brightness = [&](double lat, double lon) {
                    const double flat = std::max(0.05, sunDir.dot(surfaceUp(lat, lon)));
                    const double relief = std::clamp(light.sample(lat, lon) / flat, 0.0, 2.5);
                    return shoulder(
                        float(0.92 * s.tone(s.albedo.sample(lat, lon)) * (0.4 + 0.6 * std::pow(relief, 1.1))));
                };
            } else {
                // Exposed for the site; the broad fall-off of the light across a
                // wide frame is partly evened out, the relief kept whole.
                brightness = [&](double lat, double lon) {
                    const double flat = sunDir.dot(surfaceUp(lat, lon));
                    const double norm = std::pow(std::max(flat, siteSin), 0.75) * std::pow(siteSin, 0.25);
                    const double v = s.tone(s.albedo.sample(lat, lon)) * light.sample(lat, lon) / norm;
                    return shoulder(float(0.7 * v));
                };
            }
            QImage photo = renderDisc(frame, brightness, s.albedo.kmPerPixel());
            drawMarks(&photo, kmPerPixel);
            const QString file = QDir(outDir).filePath(entry.name + shots[k].suffix + QStringLiteral(".jpg"));
            if (!writeGreyJpeg(file, photo, PhotoQuality, false, error))
                return false;
        }

        // Explanations.
        const QString title = entry.name;
        const QString frameText =
            QStringLiteral("Over de foto: een bovenaanzicht, alsof de camera recht boven %1 hangt; zo is ook een "
                           "vorm dicht bij de maanrand niet vertekend. Het beeld is %2 km breed, het noorden is "
                           "boven (pijl N) en de streep linksonder geeft de schaal. De zon staat %3° boven de "
                           "westelijke horizon en het licht valt van links in: hoog genoeg om de lichte en donkere "
                           "delen van het oppervlak te tonen zoals bij volle maan, laag genoeg om wallen en "
                           "hellingen te laten uitkomen. De foto's van deze atlas zijn samengesteld uit kaarten van "
                           "de hele maan: details van minder dan een paar kilometer, en reliëf van minder dan zo'n "
                           "tien kilometer breed, tonen ze niet.")
                .arg(title)
                .arg(qRound(PhotoWidth * kmPerPixel))
                .arg(qRound(elevations[0]));
        const QString facts = QStringLiteral("Soort: %1\n%2\nLigging: %3\n")
                                  .arg(dutchKind(*g), dutchSize(*g), dutchPosition(g->latitude, g->longitude));
        const QString main = QStringLiteral("%1\n\n%2\nNaam: %3\n\nWaar moet u op letten?\n%4\n\n%5\n")
                                 .arg(title, facts, plainText(entry.origin), plainText(entry.lookFor), frameText);
        // The origin of the name speaks of people, whose names may be those of
        // other craters.
        const QString mainFile = entry.name + QStringLiteral(".txt");
        if (!checkNames(QString(main).remove(plainText(entry.origin)), mainFile)
            || !writeCp1252Text(main, QDir(outDir).filePath(mainFile), error))
            return false;

        for (int k = 1; k <= 2; ++k) {
            const bool morning = k == 1;
            const QString sunLine = lowSunLine(elevations[k], morning);
            const QString& ownMoment = morning ? entry.morningInstruments : entry.eveningInstruments;
            const QString& instruments = ownMoment.isEmpty() ? entry.instruments : ownMoment;
            const QString closing =
                morning ? QStringLiteral("Hoogteverschillen die bij volle maan onzichtbaar blijven, tekenen zich bij "
                                         "zo'n lage zon af; daarom kijkt men het liefst vlak bij de terminator.")
                        : QStringLiteral("Leg deze foto naast die bij ochtendzon: wat daar in de schaduw lag, is nu "
                                         "verlicht, zodat u aan beide kanten van elke helling ziet hoe het terrein "
                                         "loopt.");
            const QString text =
                QStringLiteral("%1 bij lage %2\n\n%3\n\n%4\n\n%5\n\n%6\n")
                    .arg(title, morning ? QStringLiteral("ochtendzon") : QStringLiteral("avondzon"), sunLine,
                         plainText(morning ? entry.morning : entry.evening),
                         whenToLook(*g, title, shots[k].sun, plainText(instruments)), closing);
            const QString file = entry.name + QString::number(k) + QStringLiteral(".txt");
            if (!checkNames(text, file) || !writeCp1252Text(text, QDir(outDir).filePath(file), error))
                return false;
        }
        ++made;
    }
    report->append(QStringLiteral("%1 photographed features, 3 photographs and 3 explanations each").arg(made));
    return true;
}

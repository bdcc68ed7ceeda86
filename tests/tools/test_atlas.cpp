#include <QtTest>

#include "astro/projection.h"
#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "tests/common/workdir.h"
#include "tools/atlasgen/features.h"
#include "tools/atlasgen/gazetteer.h"
#include "tools/atlasgen/photos.h"
#include "astro/atlassheets.h"

#include <QImage>

namespace {
struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
};

// Reads the frame header of a JPEG file without decoding it.
bool readJpegInfo(const QByteArray& bytes, JpegInfo* info)
{
    if (bytes.size() < 4 || uchar(bytes[0]) != 0xFF || uchar(bytes[1]) != 0xD8)
        return false;
    qsizetype i = 2;
    while (i + 4 <= bytes.size()) {
        if (uchar(bytes[i]) != 0xFF)
            return false;
        const int marker = uchar(bytes[i + 1]);
        const int length = (uchar(bytes[i + 2]) << 8) | uchar(bytes[i + 3]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (i + 10 > bytes.size())
                return false;
            info->height = (uchar(bytes[i + 5]) << 8) | uchar(bytes[i + 6]);
            info->width = (uchar(bytes[i + 7]) << 8) | uchar(bytes[i + 8]);
            info->components = uchar(bytes[i + 9]);
            info->progressive = marker == 0xC2;
            return true;
        }
        i += 2 + length;
    }
    return false;
}

QString atlasFile(const QString& name)
{
    return TestWorkDir::atlasDir() + QLatin1Char('/') + name;
}

QList<FeatureRecord> recordsOf(const QString& indexFile)
{
    FeatureTable table;
    table.leesnamen(atlasFile(indexFile));
    QList<FeatureRecord> out;
    for (int i = 1; i <= FeatureTableSize; ++i)
        if (table.slot(i).inUse())
            out.append(table.slot(i));
    return out;
}

// Half-pixel position of a surface point in a view: the same projection the
// program's grid and read-out use.
QPointF expectedPosition(const char* view, double latitude, double longitude)
{
    const ViewGeometry* v = viewGeometryFor(QString::fromLatin1(view));
    double x, y;
    projectOrthographic(latitude, longitude, v->latitudeTilt, v->longitudeShift, &x, &y);
    return {2 * (v->bitmapCentreX() + v->bitmapRadius() * x), 2 * (v->bitmapCentreY() - v->bitmapRadius() * y)};
}

bool hasKindTheProgramReads(const QString& name)
{
    if (isCraterName(name) || name.contains(QLatin1String("Landing")))
        return true;
    for (const char* word : {"Mare", "Oceanus", "Lacus", "Sinus", "Palus", "Mons", "Montes", "Mont ", "Rupes",
                             "Rima ", "Rimae", "Catena", "Vallis", "Promontorium"})
        if (name.contains(QLatin1String(word)))
            return true;
    return false;
}

const char* const kViews[] = {"maan_ek.bmp", "maan_vm.bmp", "maan_lk.bmp"};
}

class TestAtlas : public QObject {
    Q_OBJECT
private slots:
    // --- the generator's rules -------------------------------------------

    void projectionRoundTrip()
    {
        for (int v = 0; v < ViewCount; ++v) {
            const ViewGeometry& g = viewGeometries()[v];
            for (double lat = -80; lat <= 80; lat += 10) {
                for (double lon = -80; lon <= 80; lon += 10) {
                    double x, y, lat2, lon2;
                    if (projectOrthographic(lat, lon, g.latitudeTilt, g.longitudeShift, &x, &y) <= 0)
                        continue;   // behind the limb
                    const double px = g.bitmapCentreX() + g.bitmapRadius() * x;
                    const double py = g.bitmapCentreY() - g.bitmapRadius() * y;
                    QVERIFY(unprojectOrthographic((px - g.bitmapCentreX()) / g.bitmapRadius(),
                                                  (g.bitmapCentreY() - py) / g.bitmapRadius(), g.latitudeTilt,
                                                  g.longitudeShift, &lat2, &lon2));
                    QVERIFY2(std::abs(lat - lat2) < 1e-9 && std::abs(lon - lon2) < 1e-9,
                             qPrintable(QStringLiteral("%1 %2 %3").arg(g.imageFileName).arg(lat).arg(lon)));
                }
            }
        }
        // East is to the right, north up; the full-moon centre is at 1 S, 4.8 W.
        const QPointF crisium = expectedPosition("maan_vm.bmp", 17, 59);
        QVERIFY(crisium.x() > 1144 && crisium.y() < 1090);
        const QPointF centre = expectedPosition("maan_vm.bmp", -1.0, -4.8);
        QVERIFY(std::abs(centre.x() - 1144) < 1e-9 && std::abs(centre.y() - 1090) < 1e-9);
    }

    void namesFollowTheProgramsConventions()
    {
        // Craters become one word the program reads as a crater, with the
        // blanks kept visible as no-break spaces.
        const QString fraMauro = atlasName(QStringLiteral("Fra Mauro"), true);
        QCOMPARE(fraMauro, QStringLiteral("Fra\u00A0Mauro"));
        QVERIFY(isCraterName(fraMauro));
        QCOMPARE(plainName(fraMauro), QStringLiteral("Fra Mauro"));
        QVERIFY(!isCraterName(atlasName(QStringLiteral("Mare Crisium"), false)));
        // Letters outside Windows-1252 lose their accent; those inside keep it.
        QCOMPARE(atlasName(QStringLiteral("Bečvář"), true), QStringLiteral("Becvár"));
        QCOMPARE(atlasName(QStringLiteral("Mohorovičić"), true), QStringLiteral("Mohorovicic"));
        QCOMPARE(atlasName(QStringLiteral("Armiński"), true), QStringLiteral("Arminski"));
        QCOMPARE(atlasName(QStringLiteral("Vallis Schrödinger"), false), QStringLiteral("Vallis Schrödinger"));
        QCOMPARE(atlasName(QStringLiteral("Łomonosov"), true), QStringLiteral("Lomonosov"));
        // Alternative spellings in parentheses are dropped.
        QCOMPARE(atlasName(QStringLiteral("Bellinsgauzen (Bellingshausen)"), true), QStringLiteral("Bellinsgauzen"));
        QCOMPARE(atlasName(QStringLiteral("Catena Leuschner (GDL)"), false), QStringLiteral("Catena Leuschner"));
    }

    void gazetteerAndCandidates()
    {
        TestWorkDir dir;
        QVERIFY(writeWholeFile(dir.filePath("g.txt"),
                               "# Format: comment lines\n"
                               "# TRANSLATORS: (Moon); Nicolaus; Polish astronomer (1473-1543).\n"
                               "Moon\t1296\t_(\"Copernicus\",\"crater\")\tAA\t9.620900\t339.921400\t96.0699\n"
                               "Moon\t9\t_(\"Copernicus A\",\"satellite feature\")\tSF\t9.5\t338.9\t3\n"
                               "# TRANSLATORS: (Moon); \"Sea of Crises.\"\n"
                               "Moon\t3671\t_(\"Mare Crisium\",\"mare\")\tME\t16.1774\t59.1037\t555.921\n"
                               "Mars\t1\t_(\"Tycho\",\"crater\")\tAA\t1\t2\t3\n"
                               "Moon\tbroken line\n"
                               "Moon\t2\t_(\"Maremma\",\"crater\")\tAA\t0\t0\t200\n"
                               "Moon\t3\t_(\"Dorsa Smirnov\",\"dorsum\")\tDO\t26\t25\t200\n"
                               "Moon\t4\t_(\"Plato\",\"crater\")\tAA\t51.6\t-9.4\t100.7\n"));
        QString error;
        const QList<GazetteerEntry> g = readGazetteer(dir.filePath("g.txt"), &error);
        QVERIFY(error.isEmpty());
        QCOMPARE(g.size(), 6);
        QCOMPARE(g[0].iauName, QStringLiteral("Copernicus"));
        QCOMPARE(g[0].origin, QStringLiteral("Nicolaus; Polish astronomer (1473-1543)."));
        QVERIFY(std::abs(g[0].longitude - (-20.0786)) < 1e-9);
        QVERIFY(g[1].origin.isEmpty());
        QCOMPARE(g[2].origin, QStringLiteral("\"Sea of Crises.\""));

        QStringList notes;
        const QList<AtlasFeature> c = atlasCandidates(g, &notes);
        QStringList names;
        for (const auto& f : c)
            names.append(f.name);
        // Areas first, then landing sites, then craters by diameter; no
        // satellite craters, no other kinds, and no crater whose name the
        // program would read as a mare.
        QCOMPARE(names.first(), QStringLiteral("Mare Crisium"));
        QCOMPARE(names[1], QStringLiteral("Luna 2 Landing"));
        QCOMPARE(names.mid(names.size() - 2), QStringList({"Plato", "Copernicus"}));
        QVERIFY(!names.contains(QStringLiteral("Copernicus A")));
        QVERIFY(!names.contains(QStringLiteral("Dorsa Smirnov")));
        QVERIFY(!names.contains(QStringLiteral("Maremma")));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes[0].contains(QLatin1String("Maremma")));

        QCOMPARE(readGazetteer(dir.filePath("missing.txt"), &error).size(), 0);
        QVERIFY(!error.isEmpty());
    }

    void viewChoiceKeepsTheLitVisibleSide()
    {
        const ViewGeometry* ek = viewGeometryFor(QStringLiteral("maan_ek.bmp"));
        const Sun sun{0, -ek->longitudeShift + 90};
        QList<AtlasFeature> candidates;
        auto add = [&](const char* name, double lat, double lon) {
            AtlasFeature f;
            f.name = QString::fromUtf8(name);
            f.latitude = lat;
            f.longitude = lon;
            candidates.append(f);
        };
        add("East", 0, 40);     // lit
        add("West", 0, -40);    // night side at first quarter
        add("Far", 0, 150);     // behind the limb
        add("Photo", 10, 30);
        const QList<AtlasFeature> chosen = chooseForView(candidates, *ek, &sun, 760, 1170, {QStringLiteral("Photo")});
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen[0].name, QStringLiteral("East"));
        QCOMPARE(chosen[1].name, QStringLiteral("Photo *"));
        // Without a sun (full moon) the western one is in, the far one never.
        QCOMPARE(chooseForView(candidates, *ek, nullptr, 760, 1170, {}).size(), 2);   // West is off the bitmap
        const ViewGeometry* vm = viewGeometryFor(QStringLiteral("maan_vm.bmp"));
        QCOMPARE(chooseForView(candidates, *vm, nullptr, 1144, 1090, {}).size(), 3);

        // Never more than the table holds; the smallest craters make room,
        // but a crater with a photograph stays.
        QList<AtlasFeature> many;
        for (int i = 0; i < 900; ++i) {
            AtlasFeature f;
            f.name = QStringLiteral("C%1").arg(i);
            f.latitude = -40 + (i % 30) * 2.5;
            f.longitude = -40 + (i / 30) * 2.5;
            f.rank = 2;
            many.append(f);
        }
        const QList<AtlasFeature> kept = chooseForView(many, *vm, nullptr, 1144, 1090, {QStringLiteral("C899")});
        QCOMPARE(kept.size(), FeatureTableSize);
        QCOMPARE(kept[798].name, QStringLiteral("C798"));
        QCOMPARE(kept.last().name, QStringLiteral("C899 *"));
    }

    void sheetReferencePoints()
    {
        using namespace atlassheets;
        for (int n : {17, 28, 39, 50})
            QCOMPARE(sheetReferencePoint(n).x, 55);
        QCOMPARE(sheetReferencePoint(1).x, 235);
        QCOMPARE(sheetReferencePoint(1).y, 90);
        QCOMPARE(sheetReferencePoint(27).x, 995);
        QCOMPARE(sheetReferencePoint(27).y, 350);
        QCOMPARE(sheetReferencePoint(76).x, 799);
        QCOMPARE(sheetReferencePoint(76).y, 1000);
        QCOMPARE(sheetReferencePoint(0).x, 0);
        QCOMPARE(sheetReferencePoint(77).y, 0);
        // Every cell reaches the disc of the index picture.
        for (int n = 1; n <= SheetCount; ++n) {
            const ReferencePoint p = sheetReferencePoint(n);
            const double nx = std::clamp(double(DiscCentreX), p.x - CellWidth / 2.0, p.x + CellWidth / 2.0);
            const double ny = std::clamp(double(DiscCentreY), p.y - CellHeight / 2.0, p.y + CellHeight / 2.0);
            QVERIFY2(std::hypot(nx - DiscCentreX, ny - DiscCentreY) < DiscRadius, qPrintable(QString::number(n)));
        }
    }

    void photoTableReading()
    {
        TestWorkDir dir;
        QVERIFY(writeWholeFile(dir.filePath("p.txt"),
                               "# comment\n"
                               "= Rupes Recta\n"
                               "naam: Latijn voor\n"
                               "  \"rechte wand\".\n"
                               "kijk: Een lijn.\n"
                               "ochtend: Donker.\n"
                               "avond: Licht.\n"));
        QString error;
        const QList<PhotoEntry> table = readPhotoTable(dir.filePath("p.txt"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(table.size(), 1);
        QCOMPARE(table[0].name, QStringLiteral("Rupes Recta"));
        QCOMPARE(table[0].origin, QStringLiteral("Latijn voor \"rechte wand\"."));
        QCOMPARE(table[0].morning, QStringLiteral("Donker."));

        QVERIFY(writeWholeFile(dir.filePath("bad.txt"), "= Tycho\nnaam: x\nkijk: y\n"));
        QVERIFY(readPhotoTable(dir.filePath("bad.txt"), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String("incomplete")));
        QVERIFY(writeWholeFile(dir.filePath("odd.txt"), "= Tycho\nkleur: grijs\n"));
        QVERIFY(readPhotoTable(dir.filePath("odd.txt"), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String(":2:")));

        QCOMPARE(dutchPosition(-43.2958, -11.2153), QString::fromUtf8("43,3° zuiderbreedte, 11,2° westerlengte"));
    }

    // --- the committed data set ------------------------------------------

    void knownFeaturesSitWhereTheGazetteerPutsThem()
    {
        const QList<FeatureRecord> vm = recordsOf(QStringLiteral("maan_vm.dat"));
        struct Known { const char* name; double lat, lon; };
        for (const Known& k : {Known{"Copernicus", 9.6209, -20.0786}, Known{"Tycho", -43.2958, -11.2153},
                               Known{"Mare Crisium", 16.1774, 59.1037}}) {
            const QString name = QString::fromLatin1(k.name);
            const FeatureRecord* found = nullptr;
            for (const auto& r : vm)
                if (r.name() == name || r.name() == name + QStringLiteral(" *"))
                    found = &r;
            QVERIFY2(found, k.name);
            const QPointF p = expectedPosition("maan_vm.bmp", k.lat, k.lon);
            QVERIFY2(std::abs(found->x() - p.x()) <= 1.0 && std::abs(found->y() - p.y()) <= 1.0, k.name);
        }
    }

    void indexFilesFitTheirViews()
    {
        for (const char* view : kViews) {
            const QString bmp = QString::fromLatin1(view);
            const QImage picture(atlasFile(bmp));
            QVERIFY2(!picture.isNull(), view);
            QVERIFY(picture.isGrayscale());
            QCOMPARE(readWholeFile(atlasFile(indexFileNameFor(bmp))).size(), IndexFileSize);

            const QList<FeatureRecord> records = recordsOf(indexFileNameFor(bmp));
            QVERIFY(records.size() > 300 && records.size() <= FeatureTableSize);
            int landings = 0;
            for (const auto& r : records) {
                const QString name = r.name();
                QVERIFY(r.nameLength <= FeatureRecord::MaxNameLength);
                for (int i = 0; i < r.nameLength; ++i) {
                    const uchar b = uchar(r.nameChars[i]);
                    // Control characters and the five bytes the code page leaves unassigned.
                    QVERIFY2(b >= 0x20 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D,
                             qPrintable(name));
                }
                QVERIFY2(hasKindTheProgramReads(name), qPrintable(name));
                landings += name.contains(QLatin1String("Landing"));
                // On the bitmap, and on its lit part: some pixel nearby is not black.
                const int c = int(r.x() / 2), row = int(r.y() / 2);
                QVERIFY2(c >= 0 && row >= 0 && c < picture.width() && row < picture.height(), qPrintable(name));
                bool lit = false;
                for (int dy = -4; dy <= 4 && !lit; ++dy)
                    for (int dx = -4; dx <= 4 && !lit; ++dx)
                        lit = QRect(QPoint(), picture.size()).contains(c + dx, row + dy)
                              && qGray(picture.pixel(c + dx, row + dy)) > 0;
                QVERIFY2(lit, qPrintable(QStringLiteral("%1 in %2").arg(name, bmp)));
            }
            QVERIFY(landings >= 10);
        }
    }

    void viewsShowTheRightSideLit()
    {
        const QImage vm(atlasFile(QStringLiteral("maan_vm.bmp")));
        QCOMPARE(vm.size(), QSize(1144, 1090));
        QVERIFY(qGray(vm.pixel(572, 545)) > 40);              // disc centre
        QVERIFY(qGray(vm.pixel(572 + 536 + 4, 545)) == 0);   // just beyond the limb
        QVERIFY(qGray(vm.pixel(572 - 536 + 8, 545)) > 40);   // just inside it

        const QImage ek(atlasFile(QStringLiteral("maan_ek.bmp")));
        QCOMPARE(ek.height(), 1170);
        QVERIFY(ek.width() > 186 + 534 && ek.width() < 186 + 534 + 60);
        QVERIFY(qGray(ek.pixel(186 + 480, 585)) > 30);   // near the eastern limb: full light
        QVERIFY(qGray(ek.pixel(60, 585)) == 0);          // the night side

        const QImage lk(atlasFile(QStringLiteral("maan_lk.bmp")));
        QCOMPARE(lk.height(), 1230);
        QVERIFY(qGray(lk.pixel(655 - 480, 615)) > 30);
        QVERIFY(qGray(lk.pixel(lk.width() - 2, 615)) == 0);

        const QImage title(atlasFile(QStringLiteral("titelmaan.bmp")));
        QCOMPARE(title.size(), QSize(210, 200));
        QVERIFY(qGray(title.pixel(105, 100)) > 40 && qGray(title.pixel(2, 2)) == 0);
    }

    void bitmapsAreReproducible()
    {
        // 8-bit BMP rows are padded to 4 bytes; padding left uninitialised
        // would make every regeneration differ.
        for (const char* name : {"maan_ek.bmp", "maan_vm.bmp", "maan_lk.bmp", "titelmaan.bmp"}) {
            const QByteArray bmp = readWholeFile(atlasFile(QString::fromLatin1(name)));
            QVERIFY(bmp.size() > 54 && bmp.startsWith("BM"));
            auto le = [&](int at, int bytes) {
                qint64 v = 0;
                for (int i = bytes - 1; i >= 0; --i)
                    v = (v << 8) | uchar(bmp[at + i]);
                return v;
            };
            const qint64 offset = le(10, 4), width = le(18, 4), height = std::abs(qint32(le(22, 4)));
            QCOMPARE(le(28, 2), 8);
            const qint64 stride = (width + 3) / 4 * 4;
            QCOMPARE(qint64(bmp.size()), offset + stride * height);
            for (qint64 row = 0; row < height; ++row)
                for (qint64 pad = width; pad < stride; ++pad)
                    QVERIFY2(bmp[offset + row * stride + pad] == 0, name);
        }
    }

    void everyPhotographHasItsFiles()
    {
        int photographed = 0;
        QSet<QString> seen;
        for (const char* view : kViews) {
            for (const auto& r : recordsOf(indexFileNameFor(QString::fromLatin1(view)))) {
                if (!hasPhotographMark(r.name()))
                    continue;
                const QString jpg = photographFileName(r.name());
                QVERIFY2(isBareFileName(jpg), qPrintable(jpg));
                if (seen.contains(jpg))
                    continue;
                seen.insert(jpg);
                ++photographed;
                const QString base = fileBaseName(jpg);
                for (const QString& name : {base, base + QLatin1Char('1'), base + QLatin1Char('2')}) {
                    JpegInfo info;
                    QVERIFY2(readJpegInfo(readWholeFile(atlasFile(name + QStringLiteral(".jpg"))), &info),
                             qPrintable(name));
                    QVERIFY(info.width <= 800 && info.height <= 600 && info.components == 1);
                    const QByteArray text = readWholeFile(atlasFile(name + QStringLiteral(".txt")));
                    QVERIFY2(text.size() > 200, qPrintable(name));
                    const QString decoded = fromCp1252(text);
                    QVERIFY2(decoded.contains(QChar(0xB0)), qPrintable(name));        // a degree sign, one byte
                    QVERIFY2(!decoded.contains(QChar(0xC3)), qPrintable(name));       // no UTF-8 left over
                    QVERIFY2(decoded.startsWith(base), qPrintable(name));
                }
            }
        }
        QVERIFY(photographed >= 100);
    }

    void atlasIndexAndSheetTitlesAgree()
    {
        JpegInfo info;
        QVERIFY(readJpegInfo(readWholeFile(atlasFile(QStringLiteral("atlasindex.jpg"))), &info));
        QCOMPARE(info.width, atlassheets::PictureWidth);
        QCOMPARE(info.height, atlassheets::PictureHeight);
        QCOMPARE(info.components, 1);
        QVERIFY(info.progressive);

        const QString text = fromCp1252(readWholeFile(atlasFile(QStringLiteral("kaarten.txt"))));
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), atlassheets::SheetCount);
        for (int n = 1; n <= atlassheets::SheetCount; ++n) {
            const QString& line = lines[n - 1];
            const qsizetype dot = line.indexOf(QLatin1Char('.'));
            bool ok = false;
            QCOMPARE(line.left(dot).toInt(&ok), n);
            QVERIFY(ok);
            QVERIFY2(line.mid(dot + 1).trimmed().size() >= 3, qPrintable(line));
            QVERIFY(!line.contains(QLatin1Char('\r')));
        }
        QVERIFY(lines.contains(QStringLiteral("31. Copernicus")));
    }
};

QTEST_GUILESS_MAIN(TestAtlas)
#include "test_atlas.moc"

#include <QtTest>

#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "data/fileerror.h"
#include "data/numbertext.h"
#include "tests/common/workdir.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {
Real48 bytes(std::initializer_list<int> b)
{
    Real48 r{};
    int i = 0;
    for (int v : b)
        r[std::size_t(i++)] = std::uint8_t(v);
    return r;
}

FeatureRecord record(const QString& name, double x, double y)
{
    FeatureRecord r;
    r.setName(name);
    r.setPosition(x, y);
    return r;
}

QByteArray fileOf(const QList<FeatureRecord>& records)
{
    QByteArray out;
    for (const auto& r : records)
        out.append(reinterpret_cast<const char*>(&r), sizeof r);
    return out;
}
}

class TestFeatureData : public QObject {
    Q_OBJECT
private slots:
    void real48Examples()
    {
        QCOMPARE(encodeReal48(0.5), bytes({0x80, 0, 0, 0, 0, 0}));
        QCOMPARE(encodeReal48(1.0), bytes({0x81, 0, 0, 0, 0, 0}));
        QCOMPARE(encodeReal48(2.5), bytes({0x82, 0, 0, 0, 0, 0x20}));
        QCOMPARE(encodeReal48(-1.0), bytes({0x81, 0, 0, 0, 0, 0x80}));
        QCOMPARE(encodeReal48(1144.0), bytes({0x8B, 0, 0, 0, 0, 0x0F}));
        QCOMPARE(encodeReal48(1090.0), bytes({0x8B, 0, 0, 0, 0x40, 0x08}));
        QCOMPARE(encodeReal48(2288.0), bytes({0x8C, 0, 0, 0, 0, 0x0F}));
        QCOMPARE(encodeReal48(0.0), bytes({0, 0, 0, 0, 0, 0}));
        for (double v : {0.5, 1.0, 2.5, -1.0, 1144.0, 1090.0, 2288.0, -3.25})
            QCOMPARE(decodeReal48(encodeReal48(v)), v);
    }

    void real48RoundingAndLimits()
    {
        // e = 0 means zero whatever the other bytes hold.
        QCOMPARE(decodeReal48(bytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), 0.0);
        // Too small underflows to zero; ties round away from zero.
        QCOMPARE(encodeReal48(1e-60), bytes({0, 0, 0, 0, 0, 0}));
        const double ulp = std::ldexp(1.0, -39);
        QCOMPARE(decodeReal48(encodeReal48(1.0 + ulp / 2)), 1.0 + ulp);
        QCOMPARE(decodeReal48(encodeReal48(-(1.0 + ulp / 2))), -(1.0 + ulp));
        QVERIFY(decodeReal48(encodeReal48(1.0 + ulp / 4)) == 1.0);
        // A fraction that rounds up to 2 carries into the exponent.
        QCOMPARE(decodeReal48(encodeReal48(2.0 - ulp / 4)), 2.0);
        // 1/1.1 keeps 39 bits, not 52.
        const double z = toReal48Precision(0.5 / 1.1);
        QVERIFY(z != 0.5 / 1.1);
        QVERIFY(std::fabs(z - 0.5 / 1.1) < 1e-12);
    }

    void nameConventions()
    {
        QVERIFY(isCraterName("Copernicus"));
        QVERIFY(isCraterName("Copernicus *"));
        QVERIFY(!isCraterName("Mare Imbrium"));
        QVERIFY(!isCraterName("Mare Imbrium *"));
        QCOMPARE(photographFileName("Copernicus *"), QString("Copernicus.jpg"));
        QCOMPARE(photographFileName("Mare Imbrium *"), QString("Mare Imbrium.jpg"));
        QVERIFY(hasPhotographMark("Tycho *"));
        QVERIFY(!hasPhotographMark("Tycho"));
        QVERIFY(isBareFileName("Tycho.jpg"));
        QVERIFY(!isBareFileName("../Tycho.jpg"));
        QVERIFY(!isBareFileName("a/b.jpg"));
        QVERIFY(!isBareFileName("a\\b.jpg"));
        QVERIFY(!isBareFileName(""));
        QCOMPARE(fileBaseName("Tycho.x.jpg"), QString("Tycho"));
    }

    void namesAreWindows1252()
    {
        FeatureRecord r;
        r.setName(QString::fromUtf8("Ångström €"));
        QCOMPARE(r.nameLength, 10);
        QCOMPARE(quint8(r.nameChars[0]), quint8(0xC5));
        QCOMPARE(quint8(r.nameChars[9]), quint8(0x80));
        QCOMPARE(r.name(), QString::fromUtf8("Ångström €"));
        QCOMPARE(fromCp1252(QByteArray("\xB0", 1)), QString(QChar(0xB0)));
        QVERIFY(!isCp1252(QString::fromUtf8("Hořejší")));

        const QString hundred(100, QLatin1Char('x'));
        r.setName(hundred);
        QCOMPARE(r.name(), hundred);
        r.setName(hundred + "y");
        QCOMPARE(r.name(), hundred);
    }

    void saveAndLoadRoundTrip()
    {
        TestWorkDir dir;
        FeatureTable t;
        t.slot(1) = record("Copernicus *", 2288.0, 1090.0);
        t.slot(2) = record("Mare Imbrium", 100.5, 200.25);
        t.slot(5) = record("Na een gat", 10, 20);
        t.opslaan("maan_vm.dat");
        QCOMPARE(QFileInfo("maan_vm.dat").size(), qint64(91200));
        QVERIFY(!t.slot(1).inUse());                       // saving empties the table
        QVERIFY(!QFile::exists("maan_vm.dat.tmp"));
        t.leesnamen("maan_vm.dat");
        QCOMPARE(t.slot(1).name(), QString("Copernicus *"));
        QCOMPARE(t.slot(1).x(), 2288.0);
        QCOMPARE(t.slot(2).y(), 200.25);
        QVERIFY(!t.slot(3).inUse());
        QCOMPARE(t.slot(5).name(), QString("Na een gat"));
        QCOMPARE(t.firstEmptySlot(), 3);

        // An empty table still gives a whole file.
        t.initnamen();
        t.opslaan("maan_ek.dat");
        QCOMPARE(QFileInfo("maan_ek.dat").size(), qint64(91200));
    }

    void loadEdgeCases()
    {
        TestWorkDir dir;
        FeatureTable t;
        t.leesnamen("maan_lk.dat");                     // missing: silently empty
        QVERIFY(!t.slot(1).inUse());
        QVERIFY(!QFile::exists("maan_lk.dat"));

        writeWholeFile("maan_lk.dat", QByteArray());    // 0 bytes: empty
        t.leesnamen("maan_lk.dat");
        QVERIFY(!t.slot(1).inUse());

        // Length byte 0 is an empty slot whatever else it holds.
        FeatureRecord ghost = record("Spook", 1, 1);
        ghost.nameLength = 0;
        writeWholeFile("maan_lk.dat", fileOf({record("A", 1, 2), ghost, record("C", 3, 4)}));
        t.leesnamen("maan_lk.dat");
        QCOMPARE(t.slot(1).name(), QString("A"));
        QVERIFY(!t.slot(2).inUse());
        QCOMPARE(t.slot(3).name(), QString("C"));
        QVERIFY(!t.slot(4).inUse());

        // More than 800 records: only 800 slots are filled.
        QList<FeatureRecord> many;
        for (int i = 0; i < 805; ++i)
            many.append(record(QString("F%1").arg(i + 1), i, i));
        writeWholeFile("maan_lk.dat", fileOf(many));
        t.initnamen();
        t.leesnamen("maan_lk.dat");
        QCOMPARE(t.slot(800).name(), QString("F800"));
    }

    void shortFileIsReportedAndNeverSavedOver()
    {
        TestWorkDir dir;
        QByteArray damaged = fileOf({record("Tycho", 1, 2), record("Plato", 3, 4)});
        damaged.chop(10);
        writeWholeFile("maan_vm.dat", damaged);
        FeatureTable t;
        QVERIFY_THROWS_EXCEPTION(FileError, t.leesnamen("maan_vm.dat"));
        QCOMPARE(t.slot(1).name(), QString("Tycho"));     // read before the error
        QVERIFY(!t.slot(2).inUse());
        t.opslaan("maan_vm.dat");
        QCOMPARE(readWholeFile("maan_vm.dat"), damaged);   // the file keeps its contents
        QVERIFY(!t.slot(1).inUse());
        // A later successful load lifts the block.
        writeWholeFile("maan_vm.dat", fileOf({record("Tycho", 1, 2)}));
        t.leesnamen("maan_vm.dat");
        t.opslaan("maan_vm.dat");
        QCOMPARE(QFileInfo("maan_vm.dat").size(), qint64(91200));
    }

    void failedWriteLeavesOldFileWhole()
    {
        TestWorkDir dir;
        FeatureTable t;
        t.slot(1) = record("Oud", 1, 1);
        t.opslaan("maan_vm.dat");
        const QByteArray before = readWholeFile("maan_vm.dat");

        // A read-only directory: the temporary file cannot be made (root
        // writes anyway, so only an ordinary user can see this).
        if (::geteuid() != 0) {
            QDir().mkdir("ro");
            QFile::copy("maan_vm.dat", "ro/maan_vm.dat");
            ::chmod("ro", 0555);
            t.slot(1) = record("Nieuw", 2, 2);
            QVERIFY_THROWS_EXCEPTION(FileError, t.opslaan("ro/maan_vm.dat"));
            ::chmod("ro", 0755);
            QCOMPARE(t.slot(1).name(), QString("Nieuw"));  // the edit is not lost
            QCOMPARE(readWholeFile("ro/maan_vm.dat"), before);
        }

        // A full disk: the temporary file cannot be written.
        QFile::link("/dev/full", "maan_vm.dat.tmp");
        t.slot(1) = record("Nieuw", 2, 2);
        QVERIFY_THROWS_EXCEPTION(FileError, t.opslaan("maan_vm.dat"));
        QCOMPARE(readWholeFile("maan_vm.dat"), before);
        QCOMPARE(t.slot(1).name(), QString("Nieuw"));
    }

    void numberTexts()
    {
        const QChar c(',');
        QCOMPARE(numberText(359.94, 3, 1, c), QString("360,0"));
        QCOMPARE(numberText(179.71, 3, 1, c), QString("180,0"));
        QCOMPARE(numberText(337.39, 3, 1, c), QString("337,0"));
        QCOMPARE(numberText(1.75, 3, 1, c), QString("1,8"));
        QCOMPARE(numberText(0.0046, 3, 1, c), QString("0,0"));
        QCOMPARE(numberText(0.1903, 3, 1, c), QString("0,2"));
        QCOMPARE(numberText(100.0, 3, 1, c), QString("100,0"));
        QCOMPARE(numberText(160.0, 5, 0, c), QString("160"));
        QCOMPARE(numberText(207.52, 4, 0, c), QString("208"));
        QCOMPARE(numberText(123456.7, 4, 0, c), QString("1,235E5"));
        QCOMPARE(numberText(9999.6, 4, 0, c), QString("1E4"));
        QCOMPARE(numberText(4.8, 3, 0, c), QString("5"));
        QCOMPARE(numberText(2.5, 3, 0, c), QString("3"));
        QCOMPARE(numberText(-2.5, 3, 0, c), QString("-3"));
        QCOMPARE(roundHalfEven(272.5), 272.0);
        QCOMPARE(roundHalfEven(25.5), 26.0);
        QCOMPARE(toPixel(1e300), PixelLimit);
        QCOMPARE(toPixel(-1e300), -PixelLimit);
    }
};

QTEST_GUILESS_MAIN(TestFeatureData)
#include "test_featuredata.moc"

#include <QtTest>

#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "data/fileerror.h"
#include "data/numbertext.h"
#include "data/plainfile.h"
#include "tests/common/workdir.h"


#include <cerrno>
#include <cstring>

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

    void savingKeepsLinksPermissionsAndTheOldFile()
    {
        TestWorkDir dir;
        FeatureTable t;
        t.slot(1) = record("Oud", 1, 1);
        t.opslaan("maan_vm.dat");
        const QByteArray before = readWholeFile("maan_vm.dat");

        // The file keeps its permissions.
        ::chmod("maan_vm.dat", 0640);
        t.slot(1) = record("Nieuw", 2, 2);
        t.opslaan("maan_vm.dat");
        struct stat st {};
        QCOMPARE(::stat("maan_vm.dat", &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);

        // A link is written through to its target and stays a link.
        QDir().mkdir("elders");
        QVERIFY(QFile::rename("maan_vm.dat", "elders/maan_vm.dat"));
        QVERIFY(QFile::link("elders/maan_vm.dat", "maan_vm.dat"));
        t.slot(1) = record("Via link", 3, 3);
        t.opslaan("maan_vm.dat");
        QVERIFY(QFileInfo("maan_vm.dat").isSymLink());
        t.leesnamen("elders/maan_vm.dat");
        QCOMPARE(t.slot(1).name(), QString("Via link"));

        // A link planted where a temporary file once was is left alone.
        writeWholeFile("doel", "ongewijzigd");
        QVERIFY(QFile::link("doel", "maan_ek.dat.tmp"));
        t.slot(1) = record("Plato", 4, 4);
        t.opslaan("maan_ek.dat");
        QCOMPARE(readWholeFile("doel"), QByteArray("ongewijzigd"));
        QCOMPARE(QFileInfo("maan_ek.dat").size(), qint64(IndexFileSize));

        // A full disk (a file size limit stands in for it): the old file stays
        // whole and the edit stays in memory.
        writeWholeFile("maan_lk.dat", before);
        t.slot(1) = record("Nieuw", 2, 2);
        QString reason;
        {
            const FullDisk full;
            QVERIFY(full.active());
            try {
                t.opslaan("maan_lk.dat");
            } catch (const FileError& e) {
                reason = QString::fromLocal8Bit(e.what());
            }
        }
        // In the system's words, as every file error.
        QCOMPARE(reason, "maan_lk.dat: " + QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(readWholeFile("maan_lk.dat"), before);
        QCOMPARE(t.slot(1).name(), QString("Nieuw"));
        QCOMPARE(QDir().entryList(QDir::Files).filter("maan_lk").size(), 1);   // nothing left behind
    }

    void savingWithRealPermissions()
    {
        // Root writes where an ordinary user may not: as root, this case runs
        // again as the user "nobody".
        if (const OrdinaryUserRun run = runAsOrdinaryUser("savingWithRealPermissions"); run.ran) {
            if (run.skipped)
                QSKIP(run.output.constData());
            QVERIFY2(run.passed, run.output.constData());
            return;
        }
        TestWorkDir dir;
        FeatureTable t;
        t.slot(1) = record("Oud", 1, 1);
        QDir().mkdir("ro");
        t.opslaan("ro/maan_vm.dat");
        const QByteArray before = readWholeFile("ro/maan_vm.dat");

        // A writable file in a folder the user cannot write: written in place.
        ::chmod("ro", 0555);
        t.slot(1) = record("Nieuw", 2, 2);
        t.opslaan("ro/maan_vm.dat");
        QCOMPARE(QDir("ro").entryList(QDir::Files | QDir::Hidden), QStringList{"maan_vm.dat"});
        t.leesnamen("ro/maan_vm.dat");
        QCOMPARE(t.slot(1).name(), QString("Nieuw"));
        ::chmod("ro", 0755);

        // A read-only file is refused and stays as it was, read-only.
        writeWholeFile("maan_vm.dat", before);
        ::chmod("maan_vm.dat", 0444);
        t.slot(1) = record("Anders", 3, 3);
        QVERIFY_THROWS_EXCEPTION(FileError, t.opslaan("maan_vm.dat"));
        QCOMPARE(readWholeFile("maan_vm.dat"), before);
        QVERIFY(!QFileInfo("maan_vm.dat").isWritable());
        QCOMPARE(t.slot(1).name(), QString("Anders"));   // the edit is not lost

        // Neither file nor folder writable: refused, nothing changed.
        QFile::copy("maan_vm.dat", "ro/maan_ek.dat");
        ::chmod("ro/maan_ek.dat", 0444);
        ::chmod("ro", 0555);
        QVERIFY_THROWS_EXCEPTION(FileError, t.opslaan("ro/maan_ek.dat"));
        ::chmod("ro", 0755);
        QCOMPARE(readWholeFile("ro/maan_ek.dat"), before);
    }

    void editsInADamagedFileAreKnown()
    {
        TestWorkDir dir;
        QByteArray damaged = fileOf({record("Tycho", 1, 2), record("Plato", 3, 4)});
        damaged.chop(10);
        writeWholeFile("maan_vm.dat", damaged);
        FeatureTable t;
        QVERIFY_THROWS_EXCEPTION(FileError, t.leesnamen("maan_vm.dat"));
        QVERIFY(!t.editsWouldBeLost("maan_vm.dat"));    // nothing changed yet
        t.slot(5) = record("Nieuw", 9, 9);
        QVERIFY(t.editsWouldBeLost("maan_vm.dat"));
        QVERIFY(!t.editsWouldBeLost("maan_ek.dat"));
        t.slot(5).nameLength = 0;
        QVERIFY(!t.editsWouldBeLost("maan_vm.dat"));
        t.slot(1).setPosition(7, 7);
        QVERIFY(t.editsWouldBeLost("maan_vm.dat"));
        t.opslaan("maan_vm.dat");
        QCOMPARE(readWholeFile("maan_vm.dat"), damaged);
        QVERIFY(!t.editsWouldBeLost("maan_vm.dat"));
    }

    void aDamagedLengthByteIsNoEdit()
    {
        // 799 whole records, the last claiming a name of 255 characters, and
        // half a record: compared as far as a record holds, nothing changed.
        TestWorkDir dir;
        QList<FeatureRecord> records;
        for (int i = 0; i < 799; ++i)
            records.append(record(QString("F%1").arg(i + 1), i, i));
        QByteArray damaged = fileOf(records) + QByteArray(50, 'x');
        damaged[798 * 114] = char(255);
        writeWholeFile("maan_vm.dat", damaged);
        FeatureTable t;
        QVERIFY_THROWS_EXCEPTION(FileError, t.leesnamen("maan_vm.dat"));
        QCOMPARE(t.slot(799).name().size(), FeatureRecord::MaxNameLength);
        QVERIFY(!t.changedSinceRead());
        QVERIFY(!t.editsWouldBeLost("maan_vm.dat"));
        // Renaming it to its own 100 characters still changes the record.
        t.slot(799).setName(t.slot(799).name());
        QVERIFY(t.editsWouldBeLost("maan_vm.dat"));
    }

    void changesSinceTheLastRead()
    {
        TestWorkDir dir;
        writeIndexFile("maan_vm.dat", {{1, "Tycho", 10, 20}, {2, "Plato", 30, 40}});
        FeatureTable t;
        QVERIFY(!t.changedSinceRead());                    // a new table is empty
        t.leesnamen("maan_vm.dat");
        QVERIFY(!t.changedSinceRead());

        // Bytes that mean nothing (leftovers in a name, an empty slot's
        // contents) are no change.
        t.slot(1).nameChars[50] = 'z';
        t.slot(5).posX = encodeReal48(9);
        QVERIFY(!t.changedSinceRead());

        t.slot(2).setPosition(30, 41);
        QVERIFY(t.changedSinceRead());
        t.slot(2).setPosition(30, 40);                     // moved back
        QVERIFY(!t.changedSinceRead());
        t.deleteSlot(1);
        QVERIFY(t.changedSinceRead());

        // A save writes the table and empties it: unchanged from then on, until
        // something is added.
        t.opslaan("maan_vm.dat");
        QVERIFY(!t.changedSinceRead());
        t.slot(1) = record("Nieuw", 1, 1);
        QVERIFY(t.changedSinceRead());
        t.initnamen();
        QVERIFY(!t.changedSinceRead());

        // A missing file reads as an empty index.
        t.leesnamen("maan_ek.dat");
        QVERIFY(!t.changedSinceRead());
    }

    void aDeletedFolderIsNamed()
    {
        // The program's folder deleted while it works in it: reading and
        // saving name the folder, not a missing file or a refused operation.
        TestWorkDir dir;
        const QString folder = dir.filePath("atlas");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QDir::setCurrent(folder));
        writeIndexFile("maan_vm.dat", {{1, "Tycho", 10, 20}});
        FeatureTable t;
        t.leesnamen("maan_vm.dat");
        QVERIFY(QDir(folder).removeRecursively());
        const QString gone = ": de map " + folder + " bestaat niet meer";
        auto failure = [](const std::function<void()>& operation) {
            try {
                operation();
            } catch (const FileError& e) {
                return QString::fromLocal8Bit(e.what());
            }
            return QString("(done)");
        };
        QCOMPARE(failure([&] { t.opslaan("maan_vm.dat"); }), "maan_vm.dat" + gone);
        QCOMPARE(t.slot(1).name(), QString("Tycho"));
        QCOMPARE(failure([&] { t.leesnamen("maan_ek.dat"); }), "maan_ek.dat" + gone);
        QCOMPARE(failure([&] { readPlainFile("maan_vm.bmp", 100, "", ""); }), "maan_vm.bmp" + gone);
        QVERIFY(QDir::setCurrent(dir.path()));
        // A folder that exists says nothing of the kind.
        QVERIFY(missingFolderError("maan_vm.dat").empty());
    }

    void namedPipeIsNoIndex()
    {
        TestWorkDir dir;
        QCOMPARE(::mkfifo("maan_vm.dat", 0644), 0);
        FeatureTable t;
        QVERIFY_THROWS_EXCEPTION(FileError, t.leesnamen("maan_vm.dat"));   // and does not wait for a writer
        int n = -1;
        QVERIFY_THROWS_EXCEPTION(FileError, readIndexFile("maan_vm.dat", &n));
        // Nor is one written to or replaced, also through a link.
        QVERIFY(QFile::link("maan_vm.dat", "maan_ek.dat"));
        for (const char* name : {"maan_vm.dat", "maan_ek.dat"}) {
            FeatureTable u;
            u.slot(1) = record("Tycho", 1, 1);
            QVERIFY_THROWS_EXCEPTION(FileError, u.opslaan(name));
            QCOMPARE(u.slot(1).name(), QString("Tycho"));
        }
        QVERIFY(QFileInfo("maan_vm.dat").isFile() == false);
        QVERIFY(QFileInfo("maan_ek.dat").isSymLink());
        QCOMPARE(QDir().entryList({"maan*"}, QDir::Files | QDir::System | QDir::Hidden).size(), 2);
    }

    // The launcher links every data file but the index files into the user's
    // folder: the readers take a link to a regular file as that file, and a
    // link to anything else as that thing.
    void readersFollowLinks()
    {
        TestWorkDir dir;
        QDir().mkdir("gegevens");
        writeWholeFile("gegevens/Plato.txt", "1 Plato\r\n");
        writeIndexFile("gegevens/maan_vm.dat", {{1, "Tycho", 10, 20}});
        QVERIFY(QFile::link(dir.filePath("gegevens/Plato.txt"), "Plato.txt"));  // absolute
        QVERIFY(QFile::link("gegevens/maan_vm.dat", "maan_vm.dat"));                 // relative
        QCOMPARE(readPlainFile("Plato.txt", 100, "geen gewoon bestand", ""), QByteArray("1 Plato\r\n"));
        FeatureTable t;
        t.leesnamen("maan_vm.dat");
        QCOMPARE(t.slot(1).name(), QString("Tycho"));

        // A link whose file is gone is a missing file, not an error.
        QVERIFY(QFile::link("gegevens/weg.txt", "weg.txt"));
        bool missing = false;
        QVERIFY(readPlainFile("weg.txt", 100, "geen gewoon bestand", "", &missing).isEmpty());
        QVERIFY(missing);
        // A link to a folder or a pipe is refused, without waiting for a writer.
        QCOMPARE(::mkfifo("gegevens/pijp", 0644), 0);
        QVERIFY(QFile::link("gegevens/pijp", "pijp.txt"));
        QVERIFY(QFile::link("gegevens", "map.txt"));
        for (const char* name : {"pijp.txt", "map.txt"}) {
            try {
                readPlainFile(name, 100, "geen gewoon bestand", "");
                QFAIL(name);
            } catch (const FileError& e) {
                QCOMPARE(QString(e.what()), QString(name) + ": geen gewoon bestand");
            }
        }
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
        // Below a kilometre the scale keeps three significant digits.
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(distanceText(0.5, 5), QString("0,5"));
        QCOMPARE(distanceText(0.49999, 5), QString("0,5"));
        QCOMPARE(distanceText(0.1234, 4), QString("0,123"));
        QCOMPARE(distanceText(0.0010004, 4), QString("0,001"));
        QCOMPARE(distanceText(0.99996, 4), QString("1"));
        QCOMPARE(distanceText(1.4, 5), QString("1"));
        QCOMPARE(distanceText(160, 5), QString("160"));
        QCOMPARE(distanceText(8e-29, 5), QString("8E-29"));
        QCOMPARE(distanceText(0, 5), QString("0"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(distanceText(0.25, 5), QString("0.25"));
        QCOMPARE(toPixel(-1e300), -PixelLimit);
    }
};

QTEST_GUILESS_MAIN(TestFeatureData)
#include "test_featuredata.moc"

#include <QtTest>

#include "platform/soundplayer.h"
#include "tests/common/wavfixture.h"
#include "tests/common/workdir.h"

#include <QDir>
#include <QtEndian>
#include <QTemporaryDir>

// Runs without a sound device: the player must then stay silent and keep
// working, as it must when its file is missing.
class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void playsTheFileOfTheWorkingDirectoryAnewAtEachPlay()
    {
        TestWorkDir first;
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), toneWav(500)));
        SoundPlayer player;
        player.setFileName(QStringLiteral("vokman.wav"));
        player.play();
        QVERIFY(player.isPlaying());
        QCOMPARE(player.openFile(), first.filePath(QStringLiteral("vokman.wav")));

        // Asked again while it plays, it starts over rather than ignoring the click.
        player.play();
        QVERIFY(player.isPlaying());
        QCOMPARE(player.openFile(), first.filePath(QStringLiteral("vokman.wav")));

        // The relative name is looked up where the program works at that moment.
        TestWorkDir second;
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), toneWav(300)));
        player.play();
        QCOMPARE(player.openFile(), second.filePath(QStringLiteral("vokman.wav")));
        QVERIFY(player.isPlaying());
    }

    void failsSilently_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << QStringLiteral("missing");
        QTest::newRow("a folder by that name") << QStringLiteral("folder");
        QTest::newRow("not a sound") << QStringLiteral("garbage");
        QTest::newRow("no file name") << QStringLiteral("unnamed");
    }

    void failsSilently()
    {
        QFETCH(QString, kind);
        TestWorkDir dir;
        QVERIFY(writeWholeFile(QStringLiteral("ok.wav"), toneWav(500)));
        SoundPlayer player;
        player.setFileName(QStringLiteral("ok.wav"));
        player.play();
        QVERIFY(player.isPlaying());

        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(QStringLiteral("vokman.wav")));
        if (kind == QLatin1String("garbage"))
            QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), QByteArray("RIFF....WAVEjunk").repeated(20)));
        player.setFileName(kind == QLatin1String("unnamed") ? QString() : QStringLiteral("vokman.wav"));
        // The message that was playing stops: the player is opened anew.
        player.play();
        QTRY_VERIFY(!player.isPlaying());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());

        // And it still plays once the file is right.
        player.setFileName(QStringLiteral("ok.wav"));
        player.play();
        QVERIFY(player.isPlaying());
    }

    void playsWhatItReadWithinTheSizeLimit()
    {
        TestWorkDir dir;
        SoundPlayer player;
        player.setFileName(QStringLiteral("vokman.wav"));
        // The largest message it plays.
        QByteArray wav = toneWav(500);
        wav += QByteArray(MaxSoundFileSize - wav.size(), '\0');
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), wav));
        player.play();
        QVERIFY(player.isPlaying());
        // What was read plays on when the file goes: it is not opened again.
        QVERIFY(QFile::remove(QStringLiteral("vokman.wav")));
        QTest::qWait(500);
        QVERIFY(player.isPlaying());

        // One byte more, or a header claiming a gigabyte in a sparse file: not
        // read, not played, nothing said.
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), wav + '\0'));
        player.play();
        QVERIFY(!player.isPlaying());
        QVERIFY(player.openFile().isEmpty());
        QByteArray claim = toneWav(10);
        qToLittleEndian<qint32>(qint32(1 << 30) + 36, claim.data() + 4);
        qToLittleEndian<qint32>(qint32(1 << 30), claim.data() + 40);
        QFile sparse(QStringLiteral("vokman.wav"));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.write(claim) == claim.size()
                && sparse.resize(claim.size() + (qint64(1) << 30)));
        sparse.close();
        player.play();
        QVERIFY(!player.isPlaying());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "test_soundplayer.moc"

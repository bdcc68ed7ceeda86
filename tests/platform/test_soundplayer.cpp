#include <QtTest>

#include "platform/soundplayer.h"
#include "tests/common/wavfixture.h"
#include "tests/common/workdir.h"

#include <QDir>
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
};

QTEST_MAIN(TestSoundPlayer)
#include "test_soundplayer.moc"

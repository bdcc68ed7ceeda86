#include <QtTest>

#include "tools/artwork/artwork.h"
#include "tests/common/workdir.h"

#include <QDataStream>
#include <QTemporaryDir>

namespace {
const QStringList artworkFiles = {QStringLiteral("vokman.png"), QStringLiteral("auteur.png"),
                                  QStringLiteral("selvanor.svg"), QStringLiteral("selvanor.png")};

QString resourcesDir()
{
    return QStringLiteral(SELVANOR_SOURCE_DIR "/resources");
}
}

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    // What is committed is what the tool draws, and it draws the same each time.
    void artworkIsReproducible()
    {
        QTemporaryDir first, second;
        QVERIFY(writeArtwork(first.path()));
        QVERIFY(writeArtwork(second.path()));
        for (const QString& name : artworkFiles) {
            const QByteArray drawn = readWholeFile(first.filePath(name));
            QVERIFY2(!drawn.isEmpty(), qPrintable(name));
            QVERIFY2(drawn == readWholeFile(second.filePath(name)), qPrintable(name));
            QVERIFY2(drawn == readWholeFile(resourcesDir() + QLatin1Char('/') + name),
                     qPrintable(name + QStringLiteral(" differs from the committed file: run make atlas")));
        }
    }

    void picturesHaveTheirWindowsSizes()
    {
        const QImage mascot = drawMascot();
        QCOMPARE(mascot.size(), QSize(71, 101));
        // Transparent around the figure, so the title screen's black shows.
        QCOMPARE(qAlpha(mascot.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(mascot.pixel(70, 100)), 0);
        QCOMPARE(qAlpha(mascot.pixel(35, 25)), 255);
        QCOMPARE(drawAuthorPicture().size(), QSize(125, 149));
        const QImage icon = drawIcon(128);
        QCOMPARE(icon.size(), QSize(128, 128));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(64, 64)), 255);
        QVERIFY(iconSvg().contains(QStringLiteral("viewBox=\"0 0 128 128\"")));
    }

    // The mascot's message: a PCM WAV the sound player can play, a few seconds long.
    void spokenMessageIsAPlayableWav()
    {
        const QByteArray wav = readWholeFile(TestWorkDir::atlasDir() + QStringLiteral("/vokman.wav"));
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QDataStream in(wav.mid(20, 16));
        in.setByteOrder(QDataStream::LittleEndian);
        qint16 format, channels, blockAlign, bits;
        qint32 rate, byteRate;
        in >> format >> channels >> rate >> byteRate >> blockAlign >> bits;
        QCOMPARE(format, qint16(1));
        QCOMPARE(channels, qint16(1));
        QCOMPARE(bits, qint16(16));
        const double seconds = double(wav.size() - 44) / byteRate;
        QVERIFY2(seconds > 2 && seconds < 20, qPrintable(QString::number(seconds)));
    }
};

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"

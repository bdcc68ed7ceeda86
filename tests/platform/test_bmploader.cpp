#include <QtTest>

#include "data/fileerror.h"
#include "platform/bmploader.h"
#include "tests/common/workdir.h"

#include <QtEndian>

namespace {
void put32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void put16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }

// A bitmap with a grey palette around `pixels`, stored as given.
QByteArray bitmapFile(int width, int height, int bitsPerPixel, int compression, const QByteArray& pixels)
{
    const int colours = 1 << bitsPerPixel;
    const int offset = 14 + 40 + 4 * colours;
    QByteArray b(offset, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, quint32(offset + pixels.size()));
    put32(b, 10, quint32(offset));
    put32(b, 14, 40);
    put32(b, 18, quint32(width));
    put32(b, 22, quint32(height));
    put16(b, 26, 1);
    put16(b, 28, quint16(bitsPerPixel));
    put32(b, 30, quint32(compression));
    put32(b, 34, quint32(pixels.size()));
    put32(b, 46, quint32(colours));
    for (int i = 0; i < colours; ++i) {
        const char g = char(i * 255 / (colours - 1));
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = g;
    }
    return b + pixels;
}

// Run-length coding as paint programs write it: runs of one value, stretches
// of differing values as they are, an end after every row but the last and
// after the picture. `grey` gives the palette index of a pixel.
QByteArray runLengthCoded(int width, int height, bool fourBits, const std::function<int(int, int)>& grey)
{
    QByteArray out;
    for (int y = height - 1; y >= 0; --y) {
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 255 && grey(x + run, y) == grey(x, y))
                ++run;
            if (run >= 2 || width - x < 3) {
                const int v = grey(x, y);
                out += char(run);
                out += char(fourBits ? v << 4 | v : v);
                x += run;
                continue;
            }
            // Differing values: as they are, up to the next run of two.
            int n = 1;
            while (x + n < width && n < 254 && (x + n + 1 >= width || grey(x + n, y) != grey(x + n + 1, y)))
                ++n;
            n = std::max(n, 3);
            out += char(0);
            out += char(n);
            QByteArray raw;
            for (int i = 0; i < n; ++i) {
                if (!fourBits)
                    raw += char(grey(x + i, y));
                else if (i % 2 == 0)
                    raw += char(grey(x + i, y) << 4);
                else
                    raw.back() = char(raw.back() | grey(x + i, y));
            }
            if (raw.size() % 2)
                raw += '\0';
            out += raw;
            x += n;
        }
        if (y > 0)
            out += QByteArray("\0\0", 2);
    }
    return out + QByteArray("\0\1", 2);
}

QByteArray runLengthView(const QImage& grey)
{
    return bitmapFile(grey.width(), grey.height(), 8, 1, runLengthCoded(grey.width(), grey.height(), false,
                                                                          [&](int x, int y) {
                                                                              return qGray(grey.pixel(x, y));
                                                                          }));
}

QString refusal(const QString& file)
{
    try {
        loadBitmapFile(file);
    } catch (const FileError& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return QStringLiteral("(loaded)");
}

bool sameGreys(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (qGray(a.pixel(x, y)) != qGray(b.pixel(x, y)))
                return false;
    return true;
}
}

class TestBmpLoader : public QObject {
    Q_OBJECT

private slots:
    void runLengthCodedViewsLoadLikeTheirPlainOnes()
    {
        // A real view image, coded as a paint program would save it.
        TestWorkDir dir({QStringLiteral("maan_lk.bmp")});
        const QImage plain = loadBitmapFile(QStringLiteral("maan_lk.bmp"));
        QByteArray rle = runLengthView(plain);
        QVERIFY(writeWholeFile(QStringLiteral("rle.bmp"), rle));
        QVERIFY(sameGreys(loadBitmapFile(QStringLiteral("rle.bmp")), plain));
        // With 4000 bytes of its pixel data zeroed it is damaged, not stripes.
        rle.replace(rle.size() / 2, 4000, QByteArray(4000, '\0'));
        QVERIFY(writeWholeFile(QStringLiteral("rle.bmp"), rle));
        QCOMPARE(refusal(QStringLiteral("rle.bmp")), QStringLiteral("rle.bmp: beschadigd of geen geldig beeldbestand"));

        // Four bits a pixel, rows that end with their last run or with a
        // stretch of differing values.
        auto grey = [](int x, int y) { return x < 5 ? (x + y) % 16 : (x / 4 + y) % 16; };
        QVERIFY(writeWholeFile(QStringLiteral("rle4.bmp"), bitmapFile(23, 9, 4, 2, runLengthCoded(23, 9, true, grey))));
        // Some encoders code each row on to its stored, padded width.
        QByteArray padded;
        for (int y = 0; y < 4; ++y)
            padded += QByteArray("\x21\x80\x03\x00\x00\x00", 6);
        QVERIFY(writeWholeFile(QStringLiteral("pad.bmp"), bitmapFile(33, 4, 8, 1, padded + QByteArray("\0\1", 2))));
        const QImage coded = loadBitmapFile(QStringLiteral("pad.bmp"));
        QCOMPARE(coded.size(), QSize(33, 4));
        QCOMPARE(qGray(coded.pixel(32, 3)), 128);
        const QImage four = loadBitmapFile(QStringLiteral("rle4.bmp"));
        QCOMPARE(four.size(), QSize(23, 9));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 23; ++x)
                QCOMPARE(qGray(four.pixel(x, y)), grey(x, y) * 17);
    }

    void damagedRunLengthDataIsRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        const int w = 40, h = 30;
        auto grey = [](int x, int y) { return (x / 3 * 7 + y * 5) % 256; };
        const QByteArray stream = runLengthCoded(w, h, false, grey);
        auto withStream = [&](const QByteArray& s) { return bitmapFile(w, h, 8, 1, s); };
        QVERIFY(!decodeBitmap(withStream(stream)).isNull());

        // Zeroes read as ends of rows: the rows after them go astray.
        QByteArray zeroed = stream;
        zeroed.replace(stream.size() / 3, 100, QByteArray(100, '\0'));
        QTest::newRow("zeroed stretch, same size") << withStream(zeroed);
        QTest::newRow("a row ends early") << withStream(QByteArray("\x05\x10\0\0", 4) + stream);
        QTest::newRow("a row runs over") << withStream(QByteArray("\x20\x10", 2) + stream);
        QTest::newRow("a row past its padding") << withStream(QByteArray("\x29\x10\0\0", 4) + stream);
        QTest::newRow("a jump") << withStream(QByteArray("\0\x02\x05\x01", 4) + stream.mid(4));
        QTest::newRow("ends before the last row") << withStream(stream.left(stream.size() / 2) + QByteArray("\0\1", 2));
        QTest::newRow("no end") << withStream(stream.chopped(2));
        QTest::newRow("rows past the last") << withStream(stream.chopped(2) + QByteArray("\0\0\x28\x01\0\1", 6));
        QByteArray longer = withStream(stream);
        put32(longer, 34, quint32(stream.size() + 10));
        QTest::newRow("data cut short") << longer;
        QByteArray topDown = withStream(stream);
        put32(topDown, 22, quint32(-h));
        QTest::newRow("rows top-down") << topDown;
        QByteArray wrongDepth = withStream(stream);
        put16(wrongDepth, 28, 24);
        QTest::newRow("run-length coding at 24 bits") << wrongDepth;
        QByteArray png = withStream(stream);
        put32(png, 30, 5);
        QTest::newRow("a picture in another format") << png;
    }

    void damagedRunLengthDataIsRefused()
    {
        QFETCH(QByteArray, file);
        TestWorkDir dir;
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.bmp"), file));
        QCOMPARE(refusal(QStringLiteral("maan_lk.bmp")), QStringLiteral("maan_lk.bmp: beschadigd of geen geldig beeldbestand"));
    }

    void picturesTooLargeToHoldAreCalledSo()
    {
        TestWorkDir dir;
        // A few bytes that code a picture of 20000 x 20000: more than the
        // toolkit decodes.
        QByteArray rows;
        for (int y = 0; y < 20000; ++y) {
            for (int x = 0; x < 20000; x += 250)
                rows += QByteArray("\xFA\x40", 2);
            rows += QByteArray("\0\0", 2);
        }
        QVERIFY(writeWholeFile(QStringLiteral("groot.bmp"), bitmapFile(20000, 20000, 8, 1, rows.chopped(2) + QByteArray("\0\1", 2))));
        QCOMPARE(refusal(QStringLiteral("groot.bmp")),
                 QStringLiteral("groot.bmp: het beeld is te groot om te tonen (20000 bij 20000 beeldpunten)"));

        // 6000 x 6000 at 24 bits is 144 MB in memory: more than the toolkit
        // holds.
        QByteArray colour(54, '\0');
        colour[0] = 'B';
        colour[1] = 'M';
        put32(colour, 10, 54);
        put32(colour, 14, 40);
        put32(colour, 18, 6000);
        put32(colour, 22, 6000);
        put16(colour, 28, 24);
        QVERIFY(writeWholeFile(QStringLiteral("kleur.bmp"), colour));
        QCOMPARE(refusal(QStringLiteral("kleur.bmp")),
                 QStringLiteral("kleur.bmp: het beeld is te groot om te tonen (6000 bij 6000 beeldpunten)"));

        // Sizes whose pixel count does not even fit 64 bits.
        put32(colour, 18, 1610612997);
        put32(colour, 22, quint32(-1961295696));
        QVERIFY(decodeBitmap(colour).isNull());
        QVERIFY(writeWholeFile(QStringLiteral("kleur.bmp"), colour));
        QCOMPARE(refusal(QStringLiteral("kleur.bmp")),
                 QStringLiteral("kleur.bmp: het beeld is te groot om te tonen (1610612997 bij 1961295696 beeldpunten)"));

        // A file larger than any picture is not read at all.
        QFile big(QStringLiteral("reus.bmp"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("BM") == 2 && big.resize(256LL * 1024 * 1024 + 1));
        big.close();
        QCOMPARE(refusal(QStringLiteral("reus.bmp")),
                 QStringLiteral("reus.bmp: dit bestand is te groot voor een beeld (meer dan 256 MB)"));
    }

    void onlyWholePlainBitmapsLoad()
    {
        TestWorkDir dir;
        QVERIFY(writeViewImage(QStringLiteral("vlak.bmp"), 30, 20, true));
        QCOMPARE(loadBitmapFile(QStringLiteral("vlak.bmp")).size(), QSize(30, 20));
        QByteArray cut = readWholeFile(QStringLiteral("vlak.bmp"));
        cut.chop(1);
        QVERIFY(writeWholeFile(QStringLiteral("kort.bmp"), cut));
        QCOMPARE(refusal(QStringLiteral("kort.bmp")), QStringLiteral("kort.bmp: beschadigd of geen geldig beeldbestand"));
        QCOMPARE(refusal(QStringLiteral("weg.bmp")), QStringLiteral("weg.bmp: No such file or directory"));
        // Pixels that name colours the palette does not have.
        QByteArray shortPalette = bitmapFile(4, 1, 8, 0, QByteArray("\x00\x05\x00\x00", 4));
        QVERIFY(!decodeBitmap(shortPalette).isNull());
        put32(shortPalette, 46, 1);
        QVERIFY(writeWholeFile(QStringLiteral("palet.bmp"), shortPalette));
        QCOMPARE(refusal(QStringLiteral("palet.bmp")), QStringLiteral("palet.bmp: beschadigd of geen geldig beeldbestand"));
    }
};

QTEST_MAIN(TestBmpLoader)
#include "test_bmploader.moc"

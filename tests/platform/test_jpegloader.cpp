#include <QtTest>

#include <QBuffer>
#include <QImageWriter>
#include <QSet>

#include "data/fileerror.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include "platform/jpegloader.h"
#include "tests/common/workdir.h"

namespace {
QByteArray encode(const QImage& image, int quality = 95, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot encode test JPEG: %s", qPrintable(writer.errorString()));
    return bytes;
}

// A horizontal ramp over all 256 grey values with some texture, so that the
// file has real entropy data to damage.
QImage greyRamp(int width = 512, int height = 96)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = uchar((x * 256 / width + ((x * 7 + y * 13) % 11 == 0 ? 9 : 0)) & 0xFF);
    }
    return image;
}

QSet<int> greyLevelsUsed(const QImage& image)
{
    QSet<int> levels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            levels.insert(qGray(image.pixel(x, y)));
    return levels;
}

// A picture of four inks per pixel, written by libjpeg as Adobe's programs
// write one: inverted inks (255 for none) and an Adobe marker; or plain inks
// without the marker. `ycck` stores it as YCCK, as such files often are.
QByteArray encodeInks(int width, int height, const std::function<std::array<int, 4>(int x, int y)>& ink,
                      bool adobe, bool ycck, bool progressive)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, ycck ? JCS_YCCK : JCS_CMYK);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; ++x) {
            const auto inks = ink(x, int(cinfo.next_scanline));
            for (int i = 0; i < 4; ++i)
                row[std::size_t(x) * 4 + std::size_t(i)] = JSAMPLE(adobe ? 255 - inks[std::size_t(i)] : inks[std::size_t(i)]);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// Replaces the 16-bit height and width of the first SOF marker.
QByteArray withDimensions(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        const auto m = uchar(jpeg[i + 1]);
        if (uchar(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC1 || m == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    qFatal("no SOF marker");
}
}

class TestJpegLoader : public QObject {
    Q_OBJECT
private slots:
    void greyscaleQuantisedToAtMost236Levels()
    {
        const QImage source = greyRamp();
        const QByteArray jpeg = encode(source, 100);
        const QList<QPair<JpegQuantiser, JpegDither>> ways{
            {JpegQuantiser::ColourTable, JpegDither::None},
            {JpegQuantiser::Libjpeg, JpegDither::None},
            {JpegQuantiser::Libjpeg, JpegDither::Ordered},
            {JpegQuantiser::Libjpeg, JpegDither::FloydSteinberg},
        };
        for (const auto& [quantiser, dither] : ways) {
            JpegDecodeOptions options;
            options.quantiser = quantiser;
            options.dither = dither;
            const QImage image = decodeJpeg(jpeg, options);
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), source.size());
            QCOMPARE(image.format(), QImage::Format_Indexed8);
            QSet<QRgb> colours;
            for (QRgb c : image.colorTable()) {
                QVERIFY(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
                colours.insert(c);
            }
            QVERIFY(colours.size() <= 236);
            const QSet<int> levels = greyLevelsUsed(image);
            QVERIFY2(levels.size() <= 236, qPrintable(QString::number(levels.size())));
            // The ramp covers the whole range, so nearly every level occurs.
            QVERIFY2(levels.size() > 200, qPrintable(QString::number(levels.size())));
            QVERIFY(levels.contains(0) && levels.contains(255));
        }
        // Undithered, each pixel stays close to what was encoded (quantisation
        // step ~1.08 plus JPEG loss at quality 100).
        const QImage image = decodeJpeg(jpeg);
        int worst = 0;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                worst = qMax(worst, qAbs(qGray(image.pixel(x, y)) - source.constScanLine(y)[x]));
        QVERIFY2(worst <= 4, qPrintable(QString::number(worst)));
    }

    // The colour-table quantisation must show exactly what libjpeg's own
    // undithered quantiser gives, for any number of levels.
    void colourTableMatchesLibjpegQuantiser()
    {
        QImage colour(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                colour.setPixel(x, y, qRgb(x * 255 / 299, y * 255 / 199, (x * y) % 256));
        const QList<QByteArray> files{encode(greyRamp(), 100), encode(greyRamp(), 40, true), encode(colour, 85)};
        for (int levels : {2, 3, 17, 100, 236, 255, 256}) {
            for (const QByteArray& file : files) {
                JpegDecodeOptions table;
                table.greyLevels = levels;
                JpegDecodeOptions libjpeg = table;
                libjpeg.quantiser = JpegQuantiser::Libjpeg;
                const QImage a = decodeJpeg(file, table).convertToFormat(QImage::Format_Grayscale8);
                const QImage b = decodeJpeg(file, libjpeg).convertToFormat(QImage::Format_Grayscale8);
                QVERIFY(!a.isNull());
                QVERIFY2(a == b, qPrintable(QStringLiteral("%1 levels").arg(levels)));
                QVERIFY(greyLevelsUsed(a).size() <= levels);
            }
        }
    }

    void colourFileGivesItsLuminance()
    {
        QImage colour(48, 16, QImage::Format_RGB32);
        colour.fill(Qt::black);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 48; ++x)
                colour.setPixel(x, y, x < 16 ? qRgb(255, 0, 0) : x < 32 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
        const QImage image = decodeJpeg(encode(colour, 100));
        QVERIFY(!image.isNull());
        // Y = 0.299 R + 0.587 G + 0.114 B
        QVERIFY(qAbs(qGray(image.pixel(8, 8)) - 76) <= 4);
        QVERIFY(qAbs(qGray(image.pixel(24, 8)) - 150) <= 4);
        QVERIFY(qAbs(qGray(image.pixel(40, 8)) - 29) <= 4);
    }

    // Four patches of ink: none, full black, full cyan, half black; the grey
    // is that of the colour they leave (white, black, cyan's 179, 128).
    void inksAreShownInGrey_data()
    {
        QTest::addColumn<bool>("adobe");
        QTest::addColumn<bool>("ycck");
        QTest::addColumn<bool>("progressive");
        QTest::newRow("Adobe CMYK") << true << false << false;
        QTest::newRow("Adobe YCCK") << true << true << false;
        QTest::newRow("Adobe YCCK, progressive") << true << true << true;
        QTest::newRow("plain CMYK") << false << false << false;
    }

    void inksAreShownInGrey()
    {
        QFETCH(bool, adobe);
        QFETCH(bool, ycck);
        QFETCH(bool, progressive);
        const QByteArray jpeg = encodeInks(64, 16, [](int x, int) -> std::array<int, 4> {
            switch (x / 16) {
            case 0: return {0, 0, 0, 0};
            case 1: return {0, 0, 0, 255};
            case 2: return {255, 0, 0, 0};
            default: return {0, 0, 0, 128};
            }
        }, adobe, ycck, progressive);
        const int expected[] = {255, 0, 179, 127};
        int passes = 0;
        const QImage shown = decodeJpegProgressively(jpeg, [&](const QImage&, int) { ++passes; });
        QCOMPARE(shown, decodeJpeg(jpeg));
        QVERIFY(progressive ? passes > 1 : passes == 1);
        QCOMPARE(shown.size(), QSize(64, 16));
        QCOMPARE(shown.format(), QImage::Format_Indexed8);
        for (int patch = 0; patch < 4; ++patch)
            QVERIFY2(qAbs(qGray(shown.pixel(patch * 16 + 8, 8)) - expected[patch]) <= 4,
                     qPrintable(QStringLiteral("patch %1: %2").arg(patch).arg(qGray(shown.pixel(patch * 16 + 8, 8)))));
        // Quantised like every other picture: the same levels.
        QCOMPARE(shown.colorTable(), decodeJpeg(encode(greyRamp(16, 16))).colorTable());
        // Cut short, it is damaged like any other.
        QVERIFY(decodeJpeg(jpeg.left(jpeg.size() / 2)).isNull());
    }

    void damagedDataGivesEmptyImage_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = encode(greyRamp(), 90);
        const QByteArray progressive = encode(greyRamp(), 90, true);
        QVERIFY(!decodeJpeg(good).isNull());
        QVERIFY(!decodeJpeg(progressive).isNull());

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Dit is geen foto.\n");
        QTest::newRow("SOI only") << good.left(2);
        QTest::newRow("header only") << good.left(good.indexOf("\xFF\xDA", 2) + 4);
        QTest::newRow("cut at half") << good.left(good.size() / 2);
        QTest::newRow("cut before the end") << good.left(good.size() - 40);
        QTest::newRow("progressive cut at half") << progressive.left(progressive.size() / 2);
        // Whole scans and nothing after them: the picture would show its first
        // passes as if complete.
        const qsizetype secondScan = progressive.indexOf("\xFF\xDA", progressive.indexOf("\xFF\xDA") + 2);
        QVERIFY(secondScan > 0);
        QTest::newRow("progressive cut at a scan boundary") << progressive.left(secondScan);
        QTest::newRow("progressive without its end marker") << progressive.chopped(2);
        QTest::newRow("without its end marker") << good.chopped(2);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        greyRamp(32, 32).save(&buffer, "png");
        QTest::newRow("png") << png;
        QByteArray marker = good;
        marker.replace(good.size() / 2, 2, QByteArray("\xFF\xD9", 2));
        QTest::newRow("end marker inside the data") << marker;
        QByteArray garbled = good;
        for (qsizetype i = good.size() / 3; i < good.size() - 2; i += 7)
            garbled[i] = char(0xFF);
        QTest::newRow("garbled entropy data") << garbled;
        QTest::newRow("zero width") << withDimensions(good, 0, 96);
        QTest::newRow("claims 60000 x 60000") << withDimensions(good, 60000, 60000);
        QByteArray wrongTable = good;
        wrongTable[wrongTable.indexOf("\xFF\xC4", 2) + 4] = char(0x7F);   // DHT class/id out of range
        QTest::newRow("bad Huffman table") << wrongTable;
    }

    void damagedDataGivesEmptyImage()
    {
        QFETCH(QByteArray, data);
        QVERIFY(decodeJpeg(data).isNull());
        int passes = 0;
        QVERIFY(decodeJpegProgressively(data, [&](const QImage&, int) { ++passes; }).isNull());
    }

    void pixelLimitIsRespected()
    {
        const QByteArray jpeg = encode(greyRamp(200, 100));
        JpegDecodeOptions options;
        options.maxPixels = 200 * 100;
        QVERIFY(!decodeJpeg(jpeg, options).isNull());
        options.maxPixels = 200 * 100 - 1;
        QVERIFY(decodeJpeg(jpeg, options).isNull());
    }

    void scanLimitIsRespected()
    {
        const QByteArray progressive = encode(greyRamp(64, 48), 90, true);
        int scans = 0;
        JpegDecodeOptions options;
        QVERIFY(!decodeJpegProgressively(progressive, [&](const QImage&, int) { ++scans; }, options).isNull());
        QVERIFY(scans > 2);
        options.maxScans = scans;
        QVERIFY(!decodeJpeg(progressive, options).isNull());
        options.maxScans = scans - 1;
        QVERIFY(decodeJpeg(progressive, options).isNull());
        QVERIFY(decodeJpegProgressively(progressive, [](const QImage&, int) {}, options).isNull());
    }

    void progressiveFileIsShownScanByScan()
    {
        const QImage source = greyRamp(320, 240);
        const QByteArray progressive = encode(source, 90, true);
        QList<int> scans;
        QImage last;
        const QImage result = decodeJpegProgressively(progressive, [&](const QImage& picture, int scan) {
            QCOMPARE(picture.size(), source.size());
            scans << scan;
            last = picture;
        });
        QVERIFY2(scans.size() > 1, "a progressive file is refined in several passes");
        QVERIFY(std::is_sorted(scans.begin(), scans.end()));
        QCOMPARE(result, last);
        // The final pass is the same picture as a plain decode.
        QCOMPARE(result, decodeJpeg(progressive));

        scans.clear();
        const QByteArray sequential = encode(source, 90, false);
        QCOMPARE(decodeJpegProgressively(sequential, [&](const QImage&, int scan) { scans << scan; }),
                 decodeJpeg(sequential));
        QCOMPARE(scans, QList<int>{1});
    }

    void loadsFilesAndReportsUnreadableOnes()
    {
        TestWorkDir dir;
        const QImage source = greyRamp(64, 48);
        QVERIFY(writeWholeFile(QStringLiteral("krater.jpg"), encode(source)));
        QVERIFY(writeWholeFile(QStringLiteral("tekst.jpg"), QByteArray("geen foto")));
        const QImage image = loadJpegFile(QStringLiteral("krater.jpg"));
        QCOMPARE(image.size(), source.size());
        QVERIFY(loadJpegFile(QStringLiteral("tekst.jpg")).isNull());
        QVERIFY_THROWS_EXCEPTION(FileError, loadJpegFile(QStringLiteral("ontbreekt.jpg")));

        // Through the plain-file reader: a pipe is refused without waiting for
        // a writer; a picture or file larger than the limits is called too
        // large, not damaged.
        QVERIFY(::mkfifo("pijp.jpg", 0600) == 0);
        auto refusal = [](const QString& name, const JpegDecodeOptions& options = {}) {
            try {
                loadJpegFile(name, options);
            } catch (const FileError& e) {
                return QString::fromLocal8Bit(e.what());
            }
            return QStringLiteral("(loaded)");
        };
        QCOMPARE(refusal(QStringLiteral("pijp.jpg")), QStringLiteral("pijp.jpg: geen geldig beeldbestand"));
        JpegDecodeOptions small;
        small.maxPixels = 64 * 48 - 1;
        QCOMPARE(refusal(QStringLiteral("krater.jpg"), small),
                 QStringLiteral("krater.jpg: het beeld is te groot om te tonen (64 bij 48 beeldpunten)"));
        QFile huge(QStringLiteral("reus.jpg"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(256LL * 1024 * 1024 + 1));
        huge.close();
        QCOMPARE(refusal(QStringLiteral("reus.jpg")),
                 QStringLiteral("reus.jpg: dit bestand is te groot voor een beeld (meer dan 256 MB)"));

        QVERIFY(hasJpegExtension(QStringLiteral("Plato.jpg")));
        QVERIFY(hasJpegExtension(QStringLiteral("Plato.JPG")));
        QVERIFY(hasJpegExtension(QStringLiteral("a.b.jpeg")));
        QVERIFY(!hasJpegExtension(QStringLiteral("Plato.txt")));
        QVERIFY(!hasJpegExtension(QStringLiteral("jpg")));
    }
};

QTEST_MAIN(TestJpegLoader)
#include "test_jpegloader.moc"

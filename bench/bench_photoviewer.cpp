// Memory of the photo viewer with the largest photograph the loader accepts
// (8192 x 8192): resident memory with the photograph shown at its own size,
// after "Groter" and a repaint, and the peak while "Groter" runs (it decodes
// the photograph again). The limit for "Groter" is twice the photograph's own
// size in grey, one byte a pixel.
#include <QApplication>
#include <QFile>
#include <QImageWriter>
#include <QTimer>
#include <cstdio>

#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
double statusMegabytes(const char* field)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double residentMegabytes() { return statusMegabytes("VmRSS:"); }
double peakMegabytes() { return statusMegabytes("VmHWM:"); }

// Starts a new peak from what is resident now.
void resetPeak()
{
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestWorkDir dir;
    const int side = 8192;
    {
        // Texture, so that the file is a photograph's size, not a flat one's.
        QImage image(side, side, QImage::Format_Grayscale8);
        for (int y = 0; y < side; ++y) {
            uchar* row = image.scanLine(y);
            for (int x = 0; x < side; ++x)
                row[x] = uchar((x ^ y) * 7 + (x * y >> 9));
        }
        QImageWriter writer(QStringLiteral("Groot.jpg"), "jpeg");
        writer.setQuality(85);
        if (!writer.write(image)) {
            std::printf("cannot write the photograph\n");
            return 1;
        }
    }
    const double greyMegabytes = double(side) * side / (1024.0 * 1024.0);
    startProgram();
    photoViewer()->photoFileName = QStringLiteral("Groot.jpg");

    double shown = 0, enlarged = 0, peak = 0;
    QTimer::singleShot(0, [&] {
        QCoreApplication::processEvents();
        photoViewer()->client()->repaint();
        shown = residentMegabytes();
        resetPeak();
        photoViewer()->groter1Click();
        photoViewer()->client()->repaint();
        QCoreApplication::processEvents();
        enlarged = residentMegabytes();
        peak = peakMegabytes();
        photoViewer()->close();
    });
    photoViewer()->showModal();

    std::printf("photograph %d x %d, %.0f MB in grey; file %.1f MB\n", side, side, greyMegabytes,
                QFile(QStringLiteral("Groot.jpg")).size() / 1048576.0);
    std::printf("resident: shown %.0f MB, after Groter %.0f MB (%+.0f MB); peak during Groter %+.0f MB; "
                "limit +%.0f MB %s\n",
                shown, enlarged, enlarged - shown, peak - shown, 2 * greyMegabytes,
                peak - shown <= 2 * greyMegabytes ? "(within)" : "(ABOVE)");
    stopProgram();
    return 0;
}

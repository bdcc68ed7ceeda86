// Full repaint of the atlas index map viewer at full size with the grid on,
// in its own small window and in one as large as a common screen.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/measure.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
double medianPaintMs(int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        atlasMap()->FormPaint();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 101;
    TestWorkDir dir({QStringLiteral("atlasindex.jpg"), QStringLiteral("kaarten.txt")});
    QElapsedTimer load;
    load.start();
    startProgram();
    std::printf("all windows created, index picture decoded: %.1f ms\n", double(load.nsecsElapsed()) / 1e6);
    AtlasMap* v = atlasMap();
    if (v->Image1.isNull())
        std::printf("(atlasindex.jpg missing: the grid alone)\n");
    v->half1Click();
    v->atlasGridOn = true;
    for (QSize size : {QSize(295, 200), QSize(1280, 1000)}) {
        v->canvas().resize(size.width(), size.height());
        // The disc's centre in the middle, so the grid crosses the window.
        v->atlasOriginX = size.width() / 2 - AtlasDiscCentreX;
        v->atlasOriginY = size.height() / 2 - AtlasDiscCentreY;
        medianPaintMs(5);
        std::printf("client %4dx%-4d full size, grid on: median full repaint %6.2f ms\n", size.width(),
                    size.height(), medianPaintMs(runs));
    }
    stopProgram();

    // An index picture of 8192 x 8192, eight times the real one each way:
    // what the map keeps of it for the whole run.
    {
        QImage big(8192, 8192, QImage::Format_Grayscale8);
        for (int y = 0; y < big.height(); ++y)
            std::fill_n(big.scanLine(y), big.width(), uchar(y % 251));
        if (!big.save(QStringLiteral("atlasindex.jpg"), "JPEG", 80)) {
            std::printf("cannot write the large index picture\n");
            return 1;
        }
    }
    const double before = residentMegabytes();
    startProgram();
    const double kept = residentMegabytes() - before;
    std::printf("8192 x 8192 index picture: %.0f MB resident for the map (%.0f MB in grey, one byte a pixel)\n",
                kept, 8192.0 * 8192.0 / 1048576.0);
    stopProgram();
    return 0;
}

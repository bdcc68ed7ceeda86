// Full repaint of the atlas index map viewer at full size with the grid on,
// in its own small window and in one as large as a common screen.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

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
    return 0;
}

// Full repaint of each libration demonstration in a 1920 x 1080 client area:
// the picture drawn into the canvas and copied to the window.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/canvasview.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
double medianMs(int runs, const std::function<void()>& paint)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        paint();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void sizeTo(Form* w)
{
    w->show();
    w->setWindowState(Qt::WindowNoState);
    w->setClientSize(1920, 1080);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void report(const char* what, CanvasView* view, int runs)
{
    medianMs(5, [view] { view->repaintNow(); });
    const double ms = medianMs(runs, [view] { view->repaintNow(); });
    std::printf("%-44s drawing area %4dx%-4d median full repaint %6.2f ms\n", what, view->width(), view->height(), ms);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 101;
    TestWorkDir dir;
    startProgram();

    sizeTo(longitudeDemo());
    longitudeDemo()->FormActivate();
    report("libration in longitude, one position", longitudeDemo()->PaintBox1, runs);
    longitudeDemo()->Totaal1Click();
    report("libration in longitude, whole orbit (73)", longitudeDemo()->PaintBox1, runs);
    longitudeDemo()->hide();

    sizeTo(latitudeDemo());
    report("libration in latitude", latitudeDemo()->PaintBox, runs);
    latitudeDemo()->kijkhoek = 85;
    report("libration in latitude, seen from 85 degrees", latitudeDemo()->PaintBox, runs);
    latitudeDemo()->hide();

    sizeTo(librationFace());
    report("moon image, libration 0, 0", librationFace()->PaintBox, runs);
    librationFace()->librationLatitude = 7;
    librationFace()->librationLongitude = -8;
    report("moon image, libration 7, -8", librationFace()->PaintBox, runs);
    librationFace()->hide();

    stopProgram();
    return 0;
}

// Full repaint of each libration demonstration in a 1920 x 1080 client area:
// the picture drawn into the canvas and copied to the window.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/windows.h"
#include "libration/canvasview.h"
#include "libration/maanun11.h"
#include "libration/maanun12.h"
#include "libration/maanun15.h"
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
    createAllWindows();

    sizeTo(libratiedlg);
    libratiedlg->FormActivate();
    report("libration in longitude, one position", libratiedlg->PaintBox1, runs);
    libratiedlg->Totaal1Click();
    report("libration in longitude, whole orbit (73)", libratiedlg->PaintBox1, runs);
    libratiedlg->hide();

    sizeTo(libratie2dlg);
    report("libration in latitude", libratie2dlg->PaintBox, runs);
    libratie2dlg->kijkhoek = 85;
    report("libration in latitude, seen from 85 degrees", libratie2dlg->PaintBox, runs);
    libratie2dlg->hide();

    sizeTo(maanbeelddlg);
    report("moon image, libration 0, 0", maanbeelddlg->PaintBox, runs);
    maanbeelddlg->librationLatitude = 7;
    maanbeelddlg->librationLongitude = -8;
    report("moon image, libration 7, -8", maanbeelddlg->PaintBox, runs);
    maanbeelddlg->hide();

    destroyAllWindows();
    return 0;
}

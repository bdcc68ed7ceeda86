// Full repaint of the main window at several zooms, with every overlay on and
// a full index; resident memory at low and high zoom; and the cost of a mouse
// move over the Moon. Runs offscreen unless QT_QPA_PLATFORM says otherwise
// (xcb measures what the window system adds to a move).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench/measure.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
double medianGridMs(int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        mainWindow()->tekenraster();
        mainWindow()->canvas().endPainting();
        times.push_back(cpuMs(CLOCK_PROCESS_CPUTIME_ID) - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct PaintTimes {
    double wall;   // what the user waits
    double cpu;    // what it costs the machine, all threads together
};

// moved: the view is shifted a pixel before each repaint, as in a drag, so the
// picture is filtered anew instead of copied from the last repaint.
PaintTimes medianPaintMs(int runs, bool moved = false)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        if (moved)
            mainWindow()->state().originX += (i % 2 == 0) ? 1 : -1;
        QElapsedTimer t;
        t.start();
        const double start = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        mainWindow()->FormPaint();
        mainWindow()->canvas().endPainting();
        cpus.push_back(cpuMs(CLOCK_PROCESS_CPUTIME_ID) - start);
        walls.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void makeSyntheticView()
{
    QImage img(1144, 1090, QImage::Format_Grayscale8);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.scanLine(y)[x] = uchar((x * 7 + y * 13) & 0xFF);
    img.save("maan_vm.bmp");
    FeatureTable t;
    for (int i = 1; i <= FeatureTableSize; ++i) {
        t.slot(i).setName(QString("Kenmerk %1%2").arg(i).arg(i % 7 == 0 ? " *" : ""));
        t.slot(i).setPosition(200 + (i * 37) % 1900, 200 + (i * 53) % 1800);
    }
    t.opslaan("maan_vm.dat");
}

void report(int runs)
{
    const PaintTimes p = medianPaintMs(runs);
    const PaintTimes m = medianPaintMs(runs, true);
    std::printf("zoom %-8.4g median full repaint %6.2f ms (CPU %.2f ms; grid alone %.2f ms); after a one-pixel move %.2f ms\n",
                mainWindow()->state().zoomFactor, p.wall, p.cpu, medianGridMs(runs), m.wall);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 41;
    TestWorkDir dir;
    if (!dir.copyAtlasFile("maan_vm.bmp") || !dir.copyAtlasFile("maan_vm.dat")) {
        std::printf("(atlas files missing: synthetic view and index)\n");
        makeSyntheticView();
    }
    dir.copyAtlasFile("kaarten.txt");
    startProgram();
    mainWindow()->setClientSize(1920, 1080);
    mainWindow()->canvas().resize(1920, 1080);
    mainWindow()->firstActivation = false;
    mainWindow()->Vollemaan1Click();
    mainWindow()->setClientSize(1920, 1080);
    RunState& s = mainWindow()->state();
    s.markersOn = s.namesOn = s.gridOn = s.terminatorOn = true;
    mainWindow()->phaseAngle = 120;
    // A full index: the data set leaves room for the user's own features,
    // and those are painted too.
    for (int i = s.featureTable.firstEmptySlot(); i >= 1 && i <= FeatureTableSize; ++i) {
        s.featureTable.slot(i).setName(QString("Eigen kenmerk %1").arg(i));
        s.featureTable.slot(i).setPosition(300 + (i * 37) % 1700, 300 + (i * 53) % 1600);
    }
    int features = 0;
    for (int i = 1; i <= FeatureTableSize; ++i)
        features += s.featureTable.slot(i).inUse() ? 1 : 0;
    std::printf("client %dx%d, %d features, markers, names, grid and terminator on\n",
                mainWindow()->clientWidth(), mainWindow()->clientHeight(), features);

    mainWindow()->Defaultgrootte1Click();
    medianPaintMs(5);
    const double rss05 = residentMegabytes();
    report(runs);
    mainWindow()->N5xdefaultClick();
    report(runs);
    mainWindow()->Defaultgrootte1Click();
    for (int i = 0; i < 40; ++i)
        mainWindow()->ZoomIN1Click();
    report(runs);
    const double rss226 = residentMegabytes();
    for (int i = 0; i < 60; ++i)
        mainWindow()->ZoomIN1Click();
    report(runs);
    std::printf("resident memory: %.1f MB at zoom 0.5, %.1f MB at zoom 22.6 (difference %.1f MB)\n",
                rss05, rss226, rss226 - rss05);

    // Mouse moves over the shown window, local scale on: the pointer passes
    // features and the space between them.
    mainWindow()->Defaultgrootte1Click();
    mainWindow()->show();
    QCoreApplication::processEvents();
    if (!s.localScaleOn)
        mainWindow()->SchaalS1Click();
    std::vector<QPoint> path;
    for (int i = 1; i <= FeatureTableSize && s.featureTable.slot(i).inUse(); i += 7) {
        const QPoint p = featureScreenPoint(mainWindow()->placement(), s.featureTable.slot(i).x(), s.featureTable.slot(i).y());
        path.push_back(p);
        path.push_back(p + QPoint(23, 17));
    }
    std::vector<double> moves;
    for (int round = 0; round < 5; ++round)
        for (const QPoint& p : path) {
            QElapsedTimer t;
            t.start();
            mainWindow()->FormMouseMove(p.x(), p.y());
            moves.push_back(double(t.nsecsElapsed()) / 1e6);   // wall time: it includes the window system
        }
    std::sort(moves.begin(), moves.end());
    std::printf("mouse move (%s, local scale on, %zu moves): median %.3f ms, 90th percentile %.3f ms\n",
                qPrintable(QGuiApplication::platformName()), moves.size(), moves[moves.size() / 2],
                moves[moves.size() * 9 / 10]);
    stopProgram();
    return 0;
}

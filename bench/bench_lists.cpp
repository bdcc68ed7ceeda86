// The index lists: filling the total index from three full index files,
// filling the current list with 800 names, a jump from a list (a synchronous
// repaint of a 1920 x 1080 main window plus the pick circle), and the search
// over the three full indexes, keystroke by keystroke.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "bench/measure.h"
#include "data/namesearch.h"
#include "lists/listbox.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
struct Figures {
    double wallMs;   // what the user waits
    double cpuMs;    // this thread's own work, without the time other programs take
};

Figures median(int runs, const std::function<void(int)>& work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double c0 = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        QElapsedTimer t;
        t.start();
        work(i);
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs(CLOCK_THREAD_CPUTIME_ID) - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

void print(const char* what, const Figures& f)
{
    std::printf("%-40s median %6.2f ms (thread CPU time %6.2f ms)\n", what, f.wallMs, f.cpuMs);
}

// 800 features with names of the data set's kinds, spread over the disc.
void writeFullIndex(const QString& file, int seed)
{
    static const char* kinds[] = {"", "Mare ", "Rima ", "Mons ", "Catena ", "Lacus ", "Promontorium "};
    auto table = std::make_unique<FeatureTable>();
    for (int i = 1; i <= FeatureTableSize; ++i) {
        const int k = (i * 7 + seed) % 23;
        QString name = QString::fromLatin1(kinds[k % 7]) + QChar(QLatin1Char(char('A' + (i * 11 + seed) % 26)))
                       + QStringLiteral("ekenmerk %1").arg(i);
        if (i % 9 == 0)
            name += QStringLiteral(" *");
        if (i % 50 == 0)
            name = QStringLiteral("Luna %1 Landing").arg(i);
        table->slot(i).setName(name);
        table->slot(i).setPosition(300 + (i * 37) % 1700, 300 + (i * 53) % 1600);
    }
    table->opslaan(file);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 41;
    TestWorkDir dir;
    if (!dir.copyAtlasFile("maan_vm.bmp")) {
        std::printf("(atlas image missing: synthetic view)\n");
        QImage img(1144, 1090, QImage::Format_Grayscale8);
        img.fill(90);
        img.save("maan_vm.bmp");
    }
    writeFullIndex("maan_ek.dat", 1);
    writeFullIndex("maan_vm.dat", 2);
    writeFullIndex("maan_lk.dat", 3);

    startProgram();
    mainWindow()->firstActivation = false;
    mainWindow()->show();
    mainWindow()->setClientSize(1920, 1080);
    QCoreApplication::processEvents();
    mainWindow()->Vollemaan1Click();
    RunState& s = mainWindow()->state();

    // A refill that would change nothing leaves the list alone; each fill
    // measured here starts from an empty list.
    totalIndex()->totalIndexMode = TotalIndexMode::All;
    totalIndex()->vullijst();
    std::printf("total index: %d lines from 3 x 800 records\n", totalIndex()->ListBox1->count());
    print("total index fill", median(runs, [](int) {
        totalIndex()->ListBox1->clear();
        totalIndex()->vullijst();
    }));
    print("total index refill, unchanged", median(runs, [](int) { totalIndex()->vullijst(); }));

    currentIndexList()->vullijst();
    std::printf("current list: %d names\n", currentIndexList()->ListBox1->count());
    print("current list fill", median(runs, [](int) {
        currentIndexList()->ListBox1->clear();
        currentIndexList()->vullijst();
    }));

    // The search: the names folded once, then each keystroke of what a user
    // types, from the first letter on (a first letter finds most names).
    const QStringList typed{"tranquillitatis", "ekenmerk 7", "luna 250", "mare c", "promontorium q", "xyz"};
    QStringList names;
    for (const char* file : {"maan_ek.dat", "maan_vm.dat", "maan_lk.dat"})
        names += featureNamesInFile(QLatin1String(file));
    QStringList folded;
    print("search: fold the 3 indexes", median(runs, [&](int) {
        folded.clear();
        for (const QString& n : names)
            folded.append(foldedForSearch(n));
    }));
    QStringList keystrokes;
    for (const QString& t : typed)
        for (int n = 1; n <= t.size(); ++n)
            keystrokes.append(t.left(n));
    std::printf("search: %lld names, %lld keystrokes\n", qlonglong(folded.size()), qlonglong(keystrokes.size()));
    std::size_t found = 0;
    print("search: match per keystroke", median(runs * int(keystrokes.size()), [&](int i) {
        found += namesMatching(folded, keystrokes[i % keystrokes.size()]).size();
    }));
    SearchWindow* search = searchWindow();
    search->open();
    QCoreApplication::processEvents();
    print("search window: keystroke, hits listed", median(runs * int(keystrokes.size()), [&](int i) {
        search->searchField->setText(keystrokes[i % keystrokes.size()]);
    }));
    // The slowest keystroke: a first letter, nearly every name listed.
    print("search window: a first letter", median(runs, [&](int i) {
        search->searchField->setText(i % 2 ? QStringLiteral("e") : QStringLiteral("a"));
    }));
    std::printf("search window: %d hits for \"a\"\n", search->resultList->count());
    search->close();

    std::printf("main window client %dx%d\n", mainWindow()->clientWidth(), mainWindow()->clientHeight());
    auto jump = [](int i) {
        const int slot = 1 + (i * 97) % FeatureTableSize;
        mainWindow()->jumpToFeature(slot);
    };
    jump(0);
    print("jump, markers on", median(runs, jump));
    s.namesOn = s.gridOn = true;
    print("jump, markers, names and grid on", median(runs, jump));
    stopProgram();
    return 0;
}

// Start to the painted title screen: the time from starting a process until
// the title screen has painted itself, as the user sees the program start.
// The process is this program in its child role, which starts exactly as the
// program's main() does and reports the title screen's first paint.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "platform/dialogs.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Reported once this paint and its flush to the screen are done.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

int child(int argc, char** argv)
{
    Application app(argc, argv);
    Application::installDutchTranslations();
    startProgram();
    FirstPaint firstPaint;
    titleScreen()->client()->installEventFilter(&firstPaint);
    mainWindow()->setGeometry(QApplication::primaryScreen()->availableGeometry());
    mainWindow()->showMaximized();
    return app.exec();
}

double startMs(const QString& self)
{
    QProcess process;
    process.setProgram(self);
    process.setArguments({QStringLiteral("--child")});
    QElapsedTimer timer;
    timer.start();
    process.start();
    while (process.waitForReadyRead(10000))
        if (process.readAllStandardOutput().contains("painted"))
            break;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    process.kill();
    process.waitForFinished();
    return ms;
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--child")
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 15;
    TestWorkDir dir({QStringLiteral("titelmaan.bmp"), QStringLiteral("vokman.wav")});
    const QString self = QCoreApplication::applicationFilePath();
    startMs(self);   // the first start reads the libraries from disk
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(startMs(self));
    std::sort(times.begin(), times.end());
    std::printf("start to painted title screen (%s, %d runs): median %.0f ms, best %.0f ms, worst %.0f ms"
                " (target <= 400 ms)\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default platform"))), runs,
                times[times.size() / 2], times.front(), times.back());
    return 0;
}

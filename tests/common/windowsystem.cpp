#include "tests/common/windowsystem.h"

#include "tests/common/xdesktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

namespace {
// A window of another program: a small X client the window manager can focus.
class OtherApplication {
public:
    ~OtherApplication()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(1000);
        }
    }

    bool activate()
    {
        if (windowId_.isEmpty() && !start())
            return false;
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), windowId_}) == 0;
    }

private:
    bool start()
    {
        process_.start(QStringLiteral("xmessage"), {QStringLiteral("-geometry"), QStringLiteral("+900+900"),
                                                    QStringLiteral("een ander programma")});
        if (!process_.waitForStarted(2000))
            return false;
        QProcess search;
        for (int i = 0; i < 50 && windowId_.isEmpty(); ++i) {
            search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                    QStringLiteral("--pid"), QString::number(process_.processId())});
            search.waitForFinished(2000);
            windowId_ = QString::fromLatin1(search.readAllStandardOutput()).split(QLatin1Char('\n')).value(0).trimmed();
            if (windowId_.isEmpty())
                QTest::qWait(100);
        }
        return !windowId_.isEmpty();
    }

    QProcess process_;
    QString windowId_;
};


// Waits until the window manager is done: the active window has not changed
// for a while. A request made before that may be taken behind ones still
// under way, and the focus would go back and forth.
void settleFocus()
{
    QElapsedTimer total, stable;
    total.start();
    stable.start();
    QWidget* last = QApplication::activeWindow();
    while (total.elapsed() < 3000 && stable.elapsed() < 300) {
        QTest::qWait(20);
        if (QApplication::activeWindow() != last) {
            last = QApplication::activeWindow();
            stable.restart();
        }
    }
}
}

bool onDesktop()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void makeActive(QWidget* window)
{
    if (!onDesktop()) {
        // The platform's own report, as a window manager would send it, and
        // the toolkit told where the platform reports nothing.
        if (window)
            window->activateWindow();
        QCoreApplication::processEvents();
        if (QApplication::activeWindow() != window)
            QApplication::setActiveWindow(window);
        QCoreApplication::processEvents();
        return;
    }
    settleFocus();
    if (window) {
        window->activateWindow();
        QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 3000);
    } else {
        static OtherApplication other;
        if (other.activate())
            QTest::qWaitFor([] { return QApplication::activeWindow() == nullptr; }, 3000);
    }
    settleFocus();
}

namespace {
QString rootProperty(const QStringList& arguments)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), arguments);
    xprop.waitForFinished(3000);
    return QString::fromLatin1(xprop.readAllStandardOutput());
}
}

int stackingPlace(const QWidget* window)
{
    const QString line = rootProperty({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    const QString list = line.section(QLatin1Char('#'), 1);
    const QStringList ids = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < ids.size(); ++i)
        if (ids[i].trimmed().toULongLong(nullptr, 16) == window->winId())
            return i;
    return -1;
}

QStringList windowManagerState(const QWidget* window)
{
    const QString line = rootProperty(
        {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("_NET_WM_STATE")});
    QStringList words;
    for (const QString& w : line.section(QLatin1Char('='), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        words.append(w.trimmed());
    return words;
}

QRect frameOnScreen(const QWidget* window)
{
    return onDesktop() ? TestDesktop::reportedFrame(window->winId()) : window->frameGeometry();
}

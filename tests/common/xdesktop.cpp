#include "tests/common/xdesktop.h"

#include <QProcess>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Starts a program with stdin and stderr on /dev/null and stdout on
// `outputFd` (or /dev/null); -1 when it cannot be started.
pid_t spawn(const std::vector<std::string>& args, int outputFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(outputFd >= 0 ? outputFd : null, 1);
    dup2(null, 2);
    // The server is the test's own: it must not die with the terminal's signals.
    setpgid(0, 0);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

bool stillRunning(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

void end(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50 && stillRunning(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (stillRunning(pid)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

// Runs a short command and returns what it printed.
std::string capture(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

} // namespace

TestDesktop::~TestDesktop()
{
    stop();
}

void TestDesktop::stop()
{
    end(manager_);
    end(server_);
}

bool TestDesktop::start(int width, int height)
{
    using namespace std::chrono;
    // The server picks a free display and writes its number when it is ready.
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        failure_ = QStringLiteral("no pipe for Xvfb");
        return false;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = spawn({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"}, pipeFds[1]);
    close(pipeFds[1]);
    std::string number;
    const auto deadline = steady_clock::now() + seconds(15);
    while (steady_clock::now() < deadline && (number.empty() || number.back() != '\n')) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            char c = 0;
            if (read(pipeFds[0], &c, 1) != 1)
                break;
            number += c;
        }
        if (!stillRunning(server_))
            break;
    }
    close(pipeFds[0]);
    if (number.empty() || number.back() != '\n') {
        end(server_);
        failure_ = QStringLiteral("Xvfb could not be started (Debian package xvfb)");
        return false;
    }
    number.pop_back();
    display_ = QLatin1Char(':') + QString::fromStdString(number);
    const QByteArray previousDisplay = qgetenv("DISPLAY");
    qputenv("DISPLAY", display_.toLatin1());

    manager_ = spawn({"openbox", "--sm-disable"});
    const std::string check = "xprop -display " + display_.toStdString() + " -root _NET_SUPPORTING_WM_CHECK 2>/dev/null";
    for (int i = 0; i < 150; ++i) {
        if (capture(check).find("window id") != std::string::npos) {
            qputenv("QT_QPA_PLATFORM", "xcb");
            return true;
        }
        if (!stillRunning(manager_))
            break;
        std::this_thread::sleep_for(milliseconds(100));
    }
    stop();
    if (previousDisplay.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previousDisplay);
    failure_ = QStringLiteral("openbox could not be started on the test's X server (Debian packages openbox, x11-utils)");
    return false;
}

QRect TestDesktop::reportedFrame(unsigned long windowId)
{
    const QString id = QStringLiteral("0x") + QString::number(windowId, 16);
    QProcess info;
    info.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    info.waitForFinished(5000);
    const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
    auto field = [&text](const char* label) {
        const QRegularExpression re(QLatin1String(label) + QStringLiteral(":\\s*(-?\\d+)"));
        const auto m = re.match(text);
        return m.hasMatch() ? m.captured(1).toInt() : INT_MIN;
    };
    const int x = field("Absolute upper-left X"), y = field("Absolute upper-left Y");
    const int w = field("Width"), h = field("Height");
    if (x == INT_MIN || y == INT_MIN || w == INT_MIN || h == INT_MIN)
        return {};

    QProcess prop;
    prop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    prop.waitForFinished(5000);
    const auto m = QRegularExpression(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"))
                       .match(QString::fromLocal8Bit(prop.readAllStandardOutput()));
    const int left = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int right = m.hasMatch() ? m.captured(2).toInt() : 0;
    const int top = m.hasMatch() ? m.captured(3).toInt() : 0;
    const int bottom = m.hasMatch() ? m.captured(4).toInt() : 0;
    return QRect(x - left, y - top, w + left + right, h + top + bottom);
}

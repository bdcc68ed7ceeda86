// Photo decode time: the program's loader against `djpeg -grayscale -dct int`
// on the same files (the largest photograph of the atlas and atlasindex.jpg).
//
// djpeg is a separate process, so its time includes starting it. We run
// `djpeg -grayscale -dct int -outfile /dev/null <file>` and subtract the median
// of the very same command on an 8 x 8 greyscale JPEG (process start, dynamic
// linking, library set-up, file open, writing a tiny picture). What is left is
// decoding plus writing the PGM to /dev/null, which costs next to nothing.
// Our figure is loadJpegFile: reading the file and decoding it into the
// quantised picture.
//
// The compared figure is CPU time (user + system): djpeg's from wait4(), ours
// from the thread's CPU clock. On a machine shared with other work, wall time
// is dominated by waiting for a core, above all for process start-up; wall
// medians are printed too. Runs are interleaved so that load hits both sides
// alike.
#include <QCoreApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

#include "bench/measure.h"
#include "platform/jpegloader.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
constexpr int Runs = 41;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Time {
    double wall = -1;   // ms
    double cpu = -1;    // ms, user + system
};

// One djpeg run; negative figures when it failed.
Time timeDjpeg(const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    const char* argv[] = {"djpeg", "-grayscale", "-dct", "int", "-outfile", "/dev/null", path.constData(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "djpeg", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double wall = msSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                     + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return {wall, cpu};
}

Time timeOurs(const QString& file, const JpegDecodeOptions& options)
{
    const auto start = Clock::now();
    const double cpuStart = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const QImage image = loadJpegFile(file, options);
    const Time t{msSince(start), cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuStart};
    return image.isNull() ? Time{} : t;
}

bool writeJpeg(const QImage& image, const QString& file, int quality, bool progressive)
{
    QImageWriter writer(file, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

// Something with the texture of a lunar photograph: shading, craters with
// bright rims and grain, so that the entropy-coded data is realistic.
QImage syntheticMoonPhoto(int width, int height, bool disc)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    quint32 seed = 12345;
    auto random = [&seed]() { seed = seed * 1664525u + 1013904223u; return (seed >> 8) & 0xFFFF; };
    struct Crater { double x, y, r; };
    std::vector<Crater> craters;
    for (int i = 0; i < 120; ++i)
        craters.push_back({double(random() % width), double(random() % height), 4.0 + random() % 60});
    const double cx = width / 2.0, cy = height / 2.0, radius = std::min(width, height) / 2.0 - 8;
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            double v = 90 + 50 * std::sin(x * 0.011) * std::cos(y * 0.017);
            for (const auto& c : craters) {
                const double d = std::hypot(x - c.x, y - c.y) / c.r;
                if (d < 1.0)
                    v -= 35 * (1 - d);
                else if (d < 1.15)
                    v += 45;
            }
            v += double(random() % 24) - 12;
            if (disc && std::hypot(x - cx, y - cy) > radius)
                v = 0;
            row[x] = uchar(std::clamp(v, 0.0, 255.0));
        }
    }
    return image;
}

QString largestPhotograph(const QString& atlas)
{
    QString best;
    qint64 bestSize = -1;
    for (const QFileInfo& info : QDir(atlas).entryInfoList({"*.jpg"}, QDir::Files)) {
        if (info.fileName() == QLatin1String("atlasindex.jpg"))
            continue;
        if (info.size() > bestSize) {
            bestSize = info.size();
            best = info.filePath();
        }
    }
    return best;
}

struct Figures {
    double ours = -1, djpegRun = -1, startUp = -1;
    double djpeg() const { return djpegRun - startUp; }
};

struct Measurement {
    Figures cpu, wall;
    bool ok = false;
};

Measurement measure(const QString& file, const QString& tiny, const JpegDecodeOptions& options)
{
    std::vector<double> ours[2], runs[2], starts[2];
    for (int i = 0; i < Runs; ++i) {
        const Time o = timeOurs(file, options);
        const Time d = timeDjpeg(file);
        const Time s = timeDjpeg(tiny);
        if (o.wall < 0 || d.wall < 0 || s.wall < 0)
            return {};
        ours[0].push_back(o.cpu), runs[0].push_back(d.cpu), starts[0].push_back(s.cpu);
        ours[1].push_back(o.wall), runs[1].push_back(d.wall), starts[1].push_back(s.wall);
    }
    Measurement m;
    m.cpu = {median(ours[0]), median(runs[0]), median(starts[0])};
    m.wall = {median(ours[1]), median(runs[1]), median(starts[1])};
    m.ok = true;
    return m;
}

void report(const char* label, const QString& file, const QImage& probe, const Measurement& m, bool withWall = true)
{
    if (!m.ok) {
        std::printf("%-16s %s: measurement failed\n", label, qPrintable(file));
        return;
    }
    const double ratio = m.cpu.ours / m.cpu.djpeg();
    std::printf("%-16s %-24s %4d x %-4d  ours %6.3f ms  djpeg %6.3f ms (run %.3f - start-up %.3f)  ratio %.2f %s\n",
                label, qPrintable(QFileInfo(file).fileName()), probe.width(), probe.height(), m.cpu.ours,
                m.cpu.djpeg(), m.cpu.djpegRun, m.cpu.startUp, ratio, ratio <= 1.2 ? "(<= 1.2)" : "(ABOVE 1.2)");
    if (withWall)
        std::printf("%-16s %-24s %11s  wall: ours %6.3f ms  djpeg %6.3f ms (run %.3f - start-up %.3f)  ratio %.2f\n",
                    "", "", "", m.wall.ours, m.wall.djpeg(), m.wall.djpegRun, m.wall.startUp,
                    m.wall.ours / m.wall.djpeg());
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    const QString atlas = QStringLiteral(SELVANOR_SOURCE_DIR "/atlas");

    QString photo = largestPhotograph(atlas);
    if (photo.isEmpty()) {
        photo = temp.filePath(QStringLiteral("generated-800x600.jpg"));
        writeJpeg(syntheticMoonPhoto(800, 600, false), photo, 90, false);
        std::printf("(no photograph in atlas/ yet: using a generated 800 x 600 photograph)\n");
    }
    QString index = atlas + QStringLiteral("/atlasindex.jpg");
    if (!QFileInfo::exists(index)) {
        index = temp.filePath(QStringLiteral("generated-atlasindex.jpg"));
        writeJpeg(syntheticMoonPhoto(1056, 1090, true), index, 85, true);
        std::printf("(no atlasindex.jpg in atlas/ yet: using a generated progressive 1056 x 1090 picture)\n");
    }
    const QString tiny = temp.filePath(QStringLiteral("tiny.jpg"));
    QImage small(8, 8, QImage::Format_Grayscale8);
    small.fill(128);
    writeJpeg(small, tiny, 90, false);

    if (timeDjpeg(tiny).wall < 0) {
        std::printf("djpeg is not available (Debian package libjpeg-turbo-progs); nothing to compare with\n");
        return 1;
    }

    const JpegDecodeOptions chosen;
    std::printf("medians of %d runs, CPU time (user + system); ours = read + decode with the program's options\n", Runs);
    for (const QString& file : {photo, index}) {
        const QImage probe = loadJpegFile(file);
        if (probe.isNull()) {
            std::printf("%s: not decodable\n", qPrintable(file));
            return 1;
        }
        report(file == photo ? "photograph" : "atlas index", file, probe, measure(file, tiny, chosen));
    }

    // What libjpeg's own quantiser would cost, with each of its dithering methods.
    std::printf("for comparison only, libjpeg's own quantiser (the program does not use it), on the photograph:\n");
    const QImage probe = loadJpegFile(photo);
    for (auto [dither, name] : {std::pair{JpegDither::None, "  none"}, std::pair{JpegDither::Ordered, "  ordered"},
                                std::pair{JpegDither::FloydSteinberg, "  floyd-steinberg"}}) {
        JpegDecodeOptions options;
        options.quantiser = JpegQuantiser::Libjpeg;
        options.dither = dither;
        report(name, photo, probe, measure(photo, tiny, options), false);
    }
    return 0;
}

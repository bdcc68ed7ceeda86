#include "tests/common/workdir.h"

#include <QFile>
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

#include "data/featuretable.h"

TestWorkDir::TestWorkDir(const QStringList& atlasFiles)
    : previous_(QDir::currentPath())
{
    // Creating the windows reads the sheet list; without it an error box
    // would wait for an answer.
    copyAtlasFile(QStringLiteral("kaarten.txt"));
    for (const auto& f : atlasFiles)
        copyAtlasFile(f);
    QDir::setCurrent(dir_.path());
}

TestWorkDir::~TestWorkDir()
{
    QDir::setCurrent(previous_);
}

QString TestWorkDir::atlasDir()
{
    return QStringLiteral(SELVANOR_SOURCE_DIR "/atlas");
}

QStringList TestWorkDir::atlasViews()
{
    return {"maan_ek.bmp", "maan_vm.bmp", "maan_lk.bmp", "maan_ek.dat", "maan_vm.dat", "maan_lk.dat"};
}

bool TestWorkDir::copyAtlasFile(const QString& name) const
{
    return QFile::copy(atlasDir() + QLatin1Char('/') + name, dir_.filePath(name));
}

QByteArray readWholeFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

void writeIndexFile(const QString& file, const QList<IndexEntry>& features)
{
    auto table = std::make_unique<FeatureTable>();
    for (const IndexEntry& f : features) {
        table->slot(f.slot).setName(QString::fromUtf8(f.name));
        table->slot(f.slot).setPosition(f.x, f.y);
    }
    table->opslaan(file);
}

bool writeViewImage(const QString& file, int width, int height, bool gradient)
{
    QImage img(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* line = img.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = uchar(gradient ? 40 + x * 100 / width : 90);
    }
    return img.save(file, "BMP");
}

FullDisk::FullDisk()
{
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    oldLimit_ = limit.rlim_cur;
    ::signal(SIGXFSZ, SIG_IGN);   // a failed write, not the end of the process
    limit.rlim_cur = 50000;
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FullDisk::~FullDisk()
{
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(oldLimit_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

OrdinaryUserRun runAsOrdinaryUser(const char* testFunction)
{
    OrdinaryUserRun run;
    if (::geteuid() != 0)
        return run;
    run.ran = true;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                            QCoreApplication::applicationFilePath(), testFunction});
    if (!child.waitForStarted()) {
        run.skipped = true;
        run.output = "setpriv is not available to run this as an ordinary user";
        return run;
    }
    child.waitForFinished(60000);
    run.output = child.readAll();
    run.skipped = child.exitCode() == 126 || child.exitCode() == 127;
    if (run.skipped)
        run.output.prepend("the ordinary user cannot run this test program: ");
    run.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return run;
}

TestHome::TestHome(const QStringList& folders)
    : home_(qgetenv("HOME"))
    , configHome_(qgetenv("XDG_CONFIG_HOME"))
{
    for (const QString& f : folders)
        QDir(dir_.path()).mkpath(f);
    qputenv("HOME", QFile::encodeName(dir_.path()));
    // No user-dirs.dirs there: the folders are the standard ones.
    qunsetenv("XDG_CONFIG_HOME");
}

TestHome::~TestHome()
{
    qputenv("HOME", home_);
    if (configHome_.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configHome_);
}

QString pdfText(const QString& pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

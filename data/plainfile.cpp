#include "data/plainfile.h"

#include "data/fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray readPlainFile(const QString& fileName, qint64 limit, const std::string& notPlain,
                         const std::string& tooLarge, bool* missing)
{
    const std::string name = fileName.toStdString();
    if (missing)
        *missing = false;
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) {
            if (const std::string gone = missingFolderError(fileName); !gone.empty())
                throw FileError(gone);
            if (missing) {
                *missing = true;
                return {};
            }
        }
        throw FileError::fromErrno(name, error);
    }
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw FileError::fromErrno(name, errno);
    if (!S_ISREG(info.st_mode))
        throw FileError(name + ": " + notPlain);
    if (info.st_size > limit && !tooLarge.empty())
        throw FileError(name + ": " + tooLarge);
    QByteArray bytes(qsizetype(std::min<qint64>(info.st_size, limit)), Qt::Uninitialized);
    qsizetype got = 0;
    // A file that grows while it is read is taken as far as its size was.
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(name, errno);
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

std::string missingFolderError(const QString& fileName)
{
    const QString folder = QFileInfo(fileName).path();   // "." for a bare name
    struct stat info {};
    // A deleted folder that is still some process's working folder has no
    // links left; one that is gone from a path is not found.
    const bool gone = ::stat(QFile::encodeName(folder).constData(), &info) == 0 ? info.st_nlink == 0 : errno == ENOENT;
    if (!gone)
        return {};
    QString shown = folder;
    if (QFileInfo(folder).isRelative()) {
        // The working folder by the name it had: the system still knows it.
        char path[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/cwd", path, sizeof path);
        QString cwd = n > 0 ? QFile::decodeName(QByteArray(path, int(n))) : QString();
        if (cwd.endsWith(QLatin1String(" (deleted)")))
            cwd.chop(10);
        if (!cwd.isEmpty())
            shown = folder == QLatin1String(".") ? cwd : cwd + QLatin1Char('/') + folder;
    }
    return fileName.toStdString() + ": de map " + shown.toStdString() + " bestaat niet meer";
}

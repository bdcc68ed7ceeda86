#include "data/plainfile.h"

#include "data/fileerror.h"

#include <QFile>
#include <cerrno>
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
        if (errno == ENOENT && missing) {
            *missing = true;
            return {};
        }
        throw FileError::fromErrno(name, errno);
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

#include "data/sheetlist.h"

#include "data/cp1252.h"
#include "data/fileerror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// 76 sheets with their titles take about a kilobyte.
constexpr qint64 MaxSheetListSize = 1024 * 1024;

struct Fd {
    int fd = -1;
    ~Fd() { if (fd >= 0) ::close(fd); }
};
}

QStringList readSheetList(const QString& fileName)
{
    const std::string path = fileName.toStdString();
    Fd f;
    // Non-blocking, so that a named pipe in its place cannot hold up the start.
    f.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (f.fd < 0)
        throw FileError::fromErrno(path, errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        throw FileError::fromErrno(path, errno);
    if (!S_ISREG(st.st_mode))
        throw FileError(path + ": geen gewoon bestand");
    if (st.st_size > MaxSheetListSize)
        throw FileError(path + ": te groot voor een lijst van kaarten");
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(f.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(path, errno);
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
        if (bytes.size() > MaxSheetListSize)
            throw FileError(path + ": te groot voor een lijst van kaarten");
    }
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(fromCp1252(bytes.constData() + start, int(stop - start)));
        start = end + 1;
    }
    return lines;
}

ConversionError::ConversionError(const QString& text)
    : std::runtime_error((QLatin1Char('\'') + text + QStringLiteral("' is geen geldig geheel getal"))
                             .toLocal8Bit()
                             .toStdString())
{
}

int sheetNumber(const QString& entry)
{
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    if (dot < 0)
        throw ConversionError(entry);
    const QString text = entry.left(dot);
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw ConversionError(text);
    return n;
}

#include "data/featuretable.h"

#include "data/cp1252.h"
#include "data/fileerror.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

FileError FileError::fromErrno(const std::string& fileName, int errnum)
{
    return FileError(fileName + ": " + std::strerror(errnum));
}

QString FeatureRecord::name() const
{
    return fromCp1252(nameChars, qMin<int>(nameLength, MaxNameLength));
}

void FeatureRecord::setName(const QString& text)
{
    const QByteArray bytes = toCp1252(text.left(MaxNameLength));
    std::memset(nameChars, 0, sizeof nameChars);
    std::memcpy(nameChars, bytes.constData(), std::size_t(bytes.size()));
    nameLength = static_cast<std::uint8_t>(bytes.size());
}

void FeatureRecord::setPosition(double halfPixelX, double halfPixelY)
{
    posX = encodeReal48(halfPixelX);
    posY = encodeReal48(halfPixelY);
}

QString indexFileNameFor(const QString& imageFileName)
{
    return imageFileName.left(imageFileName.size() - 3) + QStringLiteral("dat");
}

namespace {
struct Fd {
    int fd = -1;
    ~Fd() { if (fd >= 0) ::close(fd); }
};

// Reads whole records into out[0..]; returns the count. Excess records beyond
// 800 are ignored.
int readRecords(const QString& fileName, FeatureRecord* out, bool* missing)
{
    const std::string path = fileName.toStdString();
    Fd f;
    f.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) {
        if (errno == ENOENT) {
            *missing = true;
            return 0;
        }
        throw FileError::fromErrno(path, errno);
    }
    *missing = false;
    // The whole file in as few reads as the system allows: the total index
    // reads three files at a time.
    std::vector<char> buffer(static_cast<std::size_t>(IndexFileSize));
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(f.fd, buffer.data() + got, buffer.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(path, errno);
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    const int count = int(got / sizeof(FeatureRecord));
    std::memcpy(static_cast<void*>(out), buffer.data(), std::size_t(count) * sizeof(FeatureRecord));
    if (got % sizeof(FeatureRecord) != 0)
        throw FileError(path + ": lezen voorbij het einde van het bestand (laatste record onvolledig)");
    return count;
}
}

int FeatureTable::firstEmptySlot() const
{
    for (int i = 1; i <= FeatureTableSize; ++i)
        if (!slot(i).inUse())
            return i;
    return 0;
}

void FeatureTable::deleteSlot(int i)
{
    if (i < 1 || i > FeatureTableSize)
        return;
    std::copy(slots_.begin() + i, slots_.end(), slots_.begin() + (i - 1));
    slots_.back() = FeatureRecord();
}

void FeatureTable::initnamen()
{
    for (auto& record : slots_)
        record.nameLength = 0;
}

void FeatureTable::leesnamen(const QString& indexFileName)
{
    failedLoad_.clear();
    bool missing = false;
    // Records go straight into the slots so that those read before an error stay.
    struct Guard {
        FeatureTable* t; QString name; bool ok = false;
        ~Guard() { if (!ok) t->failedLoad_ = name; }
    } guard{this, indexFileName};
    readRecords(indexFileName, slots_.data(), &missing);
    guard.ok = true;
}

void FeatureTable::opslaan(const QString& indexFileName)
{
    if (!failedLoad_.isEmpty() && failedLoad_ == indexFileName) {
        // What is in memory is only part of that file: never save it over.
        failedLoad_.clear();
        initnamen();
        return;
    }
    const std::string path = indexFileName.toStdString();
    const std::string temp = path + ".tmp";
    Fd f;
    f.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (f.fd < 0)
        throw FileError::fromErrno(path, errno);
    auto fail = [&](int errnum) {
        ::close(f.fd);
        f.fd = -1;
        ::unlink(temp.c_str());
        return FileError::fromErrno(path, errnum);
    };
    const auto* bytes = reinterpret_cast<const char*>(slots_.data());
    std::size_t written = 0;
    while (written < std::size_t(IndexFileSize)) {
        const ssize_t n = ::write(f.fd, bytes + written, std::size_t(IndexFileSize) - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fail(errno);
        }
        if (n == 0)
            throw fail(ENOSPC);
        written += std::size_t(n);
    }
    if (::fsync(f.fd) != 0)
        throw fail(errno);
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw FileError::fromErrno(path, err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw FileError::fromErrno(path, err);
    }
    initnamen();
}

std::array<FeatureRecord, FeatureTableSize> readIndexFile(const QString& indexFileName, int* recordCount)
{
    std::array<FeatureRecord, FeatureTableSize> records{};
    bool missing = false;
    const int n = readRecords(indexFileName, records.data(), &missing);
    if (recordCount)
        *recordCount = n;
    return records;
}

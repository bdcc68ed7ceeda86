#include "data/featuretable.h"

#include "data/cp1252.h"
#include "data/fileerror.h"

#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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
    // Opened without waiting, so that a pipe of that name cannot hold the
    // program up; only a plain file is an index.
    f.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (f.fd < 0) {
        if (errno == ENOENT) {
            *missing = true;
            return 0;
        }
        throw FileError::fromErrno(path, errno);
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        throw FileError::fromErrno(path, errno);
    if (!S_ISREG(st.st_mode))
        throw FileError(path + ": geen gewoon bestand");
    ::fcntl(f.fd, F_SETFL, ::fcntl(f.fd, F_GETFL) & ~O_NONBLOCK);
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
    asLoaded_.reset();
    bool missing = false;
    try {
        // Records go straight into the slots so that those read before an error stay.
        readRecords(indexFileName, slots_.data(), &missing);
    } catch (...) {
        failedLoad_ = indexFileName;
        asLoaded_ = std::make_unique<std::array<FeatureRecord, FeatureTableSize>>(slots_);
        throw;
    }
}

bool FeatureTable::editsWouldBeLost(const QString& indexFileName) const
{
    if (!asLoaded_ || failedLoad_ != indexFileName)
        return false;
    for (int i = 0; i < FeatureTableSize; ++i) {
        const FeatureRecord& a = slots_[std::size_t(i)];
        const FeatureRecord& b = (*asLoaded_)[std::size_t(i)];
        if (a.inUse() != b.inUse())
            return true;
        if (a.inUse()
            && (a.nameLength != b.nameLength || std::memcmp(a.nameChars, b.nameChars, a.nameLength) != 0
                || std::memcmp(&a.posX, &b.posX, sizeof a.posX) != 0 || std::memcmp(&a.posY, &b.posY, sizeof a.posY) != 0))
            return true;
    }
    return false;
}

void FeatureTable::opslaan(const QString& indexFileName)
{
    if (!failedLoad_.isEmpty() && failedLoad_ == indexFileName) {
        // What is in memory is only part of that file: never save it over.
        failedLoad_.clear();
        asLoaded_.reset();
        initnamen();
        return;
    }
    const std::string path = indexFileName.toStdString();
    // Replaced atomically where the folder allows it, in place where it does
    // not; a read-only file is refused, a link is written through to its
    // target, and the file keeps its permissions.
    QSaveFile file(indexFileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(path + ": " + file.errorString().toStdString());
    const auto* bytes = reinterpret_cast<const char*>(slots_.data());
    if (file.write(bytes, IndexFileSize) != IndexFileSize) {
        const std::string error = file.errorString().toStdString();
        file.cancelWriting();
        throw FileError(path + ": " + error);
    }
    if (!file.commit())
        throw FileError(path + ": " + file.errorString().toStdString());
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

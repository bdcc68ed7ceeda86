#include "data/featuretable.h"

#include "data/cp1252.h"
#include "data/fileerror.h"
#include "data/plainfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

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
// Reads whole records into out[0..]; returns the count. Excess records beyond
// 800 are ignored.
int readRecords(const QString& fileName, FeatureRecord* out, bool* missing)
{
    const QByteArray bytes = readPlainFile(fileName, IndexFileSize, "geen gewoon bestand", "", missing);
    const int count = int(bytes.size() / qsizetype(sizeof(FeatureRecord)));
    std::memcpy(static_cast<void*>(out), bytes.constData(), std::size_t(count) * sizeof(FeatureRecord));
    if (bytes.size() % qsizetype(sizeof(FeatureRecord)) != 0)
        throw FileError(fileName.toStdString() + ": lezen voorbij het einde van het bestand (laatste record onvolledig)");
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
    try {
        // Records go straight into the slots so that those read before an error stay.
        readRecords(indexFileName, slots_.data(), &missing);
    } catch (...) {
        failedLoad_ = indexFileName;
        asRead_ = std::make_unique<std::array<FeatureRecord, FeatureTableSize>>(slots_);
        throw;
    }
    asRead_ = std::make_unique<std::array<FeatureRecord, FeatureTableSize>>(slots_);
}

namespace {
bool sameFeature(const FeatureRecord& a, const FeatureRecord& b)
{
    if (a.inUse() != b.inUse())
        return false;
    if (!a.inUse())
        return true;
    // A damaged file may claim up to 255 characters; a record holds 100.
    const std::size_t length = std::min<std::size_t>(a.nameLength, FeatureRecord::MaxNameLength);
    return a.nameLength == b.nameLength && std::memcmp(a.nameChars, b.nameChars, length) == 0
        && a.posX == b.posX && a.posY == b.posY;
}
}

bool FeatureTable::changedSinceRead() const
{
    static const FeatureRecord empty;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (!sameFeature(slots_[i], asRead_ ? (*asRead_)[i] : empty))
            return true;
    return false;
}

bool FeatureTable::editsWouldBeLost(const QString& indexFileName) const
{
    return !failedLoad_.isEmpty() && failedLoad_ == indexFileName && changedSinceRead();
}

void FeatureTable::opslaan(const QString& indexFileName)
{
    if (!failedLoad_.isEmpty() && failedLoad_ == indexFileName) {
        // What is in memory is only part of that file: never save it over.
        failedLoad_.clear();
        asRead_.reset();
        initnamen();
        return;
    }
    const std::string path = indexFileName.toStdString();
    // Replaced atomically where the folder allows it, in place where it does
    // not; a read-only file is refused, a link is written through to its
    // target, and the file keeps its permissions.
    // A pipe or a device by that name (or a link to one) is no index: it is
    // neither written to nor replaced.
    const QFileInfo target(indexFileName);
    if (target.exists() && !target.isFile())
        throw FileError(path + ": geen gewoon bestand");
    QSaveFile file(indexFileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        if (const std::string gone = missingFolderError(indexFileName); !gone.empty())
            throw FileError(gone);
        throw FileError(path + ": " + file.errorString().toStdString());
    }
    const auto* bytes = reinterpret_cast<const char*>(slots_.data());
    // A full disk first shows as a short write, with no error; writing the
    // rest then fails with the system's reason.
    for (qint64 written = 0; written < IndexFileSize;) {
        const qint64 n = file.write(bytes + written, IndexFileSize - written);
        if (n <= 0) {
            const std::string error = file.errorString().toStdString();
            file.cancelWriting();
            throw FileError(path + ": " + error);
        }
        written += n;
    }
    if (!file.commit())
        throw FileError(path + ": " + file.errorString().toStdString());
    asRead_.reset();
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

QStringList featureNames(const FeatureTable& table)
{
    QStringList names;
    for (int i = 1; i <= FeatureTableSize; ++i)
        if (table.slot(i).inUse())
            names.append(table.slot(i).name());
    return names;
}

QStringList featureNamesInFile(const QString& indexFileName)
{
    int count = 0;
    const auto records = readIndexFile(indexFileName, &count);
    QStringList names;
    for (int i = 0; i < count; ++i)
        if (records[std::size_t(i)].inUse())
            names.append(records[std::size_t(i)].name());
    return names;
}

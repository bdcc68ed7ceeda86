#include "data/featuretable.h"

#include "data/cp1252.h"
#include "data/fileerror.h"
#include "data/plainfile.h"

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

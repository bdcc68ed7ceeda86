#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "data/featurerecord.h"

constexpr int FeatureTableSize = 800;
constexpr int IndexFileSize = FeatureTableSize * int(sizeof(FeatureRecord));   // 91,200 bytes

// The index of the current view: slots 1..800.
class FeatureTable {
public:
    FeatureRecord& slot(int i) { return slots_[std::size_t(i - 1)]; }
    const FeatureRecord& slot(int i) const { return slots_[std::size_t(i - 1)]; }
    // First empty slot, or 0 when all 800 are in use.
    int firstEmptySlot() const;
    // Removes the feature in slot i: the later slots move down one place and
    // slot 800 becomes empty.
    void deleteSlot(int i);

    // Loads the index file into slots 1..n; a missing file leaves the table as
    // it is. A damaged file (cut short inside a record) keeps the slots read so
    // far, marks the file as not to be saved over and throws FileError.
    void leesnamen(const QString& indexFileName);
    // Replaces the index file with all 800 slots (atomically where the folder
    // can be written), then empties the table. The file of a failed load is
    // left untouched. Throws FileError; the old file is then whole and the
    // table keeps its contents.
    void opslaan(const QString& indexFileName);
    void initnamen();

    QString failedLoadFile() const { return failedLoad_; }
    // True when a feature was added, renamed, moved or deleted since the last
    // load (or, before any load and after a save, when any slot is in use).
    // Only what a record can hold counts: the name's length and at most 100
    // characters of it, and the position.
    bool changedSinceRead() const;
    // True when the table holds the part of a damaged file that was read, and
    // was changed since: those changes cannot be saved.
    bool editsWouldBeLost(const QString& indexFileName) const;

private:
    std::array<FeatureRecord, FeatureTableSize> slots_{};
    QString failedLoad_;
    // The slots as the last load left them; none means an empty table.
    std::unique_ptr<std::array<FeatureRecord, FeatureTableSize>> asRead_;
};

// "maan_vm.bmp" -> "maan_vm.dat"
QString indexFileNameFor(const QString& imageFileName);

// Reads every whole record of an index file (at most 800); used by the total
// index. A missing file gives no records; a damaged one throws FileError.
std::array<FeatureRecord, FeatureTableSize> readIndexFile(const QString& indexFileName, int* recordCount);

// The names of the features in use, in slot order: of the table, or of an
// index file as readIndexFile reads it (all its records, also those after an
// empty one).
QStringList featureNames(const FeatureTable& table);
QStringList featureNamesInFile(const QString& indexFileName);

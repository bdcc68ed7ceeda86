#pragma once
#include <QString>
#include <cstdint>

#include "data/real48.h"

// One feature of an index file; the file layout and the memory layout are the
// same 114 bytes.
struct FeatureRecord {
    static constexpr int MaxNameLength = 100;

    std::uint8_t nameLength = 0;            // 0 marks an empty slot
    char nameChars[MaxNameLength] = {};     // Windows-1252
    std::uint8_t reserved = 0;
    Real48 posX{};                          // half-pixels of the view bitmap
    Real48 posY{};

    bool inUse() const { return nameLength > 0; }
    QString name() const;
    // Cuts to 100 characters; characters outside Windows-1252 become '?'.
    void setName(const QString& text);
    double x() const { return decodeReal48(posX); }
    double y() const { return decodeReal48(posY); }
    void setPosition(double halfPixelX, double halfPixelY);
};
static_assert(sizeof(FeatureRecord) == 114, "index file records are 114 bytes");
static_assert(alignof(FeatureRecord) == 1, "records are packed byte arrays");

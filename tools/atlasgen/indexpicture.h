#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct Surface;
struct AtlasFeature;

// The atlas index picture with its sheet outlines and numbers, the sheet
// titles, and the title screen's Moon. The titles come from the full-moon
// index, the view the index picture shows.
bool makeIndexPicture(const Surface& s, const QList<AtlasFeature>& fullMoonIndex, const QString& outDir,
                      QStringList* report, QString* error);

// Height in pixels of the sheet numbers drawn on the index picture (their
// digits' cap height). The map opens at half size, where they must still read.
constexpr int SheetNumberHeight = 20;

// Title of sheet n, from the features of the full-moon index whose centre lies
// in the sheet's cell on the index picture: a photographed feature first (a
// well-known crater, then any well-known feature, then any crater, then the
// rest), else a well-known crater, else any crater, else any feature; the
// largest within each rank. Landing sites never title a sheet. For a cell with
// none, the nearest feature of the index.
QString sheetTitle(int n, const QList<AtlasFeature>& fullMoonIndex);

#pragma once
#include <QList>
#include <QString>
#include <QStringList>

struct Surface;
struct AtlasFeature;

// The atlas index picture with its sheet outlines and numbers, the sheet
// titles, and the title screen's Moon.
bool makeIndexPicture(const Surface& s, const QList<AtlasFeature>& candidates, const QString& outDir,
                      QStringList* report, QString* error);

// Title of sheet n: the most prominent feature whose centre lies in the
// sheet's cell on the index picture, or, for a cell with none, the nearest.
QString sheetTitle(int n, const QList<AtlasFeature>& candidates);

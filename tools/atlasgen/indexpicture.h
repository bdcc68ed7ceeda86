#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct Surface;
struct AtlasFeature;

// The atlas index picture with its sheet outlines and numbers, the sheet
// titles, and the title screen's Moon.
bool makeIndexPicture(const Surface& s, const QList<AtlasFeature>& candidates, const QSet<QString>& photographed,
                      const QString& outDir, QStringList* report, QString* error);

// Title of sheet n, from the features whose centre lies in the sheet's cell on
// the index picture: the largest crater with a photograph (by plain name),
// else the largest crater, else the largest sea, else the largest other
// feature; for a cell with none, the nearest feature.
QString sheetTitle(int n, const QList<AtlasFeature>& candidates, const QSet<QString>& photographed);

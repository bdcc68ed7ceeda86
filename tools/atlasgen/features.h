#pragma once
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>

#include "tools/atlasgen/gazetteer.h"
#include "tools/atlasgen/render.h"

struct ViewGeometry;

// A feature as the atlas uses it: the stored name and where it lies.
struct AtlasFeature {
    QString name;          // Windows-1252-safe, one word for craters
    QString typeCode;      // gazetteer code, "LS" for a landing site
    double latitude = 0;
    double longitude = 0;
    double diameterKm = 0;
    int rank = 0;          // 0 areas and named relief, 1 landing sites, 2 craters
};

// Every feature the atlas may show, most important first: the named large
// areas and relief, the landing sites, then craters by diameter. Satellite
// craters ("Copernicus A") are left out.
QList<AtlasFeature> atlasCandidates(const QList<GazetteerEntry>& gazetteer, QStringList* notes);

// Position of a surface point on a view bitmap, in half-pixels; false when it
// lies on the far side.
bool halfPixelPosition(const ViewGeometry& view, double latitude, double longitude, double* x, double* y);

// The index of one view: candidates on the visible, lit part of the disc and
// inside the bitmap, at most 800; names of features with a photograph (by
// plain name) get " *". With the view's picture, a feature must also have a
// lit pixel within 4 pixels, so that none sits in a shadow near the terminator.
QList<AtlasFeature> chooseForView(const QList<AtlasFeature>& candidates, const ViewGeometry& view, const Sun* sun,
                                  int bitmapWidth, int bitmapHeight, const QSet<QString>& photographed,
                                  const QImage* picture = nullptr);

// The name with the photograph mark.
QString markedName(const QString& name);

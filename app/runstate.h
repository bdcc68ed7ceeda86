#pragma once
#include <QImage>
#include <QString>
#include <cstdint>

#include "data/featuretable.h"

// The state of the run, owned by the main window; the other windows see what
// they need of it through the main window's session interface.
struct RunState {
    QString imageFileName;
    QImage moonBitmap;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    double zoomFactor = 0.5;          // held with 6-byte real precision
    int originX = 0;
    int originY = 0;
    bool rotated180 = false;
    bool markersOn = true;
    bool namesOn = false;
    bool gridOn = false;
    bool terminatorOn = false;
    bool localScaleOn = false;
    bool keyListShown = false;
    bool changesAllowed = false;
    std::uint16_t selectedFeature = 0;
    std::uint16_t hoveredFeature = 0;
    QString kindFilter;
    QString photoFileName;            // of the feature under the mouse
    // False when another program works in this folder and the user chose to
    // go on without saving: the index files are then never written.
    bool saveIndexFiles = true;
    FeatureTable featureTable;
};

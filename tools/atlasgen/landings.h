#pragma once
#include <QList>
#include <QString>

// A spacecraft that came down on the Moon: landed, or struck it, on purpose to
// learn from the impact or by accident when a landing failed.
struct LandingSite {
    const char* craft;      // "Apollo 11"
    double latitude;        // degrees north
    double longitude;       // degrees east
    bool impact;            // struck the surface instead of landing on it
};

const QList<LandingSite>& landingSites();

// The stored name: "Apollo 11 Landing", "Ranger 7 Landing (inslag)". The
// landing-site list finds every one of them by the word "Landing".
QString landingName(const LandingSite& site);

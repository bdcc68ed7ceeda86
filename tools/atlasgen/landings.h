#pragma once
#include <QList>
#include <QString>

// A spacecraft that landed on the Moon, or struck it on purpose to learn from
// the impact, at its published site.
struct LandingSite {
    const char* name;       // "Apollo 11 Landing"
    double latitude;        // degrees north
    double longitude;       // degrees east
};

const QList<LandingSite>& landingSites();

#pragma once
#include <QString>
#include <QStringList>

#include "astro/calendar.h"

// The texts printed or saved under a picture: what it shows, when, at what scale.

// The name of a view as its title gives it ("Volle maan"); empty for an
// image that is no view.
QString viewName(const QString& imageFileName);

// The unit of a printed or saved picture that its scale refers to.
enum class ScaleUnit {
    Centimetre,   // on paper
    Pixel,        // of the picture itself, shown as "beeldpunt"
};

// The lines under a picture of a view: the view, the date and hour of the
// date panel (those of the terminator), and the scale at the centre of the
// disc, `kmPerUnit` kilometres to one unit.
QStringList viewCaption(const QString& imageFileName, const DateFields& date, double kmPerUnit, ScaleUnit unit);

// The lines under a photograph: its title, then each paragraph of its
// explanation (empty lines dropped, white space at either end trimmed).
QStringList photoCaption(const QString& title, const QString& explanation);

#pragma once
#include <QImage>
#include <QString>

// The program's own artwork, drawn the same way at every run.

// The mascot, the Vokmannetje: 71 x 101, transparent around the figure.
QImage drawMascot();
// The author box picture: 125 x 149.
QImage drawAuthorPicture();
// The program's icon, a full Moon: as SVG text, and painted at `size` pixels
// from the same shapes.
QString iconSvg();
QImage drawIcon(int size);

// Writes vokman.png, auteur.png, selvanor.svg and selvanor.png into `folder`.
bool writeArtwork(const QString& folder);

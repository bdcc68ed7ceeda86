#include "tools/atlasgen/indexpicture.h"

#include "astro/projection.h"
#include "data/featurenames.h"
#include "tools/atlasgen/atlas.h"
#include "tools/atlasgen/features.h"
#include "tools/atlasgen/jpegio.h"
#include "astro/atlassheets.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

using namespace atlassheets;

namespace {
// Index picture position of a surface point: the disc seen without libration.
bool indexPicturePosition(double latitude, double longitude, double* x, double* y)
{
    double dx, dy;
    const double cosC = projectOrthographic(latitude, longitude, 0.0, 0.0, &dx, &dy);
    *x = DiscCentreX + DiscRadius * dx;
    *y = DiscCentreY - DiscRadius * dy;
    return cosC > 0;
}
}

QString sheetTitle(int n, const QList<AtlasFeature>& fullMoonIndex)
{
    auto rank = [](const AtlasFeature& f) {
        const bool crater = f.typeCode == QLatin1String("AA");
        const int kind = f.wellKnown && crater ? 0 : f.wellKnown ? 1 : crater ? 2 : 3;
        if (hasPhotographMark(f.name))
            return kind;
        return 4 + (f.wellKnown && crater ? 0 : crater ? 1 : 2);
    };
    const ReferencePoint p = sheetReferencePoint(n);
    const AtlasFeature* best = nullptr;
    const AtlasFeature* nearest = nullptr;
    double nearestDistance = 1e300;
    for (const auto& f : fullMoonIndex) {
        if (f.typeCode == QLatin1String("LS"))
            continue;
        double x, y;
        if (!indexPicturePosition(f.latitude, f.longitude, &x, &y))
            continue;
        const bool inside = x >= p.x - CellWidth / 2.0 && x < p.x + CellWidth / 2.0 && y >= p.y - CellHeight / 2.0
                            && y < p.y + CellHeight / 2.0;
        if (inside
            && (!best || rank(f) < rank(*best)
                || (rank(f) == rank(*best) && visibleSizeKm(f) > visibleSizeKm(*best))))
            best = &f;
        const double d = std::hypot(x - p.x, y - p.y);
        if (d < nearestDistance) {
            nearestDistance = d;
            nearest = &f;
        }
    }
    const AtlasFeature* chosen = best ? best : nearest;
    if (!chosen)
        return QString();
    return plainName(hasPhotographMark(chosen->name) ? chosen->name.chopped(2) : chosen->name);
}

bool makeIndexPicture(const Surface& s, const QList<AtlasFeature>& fullMoonIndex, const QString& outDir,
                      QStringList* report, QString* error)
{
    const auto fullMoon = [&](double lat, double lon) { return s.tone(s.albedo.sample(lat, lon)); };
    DiscFrame frame;
    frame.width = PictureWidth;
    frame.height = PictureHeight;
    frame.centreX = DiscCentreX;
    frame.centreY = DiscCentreY;
    frame.radius = DiscRadius;
    const QImage disc = renderDisc(frame, fullMoon, s.albedo.kmPerPixel());

    QImage canvas = disc.convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&canvas);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setBold(true);
        // The digits of Liberation Sans Bold are 0.716 of the pixel size tall.
        font.setPixelSize(int(std::ceil(SheetNumberHeight / 0.716)));
        font.setStyleStrategy(QFont::NoAntialias);
        p.setRenderHint(QPainter::Antialiasing, false);
        // Light halo under a dark line: the outlines show over maria and
        // highlands alike.
        for (const auto& [colour, width] : {std::pair{QColor(235, 235, 235), 3}, std::pair{QColor(20, 20, 20), 1}}) {
            p.setPen(QPen(colour, width));
            p.setBrush(Qt::NoBrush);
            for (int n = 1; n <= SheetCount; ++n) {
                const ReferencePoint r = sheetReferencePoint(n);
                p.drawRect(QRect(r.x - CellWidth / 2, r.y - CellHeight / 2, CellWidth, CellHeight));
            }
        }
        QPainterPath numbers;
        for (int n = 1; n <= SheetCount; ++n) {
            const ReferencePoint r = sheetReferencePoint(n);
            numbers.addText(r.x - CellWidth / 2 + 5, r.y - CellHeight / 2 + 5 + SheetNumberHeight, font,
                            QString::number(n));
        }
        p.setRenderHint(QPainter::Antialiasing, true);
        p.strokePath(numbers, QPen(QColor(235, 235, 235), 4));
        p.fillPath(numbers, QColor(10, 10, 10));
    }
    const QString jpg = QDir(outDir).filePath(QStringLiteral("atlasindex.jpg"));
    if (!writeGreyJpeg(jpg, canvas.convertToFormat(QImage::Format_Grayscale8), 85, true, error))
        return false;

    QString titles;
    for (int n = 1; n <= SheetCount; ++n)
        titles += QStringLiteral("%1. %2\n").arg(n).arg(sheetTitle(n, fullMoonIndex));
    if (!writeCp1252Text(titles, QDir(outDir).filePath(QStringLiteral("kaarten.txt")), error))
        return false;

    // The title screen shows this picture stretched to 210 x 200.
    DiscFrame title;
    title.width = 210;
    title.height = 200;
    title.centreX = 105;
    title.centreY = 100;
    title.radius = 97;
    if (!writeGreyBmp(renderDisc(title, fullMoon, s.albedo.kmPerPixel()),
                      QDir(outDir).filePath(QStringLiteral("titelmaan.bmp")), error))
        return false;
    report->append(QStringLiteral("atlasindex.jpg, kaarten.txt (%1 sheets), titelmaan.bmp").arg(SheetCount));
    return true;
}

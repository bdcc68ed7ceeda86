#include "tools/artwork/artwork.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
const QColor kSkin(255, 214, 170);
const QColor kSkinLine(150, 90, 50);
const QColor kInk(40, 30, 30);

void antialiased(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

void ellipse(QPainter& p, QPointF centre, qreal rx, qreal ry, const QColor& fill, const QColor& line = Qt::transparent,
             qreal width = 1.0)
{
    p.setPen(line.alpha() ? QPen(line, width) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawEllipse(centre, rx, ry);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void limb(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width)
{
    p.setPen(QPen(colour.darker(130), width + 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

QPainterPath smile(QPointF left, QPointF right, qreal depth)
{
    QPainterPath path(left);
    path.quadTo(QPointF((left.x() + right.x()) / 2, left.y() + depth), right);
    return path;
}

QPainterPath crescent(QPointF centre, qreal r, QPointF shift)
{
    QPainterPath full;
    full.addEllipse(centre, r, r);
    QPainterPath bite;
    bite.addEllipse(centre + shift, r * 0.85, r * 0.85);
    return full.subtracted(bite);
}
}

QImage drawMascot()
{
    QImage image(71, 101, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    antialiased(p);
    const QColor shirt(245, 130, 40), trousers(50, 70, 150), shoes(90, 50, 30), cap(40, 90, 200);

    // Legs and shoes.
    p.setPen(QPen(trousers.darker(140), 1));
    p.setBrush(trousers);
    p.drawRoundedRect(QRectF(26, 68, 8, 22), 2, 2);
    p.drawRoundedRect(QRectF(37, 68, 8, 22), 2, 2);
    ellipse(p, {28.5, 92}, 7.5, 4, shoes, shoes.darker(150));
    ellipse(p, {42.5, 92}, 7.5, 4, shoes, shoes.darker(150));

    // Arms: one waving, one at the side.
    limb(p, {25, 47}, {11, 31}, shirt, 6);
    limb(p, {47, 47}, {57, 63}, shirt, 6);
    ellipse(p, {9.5, 28.5}, 4.5, 4.5, kSkin, kSkinLine);
    ellipse(p, {58.5, 66}, 4.5, 4.5, kSkin, kSkinLine);

    // Body with a crescent Moon on the shirt.
    p.setPen(QPen(shirt.darker(140), 1.2));
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(21, 41, 29, 31), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 60));
    p.drawPath(crescent({35.5, 56}, 7, {3.5, -2.5}));

    // Head.
    ellipse(p, {35.5, 25}, 15, 15.5, kSkin, kSkinLine, 1.2);
    ellipse(p, {20.5, 27}, 2.5, 3.5, kSkin, kSkinLine);
    ellipse(p, {50.5, 27}, 2.5, 3.5, kSkin, kSkinLine);
    // Cap with its peak.
    QPainterPath dome;
    dome.moveTo(20.5, 21);
    dome.cubicTo(20.5, 4, 50.5, 4, 50.5, 21);
    dome.closeSubpath();
    p.setPen(QPen(cap.darker(150), 1));
    p.setBrush(cap);
    p.drawPath(dome);
    p.drawRoundedRect(QRectF(30, 17.5, 26, 4.5), 2, 2);
    ellipse(p, {35.5, 8}, 2.5, 2.5, QColor(255, 230, 60), cap.darker(150));

    // Face: big eyes, rosy cheeks, a wide smile.
    for (const qreal x : {30.0, 41.0}) {
        ellipse(p, {x, 27}, 3.4, 4.2, Qt::white, kInk, 0.8);
        ellipse(p, {x + 0.8, 28}, 1.8, 2.2, kInk);
        ellipse(p, {x + 1.4, 27}, 0.7, 0.7, Qt::white);
    }
    ellipse(p, {25, 33.5}, 2.6, 1.8, QColor(255, 140, 140, 170));
    ellipse(p, {46, 33.5}, 2.6, 1.8, QColor(255, 140, 140, 170));
    stroke(p, smile({29, 34.5}, {42, 34.5}, 7), QColor(160, 40, 40), 1.6);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage drawAuthorPicture()
{
    QImage image(125, 149, QImage::Format_RGB32);
    QPainter p(&image);
    antialiased(p);

    // A night sky behind, with the Moon and a few stars.
    QLinearGradient sky(0, 0, 0, 149);
    sky.setColorAt(0, QColor(30, 40, 90));
    sky.setColorAt(1, QColor(80, 110, 170));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 150));
    p.drawPath(crescent({102, 20}, 11, {5, -4}));
    for (const QPointF star : {QPointF(14, 14), QPointF(30, 30), QPointF(84, 10), QPointF(112, 48), QPointF(10, 52)})
        ellipse(p, star, 1.2, 1.2, QColor(255, 255, 220));

    // Shoulders in a green sweater with a white collar.
    const QColor sweater(60, 150, 90);
    p.setPen(QPen(sweater.darker(140), 1.2));
    p.setBrush(sweater);
    p.drawRoundedRect(QRectF(20, 84, 85, 90), 30, 30);
    QPainterPath collar;
    collar.moveTo(50, 85);
    collar.lineTo(62.5, 100);
    collar.lineTo(75, 85);
    collar.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(collar);
    ellipse(p, {62.5, 84}, 7, 5, kSkin, kSkinLine);

    // Head with hair, ears and glasses.
    ellipse(p, {40, 55}, 4, 6, kSkin, kSkinLine);
    ellipse(p, {85, 55}, 4, 6, kSkin, kSkinLine);
    ellipse(p, {62.5, 54}, 22, 26, kSkin, kSkinLine, 1.2);
    const QColor hair(120, 75, 40);
    QPainterPath top;
    top.moveTo(40, 50);
    top.cubicTo(36, 18, 89, 18, 85, 50);
    top.cubicTo(80, 36, 70, 34, 62, 33);
    top.cubicTo(52, 34, 45, 38, 40, 50);
    p.setPen(QPen(hair.darker(130), 1));
    p.setBrush(hair);
    p.drawPath(top);
    for (const qreal x : {53.0, 72.0}) {
        ellipse(p, {x, 55}, 7.5, 6.5, QColor(255, 255, 255, 90), kInk, 1.6);
        ellipse(p, {x, 55.5}, 2, 2.3, kInk);
    }
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(60.5, 54), QPointF(64.5, 54));
    ellipse(p, {48, 66}, 3.5, 2.2, QColor(255, 140, 140, 140));
    ellipse(p, {77, 66}, 3.5, 2.2, QColor(255, 140, 140, 140));
    stroke(p, smile({52, 68}, {73, 68}, 9), QColor(160, 40, 40), 2);

    // The desk with a laptop seen from behind its lid.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(0, 130, 125, 19));
    p.setBrush(QColor(140, 95, 55));
    p.drawRect(QRectF(0, 130, 125, 3));
    p.setPen(QPen(QColor(90, 90, 95), 1));
    p.setBrush(QColor(190, 190, 198));
    p.drawRoundedRect(QRectF(36, 104, 53, 28), 3, 3);
    ellipse(p, {62.5, 118}, 5, 5, QColor(235, 235, 225), QColor(120, 120, 120));
    p.end();
    return image;
}

namespace {
// The icon's shapes, drawn once as SVG and once with the painter.
struct Oval {
    double cx, cy, rx, ry;
};

// The maria, the darker plains of the near side at full Moon, north up: each
// of a few overlapping ovals, filled as one shape so that the overlaps do not
// show.
const Oval maria[] = {
    {46, 42, 16, 12}, {38, 50, 8, 7},   // Imbrium
    {28, 62, 10, 16}, {31, 80, 9, 10},  // Procellarum
    {74, 41, 10, 9},                    // Serenitatis
    {85, 57, 12, 8}, {80, 52, 6, 6},    // Tranquillitatis
    {104, 48, 6, 7.5},                  // Crisium
    {97, 73, 6, 9},                     // Fecunditatis
    {85, 80, 5, 5},                     // Nectaris
    {50, 88, 12, 7},                    // Nubium
    {62, 70, 5, 4},                     // Vaporum and Medii
};
const QColor kMare(105, 105, 98);
constexpr double kMareOpacity = 0.45;

// Bright young craters: Tycho, Copernicus, Aristarchus.
const Oval craters[] = {{58, 106, 3.5, 3.5}, {43, 58, 3, 3}, {24, 54, 2, 2}};
const QColor kCrater(252, 252, 248), kCraterRim(175, 175, 167);

constexpr double kIconCentre = 64, kIconRadius = 60;
const QColor kDiscLight(238, 238, 230), kDiscDark(150, 150, 143), kDiscLine(95, 95, 90);

QString svgNumber(double v)
{
    return QString::number(v, 'g', 6);
}

QString svgColour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QString ovalSvg(const Oval& o)
{
    return QStringLiteral("    <ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"/>\n")
        .arg(svgNumber(o.cx), svgNumber(o.cy), svgNumber(o.rx), svgNumber(o.ry));
}
}

QString iconSvg()
{
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" viewBox=\"0 0 128 128\">\n"
                          "  <defs>\n"
                          "    <radialGradient id=\"disc\" gradientUnits=\"userSpaceOnUse\" cx=\"52\" cy=\"50\" r=\"76\">\n");
    svg += QStringLiteral("      <stop offset=\"0\" stop-color=\"%1\"/>\n").arg(svgColour(kDiscLight));
    svg += QStringLiteral("      <stop offset=\"1\" stop-color=\"%1\"/>\n").arg(svgColour(kDiscDark));
    svg += QStringLiteral("    </radialGradient>\n  </defs>\n");
    svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%1\" r=\"%2\" fill=\"url(#disc)\" stroke=\"%3\" stroke-width=\"1.5\"/>\n")
               .arg(svgNumber(kIconCentre), svgNumber(kIconRadius), svgColour(kDiscLine));
    svg += QStringLiteral("  <g fill=\"%1\" opacity=\"%2\">\n").arg(svgColour(kMare), svgNumber(kMareOpacity));
    for (const Oval& o : maria)
        svg += ovalSvg(o);
    svg += QStringLiteral("  </g>\n");
    svg += QStringLiteral("  <g fill=\"%1\" stroke=\"%2\" stroke-width=\"0.8\">\n").arg(svgColour(kCrater), svgColour(kCraterRim));
    for (const Oval& o : craters)
        svg += ovalSvg(o);
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    antialiased(p);
    p.scale(size / 128.0, size / 128.0);
    QRadialGradient disc(QPointF(52, 50), 76);
    disc.setColorAt(0, kDiscLight);
    disc.setColorAt(1, kDiscDark);
    p.setPen(QPen(kDiscLine, 1.5));
    p.setBrush(disc);
    p.drawEllipse(QPointF(kIconCentre, kIconCentre), kIconRadius, kIconRadius);
    QPainterPath plains;
    for (const Oval& o : maria) {
        QPainterPath oval;
        oval.addEllipse(QPointF(o.cx, o.cy), o.rx, o.ry);
        plains = plains.united(oval);
    }
    p.setOpacity(kMareOpacity);
    p.fillPath(plains, kMare);
    p.setOpacity(1);
    for (const Oval& o : craters)
        ellipse(p, {o.cx, o.cy}, o.rx, o.ry, kCrater, kCraterRim, 0.8);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool writeArtwork(const QString& folder)
{
    const QDir out(folder);
    QFile svg(out.filePath(QStringLiteral("selvanor.svg")));
    const QByteArray svgText = iconSvg().toUtf8();
    return drawMascot().save(out.filePath(QStringLiteral("vokman.png")), "PNG")
        && drawAuthorPicture().save(out.filePath(QStringLiteral("auteur.png")), "PNG")
        && drawIcon(128).save(out.filePath(QStringLiteral("selvanor.png")), "PNG")
        && svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(svgText) == svgText.size();
}

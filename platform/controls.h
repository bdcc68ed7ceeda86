#pragma once
#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// A font by family and size in pixels, as the windows give their texts.
QFont pixelFont(const QString& family, int pixels, bool bold = false);

// A text control at (x, y) that takes the size of its text, drawn in `colour`
// on its parent's background.
QLabel* addLabel(QWidget* parent, int x, int y, const QString& text, const QFont& font, const QColor& colour);

// Places a top-level window in the middle of its screen.
void centreOnScreen(QWidget* window);

// A panel in the default colour of panels, as the status lines have.
void setPanelColours(QWidget* panel);

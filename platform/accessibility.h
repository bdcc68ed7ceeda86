#pragma once
#include <QLabel>
#include <QString>

// What screen readers hear of the program's controls, in Dutch.

// Names a control and says what it is for.
void describeControl(QWidget* control, const QString& name, const QString& description);

// A text that shows a value (the coordinates of a click, a scale): a screen
// reader hears what it is with its value ("Coördinaten: 12°N 30°W"), and
// what it is alone while it shows nothing.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    ValueLabel(const QString& what, const QString& description, QWidget* parent = nullptr);
    QString what() const { return what_; }

private:
    QString what_;
};

// Makes the program's own controls known to screen readers: the value
// labels, and the pictures it paints itself (CanvasView, PictureBox), which
// are graphics to them. Called by their constructors.
void registerAccessibleControls();

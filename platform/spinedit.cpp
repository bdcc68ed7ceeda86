#include "platform/spinedit.h"

#include <QLineEdit>
#include <QRegularExpression>

SpinEdit::SpinEdit(int minimum, int maximum, int startValue, QWidget* parent)
    : QAbstractSpinBox(parent)
    , min_(minimum)
    , max_(maximum)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setText(QString::number(std::clamp(startValue, min_, max_)));
    pause_.setSingleShot(true);
    pause_.setInterval(TypingPause);
    // A pause takes only a value within the bounds: "2" on the way to "2000"
    // must not be clamped to the lower bound. Ending the entry takes any.
    connect(&pause_, &QTimer::timeout, this, [this] {
        int v = 0;
        if (readInteger(&v) && v >= min_ && v <= max_)
            commitInput();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        pending_ = true;
        pause_.start();
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, &SpinEdit::commitInput);
}

bool SpinEdit::readInteger(int* v) const
{
    bool ok = false;
    *v = lineEdit()->text().trimmed().toInt(&ok);
    return ok;
}

int SpinEdit::value() const
{
    int v = 0;
    return readInteger(&v) ? v : min_;
}

void SpinEdit::changed()
{
    if (onChange)
        onChange();
}

void SpinEdit::commitInput()
{
    if (!pending_)
        return;
    pending_ = false;
    pause_.stop();
    changed();
}

void SpinEdit::setValue(int v)
{
    const QString text = QString::number(std::clamp(v, min_, max_));
    const bool typed = pending_;
    pending_ = false;
    pause_.stop();
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
        changed();   // nested, as each write of the date panel expects
    } else if (typed) {
        changed();   // the typed value was this one: take it
    }
}

void SpinEdit::setMaxLength(int n)
{
    lineEdit()->setMaxLength(n);
}

void SpinEdit::stepBy(int steps)
{
    setValue(value() + steps);
}

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    // Any number may be typed, also outside the bounds or none at all; reading
    // decides what it means. Other characters are no part of a number: a key
    // such as M or + that the window also handles must not spoil the text.
    static const QRegularExpression number(QStringLiteral("^ *[+-]?[0-9]* *$"));
    return number.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

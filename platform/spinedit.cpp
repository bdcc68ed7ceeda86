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
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (onChange)
            onChange();
    });
}

int SpinEdit::value() const
{
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? v : min_;
}

void SpinEdit::setValue(int v)
{
    const QString text = QString::number(std::clamp(v, min_, max_));
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);   // runs the change handler, nested
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

#include "platform/spinedit.h"

#include <QLineEdit>

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

QValidator::State SpinEdit::validate(QString&, int&) const
{
    // Any text may be typed; reading decides what it means.
    return QValidator::Acceptable;
}

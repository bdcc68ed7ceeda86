#pragma once
#include <QAbstractSpinBox>
#include <QTimer>
#include <functional>

// An integer edit with up/down buttons. Reading gives the integer in the text,
// or the lower bound when the text is no integer, without clamping; writing
// clamps to the bounds, and a changed text runs the change handler at once.
// A value the user types is taken when the user ends it (Enter, Tab, leaving
// the field), or at a pause in typing when it lies within the bounds, so that
// a number of several digits can be typed before the handler clamps it.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int startValue, QWidget* parent = nullptr);

    // How long typing may pause before the typed value is taken.
    static constexpr int TypingPause = 1500;

    int value() const;
    void setValue(int v);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setMaxLength(int n);
    // True while a typed value waits to be taken.
    bool hasPendingInput() const { return pending_; }
    // Takes a typed value now (runs the change handler once).
    void commitInput();

    std::function<void()> onChange;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override {}

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    void changed();
    bool readInteger(int* v) const;
    int min_;
    int max_;
    bool pending_ = false;
    QTimer pause_;
};

#pragma once
#include <QAbstractSpinBox>
#include <functional>

// An integer edit with up/down buttons. Reading gives the integer in the text,
// or the lower bound when the text is no integer, without clamping; writing
// clamps to the bounds, and a changed text runs the change handler at once.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int startValue, QWidget* parent = nullptr);

    int value() const;
    void setValue(int v);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setMaxLength(int n);

    std::function<void()> onChange;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override {}

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    int min_;
    int max_;
};

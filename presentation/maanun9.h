#pragma once
#include <QLabel>

#include "platform/form.h"

// The start-up screen; a click on the Moon or a typed key closes it.
class Ttiteldlg : public Form {
    Q_OBJECT
public:
    explicit Ttiteldlg(QWidget* parent = nullptr);
    void FormActivate() override;
    void FormClose() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

    QLabel* Label1;
    QLabel* Image1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

#pragma once
#include "platform/form.h"

class QListWidget;

// The map choice: the sheets of the printed atlas; pressing one moves the
// index map so that the sheet lies in the middle of the viewer.
class Tkeuzedlg : public Form {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 13;

    explicit Tkeuzedlg(QWidget* parent = nullptr);

    void ListBox1MouseDown(int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

    QListWidget* ListBox1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

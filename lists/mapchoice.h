#pragma once
#include "platform/form.h"

class ListBox;

// The map choice: the sheets of the printed atlas; pressing one moves the
// index map so that the sheet lies in the middle of the viewer.
class MapChoice : public Form {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 13;

    explicit MapChoice(QWidget* parent = nullptr);

    void ListBox1MouseDown(int x, int y);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

    ListBox* ListBox1;

signals:
    // A sheet was pressed: its reference point on the index picture.
    void sheetChosen(double pictureX, double pictureY);
};

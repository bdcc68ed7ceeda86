#pragma once
#include <QStringList>

#include "platform/form.h"

class ListBox;
class QLabel;
class QPushButton;

// Marker selection: the user picks the kind of feature whose markers and names
// the main window draws; the word becomes shared().kindFilter.
class Tselectdlg : public Form {
    Q_OBJECT
public:
    explicit Tselectdlg(QWidget* parent = nullptr);

    // The kind words as they are added; "Rima " keeps its blank so that it
    // does not match "Rimae".
    static const QStringList& kindList();

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void ListBox1MouseDown(QPoint position);

    ListBox* ListBox1;
    QLabel* Label1;
    QPushButton* Cancelbtn;
    QPushButton* okbtn;
};

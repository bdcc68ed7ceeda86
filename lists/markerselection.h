#pragma once
#include <QStringList>

#include "platform/form.h"

class ListBox;
class QLabel;
class QPushButton;

// Marker selection: the user picks the kind of feature whose markers and names
// the main window draws. The main window gives the filter in force and takes
// the chosen word when the dialog ends with Ok.
class MarkerSelection : public Form {
    Q_OBJECT
public:
    explicit MarkerSelection(QWidget* parent = nullptr);

    // The kind words as they are added; "Rima " keeps its blank so that it
    // does not match "Rimae".
    static const QStringList& kindList();

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void ListBox1MouseDown(QPoint position);

    QString kindFilter;

    ListBox* ListBox1;
    QLabel* Label1;
    QPushButton* Cancelbtn;
    QPushButton* okbtn;
};

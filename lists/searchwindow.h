#pragma once
#include <QStringList>

#include "platform/form.h"

class AtlasSession;
class ListBox;
class QLabel;
class QLineEdit;

// The search: a feature of any of the three views found by any part of its
// name, case and accents aside, as the user types; a pick goes to the feature
// as a pick in the total index does.
class SearchWindow : public Form {
    Q_OBJECT
public:
    explicit SearchWindow(AtlasSession* session, QWidget* parent = nullptr);

    // Shows the window (the first time at the main window's upper left) with
    // the text field taking the keyboard, its text selected.
    void open();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // Reads the names anew: the views not shown from their index files, the
    // view shown from its table, edits not yet saved included.
    void refresh();

    QLineEdit* searchField;
    ListBox* resultList;
    QLabel* countLabel;

private:
    void readNames();
    void showHits();
    void pickHit(const QString& line);

    AtlasSession* session_;
    QStringList lines_;    // name and view tag, in alphabetical order
    QStringList folded_;   // the same names folded for searching
    bool stale_ = true;
    bool placed_ = false;
};

#pragma once
#include <QListWidget>
#include <functional>

class QFontMetrics;
class RowDelegate;

// The list control of the list windows: fixed item height, and a mouse-down
// handler that runs after the list has taken the press (the pressed entry is
// then the selected one).
class ListBox : public QListWidget {
    Q_OBJECT
public:
    ListBox(QWidget* parent, int itemHeight);

    // Position in the list's viewport. The second press of a double click
    // comes with secondOfDouble set.
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                       QPoint position, bool secondOfDouble)>
        onMouseDown;

    // The entry at a viewport position, or null below the last one.
    QListWidgetItem* entryAt(QPoint position) const { return itemAt(position); }
    // Replaces the entries; the list keeps the order given, and where it can,
    // the part scrolled to.
    void setEntries(const QStringList& lines);
    QStringList entries() const;

    // Makes each row show `shown` (entry, the list's font, the width the row
    // has for its text) instead of the whole entry. Only the painting changes:
    // the entry stays the item's text, for the program and for a screen
    // reader, and a shortened row shows it whole as a tooltip.
    using ShownText = std::function<QString(const QString& entry, const QFontMetrics& metrics, int width)>;
    void setShownText(ShownText shown);
    // What the row of an item shows, as it is painted now.
    QString shownText(const QListWidgetItem* item) const;

protected:
    // With nothing selected, the first Down (or Up) selects the entry it
    // starts from (the first), not the one after it.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void reportPress(QMouseEvent* event, bool secondOfDouble);

    RowDelegate* delegate_;
};

// The whole modifier state of a mouse press as the program tests it: exactly
// the left button and exactly these modifier keys.
bool isLeftPressWith(Qt::KeyboardModifiers wanted, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                     bool secondOfDouble);

#include "lists/listbox.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

private:
    int height_;
};
}

ListBox::ListBox(QWidget* parent, int itemHeight)
    : QListWidget(parent)
{
    setItemDelegate(new FixedHeightDelegate(itemHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

void ListBox::setEntries(const QStringList& lines)
{
    clear();
    addItems(lines);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    reportPress(event, false);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    reportPress(event, true);
}

void ListBox::reportPress(QMouseEvent* event, bool secondOfDouble)
{
    if (onMouseDown)
        onMouseDown(event->button(), event->modifiers(), event->buttons(), event->position().toPoint(),
                    secondOfDouble);
}

bool isLeftPressWith(Qt::KeyboardModifiers wanted, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                     bool secondOfDouble)
{
    return !secondOfDouble && buttons == Qt::LeftButton && (modifiers & ~Qt::KeypadModifier) == wanted;
}

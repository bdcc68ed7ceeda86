#include "lists/listbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {
constexpr int EntryRole = Qt::UserRole;

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
    // A refill that changes nothing leaves the list as the user sees it: a
    // press that activates the window refills it before the press arrives,
    // and must land on the entry under the pointer.
    if (entries() == lines)
        return;
    const int top = verticalScrollBar()->value();
    clear();
    if (shownText_) {
        const QFontMetrics metrics = fontMetrics();
        shownWidth_ = rowTextWidth();
        for (const QString& line : lines) {
            auto* item = new QListWidgetItem(shownText_(line, metrics, shownWidth_));
            item->setData(EntryRole, line);
            addItem(item);
        }
    } else {
        addItems(lines);
    }
    if (top > 0) {
        // Laid out now, so that the scroll range is that of the new entries.
        doItemsLayout();
        verticalScrollBar()->setValue(top);
    }
}

QStringList ListBox::entries() const
{
    QStringList lines;
    lines.reserve(count());
    for (int i = 0; i < count(); ++i)
        lines.append(entryOf(item(i)));
    return lines;
}

QString ListBox::entryOf(const QListWidgetItem* item)
{
    const QVariant entry = item->data(EntryRole);
    return entry.isValid() ? entry.toString() : item->text();
}

int ListBox::rowTextWidth() const
{
    // The margin the style keeps on either side of a row's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return viewport()->width() - 2 * margin;
}

bool ListBox::viewportEvent(QEvent* event)
{
    // The width changes when the window is sized and when the vertical scroll
    // bar comes or goes.
    if (event->type() == QEvent::Resize && shownText_ && rowTextWidth() != shownWidth_)
        showEntriesAnew();
    return QListWidget::viewportEvent(event);
}

void ListBox::showEntriesAnew()
{
    const QFontMetrics metrics = fontMetrics();
    shownWidth_ = rowTextWidth();
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* it = item(i);
        const QString shown = shownText_(entryOf(it), metrics, shownWidth_);
        if (shown != it->text())
            it->setText(shown);
    }
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    // The list makes its first entry current, unselected, when it gets the
    // focus; the arrow would then step past it.
    const int key = event->key();
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && selectedItems().isEmpty() && count() > 0) {
        setCurrentRow(currentIndex().isValid() ? currentRow() : 0);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
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

#include "lists/listbox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

// The rows of a list: all of one height, and with a ShownText, each painted
// as it makes the entry fit the row's width. The rows then take the list's
// width, so no horizontal scroll bar hides the ends of long entries.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }
    ListBox::ShownText shown;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (shown)
            return QSize(0, height_);
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

    // The option a row is painted with.
    void prepare(QStyleOptionViewItem* option, const QModelIndex& index) const { initStyleOption(option, index); }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (!shown || event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem row = option;
        initStyleOption(&row, index);
        const QString entry = index.data(Qt::DisplayRole).toString();
        if (row.text != entry)
            QToolTip::showText(event->globalPos(), entry, view);
        else
            QToolTip::hideText();
        return true;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!shown || !option->features.testFlag(QStyleOptionViewItem::HasDisplay))
            return;
        // The style keeps this margin on either side of a row's text.
        const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
        option->text = shown(option->text, option->fontMetrics, option->rect.width() - 2 * margin);
    }

private:
    int height_;
};

ListBox::ListBox(QWidget* parent, int itemHeight)
    : QListWidget(parent)
    , delegate_(new RowDelegate(itemHeight, this))
{
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

void ListBox::setShownText(ShownText shown)
{
    delegate_->shown = std::move(shown);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    doItemsLayout();
}

QString ListBox::shownText(const QListWidgetItem* item) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(item);
    delegate_->prepare(&option, indexFromItem(item));
    return option.text;
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
    addItems(lines);
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
        lines.append(item(i)->text());
    return lines;
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

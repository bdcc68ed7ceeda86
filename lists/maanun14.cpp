#include "lists/maanun14.h"

#include "app/windows.h"
#include "astro/atlassheets.h"
#include "data/sheetlist.h"
#include "platform/dialogs.h"
#include "viewers/maanun13.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), Tkeuzedlg::ItemHeight};
    }
};
}

Tkeuzedlg::Tkeuzedlg(QWidget* parent)
    : Form(parent)
    , ListBox1(new QListWidget(client()))
{
    setWindowTitle(QStringLiteral("Kies een kaart"));
    // A dialog frame with only the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setSortingEnabled(false);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new FixedHeightDelegate(ListBox1));
    auto* layout = new QVBoxLayout(client());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    ListBox1->viewport()->installEventFilter(this);

    setClientSize(129, 231);
    setFixedSize(size());
    setOuterGeometry(200, 108, keep, keep);

    // FormCreate
    runReportingErrors([this] { ListBox1->addItems(readSheetList(QStringLiteral("kaarten.txt"))); });
}

void Tkeuzedlg::ListBox1MouseDown(int x, int y)
{
    const QListWidgetItem* item = ListBox1->itemAt(x, y);
    if (!item || !atlas2dlg)
        return;
    int n = 0;
    if (!runReportingErrors([&] { n = sheetNumber(item->text()); }))
        return;
    if (n < 1 || n > atlassheets::SheetCount)
        return;
    const atlassheets::ReferencePoint p = atlassheets::sheetReferencePoint(n);
    atlas2dlg->centrePicturePoint(p.x, p.y);
}

bool Tkeuzedlg::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

bool Tkeuzedlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
        ListBox1MouseDown(p.x(), p.y());
    }
    return Form::eventFilter(watched, event);
}

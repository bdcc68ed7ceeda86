#include "lists/mapchoice.h"

#include "astro/atlassheets.h"
#include "data/sheetlist.h"
#include "lists/listbox.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"

#include <QVBoxLayout>

MapChoice::MapChoice(QWidget* parent)
    : Form(parent)
    , ListBox1(new ListBox(client(), ItemHeight))
{
    setWindowTitle(QStringLiteral("Kies een kaart"));
    // A frame with only the close box; a tool window of its parent, the main
    // window, as the index map is.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    describeControl(ListBox1, QStringLiteral("Kaartbladen"),
                    QStringLiteral("De bladen van de atlas; een klik zet het blad in het midden van de kaart"));
    ListBox1->onMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, Qt::MouseButtons, QPoint position,
                                   bool secondOfDouble) {
        if (!secondOfDouble)
            ListBox1MouseDown(position.x(), position.y());
    };
    auto* layout = new QVBoxLayout(client());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);

    setClientSize(129, 231);
    setFixedSize(size());
    setOuterGeometry(200, 108, keep, keep);

    // FormCreate
    runReportingErrors([this] { ListBox1->addItems(readSheetList(QStringLiteral("kaarten.txt"))); });
}

void MapChoice::ListBox1MouseDown(int x, int y)
{
    const QListWidgetItem* item = ListBox1->itemAt(x, y);
    if (!item)
        return;
    int n = 0;
    if (!runReportingErrors([&] { n = sheetNumber(item->text()); }))
        return;
    if (n < 1 || n > atlassheets::SheetCount)
        return;
    const atlassheets::ReferencePoint p = atlassheets::sheetReferencePoint(n);
    emit sheetChosen(p.x, p.y);
}

bool MapChoice::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

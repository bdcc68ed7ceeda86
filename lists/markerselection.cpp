#include "lists/markerselection.h"

#include "data/indexlists.h"
#include "lists/listbox.h"
#include "platform/accessibility.h"
#include "platform/rtfreader.h"

#include <QLabel>
#include <QPushButton>

MarkerSelection::MarkerSelection(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Markerings-selectie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));
    setClientSize(164, 262);
    setFixedSize(size());
    move(381, 160);

    ListBox1 = new ListBox(client(), 13);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(7, 8, 148, 201);
    ListBox1->onMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, Qt::MouseButtons, QPoint position, bool) {
        ListBox1MouseDown(position);
    };
    Label1 = new QLabel(QStringLiteral("Kies het type landkenmerk"), client());
    Label1->move(16, 217);
    Label1->adjustSize();
    Cancelbtn = new QPushButton(QStringLiteral("Cancel"), client());
    Cancelbtn->setGeometry(8, 240, 60, 19);
    okbtn = new QPushButton(QStringLiteral("Ok"), client());
    okbtn->setGeometry(96, 240, 60, 19);
    describeControl(ListBox1, QStringLiteral("Soorten landkenmerken"),
                    QStringLiteral("Kies de soort landkenmerk die getoond wordt, daarna Ok"));
    describeControl(okbtn, QStringLiteral("Ok"), QStringLiteral("Alleen de gekozen soort tonen"));
    describeControl(Cancelbtn, QStringLiteral("Cancel"), QStringLiteral("Weer alle landkenmerken tonen"));
    connect(Cancelbtn, &QPushButton::clicked, this, [this] { setModalResult(mrCancel); });
    connect(okbtn, &QPushButton::clicked, this, [this] { setModalResult(mrOk); });
}

const QStringList& MarkerSelection::kindList()
{
    static const QStringList words{"Crater", "Mons",  "Mare",  "Landing", "Oceanus", "Catena", "Montes",
                                   "Rima ",  "Rimae", "Lacus", "Sinus",   "Rupes",   "Palus",  "Promontorium"};
    return words;
}

void MarkerSelection::FormActivate()
{
    QStringList words = kindList();
    sortAlphabetically(words);
    ListBox1->setEntries(words);
    // Each opening starts with nothing selected.
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
    ListBox1->setFocus();
}

void MarkerSelection::ListBox1MouseDown(QPoint position)
{
    kindFilter.clear();
    if (const QListWidgetItem* item = ListBox1->entryAt(position))
        kindFilter = item->text();
}

bool MarkerSelection::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        setModalResult(mrCancel);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
        if (!selected.isEmpty())
            kindFilter = selected.first()->text();
        setModalResult(mrOk);
        return true;
    }
    default:
        return false;
    }
}

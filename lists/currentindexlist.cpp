#include "lists/currentindexlist.h"

#include "data/featurenames.h"
#include "data/featuretable.h"
#include "data/indexlists.h"
#include "lists/listbox.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "session/atlassession.h"

#include <QGuiApplication>
#include <QScreen>

CurrentIndexList::CurrentIndexList(AtlasSession* session, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(QStringLiteral("Landkenmerken"));
    // A tool window of its parent, the main window: above the program's
    // windows, below its modal ones, and not above other applications.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setClientSize(170, 567);
    setFixedSize(size());

    ListBox1 = new ListBox(client(), 14);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(4, 3, 161, 561);
    describeControl(ListBox1, QStringLiteral("Actuele index"),
                    QStringLiteral("De landkenmerken van het getoonde maanbeeld. Enter of een klik zet er een in het "
                                   "midden; Ctrl + klik opent de foto"));
    QFont font(installedFontFamily(QStringLiteral("Courier New"), QFont::TypeWriter));
    font.setPixelSize(11);
    ListBox1->setFont(font);
    ListBox1->onMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble) {
        ListBox1MouseDown(button, modifiers, buttons, position, secondOfDouble);
    };
}

void CurrentIndexList::showBesideMainWindow()
{
    if (!placed_) {
        placed_ = true;
        placeAtMainWindowEdge();
    }
    showModeless();
}

void CurrentIndexList::placeAtMainWindowEdge()
{
    const QRect mainClient = session_->mainClientArea();
    const QScreen* screen = QGuiApplication::screenAt(mainClient.center());
    const int top = screen ? screen->geometry().top() : 0;
    move(mainClient.left() + mainClient.width() - frameGeometry().width(), top);
}

bool CurrentIndexList::event(QEvent* event)
{
    const bool result = Form::event(event);
    // The frame's width is known only once the window system has decorated
    // the window: place it again then, once.
    const QEvent::Type type = event->type();
    if (placed_ && !framePlaced_ && isVisible()
        && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
        && frameGeometry().size() != geometry().size()) {
        framePlaced_ = true;
        placeAtMainWindowEdge();
    }
    return result;
}

void CurrentIndexList::FormActivate()
{
    vullijst();
}

void CurrentIndexList::refresh()
{
    if (isVisible())
        vullijst();
}

void CurrentIndexList::vullijst()
{
    const FeatureTable& table = session_->featureTable();
    QStringList names;
    std::vector<int> slotOfName;
    names.reserve(FeatureTableSize);
    slotOfName.reserve(FeatureTableSize);
    for (int i = 1; i <= FeatureTableSize; ++i) {
        const FeatureRecord& r = table.slot(i);
        if (!r.inUse())
            continue;
        names.append(r.name());
        slotOfName.push_back(i);
    }
    const std::vector<int> order = alphabeticalOrder(names);
    QStringList lines;
    lines.reserve(names.size());
    entrySlots_.clear();
    for (int k : order) {
        lines.append(names[k]);
        entrySlots_.push_back(slotOfName[std::size_t(k)]);
    }
    ListBox1->setEntries(lines);
    setWindowTitle(QString::number(lines.size()) + QStringLiteral(" Landkenmerken"));
}

void CurrentIndexList::ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                         Qt::MouseButtons buttons, QPoint position, bool secondOfDouble)
{
    const QListWidgetItem* item = ListBox1->entryAt(position);
    if (!item)
        return;
    const QString t = item->text();
    const int row = ListBox1->row(item);
    const int ownSlot = row >= 0 && std::size_t(row) < entrySlots_.size() ? entrySlots_[std::size_t(row)] : 0;
    const bool photo = isLeftPressWith(Qt::ControlModifier, modifiers, buttons, secondOfDouble);
    const bool jump = isLeftPressWith(Qt::NoModifier, modifiers, buttons, secondOfDouble);
    for (int slot : slotsNamed(session_->featureTable(), t)) {
        session_->selectFeature(slot);
        if (photo && hasPhotographMark(t))
            session_->showPhotograph(photographFileName(t));
        if (jump)
            session_->jumpToFeature(slot);
    }
    // With editing allowed a right press changes the name of the entry
    // pressed, as the explanation of editing tells the user.
    if (button == Qt::RightButton && !secondOfDouble && session_->changesAllowed() && ownSlot > 0) {
        const FeatureRecord& r = session_->featureTable().slot(ownSlot);
        if (r.inUse() && r.name() == t)
            session_->renameFeature(ownSlot);
    }
    beep();
}

void CurrentIndexList::jumpToSelectedEntry()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString t = selected.first()->text();
    for (int slot : slotsNamed(session_->featureTable(), t))
        session_->jumpToFeature(slot);
}

bool CurrentIndexList::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F2: close(); break;
    case Qt::Key_F3: session_->runCommand(AtlasCommand::TotalIndex); break;
    case Qt::Key_F4: session_->runCommand(AtlasCommand::PhotoIndex); break;
    case Qt::Key_F5: session_->runCommand(AtlasCommand::LandingIndex); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: jumpToSelectedEntry(); break;
    default: forwardListKey(session_, key, modifiers); break;
    }
    return false;
}

void forwardListKey(AtlasSession* session, int key, Qt::KeyboardModifiers modifiers)
{
    const bool pad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_F1: session->runCommand(AtlasCommand::Help); break;
    case Qt::Key_F6: session->runCommand(AtlasCommand::DefaultSize); break;
    case Qt::Key_F7: session->runCommand(AtlasCommand::TwiceDefaultSize); break;
    case Qt::Key_F8: session->runCommand(AtlasCommand::FiveTimesDefaultSize); break;
    case Qt::Key_4: session->runCommand(AtlasCommand::IndexMap); break;
    case Qt::Key_F:
        if ((modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier)
            session->runCommand(AtlasCommand::Search);
        break;
    case Qt::Key_Plus:
        if (pad)
            session->runCommand(AtlasCommand::ZoomIn);
        break;
    case Qt::Key_Minus:
        if (pad)
            session->runCommand(AtlasCommand::ZoomOut);
        break;
    default: break;
    }
}

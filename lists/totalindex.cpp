#include "lists/totalindex.h"

#include "data/featurenames.h"
#include "data/featuretable.h"
#include "lists/currentindexlist.h"
#include "lists/listbox.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "session/atlassession.h"

#include <QFontMetrics>

TotalIndex::TotalIndex(AtlasSession* session, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(QStringLiteral("Totaallijst"));
    // A tool window of its parent, the main window: above the program's
    // windows, below its modal ones, and not above other applications.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The 8-point sans-serif of the list as designed, not the desktop's
    // larger default: more of each line fits in its 141 pixels.
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));
    ListBox1 = new ListBox(client(), 13);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(5, 4, 141, 557);
    ListBox1->setShownText(shownTotalIndexLine);
    describeControl(ListBox1, QStringLiteral("Index"),
                    QStringLiteral("Landkenmerken van de drie maanbeelden; een klik toont het beeld met het "
                                   "landkenmerk in het midden"));
    ListBox1->onMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble) {
        ListBox1MouseDown(button, modifiers, buttons, position, secondOfDouble);
    };
    totalListFilled = false;
    setOuterGeometry(0, 0, 161, 589);
}

void TotalIndex::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // The window can be sized; the list takes what it gets.
    ListBox1->setGeometry(5, 4, std::max(clientWidth() - 10, 20), std::max(clientHeight() - 8, 20));
}

void TotalIndex::FormActivate()
{
    if (!totalListFilled)
        runReportingErrors([this] { vullijst(); });
    totalListFilled = true;
}

void TotalIndex::vullijst()
{
    const TotalIndexMode mode = totalIndexMode;
    QStringList lines;
    if (mode != TotalIndexMode::None) {
        for (int v = 0; v < ViewCount; ++v)
            for (const QString& name : featureNamesInFile(QLatin1String(viewTags[v].indexFile)))
                if (listedInMode(mode, name))
                    lines.append(totalIndexLine(name, v));
    }
    sortAlphabetically(lines);
    // Hidden while it takes thousands of lines, so it is drawn once.
    ListBox1->hide();
    ListBox1->setEntries(lines);
    ListBox1->show();
    shownMode_ = mode;
    const QString count = QString::number(lines.size());
    setWindowTitle(mode == TotalIndexMode::Photos ? count + QStringLiteral(" detailfoto's")
                                                  : count + QStringLiteral(" objecten"));
}

bool TotalIndex::fillAndShow(TotalIndexMode mode)
{
    totalIndexMode = mode;
    if (!runReportingErrors([this] { vullijst(); }))
        return false;
    showModeless();
    return true;
}

void TotalIndex::focusList()
{
    ListBox1->setFocus();
}

void TotalIndex::refresh()
{
    if (isVisible())
        runReportingErrors([this] { vullijst(); });
}

std::vector<int> pickInView(AtlasSession* session, int view, const QString& name, bool jump)
{
    if (!session->switchToView(view))
        return {};
    const std::vector<int> picked = slotsNamed(session->featureTable(), name);
    for (int slot : picked) {
        session->selectFeature(slot);
        if (jump)
            session->jumpToFeature(slot);
    }
    return picked;
}

QString shownTotalIndexLine(const QString& line, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    const TotalIndexEntry entry = splitTotalIndexLine(line);
    if (entry.view < 0)
        return line;
    const QString tail = line.mid(entry.name.size());   // the blanks and the tag
    return metrics.elidedText(entry.name, Qt::ElideMiddle, width - metrics.horizontalAdvance(tail)) + tail;
}

std::vector<int> TotalIndex::pickEntry(const QString& line, bool jump)
{
    const TotalIndexEntry entry = splitTotalIndexLine(line);
    return pickInView(session_, entry.view, entry.name, jump);
}

void TotalIndex::ListBox1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble)
{
    const QListWidgetItem* item = ListBox1->entryAt(position);
    if (!item)
        return;
    // Copied: the view switch may fill the list anew.
    const QString line = item->text();
    // The photograph of a photographed feature: Ctrl + click, as in the
    // current list, or in the photo index a double click.
    const bool doubleClick = secondOfDouble && buttons == Qt::LeftButton
                             && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool photo = isLeftPressWith(Qt::ControlModifier, modifiers, buttons, secondOfDouble)
                       || (doubleClick && shownMode_ == TotalIndexMode::Photos);
    const std::vector<int> picked = pickEntry(line, isLeftPressWith(Qt::NoModifier, modifiers, buttons, secondOfDouble));
    const QString name = splitTotalIndexLine(line).name;
    if (photo && !picked.empty() && hasPhotographMark(name))
        session_->showPhotograph(photographFileName(name));
    beep();
}

void TotalIndex::jumpToSelectedEntry()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (!selected.isEmpty())
        pickEntry(selected.first()->text(), true);
}

bool TotalIndex::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape: close(); break;
    case Qt::Key_F3:
        if (shownMode_ == TotalIndexMode::All)
            close();
        else
            session_->runCommand(AtlasCommand::TotalIndex);
        break;
    case Qt::Key_F4:
        if (shownMode_ == TotalIndexMode::Photos)
            close();
        else
            session_->runCommand(AtlasCommand::PhotoIndex);
        break;
    case Qt::Key_F5:
        if (shownMode_ == TotalIndexMode::Landings)
            close();
        else
            session_->runCommand(AtlasCommand::LandingIndex);
        break;
    case Qt::Key_F2: session_->runCommand(AtlasCommand::CurrentIndex); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: jumpToSelectedEntry(); break;
    default: forwardListKey(session_, key, modifiers); break;
    }
    return false;
}

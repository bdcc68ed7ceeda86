#include "lists/searchwindow.h"

#include "data/featuretable.h"
#include "data/indexlists.h"
#include "data/namesearch.h"
#include "lists/listbox.h"
#include "lists/totalindex.h"
#include "platform/dialogs.h"
#include "session/atlassession.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SearchWindow::SearchWindow(AtlasSession* session, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(QStringLiteral("Zoeken"));
    // A tool window of its parent, the main window: above the program's
    // windows, below its modal ones, and not above other applications.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* prompt = new QLabel(QStringLiteral("Naam of deel van een naam:"), client());
    searchField = new QLineEdit(client());
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setClearButtonEnabled(true);
    searchField->setAccessibleName(QStringLiteral("Zoektekst"));
    searchField->setAccessibleDescription(QStringLiteral("Naam of deel van een naam van een landkenmerk"));
    prompt->setBuddy(searchField);
    resultList = new ListBox(client(), 15);
    resultList->setObjectName(QStringLiteral("resultList"));
    resultList->setAccessibleName(QStringLiteral("Gevonden landkenmerken"));
    resultList->setAccessibleDescription(QStringLiteral("Enter of een klik gaat naar het landkenmerk"));
    resultList->setShownText(shownTotalIndexLine);
    countLabel = new QLabel(client());
    countLabel->setObjectName(QStringLiteral("countLabel"));
    auto* legend = new QLabel(QStringLiteral("[ek] eerste kwartier, [vm] volle maan, [lk] laatste kwartier"), client());
    legend->setWordWrap(true);

    auto* layout = new QVBoxLayout(client());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(prompt);
    layout->addWidget(searchField);
    layout->addWidget(resultList, 1);
    layout->addWidget(countLabel);
    layout->addWidget(legend);
    setClientSize(330, 420);

    connect(searchField, &QLineEdit::textChanged, this, &SearchWindow::showHits);
    resultList->onMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                     QPoint position, bool secondOfDouble) {
        const QListWidgetItem* item = resultList->entryAt(position);
        if (item && isLeftPressWith(Qt::NoModifier, modifiers, buttons, secondOfDouble))
            pickHit(item->text());
    };
    showHits();
}

void SearchWindow::open()
{
    if (stale_)
        readNames();
    showHits();
    if (!placed_) {
        placed_ = true;
        const QRect main = session_->mainClientArea();
        setOuterGeometry(main.left() + 200, main.top() + 8, keep, keep);
    }
    showModeless();
    searchField->setFocus();
    searchField->selectAll();
}

void SearchWindow::refresh()
{
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    readNames();
    showHits();
}

void SearchWindow::readNames()
{
    stale_ = false;
    QStringList lines;
    QStringList names;
    const int shown = session_->currentView();
    for (int v = 0; v < ViewCount; ++v) {
        // A damaged index file is reported; the other views are searched.
        QStringList viewNames;
        runReportingErrors([&] {
            viewNames = v == shown ? featureNames(session_->featureTable())
                                   : featureNamesInFile(QLatin1String(viewTags[v].indexFile));
        });
        for (const QString& name : viewNames) {
            lines.append(totalIndexLine(name, v));
            names.append(name);
        }
    }
    lines_.clear();
    folded_.clear();
    for (int i : alphabeticalOrder(lines)) {
        lines_.append(lines[i]);
        folded_.append(foldedForSearch(names[i]));
    }
}

void SearchWindow::showHits()
{
    const QString query = searchField->text();
    const std::vector<int> hits = namesMatching(folded_, query);
    QStringList shown;
    shown.reserve(qsizetype(hits.size()));
    for (int i : hits)
        shown.append(lines_[i]);
    const QString current = resultList->currentItem() ? resultList->currentItem()->text() : QString();
    resultList->setEntries(shown);
    // The hit the arrows and Enter act on: the one chosen, while it is found,
    // else the first.
    const qsizetype keep = shown.indexOf(current);
    if (!shown.isEmpty())
        resultList->setCurrentRow(keep >= 0 ? int(keep) : 0);

    if (query.trimmed().isEmpty())
        countLabel->setText(QStringLiteral("Typ een naam of een deel ervan."));
    else if (hits.empty())
        countLabel->setText(QStringLiteral("Niets gevonden."));
    else if (hits.size() == 1)
        countLabel->setText(QStringLiteral("1 landkenmerk gevonden"));
    else
        countLabel->setText(QString::number(hits.size()) + QStringLiteral(" landkenmerken gevonden"));
}

void SearchWindow::pickHit(const QString& line)
{
    const TotalIndexEntry entry = splitTotalIndexLine(line);
    pickInView(session_, entry.view, entry.name, true);
}

bool SearchWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape: close(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const QListWidgetItem* item = resultList->currentItem())
            pickHit(item->text());
        return true;
    case Qt::Key_F:
        if ((modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
            return false;
        searchField->setFocus();
        searchField->selectAll();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // Typing goes on in the field while the arrows walk the hits.
        if (!searchField->hasFocus())
            return false;
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(resultList, &press);
        return true;
    }
    default: return false;
    }
}

#include "lists/maanun4.h"

#include "app/maanun1.h"
#include "app/windows.h"
#include "data/indexlists.h"
#include "lists/listbox.h"
#include "lists/maanun3.h"
#include "platform/dialogs.h"

namespace {
bool listedInMode(TotalIndexMode mode, const QString& name)
{
    switch (mode) {
    case TotalIndexMode::All: return !name.isEmpty();
    case TotalIndexMode::Photos: return name.contains(QLatin1Char('*'));
    case TotalIndexMode::Landings: return name.contains(QLatin1String("Landing"));
    case TotalIndexMode::None: break;
    }
    return false;
}
}

Ttotaaldlg::Ttotaaldlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Totaallijst"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);
    ListBox1 = new ListBox(client(), 13);
    ListBox1->setGeometry(5, 4, 141, 557);
    ListBox1->onMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble) {
        ListBox1MouseDown(button, modifiers, buttons, position, secondOfDouble);
    };
    totalListFilled = false;
    setOuterGeometry(0, 0, 161, 589);
}

void Ttotaaldlg::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // The window can be sized; the list takes what it gets.
    ListBox1->setGeometry(5, 4, std::max(clientWidth() - 10, 20), std::max(clientHeight() - 8, 20));
}

void Ttotaaldlg::FormActivate()
{
    if (lijstdlg)
        lijstdlg->close();
    if (!totalListFilled)
        runReportingErrors([this] { vullijst(); });
    totalListFilled = true;
}

void Ttotaaldlg::vullijst()
{
    const TotalIndexMode mode = shared().totalIndexMode;
    QStringList lines;
    if (mode != TotalIndexMode::None) {
        for (int v = 0; v < ViewCount; ++v) {
            int count = 0;
            const auto records = readIndexFile(QLatin1String(viewTags[v].indexFile), &count);
            for (int i = 0; i < count; ++i) {
                const FeatureRecord& r = records[std::size_t(i)];
                if (!r.inUse())
                    continue;
                const QString name = r.name();
                if (listedInMode(mode, name))
                    lines.append(totalIndexLine(name, v));
            }
        }
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

bool Ttotaaldlg::fillAndShow()
{
    if (!runReportingErrors([this] { vullijst(); }))
        return false;
    showModeless();
    return true;
}

bool switchMainWindowToView(int view)
{
    static void (TForm1::*const handlers[ViewCount])() = {&TForm1::Eerstekwartier1Click, &TForm1::Vollemaan1Click,
                                                          &TForm1::Laatstekwartier1Click};
    if (view < 0 || view >= ViewCount || !Form1)
        return false;
    return runReportingErrors([view] { (Form1->*handlers[view])(); });
}

void Ttotaaldlg::ListBox1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble)
{
    const QListWidgetItem* item = ListBox1->entryAt(position);
    if (!item)
        return;
    const TotalIndexEntry entry = splitTotalIndexLine(item->text());
    if (switchMainWindowToView(entry.view)) {
        const bool jump = isLeftPressWith(Qt::NoModifier, modifiers, buttons, secondOfDouble);
        SharedState& s = shared();
        for (int i = 1; i <= FeatureTableSize; ++i) {
            const FeatureRecord& r = s.featureTable.slot(i);
            if (!r.inUse() || r.name() != entry.name)
                continue;
            s.selectedFeature = std::uint16_t(i);
            if (jump)
                jumpToFeature(i, entry.name);
        }
    }
    beep();
}

void Ttotaaldlg::jumpToSelectedEntry()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const TotalIndexEntry entry = splitTotalIndexLine(selected.first()->text());
    if (!switchMainWindowToView(entry.view))
        return;
    SharedState& s = shared();
    for (int i = 1; i <= FeatureTableSize && s.featureTable.slot(i).inUse(); ++i) {
        if (s.featureTable.slot(i).name() != entry.name)
            continue;
        s.selectedFeature = std::uint16_t(i);
        jumpToFeature(i, entry.name);
    }
}

bool Ttotaaldlg::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape: close(); break;
    case Qt::Key_F3:
        if (shownMode_ == TotalIndexMode::All)
            close();
        else
            Form1->Verzamellijst1Click();
        break;
    case Qt::Key_F4:
        if (shownMode_ == TotalIndexMode::Photos)
            close();
        else
            Form1->Fotoindex1Click();
        break;
    case Qt::Key_F5:
        if (shownMode_ == TotalIndexMode::Landings)
            close();
        else
            Form1->Landingindex1Click();
        break;
    case Qt::Key_F2: Form1->Lijst1Click(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: jumpToSelectedEntry(); break;
    default: forwardListKey(key, modifiers); break;
    }
    return false;
}

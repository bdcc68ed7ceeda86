#include "lists/maanun3.h"

#include "app/maanun1.h"
#include "app/windows.h"
#include "data/featurenames.h"
#include "data/indexlists.h"
#include "data/numbertext.h"
#include "lists/listbox.h"
#include "lists/maanun4.h"
#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "viewers/maanun6.h"

#include <QScreen>
#include <algorithm>
#include <cmath>

Tlijstdlg::Tlijstdlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Landkenmerken"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);
    setClientSize(170, 567);
    setFixedSize(size());

    ListBox1 = new ListBox(client(), 14);
    ListBox1->setGeometry(4, 3, 161, 561);
    QFont font(installedFontFamily(QStringLiteral("Courier New"), QFont::TypeWriter));
    font.setPixelSize(11);
    ListBox1->setFont(font);
    ListBox1->onMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                   QPoint position, bool secondOfDouble) {
        ListBox1MouseDown(button, modifiers, buttons, position, secondOfDouble);
    };
}

void Tlijstdlg::showBesideMainWindow()
{
    if (!placed_) {
        placed_ = true;
        placeAtMainWindowEdge();
    }
    showModeless();
}

void Tlijstdlg::placeAtMainWindowEdge()
{
    if (!Form1)
        return;
    const QPoint clientRight = Form1->client()->mapToGlobal(QPoint(Form1->clientWidth(), 0));
    const int top = Form1->screen() ? Form1->screen()->geometry().top() : 0;
    move(clientRight.x() - frameGeometry().width(), top);
}

bool Tlijstdlg::event(QEvent* event)
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

void Tlijstdlg::FormActivate()
{
    if (totaaldlg)
        totaaldlg->close();
    vullijst();
}

void Tlijstdlg::vullijst()
{
    const FeatureTable& table = shared().featureTable;
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

void Tlijstdlg::ListBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                                  QPoint position, bool secondOfDouble)
{
    const QListWidgetItem* item = ListBox1->entryAt(position);
    if (!item)
        return;
    const QString t = item->text();
    const int row = ListBox1->row(item);
    SharedState& s = shared();
    const bool photo = isLeftPressWith(Qt::ControlModifier, modifiers, buttons, secondOfDouble);
    const bool jump = isLeftPressWith(Qt::NoModifier, modifiers, buttons, secondOfDouble);
    for (int i = 1; i <= FeatureTableSize && s.featureTable.slot(i).inUse(); ++i) {
        if (s.featureTable.slot(i).name() != t)
            continue;
        s.selectedFeature = std::uint16_t(i);
        if (photo && t.contains(QLatin1Char('*'))) {
            s.photoFileName = photographFileName(t);
            if (foto1dlg)
                foto1dlg->showModal();
        }
        if (jump)
            jumpToFeature(i, t);
    }
    // With editing allowed a right press changes the name, as the explanation
    // of editing tells the user.
    if (button == Qt::RightButton && !secondOfDouble && s.changesAllowed && Form1 && row >= 0
        && std::size_t(row) < entrySlots_.size()) {
        const int slot = entrySlots_[std::size_t(row)];
        if (s.featureTable.slot(slot).inUse() && s.featureTable.slot(slot).name() == t)
            Form1->renameFeature(slot);
    }
    beep();
}

void Tlijstdlg::jumpToSelectedEntry()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString t = selected.first()->text();
    SharedState& s = shared();
    for (int i = 1; i <= FeatureTableSize && s.featureTable.slot(i).inUse(); ++i) {
        if (s.featureTable.slot(i).name() != t)
            continue;
        s.selectedFeature = std::uint16_t(i);
        jumpToFeature(i, t);
    }
}

bool Tlijstdlg::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F2: close(); break;
    case Qt::Key_F3: Form1->Verzamellijst1Click(); break;
    case Qt::Key_F4: Form1->Fotoindex1Click(); break;
    case Qt::Key_F5: Form1->Landingindex1Click(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: jumpToSelectedEntry(); break;
    default: forwardListKey(key, modifiers); break;
    }
    return false;
}

void forwardListKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool pad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_F1: Form1->Help1Click(); break;
    case Qt::Key_F6: Form1->Defaultgrootte1Click(); break;
    case Qt::Key_F7: Form1->N2xdefaultClick(); break;
    case Qt::Key_F8: Form1->N5xdefaultClick(); break;
    case Qt::Key_4: Form1->Kaartenindex1Click(); break;
    case Qt::Key_Plus:
        if (pad)
            Form1->ZoomIN1Click();
        break;
    case Qt::Key_Minus:
        if (pad)
            Form1->ZoomUIT1Click();
        break;
    default: break;
    }
}

void jumpToFeature(int slot, const QString& name)
{
    SharedState& s = shared();
    const int cx = Form1->clientWidth() / 2, cy = Form1->clientHeight() / 2;
    const FeatureRecord& r = s.featureTable.slot(slot);
    const QPoint p = featureScreenPoint(Form1->placement(), r.x(), r.y());
    s.originX = std::clamp(s.originX + (cx - p.x()), -PixelLimit, PixelLimit);
    s.originY = std::clamp(s.originY + (cy - p.y()), -PixelLimit, PixelLimit);
    Form1->repaintNow();
    drawPickCircle(cx, cy, 8, QColor(255, 255, 0));
    Form1->Label9->setText(name);
    Form1->Label9->adjustSize();
    Form1->coordinatenmeting(cx, cy);
}

void drawPickCircle(int x, int y, int radius, const QColor& colour)
{
    Canvas& c = Form1->canvas();
    // The main window's painting expects the pen it left behind.
    const int penWidth = c.penWidth;
    c.penColor = colour;
    c.penWidth = 2;
    c.moveTo(x + radius, y);
    for (int k = 1; k <= 36; ++k) {
        const double angle = k * 2 * M_PI / 36;
        c.lineTo(toPixel(x + radius * std::cos(angle)), toPixel(y + radius * std::sin(angle)));
    }
    c.penWidth = penWidth;
    c.endPainting();
    Form1->surface()->repaint();
}

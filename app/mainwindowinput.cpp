// The main window's keys, zoom, centring, display switches and mouse.
#include "app/mainwindow.h"

#include "data/featurenames.h"
#include "data/numbertext.h"
#include "data/real48.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "platform/hints.h"
#include "platform/spinedit.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolTip>
#include <algorithm>

bool MainWindow::dateFieldHasFocus() const
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == jaarspin || w == maandspin || w == dagspin || w == uurspin)
            return true;
    return false;
}

bool MainWindow::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // The keys a date field uses for typing and stepping are its own.
    if (dateFieldHasFocus()
        && ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Left || key == Qt::Key_Right
            || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Backspace || key == Qt::Key_Delete
            || key == Qt::Key_Minus || key == Qt::Key_Home || key == Qt::Key_End))
        return false;
    switch (key) {
    case Qt::Key_Escape: close(); return false;
    case Qt::Key_F1: Help1Click(); return false;
    case Qt::Key_F2: Lijst1Click(); return false;
    case Qt::Key_F3: Verzamellijst1Click(); return false;
    case Qt::Key_F4: Fotoindex1Click(); return false;
    case Qt::Key_F5: Landingindex1Click(); return false;
    case Qt::Key_F6: Defaultgrootte1Click(); return false;
    case Qt::Key_F7: N2xdefaultClick(); return false;
    case Qt::Key_F8: N5xdefaultClick(); return false;
    case Qt::Key_1: Eerstekwartier1Click(); return false;
    case Qt::Key_2: Vollemaan1Click(); return false;
    case Qt::Key_3: Laatstekwartier1Click(); return false;
    case Qt::Key_4: Kaartenindex1Click(); return false;
    case Qt::Key_Space:
        forgetSelection();
        repaintNow();
        return false;
    case Qt::Key_M: markeren1Click(); return false;
    case Qt::Key_N: Namentonen1Click(); return false;
    case Qt::Key_O: Omgekeerdbeeld1Click(); return false;
    case Qt::Key_T: Terminator1Click(); return false;
    case Qt::Key_R: Coordinatenraster1Click(); return false;
    case Qt::Key_S: Sneltoetsen1Click(); return false;
    case Qt::Key_P: SchaalS1Click(); return false;
    case Qt::Key_G: Selecteermarkering1Click(); return false;
    // The plus and minus of the main keyboard zoom like those of the keypad;
    // "=" shares its key with "+" on many layouts.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIN1Click();
        return false;
    case Qt::Key_Minus:
        ZoomUIT1Click();
        return false;
    // A way back for a Moon dragged off the window.
    case Qt::Key_Home:
        centreImage();
        repaintNow();
        return false;
    default:
        break;
    }
    // Arrows: no modifier or Ctrl alone (the keypad flag of some keyboards aside).
    const Qt::KeyboardModifiers m = modifiers & ~Qt::KeypadModifier;
    int step = 0;
    if (m == Qt::NoModifier)
        step = 25;
    else if (m == Qt::ControlModifier)
        step = 250;
    if (step == 0)
        return false;
    RunState& s = state_;
    switch (key) {
    case Qt::Key_Right: s.originX += step; break;
    case Qt::Key_Left: s.originX -= step; break;
    case Qt::Key_Up: s.originY -= step; break;
    case Qt::Key_Down: s.originY += step; break;
    default: return false;
    }
    s.originX = std::clamp(s.originX, -PixelLimit, PixelLimit);
    s.originY = std::clamp(s.originY, -PixelLimit, PixelLimit);
    repaintNow();
    return false;
}

void MainWindow::zoomTo(double newZoom)
{
    zoomAbout(newZoom, clientWidth() * 0.5, clientHeight() * 0.5);
}

void MainWindow::zoomAbout(double newZoom, double fixedX, double fixedY)
{
    RunState& s = state_;
    const double cx = toReal48Precision(fixedX);
    const double cy = toReal48Precision(fixedY);
    const double ux = toReal48Precision((cx - s.originX) / s.zoomFactor * 2);
    const double uy = toReal48Precision((cy - s.originY) / s.zoomFactor * 2);
    const double zoom = toReal48Precision(newZoom);
    // Hundreds of steps either way are fine; past the range a 6-byte real can
    // hold, the zoom stays where it is instead of collapsing to 0 or infinity.
    if (!(zoom > 1e-30 && zoom < 1e30)) {
        beep();
        return;
    }
    s.zoomFactor = zoom;
    const double x = cx - s.zoomFactor * ux * 0.5, y = cy - s.zoomFactor * uy * 0.5;
    s.originX = toPixel(x);
    s.originY = toPixel(y);
    // Held at the pixel limit, the origin no longer tells which point of the
    // image lies under the window.
    if (std::abs(x) > PixelLimit || std::abs(y) > PixelLimit)
        placeLost_ = true;
    repaintNow();
}

void MainWindow::centreImage()
{
    RunState& s = state_;
    placeLost_ = false;
    s.originX = toPixel((clientWidth() - s.zoomFactor * s.bitmapWidth) * 0.5);
    s.originY = toPixel((clientHeight() - s.zoomFactor * s.bitmapHeight) * 0.5);
}

void MainWindow::ZoomIN1Click() { zoomTo(state_.zoomFactor * ZoomInStep); }
void MainWindow::ZoomUIT1Click() { zoomTo(state_.zoomFactor * ZoomOutStep); }

void MainWindow::FormMouseWheel(int angleDelta, int X, int Y)
{
    // One notch of a wheel is 120; finer wheels and touchpads send parts of it.
    wheelRest_ += angleDelta;
    while (std::abs(wheelRest_) >= 120) {
        const bool in = wheelRest_ > 0;
        wheelRest_ += in ? -120 : 120;
        zoomAbout(state_.zoomFactor * (in ? ZoomInStep : ZoomOutStep), X, Y);
    }
}

void MainWindow::zoomToPreset(double zoom)
{
    // Hundreds of steps in, the origin was held at the pixel limit and the
    // point under the middle is lost: a preset then brings the Moon back to
    // the middle. Otherwise it keeps the point under the middle.
    if (!placeLost_) {
        zoomTo(zoom);
        return;
    }
    state_.zoomFactor = toReal48Precision(zoom);
    centreImage();
    repaintNow();
}

void MainWindow::Defaultgrootte1Click() { zoomToPreset(0.5); }
void MainWindow::N2xdefaultClick() { zoomToPreset(1.0); }
void MainWindow::N5xdefaultClick() { zoomToPreset(2.5); }

void MainWindow::Centreer1Click()
{
    RunState& s = state_;
    if (s.hoveredFeature < 1 || s.hoveredFeature > FeatureTableSize || !s.featureTable.slot(s.hoveredFeature).inUse()) {
        beep();
        return;
    }
    const double cx = clientWidth() * 0.5, cy = clientHeight() * 0.5;
    const FeatureRecord& r = s.featureTable.slot(s.hoveredFeature);
    const QPoint p = featureScreenPoint(placement(), r.x(), r.y());
    s.originX = toPixel(s.originX - (p.x() - cx));
    s.originY = toPixel(s.originY - (p.y() - cy));
    repaintNow();
}

void MainWindow::markeren1Click()
{
    state_.markersOn = !state_.markersOn;
    markeren1->setChecked(state_.markersOn);
    Markeringen1->setChecked(state_.markersOn);
    repaintNow();
}

void MainWindow::Namentonen1Click()
{
    state_.namesOn = !state_.namesOn;
    Namentonen1->setChecked(state_.namesOn);
    Toonnamen1->setChecked(state_.namesOn);
    repaintNow();
}

void MainWindow::Omgekeerdbeeld1Click()
{
    state_.rotated180 = !state_.rotated180;
    Omgekeerdbeeld1->setChecked(state_.rotated180);
    repaintNow();
}

void MainWindow::Sneltoetsen1Click()
{
    state_.keyListShown = !state_.keyListShown;
    Sneltoetsen1->setChecked(state_.keyListShown);
    Memo1->setVisible(state_.keyListShown);
}

void MainWindow::Memo1Click()
{
    Sneltoetsen1Click();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress) {
        Memo1Click();
        return true;
    }
    return Form::eventFilter(watched, event);
}

// --- Mouse -------------------------------------------------------------------

void MainWindow::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                               int X, int Y)
{
    Q_UNUSED(button);
    dragStartX = X;
    dragStartY = Y;
    Panel1->clear();
    coordinatenmeting(X, Y);
    // Many window managers take Alt + click for moving windows, so that the
    // program never sees it; Ctrl + Alt + click adds a feature as well.
    const Qt::KeyboardModifiers m = modifiers & ~Qt::KeypadModifier;
    if ((m == Qt::AltModifier || m == (Qt::AltModifier | Qt::ControlModifier)) && buttons == Qt::LeftButton)
        addFeatureAt(X, Y);
}

void MainWindow::setTooltip(const QString& text)
{
    if (surface_->toolTip() == text)
        return;
    surface_->setToolTip(text);
    surface_->setToolTipDuration(hintHidePause());
    if (text.isEmpty())
        QToolTip::hideText();
}

void MainWindow::setSurfaceCursor(const QCursor& cursor)
{
    // Each change is a request to the window system: make it only when needed.
    if (surface_->cursor().shape() != cursor.shape())
        surface_->setCursor(cursor);
}

void MainWindow::forgetHoveredFeature()
{
    RunState& s = state_;
    s.hoveredFeature = 0;
    s.photoFileName.clear();
    Centreer1->setText(QStringLiteral("Centreer"));
    Centreer1->setEnabled(false);
    Wijzignaam1->setText(QStringLiteral("Wijzig naam"));
    Wijzignaam1->setEnabled(false);
    Toonfoto1->setText(QStringLiteral("Toon foto"));
    Toonfoto1->setEnabled(false);
    setTooltip(QString());
}

void MainWindow::FormMouseMove(int X, int Y)
{
    RunState& s = state_;
    Toonfoto1->setEnabled(false);
    if (std::abs(qint64(X) - dragStartX) > 50 || std::abs(qint64(Y) - dragStartY) > 50) {
        Label10->clear();
        Label11->clear();
    }
    const ViewPlacement v = placement();
    int hit = 0;
    for (int i = 1; i <= FeatureTableSize && s.featureTable.slot(i).inUse(); ++i) {
        const FeatureRecord& r = s.featureTable.slot(i);
        const QPoint p = featureScreenPoint(v, r.x(), r.y());
        if (std::abs(qint64(X) - p.x()) < 5 && std::abs(qint64(Y) - p.y()) < 5) {
            hit = i;
            break;
        }
    }
    if (hit == 0) {
        // With an empty table the pointer stays as it was.
        if (s.featureTable.slot(1).inUse()) {
            setSurfaceCursor(s.localScaleOn ? crossCursor() : QCursor(Qt::ArrowCursor));
            setTooltip(QString());
        }
        return;
    }
    const QString name = s.featureTable.slot(hit).name();
    if (!s.localScaleOn)
        setSurfaceCursor(QCursor(Qt::PointingHandCursor));
    s.hoveredFeature = std::uint16_t(hit);
    setTooltip(name);
    Centreer1->setText(QStringLiteral("Centreer ") + name);
    Centreer1->setEnabled(true);
    Wijzignaam1->setText(name + QStringLiteral(" wijzigen"));
    Wijzignaam1->setEnabled(s.changesAllowed);
    if (hasPhotographMark(name)) {
        s.photoFileName = photographFileName(name);
        Toonfoto1->setText(QStringLiteral("Foto ") + name);
        Toonfoto1->setEnabled(true);
    }
}

void MainWindow::FormMouseUp(Qt::MouseButton button, int X, int Y)
{
    if (button != Qt::LeftButton)
        return;
    RunState& s = state_;
    const int dx = X - dragStartX, dy = Y - dragStartY;
    s.originX = std::clamp(s.originX + dx, -PixelLimit, PixelLimit);
    s.originY = std::clamp(s.originY + dy, -PixelLimit, PixelLimit);
    if (dx != 0 || dy != 0)
        repaintNow();
}

void MainWindow::Toonfoto1Click()
{
    const QString file = state_.photoFileName;
    // A name from an index file must not lead outside the working directory.
    if (isBareFileName(file) && QFile::exists(file))
        showPhotograph(file);
    else
        showMessage(QStringLiteral("Foto is niet gevonden."));
}

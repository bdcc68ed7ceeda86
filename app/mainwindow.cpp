#include "app/mainwindow.h"

#include "app/mainwindowstyle.h"
#include "astro/captions.h"
#include "astro/projection.h"
#include "data/featurenames.h"
#include "data/fileerror.h"
#include "data/numbertext.h"
#include "platform/accessibility.h"
#include "platform/bmploader.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "platform/hints.h"
#include "platform/spinedit.h"
#include "presentation/titlescreen.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QWheelEvent>
#include <exception>

using namespace mainwindowstyle;

namespace {
int viewIndexOf(const QString& imageFileName)
{
    const ViewGeometry* g = viewGeometryFor(imageFileName);
    return g ? int(g - viewGeometries()) : -1;
}
}

// --- Start-up --------------------------------------------------------------

MainWindow::MainWindow(QWidget* parent)
    : Form(parent)
{
    surface_ = named(new CanvasView(this), "surface");
    describeControl(surface_, QStringLiteral("Maanbeeld"),
                    QStringLiteral("De maan met haar landkenmerken. Een klik geeft de coördinaten van een punt, "
                                   "slepen verschuift het beeld, de rechter muisknop opent het snelmenu en F1 de "
                                   "toelichting."));
    setClient(surface_);
    surface_->setMouseTracking(true);
    surface_->onDraw = [this] { FormPaint(); };
    surface_->onMousePress = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseDown(e->button(), e->modifiers(), e->buttons(), p.x(), p.y());
    };
    surface_->onMouseMove = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseMove(p.x(), p.y());
    };
    // The pop-up opens when the right button comes up: opened at the press,
    // the release that ends a drag would run the entry under it.
    surface_->onMouseRelease = [this](QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseUp(e->button(), p.x(), p.y());
        if (e->button() == Qt::RightButton)
            PopupMenu1->popup(e->globalPosition().toPoint());
    };
    surface_->onWheel = [this](QWheelEvent* e) {
        const QPoint p = e->position().toPoint();
        FormMouseWheel(e->angleDelta().y(), p.x(), p.y());
    };
    setColours(surface_, Qt::black, Qt::white);
    setFont(arialPixels(11));
    canvas().font = QFont(QStringLiteral("Arial"), 8);
    setWindowTitle(QStringLiteral("Selvanor"));
    resize(1024, 700);

    buildMenus();
    buildControls();

    // FormCreate
    RunState& s = state_;
    s.zoomFactor = 0.5;
    s.originX = 0;
    s.originY = 0;
    s.imageFileName.clear();
    Label10->clear();
    Label11->clear();
    s.markersOn = true;
    for (bool& f : firstVisit)
        f = true;
    s.localScaleOn = false;
    Panel3->hide();
    s.gridOn = s.namesOn = s.terminatorOn = s.changesAllowed = false;
    forgetHoveredFeature();
    markeren1->setChecked(s.markersOn);
    Markeringen1->setChecked(s.markersOn);
    Namentonen1->setChecked(s.namesOn);
    Toonnamen1->setChecked(s.namesOn);
    firstActivation = true;
    Memo1->setReadOnly(true);
    Memo1->setPlainText(keyList().join(QLatin1Char('\n')));
    Panel1->clear();
    Label9->clear();
    crossCursor();
}

MainWindow::~MainWindow() = default;

// --- Activation ------------------------------------------------------------

void MainWindow::FormActivate()
{
    phaseReportSuppressed = true;
    setWindowTitle(QStringLiteral("*** Selvanor ***"));
    actueletijd();
    Label8->setText(dayNameText + QStringLiteral(", ") + QString::number(dagspin->value()) + QLatin1Char('-')
                    + QString::number(maandspin->value()) + QLatin1Char('-') + QString::number(jaarspin->value()));
    Label8->adjustSize();
    fasemelding();
    setHintTiming(100, 100, 50000);
    Panel2->move(0, 15);
    if (firstActivation) {
        setHintTiming(100, 100, 2000);
        Label8->show();
        if (windows_.title)
            windows_.title->showModal();
        runReportingErrors([this] { Vollemaan1Click(); });
        QFont f = Panel1->font();
        f.setPointSize(10);
        Panel1->setFont(f);
        Panel1->clear();
        Panel1->show();
        firstActivation = false;
        pijl();
        surface_->update();
    }
}

void MainWindow::hideDateLine()
{
    Label8->hide();
}

// --- Views -----------------------------------------------------------------

void MainWindow::Eerstekwartier1Click() { switchView(0); }
void MainWindow::Vollemaan1Click() { switchView(1); }
void MainWindow::Laatstekwartier1Click() { switchView(2); }

int MainWindow::currentView() const
{
    return viewIndexOf(state_.imageFileName);
}

void MainWindow::savesituatie()
{
    const int v = viewIndexOf(state_.imageFileName);
    if (v >= 0)
        savedOrigin[v] = {state_.originX, state_.originY};
}

void MainWindow::haalsituatie()
{
    const int v = viewIndexOf(state_.imageFileName);
    if (v >= 0) {
        state_.originX = savedOrigin[v].x;
        state_.originY = savedOrigin[v].y;
    }
}

void MainWindow::warnIfEditsAreLost()
{
    if (state_.imageFileName.isEmpty())
        return;
    const QString file = indexFileNameFor(state_.imageFileName);
    if (state_.featureTable.editsWouldBeLost(file))
        showMessage(QStringLiteral("De index van dit maanbeeld is niet opgeslagen, omdat het bestand ") + file
                    + QStringLiteral(" beschadigd is. Uw wijzigingen in deze index gaan verloren."));
}

void MainWindow::saveIndex()
{
    RunState& s = state_;
    if (s.imageFileName.isEmpty())
        return;
    warnIfEditsAreLost();
    // A table as it was read needs no writing: skipping it loses nothing, and
    // a folder the user cannot write (a school share, an installed data set)
    // then blocks nothing.
    if (s.saveIndexFiles && s.featureTable.changedSinceRead())
        s.featureTable.opslaan(indexFileNameFor(s.imageFileName));
    else
        s.featureTable.initnamen();
}

void MainWindow::switchView(int view)
{
    RunState& s = state_;
    savesituatie();
    saveIndex();
    // What the mouse last pointed at and what was picked belong to the view
    // that is left; their slot numbers mean other features in the next one.
    forgetHoveredFeature();
    forgetSelection();
    s.imageFileName = QLatin1String(viewGeometries()[view].imageFileName);
    const bool fullMoon = view == 1;
    Terminator1->setVisible(fullMoon);
    Panel2->setVisible(fullMoon && s.terminatorOn);
    // A damaged index still shows the view, with the records that could be
    // read; the damage is reported when the view is up. A missing image stops
    // the switch here.
    std::exception_ptr indexError;
    try {
        haalmaanfoto();
    } catch (const FileError&) {
        if (s.moonBitmap.isNull())
            throw;
        indexError = std::current_exception();
    }
    centreImage();
    if (!firstVisit[view])
        haalsituatie();
    Image1->setVisible(fullMoon && s.terminatorOn);
    Label1->setVisible(fullMoon && s.terminatorOn);
    repaintNow();
    firstVisit[view] = false;
    emit indexChanged();
    if (indexError)
        std::rethrow_exception(indexError);
}

void MainWindow::haalmaanfoto()
{
    RunState& s = state_;
    // A damaged index keeps the records read before the damage; the image is
    // loaded all the same.
    std::exception_ptr indexError;
    try {
        s.featureTable.leesnamen(indexFileNameFor(s.imageFileName));
    } catch (const FileError&) {
        indexError = std::current_exception();
    }
    s.moonBitmap = QImage();
    picture_ = ScaledPicture();
    const QImage image = loadBitmapFile(s.imageFileName);
    s.moonBitmap = image;
    s.bitmapWidth = image.width();
    s.bitmapHeight = image.height();
    picture_ = ScaledPicture(image);
    if (indexError)
        std::rethrow_exception(indexError);
}

void MainWindow::titelbalk()
{
    const QString title = viewTitle(state_.imageFileName);
    if (title.isEmpty())
        return;
    setWindowTitle(title + distanceText(80.0 / state_.zoomFactor, 5) + QStringLiteral(" km"));
}

void MainWindow::forgetSelection()
{
    state_.selectedFeature = 0;
    Label9->clear();
}

// --- Closing ---------------------------------------------------------------

void MainWindow::Afsluiten1Click()
{
    close();
}

bool MainWindow::FormCloseQuery()
{
    if (!askQuestion(QStringLiteral("Dit programma verlaten?")))
        return false;
    // Saved before the window goes: when the save fails the program stays
    // open, so no edit is lost.
    try {
        saveIndex();
    } catch (const FileError& e) {
        showErrorBox(QString::fromLocal8Bit(e.what()));
        // The edits are still in memory; the user decides whether they go.
        return askQuestion(QStringLiteral("Toch afsluiten zonder de wijzigingen op te slaan?"));
    }
    return true;
}

void MainWindow::FormClose()
{
    state_.moonBitmap = QImage();
    picture_ = ScaledPicture();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->hide();
    QCoreApplication::exit(0);
}

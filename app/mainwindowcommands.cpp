// The main window's commands that open the other windows, and what those
// windows ask of it.
#include "app/mainwindow.h"

#include "app/mainwindowstyle.h"
#include "app/newfeaturedialog.h"
#include "data/featurenames.h"
#include "data/numbertext.h"
#include "libration/latitudedemo.h"
#include "libration/librationface.h"
#include "libration/longitudedemo.h"
#include "lists/currentindexlist.h"
#include "lists/markerselection.h"
#include "lists/searchwindow.h"
#include "lists/totalindex.h"
#include "platform/dialogs.h"
#include "presentation/aboutbox.h"
#include "presentation/authorbox.h"
#include "viewers/atlasmap.h"
#include "viewers/helpviewer.h"
#include "viewers/photoviewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>

using namespace mainwindowstyle;

void MainWindow::Lijst1Click()
{
    if (windows_.currentIndex)
        windows_.currentIndex->showBesideMainWindow();
}

void MainWindow::Zoeken1Click()
{
    if (windows_.search)
        windows_.search->open();
}

void MainWindow::Verzamellijst1Click()
{
    if (windows_.totalIndex && windows_.totalIndex->fillAndShow(TotalIndexMode::All))
        windows_.totalIndex->focusList();
}

void MainWindow::Fotoindex1Click()
{
    if (windows_.totalIndex)
        windows_.totalIndex->fillAndShow(TotalIndexMode::Photos);
}

void MainWindow::Landingindex1Click()
{
    if (windows_.totalIndex)
        windows_.totalIndex->fillAndShow(TotalIndexMode::Landings);
}

void MainWindow::Selecteermarkering1Click()
{
    MarkerSelection* dialog = windows_.markerSelection;
    if (dialog) {
        dialog->kindFilter = state_.kindFilter;
        state_.kindFilter = dialog->showModal() == mrOk ? dialog->kindFilter : QString();
    } else {
        state_.kindFilter.clear();
    }
    repaintNow();
}

void MainWindow::Kaartenindex1Click()
{
    if (windows_.atlasMap)
        windows_.atlasMap->showModeless();
}

namespace {
// Both help openers put the viewer along the full screen height, its left edge
// where the user last left it.
HelpRequest alongTheScreen(const QString& file, HelpRequest::Mode mode)
{
    HelpRequest help;
    help.fileName = file;
    help.top = 0;
    help.width = 500;
    help.height = QApplication::primaryScreen()->geometry().height();
    help.mode = mode;
    return help;
}
}

void MainWindow::Help1Click()
{
    showHelp(alongTheScreen(QStringLiteral("maanhelp.rtf"), HelpRequest::Mode::Modeless));
}

void MainWindow::Woordenlijst1Click()
{
    HelpRequest help = alongTheScreen(QStringLiteral("woordhelp.rtf"), HelpRequest::Mode::Modal);
    help.caption = QStringLiteral("Woordverklaring");
    showHelp(help);
}

void MainWindow::Liberatie1Click()
{
    if (windows_.longitude)
        windows_.longitude->showModal();
}

void MainWindow::Libratieinbreedte1Click()
{
    if (windows_.latitude)
        windows_.latitude->showModal();
}

void MainWindow::Hetmaanbeeld1Click()
{
    if (windows_.librationFace)
        windows_.librationFace->showModal();
}

void MainWindow::AboutVOK1Click()
{
    if (windows_.about)
        windows_.about->showModal();
}

void MainWindow::Aboutauteur1Click()
{
    if (windows_.author)
        windows_.author->showModal();
}

// --- What the other windows ask ----------------------------------------------

void MainWindow::selectFeature(int slot)
{
    if (slot >= 1 && slot <= FeatureTableSize && state_.featureTable.slot(slot).inUse())
        state_.selectedFeature = std::uint16_t(slot);
}

void MainWindow::jumpToFeature(int slot)
{
    RunState& s = state_;
    if (slot < 1 || slot > FeatureTableSize || !s.featureTable.slot(slot).inUse())
        return;
    s.selectedFeature = std::uint16_t(slot);
    // The list windows take the middle with its halves cut off.
    const int cx = clientWidth() / 2, cy = clientHeight() / 2;
    const FeatureRecord& r = s.featureTable.slot(slot);
    const QPoint p = featureScreenPoint(placement(), r.x(), r.y());
    s.originX = std::clamp(s.originX + (cx - p.x()), -PixelLimit, PixelLimit);
    s.originY = std::clamp(s.originY + (cy - p.y()), -PixelLimit, PixelLimit);
    repaintNow();
    drawPickCircle(cx, cy, 8, kYellow);
    Label9->setText(r.name());
    Label9->adjustSize();
    coordinatenmeting(cx, cy);
}

bool MainWindow::switchToView(int view)
{
    if (view < 0 || view > 2)
        return false;
    return runReportingErrors([this, view] { switchView(view); });
}

void MainWindow::showPhotograph(const QString& photoFileName)
{
    if (!windows_.photo)
        return;
    windows_.photo->photoFileName = photoFileName;
    windows_.photo->showModal();
}

void MainWindow::runCommand(AtlasCommand command)
{
    switch (command) {
    case AtlasCommand::Help: Help1Click(); break;
    case AtlasCommand::CurrentIndex: Lijst1Click(); break;
    case AtlasCommand::TotalIndex: Verzamellijst1Click(); break;
    case AtlasCommand::PhotoIndex: Fotoindex1Click(); break;
    case AtlasCommand::LandingIndex: Landingindex1Click(); break;
    case AtlasCommand::DefaultSize: Defaultgrootte1Click(); break;
    case AtlasCommand::TwiceDefaultSize: N2xdefaultClick(); break;
    case AtlasCommand::FiveTimesDefaultSize: N5xdefaultClick(); break;
    case AtlasCommand::ZoomIn: ZoomIN1Click(); break;
    case AtlasCommand::ZoomOut: ZoomUIT1Click(); break;
    case AtlasCommand::IndexMap: Kaartenindex1Click(); break;
    case AtlasCommand::Search: Zoeken1Click(); break;
    }
}

Form* MainWindow::showHelp(const HelpRequest& request)
{
    if (!windows_.help)
        return nullptr;
    if (request.sayWhenMissing && !QFileInfo(request.fileName).isFile()) {
        showMessage(QStringLiteral("File ") + request.fileName + QStringLiteral("ontbreekt"));
        return nullptr;
    }
    // Without a named opener the help window is one of the main window.
    HelpRequest shown = request;
    if (!shown.owner)
        shown.owner = this;
    windows_.help->open(shown);
    return windows_.help;
}

QRect MainWindow::mainClientArea() const
{
    return QRect(client()->mapToGlobal(QPoint(0, 0)), client()->size());
}

void MainWindow::activateMainWindow()
{
    activateWindow();
}

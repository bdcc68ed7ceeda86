#include "app/program.h"

#include "app/mainwindow.h"
#include "app/newfeaturedialog.h"
#include "libration/latitudedemo.h"
#include "libration/librationface.h"
#include "libration/longitudedemo.h"
#include "lists/currentindexlist.h"
#include "lists/mapchoice.h"
#include "lists/markerselection.h"
#include "lists/searchwindow.h"
#include "lists/totalindex.h"
#include "presentation/aboutbox.h"
#include "presentation/authorbox.h"
#include "presentation/resources.h"
#include "presentation/titlescreen.h"
#include "viewers/atlasmap.h"
#include "viewers/helpviewer.h"
#include "viewers/photoviewer.h"

#include <QApplication>
#include <QIcon>

Program::Program()
{
    // The program's own icon on every window, from its resources: the
    // installed icon, needing no file at run time.
    initPresentationResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/selvanor.png")));

    main_ = std::make_unique<MainWindow>();
    AtlasSession* session = main_.get();
    newFeature_ = std::make_unique<NewFeatureDialog>();
    // The lists and the search stay above the main window as tool windows of
    // it (the help window is kept above its opener when it opens); the
    // program's modal windows and questions come above them, and other
    // applications are not kept under them.
    currentIndex_ = std::make_unique<CurrentIndexList>(session, main_.get());
    totalIndex_ = std::make_unique<TotalIndex>(session, main_.get());
    help_ = std::make_unique<HelpViewer>();
    photo_ = std::make_unique<PhotoViewer>(session);
    author_ = std::make_unique<AuthorBox>();
    about_ = std::make_unique<AboutBox>();
    title_ = std::make_unique<TitleScreen>();
    latitude_ = std::make_unique<LatitudeDemo>(session);
    // The index map and its sheet choice are tool windows of the main window.
    atlasMap_ = std::make_unique<AtlasMap>(session, main_.get());
    mapChoice_ = std::make_unique<MapChoice>(main_.get());
    librationFace_ = std::make_unique<LibrationFace>(session);
    longitude_ = std::make_unique<LongitudeDemo>(session);
    markerSelection_ = std::make_unique<MarkerSelection>();
    search_ = std::make_unique<SearchWindow>(session, main_.get());

    MainWindow::Windows w;
    w.newFeature = newFeature_.get();
    w.currentIndex = currentIndex_.get();
    w.totalIndex = totalIndex_.get();
    w.help = help_.get();
    w.photo = photo_.get();
    w.author = author_.get();
    w.about = about_.get();
    w.title = title_.get();
    w.latitude = latitude_.get();
    w.atlasMap = atlasMap_.get();
    w.librationFace = librationFace_.get();
    w.longitude = longitude_.get();
    w.markerSelection = markerSelection_.get();
    w.search = search_.get();
    main_->setWindows(w);
    connectWindows();
}

Program::~Program()
{
    main_->setWindows({});
    search_.reset();
    markerSelection_.reset();
    longitude_.reset();
    librationFace_.reset();
    mapChoice_.reset();
    atlasMap_.reset();
    latitude_.reset();
    title_.reset();
    about_.reset();
    author_.reset();
    photo_.reset();
    help_.reset();
    totalIndex_.reset();
    currentIndex_.reset();
    newFeature_.reset();
    main_.reset();
}

void Program::connectWindows()
{
    // The two index lists are never open together: each closes the other when
    // it becomes active.
    QObject::connect(currentIndex_.get(), &Form::activated, totalIndex_.get(), &QWidget::close);
    QObject::connect(totalIndex_.get(), &Form::activated, currentIndex_.get(), &QWidget::close);
    // What the main window changes in its index, the open lists show at once.
    QObject::connect(main_.get(), &MainWindow::indexChanged, currentIndex_.get(), &CurrentIndexList::refresh);
    QObject::connect(main_.get(), &MainWindow::indexChanged, totalIndex_.get(), &TotalIndex::refresh);
    QObject::connect(main_.get(), &MainWindow::indexChanged, search_.get(), &SearchWindow::refresh);

    // The index map and its sheet choice.
    QObject::connect(atlasMap_.get(), &AtlasMap::sheetChoiceAsked, mapChoice_.get(), &Form::showModeless);
    QObject::connect(atlasMap_.get(), &Form::closed, mapChoice_.get(), &QWidget::close);
    QObject::connect(mapChoice_.get(), &MapChoice::sheetChosen, atlasMap_.get(), &AtlasMap::centrePicturePoint);

    // The title screen takes the date line with it, and its mascot speaks
    // through the about box's sound player.
    QObject::connect(title_.get(), &Form::closed, main_.get(), &MainWindow::hideDateLine);
    QObject::connect(title_.get(), &TitleScreen::mascotClicked, about_.get(), &AboutBox::vokman_praat);
}

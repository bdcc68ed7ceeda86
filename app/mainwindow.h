#pragma once
#include <QColor>
#include <QStringList>
#include <memory>

#include "app/runstate.h"
#include "astro/calendar.h"
#include "astro/overlay.h"
#include "platform/canvasview.h"
#include "platform/form.h"
#include "session/atlassession.h"

class AboutBox;
class AtlasMap;
class AuthorBox;
class CurrentIndexList;
class HelpViewer;
class LatitudeDemo;
class LibrationFace;
class LongitudeDemo;
class MarkerSelection;
class NewFeatureDialog;
class PhotoViewer;
class SearchWindow;
class SpinEdit;
class TitleScreen;
class TotalIndex;
class QAction;
class QLabel;
class QPrinter;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// The main atlas window: one of the three views with its overlay. It owns the
// state of the run and opens every other window; they reach it through its
// session interface only.
//
// Its code is split by concern: views, menus, commands and the session in
// mainwindow.cpp; painting in mainwindowpaint.cpp, printing and saving what
// it shows in mainwindowprint.cpp; keys, zoom and the mouse in
// mainwindowinput.cpp; the date and the phase in mainwindowdate.cpp; editing
// the index in mainwindowedit.cpp.
class MainWindow : public Form, public AtlasSession {
    Q_OBJECT
public:
    // The windows it opens, made and owned by the program.
    struct Windows {
        NewFeatureDialog* newFeature = nullptr;
        CurrentIndexList* currentIndex = nullptr;
        TotalIndex* totalIndex = nullptr;
        HelpViewer* help = nullptr;
        PhotoViewer* photo = nullptr;
        AuthorBox* author = nullptr;
        AboutBox* about = nullptr;
        TitleScreen* title = nullptr;
        LatitudeDemo* latitude = nullptr;
        AtlasMap* atlasMap = nullptr;
        LibrationFace* librationFace = nullptr;
        LongitudeDemo* longitude = nullptr;
        MarkerSelection* markerSelection = nullptr;
        SearchWindow* search = nullptr;
    };

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;
    void setWindows(const Windows& windows) { windows_ = windows; }

    RunState& state() { return state_; }
    const RunState& state() const { return state_; }

    // Start, views, title, closing
    void FormActivate() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void Eerstekwartier1Click();
    void Vollemaan1Click();
    void Laatstekwartier1Click();
    void haalmaanfoto();
    void savesituatie();
    void haalsituatie();
    void titelbalk();
    void Afsluiten1Click();
    // Printing the view as shown and saving it as a picture, with what it
    // shows, the date and the scale under it.
    void Afdrukken1Click();
    void Opslaanalsafbeelding1Click();
    void printView(QPrinter& printer);
    void saveViewPicture(const QString& fileName);
    // The printer "Afdrukken…" works on; it keeps its settings.
    QPrinter& printer();
    // The date line under the title screen goes with it.
    void hideDateLine();

    // Date panel and phase
    void actueletijd();
    void fasemelding();
    void Button1Click();
    void uurspinChange();
    void dagspinChange();
    void maandspinChange();
    void jaarspinChange();

    // Painting
    void FormPaint();
    void repaintNow();
    void pijl();
    void drawCross(int x, int y, int h, const QColor& colour);
    void drawCircle(double x, double y, double r, const QColor& colour);
    // A 36-sided circle of pen width 2 drawn straight onto the surface; it
    // stays until the next repaint.
    void drawPickCircle(int x, int y, int radius, const QColor& colour);

    // Grid, read-out, scale
    void rastercorrectie();
    void tekenraster();
    void coordinatenmeting(int X, int Y);
    void Coordinatenraster1Click();
    void SchaalS1Click();

    // Terminator and phase figure
    void terminator(double E);
    void Schijngestalte(double E);
    void Terminator1Click();

    // Keys, zoom, centring, switches
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    static constexpr double ZoomInStep = 1.1;
    static constexpr double ZoomOutStep = 0.9090909090909091;   // 1 / 1.1
    void ZoomIN1Click();
    void ZoomUIT1Click();
    // Home: the image in the middle of the window, at the zoom in force, as
    // a view is shown the first time.
    void centreImage();
    void Defaultgrootte1Click();
    void N2xdefaultClick();
    void N5xdefaultClick();
    void Centreer1Click();
    void markeren1Click();
    void Namentonen1Click();
    void Omgekeerdbeeld1Click();
    void Sneltoetsen1Click();
    void Memo1Click();

    // Mouse
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, int X, int Y);
    void FormMouseMove(int X, int Y);
    void FormMouseUp(Qt::MouseButton button, int X, int Y);
    // The wheel zooms by the steps of the keypad's plus and minus, keeping the
    // point under the mouse in place.
    void FormMouseWheel(int angleDelta, int X, int Y);
    void Toonfoto1Click();
    // Adding a feature with Alt + left click.
    void addFeatureAt(int X, int Y);

    // Windows opened from the menus
    void Lijst1Click();
    void Zoeken1Click();
    void Verzamellijst1Click();
    void Fotoindex1Click();
    void Landingindex1Click();
    void Selecteermarkering1Click();
    void Kaartenindex1Click();
    void Nieuwenamen1Click();
    void Wijzigentoestaan1Click();
    void Wijzignaam1Click();
    void Help1Click();
    void Woordenlijst1Click();
    void Liberatie1Click();
    void Libratieinbreedte1Click();
    void Hetmaanbeeld1Click();
    void AboutVOK1Click();
    void Aboutauteur1Click();

    // What the other windows ask of it.
    const FeatureTable& featureTable() const override { return state_.featureTable; }
    int currentView() const override;
    bool changesAllowed() const override { return state_.changesAllowed; }
    void selectFeature(int slot) override;
    void jumpToFeature(int slot) override;
    bool switchToView(int view) override;
    void renameFeature(int slot) override;
    void showPhotograph(const QString& photoFileName) override;
    void runCommand(AtlasCommand command) override;
    Form* showHelp(const HelpRequest& request) override;
    QRect mainClientArea() const override;
    void activateMainWindow() override;

    ViewPlacement placement() const;
    Canvas& canvas() { return surface_->canvas(); }
    CanvasView* surface() const { return surface_; }

    // State of this window beyond the state of the run
    struct SavedOrigin { int x = 0, y = 0; };
    SavedOrigin savedOrigin[3];
    bool firstVisit[3] = {true, true, true};
    bool firstActivation = true;
    int dragStartX = 0;
    int dragStartY = 0;
    DiscGeometry disc;

    DateFields date;
    double phaseAngle = 0;
    QString dayNameText;
    bool phaseReportSuppressed = false;
    int phaseReportCount = 0;   // how many phase reports ran (one per report)

    static const QStringList& keyList();
    static QString viewTitle(const QString& imageFileName);

signals:
    // After a view switch, an edit of the index or a rename: the open lists
    // show the table as it is now.
    void indexChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    // The view switch, and everything that hangs on it: the index saved, the
    // new view loaded, the hovered and selected feature forgotten, the lists
    // refilled.
    void switchView(int view);
    // The index of the view that is left: written when it was changed (and
    // saving is on), else let go. Throws FileError when writing fails.
    void saveIndex();
    void forgetSelection();
    void zoomTo(double newZoom);
    void zoomToPreset(double zoom);
    void zoomAbout(double newZoom, double fixedX, double fixedY);
    bool dateFieldHasFocus() const;
    void setSurfaceCursor(const QCursor& cursor);
    // The pop-up entries that act on a feature go back to their neutral,
    // disabled state.
    void forgetHoveredFeature();
    void warnIfEditsAreLost();
    void spinChanged(int DateFields::*field, SpinEdit* edit);
    void writeDateBack();
    void setTooltip(const QString& text);
    QImage shownPicture();

    RunState state_;
    Windows windows_;
    Canvas figure_;
    ScaledPicture picture_;
    CanvasView* surface_;
    int wheelRest_ = 0;
    bool placeLost_ = false;   // the origin was held at the pixel limit
    std::unique_ptr<QPrinter> printer_;

    // Controls
    QLabel* Label1;   // "% zichtbaar"
    QLabel* Label8;   // date line
    QLabel* Label9;   // picked feature
    QLabel* Panel1;   // coordinate read-out
    QWidget* Panel3;  // local scale
    QLabel* Label10;
    QLabel* Label11;
    QWidget* Panel2;  // date panel
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    SpinEdit *jaarspin, *maandspin, *dagspin, *uurspin;
    QPushButton* Button1;
    QLabel* Image1;   // phase figure
    QPlainTextEdit* Memo1;

    // Main menu
    QAction *Eerstekwartier1, *Vollemaan1, *Laatstekwartier1, *Afdrukken1, *Opslaanalsafbeelding1, *Afsluiten1;
    QAction *Lijst1, *Zoeken1, *Verzamellijst1, *Fotoindex1, *Landingindex1;
    QAction *markeren1, *Selecteermarkering1, *Namentonen1, *Terminator1, *Coordinatenraster1, *SchaalS1,
        *Kaartenindex1, *Omgekeerdbeeld1;
    QAction *ZoomIN1, *ZoomUIT1, *Defaultgrootte1, *N2xdefault, *N5xdefault;
    QAction *Nieuwenamen1, *Wijzigentoestaan1;
    QAction *Help1, *Woordenlijst1, *Liberatie1, *Libratieinbreedte1, *Hetmaanbeeld1, *Sneltoetsen1, *AboutVOK1,
        *Aboutauteur1;
    // Pop-up menu
    QMenu* PopupMenu1;
    QAction *ActueleIndex1, *Indextotaal1, *Markeringen1, *Toonnamen1, *Raster1, *Wijzignaam1, *Centreer1,
        *Defaultgrootte2, *N2xdefault2, *N5xdefault2, *Toonfoto1;
};

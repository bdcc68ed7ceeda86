#include "app/maanun1.h"

#include "app/maanun2.h"
#include "app/windows.h"
#include "astro/calendar.h"
#include "astro/projection.h"
#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/fileerror.h"
#include "data/numbertext.h"
#include "lists/listbox.h"
#include "lists/maanun10.h"
#include "lists/maanun3.h"
#include "lists/maanun4.h"
#include "libration/maanun11.h"
#include "libration/maanun12.h"
#include "libration/maanun15.h"
#include "platform/bmploader.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "platform/hints.h"
#include "presentation/maanun7.h"
#include "presentation/maanun8.h"
#include "presentation/maanun9.h"
#include "viewers/maanun13.h"
#include "viewers/maanun5.h"
#include "viewers/maanun6.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {
const QColor kRed(255, 0, 0), kLime(0, 255, 0), kYellow(255, 255, 0), kSilver(192, 192, 192);
const QColor kEarthshineGrey(40, 40, 40);

QFont arialPixels(int px, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void setColours(QWidget* w, const QColor& background, const QColor& text)
{
    QPalette p = w->palette();
    if (background.isValid()) {
        p.setColor(QPalette::Window, background);
        p.setColor(QPalette::Base, background);
        w->setAutoFillBackground(true);
    }
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    w->setPalette(p);
}

QLabel* makeLabel(QWidget* parent, int x, int y, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

int viewIndexOf(const QString& imageFileName)
{
    const ViewGeometry* g = viewGeometryFor(imageFileName);
    return g ? int(g - viewGeometries()) : -1;
}

// A typed name as the index file can hold it: characters outside its code
// page become their base letter or are left out, and the user sees what is
// stored. Gives false, after saying so, when nothing would be left.
bool storableName(const QString& typed, const QString& nothingDone, QString* name)
{
    const QString storable = transliterateToCp1252(typed);
    if (storable.trimmed().isEmpty()) {
        showMessage(QStringLiteral("De index kan geen enkel teken van deze naam bewaren; ") + nothingDone
                    + QLatin1Char('.'));
        return false;
    }
    *name = storable.left(FeatureRecord::MaxNameLength);
    if (storable != typed)
        showMessage(QStringLiteral("De index kan niet alle tekens van deze naam bewaren.\n"
                                   "De naam is opgeslagen als:\n\n")
                    + *name);
    return true;
}

// After an edit, the open index lists show the table as it is now.
void refreshIndexLists()
{
    if (lijstdlg && lijstdlg->isVisible())
        lijstdlg->vullijst();
    if (totaaldlg && totaaldlg->isVisible())
        runReportingErrors([] { totaaldlg->vullijst(); });
}
}

// --- The client area -------------------------------------------------------

MoonSurface::MoonSurface(TForm1* form)
    : QWidget(form)
    , form_(form)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MoonSurface::paintEvent(QPaintEvent* e)
{
    form_->canvas().endPainting();
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r, form_->canvas().image(), r);
}

void MoonSurface::resizeEvent(QResizeEvent*)
{
    form_->canvas().resize(width(), height());
    form_->FormPaint();
}

void MoonSurface::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    form_->FormMouseDown(e->button(), e->modifiers(), e->buttons(), p.x(), p.y());
    if (e->button() == Qt::RightButton)
        form_->PopupMenu1->popup(e->globalPosition().toPoint());
}

void MoonSurface::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    form_->FormMouseMove(p.x(), p.y());
}

void MoonSurface::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    form_->FormMouseUp(e->button(), p.x(), p.y());
}

void MoonSurface::wheelEvent(QWheelEvent* e)
{
    const QPoint p = e->position().toPoint();
    form_->FormMouseWheel(e->angleDelta().y(), p.x(), p.y());
    e->accept();
}

// --- Start-up --------------------------------------------------------------

TForm1::TForm1(QWidget* parent)
    : Form(parent)
{
    surface_ = new MoonSurface(this);
    setClient(surface_);
    setColours(surface_, Qt::black, Qt::white);
    setFont(arialPixels(11));
    canvas_.font = QFont(QStringLiteral("Arial"), 8);
    setWindowTitle(QStringLiteral("Selvanor"));
    resize(1024, 700);

    buildMenus();
    buildControls();

    // FormCreate
    SharedState& s = shared();
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
    s.totalIndexMode = TotalIndexMode::None;
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

TForm1::~TForm1() = default;

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* text, void (TForm1::*handler)(), bool checkable = false) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    auto addBar = [this, bar](const char* text, void (TForm1::*handler)()) {
        QAction* a = bar->addAction(QString::fromUtf8(text));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };

    QMenu* bestand = bar->addMenu(QStringLiteral("Bestand"));
    Eerstekwartier1 = add(bestand, "Eerste kwartier    [1]", &TForm1::Eerstekwartier1Click);
    Vollemaan1 = add(bestand, "Volle maan          [2]", &TForm1::Vollemaan1Click);
    Laatstekwartier1 = add(bestand, "Laatste kwartier  [3]", &TForm1::Laatstekwartier1Click);
    bestand->addSeparator();
    Afsluiten1 = add(bestand, "Afsluiten", &TForm1::Afsluiten1Click);

    Lijst1 = addBar("Actuele Index [F2] ", &TForm1::Lijst1Click);
    Verzamellijst1 = addBar("Index totaal [F3]  ", &TForm1::Verzamellijst1Click);
    Fotoindex1 = addBar("Fotoindex [F4]", &TForm1::Fotoindex1Click);
    Landingindex1 = addBar("Landingindex [F5]", &TForm1::Landingindex1Click);

    QMenu* beeld = bar->addMenu(QStringLiteral("  &Beeld Opties "));
    markeren1 = add(beeld, "Markeringen              [M]", &TForm1::markeren1Click, true);
    Selecteermarkering1 = add(beeld, "Geselecteerd             [G]", &TForm1::Selecteermarkering1Click);
    Namentonen1 = add(beeld, "Namen                      [N]", &TForm1::Namentonen1Click, true);
    Terminator1 = add(beeld, "Terminator                 [T]", &TForm1::Terminator1Click, true);
    Coordinatenraster1 = add(beeld, "Coordinatenraster      [R]", &TForm1::Coordinatenraster1Click, true);
    SchaalS1 = add(beeld, "Plaatselijke Schaal    [P]", &TForm1::SchaalS1Click, true);
    Kaartenindex1 = add(beeld, "Kaartenindex             [4]", &TForm1::Kaartenindex1Click);
    beeld->addSeparator();
    Omgekeerdbeeld1 = add(beeld, "Omgekeerd beeld     [O]", &TForm1::Omgekeerdbeeld1Click, true);

    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    ZoomIN1 = add(zoom, "Zoom IN    [+]", &TForm1::ZoomIN1Click);
    ZoomUIT1 = add(zoom, "Zoom UIT  [-]", &TForm1::ZoomUIT1Click);
    zoom->addSeparator();
    Defaultgrootte1 = add(zoom, "Default grootte  [F6]", &TForm1::Defaultgrootte1Click);
    N2xdefault = add(zoom, "2 x default         [F7]", &TForm1::N2xdefaultClick);
    N5xdefault = add(zoom, "5 x default         [F8]", &TForm1::N5xdefaultClick);

    QMenu* update = bar->addMenu(QStringLiteral("&Update"));
    Nieuwenamen1 = add(update, "Wijzigen", &TForm1::Nieuwenamen1Click);
    Wijzigentoestaan1 = add(update, "Wijzigen toestaan", &TForm1::Wijzigentoestaan1Click, true);

    QMenu* help = bar->addMenu(QStringLiteral("&Help "));
    Help1 = add(help, "Toelichting   {F1]", &TForm1::Help1Click);
    Woordenlijst1 = add(help, "Woordenlijst", &TForm1::Woordenlijst1Click);
    QMenu* libratie = help->addMenu(QStringLiteral("Libratie animatie"));
    Liberatie1 = add(libratie, "Libratie in lengte", &TForm1::Liberatie1Click);
    Libratieinbreedte1 = add(libratie, "Libratie in breedte", &TForm1::Libratieinbreedte1Click);
    Hetmaanbeeld1 = add(libratie, "Het maanbeeld", &TForm1::Hetmaanbeeld1Click);
    Sneltoetsen1 = add(help, "Sneltoetsen  [S]", &TForm1::Sneltoetsen1Click, true);
    help->addSeparator();
    AboutVOK1 = add(help, "About VOK", &TForm1::AboutVOK1Click);
    Aboutauteur1 = add(help, "About auteur", &TForm1::Aboutauteur1Click);

    PopupMenu1 = new QMenu(this);
    ActueleIndex1 = add(PopupMenu1, "Actuele Index", &TForm1::Lijst1Click);
    Indextotaal1 = add(PopupMenu1, "Index totaal", &TForm1::Verzamellijst1Click);
    PopupMenu1->addSeparator();
    Markeringen1 = add(PopupMenu1, "Markeringen", &TForm1::markeren1Click, true);
    Toonnamen1 = add(PopupMenu1, "Namen", &TForm1::Namentonen1Click, true);
    Raster1 = add(PopupMenu1, "Raster", &TForm1::Coordinatenraster1Click);
    PopupMenu1->addSeparator();
    Wijzignaam1 = add(PopupMenu1, "Wijzig naam", &TForm1::Wijzignaam1Click);
    Centreer1 = add(PopupMenu1, "Centreer", &TForm1::Centreer1Click);
    PopupMenu1->addSeparator();
    Defaultgrootte2 = add(PopupMenu1, "Default grootte", &TForm1::Defaultgrootte1Click);
    N2xdefault2 = add(PopupMenu1, "2 x default", &TForm1::N2xdefaultClick);
    N5xdefault2 = add(PopupMenu1, "5 x default", &TForm1::N5xdefaultClick);
    PopupMenu1->addSeparator();
    Toonfoto1 = add(PopupMenu1, "Toon foto", &TForm1::Toonfoto1Click);
}

void TForm1::buildControls()
{
    QWidget* c = surface_;

    Label8 = makeLabel(c, 7, 511, QString());
    Label8->setFont(arialPixels(11));
    setColours(Label8, QColor(), QColor(128, 128, 0));
    Label8->hide();

    Label9 = makeLabel(c, 12, 487, QString());
    Label9->setFont(arialPixels(13));
    setColours(Label9, QColor(), kLime);
    Label9->resize(400, 17);

    Panel1 = new QLabel(c);
    Panel1->setGeometry(3, 508, 96, 19);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(arialPixels(13));
    setColours(Panel1, Qt::white, Qt::black);
    Panel1->hide();

    Panel3 = new QFrame(c);
    static_cast<QFrame*>(Panel3)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    static_cast<QFrame*>(Panel3)->setLineWidth(2);
    Panel3->setGeometry(5, 448, 96, 36);
    setColours(Panel3, QColor(0, 128, 0), kYellow);
    Label10 = makeLabel(Panel3, 4, 3, QString());
    Label11 = makeLabel(Panel3, 4, 18, QString());
    for (QLabel* l : {Label10, Label11}) {
        l->setFont(arialPixels(11));
        setColours(l, QColor(), kYellow);
        l->resize(90, 14);
    }
    Panel3->hide();

    Panel2 = new QFrame(c);
    Panel2->setGeometry(0, 15, 197, 81);
    setColours(Panel2, QColor(192, 192, 192), Qt::black);
    Panel2->setFont(arialPixels(11));
    Label2 = makeLabel(Panel2, 21, 2, QStringLiteral("jaar"));
    Label3 = makeLabel(Panel2, 66, 2, QStringLiteral("maand"));
    Label4 = makeLabel(Panel2, 115, 2, QStringLiteral("dag"));
    Label6 = makeLabel(Panel2, 161, 3, QStringLiteral("uur"));
    jaarspin = new SpinEdit(1500, 2500, 1500, Panel2);
    jaarspin->setGeometry(4, 18, 51, 23);
    jaarspin->setMaxLength(5);
    maandspin = new SpinEdit(1, 12, 1, Panel2);
    maandspin->setGeometry(59, 18, 41, 23);
    dagspin = new SpinEdit(1, 31, 1, Panel2);
    dagspin->setGeometry(104, 18, 41, 23);
    uurspin = new SpinEdit(0, 24, 0, Panel2);
    uurspin->setGeometry(149, 18, 42, 23);
    Label5 = makeLabel(Panel2, 7, 45, QString());
    Label5->resize(150, 14);
    Button1 = new QPushButton(QStringLiteral("nu"), Panel2);
    Button1->setGeometry(162, 45, 28, 16);
    Label7 = makeLabel(Panel2, 8, 62, QString());
    Label7->resize(150, 14);
    jaarspin->onChange = [this] { jaarspinChange(); };
    maandspin->onChange = [this] { maandspinChange(); };
    dagspin->onChange = [this] { dagspinChange(); };
    uurspin->onChange = [this] { uurspinChange(); };
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    Panel2->hide();

    Image1 = new QLabel(c);
    Image1->setGeometry(690, -27, 100, 100);
    Image1->hide();
    Label1 = makeLabel(c, 704, 91, QString());
    Label1->setFont(arialPixels(11));
    setColours(Label1, Qt::black, Qt::white);
    Label1->hide();

    Memo1 = new QPlainTextEdit(c);
    Memo1->setGeometry(10, 59, 120, 345);
    // All 24 lines stand in the box as they are: no wrapping, no scroll bars,
    // a font small enough for them.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Memo1->document()->setDocumentMargin(2);
    Memo1->setFont(arialPixels(11));
    Memo1->hide();
    Memo1->viewport()->installEventFilter(this);
    Memo1->setFocusPolicy(Qt::NoFocus);
}

const QStringList& TForm1::keyList()
{
    static const QStringList lines{
        "F1 = Help", "F2 = Actuele index", "F3 = Index Totaal", "F4 = Fotoindex", "F5 = Landingindex",
        "F6 = Schaal 1:1", "F7 = Schaal 2:1", "F8 = Schaal 5:1", "1 = Eerste kwartier", "2 = Volle maan",
        "3 = Laatste kwartier", "4 = Kaartenindex", "M = Markeringen", "G = Geselecteerd", "N = Namen",
        "O = Omgekeerd beeld", "T = Terminator", "R = Coordinatenraster", "+ = 10% Groter", "- = 10% kleiner",
        "Pijlen = verplaatsen", "Spatie = wis selectie", "", "S = sneltoetsen"};
    return lines;
}

QString TForm1::viewTitle(const QString& imageFileName)
{
    if (imageFileName == QLatin1String("maan_ek.bmp"))
        return QStringLiteral("Korviden *** Topografie van de maan  ***  Eerste kwartier (wassende maan)      Schaal bij maancentrum:  1 cm # ");
    if (imageFileName == QLatin1String("maan_vm.bmp"))
        return QStringLiteral("Korviden *** Topografie van de maan  ***  Volle maan       Schaal bij maancentrum:  1 cm # ");
    if (imageFileName == QLatin1String("maan_lk.bmp"))
        return QStringLiteral("Korviden *** Topografie van de maan  ***  Laatste kwartier (afnemende maan)      Schaal bij maancentrum:  1 cm # ");
    return QString();
}

// --- Activation ------------------------------------------------------------

void TForm1::FormActivate()
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
        if (titeldlg)
            titeldlg->showModal();
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

// --- Views -----------------------------------------------------------------

void TForm1::Eerstekwartier1Click() { switchView(0); }
void TForm1::Vollemaan1Click() { switchView(1); }
void TForm1::Laatstekwartier1Click() { switchView(2); }

void TForm1::savesituatie()
{
    const int v = viewIndexOf(shared().imageFileName);
    if (v >= 0)
        savedOrigin[v] = {shared().originX, shared().originY};
}

void TForm1::haalsituatie()
{
    const int v = viewIndexOf(shared().imageFileName);
    if (v >= 0) {
        shared().originX = savedOrigin[v].x;
        shared().originY = savedOrigin[v].y;
    }
}

void TForm1::warnIfEditsAreLost()
{
    const SharedState& s = shared();
    if (s.imageFileName.isEmpty())
        return;
    const QString file = indexFileNameFor(s.imageFileName);
    if (s.featureTable.editsWouldBeLost(file))
        showMessage(QStringLiteral("De index van dit maanbeeld is niet opgeslagen, omdat het bestand ") + file
                    + QStringLiteral(" beschadigd is. Uw wijzigingen in deze index gaan verloren."));
}

void TForm1::switchView(int view)
{
    SharedState& s = shared();
    savesituatie();
    if (!s.imageFileName.isEmpty()) {
        warnIfEditsAreLost();
        s.featureTable.opslaan(indexFileNameFor(s.imageFileName));
    }
    // What the mouse last pointed at belongs to the view that is left.
    forgetHoveredFeature();
    s.imageFileName = QLatin1String(viewGeometries()[view].imageFileName);
    const bool fullMoon = view == 1;
    Terminator1->setVisible(fullMoon);
    Panel2->setVisible(fullMoon && s.terminatorOn);
    haalmaanfoto();
    s.originX = toPixel((clientWidth() - s.zoomFactor * s.bitmapWidth) * 0.5);
    s.originY = toPixel((clientHeight() - s.zoomFactor * s.bitmapHeight) * 0.5);
    if (!firstVisit[view])
        haalsituatie();
    Image1->setVisible(fullMoon && s.terminatorOn);
    Label1->setVisible(fullMoon && s.terminatorOn);
    repaintNow();
    firstVisit[view] = false;
}

void TForm1::haalmaanfoto()
{
    SharedState& s = shared();
    s.featureTable.leesnamen(indexFileNameFor(s.imageFileName));
    s.moonBitmap = QImage();
    picture_ = ScaledPicture();
    const QImage image = loadBitmapFile(s.imageFileName);
    s.moonBitmap = image;
    s.bitmapWidth = image.width();
    s.bitmapHeight = image.height();
    picture_ = ScaledPicture(image);
}

void TForm1::titelbalk()
{
    const QString title = viewTitle(shared().imageFileName);
    if (title.isEmpty())
        return;
    setWindowTitle(title + distanceText(80.0 / shared().zoomFactor, 5) + QStringLiteral(" km"));
}

// --- Closing ---------------------------------------------------------------

void TForm1::Afsluiten1Click()
{
    close();
}

bool TForm1::FormCloseQuery()
{
    if (!askQuestion(QStringLiteral("Dit programma verlaten?")))
        return false;
    // Saved before the window goes: when the save fails the program stays
    // open, so no edit is lost.
    SharedState& s = shared();
    if (!s.imageFileName.isEmpty()) {
        warnIfEditsAreLost();
        try {
            s.featureTable.opslaan(indexFileNameFor(s.imageFileName));
        } catch (const FileError& e) {
            showErrorBox(QString::fromLocal8Bit(e.what()));
            // The edits are still in memory; the user decides whether they go.
            return askQuestion(QStringLiteral("Toch afsluiten zonder de wijzigingen op te slaan?"));
        }
    }
    return true;
}

void TForm1::FormClose()
{
    shared().moonBitmap = QImage();
    picture_ = ScaledPicture();
    if (totaaldlg)
        totaaldlg->close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->hide();
    QCoreApplication::exit(0);
}

// --- Date panel and phase ----------------------------------------------------

void TForm1::actueletijd()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    dayNameText = dayName(d.dayOfWeek() % 7 + 1);
    date.year = d.year();
    date.month = d.month();
    date.day = d.day();
    date.hour = now.time().hour();
    jaarspin->setValue(date.year);
    maandspin->setValue(date.month);
    dagspin->setValue(date.day);
    uurspin->setValue(date.hour);
}

void TForm1::writeDateBack()
{
    uurspin->setValue(date.hour);
    dagspin->setValue(date.day);
    maandspin->setValue(date.month);
    jaarspin->setValue(date.year);
}

void TForm1::spinChanged(int DateFields::*field, SpinEdit* edit)
{
    date.*field = edit->value();
    newtime(date);
    writeDateBack();
    if (!phaseReportSuppressed)
        fasemelding();
}

void TForm1::uurspinChange() { spinChanged(&DateFields::hour, uurspin); }
void TForm1::dagspinChange() { spinChanged(&DateFields::day, dagspin); }
void TForm1::maandspinChange() { spinChanged(&DateFields::month, maandspin); }
void TForm1::jaarspinChange() { spinChanged(&DateFields::year, jaarspin); }

void TForm1::Button1Click()
{
    phaseReportSuppressed = true;
    actueletijd();
    fasemelding();
}

void TForm1::fasemelding()
{
    ++phaseReportCount;
    phaseAngle = elongation(date.year, date.month, date.day, uurspin->value());
    Label7->setText(phaseAngleText(phaseAngle));
    const QString days = phaseDaysText(phaseAngle);
    if (!days.isEmpty())
        Label5->setText(days);
    Schijngestalte(phaseAngle);
    repaintNow();
    phaseReportSuppressed = false;
}

// --- Painting ----------------------------------------------------------------

ViewPlacement TForm1::placement() const
{
    const SharedState& s = shared();
    return {s.zoomFactor, s.originX, s.originY, s.bitmapWidth, s.bitmapHeight, s.rotated180};
}

void TForm1::repaintNow()
{
    FormPaint();
    surface_->repaint();
}

void TForm1::FormPaint()
{
    SharedState& s = shared();
    canvas_.resize(surface_->width(), surface_->height());
    canvas_.fill(Qt::black);
    if (!picture_.isNull()) {
        const int right = s.originX + toPixel(s.zoomFactor * s.bitmapWidth);
        const int bottom = s.originY + toPixel(s.zoomFactor * s.bitmapHeight);
        if (s.rotated180)
            canvas_.stretchDraw(right, bottom, s.originX, s.originY, picture_);
        else
            canvas_.stretchDraw(s.originX, s.originY, right, bottom, picture_);
    }
    pijl();
    if (s.rotated180)
        Panel1->clear();

    const ViewPlacement v = placement();
    const FeatureTable& table = s.featureTable;
    const QRect visible = QRect(0, 0, canvas_.width(), canvas_.height()).adjusted(-10, -10, 10, 10);
    if (s.markersOn) {
        const QStringList& words = largeAreaWords();
        for (int i = 1; i <= FeatureTableSize; ++i) {
            const FeatureRecord& r = table.slot(i);
            if (!r.inUse())
                continue;
            const QPoint p = featureScreenPoint(v, r.x(), r.y());
            if (!visible.contains(p))
                continue;   // nothing of its marker would show
            const QString name = r.name();
            if (i == s.selectedFeature)
                drawCircle(p.x(), p.y(), 8, kYellow);
            if (s.kindFilter == QLatin1String("Crater") && isCraterName(name))
                drawCross(p.x(), p.y(), 2, kRed);
            if (!s.kindFilter.isEmpty() && !name.contains(s.kindFilter))
                continue;
            drawCross(p.x(), p.y(), 2, kRed);
            for (const QString& w : words)
                if (name.contains(w))
                    drawCross(p.x(), p.y(), 3, kLime);
            if (name.contains(QLatin1Char('*')))
                drawCircle(p.x(), p.y(), 2, kRed);
        }
    }
    if (s.namesOn) {
        const QRect textArea(-2000, -100, canvas_.width() + 2000, canvas_.height() + 100);
        for (int i = 1; i <= FeatureTableSize; ++i) {
            const FeatureRecord& r = table.slot(i);
            if (!r.inUse())
                continue;
            const QPoint p = featureScreenPoint(v, r.x(), r.y());
            canvas_.font = QFont(QStringLiteral("ariel"), 8);
            canvas_.fontColor = kLime;
            if (!textArea.contains(p))
                continue;   // its box lies wholly outside
            const QString name = r.name();
            if (s.kindFilter == QLatin1String("Crater") && isCraterName(name))
                canvas_.textOut(p.x(), p.y(), name);
            if (!s.kindFilter.isEmpty() && !name.contains(s.kindFilter))
                continue;
            canvas_.textOut(p.x(), p.y(), name);
        }
    }
    if (s.terminatorOn)
        terminator(phaseAngle);
    if (s.gridOn)
        tekenraster();
    titelbalk();
}

void TForm1::pijl()
{
    if (firstActivation)
        return;
    canvas_.fontColor = kYellow;
    canvas_.penColor = kYellow;
    if (!shared().rotated180) {
        canvas_.textOut(3, 1, QStringLiteral("normaal beeld"));
        canvas_.textOut(3, 14, QStringLiteral("noord"));
        canvas_.line(10, 30, 10, 55);
        canvas_.line(10, 30, 7, 35);
        canvas_.line(10, 30, 13, 35);
    } else {
        canvas_.textOut(3, 1, QStringLiteral("180") + QChar(0xB0) + QStringLiteral(" grdraaid beeld"));
        canvas_.textOut(3, 58, QStringLiteral("noord"));
        canvas_.line(10, 30, 10, 55);
        canvas_.line(10, 55, 7, 50);
        canvas_.line(10, 55, 13, 50);
    }
}

void TForm1::drawCross(int x, int y, int h, const QColor& colour)
{
    canvas_.penColor = colour;
    canvas_.line(x - h, y, x + h + 1, y);
    canvas_.line(x, y - h, x, y + h + 1);
}

void TForm1::drawCircle(double x, double y, double r, const QColor& colour)
{
    canvas_.penColor = colour;
    canvas_.penWidth = 1;
    canvas_.moveTo(toPixel(x + r), toPixel(y));
    for (int i = 1; i <= 24; ++i) {
        const double a = i * 2 * M_PI / 24;
        canvas_.lineTo(toPixel(std::cos(a) * r + x), toPixel(y + r * std::sin(a)));
    }
}

// --- Grid, read-out, scale ---------------------------------------------------

void TForm1::rastercorrectie()
{
    ::rastercorrectie(shared().imageFileName, placement(), &disc);
}

void TForm1::tekenraster()
{
    if (shared().rotated180)
        return;
    rastercorrectie();
    canvas_.penWidth = 1;
    const QRect visible = QRect(0, 0, canvas_.width(), canvas_.height()).adjusted(-2, -2, 2, 2);
    for (const GridPolyline& l : gridLines(disc, visible)) {
        canvas_.penColor = l.red ? kRed : kSilver;
        canvas_.moveTo(l.points.front().x(), l.points.front().y());
        for (std::size_t i = 1; i < l.points.size(); ++i)
            canvas_.lineTo(l.points[i].x(), l.points[i].y());
        // Lines leave out their end point; a grid line ends where it ends.
        const QPoint& end = l.points.back();
        canvas_.line(end.x(), end.y(), end.x() + 1, end.y());
    }
    canvas_.penColor = kSilver;
}

void TForm1::coordinatenmeting(int X, int Y)
{
    Label10->clear();
    Label11->clear();
    if (shared().rotated180)
        return;
    rastercorrectie();
    const Readout r = coordinateReadout(disc, shared().zoomFactor, X, Y);
    if (!r.onDisc)
        return;
    Panel1->setText(coordinateText(r.latitude, r.longitude));
    Label10->setText(horizontalScaleText(r.horizontalKm));
    Label11->setText(verticalScaleText(r.verticalKm));
}

void TForm1::Coordinatenraster1Click()
{
    shared().gridOn = !shared().gridOn;
    Coordinatenraster1->setChecked(shared().gridOn);
    repaintNow();
}

void TForm1::SchaalS1Click()
{
    shared().localScaleOn = !shared().localScaleOn;
    SchaalS1->setChecked(shared().localScaleOn);
    Panel3->setVisible(shared().localScaleOn);
}

// --- Terminator and phase figure ---------------------------------------------

void TForm1::terminator(double E)
{
    if (shared().rotated180)
        return;
    rastercorrectie();
    canvas_.penColor = kYellow;
    canvas_.penWidth = 1;
    const ArcSpec a = terminatorArc(disc.centreX, disc.centreY, disc.radius, E);
    canvas_.arc(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4);
}

void TForm1::Schijngestalte(double E)
{
    Image1->setGeometry(clientWidth() - 70, 20, 70, 70);
    const int x0 = 35, y0 = 35, r = 25;
    const int kase = phaseFigureCase(E);
    const double lit = illuminatedPercent(E);
    Image1->setVisible(shared().terminatorOn);
    Label1->setVisible(shared().terminatorOn);

    Canvas& f = figure_;
    f.resize(70, 70);
    f.fill(Qt::black);
    f.brushColor = Qt::white;
    f.penColor = Qt::white;
    f.penClear = false;
    const int c = toPixel(25 * std::cos(E * 0.017453292519943295));
    auto rightHalf = [&] { f.pie(x0 - r, y0 - r, x0 + r, y0 + r, x0, y0 + 100, x0, y0 - 100); };
    auto leftHalf = [&] { f.pie(x0 - r, y0 - r, x0 + r, y0 + r, x0, y0 - 100, x0, y0 + 100); };
    auto innerRight = [&] { f.pie(x0 - c, y0 - r, x0 + c, y0 + r, x0, y0 + 100, x0, y0 - 100); };
    auto innerLeft = [&] { f.pie(x0 - c, y0 - r, x0 + c, y0 + r, x0, y0 - 100, x0, y0 + 100); };
    auto penAndBrush = [&](const QColor& col) {
        f.penColor = col;
        f.brushColor = col;
    };
    switch (kase) {
    case 0:
        penAndBrush(kEarthshineGrey);
        f.ellipse(x0 - r, y0 - r, x0 + r, y0 + r);
        break;
    case 1:
        rightHalf();
        if (lit >= 10) {
            penAndBrush(Qt::black);
        } else {
            penAndBrush(kEarthshineGrey);
            leftHalf();
        }
        innerRight();
        break;
    case 2:
        rightHalf();
        innerLeft();
        f.brushColor = Qt::black;
        break;
    case 3:
        leftHalf();
        innerRight();
        f.brushColor = Qt::black;
        break;
    default:
        leftHalf();
        if (lit >= 10) {
            penAndBrush(Qt::black);
        } else {
            penAndBrush(kEarthshineGrey);
            rightHalf();
        }
        innerLeft();
        break;
    }
    f.endPainting();
    Image1->setPixmap(QPixmap::fromImage(f.image()));
    Label1->move(clientWidth() - 85, 5);
    Label1->setText(numberText(lit, 3, 1) + QStringLiteral("% zichtbaar"));
    Label1->adjustSize();
}


void TForm1::Terminator1Click()
{
    SharedState& s = shared();
    s.terminatorOn = !s.terminatorOn;
    Terminator1->setChecked(s.terminatorOn);
    Panel2->setVisible(s.terminatorOn);
    Image1->setVisible(s.terminatorOn);
    Label1->setVisible(s.terminatorOn);
    repaintNow();
}

// --- Keys, zoom, centring ------------------------------------------------------

bool TForm1::dateFieldHasFocus() const
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == jaarspin || w == maandspin || w == dagspin || w == uurspin)
            return true;
    return false;
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // The keys a date field uses for typing and stepping are its own.
    if (dateFieldHasFocus()
        && ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Left || key == Qt::Key_Right
            || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Backspace || key == Qt::Key_Delete
            || key == Qt::Key_Minus))
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
        shared().selectedFeature = 0;
        Label9->clear();
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
    SharedState& s = shared();
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

void TForm1::zoomTo(double newZoom)
{
    zoomAbout(newZoom, clientWidth() * 0.5, clientHeight() * 0.5);
}

void TForm1::zoomAbout(double newZoom, double fixedX, double fixedY)
{
    SharedState& s = shared();
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
    s.originX = toPixel(cx - s.zoomFactor * ux * 0.5);
    s.originY = toPixel(cy - s.zoomFactor * uy * 0.5);
    repaintNow();
}

void TForm1::ZoomIN1Click() { zoomTo(shared().zoomFactor * ZoomInStep); }
void TForm1::ZoomUIT1Click() { zoomTo(shared().zoomFactor * ZoomOutStep); }

void TForm1::FormMouseWheel(int angleDelta, int X, int Y)
{
    // One notch of a wheel is 120; finer wheels and touchpads send parts of it.
    wheelRest_ += angleDelta;
    while (std::abs(wheelRest_) >= 120) {
        const bool in = wheelRest_ > 0;
        wheelRest_ += in ? -120 : 120;
        zoomAbout(shared().zoomFactor * (in ? ZoomInStep : ZoomOutStep), X, Y);
    }
}
void TForm1::Defaultgrootte1Click() { zoomTo(0.5); }
void TForm1::N2xdefaultClick() { zoomTo(1.0); }
void TForm1::N5xdefaultClick() { zoomTo(2.5); }

void TForm1::Centreer1Click()
{
    SharedState& s = shared();
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

void TForm1::markeren1Click()
{
    shared().markersOn = !shared().markersOn;
    markeren1->setChecked(shared().markersOn);
    Markeringen1->setChecked(shared().markersOn);
    repaintNow();
}

void TForm1::Namentonen1Click()
{
    shared().namesOn = !shared().namesOn;
    Namentonen1->setChecked(shared().namesOn);
    Toonnamen1->setChecked(shared().namesOn);
    repaintNow();
}

void TForm1::Omgekeerdbeeld1Click()
{
    shared().rotated180 = !shared().rotated180;
    Omgekeerdbeeld1->setChecked(shared().rotated180);
    repaintNow();
}

void TForm1::Sneltoetsen1Click()
{
    shared().keyListShown = !shared().keyListShown;
    Sneltoetsen1->setChecked(shared().keyListShown);
    Memo1->setVisible(shared().keyListShown);
}

void TForm1::Memo1Click()
{
    Sneltoetsen1Click();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress) {
        Memo1Click();
        return true;
    }
    return Form::eventFilter(watched, event);
}

// --- Mouse -------------------------------------------------------------------

void TForm1::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, int X, int Y)
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

void TForm1::addFeatureAt(int X, int Y)
{
    SharedState& s = shared();
    if (!s.changesAllowed) {
        showMessage(QStringLiteral("Toevoegen van een landkenmerk met behulp van de Ctrl-toets is beveiligd.\n\n"
                                   "<Nieuwe namen/Nieuw toestaan> moet eerst worden aangevinkt."));
        return;
    }
    const int slot = s.featureTable.firstEmptySlot();
    if (slot == 0) {
        showMessage(QStringLiteral("De index van dit beeld is vol: er passen niet meer dan %1 landkenmerken in.\n\n"
                                   "Er is niets toegevoegd.").arg(FeatureTableSize));
        return;
    }
    if (!invoerdlg || invoerdlg->showModal() != mrOk)
        return;
    const QString typed = invoerdlg->Edit1->text();
    QString name;
    if (typed.trimmed().isEmpty() || !storableName(typed, QStringLiteral("er is niets toegevoegd"), &name))
        return;
    double x = 0, y = 0;
    screenToHalfPixels(placement(), X, Y, &x, &y);
    FeatureRecord& r = s.featureTable.slot(slot);
    r.setName(name);
    r.setPosition(x, y);
    // The new feature shows at the next repaint; until then this mark tells
    // the user it was added.
    drawCircle(X, Y, 4, QColor(0, 255, 255));
    canvas_.endPainting();
    surface_->repaint();
    refreshIndexLists();
}

void TForm1::setTooltip(const QString& text)
{
    if (surface_->toolTip() == text)
        return;
    surface_->setToolTip(text);
    surface_->setToolTipDuration(hintHidePause());
    if (text.isEmpty())
        QToolTip::hideText();
}

void TForm1::setSurfaceCursor(const QCursor& cursor)
{
    // Each change is a request to the window system: make it only when needed.
    if (surface_->cursor().shape() != cursor.shape())
        surface_->setCursor(cursor);
}

void TForm1::forgetHoveredFeature()
{
    SharedState& s = shared();
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

void TForm1::FormMouseMove(int X, int Y)
{
    SharedState& s = shared();
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
    if (name.contains(QLatin1Char('*'))) {
        s.photoFileName = photographFileName(name);
        Toonfoto1->setText(QStringLiteral("Foto ") + name);
        Toonfoto1->setEnabled(true);
    }
}

void TForm1::FormMouseUp(Qt::MouseButton button, int X, int Y)
{
    if (button != Qt::LeftButton)
        return;
    SharedState& s = shared();
    const int dx = X - dragStartX, dy = Y - dragStartY;
    s.originX = std::clamp(s.originX + dx, -PixelLimit, PixelLimit);
    s.originY = std::clamp(s.originY + dy, -PixelLimit, PixelLimit);
    if (dx != 0 || dy != 0)
        repaintNow();
}

void TForm1::Toonfoto1Click()
{
    const QString file = shared().photoFileName;
    // A name from an index file must not lead outside the working directory.
    if (isBareFileName(file) && QFile::exists(file) && foto1dlg)
        foto1dlg->showModal();
    else
        showMessage(QStringLiteral("Foto is niet gevonden."));
}

// --- Windows opened from the menus -------------------------------------------

void TForm1::Lijst1Click()
{
    if (lijstdlg)
        lijstdlg->showBesideMainWindow();
}

void TForm1::Verzamellijst1Click()
{
    shared().totalIndexMode = TotalIndexMode::All;
    if (totaaldlg && totaaldlg->fillAndShow())
        totaaldlg->ListBox1->setFocus();
}

void TForm1::Fotoindex1Click()
{
    shared().totalIndexMode = TotalIndexMode::Photos;
    if (totaaldlg)
        totaaldlg->fillAndShow();
}

void TForm1::Landingindex1Click()
{
    shared().totalIndexMode = TotalIndexMode::Landings;
    if (totaaldlg)
        totaaldlg->fillAndShow();
}

void TForm1::Selecteermarkering1Click()
{
    if (!selectdlg || selectdlg->showModal() != mrOk)
        shared().kindFilter.clear();
    repaintNow();
}

void TForm1::Kaartenindex1Click()
{
    if (!atlas2dlg)
        return;
    atlas2dlg->showModeless();
}

void TForm1::Nieuwenamen1Click()
{
    showMessage(QStringLiteral("Het updaten van de index is beveiligd. \n"
                               "<Wijzigen toestaan> moet eerst worden aangevinkt. \n"
                               "\n"
                               "U kunt dan zelf aan de index van landkenmerken een \n"
                               "nieuwe naam toevoegen.\n"
                               "Klik daartoe met gelijktijdig indrukken van de Alt-toets \n"
                               "op het landkenmerk op de maanfoto.\n"
                               "\n"
                               "Wijzigen van een naam is ook mogelijk. \n"
                               "Activeer dan <Actuele Index> en klik daar met de\n"
                               "rechter muisknop op de te wijzigen naam. \n"
                               "Wijzig in het editvensterje en sluit af met Ok.\n"
                               "\n"
                               "U verwijdert een naam uit de lijst door de naam \n"
                               "geheel te wissen.\n"
                               "\n"
                               "Wijzigen kan ook via het popupmenu na aanwijzen van het\n"
                               "landkenmerk op een maanfoto."));
}

void TForm1::Wijzigentoestaan1Click()
{
    shared().changesAllowed = !shared().changesAllowed;
    Wijzigentoestaan1->setChecked(shared().changesAllowed);
    Wijzignaam1->setEnabled(shared().changesAllowed && shared().hoveredFeature != 0);
}

void TForm1::Wijzignaam1Click()
{
    SharedState& s = shared();
    const int slot = s.hoveredFeature;
    if (s.changesAllowed && slot >= 1 && slot <= FeatureTableSize && s.featureTable.slot(slot).inUse())
        renameFeature(slot);
    beep();
}

void TForm1::renameFeature(int slot)
{
    SharedState& s = shared();
    QString text = s.featureTable.slot(slot).name();
    if (!inputBox(QStringLiteral("Veranderen van de naam"), QStringLiteral("Nieuwe naam"), &text))
        return;
    if (text.trimmed().isEmpty()) {
        s.featureTable.deleteSlot(slot);
        // The slot numbers held elsewhere follow the features that moved down.
        if (s.selectedFeature == slot)
            s.selectedFeature = 0;
        else if (s.selectedFeature > slot)
            --s.selectedFeature;
        forgetHoveredFeature();
    } else {
        QString name;
        if (!storableName(text, QStringLiteral("er is niets veranderd"), &name))
            return;
        s.featureTable.slot(slot).setName(name);
    }
    refreshIndexLists();
    repaintNow();
}

// Both help openers put the viewer along the full screen height, its left edge
// where the user last left it.
void TForm1::placeHelpViewer()
{
    const QRect screen = QApplication::primaryScreen()->geometry();
    helpdlg->setOuterGeometry(Thelpdlg::keep, 0, 500, screen.height());
}

void TForm1::Help1Click()
{
    shared().helpFileName = QStringLiteral("maanhelp.rtf");
    if (!helpdlg)
        return;
    placeHelpViewer();
    helpdlg->showModeless();
}

void TForm1::Woordenlijst1Click()
{
    shared().helpFileName = QStringLiteral("woordhelp.rtf");
    if (!helpdlg)
        return;
    placeHelpViewer();
    helpdlg->setWindowTitle(QStringLiteral("Woordverklaring"));
    helpdlg->showModal();
}

void TForm1::Liberatie1Click()
{
    if (libratiedlg)
        libratiedlg->showModal();
}

void TForm1::Libratieinbreedte1Click()
{
    if (libratie2dlg)
        libratie2dlg->showModal();
}

void TForm1::Hetmaanbeeld1Click()
{
    if (maanbeelddlg)
        maanbeelddlg->showModal();
}

void TForm1::AboutVOK1Click()
{
    AboutBox->showModal();
}

void TForm1::Aboutauteur1Click()
{
    auteurdlg->showModal();
}

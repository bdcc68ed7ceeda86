// The main window's menus, controls and fixed texts.
#include "app/mainwindow.h"

#include "app/mainwindowstyle.h"
#include "astro/captions.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/spinedit.h"

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace mainwindowstyle;

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const char* text, void (MainWindow::*handler)(),
                      bool checkable = false) {
        QAction* a = named(menu->addAction(QString::fromUtf8(text)), name);
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, [this, handler] { runReportingErrors([&] { (this->*handler)(); }); });
        return a;
    };
    auto addBar = [this, bar](const char* name, const char* text, void (MainWindow::*handler)()) {
        QAction* a = named(bar->addAction(QString::fromUtf8(text)), name);
        connect(a, &QAction::triggered, this, [this, handler] { runReportingErrors([&] { (this->*handler)(); }); });
        return a;
    };

    QMenu* bestand = bar->addMenu(QStringLiteral("Bestand"));
    Eerstekwartier1 = add(bestand, "Eerstekwartier1", "Eerste kwartier    [1]", &MainWindow::Eerstekwartier1Click);
    Vollemaan1 = add(bestand, "Vollemaan1", "Volle maan          [2]", &MainWindow::Vollemaan1Click);
    Laatstekwartier1 = add(bestand, "Laatstekwartier1", "Laatste kwartier  [3]", &MainWindow::Laatstekwartier1Click);
    bestand->addSeparator();
    Afdrukken1 = add(bestand, "Afdrukken1", "Afdrukken…", &MainWindow::Afdrukken1Click);
    Opslaanalsafbeelding1 =
        add(bestand, "Opslaanalsafbeelding1", "Opslaan als afbeelding…", &MainWindow::Opslaanalsafbeelding1Click);
    bestand->addSeparator();
    Afsluiten1 = add(bestand, "Afsluiten1", "Afsluiten", &MainWindow::Afsluiten1Click);

    Lijst1 = addBar("Lijst1", "Actuele Index [F2] ", &MainWindow::Lijst1Click);
    // Beside the current index, as an entry of its own, so that a click on
    // "Actuele Index" still opens the list at once.
    Zoeken1 = addBar("Zoeken1", "Zoeken… [Ctrl+F]", &MainWindow::Zoeken1Click);
    Zoeken1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Verzamellijst1 = addBar("Verzamellijst1", "Index totaal [F3]  ", &MainWindow::Verzamellijst1Click);
    Fotoindex1 = addBar("Fotoindex1", "Fotoindex [F4]", &MainWindow::Fotoindex1Click);
    Landingindex1 = addBar("Landingindex1", "Landingindex [F5]", &MainWindow::Landingindex1Click);

    QMenu* beeld = bar->addMenu(QStringLiteral("  &Beeld Opties "));
    markeren1 = add(beeld, "markeren1", "Markeringen              [M]", &MainWindow::markeren1Click, true);
    Selecteermarkering1 =
        add(beeld, "Selecteermarkering1", "Geselecteerd             [G]", &MainWindow::Selecteermarkering1Click);
    Namentonen1 = add(beeld, "Namentonen1", "Namen                      [N]", &MainWindow::Namentonen1Click, true);
    Terminator1 = add(beeld, "Terminator1", "Terminator                 [T]", &MainWindow::Terminator1Click, true);
    Coordinatenraster1 = add(beeld, "Coordinatenraster1", "Coordinatenraster      [R]",
                             &MainWindow::Coordinatenraster1Click, true);
    SchaalS1 = add(beeld, "SchaalS1", "Plaatselijke Schaal    [P]", &MainWindow::SchaalS1Click, true);
    Kaartenindex1 = add(beeld, "Kaartenindex1", "Kaartenindex             [4]", &MainWindow::Kaartenindex1Click);
    beeld->addSeparator();
    Omgekeerdbeeld1 =
        add(beeld, "Omgekeerdbeeld1", "Omgekeerd beeld     [O]", &MainWindow::Omgekeerdbeeld1Click, true);

    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    ZoomIN1 = add(zoom, "ZoomIN1", "Zoom IN    [+]", &MainWindow::ZoomIN1Click);
    ZoomUIT1 = add(zoom, "ZoomUIT1", "Zoom UIT  [-]", &MainWindow::ZoomUIT1Click);
    zoom->addSeparator();
    Defaultgrootte1 = add(zoom, "Defaultgrootte1", "Default grootte  [F6]", &MainWindow::Defaultgrootte1Click);
    N2xdefault = add(zoom, "N2xdefault", "2 x default         [F7]", &MainWindow::N2xdefaultClick);
    N5xdefault = add(zoom, "N5xdefault", "5 x default         [F8]", &MainWindow::N5xdefaultClick);

    QMenu* update = bar->addMenu(QStringLiteral("&Update"));
    Nieuwenamen1 = add(update, "Nieuwenamen1", "Wijzigen", &MainWindow::Nieuwenamen1Click);
    Wijzigentoestaan1 =
        add(update, "Wijzigentoestaan1", "Wijzigen toestaan", &MainWindow::Wijzigentoestaan1Click, true);

    QMenu* help = bar->addMenu(QStringLiteral("&Help "));
    Help1 = add(help, "Help1", "Toelichting   {F1]", &MainWindow::Help1Click);
    Woordenlijst1 = add(help, "Woordenlijst1", "Woordenlijst", &MainWindow::Woordenlijst1Click);
    QMenu* libratie = help->addMenu(QStringLiteral("Libratie animatie"));
    Liberatie1 = add(libratie, "Liberatie1", "Libratie in lengte", &MainWindow::Liberatie1Click);
    Libratieinbreedte1 =
        add(libratie, "Libratieinbreedte1", "Libratie in breedte", &MainWindow::Libratieinbreedte1Click);
    Hetmaanbeeld1 = add(libratie, "Hetmaanbeeld1", "Het maanbeeld", &MainWindow::Hetmaanbeeld1Click);
    Sneltoetsen1 = add(help, "Sneltoetsen1", "Sneltoetsen  [S]", &MainWindow::Sneltoetsen1Click, true);
    help->addSeparator();
    AboutVOK1 = add(help, "AboutVOK1", "About VOK", &MainWindow::AboutVOK1Click);
    Aboutauteur1 = add(help, "Aboutauteur1", "About auteur", &MainWindow::Aboutauteur1Click);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    ActueleIndex1 = add(PopupMenu1, "ActueleIndex1", "Actuele Index", &MainWindow::Lijst1Click);
    Indextotaal1 = add(PopupMenu1, "Indextotaal1", "Index totaal", &MainWindow::Verzamellijst1Click);
    PopupMenu1->addSeparator();
    Markeringen1 = add(PopupMenu1, "Markeringen1", "Markeringen", &MainWindow::markeren1Click, true);
    Toonnamen1 = add(PopupMenu1, "Toonnamen1", "Namen", &MainWindow::Namentonen1Click, true);
    Raster1 = add(PopupMenu1, "Raster1", "Raster", &MainWindow::Coordinatenraster1Click);
    PopupMenu1->addSeparator();
    Wijzignaam1 = add(PopupMenu1, "Wijzignaam1", "Wijzig naam", &MainWindow::Wijzignaam1Click);
    Centreer1 = add(PopupMenu1, "Centreer1", "Centreer", &MainWindow::Centreer1Click);
    PopupMenu1->addSeparator();
    Defaultgrootte2 = add(PopupMenu1, "Defaultgrootte2", "Default grootte", &MainWindow::Defaultgrootte1Click);
    N2xdefault2 = add(PopupMenu1, "N2xdefault2", "2 x default", &MainWindow::N2xdefaultClick);
    N5xdefault2 = add(PopupMenu1, "N5xdefault2", "5 x default", &MainWindow::N5xdefaultClick);
    PopupMenu1->addSeparator();
    Toonfoto1 = add(PopupMenu1, "Toonfoto1", "Toon foto", &MainWindow::Toonfoto1Click);
}

void MainWindow::buildControls()
{
    QWidget* c = surface_;

    Label8 = named(new ValueLabel(QStringLiteral("Datum"), QStringLiteral("De datum van vandaag"), c), "Label8");
    Label8->move(7, 511);
    Label8->setFont(arialPixels(11));
    setColours(Label8, QColor(), QColor(128, 128, 0));
    Label8->hide();

    Label9 = named(new ValueLabel(QStringLiteral("Gekozen landkenmerk"),
                                  QStringLiteral("Het landkenmerk dat in een lijst is gekozen"), c),
                   "Label9");
    Label9->move(12, 487);
    Label9->setFont(arialPixels(13));
    setColours(Label9, QColor(), kLime);
    Label9->resize(400, 17);

    Panel1 = named(new ValueLabel(QStringLiteral("Coördinaten"),
                                  QStringLiteral("Breedte en lengte op de maan van het laatst aangeklikte punt"), c),
                   "Panel1");
    Panel1->setGeometry(3, 508, 96, 19);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(arialPixels(13));
    setColours(Panel1, Qt::white, Qt::black);
    Panel1->hide();

    auto* scalePanel = named(new QFrame(c), "Panel3");
    scalePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    scalePanel->setLineWidth(2);
    scalePanel->setGeometry(5, 448, 96, 36);
    Panel3 = scalePanel;
    setColours(Panel3, QColor(0, 128, 0), kYellow);
    describeControl(Panel3, QStringLiteral("Plaatselijke schaal"),
                    QStringLiteral("Hoeveel kilometer de armen van het kruis beslaan bij het aangeklikte punt"));
    Label10 = named(new ValueLabel(QStringLiteral("Horizontaal"), QStringLiteral("De horizontale arm van het kruis"),
                                   Panel3),
                    "Label10");
    Label10->move(4, 3);
    Label11 = named(new ValueLabel(QStringLiteral("Verticaal"), QStringLiteral("De verticale arm van het kruis"), Panel3),
                    "Label11");
    Label11->move(4, 18);
    for (QLabel* l : {Label10, Label11}) {
        l->setFont(arialPixels(11));
        setColours(l, QColor(), kYellow);
        l->resize(90, 14);
    }
    Panel3->hide();

    Panel2 = named(new QFrame(c), "Panel2");
    Panel2->setGeometry(0, 15, 197, 81);
    setColours(Panel2, QColor(192, 192, 192), Qt::black);
    Panel2->setFont(arialPixels(11));
    Label2 = makeLabel(Panel2, "Label2", 21, 2, QStringLiteral("jaar"));
    Label3 = makeLabel(Panel2, "Label3", 66, 2, QStringLiteral("maand"));
    Label4 = makeLabel(Panel2, "Label4", 115, 2, QStringLiteral("dag"));
    Label6 = makeLabel(Panel2, "Label6", 161, 3, QStringLiteral("uur"));
    jaarspin = named(new SpinEdit(1500, 2500, 1500, Panel2), "jaarspin");
    jaarspin->setGeometry(4, 18, 51, 23);
    jaarspin->setMaxLength(5);
    maandspin = named(new SpinEdit(1, 12, 1, Panel2), "maandspin");
    maandspin->setGeometry(59, 18, 41, 23);
    dagspin = named(new SpinEdit(1, 31, 1, Panel2), "dagspin");
    dagspin->setGeometry(104, 18, 41, 23);
    uurspin = named(new SpinEdit(0, 24, 0, Panel2), "uurspin");
    uurspin->setGeometry(149, 18, 42, 23);
    Label5 = makeLabel(Panel2, "Label5", 7, 45, QString());
    Label5->resize(150, 14);
    Button1 = named(new QPushButton(QStringLiteral("nu"), Panel2), "Button1");
    Button1->setGeometry(162, 45, 28, 16);
    Label7 = makeLabel(Panel2, "Label7", 8, 62, QString());
    Label7->resize(150, 14);
    // For screen readers: the fields by what they hold, their captions tied to them.
    describeControl(Panel2, QStringLiteral("Datumpaneel"),
                    QStringLiteral("Datum en uur waarvoor de terminator en de schijngestalte getekend worden"));
    describeControl(jaarspin, QStringLiteral("Jaar"), QStringLiteral("Het jaar, van 1500 tot 2500"));
    describeControl(maandspin, QStringLiteral("Maand"), QStringLiteral("De maand, van 1 tot 12"));
    describeControl(dagspin, QStringLiteral("Dag"), QStringLiteral("De dag van de maand"));
    describeControl(uurspin, QStringLiteral("Uur"), QStringLiteral("Het uur, wintertijd van Midden-Europa"));
    describeControl(Button1, QStringLiteral("Nu"), QStringLiteral("Zet datum en uur op dit moment"));
    Label2->setBuddy(jaarspin);
    Label3->setBuddy(maandspin);
    Label4->setBuddy(dagspin);
    Label6->setBuddy(uurspin);
    Label5->setAccessibleDescription(QStringLiteral("Dagen tot of sinds de nieuwe of de volle maan"));
    Label7->setAccessibleDescription(QStringLiteral("De hoek tussen zon en maan, gezien vanaf de aarde"));
    jaarspin->onChange = [this] { jaarspinChange(); };
    maandspin->onChange = [this] { maandspinChange(); };
    dagspin->onChange = [this] { dagspinChange(); };
    uurspin->onChange = [this] { uurspinChange(); };
    connect(Button1, &QPushButton::clicked, this, &MainWindow::Button1Click);
    Panel2->hide();

    Image1 = named(new QLabel(c), "Image1");
    Image1->setGeometry(690, -27, 100, 100);
    describeControl(Image1, QStringLiteral("Schijngestalte"),
                    QStringLiteral("Het verlichte deel van de maan op de gekozen datum en het gekozen uur"));
    Image1->hide();
    Label1 = makeLabel(c, "Label1", 704, 91, QString());
    Label1->setAccessibleDescription(QStringLiteral("Het verlichte deel van de maanschijf"));
    Label1->setFont(arialPixels(11));
    setColours(Label1, Qt::black, Qt::white);
    Label1->hide();

    Memo1 = named(new QPlainTextEdit(c), "Memo1");
    describeControl(Memo1, QStringLiteral("Sneltoetsen"),
                    QStringLiteral("De toetsen van het hoofdvenster; een klik erop sluit de lijst"));
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

const QStringList& MainWindow::keyList()
{
    static const QStringList lines{
        "F1 = Help", "F2 = Actuele index", "F3 = Index Totaal", "F4 = Fotoindex", "F5 = Landingindex",
        "F6 = Schaal 1:1", "F7 = Schaal 2:1", "F8 = Schaal 5:1", "1 = Eerste kwartier", "2 = Volle maan",
        "3 = Laatste kwartier", "4 = Kaartenindex", "M = Markeringen", "G = Geselecteerd", "N = Namen",
        "O = Omgekeerd beeld", "T = Terminator", "R = Coordinatenraster", "+ = 10% Groter", "- = 10% kleiner",
        "Pijlen = verplaatsen", "Spatie = wis selectie", "", "S = sneltoetsen"};
    return lines;
}

QString MainWindow::viewTitle(const QString& imageFileName)
{
    const QString name = viewName(imageFileName);
    if (name.isEmpty())
        return QString();
    // The full moon's title has one blank more before the scale.
    const int blanks = imageFileName == QLatin1String("maan_vm.bmp") ? 7 : 6;
    return QStringLiteral("Korviden *** Topografie van de maan  ***  ") + name + QString(blanks, QLatin1Char(' '))
         + QStringLiteral("Schaal bij maancentrum:  1 cm # ");
}

#include "libration/maanun11.h"

#include <QAction>
#include <QFontMetrics>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/sharedstate.h"
#include "app/windows.h"
#include "data/numbertext.h"
#include "libration/canvasview.h"
#include "platform/rtfreader.h"
#include "viewers/maanun5.h"

namespace {
const QColor kAqua(0, 255, 255), kSilver(192, 192, 192), kRed(255, 0, 0), kYellow(255, 255, 0);
constexpr double kPi = 3.14159265358979323846;

const QString& stepwiseSentence()
{
    static const QString s = QStringLiteral(
        "U kijkt nu op de noordpolen van aarde en maan.   Verander de positie van de maan met de horizontale pijltoetsen");
    return s;
}
}

Tlibratiedlg::Tlibratiedlg(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Verklaring van de Libratie in de lengte"));
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));

    auto* area = new QWidget(this);
    PaintBox1 = new CanvasView(area);
    PaintBox1->canvas().font = font();
    Panel2 = new QLabel(area);
    Panel2->setFixedHeight(17);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setPanelColours(Panel2);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PaintBox1, 1);
    layout->addWidget(Panel2);
    setClient(area);

    // Five lines as designed, and the distance under them.
    Panel1 = new QWidget(PaintBox1);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(white);
    const int lineTops[6] = {3, 19, 36, 52, 69, 86};
    for (int i = 0; i < 6; ++i) {
        Label[i] = new QLabel(Panel1);
        Label[i]->move(3, lineTops[i]);
    }
    // As designed, widened where this font writes the longest line wider.
    const int widest = QFontMetrics(font()).horizontalAdvance(QStringLiteral("maanverplaatsing in zijn baan -180,00")
                                                              + QChar(0xB0));
    Panel1->setGeometry(1, 1, std::max(193, widest + 8), 105);
    for (QLabel* label : Label)
        label->resize(Panel1->width() - 3, 15);

    QMenuBar* bar = menuBar();
    Afsluiten1 = bar->addAction(QStringLiteral("Afsluiten"));
    Stapsgewijs1 = bar->addAction(QStringLiteral("Stapsgewijs"));
    Totaal1 = bar->addAction(QStringLiteral("De totale maanbaan"));
    Toelichting1 = bar->addAction(QStringLiteral("Toelichting"));
    connect(Afsluiten1, &QAction::triggered, this, &Tlibratiedlg::Afsluiten1Click);
    connect(Stapsgewijs1, &QAction::triggered, this, &Tlibratiedlg::Stapsgewijs1Click);
    connect(Totaal1, &QAction::triggered, this, &Tlibratiedlg::Totaal1Click);
    connect(Toelichting1, &QAction::triggered, this, &Tlibratiedlg::Toelichting1Click);

    PaintBox1->onDraw = [this] {
        // A window manager may size the maximised window only after it was
        // activated: the drawing stays centred in what the user sees.
        if (client()->size() != centredFor_)
            setCentre();
        PaintBox1Paint();
    };

    // FormCreate
    model = LongitudeModel();

    // Covers the screen also where no window manager honours "maximised".
    move(0, 0);
    resize(screen()->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

void Tlibratiedlg::setCentre()
{
    centredFor_ = client()->size();
    middenx = clientWidth() / 2;
    middeny = clientHeight() / 2;
    Maakmaanbaan();
}

void Tlibratiedlg::Maakmaanbaan()
{
    maanbaan = maakMaanbaan(model, middenx, middeny);
}

void Tlibratiedlg::FormActivate()
{
    setCentre();
    setWindowTitle(QStringLiteral("Verklaring van de Libratie in de lengte"));
    totaal = false;
    Stapsgewijs1->setEnabled(true);
    Panel2->setText(stepwiseSentence());
    stap = 0;
    PaintBox1->repaintNow();
}

void Tlibratiedlg::tekenmaan(int x, int y)
{
    Canvas& c = PaintBox1->canvas();
    c.penWidth = 1;

    const int earthX = middenx + earthOffset(model);
    c.penColor = kAqua;
    c.brushColor = kAqua;
    c.ellipse(earthX - 20, middeny - 20, earthX + 20, middeny + 20);

    c.brushColor = Qt::black;
    c.penColor = kSilver;
    c.line(earthX, middeny, x, y);

    c.penColor = Qt::white;
    c.moveTo(x + 10, y);
    for (int k = 1; k <= 25; ++k) {
        const double angle = k * 2 * kPi / 25;
        c.lineTo(x + toPixel(10 * std::cos(angle)), y - toPixel(10 * std::sin(angle)));
    }

    c.penColor = kRed;
    const LineSpec marker = rotationMarker(x, y, stap);
    c.line(marker.x1, marker.y1, marker.x2, marker.y2);
}

void Tlibratiedlg::showStep()
{
    const LongitudeReading reading = longitudeReading(model, maanbaan, stap);
    libratiehoek = reading.libration;
    const QStringList lines = longitudeLines(reading);
    for (int i = 0; i < 6; ++i)
        Label[i]->setText(lines[i]);
}

void Tlibratiedlg::PaintBox1Paint()
{
    Canvas& c = PaintBox1->canvas();
    c.fill(Qt::black);
    if (totaal) {
        // The panel is hidden: only the drawing follows the steps.
        for (stap = 0; stap <= OrbitSteps; ++stap)
            tekenmaan(maanbaan[std::size_t(stap)].x, maanbaan[std::size_t(stap)].y);
    } else {
        stap = std::clamp(stap, 0, OrbitSteps - 1);
        tekenmaan(maanbaan[std::size_t(stap)].x, maanbaan[std::size_t(stap)].y);
        showStep();
    }
    c.brushColor = Qt::black;
    c.fontColor = kYellow;
    c.textOut(middenx + 265, middeny - 5, QStringLiteral("perigeum"));
    c.textOut(middenx - 330, middeny - 5, QStringLiteral("apogeum"));
    c.endPainting();
}

bool Tlibratiedlg::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        Afsluiten1Click();
        return true;
    case Qt::Key_Right:
        if (++stap > OrbitSteps - 1)
            stap = 0;
        PaintBox1->repaintNow();
        return true;
    case Qt::Key_Left:
        if (--stap < 0)
            stap = OrbitSteps - 1;
        PaintBox1->repaintNow();
        return true;
    default:
        return false;
    }
}

void Tlibratiedlg::Afsluiten1Click()
{
    close();
}

void Tlibratiedlg::Stapsgewijs1Click()
{
    totaal = false;
    Stapsgewijs1->setEnabled(false);
    Totaal1->setEnabled(true);
    stap = 0;
    PaintBox1->repaintNow();
    Panel1->show();
    Panel2->setText(stepwiseSentence());
}

void Tlibratiedlg::Totaal1Click()
{
    totaal = true;
    Totaal1->setEnabled(false);
    Stapsgewijs1->setEnabled(true);
    PaintBox1->repaintNow();
    Panel1->hide();
    Panel2->setText(
        QStringLiteral("Dit is de gehele maanbaan om de aarde. De positie van de nieuwe maan is rechts van de aarde. "));
}

void Tlibratiedlg::Toelichting1Click()
{
    shared().helpFileName = QStringLiteral("libratie.rtf");
    if (!helpdlg)
        return;
    helpdlg->setOuterGeometry(0, Thelpdlg::keep, 250, 500);
    helpdlg->showModal();
}

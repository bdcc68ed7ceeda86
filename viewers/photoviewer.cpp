#include "viewers/photoviewer.h"

#include "astro/captions.h"
#include "data/featurenames.h"
#include "platform/accessibility.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/jpegloader.h"
#include "platform/picture.h"
#include "platform/pictureoutput.h"
#include "platform/rtfreader.h"
#include "platform/windowplacement.h"
#include "session/atlassession.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

namespace {
// Names come from index files that a user can edit or receive: only a plain
// file in the working directory is ever opened.
bool isPlainFileHere(const QString& fileName)
{
    return isBareFileName(fileName) && QFileInfo(fileName).isFile();
}
}

PhotoViewer::PhotoViewer(AtlasSession* session, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(QStringLiteral("Foto"));

    QMenuBar* bar = menuBar();
    Afsluiten1 = bar->addAction(QStringLiteral("Afsluiten"));
    Volgendefoto1 = bar->addAction(QStringLiteral("Volgende foto"));
    groter1 = bar->addAction(QStringLiteral("Groter"));
    Tekst1 = bar->addAction(QStringLiteral("Toelichting"));
    Afdrukken1 = bar->addAction(QStringLiteral("Afdrukken…"));
    Opslaanalsafbeelding1 = bar->addAction(QStringLiteral("Opslaan als afbeelding…"));
    connect(Afsluiten1, &QAction::triggered, this, &PhotoViewer::Afsluiten1Click);
    connect(Volgendefoto1, &QAction::triggered, this, &PhotoViewer::Volgendefoto1Click);
    connect(groter1, &QAction::triggered, this, &PhotoViewer::groter1Click);
    connect(Tekst1, &QAction::triggered, this, &PhotoViewer::Tekst1Click);
    connect(Afdrukken1, &QAction::triggered, this, &PhotoViewer::Afdrukken1Click);
    connect(Opslaanalsafbeelding1, &QAction::triggered, this, &PhotoViewer::Opslaanalsafbeelding1Click);

    QPalette black = client()->palette();
    black.setColor(QPalette::Window, Qt::black);
    client()->setPalette(black);

    Image1 = new PictureBox(client());
    Image1->setGeometry(0, 0, 0, 0);
    describeControl(Image1, QStringLiteral("Foto"),
                    QStringLiteral("De detailfoto van het landkenmerk; Toelichting geeft de uitleg erbij"));

    Panel1 = new QLabel(QStringLiteral("Sleep het beeld met de muis"), client());
    setPanelColours(Panel1);
    Panel1->setFont(QFont(QStringLiteral("Arial"), 8));
    Panel1->setAccessibleDescription(QStringLiteral("De vergrote foto verschuift met slepen"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setMargin(3);
    Panel1->adjustSize();
    Panel1->move(0, 0);
    Panel1->hide();

    // Painting and the mouse belong to the client area, including presses on
    // the picture and the hint, which pass their clicks on to it.
    client()->installEventFilter(this);

    // Covers the screen also where no window manager honours "maximised".
    move(0, 0);
    resize(screen()->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

PhotoViewer::~PhotoViewer() = default;

void PhotoViewer::Afsluiten1Click()
{
    close();
}

void PhotoViewer::FormActivate()
{
    extraPhotoCount = 0;
    photoIndex = 0;
    enlarged = false;
    groter1->setText(QStringLiteral("Groter"));
    Panel1->hide();
    Allenamen();
    Image1->show();
    showPhotograph(0);
    Volgendefoto1->setVisible(extraPhotoCount > 0);
    client()->update();
}

void PhotoViewer::Allenamen()
{
    extraPhotos.fill(QString());
    extraPhotoCount = 0;
    const QString& main = photoFileName;
    if (!isBareFileName(main))
        return;
    const QString base = fileBaseName(main);
    for (int n = 1; n <= MaxExtraPhotos; ++n) {
        const QString name = base + QString::number(n) + QStringLiteral(".jpg");
        if (isPlainFileHere(name))
            extraPhotos[std::size_t(extraPhotoCount++)] = name;
    }
}

void PhotoViewer::OpenFile(const QString& fileName)
{
    // A missing photograph shows nothing rather than the previous feature's
    // picture under this feature's caption. The old picture goes before the
    // new one is decoded, so that the two never take memory together.
    picture = QImage();
    Image1->clear();
    // One too large to show is reported; the viewer then shows nothing.
    if (isPlainFileHere(fileName) && hasJpegExtension(fileName))
        runReportingErrors([&] { picture = loadJpegFile(fileName); });
    Image1->setPicture(picture);
    SetJPEGOptions();
}

void PhotoViewer::SetJPEGOptions()
{
    // The decoding options (greyscale, accurate integer DCT, full scale, 236
    // levels, no progressive display) are the loader's defaults.
    Image1->setGeometry(0, 0, picture.width(), picture.height());
    if (!picture.isNull())
        fitWindow(picture.width(), picture.height(), false);
}

void PhotoViewer::showPhotograph(int index)
{
    const QString& main = photoFileName;
    const QString file = index > 0 ? extraPhotos[std::size_t(index - 1)] : main;
    // Named first: a photograph that cannot be shown is reported under its
    // own caption, not the one before.
    shownPhotoFile = file;
    setWindowTitle((index > 0 ? QStringLiteral("Foto van ") : QStringLiteral("Foto: ")) + fileBaseName(file));
    OpenFile(file);
}

void PhotoViewer::Volgendefoto1Click()
{
    if (enlarged)
        groter1Click();
    ++photoIndex;
    if (photoIndex > extraPhotoCount)
        photoIndex = 0;
    showPhotograph(photoIndex);
}

void PhotoViewer::groter1Click()
{
    enlarged = !enlarged;
    groter1->setText(enlarged ? QStringLiteral("Normale grootte") : QStringLiteral("Groter"));
    if (!enlarged) {
        Panel1->hide();
        Image1->show();
        OpenFile(shownPhotoFile);
        client()->update();
        return;
    }
    Image1->hide();
    Panel1->show();
    OpenFile(shownPhotoFile);
    if (!picture.isNull())
        fitWindow(2 * picture.width(), 2 * picture.height(), true);
    client()->update();
}

QString PhotoViewer::explanationFile() const
{
    const QString name = photoIndex > 0 ? extraPhotos[std::size_t(photoIndex - 1)] : photoFileName;
    const QString textFile = fileBaseName(name) + QStringLiteral(".txt");
    return isBareFileName(name) && isPlainFileHere(textFile) ? textFile : QString();
}

void PhotoViewer::Tekst1Click()
{
    const QString textFile = explanationFile();
    if (textFile.isEmpty()) {
        showMessage(QStringLiteral("Er is geen verklarende tekst bij deze foto."));
        return;
    }
    HelpRequest help;
    help.fileName = textFile;
    help.caption = QStringLiteral("Toelichting bij ") + fileBaseName(textFile);
    // A column along the screen, beside the photograph where there is room,
    // else at the edge away from its middle.
    const QRect area = screen()->availableGeometry();
    help.setFrame(frameBeside(photographOnScreen(), QSize(600, area.height()), area, 400));
    help.owner = this;
    session_->showHelp(help);
}

QRect PhotoViewer::photographOnScreen() const
{
    const QRect client(QPoint(0, 0), this->client()->size());
    QRect shown = client;
    if (!picture.isNull())
        shown = enlarged ? QRect(photoOffsetX, photoOffsetY, 2 * picture.width(), 2 * picture.height())
                         : QRect(QPoint(0, 0), picture.size());
    shown = shown.intersected(client);
    if (shown.isEmpty())
        shown = client;
    return QRect(this->client()->mapToGlobal(shown.topLeft()), shown.size());
}

QPrinter& PhotoViewer::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QStringList PhotoViewer::caption() const
{
    QString explanation;
    const QString textFile = explanationFile();
    // The explanation as the help window shows it, rich text or plain; one
    // that cannot be read leaves the photograph with its title alone.
    if (!textFile.isEmpty()) {
        runReportingErrors([&] {
            QTextDocument text;
            readRichOrPlainText(&text, readFileBytes(textFile), QFont());
            explanation = text.toPlainText();
        });
    }
    return photoCaption(windowTitle(), explanation);
}

void PhotoViewer::Afdrukken1Click()
{
    if (picture.isNull()) {
        beep();
        return;
    }
    if (choosePrinter(printer(), this, fileBaseName(shownPhotoFile)))
        runReportingErrors([this] { printPhotograph(printer()); });
}

void PhotoViewer::Opslaanalsafbeelding1Click()
{
    if (picture.isNull()) {
        beep();
        return;
    }
    const QString file = choosePngFile(this, fileBaseName(shownPhotoFile));
    if (!file.isEmpty())
        runReportingErrors([this, &file] { savePhotograph(file); });
}

void PhotoViewer::printPhotograph(QPrinter& target)
{
    const QStringList lines = caption();
    target.setDocName(QStringLiteral("Selvanor: ") + windowTitle());
    printCaptionedPicture(target, picture, [&lines](double) { return lines; });
}

void PhotoViewer::savePhotograph(const QString& fileName)
{
    writePngFile(captionedPicture(picture, caption()), fileName);
}

bool PhotoViewer::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void PhotoViewer::FormClose()
{
    // Every opening decodes its photograph again.
    picture = QImage();
    Image1->clear();
}

void PhotoViewer::FormPaint(QPainter& painter, const QRect& exposed)
{
    if (enlarged)
        drawPictureScaled(painter, picture, QPoint(photoOffsetX, photoOffsetY), 2, exposed);
}

void PhotoViewer::FormMouseDown(int x, int y)
{
    photoPressX = x;
    photoPressY = y;
}

void PhotoViewer::FormMouseUp(int x, int y)
{
    if (!enlarged) {
        photoOffsetX = 0;
        photoOffsetY = 0;
        return;
    }
    const int dx = x - photoPressX;
    const int dy = y - photoPressY;
    photoOffsetX += dx;
    photoOffsetY += dy;
    if (dx != 0 || dy != 0)
        client()->repaint();
}

bool PhotoViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != client())
        return Form::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(client());
        FormPaint(painter, static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = mouse->position().toPoint();
        if (event->type() == QEvent::MouseButtonRelease)
            FormMouseUp(p.x(), p.y());
        else
            FormMouseDown(p.x(), p.y());
        mouse->accept();
        return true;
    }
    default:
        return Form::eventFilter(watched, event);
    }
}

void PhotoViewer::fitWindow(int width, int height, bool outer)
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (!outer) {
        setClientSize(width, height);
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    resize(width - frame.width(), height - frame.height());
}

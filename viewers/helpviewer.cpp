#include "viewers/helpviewer.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QTimer>
#include <QWindow>

#include <cstdlib>

#include "data/featurenames.h"
#include "data/fileerror.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/pictureoutput.h"
#include "platform/rtfreader.h"
#include "platform/windowplacement.h"

HelpFindDialog::HelpFindDialog(QWidget* parent)
    : QDialog(parent)
    , text_(new QLineEdit(this))
    , findNext_(new QPushButton(QStringLiteral("&Volgende zoeken"), this))
{
    setWindowTitle(QStringLiteral("Zoeken"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);

    auto* label = new QLabel(QStringLiteral("&Zoeken naar:"), this);
    label->setBuddy(text_);
    auto* cancel = new QPushButton(QStringLiteral("Annuleren"), this);
    findNext_->setDefault(true);
    findNext_->setEnabled(false);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(text_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);

    describeControl(text_, QStringLiteral("Zoeken naar"),
                    QStringLiteral("Het woord dat gezocht wordt; hoofdletters en kleine letters tellen mee"));
    describeControl(findNext_, QStringLiteral("Volgende zoeken"),
                    QStringLiteral("Zoekt het woord verderop in de tekst"));
    describeControl(cancel, QStringLiteral("Annuleren"), QStringLiteral("Sluit het zoekvenster"));
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) { findNext_->setEnabled(!t.isEmpty()); });
    connect(findNext_, &QPushButton::clicked, this, &HelpFindDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(360, sizeHint().height());
}

QString HelpFindDialog::findText() const
{
    return text_->text();
}

void HelpFindDialog::setFindText(const QString& text)
{
    text_->setText(text);
}

HelpViewer::HelpViewer(QWidget* parent)
    : Form(parent)
    , RichEdit1(new QTextEdit(client()))
    , FindDialog1(new HelpFindDialog(this))
{
    setWindowTitle(QStringLiteral("Toelichting"));
    // A tool window of the window that opens it (see setOwner): the window
    // manager keeps it above that window only.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);

    QMenu* bestand = menuBar()->addMenu(QStringLiteral("Bestand"));
    connect(bestand->addAction(QStringLiteral("Afdrukken")), &QAction::triggered, this, &HelpViewer::Afdrukken1Click);
    connect(bestand->addAction(QStringLiteral("Afsluiten")), &QAction::triggered, this, &HelpViewer::Afsluiten1Click);
    connect(menuBar()->addAction(QStringLiteral("Lettertype")), &QAction::triggered, this,
            &HelpViewer::Lettertype1Click);
    connect(menuBar()->addAction(QStringLiteral("Zoek")), &QAction::triggered, this, &HelpViewer::Zoek1Click);

    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    describeControl(RichEdit1, QStringLiteral("Tekst"),
                    QStringLiteral("De tekst van de toelichting, om te lezen; Ctrl+F zoekt erin"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setFont(defaultFont());
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->document()->setUndoRedoEnabled(false);
    auto* layout = new QVBoxLayout(client());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);

    connect(FindDialog1, &HelpFindDialog::findNext, this, &HelpViewer::FindDialog1Find);
    setOuterGeometry(254, 126, 510, 223);
}

HelpViewer::~HelpViewer() = default;

namespace {
// The font as the font dialog must be given it. The dialog finds its style by
// name, and the name it makes of a font ("Normal", in Dutch "Normaal") is not
// the name the family gives the same style ("Regular"); where they differ it
// takes the family's first style, often "Bold". So the family's own style of
// the same weight and slant is named outright, and an uninstalled family is
// replaced by the one that shows it.
QFont dialogFont(QFont font)
{
    QString family = font.families().value(0, font.family());
    if (!QFontDatabase::hasFamily(family))
        family = QFontInfo(font).family();
    font.setFamilies({family});
    QString best;
    int bestDistance = INT_MAX;
    for (const QString& style : QFontDatabase::styles(family)) {
        const int distance = (QFontDatabase::italic(family, style) != font.italic() ? 10000 : 0)
                           + std::abs(QFontDatabase::weight(family, style) - int(font.weight()));
        if (distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    font.setStyleName(best);
    return font;
}
} // namespace

QFont HelpViewer::defaultFont()
{
    return QFont(installedFontFamily(QStringLiteral("Courier New")), 10);
}

void HelpViewer::open(const HelpRequest& request)
{
    const bool beside = request.mode == HelpRequest::Mode::BesideModal;
    if (isVisible())
        hide();
    helpFileName = request.fileName;
    setOuterGeometry(request.left, request.top, request.width, request.height);
    if (!request.caption.isEmpty())
        setWindowTitle(request.caption);
    setOwner(request.owner, beside);
    switch (request.mode) {
    case HelpRequest::Mode::Modal:
        showModal();
        break;
    case HelpRequest::Mode::Modeless:
        showModeless();
        break;
    case HelpRequest::Mode::BesideModal:
        show();
        // It does not become the program's focused window, so it is given
        // its file here.
        runReportingErrors([this] { loadHelpFile(); });
        break;
    }
}

void HelpViewer::setOwner(QWidget* owner, bool beside)
{
    // A window of the one that opened it, so that the window manager keeps
    // it above that one only and the program's questions come above it (not
    // a child widget of it: a modal child would hand the activation to its
    // parent). Beside a modal window it is shown without asking for the
    // focus; a window manager that gives it anyway has it taken back once
    // (below).
    owner_ = beside ? owner : nullptr;
    setAttribute(Qt::WA_ShowWithoutActivating, beside && owner);
    QWindow* aboveWindow = nullptr;
    if (owner) {
        owner->window()->winId();
        aboveWindow = owner->window()->windowHandle();
        winId();
    }
    if (owner_)
        shownBeside_.start();
    else
        shownBeside_.invalidate();
    if (QWindow* handle = windowHandle(); handle && handle->transientParent() != aboveWindow)
        handle->setTransientParent(aboveWindow);
}

bool HelpViewer::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && owner_ && shownBeside_.isValid()
        && shownBeside_.elapsed() < 1000) {
        shownBeside_.invalidate();
        QTimer::singleShot(0, owner_, [owner = owner_] {
            if (owner) {
                owner->activateWindow();
                owner->raise();
            }
        });
    }
    return Form::event(event);
}

void HelpViewer::FormActivate()
{
    runReportingErrors([this] { loadHelpFile(); });
}

void HelpViewer::loadHelpFile()
{
    const QString name = helpFileName;
    const QByteArray bytes = readFileBytes(name);
    // Built apart from the window: a text that cannot be shown leaves the one
    // shown before.
    auto* document = new QTextDocument(RichEdit1);
    if (!readRichOrPlainText(document, bytes, defaultFont())) {
        delete document;
        throw FileError(name.toStdString() + ": de tekst in dit bestand is te lang om te tonen.");
    }
    // The window owns the new text and lets go of the old one.
    RichEdit1->setDocument(document);
    // Every load shows the text from its beginning.
    RichEdit1->setTextCursor(QTextCursor(document));
}

bool HelpViewer::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        Zoek1Click();
        return true;
    }
    if (key == Qt::Key_Escape) {
        Afsluiten1Click();
        return true;
    }
    if (key == Qt::Key_F3) {
        FindDialog1Find();
        return true;
    }
    return false;
}

void HelpViewer::FormClose()
{
    FindDialog1->close();
}

void HelpViewer::Zoek1Click()
{
    FindDialog1->move(5, 5);
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
    FindDialog1->textField()->setFocus();
    FindDialog1->textField()->selectAll();
}

void HelpViewer::FindDialog1Find()
{
    const QString t = FindDialog1->findText();
    if (t.isEmpty())
        return;
    // From just after a selection, else from the very beginning (not the caret).
    const QTextCursor selection = RichEdit1->textCursor();
    const int start = selection.hasSelection() ? selection.selectionEnd() : 0;
    const QTextCursor found = RichEdit1->document()->find(t, start, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        showMessage(QStringLiteral("Zoekwoord ") + QLatin1Char('\n') + t + QLatin1Char('\n')
                    + QStringLiteral("niet gevonden."));
        return;
    }
    activateWindow();
    RichEdit1->setFocus();
    QTextCursor match(RichEdit1->document());
    match.setPosition(found.selectionStart());
    match.setPosition(found.selectionEnd(), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(match);
    RichEdit1->ensureCursorVisible();
}

void HelpViewer::Lettertype1Click()
{
    // The attributes of the selection are those of its first character.
    QTextCursor first = RichEdit1->textCursor();
    if (first.hasSelection())
        first.setPosition(first.selectionStart() + 1);
    const QTextCharFormat current = first.charFormat();
    QFontDialog dialog(dialogFont(current.font().resolve(RichEdit1->document()->defaultFont())), this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A size no text is read at could make the layout run for minutes.
    const QFont chosen = dialog.selectedFont();
    if (!fitsTextLayout(*RichEdit1->document(), &chosen)) {
        showMessage(QStringLiteral("In dit lettertype en deze grootte is de tekst te lang om te tonen. "
                                   "Kies een kleinere letter."));
        return;
    }

    // The font goes to all of the text; the dialog has no colour of its own,
    // so the text takes the colour of the selection it was preset from.
    QTextCharFormat format;
    format.setFont(chosen, QTextCharFormat::FontPropertiesAll);
    format.setForeground(current.hasProperty(QTextFormat::ForegroundBrush)
                             ? current.foreground()
                             : RichEdit1->palette().brush(QPalette::Text));
    QTextCursor all(RichEdit1->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    all.mergeBlockCharFormat(format);
}

QPrinter& HelpViewer::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void HelpViewer::Afdrukken1Click()
{
    // A PDF file is named after the text: maanhelp.pdf for the guide.
    if (!choosePrinter(printer(), this, fileBaseName(helpFileName)))
        return;
    printTo(printer());
}

void HelpViewer::printTo(QPrinter& target)
{
    target.setDocName(QStringLiteral("Toelichting bij de Selvanor"));
    target.setPrintRange(QPrinter::AllPages);
    target.setFromTo(0, 0);
    RichEdit1->document()->print(&target);
}

void HelpViewer::Afsluiten1Click()
{
    close();
}


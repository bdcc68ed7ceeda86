#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>
#include <sys/stat.h>

#include "platform/dialogs.h"
#include "platform/rtfreader.h"
#include "tests/common/modaldriver.h"
#include "viewers/helpviewer.h"
#include "tests/common/workdir.h"

namespace {

// Runs `action` on the next modal dialog of type T as soon as it is open.
template <class T>
void whenModal(std::function<void(T*)> action, int triesLeft = 200)
{
    QTimer::singleShot(10, [action, triesLeft] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            action(dialog);
        else if (triesLeft > 0)
            whenModal<T>(action, triesLeft - 1);
    });
}

// Answers the next message box with OK and hands back its text.
std::shared_ptr<QString> answerMessage()
{
    auto text = std::make_shared<QString>(QStringLiteral("<no message>"));
    whenModal<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    return text;
}

const QByteArray kSearchText = "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue128;}"
                               "\\pard\\qc\\b\\fs28\\cf1 Kop\\par\\pard\\b0\\fs20\\cf0 "
                               "De maan draait om de aarde. Maan is hier met een hoofdletter.\\par "
                               "Een tweede maan volgt.\\par}";

int pdfPageCount(const QByteArray& pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ")
               + pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowAsDesigned();
    void findsForwardWithoutWrapping();
    void findIsCaseSensitiveAndStartsAtTheBeginning();
    void findDialogAndKeys();
    void fontDialogPresetFromTheFirstSelectedCharacter_data();
    void fontDialogPresetFromTheFirstSelectedCharacter();
    void fontAppliesToAllUntilTheNextActivation();
    void fontDialogCancelledChangesNothing();
    void aFontTooLargeForTheTextIsRefused();
    void printsTheGuideOnSeveralPages();
    void printerSetupCancelledPrintsNothing();
    void pdfProposedInTheDocumentsFolder();
    void plainTextExplanationInCourierNew();
    void unreadableFileKeepsTheOldText_data();
    void unreadableFileKeepsTheOldText();

private:
    void showAndWait();
    std::unique_ptr<TestWorkDir> dir_;
    std::unique_ptr<HelpViewer> help_;
};

void TestHelpViewer::initTestCase()
{
    // The standard dialogs speak Dutch in the program, and so they do here:
    // the font dialog's style names are translated.
    Application::installDutchTranslations();
}

void TestHelpViewer::init()
{
    dir_ = std::make_unique<TestWorkDir>(QStringList{QStringLiteral("maanhelp.rtf")});
    QVERIFY(writeWholeFile(dir_->filePath(QStringLiteral("zoek.rtf")), kSearchText));
    help_ = std::make_unique<HelpViewer>();
    help_->helpFileName = QStringLiteral("zoek.rtf");
}

void TestHelpViewer::cleanup()
{
    help_.reset();
    dir_.reset();
}

void TestHelpViewer::showAndWait()
{
    help_->show();
    QVERIFY(QTest::qWaitForWindowActive(help_.get()));
}

void TestHelpViewer::windowAsDesigned()
{
    QCOMPARE(help_->windowTitle(), QStringLiteral("Toelichting"));
    QCOMPARE(help_->outerGeometry(), QRect(254, 126, 510, 223));
    // Kept above its opener by the window manager, not above every program.
    QVERIFY(!(help_->windowFlags() & Qt::WindowStaysOnTopHint));
    QStringList bar;
    for (QAction* a : help_->menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"Bestand", "Lettertype", "Zoek"}));
    QStringList file;
    for (QAction* a : help_->menuBar()->actions().first()->menu()->actions())
        file << a->text();
    QCOMPARE(file, (QStringList{"Afdrukken", "Afsluiten"}));
    QVERIFY(help_->richEdit()->isReadOnly());

    // An opener's placement by the outer frame; what it leaves out stays.
    help_->setOuterGeometry(HelpViewer::keep, 0, 500, 700);
    QCOMPARE(help_->outerGeometry(), QRect(254, 0, 500, 700));
    showAndWait();
    QCOMPARE(help_->frameGeometry(), QRect(254, 0, 500, 700));
    QCOMPARE(help_->richEdit()->toPlainText().left(3), QStringLiteral("Kop"));
    QVERIFY(help_->richEdit()->width() > 400);
}

void TestHelpViewer::findsForwardWithoutWrapping()
{
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    const QString text = edit->toPlainText();
    const int first = text.indexOf(QLatin1String("maan"));
    const int second = text.indexOf(QLatin1String("maan"), first + 1);
    QVERIFY(first > 0 && second > first);

    help_->findDialog()->setFindText(QStringLiteral("maan"));
    QTest::mouseClick(help_->findDialog()->findNextButton(), Qt::LeftButton);
    QCOMPARE(edit->textCursor().selectionStart(), first);
    QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("maan"));

    QTest::keyClick(edit, Qt::Key_F3);
    QCOMPARE(edit->textCursor().selectionStart(), second);

    // Any modifiers with F3; no third occurrence, no wrap: the message, and the
    // second occurrence stays selected.
    auto message = answerMessage();
    QTest::keyClick(edit, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(*message, QStringLiteral("Zoekwoord \nmaan\nniet gevonden."));
    QCOMPARE(edit->textCursor().selectionStart(), second);
    QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("maan"));

    message = answerMessage();
    QTest::keyClick(edit, Qt::Key_F3);
    QCOMPARE(*message, QStringLiteral("Zoekwoord \nmaan\nniet gevonden."));
    QCOMPARE(edit->textCursor().selectionStart(), second);
}

void TestHelpViewer::findIsCaseSensitiveAndStartsAtTheBeginning()
{
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    const QString text = edit->toPlainText();

    auto message = answerMessage();
    help_->findDialog()->setFindText(QStringLiteral("MAAN"));
    help_->FindDialog1Find();
    QCOMPARE(*message, QStringLiteral("Zoekwoord \nMAAN\nniet gevonden."));
    QVERIFY(!edit->textCursor().hasSelection());

    help_->findDialog()->setFindText(QStringLiteral("Maan"));
    help_->FindDialog1Find();
    QCOMPARE(edit->textCursor().selectionStart(), text.indexOf(QLatin1String("Maan")));

    // A caret without a selection does not count: the search starts at 0.
    QTextCursor caret = edit->textCursor();
    caret.movePosition(QTextCursor::End);
    edit->setTextCursor(caret);
    help_->findDialog()->setFindText(QStringLiteral("de"));
    help_->FindDialog1Find();
    QCOMPARE(edit->textCursor().selectionStart(), text.indexOf(QLatin1String("de")));
    QTRY_VERIFY(edit->hasFocus());

    // An empty search text does nothing.
    help_->findDialog()->setFindText(QString());
    help_->FindDialog1Find();
    QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("de"));
}

void TestHelpViewer::findDialogAndKeys()
{
    showAndWait();
    HelpFindDialog* find = help_->findDialog();
    QTest::keyClick(help_->richEdit(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!find->isVisible());
    QTest::keyClick(help_->richEdit(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(find->isVisible());
    QCOMPARE(find->frameGeometry().topLeft(), QPoint(5, 5));
    QVERIFY(!find->isModal());
    QVERIFY(!find->findNextButton()->isEnabled());

    // Typing and Enter in the dialog finds; the help window keeps its text,
    // it is not loaded again when it gets the focus back from its own dialog.
    QVERIFY(QTest::qWaitForWindowActive(find));
    QTest::keyClicks(find->textField(), QStringLiteral("tweede"));
    QTest::keyClick(find->textField(), Qt::Key_Return);
    QCOMPARE(help_->richEdit()->textCursor().selectedText(), QStringLiteral("tweede"));
    QVERIFY(QTest::qWaitForWindowActive(help_.get()));
    QCOMPARE(help_->richEdit()->textCursor().selectedText(), QStringLiteral("tweede"));

    // Escape closes the window and its find dialog.
    QTest::keyClick(help_->richEdit(), Qt::Key_Escape);
    QVERIFY(!help_->isVisible());
    QVERIFY(!find->isVisible());
}

void TestHelpViewer::fontDialogPresetFromTheFirstSelectedCharacter_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("colour");
    const QColor text = QApplication::palette().color(QPalette::Text);
    const QColor navy(0, 0, 128);
    QTest::newRow("regular word") << "zoek.rtf" << "draait" << "Liberation Sans" << 10 << false << false << text;
    QTest::newRow("bold heading") << "zoek.rtf" << "Kop" << "Liberation Sans" << 14 << true << false << navy;
    QTest::newRow("italic word, bold after it")
        << "stijl.rtf" << "schuin" << "Liberation Serif" << 12 << false << true << text;
    QTest::newRow("bold italic word") << "stijl.rtf" << "beide" << "Liberation Serif" << 12 << true << true << text;
    QTest::newRow("photograph's explanation") << "krater.txt" << "Krater" << "Liberation Mono" << 10 << false
                                              << false << text;
}

// Preset exactly from the first selected character; choosing only another
// size changes the size and nothing else.
void TestHelpViewer::fontDialogPresetFromTheFirstSelectedCharacter()
{
    QFETCH(QString, file);
    QFETCH(QString, word);
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QColor, colour);
    QVERIFY(writeWholeFile(dir_->filePath(QStringLiteral("stijl.rtf")),
                           "{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}}\\f0\\fs24 Gewoon, "
                           "\\i schuin\\b vet\\b0\\i0  en \\b\\i beide\\b0\\i0 .\\par}"));
    QVERIFY(writeWholeFile(dir_->filePath(QStringLiteral("krater.txt")), "De Krater bij lage zon.\r\n"));
    help_->helpFileName = file;
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    const int at = edit->toPlainText().indexOf(word);
    QVERIFY(at >= 0);
    // Selected backwards, one character beyond the word: the first counts.
    QTextCursor selection(edit->document());
    selection.setPosition(at + int(word.size()) + 1);
    selection.setPosition(at, QTextCursor::KeepAnchor);
    edit->setTextCursor(selection);

    QFont preset;
    whenModal<QFontDialog>([&preset](QFontDialog* dialog) {
        preset = dialog->currentFont();
        // The user types another size and confirms.
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>())
            if (field->validator()) {
                field->selectAll();
                QTest::keyClicks(field, QStringLiteral("16"));
            }
        dialog->accept();
    });
    help_->Lettertype1Click();
    QCOMPARE(preset.family(), family);
    QCOMPARE(preset.pointSize(), size);
    QCOMPARE(preset.bold(), bold);
    QCOMPARE(preset.italic(), italic);

    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QFont shown = f.font().resolve(edit->document()->defaultFont());
            QCOMPARE(QFontInfo(shown).family(), family);
            QCOMPARE(shown.pointSize(), 16);
            QCOMPARE(shown.bold(), bold);
            QCOMPARE(shown.italic(), italic);
            QCOMPARE(f.foreground().color(), colour);
        }
}

void TestHelpViewer::fontAppliesToAllUntilTheNextActivation()
{
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    QFont serif(QStringLiteral("Liberation Serif"), 24);
    serif.setStyleName(QStringLiteral("Regular"));
    whenModal<QFontDialog>([serif](QFontDialog* dialog) {
        dialog->setCurrentFont(serif);
        dialog->accept();
    });
    help_->Lettertype1Click();
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QCOMPARE(f.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
            QCOMPARE(f.fontPointSize(), 24.0);
            QVERIFY(f.fontWeight() != QFont::Bold);
            QCOMPARE(f.foreground().color(), QColor(0, 0, 128));
        }

    // Coming back from another window of the program loads the file again.
    Form other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    help_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help_.get()));
    QTextCursor start(edit->document());
    start.setPosition(1);
    QCOMPARE(start.charFormat().fontPointSize(), 14.0);
    QCOMPARE(start.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    QVERIFY(!edit->textCursor().hasSelection());
}

void TestHelpViewer::fontDialogCancelledChangesNothing()
{
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    // No selection: the preset is the format at the caret, the start of the text.
    whenModal<QFontDialog>([](QFontDialog* dialog) {
        dialog->setCurrentFont(QFont(QStringLiteral("Liberation Serif"), 30));
        dialog->reject();
    });
    help_->Lettertype1Click();
    const int body = edit->toPlainText().indexOf(QLatin1String("draait"));
    QTextCursor c(edit->document());
    c.setPosition(body + 1);
    QCOMPARE(c.charFormat().fontPointSize(), 10.0);
    QCOMPARE(c.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
}

// The guide at a size typed into the dialog that no text is read at: told,
// and the text stays as it was, at once, instead of a layout that runs for
// minutes.
void TestHelpViewer::aFontTooLargeForTheTextIsRefused()
{
    help_->helpFileName = QStringLiteral("maanhelp.rtf");
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    const QString before = edit->document()->toHtml();
    ModalDriver driver({[](QWidget* modal) {
                            auto* dialog = qobject_cast<QFontDialog*>(modal);
                            QVERIFY(dialog);
                            QFont huge(QStringLiteral("Liberation Serif"));
                            huge.setPointSize(1600);
                            dialog->setCurrentFont(huge);
                            dialog->accept();
                        }});
    QElapsedTimer t;
    t.start();
    help_->Lettertype1Click();
    QVERIFY2(t.elapsed() < 3000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(driver.texts.size(), 2);
    QVERIFY2(driver.texts[1].contains(QStringLiteral("te lang om te tonen")), qPrintable(driver.texts[1]));
    QCOMPARE(edit->document()->toHtml(), before);
}

void TestHelpViewer::printsTheGuideOnSeveralPages()
{
    help_->helpFileName = QStringLiteral("maanhelp.rtf");
    showAndWait();
    QVERIFY(help_->richEdit()->toPlainText().size() > 5000);

    const QString pdf = dir_->filePath(QStringLiteral("gids.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    help_->printTo(printer);
    QCOMPARE(printer.docName(), QStringLiteral("Toelichting bij de Selvanor"));
    const QByteArray bytes = readWholeFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY2(pdfPageCount(bytes) >= 3, qPrintable(QString::number(pdfPageCount(bytes))));

    // Through "Afdrukken": the set-up dialog confirmed prints one job to the
    // printer it was set up for; a PDF file goes on in the folder of the last
    // one, named after the text.
    help_->printer().setOutputFormat(QPrinter::PdfFormat);
    help_->printer().setOutputFileName(dir_->filePath(QStringLiteral("menu.pdf")));
    whenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    help_->Afdrukken1Click();
    const QString viaMenu = dir_->filePath(QStringLiteral("maanhelp.pdf"));
    QCOMPARE(pdfPageCount(readWholeFile(viaMenu)), pdfPageCount(bytes));
    QCOMPARE(help_->printer().docName(), QStringLiteral("Toelichting bij de Selvanor"));
    QVERIFY(pdfText(viaMenu).contains(QStringLiteral("Topografie van de maan")));
}

void TestHelpViewer::pdfProposedInTheDocumentsFolder()
{
    // Started from the data folder, the print dialog would offer print.pdf
    // there: the file is proposed in the user's documents folder instead,
    // named after the text shown, or in the home folder without one.
    for (const bool documents : {true, false}) {
        TestHome home(documents ? QStringList{QStringLiteral("Documents")} : QStringList{});
        const QString folder = documents ? home.filePath(QStringLiteral("Documents")) : home.path();
        help_ = std::make_unique<HelpViewer>();
        help_->helpFileName = QStringLiteral("maanhelp.rtf");
        showAndWait();
        QString proposed;
        whenModal<QPrintDialog>([&proposed](QPrintDialog* dialog) {
            if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                proposed = field->text();
            dialog->accept();
        });
        help_->Afdrukken1Click();
        QCOMPARE(proposed, QDir(folder).filePath(QStringLiteral("maanhelp.pdf")));
        QVERIFY(pdfText(proposed).contains(QStringLiteral("Topografie van de maan")));
        QVERIFY(!QFile::exists(QStringLiteral("print.pdf")));
        QVERIFY(!QFile::exists(QStringLiteral("maanhelp.pdf")));

        // Another text, in the folder of the last file.
        help_->helpFileName = QStringLiteral("zoek.rtf");
        help_->FormActivate();
        whenModal<QPrintDialog>([&proposed](QPrintDialog* dialog) {
            proposed = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
            dialog->reject();
        });
        help_->Afdrukken1Click();
        QCOMPARE(proposed, QDir(folder).filePath(QStringLiteral("zoek.pdf")));
        QVERIFY(!QFile::exists(proposed));
        help_.reset();
    }
}

void TestHelpViewer::printerSetupCancelledPrintsNothing()
{
    showAndWait();
    const QString pdf = dir_->filePath(QStringLiteral("niet.pdf"));
    help_->printer().setOutputFormat(QPrinter::PdfFormat);
    help_->printer().setOutputFileName(pdf);
    whenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    help_->Afdrukken1Click();
    QVERIFY(!QFile::exists(pdf));
}

void TestHelpViewer::plainTextExplanationInCourierNew()
{
    QVERIFY(writeWholeFile(dir_->filePath(QStringLiteral("krater.txt")),
                           "<b>Krater</b> {\\rtf1 \\b vet}\r\nCaf\xe9 op de maan\r\n"));
    help_->helpFileName = QStringLiteral("krater.txt");
    showAndWait();
    QTextEdit* edit = help_->richEdit();
    QCOMPARE(edit->toPlainText(), QString::fromUtf8("<b>Krater</b> {\\rtf1 \\b vet}\nCafé op de maan\n"));
    QTextCursor c(edit->document());
    c.setPosition(2);
    const QFont shown = c.charFormat().font().resolve(edit->document()->defaultFont());
    QCOMPARE(QFontInfo(shown).family(), QFontInfo(QFont(QStringLiteral("Courier New"))).family());
    QCOMPARE(shown.pointSize(), 10);
    QVERIFY(!shown.bold());
}

void TestHelpViewer::unreadableFileKeepsTheOldText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "weg.rtf" << "weg.rtf: No such file or directory";
    QTest::newRow("pipe") << "pijp.rtf" << "pijp.rtf: dit is geen gewoon bestand en kan niet worden getoond.";
    QTest::newRow("link to a device") << "nul.rtf" << "nul.rtf: dit is geen gewoon bestand en kan niet worden getoond.";
    QTest::newRow("above 8 MB") << "groot.rtf" << "groot.rtf: dit bestand is te groot om te tonen (meer dan 8 MB).";
    QTest::newRow("one word of 1 MB") << "woord.txt" << "woord.txt: de tekst in dit bestand is te lang om te tonen.";
    QTest::newRow("empty paragraphs") << "leeg.rtf" << "leeg.rtf: de tekst in dit bestand is te lang om te tonen.";
}

void TestHelpViewer::unreadableFileKeepsTheOldText()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QVERIFY(mkfifo("pijp.rtf", 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("nul.rtf")));
    QFile big(QStringLiteral("groot.rtf"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxTextFileSize + 1));
    big.close();
    QVERIFY(writeWholeFile(QStringLiteral("woord.txt"), QByteArray(1024 * 1024, 'x')));
    QVERIFY(writeWholeFile(QStringLiteral("leeg.rtf"), "{\\rtf1 " + QByteArray("\\par ").repeated(1000000) + "}"));

    showAndWait();
    const QString before = help_->richEdit()->toPlainText();
    help_->close();
    help_->helpFileName = file;
    auto shown = std::make_shared<QString>();
    whenModal<QMessageBox>([shown](QMessageBox* box) {
        *shown = box->text();
        QCOMPARE(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    help_->show();
    QTRY_COMPARE(*shown, message);
    QCOMPARE(help_->richEdit()->toPlainText(), before);
}

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"

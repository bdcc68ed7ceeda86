// The main window's view taken along: printed (to a PDF file, read back) and
// saved as a PNG picture (compared with the window's own picture).
#include <QtTest>

#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "astro/overlay.h"
#include "data/fileerror.h"
#include "tests/common/modaldriver.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
RunState& s() { return mainWindow()->state(); }

// Page 1 of a PDF file as pdftoppm draws it at `dpi`.
QImage pdfPage(const QString& pdf, int dpi)
{
    const QString prefix = QFileInfo(pdf).absolutePath() + QStringLiteral("/page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                         QStringLiteral("-png"), pdf, prefix});
    if (!p.waitForFinished(60000))
        return {};
    QDir dir(QFileInfo(pdf).absolutePath());
    const QStringList pages = dir.entryList({QStringLiteral("page*.png")});
    return pages.isEmpty() ? QImage() : QImage(dir.filePath(pages.first())).convertToFormat(QImage::Format_RGB32);
}

// The bounding box of everything not white on a page.
QRect inkBox(const QImage& page, int belowY = 0)
{
    QRect box;
    for (int y = belowY; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The mean difference per colour channel of two pictures of the same size.
double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The file the file dialog proposes.
QString proposedIn(QWidget* modal)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    return dialog ? dialog->directory().filePath(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text())
                  : QString();
}

// A step that types a file's path into the file dialog and saves.
ModalDriver::Step saveAs(const QString& path)
{
    return [path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        dialog->setDirectory(QFileInfo(path).absolutePath());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(path).fileName());
        static_cast<QDialog*>(dialog)->accept();
    };
}
}

class TestPrinting : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;
    std::unique_ptr<TestHome> home_;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands)); }

    void init()
    {
        home_ = std::make_unique<TestHome>();
        dir_ = std::make_unique<TestWorkDir>(QStringList{QStringLiteral("maan_vm.bmp"), QStringLiteral("maan_vm.dat")});
        openMainWindow();
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
        home_.reset();
    }

    void menuEntries()
    {
        QStringList file;
        for (QAction* a : mainWindow()->menuBar()->actions().first()->menu()->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(file, (QStringList{"Eerste kwartier    [1]", "Volle maan          [2]", "Laatste kwartier  [3]", "-",
                                    QString::fromUtf8("Afdrukken…"), QString::fromUtf8("Opslaan als afbeelding…"), "-",
                                    "Afsluiten"}));
    }

    // The view as shown, overlays and all, fitted to the page, with its name,
    // the date and a scale that holds on the paper under it.
    void printsTheViewAsShown()
    {
        typeKey(mainWindow(), Qt::Key_N);
        typeKey(mainWindow(), Qt::Key_R);
        typeKey(mainWindow(), Qt::Key_T);
        QVERIFY(s().namesOn && s().gridOn && s().terminatorOn);
        child<SpinEdit>(mainWindow(), "jaarspin")->setValue(2026);
        child<SpinEdit>(mainWindow(), "maandspin")->setValue(12);
        child<SpinEdit>(mainWindow(), "dagspin")->setValue(7);
        child<SpinEdit>(mainWindow(), "uurspin")->setValue(21);
        const QImage shown = mainWindow()->canvas().image().copy();

        const QString pdf = dir_->filePath(QStringLiteral("volle maan.pdf"));
        QPrinter& printer = mainWindow()->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        mainWindow()->printView(printer);

        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Topografie van de maan: Volle maan")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Datum: maandag 7-12-2026, 21 uur")), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('\f')), 1);   // one page
        const QRegularExpressionMatch scale =
            QRegularExpression(QStringLiteral("Schaal bij maancentrum: 1 cm = ([0-9]+) km")).match(text);
        QVERIFY2(scale.hasMatch(), qPrintable(text));

        // The picture in the file is the window's, at so many pixels to the
        // inch of paper as the scale says.
        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(images.waitForFinished(30000));
        const QStringList row = QString::fromUtf8(images.readAllStandardOutput())
                                    .split(QLatin1Char('\n')).value(2).simplified().split(QLatin1Char(' '));
        QCOMPARE(row.value(3).toInt(), shown.width());
        QCOMPARE(row.value(4).toInt(), shown.height());
        const double perCm = row.value(12).toDouble() / 2.54;
        const double kmPerCm = perCm * kmPerScreenPixel(0.5);
        QVERIFY2(std::fabs(scale.captured(1).toDouble() - kmPerCm) < 0.01 * kmPerCm + 0.5,
                 qPrintable(QStringLiteral("%1 km said, %2 km in the file").arg(scale.captured(1)).arg(kmPerCm)));

        // On the page, at 100 dpi: fitted, landscape as the window is, and
        // the picture as the window shows it, the caption under it.
        const int dpi = 100;
        const QImage page = pdfPage(pdf, dpi);
        QVERIFY(!page.isNull());
        QVERIFY(page.width() > page.height());
        const QSize size(qRound(shown.width() * dpi / (perCm * 2.54)), qRound(shown.height() * dpi / (perCm * 2.54)));
        QVERIFY(size.width() > 0.9 * page.width() || size.height() > 0.75 * page.height());
        const int top = inkBox(page).top();
        const QRect firstRow = inkBox(page.copy(0, top + 1, page.width(), 1));
        QVERIFY2(std::abs(firstRow.width() - size.width()) <= 2, qPrintable(QString::number(firstRow.width())));
        const QImage printed = page.copy(QRect(QPoint(firstRow.left(), top), size));
        const QImage expected = shown.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Scaled by two programs, the fine names differ a little; the picture
        // turned over differs a lot.
        const double same = meanDifference(printed, expected);
        const double turned = meanDifference(printed, expected.mirrored(true, true));
        QVERIFY2(same < 20 && same < 0.5 * turned, qPrintable(QStringLiteral("%1 against %2").arg(same).arg(turned)));
        const QRect below = inkBox(page.copy(0, top + size.height() + 2, page.width(), page.height() - top - size.height() - 2));
        QVERIFY(below.height() > 20 && below.height() < 200);
    }

    // The same as a PNG picture: the window's picture pixel for pixel, the
    // caption in a white band under it.
    void savesTheViewAsAPicture()
    {
        typeKey(mainWindow(), Qt::Key_N);
        typeKey(mainWindow(), Qt::Key_R);
        const QImage shown = mainWindow()->canvas().image().copy();
        const QString file = dir_->filePath(QStringLiteral("maan.png"));
        mainWindow()->saveViewPicture(file);
        QImage saved(file);
        QVERIFY(!saved.isNull());
        saved = saved.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.width(), shown.width());
        QVERIFY(saved.height() > shown.height() + 40);
        QCOMPARE(saved.copy(QRect(QPoint(0, 0), shown.size())), shown);
        const QImage band = saved.copy(0, shown.height(), saved.width(), saved.height() - shown.height());
        QCOMPARE(band.pixel(0, 0), qRgb(255, 255, 255));
        QVERIFY(!inkBox(band).isEmpty());
        // The pick circle drawn straight onto the window is in it too.
        mainWindow()->jumpToFeature(1);
        mainWindow()->saveViewPicture(file);
        QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32).copy(QRect(QPoint(0, 0), shown.size())),
                 mainWindow()->canvas().image());
        QVERIFY(mainWindow()->canvas().image() != shown);
    }

    // Through the menu: the file proposed in the user's pictures folder, named
    // after the view; cancelled, nothing is written.
    void savingThroughTheMenu()
    {
        QString proposed;
        {
            ModalDriver driver({[&proposed](QWidget* modal) {
                proposed = proposedIn(modal);
                static_cast<QDialog*>(modal)->reject();
            }});
            child<QAction>(mainWindow(), "Opslaanalsafbeelding1")->trigger();
        }
        QCOMPARE(proposed, home_->filePath(QStringLiteral("Pictures/Volle maan.png")));
        QVERIFY(QDir(home_->filePath(QStringLiteral("Pictures"))).isEmpty());

        // A name of one's own, without its suffix, in another folder: that
        // folder is proposed next time.
        QDir(home_->path()).mkpath(QStringLiteral("les"));
        const QString chosen = home_->filePath(QStringLiteral("les/werkblad"));
        {
            ModalDriver driver({saveAs(chosen)});
            child<QAction>(mainWindow(), "Opslaanalsafbeelding1")->trigger();
            QCOMPARE(driver.seen, 1);
        }
        QVERIFY(!QImage(chosen + QStringLiteral(".png")).isNull());
        {
            ModalDriver driver({[&proposed](QWidget* modal) {
                proposed = proposedIn(modal);
                static_cast<QDialog*>(modal)->reject();
            }});
            child<QAction>(mainWindow(), "Opslaanalsafbeelding1")->trigger();
        }
        QCOMPARE(proposed, home_->filePath(QStringLiteral("les/Volle maan.png")));
    }

    // A file that cannot be written: a Dutch message, no file left behind,
    // and a picture saved before under that name stays as it was.
    void failedSaveLeavesTheOldFile()
    {
        const QString file = dir_->filePath(QStringLiteral("werkblad.png"));
        QVERIFY(writeWholeFile(file, "eerder opgeslagen"));
        const QString other = dir_->filePath(QStringLiteral("nieuw.png"));
        QString message;
        {
            FullDisk full;
            QVERIFY(full.active());
            try {
                mainWindow()->saveViewPicture(file);
            } catch (const FileError& e) {
                message = QString::fromUtf8(e.what());
            }
            ModalDriver driver({saveAs(other)});
            child<QAction>(mainWindow(), "Opslaanalsafbeelding1")->trigger();
            QTRY_COMPARE(driver.texts.size(), 2);
            QVERIFY2(driver.texts[1].startsWith(QStringLiteral("Het bestand ") + other)
                         && driver.texts[1].endsWith(QStringLiteral("; er is niets opgeslagen.")),
                     qPrintable(driver.texts[1]));
        }
        QVERIFY2(message.startsWith(QStringLiteral("Het bestand ") + file), qPrintable(message));
        QCOMPARE(readWholeFile(file), QByteArray("eerder opgeslagen"));
        QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral("*.png*"), QStringLiteral("nieuw*")}),
                 QStringList{"werkblad.png"});

        // A folder that is not there.
        message.clear();
        try {
            mainWindow()->saveViewPicture(dir_->filePath(QStringLiteral("weg/maan.png")));
        } catch (const FileError& e) {
            message = QString::fromUtf8(e.what());
        }
        QVERIFY2(message.contains(QStringLiteral("kan niet worden aangemaakt")), qPrintable(message));
    }

    // Through the menu: the print dialog proposes a PDF file in the user's
    // documents folder, named after the view.
    void printingThroughTheMenu()
    {
        QString proposed;
        {
            ModalDriver driver({[&proposed](QWidget* modal) {
                auto* dialog = qobject_cast<QPrintDialog*>(modal);
                QVERIFY(dialog);
                proposed = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
                static_cast<QDialog*>(dialog)->accept();
            }});
            child<QAction>(mainWindow(), "Afdrukken1")->trigger();
            QCOMPARE(driver.seen, 1);
        }
        QCOMPARE(proposed, home_->filePath(QStringLiteral("Documents/Volle maan.pdf")));
        QVERIFY(pdfText(proposed).contains(QStringLiteral("Volle maan")));
        QCOMPARE(mainWindow()->printer().docName(), QStringLiteral("Selvanor: Volle maan"));
        // Cancelled: nothing printed.
        QVERIFY(QFile::remove(proposed));
        {
            ModalDriver driver({[](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); }});
            child<QAction>(mainWindow(), "Afdrukken1")->trigger();
        }
        QVERIFY(!QFile::exists(proposed));
        QVERIFY(QDir(dir_->path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"

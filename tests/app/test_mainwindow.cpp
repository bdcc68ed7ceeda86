#include <QtTest>

#include "app/folderuse.h"
#include "data/featuretable.h"
#include "data/folderlock.h"
#include "data/numbertext.h"
#include "data/real48.h"
#include "platform/dialogs.h"
#include "tests/common/program.h"
#include "tests/common/modaldriver.h"
#include "tests/common/workdir.h"
#include "tests/common/windowsystem.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QWheelEvent>
#include <QMessageBox>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QChar deg(0xB0);
const QRgb red = qRgb(255, 0, 0);
const QRgb lime = qRgb(0, 255, 0);
const QRgb yellow = qRgb(255, 255, 0);
const QRgb silver = qRgb(192, 192, 192);
const QRgb white = qRgb(255, 255, 255);
const QRgb magenta = qRgb(255, 0, 255);

const QString fullMoonTitle = QStringLiteral(
    "Korviden *** Topografie van de maan  ***  Volle maan       Schaal bij maancentrum:  1 cm # ");

// The full-moon fixture, in half-pixels; at zoom 0.5 in a 1000 x 700 client
// area the image lies at (214, 78), so a feature shows at (214 + x/4, 78 + y/4).
const IndexEntry fullMoonFeatures[] = {
    {1, "Alpha", 400, 400},              // (314, 178)
    {2, "Mare Testum", 800, 400},        // (414, 178)
    {3, "Beta *", 1200, 400},            // (514, 178)
    {4, "Mare Sinus Gamma", 1600, 400},  // (614, 178)
    {5, "Rupes Crater", 400, 800},       // (314, 278)
    {6, "Vallis Nova", 412, 808},        // (317, 280), within reach of slot 5
    {8, "Omega", 1200, 800},             // (514, 278), after an empty slot
};

QList<IndexEntry> fullMoonFixture()
{
    return QList<IndexEntry>(std::begin(fullMoonFeatures), std::end(fullMoonFeatures));
}

RunState& s() { return mainWindow()->state(); }
QWidget* surface() { return mainWindow()->surface(); }
QRgb px(int x, int y) { return mainWindow()->canvas().pixel(x, y); }

// Types a key where the platform delivers it: to the focused control, else the window.
void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(mainWindow());
    QTest::keyClick(target, Qt::Key(k), modifiers);
}

// Replaces the text of a date field by typing, and ends the typing with Enter.
void selectAllAndType(SpinEdit* spin, int k)
{
    spin->setFocus();
    QCoreApplication::processEvents();
    key(Qt::Key_A, Qt::ControlModifier);
    key(k);
    key(Qt::Key_Return);
}

QString spinText(SpinEdit* spin) { return spin->findChild<QLineEdit*>()->text(); }

// Marks the canvas so a test can tell whether a full repaint ran since.
void markCanvas() { mainWindow()->canvas().fillRect(QRect(995, 695, 1, 1), QColor(magenta)); }
bool repaintedSinceMark() { return px(995, 695) != magenta; }

// Closing the main window ends the program's event loop; a test process goes on.
void clearEndOfProgram()
{
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void setDate(int y, int m, int d, int h)
{
    child<SpinEdit>(mainWindow(), "dagspin")->setValue(1);
    child<SpinEdit>(mainWindow(), "jaarspin")->setValue(y);
    child<SpinEdit>(mainWindow(), "maandspin")->setValue(m);
    child<SpinEdit>(mainWindow(), "dagspin")->setValue(d);
    child<SpinEdit>(mainWindow(), "uurspin")->setValue(h);
}

QList<int> dateOf() { return {mainWindow()->date.year, mainWindow()->date.month, mainWindow()->date.day, mainWindow()->date.hour}; }
QList<int> datePanel()
{
    return {spinText(child<SpinEdit>(mainWindow(), "jaarspin")).toInt(), spinText(child<SpinEdit>(mainWindow(), "maandspin")).toInt(), spinText(child<SpinEdit>(mainWindow(), "dagspin")).toInt(),
            spinText(child<SpinEdit>(mainWindow(), "uurspin")).toInt()};
}

// The image point under the middle of the window, in bitmap pixels.
QPointF pointUnderMiddle()
{
    return QPointF((mainWindow()->clientWidth() * 0.5 - s().originX) / s().zoomFactor,
                   (mainWindow()->clientHeight() * 0.5 - s().originY) / s().zoomFactor);
}

QPoint screenPointOfSlot(int slot)
{
    const FeatureRecord& r = s().featureTable.slot(slot);
    return featureScreenPoint(mainWindow()->placement(), r.x(), r.y());
}

bool isCrossAt(int x, int y, int h, QRgb colour)
{
    for (int i = -h; i <= h; ++i)
        if (px(x + i, y) != colour || px(x, y + i) != colour)
            return false;
    return px(x - h - 1, y) != colour && px(x + h + 1, y) != colour && px(x, y - h - 1) != colour
        && px(x, y + h + 1) != colour;
}

int countPixels(QRgb colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += px(x, y) == colour ? 1 : 0;
    return n;
}
}

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    }

    void init()
    {
        // The sheet list is read when the windows are created.
        dir_ = std::make_unique<TestWorkDir>();
        QVERIFY(writeViewImage(QStringLiteral("maan_vm.bmp"), 1144, 1090, true));
        QVERIFY(writeViewImage(QStringLiteral("maan_ek.bmp"), 745, 1170, false));
        QVERIFY(writeViewImage(QStringLiteral("maan_lk.bmp"), 706, 1230, false));
        writeIndexFile(QStringLiteral("maan_vm.dat"), fullMoonFixture());
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    void startUpAndFirstView()
    {
        startProgram();
        QCOMPARE(s().zoomFactor, 0.5);
        QCOMPARE(s().originX, 0);
        QVERIFY(s().imageFileName.isEmpty());
        QVERIFY(s().markersOn && !s().namesOn && !s().gridOn && !s().terminatorOn && !s().localScaleOn);
        QVERIFY(!s().rotated180 && !s().keyListShown && !s().changesAllowed);
        for (QWidget* w : {static_cast<QWidget*>(child<QLabel>(mainWindow(), "Panel1")), child<QWidget>(mainWindow(), "Panel2"), child<QWidget>(mainWindow(), "Panel3"),
                           static_cast<QWidget*>(child<QPlainTextEdit>(mainWindow(), "Memo1")), static_cast<QWidget*>(child<QLabel>(mainWindow(), "Image1")), static_cast<QWidget*>(child<QLabel>(mainWindow(), "Label1"))})
            QVERIFY(w->isHidden());
        const QStringList lines = child<QPlainTextEdit>(mainWindow(), "Memo1")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 24);
        QCOMPARE(lines.first(), QStringLiteral("F1 = Help"));
        QCOMPARE(lines[18], QStringLiteral("+ = 10% Groter"));
        QCOMPARE(lines[22], QString());
        QCOMPARE(lines.last(), QStringLiteral("S = sneltoetsen"));
        QVERIFY(!child<QAction>(mainWindow(), "Wijzignaam1")->isEnabled());
        QVERIFY(child<QAction>(mainWindow(), "markeren1")->isChecked() && child<QAction>(mainWindow(), "Markeringen1")->isChecked());
        QVERIFY(!child<QAction>(mainWindow(), "Namentonen1")->isChecked() && !child<QAction>(mainWindow(), "Toonnamen1")->isChecked());
        // Before the first activation a paint leaves the title alone.
        const QString before = mainWindow()->windowTitle();
        mainWindow()->FormPaint();
        QCOMPARE(mainWindow()->windowTitle(), before);

        // The title screen comes first; a key closes it.
        QVERIFY(dir_->copyAtlasFile(QStringLiteral("titelmaan.bmp")));
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (titleScreen() && titleScreen()->isVisible())
                QTest::keyClick(titleScreen(), Qt::Key_Space);
        });
        closer.start(20);
        mainWindow()->show();
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow()->firstActivation, 10000);
        closer.stop();
        QVERIFY(!titleScreen()->isVisible());

        // Then the full-moon view, centred, at zoom 0.5.
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("160 km"));
        QCOMPARE(s().originX, toPixel((mainWindow()->clientWidth() - 0.5 * 1144) * 0.5));
        QCOMPARE(s().originY, toPixel((mainWindow()->clientHeight() - 0.5 * 1090) * 0.5));
        QVERIFY(!mainWindow()->firstVisit[1] && mainWindow()->firstVisit[0] && mainWindow()->firstVisit[2]);
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Alpha"));
        QVERIFY(child<QLabel>(mainWindow(), "Panel1")->isVisible());
        QVERIFY(child<QLabel>(mainWindow(), "Panel1")->text().isEmpty());
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->font().pointSize(), 10);
        QCOMPARE(child<QWidget>(mainWindow(), "Panel2")->pos(), QPoint(0, 15));
        // The date line of today (the title screen hides it again when it closes).
        const QDate today = QDate::currentDate();
        QVERIFY(child<QLabel>(mainWindow(), "Label8")->text().endsWith(QStringLiteral(", %1-%2-%3").arg(today.day()).arg(today.month()).arg(today.year())));
        QVERIFY(child<QLabel>(mainWindow(), "Label8")->isHidden());
        QVERIFY(child<QLabel>(mainWindow(), "Label7")->text().startsWith(QStringLiteral("Fasehoek ")));
        // The orientation note, north up.
        mainWindow()->repaintNow();
        QCOMPARE(px(3, 1), white);
        QCOMPARE(px(10, 30), yellow);
        QCOMPARE(px(10, 54), yellow);
        QVERIFY(px(10, 55) != yellow);
    }

    void viewSwitchingRestoresOriginsAndSavesIndexes()
    {
        openMainWindow();
        QCOMPARE(s().originX, 214);
        QCOMPARE(s().originY, 78);
        key(Qt::Key_Right);
        key(Qt::Key_Down);
        QCOMPARE(s().originX, 239);
        QCOMPARE(s().originY, 103);

        // Leaving a view writes its index file only when it was changed: a
        // table as it was read leaves the file as it is.
        const QByteArray original = readWholeFile(QStringLiteral("maan_vm.dat"));
        QVERIFY(writeWholeFile(QStringLiteral("maan_vm.dat"), QByteArray()));
        QVERIFY(!QFile::exists(QStringLiteral("maan_ek.dat")));
        key(Qt::Key_1);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), QByteArray());
        QVERIFY(writeWholeFile(QStringLiteral("maan_vm.dat"), original));
        QVERIFY(!s().featureTable.slot(1).inUse());
        // A first visit is centred.
        QCOMPARE(s().originX, 314);   // (1000 - 372.5) / 2 = 313.75
        QCOMPARE(s().originY, 58);    // (700 - 585) / 2 = 57.5, to the even neighbour
        QVERIFY(mainWindow()->windowTitle().contains(QStringLiteral("Eerste kwartier (wassende maan)")));
        key(Qt::Key_Plus, Qt::KeypadModifier);
        const double zoom = s().zoomFactor;

        // Back: the origin as it was left, at the current zoom (the zoom is not per view).
        key(Qt::Key_2);
        QCOMPARE(s().originX, 239);
        QCOMPARE(s().originY, 103);
        QCOMPARE(s().zoomFactor, zoom);
        QVERIFY(!QFile::exists(QStringLiteral("maan_ek.dat")));   // nothing in it to save
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Alpha"));

        // The view already shown: saved and read again; the image stays.
        s().featureTable.slot(1).setName(QStringLiteral("Zeta"));
        key(Qt::Key_2);
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Zeta"));
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")).mid(1, 4), QByteArray("Zeta"));
        QCOMPARE(s().originX, 239);

        // The last quarter, first visit: centred at the current zoom; from the menu too.
        child<QAction>(mainWindow(), "Laatstekwartier1")->trigger();
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        QCOMPARE(s().originX, toPixel((1000 - zoom * 706) * 0.5));
        QCOMPARE(s().originY, toPixel((700 - zoom * 1230) * 0.5));
        QVERIFY(!mainWindow()->firstVisit[0] && !mainWindow()->firstVisit[1] && !mainWindow()->firstVisit[2]);
    }

    void terminatorControlsOnlyInTheFullMoonView()
    {
        openMainWindow();
        auto shown = [] {
            return QList<bool>({child<QWidget>(mainWindow(), "Panel2")->isVisible(), child<QLabel>(mainWindow(), "Image1")->isVisible(), child<QLabel>(mainWindow(), "Label1")->isVisible()});
        };
        const QList<bool> all{true, true, true}, none{false, false, false};
        QVERIFY(child<QAction>(mainWindow(), "Terminator1")->isVisible());
        QCOMPARE(shown(), none);
        key(Qt::Key_T);
        QVERIFY(s().terminatorOn && child<QAction>(mainWindow(), "Terminator1")->isChecked());
        QCOMPARE(shown(), all);

        key(Qt::Key_1);
        QVERIFY(!child<QAction>(mainWindow(), "Terminator1")->isVisible());
        QCOMPARE(shown(), none);
        QVERIFY(s().terminatorOn);
        // T still works in a quarter view and shows the panel there.
        key(Qt::Key_T);
        QVERIFY(!s().terminatorOn);
        key(Qt::Key_T);
        QVERIFY(s().terminatorOn);
        QCOMPARE(shown(), all);
        key(Qt::Key_3);
        QCOMPARE(shown(), none);
        QVERIFY(!child<QAction>(mainWindow(), "Terminator1")->isVisible());
        key(Qt::Key_2);
        QVERIFY(child<QAction>(mainWindow(), "Terminator1")->isVisible());
        QCOMPARE(shown(), all);
    }

    void closingAsksFirstAndSaves()
    {
        openMainWindow();
        const QByteArray original = readWholeFile(QStringLiteral("maan_vm.dat"));
        s().featureTable.slot(1).setName(QStringLiteral("Gewijzigd"));
        {
            BoxDriver no({QMessageBox::No});
            key(Qt::Key_Escape);
            QCOMPARE(no.texts, QStringList({"Dit programma verlaten?"}));
            QCOMPARE(no.icons.first(), QMessageBox::Question);
        }
        QVERIFY(mainWindow()->isVisible());
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
        {
            BoxDriver yes({QMessageBox::Yes});
            child<QAction>(mainWindow(), "Afsluiten1")->trigger();
            QCOMPARE(yes.texts.size(), 1);
        }
        QVERIFY(!mainWindow()->isVisible());
        const QByteArray saved = readWholeFile(QStringLiteral("maan_vm.dat"));
        QCOMPARE(saved.size(), IndexFileSize);
        QCOMPARE(saved.mid(0, 10), QByteArray("\x09Gewijzigd"));
        QCOMPARE(saved.mid(114 * 1, 12), QByteArray("\x0bMare Testum"));
        clearEndOfProgram();
    }

    // A data set the user cannot write (a school share, an installed folder):
    // a table as it was read is not written, so no switch is blocked; a
    // changed one is still saved or reported.
    void aReadOnlyDataSetBlocksNothingUnchanged()
    {
        if (const OrdinaryUserRun run = runAsOrdinaryUser("aReadOnlyDataSetBlocksNothingUnchanged"); run.ran) {
            if (run.skipped)
                QSKIP(run.output.constData());
            QVERIFY2(run.passed, run.output.constData());
            return;
        }
        writeIndexFile(QStringLiteral("maan_ek.dat"), {{1, "Eerste", 400, 400}});
        for (const char* file : {"maan_ek.dat", "maan_vm.dat"})
            QVERIFY(QFile::setPermissions(QLatin1String(file), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        QVERIFY(::chmod(".", 0555) == 0);
        const auto writableAgain = qScopeGuard([] { ::chmod(".", 0755); });
        const QByteArray original = readWholeFile(QStringLiteral("maan_vm.dat"));
        openMainWindow();
        {
            BoxDriver none;
            for (int k : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_2}) {
                key(k);
                QCOMPARE(none.texts, QStringList());
            }
        }
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Alpha"));
        // Changed, it cannot be written: the user is told why, and the view stays.
        s().featureTable.slot(1).setName(QStringLiteral("Gewijzigd"));
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_1);
            QTRY_COMPARE(ok.texts.size(), 1);
            QVERIFY2(ok.texts[0].contains(QStringLiteral("maan_vm.dat")), qPrintable(ok.texts[0]));
        }
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Gewijzigd"));
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
    }

    // A second program started where one already works: it says so; the user
    // stops it, or lets it work without ever writing the index files.
    void aSecondProgramInTheSameFolder()
    {
        const FolderLock first;
        QCOMPARE(first.state(), FolderLock::State::Held);
        const FolderLock second;
        QCOMPARE(second.state(), FolderLock::State::InUse);
        {
            BoxDriver no({QMessageBox::No});
            QCOMPARE(askFolderUse(second), FolderUse::Stop);
            QCOMPARE(no.texts.size(), 1);
            QVERIFY2(no.texts[0].contains(QStringLiteral("In deze map werkt al een ander Selvanor-programma")),
                     qPrintable(no.texts[0]));
            QCOMPARE(no.icons[0], QMessageBox::Question);
        }
        {
            BoxDriver yes({QMessageBox::Yes});
            QCOMPARE(askFolderUse(second), FolderUse::WithoutSaving);
        }
        {
            BoxDriver none;
            QCOMPARE(askFolderUse(first), FolderUse::Save);
            QVERIFY(none.texts.isEmpty());
        }

        const QByteArray original = readWholeFile(QStringLiteral("maan_vm.dat"));
        openMainWindow();
        s().saveIndexFiles = false;
        s().featureTable.slot(1).setName(QStringLiteral("Van de tweede"));
        key(Qt::Key_1);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
        {
            BoxDriver yes({QMessageBox::Yes});
            key(Qt::Key_Escape);
        }
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
        QVERIFY(!QFile::exists(QStringLiteral("maan_ek.dat")));
        clearEndOfProgram();
    }

    void failedSaveAtClosingAsksBeforeClosing()
    {
        openMainWindow();
        const QByteArray original = readWholeFile(QStringLiteral("maan_vm.dat"));
        s().featureTable.slot(1).setName(QStringLiteral("Gewijzigd"));
        const FullDisk full;
        QVERIFY(full.active());
        {
            // The error, then the question; No keeps everything.
            BoxDriver boxes({QMessageBox::Yes, QMessageBox::Ok, QMessageBox::No});
            key(Qt::Key_Escape);
            QCOMPARE(boxes.texts.size(), 3);
            QVERIFY(boxes.texts[1].contains(QStringLiteral("maan_vm.dat")));
            QCOMPARE(boxes.icons[1], QMessageBox::Critical);
            QCOMPARE(boxes.texts[2], QStringLiteral("Toch afsluiten zonder de wijzigingen op te slaan?"));
            QCOMPARE(boxes.icons[2], QMessageBox::Question);
        }
        QVERIFY(mainWindow()->isVisible());
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
        QCOMPARE(s().featureTable.slot(1).name(), QStringLiteral("Gewijzigd"));
        QCOMPARE(QDir().entryList(QDir::Files).filter(QStringLiteral("maan_vm.dat")).size(), 1);
        {
            // Ja: the program ends, the file as it was.
            BoxDriver boxes({QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Yes});
            key(Qt::Key_Escape);
            QCOMPARE(boxes.texts.size(), 3);
        }
        QVERIFY(!mainWindow()->isVisible());
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), original);
        clearEndOfProgram();
    }

    void editsInADamagedIndexAreNotLostSilently()
    {
        const QByteArray whole = readWholeFile(QStringLiteral("maan_vm.dat"));
        QVERIFY(writeWholeFile(QStringLiteral("maan_vm.dat"), whole.left(3 * 114 + 50)));
        openMainWindow(&MainWindow::Eerstekwartier1Click);
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_2);
            QTRY_COMPARE(ok.texts.size(), 1);
        }
        s().featureTable.slot(5).setName(QStringLiteral("Nieuw"));
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_1);
            QCOMPARE(ok.texts.size(), 1);
            QVERIFY2(ok.texts[0].contains(QStringLiteral("maan_vm.dat")) && ok.texts[0].contains(QStringLiteral("niet opgeslagen")),
                     qPrintable(ok.texts[0]));
        }
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        // Without edits, switching is silent.
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_2);
            QTRY_COMPARE(ok.texts.size(), 1);   // the damaged file, reported again
            key(Qt::Key_1);
            QCOMPARE(ok.texts.size(), 1);
        }
        // At the close too.
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_2);
            QTRY_COMPARE(ok.texts.size(), 1);
        }
        s().featureTable.slot(1).setName(QStringLiteral("Anders"));
        {
            BoxDriver boxes({QMessageBox::Yes, QMessageBox::Ok});
            key(Qt::Key_Escape);
            QCOMPARE(boxes.texts.size(), 2);
            QVERIFY(boxes.texts[1].contains(QStringLiteral("niet opgeslagen")));
        }
        QVERIFY(!mainWindow()->isVisible());
        clearEndOfProgram();
    }

    void damagedIndexFileIsReportedAndNeverSavedOver()
    {
        // Three whole records and a piece of a fourth.
        const QByteArray whole = readWholeFile(QStringLiteral("maan_vm.dat"));
        const QByteArray damaged = whole.left(3 * 114 + 50);
        QVERIFY(writeWholeFile(QStringLiteral("maan_vm.dat"), damaged));
        openMainWindow(&MainWindow::Eerstekwartier1Click);
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_2);
            QTRY_COMPARE(ok.texts.size(), 1);
            QVERIFY2(ok.texts[0].contains(QStringLiteral("maan_vm.dat")), qPrintable(ok.texts[0]));
        }
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        // What was read before the damage stays, and the view shows: its image
        // centred and its markers where they belong.
        QCOMPARE(s().featureTable.slot(3).name(), QStringLiteral("Beta *"));
        QVERIFY(!s().featureTable.slot(4).inUse());
        QVERIFY(!s().moonBitmap.isNull());
        QVERIFY(s().originX > 0 && s().originY > 0);
        const QPoint beta = featureScreenPoint(mainWindow()->placement(), s().featureTable.slot(3).x(),
                                               s().featureTable.slot(3).y());
        QCOMPARE(px(beta.x() + 2, beta.y()), red);   // its marker
        QVERIFY(px(beta.x() + 6, beta.y()) != qRgb(0, 0, 0));   // on the Moon, not on black

        key(Qt::Key_1);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), damaged);
        {
            BoxDriver ok({QMessageBox::Ok});
            key(Qt::Key_2);
            QTRY_COMPARE(ok.texts.size(), 1);
        }
        {
            BoxDriver yes({QMessageBox::Yes});
            key(Qt::Key_Escape);
            QCOMPARE(yes.texts.size(), 1);
        }
        QVERIFY(!mainWindow()->isVisible());
        QCOMPARE(readWholeFile(QStringLiteral("maan_vm.dat")), damaged);
        clearEndOfProgram();
    }

    void datePanelRollsOver()
    {
        openMainWindow();
        key(Qt::Key_T);
        // Hour 23 stepped up: hour 0 of the next day.
        setDate(2026, 7, 15, 23);
        child<SpinEdit>(mainWindow(), "uurspin")->stepBy(1);
        QCOMPARE(dateOf(), QList<int>({2026, 7, 16, 0}));
        QCOMPARE(datePanel(), dateOf());
        // Hour 0 stepped down stays 0, without a report.
        const int reports = mainWindow()->phaseReportCount;
        child<SpinEdit>(mainWindow(), "uurspin")->stepBy(-1);
        QCOMPARE(dateOf(), QList<int>({2026, 7, 16, 0}));
        QCOMPARE(mainWindow()->phaseReportCount, reports);
        // 30 April and a day: 1 May. 28 February and a day: 1 March, or 29 in a leap year.
        setDate(2026, 4, 30, 12);
        child<SpinEdit>(mainWindow(), "dagspin")->stepBy(1);
        QCOMPARE(dateOf(), QList<int>({2026, 5, 1, 12}));
        setDate(2025, 2, 28, 12);
        child<SpinEdit>(mainWindow(), "dagspin")->stepBy(1);
        QCOMPARE(dateOf(), QList<int>({2025, 3, 1, 12}));
        setDate(2024, 2, 28, 12);
        child<SpinEdit>(mainWindow(), "dagspin")->stepBy(1);
        QCOMPARE(dateOf(), QList<int>({2024, 2, 29, 12}));
        // 31 December, hour 24: 1 January of the next year.
        setDate(2026, 12, 31, 23);
        child<SpinEdit>(mainWindow(), "uurspin")->stepBy(1);
        QCOMPARE(dateOf(), QList<int>({2027, 1, 1, 0}));
        QCOMPARE(datePanel(), dateOf());

        // Typing 0 over the day and ending it: the last day of the month before.
        setDate(2026, 5, 15, 12);
        selectAllAndType(child<SpinEdit>(mainWindow(), "dagspin"), Qt::Key_0);
        QCOMPARE(dateOf(), QList<int>({2026, 4, 30, 12}));
        QCOMPARE(datePanel(), dateOf());
        setDate(2024, 3, 10, 12);
        selectAllAndType(child<SpinEdit>(mainWindow(), "dagspin"), Qt::Key_0);
        QCOMPARE(dateOf(), QList<int>({2024, 2, 29, 12}));
        setDate(2026, 1, 10, 12);
        selectAllAndType(child<SpinEdit>(mainWindow(), "dagspin"), Qt::Key_0);
        QCOMPARE(dateOf(), QList<int>({2025, 12, 31, 12}));

        // An emptied year field reads as 1500 and shows it when the typing ends.
        selectAllAndType(child<SpinEdit>(mainWindow(), "jaarspin"), Qt::Key_Backspace);
        QCOMPARE(spinText(child<SpinEdit>(mainWindow(), "jaarspin")), QStringLiteral("1500"));
        QCOMPARE(mainWindow()->date.year, 1500);
        // A letter typed in a date field is a key for the window, not a digit.
        const bool markers = s().markersOn;
        child<SpinEdit>(mainWindow(), "uurspin")->setFocus();
        QCoreApplication::processEvents();
        key(Qt::Key_M);
        QCOMPARE(s().markersOn, !markers);
        QCOMPARE(spinText(child<SpinEdit>(mainWindow(), "uurspin")), QStringLiteral("12"));
    }

    void typingADate()
    {
        openMainWindow();
        key(Qt::Key_T);
        setDate(2026, 12, 8, 12);
        const int reports = mainWindow()->phaseReportCount;
        // "2000" typed over the year: taken whole, at Enter.
        child<SpinEdit>(mainWindow(), "jaarspin")->setFocus();
        QCoreApplication::processEvents();
        key(Qt::Key_A, Qt::ControlModifier);
        for (int k : {Qt::Key_2, Qt::Key_0, Qt::Key_0, Qt::Key_0})
            key(k);
        QCOMPARE(spinText(child<SpinEdit>(mainWindow(), "jaarspin")), QStringLiteral("2000"));
        QCOMPARE(mainWindow()->date.year, 2026);   // not yet taken
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        key(Qt::Key_Return);
        QCOMPARE(mainWindow()->date.year, 2000);
        QCOMPARE(mainWindow()->phaseReportCount, reports + 1);
        // "16" in the day field switches no view and keeps the panel; a pause ends it.
        child<SpinEdit>(mainWindow(), "dagspin")->setFocus();
        QCoreApplication::processEvents();
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_1);
        key(Qt::Key_6);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        QVERIFY(child<QWidget>(mainWindow(), "Panel2")->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow()->date.day, 16, SpinEdit::TypingPause * 3);
        // Out of range: clamped when taken, also when the field is left.
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_4);
        key(Qt::Key_5);
        child<SpinEdit>(mainWindow(), "uurspin")->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(spinText(child<SpinEdit>(mainWindow(), "dagspin")), QStringLiteral("14"));   // 45 December: 14 January
        QCOMPARE(dateOf(), QList<int>({2001, 1, 14, 12}));
        // A typed hour taken by the spin arrow itself.
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_2);
        key(Qt::Key_4);
        child<SpinEdit>(mainWindow(), "uurspin")->stepBy(0);
        QCOMPARE(dateOf(), QList<int>({2001, 1, 15, 0}));
    }

    void phaseReportTextsAndCount()
    {
        openMainWindow();
        key(Qt::Key_T);
        setDate(2000, 1, 6, 19);
        QCOMPARE(child<QLabel>(mainWindow(), "Label7")->text(), QStringLiteral("Fasehoek 360,0") + deg);
        QCOMPARE(child<QLabel>(mainWindow(), "Label5")->text(), QStringLiteral("0,0 dagen voor nieuwe maan"));
        setDate(2000, 1, 21, 5);
        QCOMPARE(child<QLabel>(mainWindow(), "Label7")->text(), QStringLiteral("Fasehoek 180,0") + deg);
        QCOMPARE(child<QLabel>(mainWindow(), "Label5")->text(), QStringLiteral("0,0 dagen voor volle maan"));
        QCOMPARE(child<QLabel>(mainWindow(), "Label1")->text(), QStringLiteral("100,0% zichtbaar"));
        setDate(2026, 12, 7, 1);
        QCOMPARE(child<QLabel>(mainWindow(), "Label7")->text(), QStringLiteral("Fasehoek 337,0") + deg);
        QCOMPARE(child<QLabel>(mainWindow(), "Label5")->text(), QStringLiteral("1,8 dagen voor nieuwe maan"));
        QVERIFY(std::fabs(mainWindow()->phaseAngle - 337.39) < 0.01);

        // "nu": the clock's date, four writes, one report.
        int reports = mainWindow()->phaseReportCount;
        QTest::mouseClick(child<QPushButton>(mainWindow(), "Button1"), Qt::LeftButton);
        QCOMPARE(mainWindow()->phaseReportCount, reports + 1);
        const QDate today = QDate::currentDate();
        QCOMPARE(mainWindow()->date.year, today.year());
        QCOMPARE(mainWindow()->date.day, today.day());
        QCOMPARE(datePanel(), dateOf());

        // Coming back from another of the program's windows: the clock again, one report.
        setDate(2000, 1, 6, 19);
        Form other;
        other.show();
        QTRY_VERIFY(other.isVisible());
        makeActive(&other);
        reports = mainWindow()->phaseReportCount;
        makeActive(mainWindow());
        QCOMPARE(mainWindow()->phaseReportCount, reports + 1);
        QCOMPARE(mainWindow()->date.year, today.year());
        QVERIFY(mainWindow()->windowTitle().startsWith(fullMoonTitle));
        other.hide();
        // A message box that closes is no new activation.
        reports = mainWindow()->phaseReportCount;
        {
            BoxDriver ok({QMessageBox::Ok});
            showMessage(QStringLiteral("bericht"));
        }
        makeActive(mainWindow());
        QCOMPARE(mainWindow()->phaseReportCount, reports);
    }

    void phaseFigureAndItsLabel()
    {
        openMainWindow();
        key(Qt::Key_T);
        auto figure = [](double E) {
            mainWindow()->Schijngestalte(E);
            return child<QLabel>(mainWindow(), "Image1")->pixmap().toImage();
        };
        const QRgb grey = qRgb(40, 40, 40), black = qRgb(0, 0, 0);
        QImage f = figure(0);
        QCOMPARE(child<QLabel>(mainWindow(), "Label1")->text(), QStringLiteral("0,0% zichtbaar"));
        QCOMPARE(f.size(), QSize(70, 70));
        QCOMPARE(f.pixel(35, 35), grey);
        QCOMPARE(f.pixel(3, 3), black);
        QCOMPARE(child<QLabel>(mainWindow(), "Image1")->geometry(), QRect(1000 - 70, 20, 70, 70));
        QCOMPARE(child<QLabel>(mainWindow(), "Label1")->pos(), QPoint(1000 - 85, 5));
        figure(5);
        QCOMPARE(child<QLabel>(mainWindow(), "Label1")->text(), QStringLiteral("0,2% zichtbaar"));
        // A thin crescent: the unlit part grey; from 10 % on black.
        f = figure(30);
        QCOMPARE(f.pixel(59, 35), white);
        QCOMPARE(f.pixel(45, 35), grey);
        QCOMPARE(f.pixel(25, 35), grey);
        f = figure(40);
        QCOMPARE(f.pixel(58, 35), white);
        QCOMPARE(f.pixel(45, 35), black);
        QCOMPARE(f.pixel(25, 35), black);
        // The quarters: exactly half a disc.
        f = figure(90);
        QCOMPARE(f.pixel(45, 35), white);
        QCOMPARE(f.pixel(25, 35), black);
        f = figure(270);
        QCOMPARE(f.pixel(25, 35), white);
        QCOMPARE(f.pixel(45, 35), black);
        // Gibbous and full.
        f = figure(120);
        QCOMPARE(f.pixel(45, 35), white);
        QCOMPARE(f.pixel(30, 35), white);
        QCOMPARE(f.pixel(15, 35), black);
        f = figure(180);
        QCOMPARE(child<QLabel>(mainWindow(), "Label1")->text(), QStringLiteral("100,0% zichtbaar"));
        QCOMPARE(f.pixel(45, 35), white);
        QCOMPARE(f.pixel(25, 35), white);
        f = figure(300);
        QCOMPARE(f.pixel(15, 35), white);
        QCOMPARE(f.pixel(45, 35), black);
        // The figure follows the terminator switch.
        key(Qt::Key_T);
        figure(100);
        QVERIFY(!child<QLabel>(mainWindow(), "Image1")->isVisible() && !child<QLabel>(mainWindow(), "Label1")->isVisible());
    }

    void markersAndTheSelection()
    {
        openMainWindow();
        // A red cross of half-size 2 for every feature, also after an empty slot.
        QVERIFY(isCrossAt(314, 178, 2, red));
        QVERIFY(isCrossAt(514, 278, 2, red));
        // Large areas: a lime cross of half-size 3 over it.
        QVERIFY(isCrossAt(414, 178, 3, lime));
        QVERIFY(isCrossAt(614, 178, 3, lime));
        // A photograph: a small red circle of radius 2.
        for (const QPoint& p : {QPoint(516, 177), QPoint(516, 179), QPoint(512, 177), QPoint(512, 179)})
            QCOMPARE(px(p.x(), p.y()), red);
        QVERIFY(px(316, 177) != red);
        // The selected feature: a yellow circle of radius 8.
        QVERIFY(px(322, 178) != yellow);
        s().selectedFeature = 1;
        mainWindow()->repaintNow();
        for (const QPoint& p : {QPoint(322, 178), QPoint(314, 170), QPoint(306, 178), QPoint(314, 186)})
            QCOMPARE(px(p.x(), p.y()), yellow);
        // Also when the filter leaves the feature out.
        s().kindFilter = QStringLiteral("Mare");
        mainWindow()->repaintNow();
        QCOMPARE(px(322, 178), yellow);
        QVERIFY(px(314, 178) != red);
        QVERIFY(isCrossAt(414, 178, 3, lime));
        QVERIFY(px(514, 278) != red);
        s().kindFilter.clear();

        // Names only, when the markers are off: no marks and no circle.
        key(Qt::Key_M);
        key(Qt::Key_N);
        QVERIFY(!s().markersOn && s().namesOn);
        QCOMPARE(countPixels(red, QRect(0, 0, 1000, 700)), 0);
        QCOMPARE(countPixels(yellow, QRect(150, 100, 850, 600)), 0);
        QCOMPARE(px(314, 178), white);   // the name's box, its top-left corner at the feature
        QCOMPARE(px(514, 278), white);
        int ink = 0;
        for (int y = 178; y < 195; ++y)
            for (int x = 314; x < 360; ++x)
                ink += qGreen(px(x, y)) > qRed(px(x, y)) + 100 ? 1 : 0;
        QVERIFY(ink > 5);   // lime letters
        // Markers and names: names over markers.
        key(Qt::Key_M);
        QCOMPARE(px(314, 178), white);
        QCOMPARE(px(312, 178), red);
        // An empty table paints the image only.
        s().featureTable.initnamen();
        mainWindow()->repaintNow();
        QCOMPARE(countPixels(red, QRect(0, 0, 1000, 700)), 0);
    }

    void kindFilterCraterRule()
    {
        openMainWindow();
        s().kindFilter = QStringLiteral("Crater");
        mainWindow()->repaintNow();
        // Crater names: their basic marker, nothing more.
        QVERIFY(isCrossAt(314, 178, 2, red));
        QCOMPARE(px(516, 178), red);
        QVERIFY(px(516, 177) != red);   // no photograph circle
        // A name with the word itself: its marker.
        QCOMPARE(px(312, 278), red);
        // Others: nothing.
        QVERIFY(px(414, 178) != red && px(411, 178) != lime);
        QVERIFY(px(319, 280) != red);
        // Names the same way.
        key(Qt::Key_M);
        key(Qt::Key_N);
        QCOMPARE(px(314, 178), white);
        QCOMPARE(px(514, 178), white);
        QCOMPARE(px(314, 278), white);
        QVERIFY(px(414, 178) != white);
        s().kindFilter = QStringLiteral("Mare");
        mainWindow()->repaintNow();
        QCOMPARE(px(414, 178), white);
        QVERIFY(px(314, 178) != white);
        // Leaving the marker selection without OK clears the filter.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (markerSelection() && QApplication::activeModalWidget() == markerSelection())
                QApplication::activeModalWidget()->close();
        });
        closer.start(20);
        key(Qt::Key_G);
        closer.stop();
        QVERIFY(s().kindFilter.isEmpty());
        QCOMPARE(px(314, 178), white);
    }

    void turnedView()
    {
        openMainWindow();
        key(Qt::Key_M);
        const QImage normal = mainWindow()->canvas().image().copy();
        key(Qt::Key_O);
        QVERIFY(s().rotated180 && child<QAction>(mainWindow(), "Omgekeerdbeeld1")->isChecked());
        // The image turned in the same rectangle (214,78)-(786,623).
        for (const QPoint& p : {QPoint(230, 100), QPoint(400, 300), QPoint(770, 600), QPoint(500, 350)}) {
            const QRgb a = normal.pixel(p), b = px(214 + 786 - 1 - p.x(), 78 + 623 - 1 - p.y());
            QVERIFY2(std::abs(qGray(a) - qGray(b)) <= 1, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        }
        QVERIFY(qGray(px(230, 350)) > qGray(normal.pixel(230, 350)) + 50);
        // The note: north down.
        QCOMPARE(px(10, 55), yellow);
        QCOMPARE(px(3, 58), white);
        // Features at the point symmetric about the centre of the image rectangle (500, 350.5).
        key(Qt::Key_M);
        QCOMPARE(screenPointOfSlot(1), QPoint(686, 523));
        QVERIFY(isCrossAt(686, 523, 2, red));
        // No grid, no terminator, no read-out.
        key(Qt::Key_R);
        key(Qt::Key_T);
        QCOMPARE(countPixels(silver, QRect(150, 0, 850, 700)), 0);
        QCOMPARE(countPixels(yellow, QRect(150, 100, 850, 600)), 0);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(500, 350));
        QVERIFY(child<QLabel>(mainWindow(), "Panel1")->text().isEmpty() && child<QLabel>(mainWindow(), "Label10")->text().isEmpty() && child<QLabel>(mainWindow(), "Label11")->text().isEmpty());
        child<QLabel>(mainWindow(), "Panel1")->setText(QStringLiteral("x"));
        mainWindow()->repaintNow();
        QVERIFY(child<QLabel>(mainWindow(), "Panel1")->text().isEmpty());
    }

    void gridAndTerminatorOnTheCanvas()
    {
        openMainWindow();
        key(Qt::Key_M);
        s().originX = s().originY = 0;
        markCanvas();
        key(Qt::Key_R);   // repaints at once
        QVERIFY(repaintedSinceMark());
        QVERIFY(child<QAction>(mainWindow(), "Coordinatenraster1")->isChecked());
        // The disc at (286, 272), radius 268.
        QCOMPARE(px(308, 272), red);   // the 0 degree meridian, 22 pixels east of the centre
        QCOMPARE(px(286, 267), red);   // the top of the equator
        QCOMPARE(px(18, 272), red);
        QCOMPARE(px(554, 272), red);
        QVERIFY(px(286, 277) != red);  // the far half of the equator is not drawn
        QCOMPARE(px(286, 221), silver);   // 10 degrees north
        QCOMPARE(px(354, 272), silver);   // 10 degrees east
        QCOMPARE(px(262, 272), silver);   // 10 degrees west
        key(Qt::Key_R);
        QCOMPARE(countPixels(silver, QRect(0, 0, 1000, 700)), 0);

        // The terminator: 30, 90 and 180 degrees.
        key(Qt::Key_T);
        mainWindow()->phaseAngle = 30;
        mainWindow()->repaintNow();
        QCOMPARE(px(518, 272), yellow);
        QVERIFY(px(54, 272) != yellow);
        QCOMPARE(px(286, 4), yellow);
        mainWindow()->phaseAngle = 90;
        mainWindow()->repaintNow();
        QCOMPARE(px(286, 100), yellow);
        QCOMPARE(px(286, 450), yellow);
        QCOMPARE(countPixels(yellow, QRect(290, 100, 400, 400)), 0);
        mainWindow()->phaseAngle = 180;
        mainWindow()->repaintNow();
        QCOMPARE(px(554, 272), yellow);
        QCOMPARE(px(286, 4), yellow);
        QVERIFY(px(18, 272) != yellow);
        QCOMPARE(countPixels(yellow, QRect(150, 100, 130, 400)), 0);

        // The local scale panel shows without a repaint.
        markCanvas();
        key(Qt::Key_P);
        QVERIFY(child<QWidget>(mainWindow(), "Panel3")->isVisible() && child<QAction>(mainWindow(), "SchaalS1")->isChecked());
        QVERIFY(!repaintedSinceMark());
        key(Qt::Key_P);
        QVERIFY(!child<QWidget>(mainWindow(), "Panel3")->isVisible());
    }

    void keyMap()
    {
        openMainWindow();
        // Switches, whatever the modifiers.
        key(Qt::Key_M);
        QVERIFY(!s().markersOn && !child<QAction>(mainWindow(), "markeren1")->isChecked() && !child<QAction>(mainWindow(), "Markeringen1")->isChecked());
        key(Qt::Key_M, Qt::ShiftModifier);
        QVERIFY(s().markersOn && child<QAction>(mainWindow(), "markeren1")->isChecked() && child<QAction>(mainWindow(), "Markeringen1")->isChecked());
        key(Qt::Key_N);
        QVERIFY(s().namesOn && child<QAction>(mainWindow(), "Namentonen1")->isChecked() && child<QAction>(mainWindow(), "Toonnamen1")->isChecked());
        key(Qt::Key_N);
        key(Qt::Key_S);
        QVERIFY(child<QPlainTextEdit>(mainWindow(), "Memo1")->isVisible() && child<QAction>(mainWindow(), "Sneltoetsen1")->isChecked());
        QTest::mouseClick(child<QPlainTextEdit>(mainWindow(), "Memo1")->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!child<QPlainTextEdit>(mainWindow(), "Memo1")->isVisible() && !child<QAction>(mainWindow(), "Sneltoetsen1")->isChecked());
        activateMain();
        key(Qt::Key_P);
        QVERIFY(s().localScaleOn);
        key(Qt::Key_P);
        key(Qt::Key_F3);
        QCOMPARE(totalIndex()->totalIndexMode, TotalIndexMode::All);
        key(Qt::Key_F4);
        QCOMPARE(totalIndex()->totalIndexMode, TotalIndexMode::Photos);
        key(Qt::Key_F5);
        QCOMPARE(totalIndex()->totalIndexMode, TotalIndexMode::Landings);
        totalIndex()->close();
        activateMain();

        // Space clears the selection and its name.
        s().selectedFeature = 2;
        child<QLabel>(mainWindow(), "Label9")->setText(QStringLiteral("Mare Testum"));
        markCanvas();
        key(Qt::Key_Space);
        QCOMPARE(s().selectedFeature, std::uint16_t(0));
        QVERIFY(child<QLabel>(mainWindow(), "Label9")->text().isEmpty());
        QVERIFY(repaintedSinceMark());

        // The + and - of the keypad and of the main keyboard zoom alike.
        key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        key(Qt::Key_Minus);
        QVERIFY(std::fabs(s().zoomFactor - 0.5) < 1e-9);
        key(Qt::Key_Plus, Qt::ShiftModifier);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        key(Qt::Key_Minus, Qt::KeypadModifier);
        key(Qt::Key_Equal);   // the key that carries + on many keyboards
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        key(Qt::Key_F6);

        // Views from the numeric pad and the top row.
        key(Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_ek.bmp"));
        key(Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        key(Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));
        key(Qt::Key_3);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_lk.bmp"));
        key(Qt::Key_2);
        QCOMPARE(s().imageFileName, QStringLiteral("maan_vm.bmp"));

        // Arrows: 25 without a modifier, 250 with Ctrl alone, nothing otherwise.
        const int x0 = s().originX, y0 = s().originY;
        key(Qt::Key_Right);
        QCOMPARE(s().originX, x0 + 25);
        key(Qt::Key_Left);
        key(Qt::Key_Left);
        QCOMPARE(s().originX, x0 - 25);
        key(Qt::Key_Up);
        QCOMPARE(s().originY, y0 - 25);
        key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(s().originY, y0 + 225);
        key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(s().originX, x0 + 225);
        for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::AltModifier),
                                        Qt::ControlModifier | Qt::ShiftModifier, Qt::KeyboardModifiers(Qt::MetaModifier)})
            for (int k : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down})
                key(k, m);
        QCOMPARE(s().originX, x0 + 225);
        QCOMPARE(s().originY, y0 + 225);
        // The numeric pad's arrows (Num Lock off) count as plain arrows.
        key(Qt::Key_Left, Qt::KeypadModifier);
        QCOMPARE(s().originX, x0 + 200);

        // In a date field the keys it types and steps with are its own; the
        // other keys still run the key map, once.
        key(Qt::Key_T);
        activateMain();
        child<SpinEdit>(mainWindow(), "dagspin")->setFocus();
        QTRY_VERIFY(child<SpinEdit>(mainWindow(), "dagspin")->hasFocus());
        const bool names = s().namesOn;
        key(Qt::Key_N);
        QCOMPARE(s().namesOn, !names);
        const int day = mainWindow()->date.day;
        key(Qt::Key_Right);
        key(Qt::Key_Up);
        key(Qt::Key_Minus);
        QCOMPARE(s().originX, x0 + 200);
        QCOMPARE(s().originY, y0 + 225);
        QCOMPARE(s().zoomFactor, 0.5);
        QVERIFY(mainWindow()->date.day != day);   // Up stepped the day
        key(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));

        // Esc asks before closing.
        activateMain();
        BoxDriver no({QMessageBox::No});
        key(Qt::Key_Escape);
        QCOMPARE(no.texts, QStringList({"Dit programma verlaten?"}));
        QVERIFY(mainWindow()->isVisible());
    }

    void zoomKeepsTheMiddle()
    {
        openMainWindow();
        struct Preset { int key; double zoom; const char* km; };
        const Preset presets[] = {{Qt::Key_F8, 2.5, "32"}, {Qt::Key_F7, 1.0, "80"}, {Qt::Key_F6, 0.5, "160"}, {Qt::Key_F8, 2.5, "32"}};
        for (const Preset& p : presets) {
            const QPointF before = pointUnderMiddle();
            key(p.key);
            QCOMPARE(s().zoomFactor, p.zoom);
            const QPointF after = pointUnderMiddle();
            QVERIFY2(std::fabs(after.x() - before.x()) * p.zoom <= 1 && std::fabs(after.y() - before.y()) * p.zoom <= 1,
                     qPrintable(QString("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
            QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QString::fromLatin1(p.km) + QStringLiteral(" km"));
        }
        // In and out again: the same zoom, the same point under the middle.
        for (int k : {Qt::Key_F6, Qt::Key_F8}) {
            key(k);
            const double zoom = s().zoomFactor;
            const QPointF before = pointUnderMiddle();
            key(Qt::Key_Plus, Qt::KeypadModifier);
            key(Qt::Key_Minus, Qt::KeypadModifier);
            QVERIFY(std::fabs(s().zoomFactor - zoom) < 1e-9);
            const QPointF after = pointUnderMiddle();
            QVERIFY(std::fabs(after.x() - before.x()) * zoom <= 1 && std::fabs(after.y() - before.y()) * zoom <= 1);
        }
        // Also turned.
        key(Qt::Key_O);
        const QPointF before = pointUnderMiddle();
        key(Qt::Key_F7);
        QVERIFY(std::fabs(pointUnderMiddle().x() - before.x()) <= 1);
        key(Qt::Key_O);
        // Forty presses: about 22.6.
        key(Qt::Key_F6);
        for (int i = 0; i < 40; ++i)
            key(Qt::Key_Plus, Qt::KeypadModifier);
        QVERIFY2(std::fabs(s().zoomFactor - 22.63) < 0.01, qPrintable(QString::number(s().zoomFactor)));
        key(Qt::Key_F6);
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("160 km"));
    }

    void hugeZoomsAndPositionsStaySafe()
    {
        openMainWindow();
        s().featureTable.slot(7).setName(QStringLiteral("Ver"));
        s().featureTable.slot(7).setPosition(1.7e38, -1.7e38);
        key(Qt::Key_R);
        key(Qt::Key_T);
        key(Qt::Key_N);
        auto sane = [] {
            for (const QString& t : {mainWindow()->windowTitle(), child<QLabel>(mainWindow(), "Panel1")->text(), child<QLabel>(mainWindow(), "Label10")->text(), child<QLabel>(mainWindow(), "Label11")->text()})
                if (t.contains(QStringLiteral("NAN"), Qt::CaseInsensitive) || t.contains(QStringLiteral("INF"), Qt::CaseInsensitive))
                    return false;
            return s().zoomFactor > 0 && std::isfinite(s().zoomFactor);
        };
        auto useIt = [] {
            mainWindow()->FormMouseMove(500, 350);
            mainWindow()->FormMouseDown(Qt::LeftButton, {}, Qt::LeftButton, 500, 350);
            mainWindow()->FormMouseUp(Qt::LeftButton, 520, 330);
            mainWindow()->FormMouseDown(Qt::LeftButton, {}, Qt::LeftButton, 0, 0);
            mainWindow()->FormMouseUp(Qt::LeftButton, 0, 0);
            key(Qt::Key_Right, Qt::ControlModifier);
            s().hoveredFeature = 7;
            mainWindow()->Centreer1Click();
        };
        for (int i = 0; i < 400; ++i)
            mainWindow()->ZoomIN1Click();
        QVERIFY(s().zoomFactor > 1e15);
        useIt();
        QVERIFY(sane());
        for (int i = 0; i < 1200; ++i)
            mainWindow()->ZoomUIT1Click();
        useIt();
        QVERIFY(sane());
        // From the smallest zoom the keys still zoom in.
        const double smallest = s().zoomFactor;
        key(Qt::Key_Plus, Qt::KeypadModifier);
        QVERIFY(s().zoomFactor > smallest);
        for (int i = 0; i < 1200; ++i)
            mainWindow()->ZoomIN1Click();
        useIt();
        QVERIFY(sane());
        key(Qt::Key_F6);
        QCOMPARE(s().zoomFactor, 0.5);
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("160 km"));
        // The preset brought the Moon back into the window, though the origin
        // was held at the pixel limit so far in.
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(214, 78));
        // And F7 and F8 after as many steps out and in again.
        for (int k : {Qt::Key_F7, Qt::Key_F8}) {
            for (int i = 0; i < 700; ++i)
                mainWindow()->ZoomIN1Click();
            key(k);
            const QRect image(s().originX, s().originY, toPixel(s().zoomFactor * s().bitmapWidth),
                              toPixel(s().zoomFactor * s().bitmapHeight));
            QVERIFY(image.contains(QPoint(500, 350)));
        }
        // And back to a picture that reads: the disc centre lies somewhere again.
        mainWindow()->Defaultgrootte1Click();
        s().originX = 214;
        s().originY = 78;
        mainWindow()->FormMouseDown(Qt::LeftButton, {}, Qt::LeftButton, 500, 350);
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("1%1S 5%1W").arg(deg));
    }

    void centring()
    {
        openMainWindow();
        // Nothing hovered yet: nothing moves.
        child<QAction>(mainWindow(), "Centreer1")->trigger();
        QCOMPARE(s().originX, 214);
        s().selectedFeature = 4;
        mainWindow()->FormMouseMove(315, 179);
        QCOMPARE(s().hoveredFeature, std::uint16_t(1));
        child<QAction>(mainWindow(), "Centreer1")->trigger();
        QCOMPARE(screenPointOfSlot(1), QPoint(500, 350));
        QCOMPARE(s().originX, 214 + 186);
        QCOMPARE(s().originY, 78 + 172);
        QCOMPARE(s().selectedFeature, std::uint16_t(4));
        // Already in the middle: the origin stays.
        child<QAction>(mainWindow(), "Centreer1")->trigger();
        QCOMPARE(s().originX, 400);
        QCOMPARE(s().originY, 250);
        // Turned: the turned point comes to the middle.
        key(Qt::Key_O);
        const QPoint p = screenPointOfSlot(2);
        mainWindow()->FormMouseMove(p.x(), p.y());
        QCOMPARE(s().hoveredFeature, std::uint16_t(2));
        child<QAction>(mainWindow(), "Centreer1")->trigger();
        QCOMPARE(screenPointOfSlot(2), QPoint(500, 350));
    }

    // Home brings back a Moon dragged off the window: centred at the zoom in
    // force, where the first showing of a view puts it.
    void homeCentresTheMoon()
    {
        openMainWindow();
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(214, 78));   // 77.5 to the even neighbour
        key(Qt::Key_Right, Qt::ControlModifier);
        key(Qt::Key_Right, Qt::ControlModifier);
        key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(714, -172));
        key(Qt::Key_Home);
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(214, 78));
        QCOMPARE(s().zoomFactor, 0.5);

        // At another zoom, turned, after a drag: 1144 x 1.1 = 1258.4 and
        // 1090 x 1.1 = 1199 give -129.2 and -249.5, to -129 and -250.
        key(Qt::Key_F7);
        key(Qt::Key_Plus);
        key(Qt::Key_O);
        QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(500, 350));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(900, 650));
        QVERIFY(s().originX != -129);
        markCanvas();
        key(Qt::Key_Home);
        QCOMPARE(QPoint(s().originX, s().originY), QPoint(-129, -250));
        QVERIFY(repaintedSinceMark());
        QCOMPARE(s().zoomFactor, toReal48Precision(1.1));
        QVERIFY(s().rotated180);
        // The first showing of another view at that zoom: the same rule.
        key(Qt::Key_1);
        const QPoint firstShowing(s().originX, s().originY);
        key(Qt::Key_Left, Qt::ControlModifier);
        key(Qt::Key_Home);
        QCOMPARE(QPoint(s().originX, s().originY), firstShowing);

        // In a date field Home is the field's own key.
        key(Qt::Key_2);
        key(Qt::Key_T);
        key(Qt::Key_Left);
        auto* year = child<SpinEdit>(mainWindow(), "jaarspin");
        year->setFocus();
        QCoreApplication::processEvents();
        key(Qt::Key_Home);
        QCOMPARE(s().originX, toPixel((1000 - toReal48Precision(1.1) * 1144) * 0.5) - 25);
        QCOMPARE(year->findChild<QLineEdit*>()->cursorPosition(), 0);
    }

    void viewSwitchForgetsTheHoveredFeature()
    {
        openMainWindow();
        // Nothing pointed at yet: the entries that need a feature are off.
        QVERIFY(!child<QAction>(mainWindow(), "Centreer1")->isEnabled());
        QVERIFY(!child<QAction>(mainWindow(), "Wijzignaam1")->isEnabled());
        child<QAction>(mainWindow(), "Wijzigentoestaan1")->trigger();
        QVERIFY(!child<QAction>(mainWindow(), "Wijzignaam1")->isEnabled());
        mainWindow()->FormMouseMove(513, 177);
        QCOMPARE(s().hoveredFeature, std::uint16_t(3));
        QVERIFY(child<QAction>(mainWindow(), "Centreer1")->isEnabled());
        QVERIFY(child<QAction>(mainWindow(), "Wijzignaam1")->isEnabled());
        QVERIFY(child<QAction>(mainWindow(), "Toonfoto1")->isEnabled());
        key(Qt::Key_1);
        QCOMPARE(s().hoveredFeature, std::uint16_t(0));
        QVERIFY(s().photoFileName.isEmpty());
        QCOMPARE(child<QAction>(mainWindow(), "Centreer1")->text(), QStringLiteral("Centreer"));
        QCOMPARE(child<QAction>(mainWindow(), "Wijzignaam1")->text(), QStringLiteral("Wijzig naam"));
        QCOMPARE(child<QAction>(mainWindow(), "Toonfoto1")->text(), QStringLiteral("Toon foto"));
        for (QAction* a : {child<QAction>(mainWindow(), "Centreer1"), child<QAction>(mainWindow(), "Wijzignaam1"), child<QAction>(mainWindow(), "Toonfoto1")})
            QVERIFY(!a->isEnabled());
        // Centring then moves nothing.
        const int x = s().originX;
        mainWindow()->Centreer1Click();
        QCOMPARE(s().originX, x);
        child<QAction>(mainWindow(), "Wijzigentoestaan1")->trigger();
    }

    void hoverFindsTheLowestSlotWithinFourPixels()
    {
        openMainWindow();
        // Slot 1 shows at (314, 178).
        mainWindow()->FormMouseMove(309, 178);
        QCOMPARE(s().hoveredFeature, std::uint16_t(0));
        QVERIFY(surface()->toolTip().isEmpty());
        mainWindow()->FormMouseMove(310, 178);
        QCOMPARE(s().hoveredFeature, std::uint16_t(1));
        QCOMPARE(surface()->toolTip(), QStringLiteral("Alpha"));
        QCOMPARE(surface()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(child<QAction>(mainWindow(), "Centreer1")->text(), QStringLiteral("Centreer Alpha"));
        QCOMPARE(child<QAction>(mainWindow(), "Wijzignaam1")->text(), QStringLiteral("Alpha wijzigen"));
        QVERIFY(!child<QAction>(mainWindow(), "Toonfoto1")->isEnabled());
        mainWindow()->FormMouseMove(314, 182);
        QCOMPARE(surface()->toolTip(), QStringLiteral("Alpha"));
        // Beside every feature: the last one stays hovered, the tip goes.
        mainWindow()->FormMouseMove(314, 183);
        QCOMPARE(s().hoveredFeature, std::uint16_t(1));
        QVERIFY(surface()->toolTip().isEmpty());
        QCOMPARE(surface()->cursor().shape(), Qt::ArrowCursor);

        // Two within reach: the lower slot.
        mainWindow()->FormMouseMove(316, 279);
        QCOMPARE(s().hoveredFeature, std::uint16_t(5));
        // After an empty slot: never.
        mainWindow()->FormMouseMove(514, 278);
        QCOMPARE(s().hoveredFeature, std::uint16_t(5));
        QVERIFY(surface()->toolTip().isEmpty());

        // A feature with a photograph.
        QTest::mouseMove(surface(), QPoint(513, 177));
        QTRY_COMPARE(s().hoveredFeature, std::uint16_t(3));
        QCOMPARE(s().photoFileName, QStringLiteral("Beta.jpg"));
        QVERIFY(child<QAction>(mainWindow(), "Toonfoto1")->isEnabled());
        QCOMPARE(child<QAction>(mainWindow(), "Toonfoto1")->text(), QStringLiteral("Foto Beta *"));
        mainWindow()->FormMouseMove(700, 600);
        QVERIFY(!child<QAction>(mainWindow(), "Toonfoto1")->isEnabled());
        QCOMPARE(s().photoFileName, QStringLiteral("Beta.jpg"));
        mainWindow()->FormMouseMove(414, 178);
        QVERIFY(!child<QAction>(mainWindow(), "Toonfoto1")->isEnabled());

        // With the local scale on, the cross everywhere.
        key(Qt::Key_P);
        mainWindow()->FormMouseMove(700, 600);
        QCOMPARE(surface()->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(surface()->cursor().hotSpot(), QPoint(16, 16));
        mainWindow()->FormMouseMove(314, 178);
        QCOMPARE(s().hoveredFeature, std::uint16_t(1));
        QCOMPARE(surface()->cursor().shape(), Qt::BitmapCursor);
        key(Qt::Key_P);

        // Turned: the turned point.
        key(Qt::Key_O);
        s().hoveredFeature = 0;
        mainWindow()->FormMouseMove(686 + 4, 523);
        QCOMPARE(s().hoveredFeature, std::uint16_t(1));
        // An empty table: nothing changes.
        s().featureTable.initnamen();
        surface()->setCursor(Qt::WaitCursor);
        mainWindow()->FormMouseMove(686, 523);
        QCOMPARE(surface()->cursor().shape(), Qt::WaitCursor);
    }

    void wheelZoomsAboutTheMouse()
    {
        openMainWindow();
        const QPoint at(300, 200);
        auto imagePointAt = [&] {
            return QPointF((at.x() - s().originX) / s().zoomFactor, (at.y() - s().originY) / s().zoomFactor);
        };
        const QPointF before = imagePointAt();
        auto wheel = [&](int delta) {
            QWheelEvent e(at, surface()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(surface(), &e);
        };
        wheel(120);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        QVERIFY(std::fabs(imagePointAt().x() - before.x()) * 0.55 <= 1 && std::fabs(imagePointAt().y() - before.y()) * 0.55 <= 1);
        // A fine wheel: steps only once whole notches add up.
        wheel(60);
        QCOMPARE(s().zoomFactor, toReal48Precision(0.55));
        wheel(60);
        QCOMPARE(s().zoomFactor, toReal48Precision(toReal48Precision(0.55) * 1.1));
        wheel(-240);
        QVERIFY(std::fabs(s().zoomFactor - 0.5) < 1e-9);
        QVERIFY(std::fabs(imagePointAt().x() - before.x()) * 0.5 <= 1.5);
    }

    void keyListShowsEveryLine()
    {
        openMainWindow();
        key(Qt::Key_S);
        QTRY_VERIFY(child<QPlainTextEdit>(mainWindow(), "Memo1")->isVisible());
        QPlainTextEdit* m = child<QPlainTextEdit>(mainWindow(), "Memo1");
        QCOMPARE(m->document()->blockCount(), 24);
        QVERIFY(!m->verticalScrollBar()->isVisible());
        QVERIFY(!m->horizontalScrollBar()->isVisible());
        const QFontMetrics fm(m->font());
        const int room = m->viewport()->width() - 2 * int(m->document()->documentMargin());
        for (const QString& line : MainWindow::keyList())
            QVERIFY2(fm.horizontalAdvance(line) <= room, qPrintable(line));
        // Every line is laid out on one line of its own, all inside the box.
        for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next())
            QCOMPARE(b.layout()->lineCount(), 1);
        qreal bottom = m->document()->documentMargin();
        for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next())
            bottom += m->document()->documentLayout()->blockBoundingRect(b).height();
        QVERIFY2(bottom <= m->viewport()->height(), qPrintable(QString("%1 > %2").arg(bottom).arg(m->viewport()->height())));
        key(Qt::Key_S);
    }

    void damagedViewImageIsReported()
    {
        // The last-quarter image cut short after 5000 bytes.
        QVERIFY(writeWholeFile(QStringLiteral("maan_lk.bmp"), readWholeFile(QStringLiteral("maan_lk.bmp")).left(5000)));
        openMainWindow();
        BoxDriver ok({QMessageBox::Ok});
        key(Qt::Key_3);
        QTRY_COMPARE(ok.texts.size(), 1);
        QVERIFY2(ok.texts[0].contains(QStringLiteral("maan_lk.bmp")), qPrintable(ok.texts[0]));
        QCOMPARE(ok.icons[0], QMessageBox::Critical);
        QVERIFY(s().moonBitmap.isNull());
    }

    void scaleFiguresStayReadable()
    {
        openMainWindow();
        key(Qt::Key_M);
        s().originX = s().originY = 0;
        mainWindow()->repaintNow();
        // On the limb and at the disc's top pixel: the figure half a pixel inside.
        for (const QPoint& p : {QPoint(286 + 268, 272), QPoint(286, 4)}) {
            QTest::mouseClick(surface(), Qt::LeftButton, {}, p);
            for (QLabel* l : {child<QLabel>(mainWindow(), "Label10"), child<QLabel>(mainWindow(), "Label11")}) {
                QVERIFY2(!l->text().isEmpty(), qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
                QVERIFY2(!l->text().contains(QStringLiteral("INF")) && !l->text().contains(QStringLiteral("NAN")),
                         qPrintable(l->text()));
                // The whole text shows, in its panel ("3399 km kruis vert." with its full stop).
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
                QVERIFY(child<QWidget>(mainWindow(), "Panel3")->rect().contains(l->geometry()));
            }
        }
        // Far in, below a kilometre: three significant digits.
        s().zoomFactor = 160;
        mainWindow()->repaintNow();
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("0,5 km"));
        s().zoomFactor = 400;
        mainWindow()->repaintNow();
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("0,2 km"));
        s().zoomFactor = 0.5;
        mainWindow()->repaintNow();
        QCOMPARE(mainWindow()->windowTitle(), fullMoonTitle + QStringLiteral("160 km"));
    }

    void pressReadsOutAndDragMoves()
    {
        openMainWindow();
        key(Qt::Key_M);
        s().originX = s().originY = 0;
        mainWindow()->repaintNow();
        // The disc centre: the sub-observer point and the scale of the centre.
        markCanvas();
        QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(286, 272));
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("1%1S 5%1W").arg(deg));
        QCOMPARE(child<QLabel>(mainWindow(), "Label10")->text(), QStringLiteral("208 km kruis hor."));
        QCOMPARE(child<QLabel>(mainWindow(), "Label11")->text(), QStringLiteral("208 km kruis vert."));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(286, 272));
        QVERIFY(!repaintedSinceMark());
        QCOMPARE(s().originX, 0);
        // The top of the drawn equator reads the equator.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(286, 267));
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("0%1N 5%1W").arg(deg));
        // One pixel above the disc: nothing.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(286, 3));
        QVERIFY(child<QLabel>(mainWindow(), "Panel1")->text().isEmpty());
        QVERIFY(child<QLabel>(mainWindow(), "Label10")->text().isEmpty() && child<QLabel>(mainWindow(), "Label11")->text().isEmpty());
        // On the limb: still a read-out.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(554, 272));
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("0%1N 85%1E").arg(deg));
        QCOMPARE(child<QLabel>(mainWindow(), "Label11")->text(), QStringLiteral("208 km kruis vert."));
        // Moving away more than 50 pixels empties the scale, not the read-out.
        mainWindow()->FormMouseMove(604, 272);
        QVERIFY(!child<QLabel>(mainWindow(), "Label11")->text().isEmpty());
        mainWindow()->FormMouseMove(605, 272);
        QVERIFY(child<QLabel>(mainWindow(), "Label10")->text().isEmpty() && child<QLabel>(mainWindow(), "Label11")->text().isEmpty());
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("0%1N 85%1E").arg(deg));
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(554, 272));
        mainWindow()->FormMouseMove(554, 322);
        QVERIFY(!child<QLabel>(mainWindow(), "Label10")->text().isEmpty());
        mainWindow()->FormMouseMove(554, 221);
        QVERIFY(child<QLabel>(mainWindow(), "Label10")->text().isEmpty());

        // A left drag moves the image by the difference when released.
        markCanvas();
        QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(130, 90));
        QCOMPARE(s().originX, 30);
        QCOMPARE(s().originY, -10);
        QVERIFY(repaintedSinceMark());
        // A right drag does not; the press still reads out, and the pop-up
        // opens only when the button comes up, where it came up.
        QMenu* popup = child<QMenu>(mainWindow(), "PopupMenu1");
        QTest::mousePress(surface(), Qt::RightButton, {}, QPoint(316, 262));
        QCOMPARE(child<QLabel>(mainWindow(), "Panel1")->text(), QStringLiteral("1%1S 5%1W").arg(deg));
        QVERIFY(!popup->isVisible());
        QTest::mouseRelease(surface(), Qt::RightButton, {}, QPoint(400, 300));
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->pos(), surface()->mapToGlobal(QPoint(400, 300)));
        popup->close();
        QCOMPARE(s().originX, 30);
        QCOMPARE(s().originY, -10);
    }

    void helpOpenersPlaceTheViewerAlongTheScreen()
    {
        openMainWindow();
        const int screenHeight = QApplication::primaryScreen()->geometry().height();
        QVERIFY(writeWholeFile(QStringLiteral("maanhelp.rtf"), QByteArray("{\\rtf1 Gids}")));
        QVERIFY(writeWholeFile(QStringLiteral("woordhelp.rtf"), QByteArray("{\\rtf1 Albedo}")));
        helpViewer()->setOuterGeometry(37, 60, 300, 200);
        QTest::keyClick(surface(), Qt::Key_F1);
        QVERIFY(helpViewer()->isVisible());
        QVERIFY(!helpViewer()->isModal());
        QCOMPARE(helpViewer()->helpFileName, QStringLiteral("maanhelp.rtf"));
        QCOMPARE(helpViewer()->outerGeometry(), QRect(37, 0, 500, screenHeight));
        helpViewer()->hide();

        bool wasModal = false;
        QString title;
        QTimer::singleShot(50, [&] {
            wasModal = QApplication::activeModalWidget() == helpViewer();
            title = helpViewer()->windowTitle();
            helpViewer()->close();
        });
        child<QAction>(mainWindow(), "Woordenlijst1")->trigger();
        QVERIFY(wasModal);
        QCOMPARE(title, QStringLiteral("Woordverklaring"));
        QCOMPARE(helpViewer()->helpFileName, QStringLiteral("woordhelp.rtf"));
        QCOMPARE(helpViewer()->outerGeometry(), QRect(37, 0, 500, screenHeight));
        // F1 leaves the glossary's title as it was.
        child<QAction>(mainWindow(), "Help1")->trigger();
        QCOMPARE(helpViewer()->windowTitle(), QStringLiteral("Woordverklaring"));
        helpViewer()->hide();
    }

    void photographNotFound()
    {
        openMainWindow();
        mainWindow()->FormMouseMove(514, 178);
        QCOMPARE(s().photoFileName, QStringLiteral("Beta.jpg"));
        {
            BoxDriver ok({QMessageBox::Ok});
            child<QAction>(mainWindow(), "Toonfoto1")->trigger();
            QCOMPARE(ok.texts, QStringList({"Foto is niet gevonden."}));
            QCOMPARE(ok.icons.first(), QMessageBox::Information);
        }
        // A name that leads out of the working directory, to a file that is there.
        QVERIFY(QDir().mkdir(QStringLiteral("binnen")));
        QVERIFY(writeWholeFile(QStringLiteral("x.jpg"), QByteArray("\xFF\xD8\xFF")));
        QVERIFY(QDir::setCurrent(QStringLiteral("binnen")));
        QVERIFY(QFile::exists(QStringLiteral("../x.jpg")));
        s().featureTable.slot(1).setName(QStringLiteral("../x *"));
        mainWindow()->FormMouseMove(314, 178);
        QCOMPARE(s().photoFileName, QStringLiteral("../x.jpg"));
        {
            BoxDriver ok({QMessageBox::Ok});
            child<QAction>(mainWindow(), "Toonfoto1")->trigger();
            QCOMPARE(ok.texts, QStringList({"Foto is niet gevonden."}));
        }
        QVERIFY(!photoViewer()->isVisible());
        QDir::setCurrent(dir_->path());
    }
};

int main(int argc, char** argv)
{
    // The program's own application object: errors of event handlers end in its error box.
    Application app(argc, argv);
    TestMainWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainwindow.moc"

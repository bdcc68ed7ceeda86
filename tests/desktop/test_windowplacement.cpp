// Window frames as the window manager puts them, on a real X server: every
// window the program places keeps its title bar and menu bar on the screen.
#include <QtTest>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>

#include "platform/windowplacement.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"
#include "tests/common/xdesktop.h"

namespace {
TestDesktop* desktop = nullptr;

// The frame the window manager reports once it has settled.
QRect settledFrame(QWidget* window)
{
    QRect frame;
    for (int i = 0; i < 20; ++i) {
        QTest::qWait(50);
        const QRect now = TestDesktop::reportedFrame(window->winId());
        if (now == frame && !frame.isEmpty())
            break;
        frame = now;
    }
    return frame;
}

// The title bar and the menu bar lie on the screen: the frame's top-left
// corner and the menu bar's.
void verifyReachable(QWidget* window, const QRect& frame)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2(frame.top() >= 0 && frame.left() >= 0, qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                              .arg(frame.x()).arg(frame.y())
                                                              .arg(frame.width()).arg(frame.height())));
    QVERIFY(screen.contains(frame));
    if (auto* form = qobject_cast<QMainWindow*>(window))
        QVERIFY(screen.contains(form->menuBar()->mapToGlobal(QPoint(0, 0))));
}

void writePhoto(const QString& name, int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(128);
    QVERIFY(image.save(name, "jpg", 95));
}
}

class TestWindowPlacement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!desktop->failure().isEmpty())
            QSKIP(qPrintable(desktop->failure()));
    }

    // The frame goes where it is asked, also before the window was ever
    // decorated, and a frame that sticks out is moved and shrunk onto the screen.
    void framesAsAskedWithinTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Form window;
        window.setWindowTitle(QStringLiteral("Plaats"));
        QCOMPARE(placeWindowFrame(&window, QRect(100, 50, 400, 300)), QRect(100, 50, 400, 300));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QRect frame = settledFrame(&window);
        QCOMPARE(frame, QRect(100, 50, 400, 300));
        QVERIFY(frame.height() > window.height());   // a real frame was put around it
        QCOMPARE(knownWindowFrame(&window), frame);

        // Shown: above and left of the screen.
        QCOMPARE(placeWindowFrame(&window, QRect(-60, -200, 400, 300)), QRect(0, 0, 400, 300));
        frame = settledFrame(&window);
        QCOMPARE(frame, QRect(0, 0, 400, 300));
        verifyReachable(&window, frame);

        // Hidden, then shown again: taller than the screen, below it.
        window.hide();
        const QRect tall(screen.right() - 100, 300, 500, screen.height() + 200);
        const QRect fitted(screen.right() + 1 - 500, 0, 500, screen.height());
        QCOMPARE(placeWindowFrame(&window, tall), fitted);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        frame = settledFrame(&window);
        QCOMPARE(frame, fitted);
        verifyReachable(&window, frame);
    }

    // A photograph's explanation after the main help (F1): the help viewer
    // along the whole screen height, then as the photo viewer places it. Once
    // with the help closed before, once with it still open.
    void explanationAfterTheMainHelp_data()
    {
        QTest::addColumn<bool>("helpStillOpen");
        QTest::newRow("help closed") << false;
        QTest::newRow("help open") << true;
    }

    void explanationAfterTheMainHelp()
    {
        QFETCH(bool, helpStillOpen);
        TestWorkDir dir;
        writePhoto("Plato.jpg", 300, 200);
        QVERIFY(writeWholeFile("Plato.txt", "Uitleg bij Plato."));
        QVERIFY(writeWholeFile("maanhelp.rtf", "{\\rtf1 Handleiding}"));
        startProgram();
        const auto cleanup = qScopeGuard([] { stopProgram(); });
        photoViewer()->photoFileName = QStringLiteral("Plato.jpg");
        helpViewer()->helpFileName = QStringLiteral("maanhelp.rtf");

        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        helpViewer()->setOuterGeometry(HelpViewer::keep, 0, 500, screen.height());
        helpViewer()->show();
        QVERIFY(QTest::qWaitForWindowExposed(helpViewer()));
        QRect frame = settledFrame(helpViewer());
        QCOMPARE(frame, QRect(254, 0, 500, screen.height()));
        if (!helpStillOpen)
            helpViewer()->close();

        QRect explanation, photograph;
        QString text, title;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(photoViewer()));
            photograph = photoViewer()->photographOnScreen();
            QTimer::singleShot(0, [&] {
                QVERIFY(QTest::qWaitForWindowExposed(helpViewer()));
                explanation = settledFrame(helpViewer());
                text = helpViewer()->richEdit()->toPlainText();
                title = helpViewer()->windowTitle();
                helpViewer()->close();
            });
            photoViewer()->Tekst1Click();
            photoViewer()->close();
        });
        photoViewer()->showModal();
        QCOMPARE(title, QStringLiteral("Toelichting bij Plato"));
        QCOMPARE(text, QStringLiteral("Uitleg bij Plato."));
        QCOMPARE(explanation.size(), QSize(600, screen.height()));
        QVERIFY(screen.contains(explanation));
        // Beside the photograph, which stays in sight.
        QCOMPARE(photograph.size(), QSize(300, 200));
        QCOMPARE(explanation.left(), photograph.right() + 1);
        verifyReachable(helpViewer(), explanation);
    }

    // The help window's find dialog has its frame at (5, 5) each time.
    void findDialogAtItsPlace()
    {
        TestWorkDir dir;
        QVERIFY(writeWholeFile("help.rtf", "{\\rtf1 Handleiding}"));
        HelpViewer help;
        help.helpFileName = QStringLiteral("help.rtf");
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        for (int time = 0; time < 3; ++time) {
            help.Zoek1Click();
            QVERIFY(QTest::qWaitForWindowExposed(help.findDialog()));
            const QRect frame = settledFrame(help.findDialog());
            QCOMPARE(frame.topLeft(), QPoint(5, 5));
            help.findDialog()->close();
            QTest::qWait(100);
        }
    }
};

int main(int argc, char** argv)
{
    // The server must exist before the application connects to it.
    TestDesktop x;
    desktop = &x;
    x.start();
    QApplication app(argc, argv);
    TestWindowPlacement test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_windowplacement.moc"

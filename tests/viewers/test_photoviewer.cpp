#include <QtTest>

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScreen>

#include "platform/picture.h"
#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
// A mid-grey picture with a white vertical bar 20 pixels wide at barX, so that
// its place and edges can be found on the screen.
void writePhoto(const QString& name, int width, int height, int barX = -100)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(128);
    for (int y = 0; y < height; ++y)
        for (int x = qMax(0, barX); x < qMin(width, barX + 20); ++x)
            image.scanLine(y)[x] = 255;
    QVERIFY(image.save(name, "jpg", 95));
}

// Runs `steps` while `form` is shown modally, then closes it, also when a
// check inside `steps` fails.
template <typename F>
void whileShownModally(Form* form, F steps)
{
    QTimer::singleShot(0, form, [form, steps] {
        struct Closer {
            Form* f;
            ~Closer() { f->close(); }
        } closer{form};
        QVERIFY(QTest::qWaitForWindowActive(form));
        steps();
    });
    form->showModal();
}

// Answers the next message box and returns its text.
QString* answerNextMessage()
{
    auto* text = new QString(QStringLiteral("(no message)"));
    QTimer::singleShot(0, [text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->accept();
        }
    });
    return text;
}

void clickMenu(PhotoViewer& viewer, QAction* action)
{
    QMenuBar* bar = viewer.menuBar();
    const QRect r = bar->actionGeometry(action);
    QVERIFY2(r.isValid() && action->isVisible(), qPrintable(action->text()));
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

int grey(const QImage& screen, int x, int y)
{
    return qGray(screen.pixel(x, y));
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
}

class TestPhotoViewer : public QObject {
    Q_OBJECT
private:
    PhotoViewer* viewer = nullptr;

private slots:
    void init()
    {
        {
            TestWorkDir start;   // the windows read the sheet list at creation
            startProgram();
        }
        viewer = photoViewer();
        viewer->photoFileName = QStringLiteral("Plato.jpg");
        helpViewer()->helpFileName.clear();
    }

    void cleanup()
    {
        stopProgram();
        viewer = nullptr;
    }

    void extrasCycleWithTheirCaptions()
    {
        TestWorkDir dir;
        writePhoto("Plato.jpg", 200, 150);
        writePhoto("Plato3.jpg", 120, 90);
        writePhoto("Plato7.jpg", 160, 100);
        writePhoto("Plato11.jpg", 50, 50);   // beyond the ten numbers
        writePhoto("Platon.jpg", 50, 50);
        QVERIFY(QDir().mkdir("Plato5.jpg"));   // a directory is no photograph

        whileShownModally(viewer, [this] {
            QVERIFY(viewer->isMaximized());
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto: Plato"));
            QCOMPARE(viewer->extraPhotoCount, 2);
            QCOMPARE(viewer->Image1->geometry(), QRect(0, 0, 200, 150));
            QVERIFY(viewer->Image1->isVisible());
            QVERIFY(!viewer->Panel1->isVisible());
            QCOMPARE(viewer->client()->palette().color(QPalette::Window), QColor(Qt::black));

            const QStringList titles{"Foto van Plato3", "Foto van Plato7", "Foto: Plato", "Foto van Plato3"};
            const QList<QSize> sizes{{120, 90}, {160, 100}, {200, 150}, {120, 90}};
            for (int i = 0; i < titles.size(); ++i) {
                clickMenu(*viewer, viewer->Volgendefoto1);
                QCOMPARE(viewer->windowTitle(), titles[i]);
                QCOMPARE(viewer->Image1->size(), sizes[i]);
                QCOMPARE(viewer->picture.size(), sizes[i]);
            }
        });
        QVERIFY(!viewer->isVisible());

        // Every opening starts again from the main photograph.
        whileShownModally(viewer, [this] {
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto: Plato"));
            QCOMPARE(viewer->photoIndex, 0);
            QCOMPARE(viewer->shownPhotoFile, QStringLiteral("Plato.jpg"));
        });
    }

    void withoutExtrasThereIsNoNextCommand()
    {
        TestWorkDir dir;
        writePhoto("Tycho.jpg", 100, 80);
        viewer->photoFileName = QStringLiteral("Tycho.jpg");
        whileShownModally(viewer, [this] {
            QCOMPARE(viewer->extraPhotoCount, 0);
            QVERIFY(!viewer->Volgendefoto1->isVisible());
            QVERIFY(!viewer->menuBar()->actionGeometry(viewer->Volgendefoto1).isValid());
            QVERIFY(viewer->Tekst1->isVisible());
        });
    }

    void baseIsCutAtTheFirstDot()
    {
        TestWorkDir dir;
        writePhoto("Rima.Hadley.jpg", 100, 80);
        writePhoto("Rima1.jpg", 60, 40);
        writePhoto("Rima.Hadley1.jpg", 70, 40);
        viewer->photoFileName = QStringLiteral("Rima.Hadley.jpg");
        whileShownModally(viewer, [this] {
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto: Rima"));
            QCOMPARE(viewer->picture.size(), QSize(100, 80));
            QCOMPARE(viewer->extraPhotoCount, 1);
            QCOMPARE(viewer->extraPhotos[0], QStringLiteral("Rima1.jpg"));
        });
    }

    void enlargeAndDrag()
    {
        TestWorkDir dir;
        writePhoto("Plato.jpg", 200, 150, 100);
        writePhoto("Plato3.jpg", 120, 90);
        whileShownModally(viewer, [this] {
            QWidget* client = viewer->client();
            clickMenu(*viewer, viewer->groter1);
            QVERIFY(viewer->enlarged);
            QCOMPARE(viewer->groter1->text(), QStringLiteral("Normale grootte"));
            QVERIFY(viewer->Panel1->isVisible());
            QCOMPARE(viewer->Panel1->text(), QStringLiteral("Sleep het beeld met de muis"));
            QCOMPARE(viewer->Panel1->pos(), QPoint(0, 0));
            QVERIFY(!viewer->Image1->isVisible());

            // Twice the size, each pixel a square of four (below the hint).
            QImage screen = client->grab().toImage();
            QVERIFY(viewer->Panel1->height() < 28);
            for (int y = 14; y < 150; y += 7)
                for (int x = 0; x < 200; x += 3)
                    for (int corner = 0; corner < 4; ++corner)
                        QCOMPARE(grey(screen, 2 * x + corner % 2, 2 * y + corner / 2),
                                 qGray(viewer->picture.pixel(x, y)));
            QVERIFY(grey(screen, 399, 299) > 100);
            QVERIFY(grey(screen, 400, 299) < 10 && grey(screen, 399, 300) < 10);

            QVERIFY(grey(screen, 220, 100) > 230);   // the bar, at 200..239
            QVERIFY(qAbs(grey(screen, 300, 100) - 128) < 12);
            QVERIFY(grey(screen, 450, 100) < 10);    // black beyond the picture

            // The picture moves at the release only.
            QTest::mousePress(client, Qt::LeftButton, {}, QPoint(300, 200));
            QTest::mouseMove(client, QPoint(260, 200));
            QCOMPARE(viewer->photoOffsetX, 0);
            QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(260, 200));
            QCOMPARE(viewer->photoOffsetX, -40);
            QCOMPARE(viewer->photoOffsetY, 0);
            screen = client->grab().toImage();
            QVERIFY(grey(screen, 180, 100) > 230);   // the bar, now at 160..199
            QVERIFY(qAbs(grey(screen, 220, 100) - 128) < 12);

            // A vertical drag, started on the hint panel, also repaints.
            PaintCounter counter;
            client->installEventFilter(&counter);
            QTest::mousePress(viewer->Panel1, Qt::RightButton, {}, QPoint(5, 5));
            QTest::mouseRelease(viewer->Panel1, Qt::RightButton, {}, QPoint(5, 35));
            client->removeEventFilter(&counter);
            QCOMPARE(viewer->photoOffsetY, 30);
            QVERIFY(counter.paints > 0);
            screen = client->grab().toImage();
            QVERIFY(grey(screen, 300, 20) < 10);     // black above the moved picture
            QVERIFY(qAbs(grey(screen, 300, 40) - 128) < 12);

            // "Volgende foto" goes back to normal size first.
            clickMenu(*viewer, viewer->Volgendefoto1);
            QVERIFY(!viewer->enlarged);
            QCOMPARE(viewer->groter1->text(), QStringLiteral("Groter"));
            QVERIFY(!viewer->Panel1->isVisible());
            QVERIFY(viewer->Image1->isVisible());
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto van Plato3"));
            QCOMPARE(viewer->Image1->size(), QSize(120, 90));

            // The offsets survive normal size until a release there resets them.
            QCOMPARE(viewer->photoOffsetX, -40);
            QTest::mouseClick(viewer->Image1, Qt::LeftButton, {}, QPoint(10, 10));
            QCOMPARE(viewer->photoOffsetX, 0);
            QCOMPARE(viewer->photoOffsetY, 0);

            clickMenu(*viewer, viewer->groter1);
            screen = client->grab().toImage();
            QVERIFY(qAbs(grey(screen, 239, 179) - 128) < 12);
            QVERIFY(grey(screen, 240, 100) < 10 && grey(screen, 100, 180) < 10);
        });
        QVERIFY(viewer->picture.isNull());   // released on closing
    }

    void explanationOfAnExtraAndBack()
    {
        TestWorkDir dir;
        writePhoto("Plato.jpg", 200, 150);
        writePhoto("Plato3.jpg", 120, 90);
        writePhoto("Plato7.jpg", 160, 100);
        QVERIFY(writeWholeFile("Plato3.txt", "Plato 3: de kraterbodem bij lage zon."));
        whileShownModally(viewer, [this] {
            clickMenu(*viewer, viewer->Volgendefoto1);
            clickMenu(*viewer, viewer->groter1);
            QString title, file;
            bool shown = false;
            int width = 0;
            QTimer::singleShot(0, [&] {
                shown = QTest::qWaitForWindowActive(helpViewer());
                title = helpViewer()->windowTitle();
                file = helpViewer()->helpFileName;
                width = helpViewer()->outerGeometry().width();
                helpViewer()->close();
            });
            clickMenu(*viewer, viewer->Tekst1);
            QVERIFY(shown);
            QCOMPARE(title, QStringLiteral("Toelichting bij Plato3"));
            QCOMPARE(file, QStringLiteral("Plato3.txt"));
            QVERIFY2(width >= 400 && width <= 600, qPrintable(QString::number(width)));   // beside the photograph
            // Back in the viewer without a new start.
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto van Plato3"));
            QCOMPARE(viewer->photoIndex, 1);
            QVERIFY(viewer->enlarged);
            QCOMPARE(viewer->picture.size(), QSize(120, 90));

            // Extra 7 has no text.
            clickMenu(*viewer, viewer->Volgendefoto1);
            std::unique_ptr<QString> message(answerNextMessage());
            clickMenu(*viewer, viewer->Tekst1);
            QCOMPARE(*message, QStringLiteral("Er is geen verklarende tekst bij deze foto."));
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto van Plato7"));
            QCOMPARE(helpViewer()->helpFileName, QStringLiteral("Plato3.txt"));
        });
    }

    void damagedOrMissingPhotographsShowNothing()
    {
        TestWorkDir dir;
        writePhoto("Plato3.jpg", 120, 90);
        QVERIFY(writeWholeFile("Plato7.jpg", "geen foto"));
        QImage half(160, 100, QImage::Format_Grayscale8);
        half.fill(90);
        QVERIFY(half.save("Plato8.jpg", "jpg"));
        QVERIFY(writeWholeFile("Plato8.jpg", readWholeFile("Plato8.jpg").chopped(100)));
        // No main photograph at all (opened from the list, which does not check).
        whileShownModally(viewer, [this] {
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto: Plato"));
            QVERIFY(viewer->picture.isNull());
            QCOMPARE(viewer->Image1->size(), QSize(0, 0));
            QVERIFY(viewer->Volgendefoto1->isVisible());
            QCOMPARE(viewer->extraPhotoCount, 3);

            clickMenu(*viewer, viewer->Volgendefoto1);
            QCOMPARE(viewer->picture.size(), QSize(120, 90));
            for (const char* caption : {"Foto van Plato7", "Foto van Plato8"}) {
                clickMenu(*viewer, viewer->Volgendefoto1);
                QCOMPARE(viewer->windowTitle(), QLatin1String(caption));
                QVERIFY(viewer->picture.isNull());
                QVERIFY(viewer->Image1->picture().isNull());
                clickMenu(*viewer, viewer->groter1);
                QVERIFY(viewer->picture.isNull());
                QImage screen = viewer->client()->grab().toImage();
                QVERIFY(grey(screen, 60, 60) < 10);
                clickMenu(*viewer, viewer->groter1);
            }
            // Back at the missing main photograph: nothing left over from before.
            clickMenu(*viewer, viewer->Volgendefoto1);
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Foto: Plato"));
            QVERIFY(viewer->picture.isNull());
        });
    }

    void namesThatLeaveTheDirectoryOpenNothing_data()
    {
        QTest::addColumn<QString>("photoFileName");
        QTest::newRow("parent") << QStringLiteral("../Plato.jpg");
        QTest::newRow("subfolder") << QStringLiteral("sub/Plato.jpg");
        QTest::newRow("absolute") << QStringLiteral("<root>/Plato.jpg");
        QTest::newRow("dots inside") << QStringLiteral("Plato..jpg");
    }

    void namesThatLeaveTheDirectoryOpenNothing()
    {
        QFETCH(QString, photoFileName);
        TestWorkDir dir;
        QVERIFY(QDir().mkpath("work/sub"));
        for (const char* folder : {".", "work/sub"}) {
            writePhoto(QStringLiteral("%1/Plato.jpg").arg(folder), 100, 80);
            writePhoto(QStringLiteral("%1/Plato1.jpg").arg(folder), 100, 80);
            QVERIFY(writeWholeFile(QStringLiteral("%1/Plato.txt").arg(folder), "tekst"));
        }
        QVERIFY(writeWholeFile("work/1.jpg", "extra photographs of an empty base must not count"));
        QVERIFY(QDir::setCurrent("work"));
        viewer->photoFileName = photoFileName.replace(QStringLiteral("<root>"), dir.path());
        whileShownModally(viewer, [this] {
            QVERIFY(viewer->picture.isNull());
            QCOMPARE(viewer->extraPhotoCount, 0);
            QVERIFY(!viewer->Volgendefoto1->isVisible());
            std::unique_ptr<QString> message(answerNextMessage());
            clickMenu(*viewer, viewer->Tekst1);
            QCOMPARE(*message, QStringLiteral("Er is geen verklarende tekst bij deze foto."));
            QVERIFY(helpViewer()->helpFileName.isEmpty());
        });
    }

    void escapeAndAfsluitenClose()
    {
        TestWorkDir dir;
        writePhoto("Plato.jpg", 100, 80);
        whileShownModally(viewer, [this] {
            QTest::keyClick(viewer, Qt::Key_Escape);
            QVERIFY(!viewer->isVisible());
        });
        whileShownModally(viewer, [this] {
            clickMenu(*viewer, viewer->Afsluiten1);
            QVERIFY(!viewer->isVisible());
        });
    }

    // The explanation stands beside the photograph where the screen has room
    // for it, and else at the screen's edge away from the photograph's middle,
    // along the screen's height.
    void explanationBesideThePhotograph()
    {
        TestWorkDir dir;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        // Too wide to leave room for the least width of the explanation.
        const int wide = area.width() - 300;
        writePhoto("Plato.jpg", 200, 150);
        writePhoto("Plato1.jpg", wide, 300);
        QVERIFY(writeWholeFile("Plato.txt", "Uitleg."));
        QVERIFY(writeWholeFile("Plato1.txt", "Uitleg."));
        whileShownModally(viewer, [this, area, wide] {
            auto explanationFrame = [this] {
                QRect frame;
                QTimer::singleShot(0, [&frame] {
                    QVERIFY(QTest::qWaitForWindowExposed(helpViewer()));
                    frame = helpViewer()->outerGeometry();
                    helpViewer()->close();
                });
                viewer->Tekst1Click();
                return frame;
            };
            const QPoint client = viewer->client()->mapToGlobal(QPoint(0, 0));
            const QRect small(client, QSize(200, 150));
            QCOMPARE(viewer->photographOnScreen(), small);
            // Room beside it: touching it, and narrowed to the room left.
            QRect frame = explanationFrame();
            QCOMPARE(frame.left(), small.right() + 1);
            QCOMPARE(frame.width(), std::min(600, area.right() - small.right()));
            QCOMPARE(frame.height(), area.height());
            QVERIFY(!frame.intersects(small));

            // A photograph too wide for that: over its end, at the right edge.
            clickMenu(*viewer, viewer->Volgendefoto1);
            QCOMPARE(viewer->photographOnScreen(), QRect(client, QSize(wide, 300)));
            frame = explanationFrame();
            QCOMPARE(frame.right(), area.right());
            QCOMPARE(frame.width(), std::min(600, area.width()));

            // Enlarged, dragged to the right: where it leaves room at the
            // left, beside it there; where it does not, over it at the left
            // edge, away from its middle.
            clickMenu(*viewer, viewer->groter1);
            viewer->photoOffsetX = viewer->client()->width() / 2;
            QCOMPARE(viewer->photographOnScreen().left(), client.x() + viewer->client()->width() / 2);
            frame = explanationFrame();
            QCOMPARE(frame.right() + 1, viewer->photographOnScreen().left());
            viewer->photoOffsetX = viewer->client()->width() / 4;
            frame = explanationFrame();
            QCOMPARE(frame.left(), area.left());
            QVERIFY(frame.intersects(viewer->photographOnScreen()));
        });
    }

    // The photograph shown taken along: at its own size, its title and its
    // explanation under it, printed (a long explanation over more pages) and
    // saved as a PNG picture.
    void printsAndSavesThePhotographWithItsExplanation()
    {
        TestWorkDir dir;
        writePhoto("Plato.jpg", 200, 150, 90);
        writePhoto("Plato3.jpg", 120, 90);
        QVERIFY(writeWholeFile("Plato.txt", "Plato\r\n\r\nSoort: krater\r\nEen donkere, vlakke bodem.\r\n"));
        QByteArray longText = "{\\rtf1 Plato 3\\par ";
        for (int i = 1; i <= 150; ++i)
            longText += "Regel " + QByteArray::number(i) + " van een lange uitleg bij de krater Plato.\\par ";
        QVERIFY(writeWholeFile("Plato3.txt", longText + "}"));
        whileShownModally(viewer, [this] {
            QCOMPARE(viewer->menuBar()->actions().size(), 6);
            QCOMPARE(viewer->Afdrukken1->text(), QString::fromUtf8("Afdrukken…"));
            QCOMPARE(viewer->Opslaanalsafbeelding1->text(), QString::fromUtf8("Opslaan als afbeelding…"));

            viewer->savePhotograph(QStringLiteral("plato.png"));
            const QImage saved = QImage(QStringLiteral("plato.png")).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(saved.copy(0, 0, 200, 150), viewer->picture.convertToFormat(QImage::Format_RGB32));
            QCOMPARE(saved.width(), 320);   // room for the caption beside a small photograph
            QVERIFY(saved.height() > 150 + 50);
            QCOMPARE(saved.pixel(250, 10), qRgb(255, 255, 255));

            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFileName(QStringLiteral("plato.pdf"));
            viewer->printPhotograph(printer);
            QString text = pdfText(QStringLiteral("plato.pdf"));
            QVERIFY2(text.contains(QStringLiteral("Foto: Plato")) && text.contains(QStringLiteral("Soort: krater"))
                         && text.contains(QStringLiteral("Een donkere, vlakke bodem.")),
                     qPrintable(text));
            QCOMPARE(text.count(QLatin1Char('\f')), 1);
            QCOMPARE(printer.docName(), QStringLiteral("Selvanor: Foto: Plato"));

            // An extra photograph with a long rich-text explanation: every
            // line of it, whole, on the pages that follow.
            clickMenu(*viewer, viewer->Volgendefoto1);
            viewer->printPhotograph(printer);
            text = pdfText(QStringLiteral("plato.pdf"));
            QVERIFY(text.startsWith(QStringLiteral("Foto van Plato3")));
            QVERIFY(text.count(QLatin1Char('\f')) >= 2);
            for (int i = 1; i <= 150; ++i)
                QVERIFY2(text.contains(QStringLiteral("Regel %1 van een lange uitleg bij de krater Plato.").arg(i)),
                         qPrintable(QString::number(i)));
        });
    }
};

QTEST_MAIN(TestPhotoViewer)
#include "test_photoviewer.moc"

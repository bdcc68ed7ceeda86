#include <QtTest>

#include "platform/picture.h"
#include "platform/soundplayer.h"
#include "tests/common/program.h"
#include "tests/common/wavfixture.h"
#include "tests/common/modaldriver.h"
#include "tests/common/workdir.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <memory>

namespace {
void click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(w, button, Qt::NoModifier, at);
}

void clickCentre(QWidget* w)
{
    click(w, w->rect().center());
}

QRgb pixelOf(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixel(x, y);
}
}

class TestPresentation : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

    // The title screen as the main window shows it, without its modal loop.
    void showTitleScreen()
    {
        titleScreen()->show();
        QTRY_VERIFY(ActivationTracker::instance()->activeForm() == titleScreen());
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>(QStringList{QStringLiteral("titelmaan.bmp")});
        startProgram();
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    void bannerScrollsOneCharacterPerTick()
    {
        const QString& banner = TitleScreen::banner();
        QCOMPARE(banner.size(), 209);
        QVERIFY(banner.contains(QStringLiteral("V.O.K.")));
        QCOMPARE(TitleScreen::bannerText(0), banner.left(53));
        QCOMPARE(TitleScreen::bannerText(1), banner.left(53));
        QCOMPARE(TitleScreen::bannerText(2), banner.mid(1, 53));
        QCOMPARE(TitleScreen::bannerText(209), banner.right(1) + banner.left(52));

        // The timer's ticks: the counter runs up to 209 and starts again at 0.
        QCOMPARE(titleScreen()->Timer1->interval(), 250);
        QVERIFY(titleScreen()->Timer1->isActive());
        QCOMPARE(titleScreen()->bannerpositie, quint16(0));
        QCOMPARE(titleScreen()->Label2->text(), banner.left(53));
        titleScreen()->bannerpositie = 208;
        titleScreen()->Timer1Timer();
        QCOMPARE(titleScreen()->Label2->text(), banner.right(1) + banner.left(52));
        titleScreen()->Timer1Timer();
        QCOMPARE(titleScreen()->bannerpositie, quint16(0));
        QCOMPARE(titleScreen()->Label2->text(), banner.left(53));
        titleScreen()->Timer1Timer();
        QCOMPARE(titleScreen()->Label2->text(), banner.left(53));
        // It keeps running while the screen is hidden.
        QTRY_VERIFY_WITH_TIMEOUT(titleScreen()->bannerpositie >= 2, 2000);
    }

    void titleScreenLayout()
    {
        QVERIFY(titleScreen()->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(titleScreen()->size(), QSize(555, 480));
        QCOMPARE(titleScreen()->Label1->text(), QStringLiteral("SELVANOR"));
        QCOMPARE(titleScreen()->Label1->pos(), QPoint(22, 11));
        QCOMPARE(titleScreen()->Label1->font().pixelSize(), 48);
        QVERIFY(titleScreen()->Label1->font().bold());
        QCOMPARE(titleScreen()->Label7->pos(), QPoint(110, 92));
        QCOMPARE(titleScreen()->Label8->pos(), QPoint(168, 135));
        QCOMPARE(titleScreen()->Label2->pos(), QPoint(121, 176));
        QCOMPARE(titleScreen()->Image2->geometry(), QRect(429, 242, 71, 101));
        QCOMPARE(titleScreen()->Image2->picture().size(), QSize(71, 101));

        showTitleScreen();
        const QRect screen = titleScreen()->screen()->availableGeometry();
        QCOMPARE(titleScreen()->y(), 90);
        QCOMPARE(titleScreen()->x(), screen.x() + (screen.width() - 555) / 2);
        QCOMPARE(titleScreen()->Image1->geometry(), QRect(172, 220, 210, 200));
        QCOMPARE(titleScreen()->Image1->picture().size(), QImage(QStringLiteral("titelmaan.bmp")).size());
        QCOMPARE(titleScreen()->StaticText1->text(), QStringLiteral("versie 1.0"));
        QCOMPARE(titleScreen()->StaticText2->text(),
                 QStringLiteral("Er kan geen enkele aansprakelijkheid worden aanvaard voor eventuele fouten en/of "
                                "onvolkomenheden."));
        for (QLabel* text : {titleScreen()->StaticText1, titleScreen()->StaticText2})
            QCOMPARE(text->x(), (555 - text->width()) / 2);
        QCOMPARE(titleScreen()->StaticText1->y(), 431);
        QCOMPARE(titleScreen()->StaticText2->y(), 456);
        QCOMPARE(titleScreen()->StaticText2->font().family(), QStringLiteral("Arial Narrow"));
        QCOMPARE(pixelOf(titleScreen()->client(), 5, 470), qRgb(0, 0, 0));

        // Hints: the Moon's, the mascot's, and the window's own wherever a
        // control has none.
        QCOMPARE(titleScreen()->Image1->toolTip(), QStringLiteral("Start hier"));
        QCOMPARE(titleScreen()->Image2->toolTip(), QStringLiteral("Klik en Luister!"));
        QCOMPARE(titleScreen()->client()->toolTip().split(QLatin1Char('\n')),
                 QStringList({QStringLiteral("Luister wat het Vokmannetje"), QStringLiteral("heeft te zeggen. Klik hem..."),
                              QString(), QStringLiteral("Klik op de maan om te beginnen.")}));
        QVERIFY(titleScreen()->Label1->toolTip().isEmpty());
        QCOMPARE(titleScreen()->Image1->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(titleScreen()->Image2->cursor().shape(), Qt::PointingHandCursor);
    }

    void typedKeysCloseTheTitleScreen_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Right") << int(Qt::Key_Right) << 0 << false;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << false;
        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << false;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 0 << false;
        QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier) << false;
        // Their texts are control characters, not characters the user types.
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << false;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << false;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("letter") << int(Qt::Key_Q) << 0 << true;
        QTest::newRow("Shift+letter") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << true;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << true;
    }

    void typedKeysCloseTheTitleScreen()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        child<QLabel>(mainWindow(), "Label8")->show();
        showTitleScreen();
        QTest::keyClick(titleScreen(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(titleScreen()->isVisible(), !closes);
        // Closing hides the main window's date line.
        QCOMPARE(child<QLabel>(mainWindow(), "Label8")->isHidden(), closes);
    }

    void onlyALeftClickOnTheMoonCloses()
    {
        showTitleScreen();
        click(titleScreen()->client(), QPoint(40, 300));
        click(titleScreen()->Label1, QPoint(5, 5));
        click(titleScreen()->Image1, QPoint(105, 100), Qt::RightButton);
        QVERIFY(titleScreen()->isVisible());
        clickCentre(titleScreen()->Image1);
        QVERIFY(!titleScreen()->isVisible());
    }

    void missingTitlePictureKeepsTheMoonClickable_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("titelmaan.bmp: No such file or directory");
        QTest::newRow("not a picture") << QByteArray("BM this is no bitmap")
                                       << QStringLiteral("titelmaan.bmp: beschadigd of geen geldig beeldbestand");
        QTest::newRow("cut short") << readWholeFile(TestWorkDir::atlasDir() + QStringLiteral("/titelmaan.bmp")).left(5000)
                                   << QStringLiteral("titelmaan.bmp: beschadigd of geen geldig beeldbestand");
    }

    void missingTitlePictureKeepsTheMoonClickable()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QVERIFY(QFile::remove(QStringLiteral("titelmaan.bmp")));
        if (!contents.isEmpty())
            QVERIFY(writeWholeFile(QStringLiteral("titelmaan.bmp"), contents));
        BoxDriver boxes;
        showTitleScreen();
        QTRY_COMPARE(boxes.texts, QStringList{message});
        QVERIFY(titleScreen()->isVisible());
        // The Moon's place is still there, outlined, and a click there starts.
        QCOMPARE(titleScreen()->Image1->geometry(), QRect(172, 220, 210, 200));
        QVERIFY(titleScreen()->Image1->isVisible());
        QVERIFY(!titleScreen()->Image1->picture().isNull());
        clickCentre(titleScreen()->Image1);
        QVERIFY(!titleScreen()->isVisible());

        // Once the file is there, the next showing has the picture again.
        QVERIFY(QFile::remove(QStringLiteral("titelmaan.bmp")) || contents.isEmpty());
        QVERIFY(dir_->copyAtlasFile(QStringLiteral("titelmaan.bmp")));
        showTitleScreen();
        QCOMPARE(titleScreen()->Image1->picture().size(), QImage(QStringLiteral("titelmaan.bmp")).size());
        QCOMPARE(boxes.texts.size(), 1);
    }

    void theMascotSpeaksThroughTheAboutBox()
    {
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), toneWav(400)));
        showTitleScreen();
        SoundPlayer* player = aboutBox()->MediaPlayer1;
        QVERIFY(!player->isPlaying());
        clickCentre(titleScreen()->Image2);
        QVERIFY(player->isPlaying());
        QCOMPARE(player->openFile(), QFileInfo(QStringLiteral("vokman.wav")).absoluteFilePath());
        QVERIFY(titleScreen()->isVisible());
        QVERIFY(!aboutBox()->isVisible());
    }

    void aboutBoxLayout()
    {
        QCOMPARE(aboutBox()->windowTitle(), QStringLiteral("About V.O.K."));
        QCOMPARE(aboutBox()->client()->size(), QSize(285, 422));
        QVERIFY(!aboutBox()->keyPreview());
        QCOMPARE(aboutBox()->Panel1->geometry(), QRect(10, 8, 265, 401));
        QCOMPARE(aboutBox()->Panel1->lineWidth(), 3);
        QCOMPARE(aboutBox()->Panel1->frameShadow(), QFrame::Sunken);
        QCOMPARE(aboutBox()->win3d->text(), QStringLiteral("Selvanor"));
        QCOMPARE(aboutBox()->win3d->pos(), QPoint(34, 22));
        QCOMPARE(aboutBox()->win3d->font().pixelSize(), 24);
        QCOMPARE(aboutBox()->Version->text(), QStringLiteral("Selvanor versie 1.0"));
        QCOMPARE(aboutBox()->Version->pos(), QPoint(114, 58));
        QCOMPARE(aboutBox()->ProgramIcon->geometry(), QRect(72, 70, 110, 160));
        QVERIFY(aboutBox()->ProgramIcon->stretch());
        QCOMPARE(aboutBox()->ProgramIcon->toolTip(), QStringLiteral("Klik mij\nen luister..."));
        QCOMPARE(aboutBox()->ProgramIcon->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(aboutBox()->Label2->text(), QStringLiteral("V . O . K. "));
        QCOMPARE(aboutBox()->Label2->pos(), QPoint(88, 248));
        QList<int> creditTops;
        for (QLabel* line : {aboutBox()->Label3, aboutBox()->Label4, aboutBox()->Label5, aboutBox()->Label6}) {
            creditTops.append(line->y());
            QVERIFY(!line->text().isEmpty());
            QVERIFY(line->font().pixelSize() >= 11 && line->font().pixelSize() <= 13);
            QVERIFY(line->x() >= 0 && line->x() + line->width() <= 265);
        }
        QCOMPARE(creditTops, QList<int>({280, 304, 340, 373}));
        QCOMPARE(aboutBox()->MediaPlayer1->fileName(), QStringLiteral("vokman.wav"));

        // Silver around an aqua panel with a lowered bevel, in the middle of the screen.
        QList<QRgb> pixels;
        QPoint centre;
        QTimer::singleShot(0, this, [&] {
            pixels = {pixelOf(aboutBox()->client(), 4, 4), pixelOf(aboutBox()->client(), 280, 418),
                      pixelOf(aboutBox()->Panel1, 1, 1), pixelOf(aboutBox()->Panel1, 263, 399),
                      pixelOf(aboutBox()->Panel1, 10, 390)};
            centre = aboutBox()->frameGeometry().center();
            QTest::keyClick(aboutBox(), Qt::Key_Escape);
        });
        mainWindow()->AboutVOK1Click();
        QVERIFY(!aboutBox()->isVisible());
        const QRgb silver = qRgb(192, 192, 192);
        QCOMPARE(pixels, QList<QRgb>({silver, silver, qRgb(128, 128, 128), qRgb(255, 255, 255), qRgb(0, 255, 255)}));
        const QPoint screenCentre = aboutBox()->screen()->availableGeometry().center();
        QVERIFY(qAbs(centre.x() - screenCentre.x()) <= 1 && qAbs(centre.y() - screenCentre.y()) <= 1);
    }

    void aboutBoxClicks()
    {
        QVERIFY(writeWholeFile(QStringLiteral("vokman.wav"), toneWav(400)));
        SoundPlayer* player = aboutBox()->MediaPlayer1;
        QList<bool> playing;
        QTimer::singleShot(0, this, [&] {
            // A text does not react; the aqua panel around it and the mascot do.
            click(aboutBox()->win3d, QPoint(5, 5));
            click(aboutBox()->Label2, QPoint(5, 5));
            playing.append(player->isPlaying());
            click(aboutBox()->Panel1, QPoint(20, 390));
            playing.append(player->isPlaying());
            player->stop();
            clickCentre(aboutBox()->ProgramIcon);
            playing.append(player->isPlaying());
            aboutBox()->close();
        });
        mainWindow()->AboutVOK1Click();
        QVERIFY(!aboutBox()->isVisible());
        QCOMPARE(playing, QList<bool>({false, true, true}));
        // Closed, the box leaves its message playing.
        QVERIFY(player->isPlaying());
    }

    void authorBoxLayout()
    {
        QCOMPARE(authorBox()->windowTitle(), QStringLiteral("  De auteur"));
        QCOMPARE(authorBox()->client()->size(), QSize(136, 222));
        QCOMPARE(authorBox()->Image1->geometry(), QRect(8, 8, 125, 149));
        QCOMPARE(authorBox()->Image1->picture().size(), QSize(125, 149));
        QCOMPARE(authorBox()->Label1->text(), QStringLiteral("V.O.K. is er voor plezier"));
        QCOMPARE(authorBox()->Label1->pos(), QPoint(13, 176));
        QCOMPARE(authorBox()->Label2->text(), QStringLiteral("met Uw computer."));
        QCOMPARE(authorBox()->Label2->pos(), QPoint(24, 200));
        QCOMPARE(authorBox()->Label1->font().pixelSize(), 11);

        // The texts do not react to clicks; the background and the picture close it.
        QRgb background = 0;
        bool openAfterTextClicks = false;
        bool closedByBackground = false;
        QTimer::singleShot(0, this, [&] {
            background = pixelOf(authorBox()->client(), 3, 215);
            click(authorBox()->Label1, QPoint(3, 3));
            click(authorBox()->Label2, QPoint(3, 3));
            openAfterTextClicks = authorBox()->isVisible();
            click(authorBox()->client(), QPoint(3, 215));
            closedByBackground = !authorBox()->isVisible();
            authorBox()->close();
        });
        mainWindow()->Aboutauteur1Click();
        QCOMPARE(background, qRgb(255, 255, 128));
        QVERIFY(openAfterTextClicks);
        QVERIFY(closedByBackground);

        bool closedByPicture = false;
        QTimer::singleShot(0, this, [&] {
            clickCentre(authorBox()->Image1);
            closedByPicture = !authorBox()->isVisible();
            authorBox()->close();
        });
        mainWindow()->Aboutauteur1Click();
        QVERIFY(closedByPicture);

        QTimer::singleShot(0, this, [] { QTest::keyClick(authorBox(), Qt::Key_Escape); });
        mainWindow()->Aboutauteur1Click();
        QVERIFY(!authorBox()->isVisible());
    }
};

QTEST_MAIN(TestPresentation)
#include "test_presentation.moc"

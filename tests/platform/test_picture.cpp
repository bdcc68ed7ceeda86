#include <QtTest>

#include "platform/picture.h"

#include <QLabel>

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void clicksCountOnTheWidgetItself()
    {
        QWidget panel;
        panel.resize(200, 100);
        auto* text = new QLabel(QStringLiteral("tekst"), &panel);
        text->setGeometry(10, 10, 60, 20);
        int clicks = 0;
        onClick(&panel, [&] { ++clicks; });
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));

        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(150, 50));
        QCOMPARE(clicks, 1);
        QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(150, 50));
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 1);
        // Released elsewhere, the press is no click.
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(150, 50));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(250, 50));
        QCOMPARE(clicks, 1);
        // A double click, as X delivers it (press, release, double click,
        // release), clicks once.
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(150, 50));
        QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(150, 50));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(150, 50));
        QCOMPARE(clicks, 2);
    }

    void picturesDrawAtTheirSizeOrStretched()
    {
        QWidget window;
        window.resize(100, 100);
        QPalette black = window.palette();
        black.setColor(QPalette::Window, Qt::black);
        window.setPalette(black);
        window.setAutoFillBackground(true);
        auto* box = new PictureBox(&window);
        box->setGeometry(0, 0, 40, 40);
        QImage image(20, 20, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        box->setPicture(image);

        QImage shown = window.grab().toImage();
        QCOMPARE(shown.pixel(9, 9), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(12, 12), qRgb(0, 0, 0));   // transparent: the window shows

        box->setStretch(true);
        shown = window.grab().toImage();
        QCOMPARE(shown.pixel(18, 18), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(22, 22), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(39, 39), qRgb(0, 0, 0));
    }
};

QTEST_MAIN(TestPicture)
#include "test_picture.moc"

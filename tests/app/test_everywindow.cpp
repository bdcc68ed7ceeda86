// What every window of the program carries: the program's icon, and names a
// screen reader can speak for each of its controls (the accessible tree the
// toolkit hands to AT-SPI; tests/desktop/accessibility_test.sh reads it there).
#include <QtTest>

#include <QAccessible>
#include <QLineEdit>
#include <QMenuBar>
#include <QTextDocument>
#include <functional>

#include "platform/picture.h"
#include "platform/rtfreader.h"

#include "tests/common/program.h"
#include "tests/common/workdir.h"

namespace {
// The roles of what a user reads or works with; containers, menus and the
// toolkit's own parts are named by what they hold.
bool isControl(QAccessibleInterface* a)
{
    switch (a->role()) {
    case QAccessible::SpinBox:
    case QAccessible::PushButton:
    case QAccessible::List:
    case QAccessible::EditableText:
    case QAccessible::Graphic:
        return true;
    case QAccessible::StaticText:
        // A value that shows nothing yet still says what it is.
        return a->object()->inherits("ValueLabel");
    default:
        return false;
    }
}

struct Control {
    QString path, name, description;
};

void collect(QAccessibleInterface* a, const QString& path, QList<Control>* out)
{
    if (!a || !a->object())
        return;
    const QString here = path + QLatin1Char('/') + a->object()->metaObject()->className() + QLatin1Char(' ')
                       + a->object()->objectName();
    // Inside a spin box or a scroll area: the toolkit's own parts.
    if (a->object()->objectName().startsWith(QLatin1String("qt_")))
        return;
    if (isControl(a))
        out->append({here, a->text(QAccessible::Name), a->text(QAccessible::Description)});
    for (int i = 0; i < a->childCount(); ++i)
        collect(a->child(i), here, out);
}

QAccessibleInterface* of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

QList<Form*> everyWindow()
{
    Program& p = *theProgram();
    return {p.mainWindow(), p.newFeatureDialog(), p.currentIndexList(), p.totalIndex(), p.helpViewer(),
            p.photoViewer(), p.authorBox(), p.aboutBox(), p.titleScreen(), p.latitudeDemo(),
            p.atlasMap(), p.mapChoice(), p.librationFace(), p.longitudeDemo(), p.markerSelection()};
}
}

class TestEveryWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWorkDir> dir_;

private slots:
    void init()
    {
        dir_ = std::make_unique<TestWorkDir>(QStringList{QStringLiteral("maan_vm.bmp"), QStringLiteral("maan_vm.dat")});
        openMainWindow();
    }

    void cleanup()
    {
        stopProgram();
        dir_.reset();
    }

    // The installed icon, carried in the program itself, on all fifteen
    // windows and the dialogs they open.
    void programIconOnEveryWindow()
    {
        const QImage installed = QImage(TestWorkDir::atlasDir() + QStringLiteral("/../resources/selvanor.png"))
                                     .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!installed.isNull());
        QCOMPARE(QApplication::windowIcon().pixmap(128).toImage().convertToFormat(QImage::Format_ARGB32), installed);
        for (Form* w : everyWindow()) {
            QVERIFY2(!w->windowIcon().isNull(), qPrintable(w->windowTitle()));
            QCOMPARE(w->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        }
        QCOMPARE(helpViewer()->findDialog()->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }

    // Every control of every window has a name and a description; the date
    // fields, the button and the Moon by the names the user sees them by.
    void everyControlNamed()
    {
        QList<Control> controls;
        for (Form* w : everyWindow())
            collect(of(w), w->windowTitle(), &controls);
        collect(of(helpViewer()->findDialog()), QStringLiteral("Zoeken"), &controls);
        QVERIFY(controls.size() > 30);
        for (const Control& c : controls)
            QVERIFY2(!c.name.isEmpty() && !c.description.isEmpty() && c.name != c.description,
                     qPrintable(QStringLiteral("%1: «%2» «%3»").arg(c.path, c.name, c.description)));

        const QList<std::pair<const char*, QString>> named{
            {"jaarspin", "Jaar"}, {"maandspin", "Maand"}, {"dagspin", "Dag"}, {"uurspin", "Uur"},
            {"Button1", "Nu"}, {"surface", "Maanbeeld"}, {"Memo1", "Sneltoetsen"}, {"Image1", "Schijngestalte"}};
        for (const auto& [object, name] : named) {
            QAccessibleInterface* a = of(child<QWidget>(mainWindow(), object));
            QCOMPARE(a->text(QAccessible::Name), name);
        }
        QCOMPARE(of(mainWindow()->surface())->role(), QAccessible::Graphic);
        QCOMPARE(of(child<SpinEdit>(mainWindow(), "jaarspin"))->role(), QAccessible::SpinBox);
        QCOMPARE(of(currentIndexList()->ListBox1)->text(QAccessible::Name), QStringLiteral("Actuele index"));
        QCOMPARE(of(totalIndex()->ListBox1)->text(QAccessible::Name), QStringLiteral("Index"));
        QCOMPARE(of(photoViewer()->Image1)->text(QAccessible::Name), QStringLiteral("Foto"));
        // The caption above a date field is its label.
        const auto labels = of(child<SpinEdit>(mainWindow(), "dagspin"))->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("dag"));
    }

    // A read-out is heard with what it is: the coordinates of a click, and
    // while it shows nothing, what it will show.
    void readOutsSayWhatTheyShow()
    {
        QAccessibleInterface* readout = of(child<QLabel>(mainWindow(), "Panel1"));
        QCOMPARE(readout->text(QAccessible::Name), QStringLiteral("Coördinaten"));
        const DiscGeometry& disc = mainWindow()->disc;
        mainWindow()->rastercorrectie();
        QTest::mouseClick(mainWindow()->surface(), Qt::LeftButton, {}, QPoint(disc.centreX, disc.centreY));
        const QString shown = child<QLabel>(mainWindow(), "Panel1")->text();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(readout->text(QAccessible::Name), QStringLiteral("Coördinaten: ") + shown);
        QCOMPARE(readout->text(QAccessible::Description),
                 QStringLiteral("Breedte en lengte op de maan van het laatst aangeklikte punt"));
        QCOMPARE(of(atlasMap()->Panel1)->text(QAccessible::Name), QStringLiteral("Coördinaten"));
    }

    // The guide names every entry of the main window's menus and of the
    // photo viewer's menu bar, as the menus write them, and the keys and
    // names added beside them.
    void theGuideNamesEveryCommand()
    {
        QTextDocument guide;
        QVERIFY(readRichText(&guide, readWholeFile(TestWorkDir::atlasDir() + QStringLiteral("/maanhelp.rtf")),
                             HelpViewer::defaultFont()));
        const QString text = guide.toPlainText().simplified();
        QStringList captions;
        std::function<void(const QList<QAction*>&)> add = [&](const QList<QAction*>& actions) {
            for (QAction* a : actions) {
                if (a->menu())
                    add(a->menu()->actions());
                if (!a->isSeparator())
                    captions << a->text().remove(QLatin1Char('&')).simplified();
            }
        };
        add(mainWindow()->menuBar()->actions());
        add(photoViewer()->menuBar()->actions());
        QVERIFY(captions.contains(QString::fromUtf8("Opslaan als afbeelding…")));
        for (const QString& caption : captions)
            QVERIFY2(text.contains(caption), qPrintable(caption));
        for (const char* more : {"Home", "Met een schermlezer", "Maanbeeld", "Naar bestand afdrukken (PDF)", "maanhelp.pdf"})
            QVERIFY2(text.contains(QString::fromUtf8(more)), more);
    }
};

QTEST_MAIN(TestEveryWindow)
#include "test_everywindow.moc"

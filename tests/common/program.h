#pragma once
// The real program's windows for the tests of the windows: made anew by
// startProgram(), gone with stopProgram(), reached as the user reaches them.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QtGlobal>
#include <memory>

#include "app/mainwindow.h"
#include "app/newfeaturedialog.h"
#include "app/program.h"
#include "libration/latitudedemo.h"
#include "libration/librationface.h"
#include "libration/longitudedemo.h"
#include "lists/currentindexlist.h"
#include "lists/listbox.h"
#include "lists/mapchoice.h"
#include "lists/markerselection.h"
#include "lists/searchwindow.h"
#include "lists/totalindex.h"
#include "tests/common/windowsystem.h"
#include "platform/spinedit.h"
#include "presentation/aboutbox.h"
#include "presentation/authorbox.h"
#include "presentation/titlescreen.h"
#include "viewers/atlasmap.h"
#include "viewers/helpviewer.h"
#include "viewers/photoviewer.h"

inline std::unique_ptr<Program>& theProgram()
{
    static std::unique_ptr<Program> program;
    return program;
}
inline void startProgram()
{
    theProgram().reset();
    theProgram() = std::make_unique<Program>();
}
inline void stopProgram() { theProgram().reset(); }

inline MainWindow* mainWindow() { return theProgram() ? theProgram()->mainWindow() : nullptr; }
inline NewFeatureDialog* newFeatureDialog() { return theProgram() ? theProgram()->newFeatureDialog() : nullptr; }
inline CurrentIndexList* currentIndexList() { return theProgram() ? theProgram()->currentIndexList() : nullptr; }
inline TotalIndex* totalIndex() { return theProgram() ? theProgram()->totalIndex() : nullptr; }
inline HelpViewer* helpViewer() { return theProgram() ? theProgram()->helpViewer() : nullptr; }
inline PhotoViewer* photoViewer() { return theProgram() ? theProgram()->photoViewer() : nullptr; }
inline AuthorBox* authorBox() { return theProgram() ? theProgram()->authorBox() : nullptr; }
inline AboutBox* aboutBox() { return theProgram() ? theProgram()->aboutBox() : nullptr; }
inline TitleScreen* titleScreen() { return theProgram() ? theProgram()->titleScreen() : nullptr; }
inline LatitudeDemo* latitudeDemo() { return theProgram() ? theProgram()->latitudeDemo() : nullptr; }
inline AtlasMap* atlasMap() { return theProgram() ? theProgram()->atlasMap() : nullptr; }
inline MapChoice* mapChoice() { return theProgram() ? theProgram()->mapChoice() : nullptr; }
inline LibrationFace* librationFace() { return theProgram() ? theProgram()->librationFace() : nullptr; }
inline LongitudeDemo* longitudeDemo() { return theProgram() ? theProgram()->longitudeDemo() : nullptr; }
inline MarkerSelection* markerSelection() { return theProgram() ? theProgram()->markerSelection() : nullptr; }
inline SearchWindow* searchWindow() { return theProgram() ? theProgram()->searchWindow() : nullptr; }

// A control of a window by its name, as accessibility tools find it.
template <typename T>
T* child(QObject* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Types a key where the platform delivers it: to the focused control, else
// the given window.
inline void typeKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// The lines of a list as the program holds them (a row may show a line
// shortened).
inline QStringList entries(const ListBox* list)
{
    return list->entries();
}

// A press on the entry with this text, scrolled into view first; false when
// the list has no such entry. With `twice`, the second press of a double click
// follows.
inline bool pressEntry(ListBox* list, const QString& text, Qt::MouseButton button = Qt::LeftButton,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool twice = false)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    const QPoint p = list->visualItemRect(found.first()).center();
    QTest::mousePress(list->viewport(), button, modifiers, p);
    QTest::mouseRelease(list->viewport(), button, modifiers, p);
    if (twice) {
        // The window system sends a double click in place of the second press.
        QMouseEvent second(QEvent::MouseButtonDblClick, p, list->viewport()->mapToGlobal(p), button, button,
                           modifiers);
        QApplication::sendEvent(list->viewport(), &second);
        QTest::mouseRelease(list->viewport(), button, modifiers, p);
    }
    return true;
}

inline void selectEntry(ListBox* list, const QString& text)
{
    list->setCurrentItem(list->findItems(text, Qt::MatchExactly).value(0));
}

// The main window made the active window, its picture taking the keys.
inline void activateMain()
{
    makeActive(mainWindow());
    mainWindow()->surface()->setFocus();
    QCoreApplication::processEvents();
}

// The program started past its title screen: the main window shown with a
// client area of 1000 x 700, in the given view, active.
inline void openMainWindow(void (MainWindow::*firstView)() = &MainWindow::Vollemaan1Click)
{
    startProgram();
    mainWindow()->firstActivation = false;
    mainWindow()->show();
    QTRY_VERIFY(mainWindow()->phaseReportCount > 0);
    mainWindow()->setClientSize(1000, 700);
    QTRY_COMPARE(mainWindow()->clientWidth(), 1000);
    QTRY_COMPARE(mainWindow()->clientHeight(), 700);
    (mainWindow()->*firstView)();
    activateMain();
}

// F2 in the main window: the current list open and active, its list taking
// the keys.
inline void openCurrentIndexList()
{
    typeKey(mainWindow(), Qt::Key_F2);
    QTRY_VERIFY(currentIndexList()->isVisible());
    makeActive(currentIndexList());
    currentIndexList()->ListBox1->setFocus();
}

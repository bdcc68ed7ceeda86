#include <QtTest>

#include "tests/common/windowsystem.h"

#include "platform/form.h"
#include "platform/windowplacement.h"
#include "platform/spinedit.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>

namespace {
class ProbeForm : public Form {
public:
    explicit ProbeForm(const QString& name)
    {
        setWindowTitle(name);
        edit = new QLineEdit(client());
        edit->setGeometry(10, 10, 120, 24);
        resize(300, 200);
    }
    void FormActivate() override { ++activations; }
    void FormClose() override { ++closes; }
    bool FormCloseQuery() override { return allowClose; }
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override
    {
        seen.append({key, modifiers, edit->text()});
        if (key == Qt::Key_F9)
            edit->clearFocus();   // as a message box opened here would
        return consumed.contains(key);
    }

    struct Seen { int key; Qt::KeyboardModifiers modifiers; QString textBefore; };
    QLineEdit* edit;
    int activations = 0;
    int closes = 0;
    bool allowClose = true;
    QList<Seen> seen;
    QList<int> consumed;
};

// Types a key where the platform would deliver it: to the focused control.
void typeKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

QLineEdit* editOf(SpinEdit& spin)
{
    return spin.findChild<QLineEdit*>();
}
}

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void activationRule()
    {
        ProbeForm a(QStringLiteral("A")), b(QStringLiteral("B"));
        a.show();
        QTRY_COMPARE(a.activations, 1);
        b.show();
        QTRY_COMPARE(b.activations, 1);
        makeActive(&b);
        QCOMPARE(b.activations, 1);   // already the program's window: not anew

        // Coming back from another of the program's windows: anew.
        makeActive(&a);
        QCOMPARE(a.activations, 2);
        makeActive(&b);
        QCOMPARE(b.activations, 2);
        makeActive(&a);
        QCOMPARE(a.activations, 3);

        // A modal window that A opens: it is activated, A is not when it closes.
        ProbeForm modal(QStringLiteral("modal"));
        // While it is up, the window system may report A active: A is blocked, not activated.
        QTimer::singleShot(50, &modal, [&modal, &a] {
            makeActive(&a);
            modal.setModalResult(Form::mrOk);
        });
        QCOMPARE(modal.showModal(), int(Form::mrOk));
        QCOMPARE(modal.activations, 1);
        QVERIFY(!modal.isVisible());
        makeActive(&a);
        QCOMPARE(a.activations, 3);
        // Left another way than with OK.
        QTimer::singleShot(50, &modal, [&modal] { modal.close(); });
        QVERIFY(modal.showModal() != Form::mrOk);
        QCOMPARE(modal.activations, 2);
        makeActive(&a);
        QCOMPARE(a.activations, 3);

        // One of A's own helper dialogs: A is not activated anew when it closes.
        QDialog helper(&a);
        QTimer::singleShot(50, &helper, [&helper] {
            makeActive(&helper);
            helper.reject();
        });
        helper.exec();
        makeActive(&a);
        QCOMPARE(a.activations, 3);

        // Coming back from another application: not anew.
        makeActive(nullptr);
        makeActive(&a);
        QCOMPARE(a.activations, 3);

        // Shown again after closing (closing only hides): anew.
        QPointer<ProbeForm> guard(&a);
        a.close();
        QVERIFY(guard && !a.isVisible());
        QCOMPARE(a.closes, 1);
        a.show();
        QTRY_COMPARE(a.activations, 4);

        // A window that refuses to close stays.
        a.allowClose = false;
        a.close();
        QVERIFY(a.isVisible());
        QCOMPARE(a.closes, 1);
        a.allowClose = true;

        // A window that is deleted is no longer the program's active window.
        auto* gone = new ProbeForm(QStringLiteral("gone"));
        gone->show();
        QTRY_COMPARE(gone->activations, 1);
        QCOMPARE(ActivationTracker::instance()->activeForm(), gone);
        delete gone;
        QVERIFY(ActivationTracker::instance()->activeForm() == nullptr);
    }

    void keyPreview()
    {
        ProbeForm f(QStringLiteral("keys"));
        f.show();
        QTRY_COMPARE(f.activations, 1);
        makeActive(&f);
        f.edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.edit);

        // The window sees the key before the control, then the control handles it.
        typeKey(&f, Qt::Key_A);
        QCOMPARE(f.seen.size(), 1);
        QCOMPARE(f.seen[0].key, int(Qt::Key_A));
        QCOMPARE(f.seen[0].textBefore, QString());
        QCOMPARE(f.edit->text(), QStringLiteral("a"));
        // Modifiers arrive whole.
        QTest::keyClick(QApplication::focusWidget(), 'B', Qt::ShiftModifier);
        QCOMPARE(f.seen.last().key, int(Qt::Key_B));
        QCOMPARE(f.seen.last().modifiers, Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(f.edit->text(), QStringLiteral("aB"));

        // A consumed key stops there.
        f.consumed = {Qt::Key_X};
        typeKey(&f, Qt::Key_X);
        QCOMPARE(f.seen.last().key, int(Qt::Key_X));
        QCOMPARE(f.edit->text(), QStringLiteral("aB"));

        // A key the control passes on to its parents is still seen once.
        const int before = f.seen.size();
        typeKey(&f, Qt::Key_F5);
        QCOMPARE(f.seen.size(), before + 1);

        // The handler takes the focus away: the key's way up is no new delivery.
        typeKey(&f, Qt::Key_F9);
        QCOMPARE(f.seen.size(), before + 2);
        f.edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.edit);

        // Without a focused control the window itself gets it, once.
        f.edit->clearFocus();
        QTRY_VERIFY(QApplication::focusWidget() != f.edit);
        typeKey(&f, Qt::Key_C);
        QCOMPARE(f.seen.size(), before + 3);
        QCOMPARE(f.seen.last().key, int(Qt::Key_C));

        // Key preview off: the window does not see keys.
        f.edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f.edit);
        f.setKeyPreview(false);
        typeKey(&f, Qt::Key_D);
        QCOMPARE(f.seen.size(), before + 3);
        QCOMPARE(f.edit->text(), QStringLiteral("aBd"));
    }

    void clientSizeAndFramePlaceBeforeTheFirstShow()
    {
        // A window with a menu bar, sized and placed while still hidden.
        Form f;
        f.menuBar()->addAction(QStringLiteral("Afsluiten"));
        f.setClientSize(129, 231);
        f.setOuterGeometry(200, 108, Form::keep, Form::keep);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.client()->size(), QSize(129, 231));
        QCOMPARE(f.frameGeometry().topLeft(), QPoint(200, 108));
        f.setOuterGeometry(30, 40, Form::keep, Form::keep);
        QTRY_COMPARE(f.frameGeometry().topLeft(), QPoint(30, 40));
    }

    void framesAreFittedIntoTheScreen()
    {
        const QRect screen(0, 0, 1280, 1024);
        QCOMPARE(fitFrameIntoArea(QRect(0, 1010, 250, 500), screen), QRect(0, 524, 250, 500));
        QCOMPARE(fitFrameIntoArea(QRect(-80, -30, 500, 320), screen), QRect(0, 0, 500, 320));
        QCOMPARE(fitFrameIntoArea(QRect(1100, 200, 500, 320), screen), QRect(780, 200, 500, 320));
        QCOMPARE(fitFrameIntoArea(QRect(10, 20, 500, 320), screen), QRect(10, 20, 500, 320));
        // Larger than the screen: shrunk into it, the title bar on it.
        QCOMPARE(fitFrameIntoArea(QRect(200, -40, 1400, 1100), screen), QRect(0, 0, 1280, 1024));
        // A screen with a panel at the top.
        QCOMPARE(fitFrameIntoArea(QRect(0, 0, 500, 1024), QRect(0, 30, 1280, 994)), QRect(0, 30, 500, 994));
    }

    // An explanation beside what it explains: on the side with the more
    // room, narrowed to it down to a least width; over it only where neither
    // side has room, at the edge that covers less of it.
    void framesBesideWhatTheyExplain()
    {
        const QRect screen(0, 0, 1280, 1024);
        // The index map at the top right: its help to the left of it.
        QCOMPARE(frameBeside(QRect(985, 40, 295, 200), QSize(500, 200), screen, 300), QRect(485, 40, 500, 200));
        // A window at the left: to the right of it.
        QCOMPARE(frameBeside(QRect(0, 100, 300, 400), QSize(500, 200), screen), QRect(300, 100, 500, 200));
        // Room on both sides: the larger.
        QCOMPARE(frameBeside(QRect(600, 0, 180, 300), QSize(500, 200), screen), QRect(100, 0, 500, 200));
        // Less room than asked, more than the least: narrowed.
        QCOMPARE(frameBeside(QRect(0, 0, 900, 500), QSize(500, 1024), screen, 300), QRect(900, 0, 380, 1024));
        QCOMPARE(frameBeside(QRect(0, 0, 1000, 500), QSize(500, 300), screen, 300), QRect(780, 0, 500, 300));
        // A photograph at the left of a maximised window, too wide: over its
        // end at the right edge; dragged to the right, the left edge.
        QCOMPARE(frameBeside(QRect(0, 50, 800, 600), QSize(600, 1024), screen, 500), QRect(680, 0, 600, 1024));
        QCOMPARE(frameBeside(QRect(400, 50, 880, 974), QSize(600, 1024), screen, 500), QRect(0, 0, 600, 1024));
        // Centred over the whole screen: the right edge, away from the menus.
        QCOMPARE(frameBeside(screen, QSize(250, 500), screen), QRect(1030, 0, 250, 500));
        // At the screen's edge instead of touching: the latitude demonstration
        // at the right, its explanation at the left edge.
        QCOMPARE(frameBeside(QRect(736, 0, 544, 1024), QSize(260, 1024), screen, 260, true), QRect(0, 0, 260, 1024));
        // The top level with the window's, the frame kept on the screen; a
        // panel at the top of the screen.
        QCOMPARE(frameBeside(QRect(0, 900, 300, 124), QSize(500, 200), screen), QRect(300, 824, 500, 200));
        QCOMPARE(frameBeside(QRect(0, 0, 300, 124), QSize(500, 2000), QRect(0, 30, 1280, 994)),
                 QRect(300, 30, 500, 994));
    }

    void spinEditReadsWritesAndNests()
    {
        SpinEdit spin(1, 31, 1);
        QLineEdit* edit = editOf(spin);
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("1"));

        // Reading does not clamp; a text that is no integer reads as the lower bound.
        const QList<QPair<QString, int>> reads{{"40", 40}, {"0", 0}, {"-5", -5}, {" 7 ", 7}, {"", 1}, {"2x", 1}, {"+", 1}};
        for (const auto& r : reads) {
            edit->setText(r.first);
            QCOMPARE(spin.value(), r.second);
        }

        // Writing clamps and replaces the text.
        spin.setValue(99);
        QCOMPARE(edit->text(), QStringLiteral("31"));
        spin.setValue(-3);
        QCOMPARE(edit->text(), QStringLiteral("1"));

        // A changed text runs the handler at once; a write from inside it runs it again, nested.
        QList<QPair<int, int>> calls;   // value, depth
        int depth = 0;
        spin.onChange = [&] {
            ++depth;
            calls.append({spin.value(), depth});
            if (spin.value() == 5)
                spin.setValue(7);
            --depth;
        };
        spin.setValue(5);
        QCOMPARE(calls, (QList<QPair<int, int>>{{5, 1}, {7, 2}}));
        QCOMPARE(edit->text(), QStringLiteral("7"));
        calls.clear();
        spin.setValue(7);   // the same text: no change, no handler
        QVERIFY(calls.isEmpty());

        // Stepping: clamps at the bounds without a change; from a non-integer
        // text it starts at the lower bound.
        spin.setValue(31);
        calls.clear();
        spin.stepBy(1);
        QCOMPARE(edit->text(), QStringLiteral("31"));
        QVERIFY(calls.isEmpty());
        edit->setText(QString());
        calls.clear();
        spin.stepBy(1);
        QCOMPARE(edit->text(), QStringLiteral("2"));
        QCOMPARE(calls.size(), 1);
    }

    void spinEditTyping()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* spin = new SpinEdit(1, 31, 15);
        layout->addWidget(spin);
        window.show();
        makeActive(&window);
        spin->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == spin || QApplication::focusWidget() == editOf(*spin));
        QStringList texts;
        spin->onChange = [&] { texts.append(editOf(*spin)->text()); };

        // Replacing the whole text with 0 reads 0: nothing clamps on typing.
        typeKey(&window, Qt::Key_A, Qt::ControlModifier);
        typeKey(&window, Qt::Key_0);
        QCOMPARE(editOf(*spin)->text(), QStringLiteral("0"));
        QCOMPARE(spin->value(), 0);
        // Emptied: reads as the lower bound.
        typeKey(&window, Qt::Key_Backspace);
        QCOMPARE(editOf(*spin)->text(), QString());
        QCOMPARE(spin->value(), 1);
        // The typed value is taken when the typing ends, once.
        QVERIFY(texts.isEmpty());
        QVERIFY(spin->hasPendingInput());
        typeKey(&window, Qt::Key_Return);
        QCOMPARE(texts, QStringList({""}));
        QVERIFY(!spin->hasPendingInput());
        typeKey(&window, Qt::Key_Return);
        QCOMPARE(texts.size(), 1);
        // Or after a pause in typing.
        typeKey(&window, Qt::Key_7);
        QTRY_COMPARE_WITH_TIMEOUT(texts, QStringList({"", "7"}), SpinEdit::TypingPause * 3);
        typeKey(&window, Qt::Key_Backspace);
        spin->commitInput();
        // Letters, and signs after the digits, are no part of an integer and are not taken.
        typeKey(&window, Qt::Key_2);
        typeKey(&window, Qt::Key_M);
        typeKey(&window, Qt::Key_Plus);
        QCOMPARE(editOf(*spin)->text(), QStringLiteral("2"));
        // A sign in front is.
        typeKey(&window, Qt::Key_Home);
        typeKey(&window, Qt::Key_Minus);
        QCOMPARE(spin->value(), -2);
        typeKey(&window, Qt::Key_Backspace);
        QCOMPARE(spin->value(), 2);
        typeKey(&window, Qt::Key_End);
        // The arrow keys step.
        typeKey(&window, Qt::Key_Up);
        QCOMPARE(spin->value(), 3);
        typeKey(&window, Qt::Key_Down);
        typeKey(&window, Qt::Key_Down);
        QCOMPARE(spin->value(), 1);
        typeKey(&window, Qt::Key_Down);
        QCOMPARE(spin->value(), 1);
    }

    void spinEditWaitsForAHesitantTypist()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* year = new SpinEdit(1500, 2500, 2026);
        auto* other = new QLineEdit;
        layout->addWidget(year);
        layout->addWidget(other);
        window.show();
        makeActive(&window);
        year->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == year || QApplication::focusWidget() == editOf(*year));
        QStringList taken;
        // As the window's handler does: the value taken is clamped (and the
        // clamped text runs the handler again).
        year->onChange = [&] {
            taken.append(editOf(*year)->text());
            year->setValue(year->value());
        };
        auto pause = [] { QTest::qWait(SpinEdit::TypingPause + 300); };

        // "2", "0", "0", "0" with pauses: the partial values are out of range
        // and wait; the whole year is in range and is taken at the pause.
        typeKey(&window, Qt::Key_A, Qt::ControlModifier);
        for (int k : {Qt::Key_2, Qt::Key_0, Qt::Key_0}) {
            typeKey(&window, k);
            pause();
            QVERIFY(taken.isEmpty());
            QVERIFY(year->hasPendingInput());
        }
        typeKey(&window, Qt::Key_0);
        pause();
        QCOMPARE(taken, QStringList({"2000"}));
        QCOMPARE(editOf(*year)->text(), QStringLiteral("2000"));

        // Out of range, ended with Enter: taken and clamped then.
        typeKey(&window, Qt::Key_A, Qt::ControlModifier);
        typeKey(&window, Qt::Key_3);
        pause();
        QCOMPARE(taken.size(), 1);
        typeKey(&window, Qt::Key_Return);
        QCOMPARE(taken, QStringList({"2000", "3", "1500"}));

        // Or with Tab, leaving the field.
        typeKey(&window, Qt::Key_A, Qt::ControlModifier);
        for (int i = 0; i < 4; ++i)
            typeKey(&window, Qt::Key_9);
        pause();
        QCOMPARE(taken.size(), 3);
        typeKey(&window, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), other);
        QCOMPARE(taken, QStringList({"2000", "3", "1500", "9999", "2500"}));
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"

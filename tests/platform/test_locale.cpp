#include <QtTest>

#include "data/numbertext.h"
#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <cstdio>

// The standard dialogs speak Dutch whatever the user's settings; numbers are
// written with the user's own decimal symbol. Both are fixed at start, so each
// case runs the program's start in a process of its own.
namespace {
int probe(int argc, char** argv)
{
    Application app(argc, argv);
    Application::installDutchTranslations();
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    std::printf("%s|%s\n", qPrintable(numberText(27.2, 3, 2)), qPrintable(box.button(QMessageBox::Yes)->text()));
    return 0;
}
}

class TestLocale : public QObject {
    Q_OBJECT
private slots:
    void numbersFollowTheUser()
    {
        struct Case { const char* lang; const char* number; };
        const Case cases[] = {{"en_US.UTF-8", "27.20"}, {"nl_NL.UTF-8", "27,20"}, {"de_DE.UTF-8", "27,20"}, {"C.UTF-8", "27.20"}};
        for (const Case& c : cases) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LC_ALL", c.lang);
            env.insert("LANG", c.lang);
            env.insert("SELVANOR_LOCALE_PROBE", "1");
            env.insert("QT_QPA_PLATFORM", "offscreen");
            p.setProcessEnvironment(env);
            p.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(p.waitForFinished(30000));
            QList<QByteArray> out = p.readAllStandardOutput().trimmed().split('|');
            QCOMPARE(out.size(), 2);
            QCOMPARE(out[0], QByteArray(c.number));
            QCOMPARE(out[1].replace("&", ""), QByteArray("Ja"));
        }
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("SELVANOR_LOCALE_PROBE"))
        return probe(argc, argv);
    QCoreApplication app(argc, argv);
    TestLocale t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_locale.moc"

#include <QtTest>

#include "data/folderlock.h"
#include "tests/common/workdir.h"

#include <QProcess>

#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Run with this variable set, the program only holds the lock of that folder
// until it is killed: a second program in the same folder.
constexpr char kHoldVariable[] = "SELVANOR_HOLD_FOLDER_LOCK";

QString stateName(FolderLock::State s)
{
    switch (s) {
    case FolderLock::State::Held: return QStringLiteral("held");
    case FolderLock::State::InUse: return QStringLiteral("in use");
    case FolderLock::State::NotPossible: return QStringLiteral("not possible");
    }
    return {};
}
}

class TestFolderLock : public QObject {
    Q_OBJECT
private slots:
    void aSecondProgramIsToldWhileTheFirstRuns()
    {
        TestWorkDir dir;
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kHoldVariable), dir.path());
        first.setProcessEnvironment(env);
        first.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(first.waitForReadyRead(10000));
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("held"));

        {
            const FolderLock second;
            QCOMPARE(stateName(second.state()), QStringLiteral("in use"));
            QCOMPARE(second.otherProcess(), first.processId());
        }
        // The second's look changed nothing: the first still holds it.
        QCOMPARE(stateName(FolderLock().state()), QStringLiteral("in use"));

        // The first ends without tidying up (killed, or the machine stopped):
        // its lock is taken over.
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFile::exists(FolderLock::lockFileName()));
        {
            const FolderLock again;
            QCOMPARE(stateName(again.state()), QStringLiteral("held"));
            // Within one program too, a second look finds it in use.
            QCOMPARE(stateName(FolderLock().state()), QStringLiteral("in use"));
        }
        QVERIFY(!QFile::exists(FolderLock::lockFileName()));
    }

    void aFolderThatCannotHoldALock()
    {
        // Root writes where an ordinary user may not: as root, this case runs
        // again as the user "nobody".
        if (const OrdinaryUserRun run = runAsOrdinaryUser("aFolderThatCannotHoldALock"); run.ran) {
            if (run.skipped)
                QSKIP(run.output.constData());
            QVERIFY2(run.passed, run.output.constData());
            return;
        }
        TestWorkDir dir;
        QVERIFY(QDir().mkdir("ro"));
        ::chmod("ro", 0555);
        QCOMPARE(stateName(FolderLock("ro").state()), QStringLiteral("not possible"));
        QVERIFY(!QFile::exists("ro/" + FolderLock::lockFileName()));
        ::chmod("ro", 0755);
        QCOMPARE(stateName(FolderLock("weg").state()), QStringLiteral("not possible"));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(kHoldVariable)) {
        QCoreApplication app(argc, argv);
        const FolderLock lock(qEnvironmentVariable(kHoldVariable));
        std::printf("%s\n", qPrintable(stateName(lock.state())));
        std::fflush(stdout);
        ::pause();
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestFolderLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_folderlock.moc"

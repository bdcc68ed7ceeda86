#include "platform/dialogs.h"

#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

void showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool askQuestion(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool inputBox(const QString& caption, const QString& prompt, QString* value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                               QLineEdit::Normal, *value, &ok);
    if (ok)
        *value = text;
    return ok;
}

void showErrorBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void beep()
{
    QApplication::beep();
}

void reportException(const std::exception& e)
{
    showErrorBox(QString::fromLocal8Bit(e.what()));
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Selvanor"));
    // No display name: on X11 it would be appended to every window title. The
    // desktop entry ties the windows to the program instead.
    setDesktopFileName(QStringLiteral("selvanor"));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportException(e);
    }
    return false;
}

void Application::installDutchTranslations()
{
    // Only the dialogs speak Dutch; numbers keep the user's own decimal symbol.
    static QTranslator translator;
    if (translator.load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

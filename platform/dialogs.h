#pragma once
#include <QApplication>
#include <QString>

// The program's message boxes: information with one OK button, the one Yes/No
// question, the text-input box and the standard error box.
void showMessage(const QString& text);
bool askQuestion(const QString& text);
bool inputBox(const QString& caption, const QString& prompt, QString* value);
void showErrorBox(const QString& text);
void beep();

// The application object: a FileError (or any other exception) thrown by an
// event handler stops that handler and is shown once, here, in the standard
// error box.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    // Loads the Dutch translations of the standard dialogs.
    static void installDutchTranslations();
};

// Runs `f`, showing a FileError (or any other exception) in the error box
// instead of passing it on. Returns false when it failed.
template <typename F>
bool runReportingErrors(F&& f);

#include <exception>
void reportException(const std::exception& e);
template <typename F>
bool runReportingErrors(F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportException(e);
        return false;
    }
}

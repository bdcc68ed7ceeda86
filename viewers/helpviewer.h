#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <memory>

#include "platform/form.h"
#include "session/atlassession.h"

class QLineEdit;
class QPrinter;
class QPushButton;
class QTextEdit;

// The small find dialog of the help window: a search text and a button that
// finds the next occurrence. It has no direction choice; the search always
// runs forward.
class HelpFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpFindDialog(QWidget* parent = nullptr);
    QString findText() const;
    void setFindText(const QString& text);
    QLineEdit* textField() const { return text_; }
    QPushButton* findNextButton() const { return findNext_; }

signals:
    void findNext();

private:
    QLineEdit* text_;
    QPushButton* findNext_;
};

// The read-only text window that shows every explanation of the program. An
// opener names the file, the place and the caption and how the window is
// shown (open()); the file is loaded each time the window becomes active.
class HelpViewer : public Form {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    QString helpFileName;

    // Shows the file as asked. Beside a modal window, that window keeps the
    // keyboard: the viewer takes the mouse as a window of that one, and never
    // the focus.
    void open(const HelpRequest& request);

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormClose() override;

    void Zoek1Click();
    void FindDialog1Find();
    void Lettertype1Click();
    void Afdrukken1Click();
    void Afsluiten1Click();

    // Loads helpFileName into the text; a file that cannot be read
    // throws FileError and leaves the text as it was.
    void loadHelpFile();
    // Prints the whole text, page by page, as one job.
    void printTo(QPrinter& printer);
    // The printer the set-up dialog works on; it keeps its settings.
    QPrinter& printer();

    QTextEdit* richEdit() const { return RichEdit1; }
    HelpFindDialog* findDialog() const { return FindDialog1; }

    // "Courier New" 10 points, for text without a font of its own.
    static QFont defaultFont();

protected:
    bool event(QEvent* event) override;

private:
    void setOwner(QWidget* owner, bool beside);

    QTextEdit* RichEdit1;
    HelpFindDialog* FindDialog1;
    std::unique_ptr<QPrinter> printer_;
    QPointer<QWidget> owner_;          // the modal window it is shown beside
    QElapsedTimer shownBeside_;
};

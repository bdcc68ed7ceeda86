#pragma once
#include <QDialog>
#include <QRect>
#include <climits>
#include <memory>

#include "platform/form.h"

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
// opener names the file in shared().helpFileName, may place, size and caption
// the window, and shows it (show() or showModal()); the file is loaded each
// time the window becomes active.
class Thelpdlg : public Form {
    Q_OBJECT
public:
    explicit Thelpdlg(QWidget* parent = nullptr);
    ~Thelpdlg() override;

    // Leaves a value of setOuterGeometry as it is.
    static constexpr int keep = INT_MIN;
    // Places and sizes the window by its outer frame, as the openers give it,
    // within the screen.
    void setOuterGeometry(int left, int top, int width, int height);
    QRect outerGeometry() const { return outer_; }

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormClose() override;

    void Zoek1Click();
    void FindDialog1Find();
    void Lettertype1Click();
    void Afdrukken1Click();
    void Afsluiten1Click();

    // Loads shared().helpFileName into the text; a file that cannot be read
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
    QTextEdit* RichEdit1;
    HelpFindDialog* FindDialog1;
    std::unique_ptr<QPrinter> printer_;
    QRect outer_;
};

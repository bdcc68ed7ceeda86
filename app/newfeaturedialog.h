#pragma once
#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The small dialog in which the name of a new feature is typed.
class NewFeatureDialog : public Form {
    Q_OBJECT
public:
    explicit NewFeatureDialog(QWidget* parent = nullptr);

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void okbtnClick();
    void cancelbtnClick();
    QString typedName() const;

    QLineEdit* Edit1;
    QLabel* Label1;
    QPushButton* cancelbtn;
    QPushButton* okbtn;
};

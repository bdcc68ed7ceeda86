#include "app/newfeaturedialog.h"

#include "platform/accessibility.h"
#include "platform/rtfreader.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

NewFeatureDialog::NewFeatureDialog(QWidget* parent)
    : Form(parent)
{
    setWindowTitle(QStringLiteral("Een landkenmerk aan de lijst toevoegen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));

    Edit1 = new QLineEdit(client());
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(16, 14, 489, 21);
    Label1 = new QLabel(QStringLiteral("Geef hier de  naam voor het aangewezen landkenmerk"), client());
    Label1->move(126, 50);
    Label1->adjustSize();
    cancelbtn = new QPushButton(QStringLiteral("Cancel"), client());
    cancelbtn->setGeometry(17, 46, 75, 22);
    okbtn = new QPushButton(QStringLiteral("Ok"), client());
    okbtn->setGeometry(430, 46, 75, 22);
    describeControl(Edit1, QStringLiteral("Naam"), QStringLiteral("De naam van het landkenmerk"));
    describeControl(okbtn, QStringLiteral("Ok"), QStringLiteral("De naam opslaan"));
    describeControl(cancelbtn, QStringLiteral("Cancel"), QStringLiteral("Niets veranderen"));
    connect(cancelbtn, &QPushButton::clicked, this, &NewFeatureDialog::cancelbtnClick);
    connect(okbtn, &QPushButton::clicked, this, &NewFeatureDialog::okbtnClick);

    const QRect screen = QApplication::primaryScreen()->geometry();
    setOuterGeometry(screen.left() + (screen.width() - 529) / 2, screen.top() + (screen.height() - 101) / 2, 529, 101);
}

void NewFeatureDialog::FormActivate()
{
    Edit1->clear();
    Edit1->setFocus();
}

bool NewFeatureDialog::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        cancelbtnClick();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        okbtnClick();
        return true;
    default:
        return false;
    }
}

void NewFeatureDialog::okbtnClick()
{
    setModalResult(mrOk);
}

void NewFeatureDialog::cancelbtnClick()
{
    setModalResult(mrCancel);
}

QString NewFeatureDialog::typedName() const
{
    return Edit1->text();
}

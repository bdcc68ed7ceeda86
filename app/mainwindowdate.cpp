// The main window's date panel and the phase report.
#include "app/mainwindow.h"

#include "astro/calendar.h"
#include "platform/spinedit.h"

#include <QDateTime>
#include <QLabel>

void MainWindow::actueletijd()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    dayNameText = dayName(d.dayOfWeek() % 7 + 1);
    date.year = d.year();
    date.month = d.month();
    date.day = d.day();
    date.hour = now.time().hour();
    jaarspin->setValue(date.year);
    maandspin->setValue(date.month);
    dagspin->setValue(date.day);
    uurspin->setValue(date.hour);
}

void MainWindow::writeDateBack()
{
    uurspin->setValue(date.hour);
    dagspin->setValue(date.day);
    maandspin->setValue(date.month);
    jaarspin->setValue(date.year);
}

void MainWindow::spinChanged(int DateFields::*field, SpinEdit* edit)
{
    date.*field = edit->value();
    newtime(date);
    writeDateBack();
    if (!phaseReportSuppressed)
        fasemelding();
}

void MainWindow::uurspinChange() { spinChanged(&DateFields::hour, uurspin); }
void MainWindow::dagspinChange() { spinChanged(&DateFields::day, dagspin); }
void MainWindow::maandspinChange() { spinChanged(&DateFields::month, maandspin); }
void MainWindow::jaarspinChange() { spinChanged(&DateFields::year, jaarspin); }

void MainWindow::Button1Click()
{
    phaseReportSuppressed = true;
    actueletijd();
    fasemelding();
}

void MainWindow::fasemelding()
{
    ++phaseReportCount;
    phaseAngle = elongation(date.year, date.month, date.day, uurspin->value());
    Label7->setText(phaseAngleText(phaseAngle));
    const QString days = phaseDaysText(phaseAngle);
    if (!days.isEmpty())
        Label5->setText(days);
    Schijngestalte(phaseAngle);
    repaintNow();
    phaseReportSuppressed = false;
}

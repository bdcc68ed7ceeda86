// Taking the view along: printed, or saved as a picture, as it is shown, with
// what it shows, the date and the scale under it.
#include "app/mainwindow.h"

#include "astro/captions.h"
#include "platform/dialogs.h"
#include "platform/pictureoutput.h"

#include <QPrinter>

namespace {
// "Volle maan", "Eerste kwartier": the view's name as a file's name.
QString fileBaseFor(const QString& imageFileName)
{
    return viewName(imageFileName).section(QStringLiteral(" ("), 0, 0);
}
}

QImage MainWindow::shownPicture()
{
    // What the window shows, drawn straight onto it (the pick circle) included.
    canvas().endPainting();
    return canvas().image();
}

QPrinter& MainWindow::printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The window is wider than high, and so is what it shows.
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    return *printer_;
}

void MainWindow::Afdrukken1Click()
{
    if (state_.imageFileName.isEmpty())
        return;
    if (!choosePrinter(printer(), this, fileBaseFor(state_.imageFileName)))
        return;
    runReportingErrors([this] { printView(printer()); });
}

void MainWindow::Opslaanalsafbeelding1Click()
{
    if (state_.imageFileName.isEmpty())
        return;
    const QString file = choosePngFile(this, fileBaseFor(state_.imageFileName));
    if (!file.isEmpty())
        runReportingErrors([this, &file] { saveViewPicture(file); });
}

void MainWindow::printView(QPrinter& target)
{
    const double kmPerPixel = kmPerScreenPixel(state_.zoomFactor);
    target.setDocName(QStringLiteral("Selvanor: ") + viewName(state_.imageFileName));
    printCaptionedPicture(target, shownPicture(), [this, kmPerPixel](double pixelsPerCm) {
        return viewCaption(state_.imageFileName, date, kmPerPixel * pixelsPerCm, ScaleUnit::Centimetre);
    });
}

void MainWindow::saveViewPicture(const QString& fileName)
{
    const QStringList caption =
        viewCaption(state_.imageFileName, date, kmPerScreenPixel(state_.zoomFactor), ScaleUnit::Pixel);
    writePngFile(captionedPicture(shownPicture(), caption), fileName);
}

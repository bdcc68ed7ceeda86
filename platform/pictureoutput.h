#pragma once
#include <QImage>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// Taking a picture along: printed on paper, or saved as a PNG file, each with
// lines of text under it (the first is its title).

// The user's folder for files of this kind (pictures, documents); the home
// folder where it does not exist.
QString userFolder(QStandardPaths::StandardLocation kind);

// The print dialog on `printer`, printing to a PDF file included. The PDF
// file it proposes is named `fileBase`.pdf, in the folder of the printer's
// last PDF file, or else in the user's documents folder (never the working
// folder, where the program's data lies). False when the user cancels.
bool choosePrinter(QPrinter& printer, QWidget* parent, const QString& fileBase);

// Asks where to save a PNG picture, proposing `fileBase`.png in the folder
// last chosen in this run, or else the user's pictures folder; an existing
// file is replaced only when the user says so. Empty when cancelled.
QString choosePngFile(QWidget* parent, const QString& fileBase);

// Prints `picture` as one job: fitted into the printable area of the first
// page, its proportions kept, with the caption under it (a long caption goes
// on onto further pages, between its lines). The caption is asked for once
// the picture's size on paper is known: `captionFor` gets the picture's
// pixels per centimetre of paper. Throws FileError, in Dutch, when the
// printer cannot be opened.
void printCaptionedPicture(QPrinter& printer, const QImage& picture,
                           const std::function<QStringList(double pixelsPerCm)>& captionFor);

// `picture` with its caption in a white band under it, as one picture.
QImage captionedPicture(const QImage& picture, const QStringList& caption);

// Writes `image` as a PNG file, whole or not at all. Throws FileError, in
// Dutch, when it cannot.
void writePngFile(const QImage& image, const QString& fileName);

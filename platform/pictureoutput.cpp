#include "platform/pictureoutput.h"

#include "data/fileerror.h"
#include "platform/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// A proposed file name: whatever a feature's name holds, never a path.
QString fileNameFrom(const QString& base, const QString& suffix)
{
    QString name = base.trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.replace(QLatin1Char('\\'), QLatin1Char('-'));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("selvanor"));
    return name + suffix;
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// The caption as a text: the title in bold and a little larger, every further
// line a paragraph of its own, laid out for `device` (null: the screen).
std::unique_ptr<QTextDocument> captionDocument(const QStringList& lines, QPaintDevice* device, double width)
{
    auto document = std::make_unique<QTextDocument>();
    if (device)
        document->documentLayout()->setPaintDevice(device);
    document->setDocumentMargin(0);
    const QFont body(installedFontFamily(QStringLiteral("Arial")), 10);
    document->setDefaultFont(body);
    QTextCursor cursor(document.get());
    QTextBlockFormat paragraph;
    paragraph.setBottomMargin(4);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(paragraph);
        else
            cursor.setBlockFormat(paragraph);
        QTextCharFormat format;
        format.setFont(body);
        format.setForeground(Qt::black);
        if (i == 0) {
            format.setFontWeight(QFont::Bold);
            format.setFontPointSize(12);
        }
        cursor.insertText(lines[i], format);
    }
    document->setTextWidth(width);
    return document;
}

// Where each line of the laid-out text ends, from the top of the text.
std::vector<double> lineBottoms(QTextDocument& document)
{
    std::vector<double> bottoms;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const double top = layout->blockBoundingRect(block).top();
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i)
            bottoms.push_back(top + lines->lineAt(i).y() + lines->lineAt(i).height());
    }
    return bottoms;
}

QString pdfFolderOf(const QPrinter& printer)
{
    const QString last = printer.outputFileName();
    return last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
}

} // namespace

QString userFolder(QStandardPaths::StandardLocation kind)
{
    const QString folder = QStandardPaths::writableLocation(kind);
    return isFolder(folder) ? folder : QDir::homePath();
}

bool choosePrinter(QPrinter& printer, QWidget* parent, const QString& fileBase)
{
    // The dialog proposes the printer's own output file; a printer that has
    // none would be given one in the working folder.
    QString folder = pdfFolderOf(printer);
    if (!isFolder(folder))
        folder = userFolder(QStandardPaths::DocumentsLocation);
    const bool native = printer.outputFormat() == QPrinter::NativeFormat;
    printer.setOutputFileName(QDir(folder).filePath(fileNameFrom(fileBase, QStringLiteral(".pdf"))));
    // Only proposed: a real printer chosen last time stays the one offered.
    if (native)
        printer.setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

QString choosePngFile(QWidget* parent, const QString& fileBase)
{
    static QString lastFolder;
    QString folder = lastFolder;
    if (!isFolder(folder)) {
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!isFolder(folder))
            folder = userFolder(QStandardPaths::DocumentsLocation);
    }
    QFileDialog dialog(parent, QStringLiteral("Opslaan als afbeelding"),
                       QDir(folder).filePath(fileNameFrom(fileBase, QStringLiteral(".png"))),
                       QStringLiteral("PNG-afbeelding (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString file = dialog.selectedFiles().constFirst();
    lastFolder = QFileInfo(file).absolutePath();
    return file;
}

void printCaptionedPicture(QPrinter& printer, const QImage& picture,
                           const std::function<QStringList(double pixelsPerCm)>& captionFor)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString what = printer.outputFormat() == QPrinter::PdfFormat
                               ? QStringLiteral("het bestand ") + printer.outputFileName()
                                     + QStringLiteral(" kan niet worden aangemaakt. Kies een andere map of naam.")
                               : QStringLiteral("de printer ") + printer.printerName()
                                     + QStringLiteral(" kan niet worden gebruikt.");
        throw FileError((QStringLiteral("Afdrukken is niet gelukt: ") + what).toStdString());
    }
    const double pageWidth = printer.width(), pageHeight = printer.height();
    const double pixelsPerCm = printer.resolution() / 2.54;
    const double gap = 0.5 * pixelsPerCm;

    // The caption's height does not hang on the figure in it.
    const double captionHeight = captionDocument(captionFor(1), &printer, pageWidth)->size().height();
    // A long caption may take the rest of the page, and more, but never more
    // than about half of the first page.
    const double room = std::max(pageHeight - captionHeight - gap, 0.55 * pageHeight);
    const double scale = picture.isNull() ? 1.0
                                          : std::min(pageWidth / picture.width(), room / picture.height());
    const QRectF target((pageWidth - picture.width() * scale) / 2, 0, picture.width() * scale,
                        picture.height() * scale);
    painter.drawImage(target, picture);

    // Under the picture, as wide as it is, unless that makes a narrow column.
    const bool alongPicture = target.width() >= 0.5 * pageWidth;
    const double textLeft = alongPicture ? target.left() : 0;
    const double textWidth = alongPicture ? target.width() : pageWidth;
    const auto caption = captionDocument(captionFor(pixelsPerCm / scale), &printer, textWidth);
    const std::vector<double> bottoms = lineBottoms(*caption);
    const double total = caption->size().height();
    double top = target.bottom() + gap;   // where the caption goes on in this page
    double from = 0;                      // and from where in the caption
    for (;;) {
        const double until = from + (pageHeight - top);
        double cut = total;
        if (total > until) {
            // Between two lines; a line taller than a page is cut.
            cut = from;
            for (double b : bottoms)
                if (b <= until)
                    cut = std::max(cut, b);
            if (cut <= from)
                cut = until;
        }
        painter.save();
        painter.translate(textLeft, top - from);
        caption->drawContents(&painter, QRectF(0, from, textWidth, cut - from));
        painter.restore();
        from = cut;
        if (from >= total)
            break;
        printer.newPage();
        top = 0;
    }
    painter.end();
}

QImage captionedPicture(const QImage& picture, const QStringList& caption)
{
    const double ratio = picture.isNull() ? 1.0 : picture.devicePixelRatio();
    const QSizeF size = picture.isNull() ? QSizeF(0, 0) : picture.deviceIndependentSize();
    constexpr int margin = 8;
    // Room enough for a readable line under a small picture.
    const double width = std::max(size.width(), 320.0);
    const auto text = captionDocument(caption, nullptr, width - 2 * margin);
    const double height = size.height() + text->size().height() + 2 * margin;
    QImage out(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)), QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(Qt::white);
    QPainter painter(&out);
    if (!picture.isNull())
        painter.drawImage(QPointF(0, 0), picture);
    painter.translate(margin, size.height() + margin);
    text->drawContents(&painter);
    painter.end();
    return out;
}

void writePngFile(const QImage& image, const QString& fileName)
{
    const QString name = QStringLiteral("Het bestand ") + fileName;
    auto fail = [&](const QString& text) { throw FileError((name + text).toStdString()); };
    // Made whole in memory first, so that what goes wrong on the disk is
    // reported as the system says it.
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image))
            fail(QStringLiteral(" kon niet worden gemaakt (") + writer.errorString()
                 + QStringLiteral("); er is niets opgeslagen."));
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral(" kan niet worden aangemaakt (") + file.errorString()
             + QStringLiteral("). Kies een andere map of naam."));
    if (file.write(png) != png.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(QStringLiteral(" kon niet worden opgeslagen (") + reason + QStringLiteral("); er is niets opgeslagen."));
    }
}

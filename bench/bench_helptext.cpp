// The help viewer with the largest texts it accepts: reading and building the
// text, and laying all of it out at the viewer's width (what scrolling to its
// end needs). Each kind of text is made as large as the limits allow, so the
// figures are the worst an accepted file can cost; then the same kinds at 8 MB,
// which are refused, with the time the refusal takes; then the tall texts that
// once kept the layout busy for minutes.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <QTextEdit>
#include <cstdio>

#include "data/fileerror.h"
#include "platform/rtfreader.h"
#include "bench/measure.h"
#include "viewers/helpviewer.h"
#include "tests/common/workdir.h"

namespace {
struct Kind {
    const char* name;
    QByteArray head, unit, tail;
};

// `count` units between head and tail.
QByteArray repeated(const Kind& k, qint64 count)
{
    return k.head + k.unit.repeated(count) + k.tail;
}

// As many units as the text limits allow.
qint64 largestAccepted(const Kind& k)
{
    QTextDocument doc;
    const QFont font = HelpViewer::defaultFont();
    auto fits = [&](qint64 n) { return readRichOrPlainText(&doc, repeated(k, n), font); };
    qint64 accepted = 1, refused = 2;
    while (fits(refused)) {
        accepted = refused;
        refused *= 2;
    }
    while (refused - accepted > 1) {
        const qint64 n = (accepted + refused) / 2;
        (fits(n) ? accepted : refused) = n;
    }
    return accepted;
}

Kind guide()
{
    QFile f(TestWorkDir::atlasDir() + QStringLiteral("/maanhelp.rtf"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray rtf = f.readAll();
    // The guide's body, over and over, in one document.
    const qsizetype start = rtf.indexOf("\\pard");
    return {"guide repeated (rtf)", rtf.left(start), rtf.mid(start, rtf.lastIndexOf('}') - start), "}"};
}

void measure(const Kind& k, const QByteArray& bytes)
{
    // Shown with a small text first: showing loads the file.
    if (!writeWholeFile(QStringLiteral("klein.rtf"), "{\\rtf1 Klein}")
        || !writeWholeFile(QStringLiteral("groot.rtf"), bytes))
        return;
    HelpViewer help;
    help.helpFileName = QStringLiteral("klein.rtf");
    help.setOuterGeometry(0, 0, 500, 1000);
    help.show();
    QCoreApplication::processEvents();
    help.helpFileName = QStringLiteral("groot.rtf");
    const double before = residentMegabytes();
    QElapsedTimer t;
    t.start();
    try {
        help.loadHelpFile();
    } catch (const FileError&) {
        std::printf("%-24s %7.2f MB  refused after %6.1f ms\n", k.name, bytes.size() / 1048576.0,
                    t.nsecsElapsed() / 1e6);
        return;
    }
    const double loadMs = t.nsecsElapsed() / 1e6;
    t.restart();
    QTextDocument* doc = help.richEdit()->document();
    doc->pageCount();   // finishes the layout
    const double layoutMs = t.nsecsElapsed() / 1e6;
    std::printf("%-24s %7.2f MB %7d chars %6d paragraphs  load %6.1f ms  layout %6.1f ms  total %6.1f ms %s"
                "  +%.0f MB resident\n",
                k.name, bytes.size() / 1048576.0, doc->characterCount() - 1, doc->blockCount(), loadMs, layoutMs,
                loadMs + layoutMs, loadMs + layoutMs <= 1000 ? "(<= 1 s)" : "(ABOVE 1 s)",
                residentMegabytes() - before);
    std::fflush(stdout);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestWorkDir dir;
    const QList<Kind> kinds{
        guide(),
        {"prose (txt)", "", "De maan draait om de aarde en toont ons steeds dezelfde kant. ", ""},
        {"prose lines (txt)", "", "Een regel tekst over de maan.\r\n", ""},
        {"one word (txt)", "", "x", ""},
        {"empty lines (txt)", "", "\n", ""},
        {"empty paragraphs (rtf)", "{\\rtf1 ", "\\par ", "}"},
        {"format per letter (rtf)", "{\\rtf1 ", "{\\b x}{\\i y}", "}"},
        {"one word (rtf)", "{\\rtf1 ", "x", "}"},
        {"line breaks (rtf)", "{\\rtf1 ", "\\line ", "}"},
        {"all limits at once (rtf)", "{\\rtf1 ", "{\\b xxxxxxxxx xxxxxxxxx}yyyyyyyyy yyyyyyyyyy\\par ", "}"},
        {"words at 1638 pt (rtf)", "{\\rtf1\\ansi\\fs3276 ", "xxxxxxxx ", "}"},
        {"words at 100 pt (rtf)", "{\\rtf1\\fs200 ", "xxxxxxxx ", "}"},
        {"words at 200 pt (rtf)", "{\\rtf1\\fs400 ", "xxxxxxxx ", "}"},
        {"far apart (rtf)", "{\\rtf1\\sb31680\\sa31680 ", "x\\par ", "}"},
    };
    // Taller than the layout can hold, each of them.
    const QList<QPair<QString, qint64>> tall{{"1638 pt", 4000}, {"100 pt", 40000}, {"200 pt", 10000}, {"far apart", 5000}};
    // A word on the command line picks the kinds whose name holds it.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::printf("help viewer, 500 x 1000 pixels; load = read and build the text, layout = the rest of it laid out\n");
    std::printf("largest accepted (%lld characters, %lld lines, %lld format runs):\n", qint64(MaxTextCharacters),
                qint64(MaxTextLines), qint64(MaxTextFormatRuns));
    for (const Kind& k : kinds)
        if (only.isEmpty() || QString::fromLatin1(k.name).contains(only))
            measure(k, repeated(k, largestAccepted(k)));
    std::printf("8 MB files of the same kinds:\n");
    for (const Kind& k : kinds)
        if (only.isEmpty() || QString::fromLatin1(k.name).contains(only))
            measure(k, repeated(k, (MaxTextFileSize - k.head.size() - k.tail.size()) / k.unit.size()));
    std::printf("tall texts:\n");
    for (const auto& [which, count] : tall)
        for (const Kind& k : kinds)
            if (QString::fromLatin1(k.name).contains(which)
                && (only.isEmpty() || QString::fromLatin1(k.name).contains(only)))
                measure(k, repeated(k, count));
    return 0;
}

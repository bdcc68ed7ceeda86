#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <memory>
#include <sys/stat.h>

#include "data/fileerror.h"
#include "platform/rtfreader.h"
#include "tests/common/workdir.h"

namespace {

QFont defaultFont()
{
    return QFont(installedFontFamily(QStringLiteral("Courier New")), 10);
}

std::unique_ptr<QTextDocument> read(const QByteArray& bytes)
{
    auto doc = std::make_unique<QTextDocument>();
    readRichOrPlainText(doc.get(), bytes, defaultFont());
    return doc;
}

// The document's characters as stored: line breaks stay U+2028, paragraphs
// are separated by U+2029.
QString raw(const QTextDocument& doc)
{
    return doc.toRawText();
}

QString paragraphs(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out.join(QLatin1Char('|'));
}

// Character format of the first character of `word`.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& word)
{
    const int pos = raw(doc).indexOf(word);
    if (pos < 0)
        return {};
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(pos + 1);
    return c.charFormat();
}

QString familyOf(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void characterFormattingRuns();
    void groupsRestoreFormatting();
    void fontsMapToInstalledFamilies();
    void colourTable();
    void windows1252AndEuro();
    void unicodeWithFallback();
    void skippedDestinationsAndFields();
    void paragraphFormatting();
    void tabsCountFromTheMargin();
    void bullets();
    void truncatedAndUnbalanced_data();
    void truncatedAndUnbalanced();
    void hugeParameters();
    void deepNestingIsLinear();
    void charactersThatCannotBeText();
    void plainTextIsShownLiterally_data();
    void plainTextIsShownLiterally();
    void missingFileReportsSystemError();
    void onlyRegularFilesOfSaneSizeAreRead();
    void textsWithinTheLimitsOnly_data();
    void textsWithinTheLimitsOnly();
    void longWordsGetPlacesToBreak();
    void tallTextsStopBeforeTheLayoutStalls_data();
    void tallTextsStopBeforeTheLayoutStalls();
    void aFontForAllOfTheText();
    void randomDamageNeverCrashes();
};

void TestRtfReader::characterFormattingRuns()
{
    const auto doc = read("{\\rtf1 plain \\b bold\\b0  \\i ital\\i0  \\ul under\\ulnone  \\strike gone\\strike0  "
                          "\\b\\i both\\plain  reset \\ul x\\ul0 y \\super hi\\nosupersub  {\\v hidden}shown}");
    QCOMPARE(raw(*doc), QStringLiteral("plain bold ital under gone both reset xy hi shown"));
    QCOMPARE(formatOf(*doc, "plain").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(*doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(formatOf(*doc, "ital").fontItalic());
    QVERIFY(!formatOf(*doc, "ital").fontUnderline());
    QVERIFY(formatOf(*doc, "under").fontUnderline());
    QVERIFY(formatOf(*doc, "gone").fontStrikeOut());
    const QTextCharFormat both = formatOf(*doc, "both");
    QVERIFY(both.fontItalic() && both.fontWeight() == QFont::Bold);
    const QTextCharFormat reset = formatOf(*doc, "reset");
    QVERIFY(!reset.fontItalic() && reset.fontWeight() == QFont::Normal);
    QVERIFY(formatOf(*doc, "x").fontUnderline());
    QVERIFY(!formatOf(*doc, "y").fontUnderline());
    QCOMPARE(formatOf(*doc, "hi").verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

void TestRtfReader::groupsRestoreFormatting()
{
    const auto doc = read("{\\rtf1 {\\b bold {\\i both} again}plain{\\fs40 big}small}");
    QCOMPARE(raw(*doc), QStringLiteral("bold both againplainbigsmall"));
    QVERIFY(formatOf(*doc, "both").fontItalic());
    QCOMPARE(formatOf(*doc, "both").fontWeight(), int(QFont::Bold));
    QVERIFY(!formatOf(*doc, "again").fontItalic());
    QCOMPARE(formatOf(*doc, "again").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*doc, "plain").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(*doc, "big").fontPointSize(), 20.0);
    QCOMPARE(formatOf(*doc, "small").fontPointSize(), 10.0);
}

void TestRtfReader::fontsMapToInstalledFamilies()
{
    const auto doc = read("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}"
                          "{\\f2\\fmodern Courier New{\\*\\falt Courier};}{\\f3\\fswiss Arial Narrow;}"
                          "\\f4\\fnil MS Sans Serif;}"
                          "deflt \\f0 sans \\f2 mono \\f3 narrow \\f4 dialog \\f9 unknown}");
    QCOMPARE(familyOf(formatOf(*doc, "deflt")), QStringLiteral("Liberation Serif"));
    QCOMPARE(familyOf(formatOf(*doc, "sans")), QStringLiteral("Liberation Sans"));
    QCOMPARE(familyOf(formatOf(*doc, "mono")), QStringLiteral("Liberation Mono"));
    QCOMPARE(familyOf(formatOf(*doc, "narrow")), QStringLiteral("Liberation Sans Narrow"));
    QCOMPARE(familyOf(formatOf(*doc, "dialog")), QStringLiteral("Liberation Sans"));
    // An undefined font number falls back to the document's default font.
    QCOMPARE(familyOf(formatOf(*doc, "unknown")), QStringLiteral("Liberation Serif"));
    QVERIFY(!raw(*doc).contains(QLatin1String("Arial")));

    // Without a font table: the caller's default, Courier New 10 points.
    const auto bare = read("{\\rtf1 text}");
    QCOMPARE(familyOf(formatOf(*bare, "text")), QStringLiteral("Liberation Mono"));
    QCOMPARE(formatOf(*bare, "text").fontPointSize(), 10.0);
}

void TestRtfReader::colourTable()
{
    const auto doc = read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue300;}"
                          "auto \\cf1 red \\cf2 blue \\cf0 back \\cf7 outside \\highlight1 marked}");
    QVERIFY(!formatOf(*doc, "auto").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(*doc, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(*doc, "blue").foreground().color(), QColor(0, 0, 255));
    QVERIFY(!formatOf(*doc, "back").hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!formatOf(*doc, "outside").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(*doc, "marked").background().color(), QColor(255, 0, 0));
}

void TestRtfReader::windows1252AndEuro()
{
    const auto doc = read("{\\rtf1 caf\\'e9 \\'80 5 \\'93aanhalen\\'94 na\\'efef \xe9\xeb \\'E8 \\'zz}");
    QCOMPARE(raw(*doc), QString::fromUtf8("café € 5 “aanhalen” naïef éë è zz"));
}

void TestRtfReader::unicodeWithFallback()
{
    QCOMPARE(raw(*read("{\\rtf1 \\u8364?5}")), QString::fromUtf8("€5"));
    QCOMPARE(raw(*read("{\\rtf1 \\uc2\\u8364 EUx}")), QString::fromUtf8("€x"));
    QCOMPARE(raw(*read("{\\rtf1 \\uc0\\u233 t}")), QString::fromUtf8("ét"));
    // A hex escape and a control word each count as one fallback character.
    QCOMPARE(raw(*read("{\\rtf1 \\u233\\'e9x}")), QString::fromUtf8("éx"));
    QCOMPARE(raw(*read("{\\rtf1 \\uc1\\u233\\bullet x}")), QString::fromUtf8("éx"));
    // Skipping stops at a group boundary.
    QCOMPARE(raw(*read("{\\rtf1 {\\uc3\\u233}abc}")), QString::fromUtf8("éabc"));
    // Negative numbers stand for the upper half; a surrogate pair makes one character.
    QCOMPARE(raw(*read("{\\rtf1 \\u-3913?}")), QString(QChar(0xF0B7)));
    QCOMPARE(raw(*read("{\\rtf1 \\u-10179?\\u-8704?}")), QString::fromUtf8("😀"));
    QCOMPARE(raw(*read("{\\rtf1 \\u-10179?x}")), QString::fromUtf8("\xEF\xBF\xBDx"));
    // \uc is scoped to its group.
    QCOMPARE(raw(*read("{\\rtf1 {\\uc0 }\\u233 ?x}")), QString::fromUtf8("éx"));
}

void TestRtfReader::skippedDestinationsAndFields()
{
    const auto doc = read(
        "{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Titel}{\\author Iemand}}"
        "{\\stylesheet{\\s0 Normal;}}{\\*\\unknownthing secret}{\\header kop}{\\footer voet}"
        "A{\\pict\\pngblip 89504e47}B{\\object\\objemb{\\*\\objdata 0102}{\\result resultaat}}C"
        "{\\field{\\*\\fldinst HYPERLINK \"http://voorbeeld\"}{\\fldrslt zie hier}} "
        "{\\field{\\fldinst PAGE}{\\fldrslt 7}} {\\madeup zichtbaar}"
        "{\\*\\bkmkstart b}D{\\*\\bkmkend b}}");
    QCOMPARE(raw(*doc), QStringLiteral("ABCzie hier 7 zichtbaarD"));
}

void TestRtfReader::paragraphFormatting()
{
    const auto doc = read("{\\rtf1\\pard\\qc kop\\par\\pard\\qr rechts\\par\\pard\\qj uitgevuld\\par"
                          "\\pard\\li720\\ri360\\fi-360\\sb120\\sa240 ingesprongen\\par "
                          "na pard blijft\\par\\pard nieuw\\line regel\\tab tab\\par"
                          "{\\pard\\qc binnen\\par}\\ql laatste}");
    QCOMPARE(paragraphs(*doc),
             QString("kop|rechts|uitgevuld|ingesprongen|na pard blijft|nieuw") + QChar::LineSeparator
                 + QString("regel\ttab|binnen|laatste"));
    auto block = [&](int n) { return doc->findBlockByNumber(n).blockFormat(); };
    auto align = [&](int n) { return block(n).alignment() & Qt::AlignHorizontal_Mask; };
    QCOMPARE(align(0), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(align(1), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(align(2), Qt::Alignment(Qt::AlignJustify));
    QCOMPARE(block(3).leftMargin(), 48.0);
    QCOMPARE(block(3).rightMargin(), 24.0);
    QCOMPARE(block(3).textIndent(), -24.0);
    QCOMPARE(block(3).topMargin(), 8.0);
    QCOMPARE(block(3).bottomMargin(), 16.0);
    // Paragraph properties last until \pard.
    QCOMPARE(block(4).leftMargin(), 48.0);
    QCOMPARE(block(5).leftMargin(), 0.0);
    QCOMPARE(align(6), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(align(7), Qt::Alignment(Qt::AlignLeft));
}

void TestRtfReader::tabsCountFromTheMargin()
{
    // The layout counts tab stops from the start of the first line, the file
    // from the page margin; a hanging indent is an implicit stop.
    const auto doc = read("{\\rtf1\\pard\\tx1440\\tqr\\tx4320 F1\\tab Help\\tab x\\par"
                          "\\pard\\li720\\tx2880 a\\tab b\\par"
                          "\\pard\\li720\\fi-360 \\bullet\\tab c\\par}");
    const auto tabs0 = doc->findBlockByNumber(0).blockFormat().tabPositions();
    QCOMPARE(tabs0.size(), 2);
    QCOMPARE(tabs0[0].position, 96.0);
    QCOMPARE(tabs0[1].position, 288.0);
    QCOMPARE(tabs0[1].type, QTextOption::RightTab);
    const auto tabs1 = doc->findBlockByNumber(1).blockFormat().tabPositions();
    QCOMPARE(tabs1.size(), 1);
    QCOMPARE(tabs1[0].position, 144.0);
    const auto tabs2 = doc->findBlockByNumber(2).blockFormat().tabPositions();
    QCOMPARE(tabs2.size(), 1);
    QCOMPARE(tabs2[0].position, 24.0);
}

void TestRtfReader::bullets()
{
    const auto doc = read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                          "\\pard\\fi-360\\li720{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}een\\par"
                          "{\\pntext\\f1\\'b7\\tab}twee\\par"
                          "\\pard{\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\li720 drie\\par"
                          "{\\*\\pn\\pnlvlblt}vier\\par\\pard vijf\\bullet\\par}");
    QCOMPARE(paragraphs(*doc), QString::fromUtf8("•\teen|•\ttwee|drie|vier|vijf•|"));
    // Written-out bullets are text; the symbol font is shown in the text font.
    QCOMPARE(familyOf(formatOf(*doc, QString::fromUtf8("•"))), QStringLiteral("Liberation Sans"));
    QVERIFY(!doc->findBlockByNumber(0).textList());
    // Numbering without written-out text becomes a bullet list of its own.
    QTextList* list = doc->findBlockByNumber(2).textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(doc->findBlockByNumber(3).textList(), list);
    QVERIFY(!doc->findBlockByNumber(4).textList());
}

void TestRtfReader::truncatedAndUnbalanced_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::newRow("open group") << QByteArray("{\\rtf1 {\\b abc") << "abc";
    QTest::newRow("trailing backslash") << QByteArray("{\\rtf1 abc\\") << "abc";
    QTest::newRow("half hex") << QByteArray("{\\rtf1 abc\\'e") << "abc";
    QTest::newRow("unicode without number") << QByteArray("{\\rtf1 abc\\u") << "abc";
    QTest::newRow("cut font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "";
    QTest::newRow("cut colour table") << QByteArray("{\\rtf1{\\colortbl;\\red9") << "";
    QTest::newRow("text after the end") << QByteArray("{\\rtf1 a}b}c{\\b d}") << "a";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}") << "a";
    QTest::newRow("just the prefix") << QByteArray("{\\rtf") << "";
    QTest::newRow("binary past the end") << QByteArray("{\\rtf1 a\\bin99 xyz") << "a";
    QTest::newRow("binary holds braces") << QByteArray("{\\rtf1 a\\bin4 }}{{b}") << "ab";
    QTest::newRow("star at the end") << QByteArray("{\\rtf1 a{\\*") << "a";
    QTest::newRow("endless control word") << (QByteArray("{\\rtf1 a\\") + QByteArray(5000, 'x') + " b}") << "ab";
}

void TestRtfReader::truncatedAndUnbalanced()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QCOMPARE(raw(*read(input)), text);
}

void TestRtfReader::hugeParameters()
{
    const auto doc = read("{\\rtf1{\\colortbl;\\red99999999999999\\green-5\\blue256;}"
                          "\\fs99999999999999999999 big\\fs-7  neg\\fs0  zero\\cf1  col "
                          "{\\uc2147483647\\u99999999999 abc}d\\u-99999999999 ?e\\par "
                          "\\li-99999999999\\fi-99999999999\\ri99999999999\\sb-5 a\\par "
                          "\\li99999999999\\tx99999999999\\tx-99999 b\\par}");
    QCOMPARE(paragraphs(*doc), QString("big neg zero col ") + QChar(0xFFFD) + "d" + QChar(0x8000) + "e|a|b|");
    QCOMPARE(formatOf(*doc, "big").fontPointSize(), 1638.0);
    QCOMPARE(formatOf(*doc, "neg").fontPointSize(), 10.0);
    QCOMPARE(formatOf(*doc, "zero").fontPointSize(), 10.0);
    QCOMPARE(formatOf(*doc, "col").foreground().color(), QColor(255, 0, 255));
    const QTextBlockFormat a = doc->findBlockByNumber(1).blockFormat();
    QCOMPARE(a.leftMargin(), 0.0);
    QCOMPARE(a.textIndent(), 0.0);
    QCOMPARE(a.rightMargin(), 2112.0);
    QCOMPARE(a.topMargin(), 0.0);
    const QTextBlockFormat b = doc->findBlockByNumber(2).blockFormat();
    QCOMPARE(b.leftMargin(), 2112.0);
    for (const QTextOption::Tab& tab : b.tabPositions())
        QVERIFY(tab.position > 0 && tab.position <= 2112.0);
}

void TestRtfReader::deepNestingIsLinear()
{
    // Groups beyond the depth limit are dropped whole; time grows linearly.
    const int depth = 200000;
    QByteArray input = "{\\rtf1 a";
    input += QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}') + "c}";
    QElapsedTimer timer;
    timer.start();
    const auto doc = read(input);
    QCOMPARE(raw(*doc), QStringLiteral("ac"));
    QCOMPARE(formatOf(*doc, "c").fontWeight(), int(QFont::Normal));

    // Many paragraphs and format changes, as many as a text may have.
    QByteArray many = "{\\rtf1 ";
    for (int i = 0; i < MaxTextFormatRuns / 2 - 1; ++i)
        many += "\\b a\\b0 b\\par ";
    many += "}";
    const auto big = read(many);
    QCOMPARE(big->blockCount(), MaxTextFormatRuns / 2);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
}

void TestRtfReader::charactersThatCannotBeText()
{
    // Control characters vanish; characters the document would read as its own
    // structure become the replacement character.
    const auto doc = read("{\\rtf1 a\\u0?b\\u7?c\\u8233?d\\u-4?e\\u65532?f\\u64976?g\x01h}");
    const QChar r(0xFFFD);
    QCOMPARE(raw(*doc), QString("abc") + r + "d" + r + "e" + r + "f" + r + "gh");
    QCOMPARE(doc->blockCount(), 1);
    QCOMPARE(raw(*read("{\\rtf1 \\{ \\} \\\\ \\~x}")), QString("{ } \\ ") + QChar(0xA0) + "x");
}

void TestRtfReader::plainTextIsShownLiterally_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::newRow("html") << QByteArray("<html><b>vet</b> &amp;</html>") << "<html><b>vet</b> &amp;</html>";
    QTest::newRow("rtf later") << QByteArray("Tekst\r\n{\\rtf1 \\b x}") << "Tekst\n{\\rtf1 \\b x}";
    QTest::newRow("leading blank") << QByteArray(" {\\rtf1 x}") << " {\\rtf1 x}";
    QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \x80\rregel") << QString::fromUtf8("Café €\nregel");
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFna\xC3\xAF" "ef") << QString::fromUtf8("naïef");
    QTest::newRow("nul byte") << QByteArray("a\0b", 3) << "a b";
}

void TestRtfReader::plainTextIsShownLiterally()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QTextDocument doc;
    // A document that held rich text before keeps none of it.
    readRichOrPlainText(&doc, "{\\rtf1 \\b\\fs40 oud}", defaultFont());
    readRichOrPlainText(&doc, input, defaultFont());
    QCOMPARE(doc.toPlainText(), text);
    const QTextCharFormat f = formatOf(doc, text.left(1));
    QVERIFY(f.fontWeight() != QFont::Bold);
    QCOMPARE(doc.defaultFont().family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(doc.defaultFont().pointSize(), 10);
}

void TestRtfReader::missingFileReportsSystemError()
{
    TestWorkDir dir;
    try {
        readFileBytes(QStringLiteral("bestaatniet.rtf"));
        QFAIL("no error");
    } catch (const FileError& e) {
        QCOMPARE(QString::fromLocal8Bit(e.what()), QStringLiteral("bestaatniet.rtf: No such file or directory"));
    }
    QVERIFY(QDir().mkdir(QStringLiteral("map.rtf")));
    QVERIFY_THROWS_EXCEPTION(FileError, readFileBytes(QStringLiteral("map.rtf")));
    QVERIFY(writeWholeFile(dir.filePath(QStringLiteral("a.rtf")), "{\\rtf1 x}"));
    QCOMPARE(readFileBytes(QStringLiteral("a.rtf")), QByteArray("{\\rtf1 x}"));
}

void TestRtfReader::onlyRegularFilesOfSaneSizeAreRead()
{
    TestWorkDir dir;
    auto refusal = [](const char* name) {
        try {
            readFileBytes(QString::fromLatin1(name));
        } catch (const FileError& e) {
            return QString::fromLocal8Bit(e.what());
        }
        return QStringLiteral("(read)");
    };
    // A pipe nobody writes to would block a plain open for ever.
    QVERIFY(mkfifo("pijp.rtf", 0600) == 0);
    QCOMPARE(refusal("pijp.rtf"), QStringLiteral("pijp.rtf: dit is geen gewoon bestand en kan niet worden getoond."));
    // A device would be read until the memory runs out.
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("nul.rtf")));
    QCOMPARE(refusal("nul.rtf"), QStringLiteral("nul.rtf: dit is geen gewoon bestand en kan niet worden getoond."));
    QVERIFY(QDir().mkdir(QStringLiteral("map.rtf")));
    QCOMPARE(refusal("map.rtf"), QStringLiteral("map.rtf: dit is geen gewoon bestand en kan niet worden getoond."));

    QFile big(QStringLiteral("groot.rtf"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxTextFileSize));
    big.close();
    QCOMPARE(readFileBytes(QStringLiteral("groot.rtf")).size(), MaxTextFileSize);
    QVERIFY(big.resize(MaxTextFileSize + 1));
    QCOMPARE(refusal("groot.rtf"), QStringLiteral("groot.rtf: dit bestand is te groot om te tonen (meer dan 8 MB)."));
    // Through a link, a regular file is read like any other.
    QVERIFY(writeWholeFile(QStringLiteral("a.rtf"), "{\\rtf1 x}"));
    QVERIFY(QFile::link(QStringLiteral("a.rtf"), QStringLiteral("b.rtf")));
    QCOMPARE(readFileBytes(QStringLiteral("b.rtf")), QByteArray("{\\rtf1 x}"));
}

void TestRtfReader::textsWithinTheLimitsOnly_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<qsizetype>("most");   // units a text may have
    const qsizetype chars = MaxTextCharacters, lines = MaxTextLines, runs = MaxTextFormatRuns;
    QTest::newRow("characters, plain") << QByteArray() << QByteArray("ab ") << QByteArray() << chars / 3;
    QTest::newRow("characters, rich") << QByteArray("{\\rtf1 ") << QByteArray("a b") << QByteArray("}") << chars / 3;
    QTest::newRow("lines, plain") << QByteArray() << QByteArray("\r\n") << QByteArray() << lines - 1;
    QTest::newRow("paragraphs, rich") << QByteArray("{\\rtf1 ") << QByteArray("\\par ") << QByteArray("}")
                                      << lines - 1;
    QTest::newRow("line breaks, rich") << QByteArray("{\\rtf1 ") << QByteArray("\\line ") << QByteArray("}")
                                       << lines - 1;
    QTest::newRow("format runs") << QByteArray("{\\rtf1 ") << QByteArray("{\\b a}b") << QByteArray("}") << runs / 2;
}

void TestRtfReader::textsWithinTheLimitsOnly()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, tail);
    QFETCH(qsizetype, most);
    QTextDocument doc;
    QVERIFY(readRichOrPlainText(&doc, head + unit.repeated(most) + tail, defaultFont()));
    QVERIFY(!readRichOrPlainText(&doc, head + unit.repeated(most + 1) + tail, defaultFont()));
    QVERIFY(doc.characterCount() <= MaxTextCharacters + 1);
    QVERIFY(doc.blockCount() <= MaxTextLines);
}

void TestRtfReader::longWordsGetPlacesToBreak()
{
    // A word of 1000 letters, then ordinary words.
    const QString word = QString(1000, QLatin1Char('x'));
    const QString rest = QStringLiteral(" en nog een paar woorden");
    for (const QByteArray& input : {word.toLatin1() + rest.toLatin1(),
                                    "{\\rtf1 {\\b " + word.left(500).toLatin1() + "}" + word.mid(500).toLatin1()
                                        + rest.toLatin1() + "}"}) {
        const auto doc = read(input);
        const QString text = raw(*doc);
        QCOMPARE(text.count(QChar(0x200B)), 4);
        QCOMPARE(QString(text).remove(QChar(0x200B)), word + rest);
        for (const QString& piece : text.split(QChar(0x200B)))
            QVERIFY(piece.size() <= 200 + rest.size());
    }
    // A long line of short words is left as it is.
    const QString words = QStringLiteral("maan ").repeated(400);
    QCOMPARE(raw(*read(words.toLatin1())), words);
}

void TestRtfReader::tallTextsStopBeforeTheLayoutStalls_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("whole");
    auto words = [](const char* head, int count) {
        QByteArray text = head;
        for (int i = 0; i < count; ++i)
            text += QByteArray(8, char('a' + i % 26)) + ' ';
        return text + '}';
    };
    // Each of these laid out for minutes: taller than 2^23 pixels at the
    // viewer's width, where a letter of 1638 points has a line of its own.
    QTest::newRow("4000 words at 1638 pt") << words("{\\rtf1\\ansi\\fs3276 ", 4000) << false;
    QTest::newRow("40000 words at 100 pt") << words("{\\rtf1\\fs200 ", 40000) << false;
    QTest::newRow("10000 words at 200 pt") << words("{\\rtf1\\fs400 ", 10000) << false;
    QTest::newRow("paragraphs far apart")
        << "{\\rtf1\\sb31680\\sa31680 " + QByteArray("x\\par ").repeated(5000) + "}" << false;
    // What real texts do stays whole.
    QTest::newRow("a heading at 1638 pt") << "{\\rtf1{\\fs3276 Maan}\\par " + words("", 3000) << true;
    QTest::newRow("a book at 10 pt") << QByteArray("De maan draait om de aarde. ").repeated(5000) << true;
}

void TestRtfReader::tallTextsStopBeforeTheLayoutStalls()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, whole);
    QTextDocument doc;
    QCOMPARE(readRichOrPlainText(&doc, text, defaultFont()), whole);
    QVERIFY(fitsTextLayout(doc));
    QVERIFY(doc.characterCount() > 1000);   // a text cut short keeps its beginning
    // Laid out as the viewer does, also where every letter takes a line: it
    // ends, below the layout's limit.
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    for (const qreal width : {480.0, 20.0}) {
        doc.setTextWidth(width);
        QVERIFY(doc.size().height() < qreal(1 << 23));
    }
}

void TestRtfReader::aFontForAllOfTheText()
{
    // What the viewer's font choice asks before it gives the whole text one font.
    QTextDocument doc;
    QVERIFY(readRichOrPlainText(&doc, QByteArray("maan ").repeated(4000), defaultFont()));
    QFont font = defaultFont();
    QVERIFY(fitsTextLayout(doc, &font));
    font.setPointSize(72);
    QVERIFY(fitsTextLayout(doc, &font));
    font.setPointSize(1638);
    QVERIFY(!fitsTextLayout(doc, &font));
    QVERIFY(fitsTextLayout(doc));
}

void TestRtfReader::randomDamageNeverCrashes()
{
    // Cut and scrambled pieces of real-looking input, with a fixed seed.
    const QByteArray pieces[] = {"{", "}", "\\", "\\par ", "\\b", "\\u-5", "\\'", "\\'f", "\\*", "\\fonttbl",
                                 "\\colortbl;", "\\red300", "\\f1", "Arial;", "\\pn", "\\pntext", "\\bin5",
                                 "\\uc9", "\\fs", "99999999999", "\\tx", "\\li-", "\\fi-720", "tekst", ";",
                                 "\\field", "\\fldrslt", "\\fldinst", "\\line", "\\tab", "\xe9", "\\pard",
                                 "\\plain", "\\cf2", "\\highlight", "\\v", "\\pnlvlblt", "\\'b7", "\\~", "\r\n"};
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        QByteArray input = "{\\rtf1";
        const int n = random.bounded(200);
        for (int i = 0; i < n; ++i)
            input += pieces[random.bounded(int(std::size(pieces)))];
        const auto doc = read(input);
        QVERIFY(doc->characterCount() >= 1);
    }
}

QTEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"

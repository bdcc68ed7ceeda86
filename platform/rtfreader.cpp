#include "platform/rtfreader.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFontInfo>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <climits>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/cp1252.h"
#include "data/fileerror.h"
#include "data/plainfile.h"

namespace {

// Limits that keep hostile input cheap: a reader that copies its state for
// every group, keeps tables and builds formats must not grow without bound.
constexpr std::size_t kMaxGroupDepth = 100;   // deeper groups are skipped whole
constexpr int kMaxTableEntries = 4096;        // fonts, colours
constexpr int kMaxFontNameLength = 128;
constexpr int kMaxTabStops = 64;
constexpr int kMaxTwips = 31680;              // 22 inches
constexpr int kMaxHalfPoints = 3276;          // 1638 points
constexpr std::size_t kMaxControlWordLength = 32;
constexpr qreal kTwipsPerPixel = 15.0;        // 1440 twips an inch, 96 pixels an inch

enum class Dest : std::uint8_t { Text, FontTable, ColorTable, ListNumbering, Skip };
enum class ListKind : std::uint8_t { None, Bullet, Decimal };

struct CharProps {
    int font = -1;       // font table number; -1 is the document's default font
    int halfPoints = 0;  // 0 is the default size
    int color = 0;       // colour table index; 0 is the automatic colour
    int highlight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

struct ParaProps {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;    // twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    ListKind list = ListKind::None;
};

struct State {
    Dest dest = Dest::Text;
    int uc = 1;
    CharProps chr;
    ParaProps para;
};

enum class Kw {
    Unknown,
    // destinations
    FontTable, ColorTable, Pn, PnText, FieldResult, Field, SkipDest,
    // document
    DefaultFont, DefaultTab,
    // characters
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontNumber, FontSize, Color,
    Highlight, Super, Sub, NoSuperSub, Hidden,
    // paragraphs
    Par, Pard, Line, Tab, Page, Sect, Cell, Row, AlignLeft, AlignCenter, AlignRight,
    AlignJustify, LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    TabStop, TabRight, TabCenter, TabDecimal,
    // list numbering (inside \pn)
    PnBullet, PnBody, PnCont,
    // font table
    FamilyNil, FamilyRoman, FamilySwiss, FamilyModern, FamilyScript, FamilyDecor,
    FamilyTech, Charset,
    // colour table
    Red, Green, Blue,
    // Unicode
    UnicodeChar, UnicodeSkip,
    // special characters
    EmDash, EnDash, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, EmSpace, EnSpace,
    QmSpace, Zwj, Zwnj,
};

const std::unordered_map<std::string_view, Kw>& keywords()
{
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> t = {
            {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable}, {"pn", Kw::Pn},
            {"pntext", Kw::PnText}, {"listtext", Kw::PnText}, {"fldrslt", Kw::FieldResult},
            {"field", Kw::Field},
            {"deff", Kw::DefaultFont}, {"deftab", Kw::DefaultTab},
            {"plain", Kw::Plain}, {"b", Kw::Bold}, {"i", Kw::Italic}, {"ul", Kw::Underline},
            {"uld", Kw::Underline}, {"uldash", Kw::Underline}, {"uldashd", Kw::Underline},
            {"uldashdd", Kw::Underline}, {"uldb", Kw::Underline}, {"ulhwave", Kw::Underline},
            {"ulldash", Kw::Underline}, {"ulth", Kw::Underline}, {"ulthd", Kw::Underline},
            {"ulthdash", Kw::Underline}, {"ulw", Kw::Underline}, {"ulwave", Kw::Underline},
            {"ulnone", Kw::UnderlineNone}, {"strike", Kw::Strike}, {"striked", Kw::Strike},
            {"f", Kw::FontNumber}, {"fs", Kw::FontSize}, {"cf", Kw::Color},
            {"highlight", Kw::Highlight}, {"cb", Kw::Highlight}, {"super", Kw::Super},
            {"sub", Kw::Sub}, {"nosupersub", Kw::NoSuperSub}, {"v", Kw::Hidden},
            {"par", Kw::Par}, {"pard", Kw::Pard}, {"line", Kw::Line}, {"tab", Kw::Tab},
            {"page", Kw::Page}, {"sect", Kw::Sect}, {"column", Kw::Sect}, {"cell", Kw::Cell},
            {"nestcell", Kw::Cell}, {"row", Kw::Row}, {"nestrow", Kw::Row},
            {"ql", Kw::AlignLeft}, {"qc", Kw::AlignCenter}, {"qr", Kw::AlignRight},
            {"qj", Kw::AlignJustify}, {"li", Kw::LeftIndent}, {"ri", Kw::RightIndent},
            {"fi", Kw::FirstIndent}, {"sb", Kw::SpaceBefore}, {"sa", Kw::SpaceAfter},
            {"tx", Kw::TabStop}, {"tb", Kw::TabStop}, {"tqr", Kw::TabRight},
            {"tqc", Kw::TabCenter}, {"tqdec", Kw::TabDecimal},
            {"pnlvlblt", Kw::PnBullet}, {"pnlvlbody", Kw::PnBody}, {"pnlvlcont", Kw::PnCont},
            {"fnil", Kw::FamilyNil}, {"froman", Kw::FamilyRoman}, {"fswiss", Kw::FamilySwiss},
            {"fmodern", Kw::FamilyModern}, {"fscript", Kw::FamilyScript},
            {"fdecor", Kw::FamilyDecor}, {"ftech", Kw::FamilyTech}, {"fbidi", Kw::FamilyNil},
            {"fcharset", Kw::Charset},
            {"red", Kw::Red}, {"green", Kw::Green}, {"blue", Kw::Blue},
            {"u", Kw::UnicodeChar}, {"uc", Kw::UnicodeSkip},
            {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"bullet", Kw::Bullet},
            {"lquote", Kw::LQuote}, {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote},
            {"rdblquote", Kw::RDblQuote}, {"emspace", Kw::EmSpace}, {"enspace", Kw::EnSpace},
            {"qmspace", Kw::QmSpace}, {"zwj", Kw::Zwj}, {"zwnj", Kw::Zwnj},
        };
        // Destinations whose contents are never shown.
        for (std::string_view w : {
                 "stylesheet", "info", "pict", "object", "objdata", "objclass", "objname",
                 "result", "header", "headerl", "headerr", "headerf", "footer", "footerl",
                 "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor",
                 "fldinst", "themedata", "colorschememapping", "latentstyles", "datastore",
                 "xmlnstbl", "listtable", "listoverridetable", "rsidtbl", "generator",
                 "mmathPr", "nonshppict", "shp", "shpinst", "shptxt", "sp", "sn", "sv", "do",
                 "filetbl", "revtbl", "bkmkstart", "bkmkend", "template", "userprops",
                 "docvar", "pgdsctbl", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
                 "aftncn", "pntxta", "pntxtb", "falt", "panose", "xe", "tc", "txe", "rxe",
                 "author", "operator", "title", "subject", "keywords", "comment", "doccomm",
                 "creatim", "revtim", "printim", "buptim", "private", "fchars", "lchars",
                 "wgrffmtfilter", "listpicture", "protusertbl", "passwordhash"})
            t.emplace(w, Kw::SkipDest);
        return t;
    }();
    return table;
}

// Destinations this reader understands, also after "\*".
bool understoodDestination(Kw kw)
{
    return kw == Kw::FontTable || kw == Kw::ColorTable || kw == Kw::Pn || kw == Kw::PnText
        || kw == Kw::FieldResult || kw == Kw::Field;
}

const char16_t* cp1252Table()
{
    static char16_t table[256];
    static const bool filled = [] {
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            table[b] = fromCp1252(&c, 1).at(0).unicode();
        }
        return true;
    }();
    (void)filled;
    return table;
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters QTextDocument gives a meaning of its own (block and frame
// separators, objects) or that show nothing; never insert them from a file.
char16_t safeChar(char16_t ch)
{
    if (ch < 0x20 && ch != u'\t')
        return 0;
    if (ch == 0x2029 || ch == 0xFFFC || ch == 0xFFFE || ch == 0xFFFF || (ch >= 0xFDD0 && ch <= 0xFDEF))
        return 0xFFFD;
    return ch;
}

// A line can break at a space or after a hyphen. In a word with no such place
// the layout tries every line against the rest of the word, which makes a long
// one cost the square of its length; so a zero-width space, where the layout
// may break, is put after every so many characters of it.
constexpr int kMaxUnbrokenRun = 200;
constexpr char16_t kZeroWidthSpace = 0x200B;

class WordBreaker {
public:
    // Appends `piece` (a character, or a surrogate pair) to `text`, with a
    // break before it where the word has run on too long.
    void append(QString& text, QStringView piece)
    {
        const char16_t ch = piece.front().unicode();
        const bool breaks = ch == u'-' || ch == kZeroWidthSpace || ch == 0x00AD
            || (QChar::isSpace(ch) && ch != 0x00A0 && ch != 0x2007 && ch != 0x202F);
        if (breaks) {
            run_ = 0;
        } else if (++run_ > kMaxUnbrokenRun) {
            text += QChar(kZeroWidthSpace);
            run_ = 1;
        }
        text += piece;
    }
    void reset() { run_ = 0; }

private:
    int run_ = 0;
};

// Below the layout's 2^23 pixels, with room for fallback fonts whose lines
// are taller than those of the font asked for.
constexpr qreal kMaxLayoutHeight = 7'000'000;

// The height of the text if every character, and every paragraph's end, took
// a line of its own: more than any width can make of it.
class HeightBudget {
public:
    explicit HeightBudget(const QTextDocument& document, const QFont* everywhere)
        : default_(document.defaultFont())
        , everywhere_(everywhere)
    {
    }

    qreal lineHeight(const QTextCharFormat& format)
    {
        const QFont font = everywhere_ ? *everywhere_ : format.font().resolve(default_);
        auto it = lineHeights_.constFind(font);
        if (it == lineHeights_.constEnd())
            it = lineHeights_.insert(font, QFontMetricsF(font).lineSpacing());
        return it.value();
    }

    // The position from which the text no longer fits; -1 when all of it does.
    int overflow(const QTextDocument& document)
    {
        qreal height = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            height += format.topMargin() + format.bottomMargin() + lineHeight(block.charFormat());
            if (height > kMaxLayoutHeight)
                return block.position();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const qreal line = lineHeight(fragment.charFormat());
                const qreal room = kMaxLayoutHeight - height;
                if (fragment.length() * line > room)
                    return fragment.position() + int(room / line);
                height += fragment.length() * line;
            }
        }
        return -1;
    }

private:
    QFont default_;
    const QFont* everywhere_;
    QHash<QFont, qreal> lineHeights_;
};

// Cuts the text where it would go beyond the layout's height. False when it
// had to.
bool keepToLayoutHeight(QTextDocument* document)
{
    int cut = HeightBudget(*document, nullptr).overflow(*document);
    if (cut < 0)
        return true;
    // Not between the halves of a surrogate pair, and a paragraph that does not
    // fit at all goes with its separator.
    if (cut > 0 && document->characterAt(cut - 1).isHighSurrogate())
        --cut;
    if (cut > 0 && document->findBlock(cut).position() == cut)
        --cut;
    QTextCursor cursor(document);
    cursor.setPosition(cut);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    return false;
}

qreal twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// \uN takes a signed 16-bit number; negative values stand for the upper half.
char16_t unicodeFromParam(int param)
{
    if (param < 0)
        return char16_t(std::max(param, -32768) + 65536);
    return char16_t(std::min(param, 0xFFFD));
}

class RtfParser {
public:
    RtfParser(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont)
        : p_(bytes.constData())
        , end_(bytes.constData() + bytes.size())
        , document_(document)
        , defaultFont_(defaultFont)
    {
    }

    // False when the text went beyond the limits and was cut there.
    bool run();

private:
    struct FontEntry {
        QString family;
        bool symbol = false;
    };

    bool skipping() const { return overflow_ > 0 || st_.dest == Dest::Skip; }
    void openGroup();
    void closeGroup();
    void controlSequence();
    void controlWord(std::string_view word, bool hasParam, int param);
    void controlSymbol(char c);
    void destinationWord(Kw kw);
    void textWord(Kw kw, bool hasParam, int param);
    void fontTableWord(Kw kw, int param);
    void colorTableWord(Kw kw, int param);
    void listNumberingWord(Kw kw);
    void byteChar(unsigned char b);
    void character(char16_t ch);
    void appendText(char16_t ch);
    void appendPiece(QStringView piece);
    void flushText();
    void endParagraph(bool pageBreakAfter);
    void applyBlockFormat();
    void finishFontEntry();
    void finishColor();
    void setChar(auto change)
    {
        flushText();
        change(st_.chr);
    }
    QTextCharFormat charFormat() const;
    const FontEntry* fontFor(int number) const;

    const char* p_;
    const char* end_;
    QTextDocument* document_;
    QTextCursor cursor_;
    QFont defaultFont_;

    State st_;
    std::vector<State> stack_;
    std::size_t overflow_ = 0;   // groups opened beyond the depth limit
    bool started_ = false;
    bool done_ = false;
    int fallbackToSkip_ = 0;     // characters after \uN that stand in for it
    bool starPending_ = false;   // "\*" before the next control word
    QString pending_;            // text not yet inserted, all in st_.chr
    WordBreaker breaker_;
    qsizetype characters_ = 0;   // in the document, pending_ included
    qsizetype lines_ = 1;        // paragraphs and forced line breaks
    qsizetype runs_ = 0;         // stretches of text in one format
    QTextCharFormat lastFormat_;
    bool tooLong_ = false;
    char16_t highSurrogate_ = 0;

    QHash<int, FontEntry> fonts_;
    int defaultFontNumber_ = 0;  // \deff0 when the file names none
    int entryNumber_ = -1;
    QString entryName_;
    QFont::StyleHint entryHint_ = QFont::AnyStyle;
    bool entrySymbol_ = false;

    QList<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;

    ListKind pnKind_ = ListKind::None;
    bool paragraphHasMarker_ = false;  // \pntext or \listtext wrote its own bullet
    bool pageBreakBefore_ = false;
    QTextList* list_ = nullptr;
    ListKind listKind_ = ListKind::None;
};

bool RtfParser::run()
{
    document_->clear();
    document_->setUndoRedoEnabled(false);
    document_->setDefaultFont(defaultFont_);
    QTextOption option = document_->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(720));
    document_->setDefaultTextOption(option);
    cursor_ = QTextCursor(document_);
    cursor_.beginEditBlock();

    while (p_ < end_ && !done_) {
        const char c = *p_++;
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            closeGroup();
        } else if (c == '\\') {
            controlSequence();
        } else if (c == '\r' || c == '\n') {
            // line ends in the file mean nothing
        } else if (skipping()) {
            if (fallbackToSkip_ > 0)
                --fallbackToSkip_;
        } else {
            byteChar(static_cast<unsigned char>(c));
        }
    }

    if (highSurrogate_) {
        highSurrogate_ = 0;
        const QChar replacement(0xFFFD);
        appendPiece(QStringView(&replacement, 1));
    }
    flushText();
    applyBlockFormat();
    cursor_.endEditBlock();
    return keepToLayoutHeight(document_) && !tooLong_;
}

void RtfParser::openGroup()
{
    fallbackToSkip_ = 0;
    starPending_ = false;
    if (overflow_ > 0 || stack_.size() >= kMaxGroupDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(st_);
    started_ = true;
}

void RtfParser::closeGroup()
{
    fallbackToSkip_ = 0;
    starPending_ = false;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.empty()) {
        done_ = true;
        return;
    }
    flushText();
    if (st_.dest == Dest::FontTable)
        finishFontEntry();
    const bool leavingNumbering = st_.dest == Dest::ListNumbering;
    st_ = std::move(stack_.back());
    stack_.pop_back();
    if (leavingNumbering && st_.dest == Dest::Text)
        st_.para.list = pnKind_;
    // Whatever follows the document's own group is not part of it.
    if (stack_.empty())
        done_ = true;
}

void RtfParser::controlSequence()
{
    if (p_ >= end_)
        return;
    if (!isAsciiLetter(*p_)) {
        controlSymbol(*p_++);
        return;
    }
    const char* start = p_;
    while (p_ < end_ && isAsciiLetter(*p_))
        ++p_;
    std::size_t length = std::size_t(p_ - start);
    bool negative = false;
    if (p_ + 1 < end_ && *p_ == '-' && isAsciiDigit(p_[1])) {
        negative = true;
        ++p_;
    }
    bool hasParam = false;
    long long value = 0;
    while (p_ < end_ && isAsciiDigit(*p_)) {
        hasParam = true;
        if (value <= INT_MAX)
            value = value * 10 + (*p_ - '0');
        ++p_;
    }
    if (p_ < end_ && *p_ == ' ')
        ++p_;
    if (value > INT_MAX)
        value = INT_MAX;
    const int param = negative ? -int(value) : int(value);
    // A word longer than the format allows is nobody's word.
    const std::string_view word = length <= kMaxControlWordLength ? std::string_view(start, length)
                                                                 : std::string_view();
    controlWord(word, hasParam, param);
}

void RtfParser::controlWord(std::string_view word, bool hasParam, int param)
{
    const bool star = starPending_;
    starPending_ = false;
    if (word == "bin") {
        // Raw bytes follow; they are never text for this reader.
        const long long n = hasParam && param > 0 ? param : 0;
        p_ += std::min<long long>(n, end_ - p_);
        if (fallbackToSkip_ > 0)
            --fallbackToSkip_;
        return;
    }
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (skipping())
        return;
    const auto& table = keywords();
    const auto it = table.find(word);
    const Kw kw = it == table.end() ? Kw::Unknown : it->second;
    if (star && !understoodDestination(kw)) {
        flushText();
        st_.dest = Dest::Skip;
        return;
    }
    switch (kw) {
    case Kw::FontTable:
    case Kw::ColorTable:
    case Kw::Pn:
    case Kw::PnText:
    case Kw::FieldResult:
    case Kw::Field:
    case Kw::SkipDest:
        destinationWord(kw);
        return;
    default:
        break;
    }
    switch (st_.dest) {
    case Dest::Text:
        textWord(kw, hasParam, param);
        break;
    case Dest::FontTable:
        fontTableWord(kw, param);
        break;
    case Dest::ColorTable:
        colorTableWord(kw, param);
        break;
    case Dest::ListNumbering:
        listNumberingWord(kw);
        break;
    case Dest::Skip:
        break;
    }
    // Unicode escapes mean the same in every destination (font names too).
    if (kw == Kw::UnicodeSkip)
        st_.uc = std::max(hasParam ? param : 1, 0);
    if (kw == Kw::UnicodeChar && hasParam && st_.dest != Dest::Text) {
        character(unicodeFromParam(param));
        fallbackToSkip_ = st_.uc;
    }
}

void RtfParser::destinationWord(Kw kw)
{
    flushText();
    switch (kw) {
    case Kw::FontTable:
        st_.dest = Dest::FontTable;
        entryNumber_ = -1;
        entryName_.clear();
        break;
    case Kw::ColorTable:
        st_.dest = Dest::ColorTable;
        colorGiven_ = false;
        red_ = green_ = blue_ = 0;
        break;
    case Kw::Pn:
        if (st_.dest == Dest::Text) {
            st_.dest = Dest::ListNumbering;
            pnKind_ = ListKind::None;
        }
        break;
    case Kw::PnText:
        // The paragraph's own bullet or number, written out as text.
        if (st_.dest == Dest::Text)
            paragraphHasMarker_ = true;
        break;
    case Kw::FieldResult:
    case Kw::Field:
        break;
    default:
        st_.dest = Dest::Skip;
        break;
    }
}

void RtfParser::textWord(Kw kw, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    switch (kw) {
    case Kw::DefaultFont:
        defaultFontNumber_ = param;
        break;
    case Kw::DefaultTab:
        if (param > 0) {
            QTextOption option = document_->defaultTextOption();
            option.setTabStopDistance(twipsToPixels(std::min(param, kMaxTwips)));
            document_->setDefaultTextOption(option);
        }
        break;
    case Kw::Plain:
        setChar([](CharProps& c) { c = CharProps(); });
        break;
    case Kw::Bold:
        setChar([on](CharProps& c) { c.bold = on; });
        break;
    case Kw::Italic:
        setChar([on](CharProps& c) { c.italic = on; });
        break;
    case Kw::Underline:
        setChar([on](CharProps& c) { c.underline = on; });
        break;
    case Kw::UnderlineNone:
        setChar([](CharProps& c) { c.underline = false; });
        break;
    case Kw::Strike:
        setChar([on](CharProps& c) { c.strike = on; });
        break;
    case Kw::Hidden:
        setChar([on](CharProps& c) { c.hidden = on; });
        break;
    case Kw::FontNumber:
        setChar([param](CharProps& c) { c.font = param; });
        break;
    case Kw::FontSize:
        setChar([param](CharProps& c) { c.halfPoints = param > 0 ? std::min(param, kMaxHalfPoints) : 0; });
        break;
    case Kw::Color:
        setChar([param](CharProps& c) { c.color = param; });
        break;
    case Kw::Highlight:
        setChar([param](CharProps& c) { c.highlight = param; });
        break;
    case Kw::Super:
        setChar([](CharProps& c) { c.vertical = QTextCharFormat::AlignSuperScript; });
        break;
    case Kw::Sub:
        setChar([](CharProps& c) { c.vertical = QTextCharFormat::AlignSubScript; });
        break;
    case Kw::NoSuperSub:
        setChar([](CharProps& c) { c.vertical = QTextCharFormat::AlignNormal; });
        break;
    case Kw::Par:
    case Kw::Sect:
    case Kw::Row:
        endParagraph(false);
        break;
    case Kw::Page:
        endParagraph(true);
        break;
    case Kw::Pard:
        st_.para = ParaProps();
        break;
    case Kw::Line:
        character(QChar::LineSeparator);
        break;
    case Kw::Tab:
    case Kw::Cell:
        character(u'\t');
        break;
    case Kw::AlignLeft:
        st_.para.align = Qt::AlignLeft;
        break;
    case Kw::AlignCenter:
        st_.para.align = Qt::AlignHCenter;
        break;
    case Kw::AlignRight:
        st_.para.align = Qt::AlignRight;
        break;
    case Kw::AlignJustify:
        st_.para.align = Qt::AlignJustify;
        break;
    case Kw::LeftIndent:
        st_.para.left = std::clamp(param, -kMaxTwips, kMaxTwips);
        break;
    case Kw::RightIndent:
        st_.para.right = std::clamp(param, -kMaxTwips, kMaxTwips);
        break;
    case Kw::FirstIndent:
        st_.para.first = std::clamp(param, -kMaxTwips, kMaxTwips);
        break;
    case Kw::SpaceBefore:
        st_.para.before = std::clamp(param, 0, kMaxTwips);
        break;
    case Kw::SpaceAfter:
        st_.para.after = std::clamp(param, 0, kMaxTwips);
        break;
    case Kw::TabRight:
        st_.para.nextTabType = QTextOption::RightTab;
        break;
    case Kw::TabCenter:
        st_.para.nextTabType = QTextOption::CenterTab;
        break;
    case Kw::TabDecimal:
        st_.para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Kw::TabStop:
        if (st_.para.tabs.size() < kMaxTabStops && param > 0) {
            const auto type = st_.para.nextTabType;
            st_.para.tabs.append(QTextOption::Tab(twipsToPixels(std::min(param, kMaxTwips)), type,
                                                  type == QTextOption::DelimiterTab ? QChar(u',') : QChar()));
        }
        st_.para.nextTabType = QTextOption::LeftTab;
        break;
    case Kw::UnicodeChar:
        if (hasParam) {
            character(unicodeFromParam(param));
            fallbackToSkip_ = st_.uc;
        }
        break;
    case Kw::EmDash:
        character(u'\u2014');
        break;
    case Kw::EnDash:
        character(u'\u2013');
        break;
    case Kw::Bullet:
        character(u'\u2022');
        break;
    case Kw::LQuote:
        character(u'\u2018');
        break;
    case Kw::RQuote:
        character(u'\u2019');
        break;
    case Kw::LDblQuote:
        character(u'\u201C');
        break;
    case Kw::RDblQuote:
        character(u'\u201D');
        break;
    case Kw::EmSpace:
        character(u'\u2003');
        break;
    case Kw::EnSpace:
        character(u'\u2002');
        break;
    case Kw::QmSpace:
        character(u'\u2005');
        break;
    case Kw::Zwj:
        character(u'\u200D');
        break;
    case Kw::Zwnj:
        character(u'\u200C');
        break;
    default:
        break;
    }
}

void RtfParser::fontTableWord(Kw kw, int param)
{
    switch (kw) {
    case Kw::FontNumber:
        finishFontEntry();
        entryNumber_ = param;
        entryName_.clear();
        entryHint_ = QFont::AnyStyle;
        entrySymbol_ = false;
        break;
    case Kw::FamilyRoman:
        entryHint_ = QFont::Serif;
        break;
    case Kw::FamilySwiss:
        entryHint_ = QFont::SansSerif;
        break;
    case Kw::FamilyModern:
        entryHint_ = QFont::TypeWriter;
        break;
    case Kw::FamilyScript:
        entryHint_ = QFont::Cursive;
        break;
    case Kw::FamilyDecor:
        entryHint_ = QFont::Decorative;
        break;
    case Kw::FamilyTech:
        entrySymbol_ = true;
        break;
    case Kw::Charset:
        if (param == 2)
            entrySymbol_ = true;
        break;
    default:
        break;
    }
}

void RtfParser::colorTableWord(Kw kw, int param)
{
    const int v = std::clamp(param, 0, 255);
    switch (kw) {
    case Kw::Red:
        red_ = v;
        colorGiven_ = true;
        break;
    case Kw::Green:
        green_ = v;
        colorGiven_ = true;
        break;
    case Kw::Blue:
        blue_ = v;
        colorGiven_ = true;
        break;
    default:
        break;
    }
}

void RtfParser::listNumberingWord(Kw kw)
{
    if (kw == Kw::PnBullet)
        pnKind_ = ListKind::Bullet;
    else if (kw == Kw::PnBody)
        pnKind_ = ListKind::Decimal;
    else if (kw == Kw::PnCont)
        pnKind_ = ListKind::None;
}

void RtfParser::controlSymbol(char c)
{
    const bool star = c == '*';
    starPending_ = false;
    if (c == '\'') {
        // \'hh: one byte in the document's code page
        int value = 0;
        int digits = 0;
        while (digits < 2 && p_ < end_ && hexValue(*p_) >= 0) {
            value = value * 16 + hexValue(*p_++);
            ++digits;
        }
        if (digits < 2)
            value = -1;
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return;
        }
        if (value >= 0 && !skipping())
            byteChar(static_cast<unsigned char>(value));
        return;
    }
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (skipping())
        return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        character(char16_t(c));
        break;
    case '~':
        character(u'\u00A0');
        break;
    case '-':
        character(u'\u00AD');
        break;
    case '_':
        character(u'-');
        break;
    case '\r':
    case '\n':
        if (st_.dest == Dest::Text)
            endParagraph(false);
        break;
    default:
        break;
    }
    starPending_ = star;
}

void RtfParser::byteChar(unsigned char b)
{
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (st_.dest == Dest::Text && b >= 0x80) {
        if (const FontEntry* f = fontFor(st_.chr.font); f && f->symbol) {
            // Word processors write list bullets in a symbol font.
            if (b == 0xB7) {
                character(u'\u2022');
                return;
            }
            if (b == 0xA7) {
                character(u'\u25AA');
                return;
            }
        }
    }
    character(cp1252Table()[b]);
}

void RtfParser::character(char16_t ch)
{
    switch (st_.dest) {
    case Dest::Text:
        if (!st_.chr.hidden && started_)
            appendText(ch);
        break;
    case Dest::FontTable:
        if (ch == u';')
            finishFontEntry();
        else if (entryName_.size() < kMaxFontNameLength && ch >= 0x20)
            entryName_ += QChar(ch);
        break;
    case Dest::ColorTable:
        if (ch == u';')
            finishColor();
        break;
    default:
        break;
    }
}

void RtfParser::appendText(char16_t ch)
{
    const QChar replacement(0xFFFD);
    if (QChar::isHighSurrogate(ch)) {
        if (highSurrogate_)
            appendPiece(QStringView(&replacement, 1));
        highSurrogate_ = ch;
        return;
    }
    if (QChar::isLowSurrogate(ch)) {
        if (highSurrogate_) {
            const QChar pair[] = {QChar(highSurrogate_), QChar(ch)};
            appendPiece(QStringView(pair, 2));
            highSurrogate_ = 0;
        } else {
            appendPiece(QStringView(&replacement, 1));
        }
        return;
    }
    if (highSurrogate_) {
        appendPiece(QStringView(&replacement, 1));
        highSurrogate_ = 0;
    }
    if (const char16_t safe = safeChar(ch)) {
        const QChar c(safe);
        appendPiece(QStringView(&c, 1));
    }
}

void RtfParser::appendPiece(QStringView piece)
{
    if (tooLong_)
        return;
    const qsizetype before = pending_.size();
    breaker_.append(pending_, piece);
    characters_ += pending_.size() - before;
    if (characters_ > MaxTextCharacters || (piece.front() == QChar::LineSeparator && ++lines_ > MaxTextLines)) {
        pending_.truncate(before);
        tooLong_ = done_ = true;
    }
}

void RtfParser::flushText()
{
    if (pending_.isEmpty())
        return;
    const QTextCharFormat format = charFormat();
    if (format != lastFormat_) {
        lastFormat_ = format;
        if (++runs_ > MaxTextFormatRuns) {
            pending_.clear();
            tooLong_ = done_ = true;
            return;
        }
    }
    cursor_.insertText(pending_, format);
    pending_.clear();
}

void RtfParser::endParagraph(bool pageBreakAfter)
{
    if (tooLong_)
        return;
    if (++lines_ > MaxTextLines) {
        tooLong_ = done_ = true;
        return;
    }
    breaker_.reset();
    flushText();
    applyBlockFormat();
    // A fresh format: the new paragraph must not inherit list membership.
    cursor_.insertBlock(QTextBlockFormat(), charFormat());
    paragraphHasMarker_ = false;
    pageBreakBefore_ = pageBreakAfter;
}

void RtfParser::applyBlockFormat()
{
    const ParaProps& pp = st_.para;
    QTextBlockFormat block;
    block.setAlignment(pp.align);
    // Indents that would put text left of the page edge are kept on the page.
    const int left = std::max(pp.left, 0);
    block.setLeftMargin(twipsToPixels(left));
    block.setRightMargin(twipsToPixels(std::max(pp.right, 0)));
    block.setTopMargin(twipsToPixels(pp.before));
    block.setBottomMargin(twipsToPixels(pp.after));
    const ListKind list = paragraphHasMarker_ ? ListKind::None : pp.list;
    const int first = list == ListKind::None ? std::max(pp.first, -left) : 0;
    block.setTextIndent(twipsToPixels(first));
    // Tab stops count from the page margin here, from the start of the first
    // line in the layout; a hanging indent is a tab stop of its own.
    const qreal lineStart = twipsToPixels(left + first);
    QList<QTextOption::Tab> tabs;
    if (first < 0)
        tabs.append(QTextOption::Tab(-twipsToPixels(first), QTextOption::LeftTab));
    for (QTextOption::Tab tab : pp.tabs) {
        tab.position -= lineStart;
        if (tab.position > 0)
            tabs.append(tab);
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    if (!tabs.isEmpty())
        block.setTabPositions(tabs);
    if (pageBreakBefore_)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor_.setBlockFormat(block);
    cursor_.setBlockCharFormat(charFormat());

    if (list == ListKind::None) {
        list_ = nullptr;
        return;
    }
    const QTextBlock current = cursor_.block();
    if (list_ && listKind_ == list && current.previous().textList() == list_) {
        list_->add(current);
    } else {
        QTextListFormat format;
        format.setStyle(list == ListKind::Bullet ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
        format.setIndent(0);
        list_ = cursor_.createList(format);
        listKind_ = list;
    }
}

void RtfParser::finishFontEntry()
{
    if (entryNumber_ >= 0 && !fonts_.contains(entryNumber_) && fonts_.size() < kMaxTableEntries) {
        const QString name = entryName_.trimmed();
        if (!name.isEmpty()) {
            FontEntry entry;
            entry.symbol = entrySymbol_ || name.compare(u"Symbol", Qt::CaseInsensitive) == 0
                || name.startsWith(u"Wingdings", Qt::CaseInsensitive);
            entry.family = installedFontFamily(name, entryHint_);
            fonts_.insert(entryNumber_, entry);
        }
    }
    entryNumber_ = -1;
    entryName_.clear();
    entryHint_ = QFont::AnyStyle;
    entrySymbol_ = false;
}

void RtfParser::finishColor()
{
    if (colors_.size() < kMaxTableEntries)
        colors_.append(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
    colorGiven_ = false;
    red_ = green_ = blue_ = 0;
}

const RtfParser::FontEntry* RtfParser::fontFor(int number) const
{
    auto it = fonts_.constFind(number);
    if (it == fonts_.constEnd())
        it = fonts_.constFind(defaultFontNumber_);
    return it == fonts_.constEnd() ? nullptr : &it.value();
}

QTextCharFormat RtfParser::charFormat() const
{
    const CharProps& c = st_.chr;
    QTextCharFormat format;
    const FontEntry* font = fontFor(c.font);
    // A symbol font's bullets were turned into Unicode; show them in the text font.
    if (font && font->symbol)
        font = fontFor(defaultFontNumber_);
    format.setFontFamilies(QStringList{font && !font->symbol ? font->family : defaultFont_.family()});
    if (c.halfPoints > 0)
        format.setFontPointSize(c.halfPoints / 2.0);
    else if (defaultFont_.pointSizeF() > 0)
        format.setFontPointSize(defaultFont_.pointSizeF());
    format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(c.italic);
    format.setFontUnderline(c.underline);
    format.setFontStrikeOut(c.strike);
    if (c.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(c.vertical);
    if (c.color > 0 && c.color < colors_.size() && colors_.at(c.color).isValid())
        format.setForeground(colors_.at(c.color));
    if (c.highlight > 0 && c.highlight < colors_.size() && colors_.at(c.highlight).isValid())
        format.setBackground(colors_.at(c.highlight));
    return format;
}

// The text as the document gets it: one kind of line end, no characters the
// document would take for structure, long words given places to break. False
// when it goes beyond the limits; the text then ends there.
bool normaliseText(QString& text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QString out;
    out.reserve(std::min(text.size(), MaxTextCharacters + 1));
    WordBreaker breaker;
    qsizetype lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t u = text.at(i).unicode();
        if (u == u'\n' || u == QChar::LineSeparator) {
            if (++lines > MaxTextLines)
                break;
            breaker.reset();
            out += QChar(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            breaker.append(out, QStringView(text).mid(i, 2));
            ++i;
        } else {
            if (QChar::isSurrogate(u))
                u = 0xFFFD;
            const char16_t safe = safeChar(u);
            const QChar c(safe ? safe : u' ');
            breaker.append(out, QStringView(&c, 1));
        }
        if (out.size() > MaxTextCharacters)
            break;
    }
    const bool whole = out.size() <= MaxTextCharacters && lines <= MaxTextLines;
    out.truncate(std::min(out.size(), MaxTextCharacters));
    text = std::move(out);
    return whole;
}

} // namespace

bool fitsTextLayout(const QTextDocument& document, const QFont* everywhere)
{
    return HeightBudget(document, everywhere).overflow(document) < 0;
}

bool isRichText(const QByteArray& bytes)
{
    return bytes.startsWith("{\\rtf");
}

bool readRichText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont)
{
    return RtfParser(document, bytes, defaultFont).run();
}

bool readPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont)
{
    QString text = bytes.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(bytes.mid(3)) : fromCp1252(bytes);
    const bool whole = normaliseText(text);
    document->clear();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(defaultFont);
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(720));
    document->setDefaultTextOption(option);
    document->setPlainText(text);
    return keepToLayoutHeight(document) && whole;
}

bool readRichOrPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont)
{
    return isRichText(bytes) ? readRichText(document, bytes, defaultFont)
                             : readPlainText(document, bytes, defaultFont);
}

QByteArray readFileBytes(const QString& fileName)
{
    // A device, a pipe or a folder is no text, however it is named.
    return readPlainFile(fileName, MaxTextFileSize, "dit is geen gewoon bestand en kan niet worden getoond.",
                         "dit bestand is te groot om te tonen (meer dan 8 MB).");
}

QString installedFontFamily(const QString& name, QFont::StyleHint hint)
{
    static QHash<QString, QString> cache;
    const QString key = name.toLower() + QLatin1Char('/') + QString::number(int(hint));
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return it.value();

    QString family;
    if (QFontDatabase::hasFamily(name)) {
        family = name;
    } else {
        // The usual Windows names, with their metric-compatible stand-ins first.
        static const QHash<QString, QStringList> standIns = {
            {QStringLiteral("arial"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("helvetica"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("ms sans serif"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("ms shell dlg"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("ms shell dlg 2"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("system"), {QStringLiteral("Liberation Sans")}},
            {QStringLiteral("tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}},
            {QStringLiteral("verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}},
            {QStringLiteral("arial narrow"), {QStringLiteral("Liberation Sans Narrow")}},
            {QStringLiteral("times new roman"), {QStringLiteral("Liberation Serif")}},
            {QStringLiteral("times"), {QStringLiteral("Liberation Serif")}},
            {QStringLiteral("ms serif"), {QStringLiteral("Liberation Serif")}},
            {QStringLiteral("courier new"), {QStringLiteral("Liberation Mono")}},
            {QStringLiteral("courier"), {QStringLiteral("Liberation Mono")}},
            {QStringLiteral("lucida console"), {QStringLiteral("Liberation Mono")}},
            {QStringLiteral("fixedsys"), {QStringLiteral("Liberation Mono")}},
        };
        for (const QString& candidate : standIns.value(name.toLower()))
            if (QFontDatabase::hasFamily(candidate)) {
                family = candidate;
                break;
            }
        if (family.isEmpty()) {
            // Anything else: the font matcher's choice for the name and its kind.
            QFont font(name);
            font.setStyleHint(hint);
            family = QFontInfo(font).family();
        }
    }
    if (cache.size() > 1000)
        cache.clear();
    cache.insert(key, family);
    return family;
}

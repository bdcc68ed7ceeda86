#pragma once
#include <QByteArray>
#include <QFont>
#include <QString>

class QTextDocument;

// Our own reader for rich text as word processors write it. It builds the
// document through QTextCursor only: no HTML, and nothing outside the bytes it
// is given is ever loaded.

// What a text may be. No help text comes near these (the guide has 21 000
// characters, 200 lines and 350 runs); laying out a larger one would hold the
// program up for seconds, and reading a larger file would only fill memory.
constexpr qint64 MaxTextFileSize = 8LL * 1024 * 1024;
constexpr qsizetype MaxTextCharacters = 400'000;   // some 150 printed pages
constexpr qsizetype MaxTextLines = 20'000;         // paragraphs and forced line breaks
constexpr qsizetype MaxTextFormatRuns = 20'000;    // stretches of text in one format

// The toolkit's text layout keeps positions in fixed point and takes 2^23
// pixels for an endless page: a text laid out taller than that keeps it making
// new pages for minutes. A text is therefore also kept to a height it stays
// well below even where every character takes a line of its own, whatever the
// width. True when `document` keeps to it; with `everywhere`, when it would
// with all of its text in that font.
bool fitsTextLayout(const QTextDocument& document, const QFont* everywhere = nullptr);

// True when the bytes begin with "{\rtf".
bool isRichText(const QByteArray& bytes);

// The readers replace the document's contents with the text in `bytes`. They
// return false, leaving the document with the beginning of the text, when the
// text goes beyond the limits above or the layout's height. A word too long for any line is given
// places to break after every so many characters.

// Rich text. Text that carries no font or size of its own is shown in
// `defaultFont`. Damaged input (truncated, unbalanced, absurd numbers) gives
// whatever could be read.
bool readRichText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Plain Windows-1252 text (or UTF-8 after a byte-order mark), shown as the
// characters it holds.
bool readPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Rich text when the bytes begin with "{\rtf", otherwise plain text.
bool readRichOrPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Reads a whole regular file of at most MaxTextFileSize bytes. Anything else,
// and a file that cannot be opened or read, throws FileError with the
// system's error text or a Dutch one of our own.
QByteArray readFileBytes(const QString& fileName);

// The installed family that stands in for a font name found in a document
// ("Arial", "Courier New", "MS Sans Serif", ...).
QString installedFontFamily(const QString& name, QFont::StyleHint hint = QFont::AnyStyle);

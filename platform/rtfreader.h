#pragma once
#include <QByteArray>
#include <QFont>
#include <QString>

class QTextDocument;

// Our own reader for rich text as word processors write it. It builds the
// document through QTextCursor only: no HTML, and nothing outside the bytes it
// is given is ever loaded.

// True when the bytes begin with "{\rtf".
bool isRichText(const QByteArray& bytes);

// Replaces the document's contents with the rich text in `bytes`. Text that
// carries no font or size of its own is shown in `defaultFont`. Damaged input
// (truncated, unbalanced, absurd numbers) gives whatever could be read; it
// never fails.
void readRichText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Replaces the document's contents with `bytes` as plain Windows-1252 text (or
// UTF-8 after a byte-order mark), shown as the characters it holds.
void readPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Rich text when the bytes begin with "{\rtf", otherwise plain text.
void readRichOrPlainText(QTextDocument* document, const QByteArray& bytes, const QFont& defaultFont);

// Reads a whole file; a file that cannot be opened or read throws FileError
// with the system's error text.
QByteArray readFileBytes(const QString& fileName);

// The installed family that stands in for a font name found in a document
// ("Arial", "Courier New", "MS Sans Serif", ...).
QString installedFontFamily(const QString& name, QFont::StyleHint hint = QFont::AnyStyle);

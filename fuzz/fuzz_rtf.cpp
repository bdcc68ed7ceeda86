// libFuzzer target: the rich-text reader on arbitrary bytes, read as rich text
// whatever they begin with, then laid out as the help viewer would.
#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

#include "platform/rtfreader.h"

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// Characters the document would take for structure of its own, or controls,
// must never come out of a file.
void checkText(const QTextDocument& document)
{
    for (const QChar ch : document.toRawText()) {
        const char16_t u = ch.unicode();
        if (u == u'\t' || u == 0x2028 || u == 0x2029)
            continue;
        if (u < 0x20 || u == 0xFFFC || (u >= 0xFDD0 && u <= 0xFDEF))
            __builtin_trap();
    }
}

} // namespace

// Laying text out makes the toolkit ask fontconfig for fallback fonts; the
// patterns it gets back for them, and fontconfig's one-time set-up, are never
// freed. Those leaks are the libraries' own, not the reader's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ensureApplication();
    static const QFont defaultFont(installedFontFamily(QStringLiteral("Courier New")), 10);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    QTextDocument document;
    readRichText(&document, bytes, defaultFont);
    checkText(document);
    document.setTextWidth(480);
    (void)document.documentLayout()->documentSize();

    if (!isRichText(bytes)) {
        readRichOrPlainText(&document, bytes, defaultFont);
        checkText(document);
        if (document.toPlainText().size() > qsizetype(size) * 2 + 1)
            __builtin_trap();
    }
    return 0;
}

#include "data/cp1252.h"

namespace {
// 0x80..0x9F; the five unassigned bytes map to the C1 controls of the same value.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t decodeByte(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
}

int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}
}

QString fromCp1252(const char* bytes, int length)
{
    QString out;
    out.reserve(length);
    for (int i = 0; i < length; ++i)
        out.append(QChar(decodeByte(static_cast<unsigned char>(bytes[i]))));
    return out;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = encodeChar(c.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

bool isCp1252(const QString& text)
{
    for (QChar c : text)
        if (encodeChar(c.unicode()) < 0)
            return false;
    return true;
}

namespace {
// Letters that Unicode does not decompose into a base letter and an accent.
QChar baseLetter(QChar c)
{
    switch (c.unicode()) {
    case 0x0141: return QLatin1Char('L');   // Ł
    case 0x0142: return QLatin1Char('l');
    case 0x0110: return QLatin1Char('D');   // Đ
    case 0x0111: return QLatin1Char('d');
    case 0x0131: return QLatin1Char('i');   // dotless i
    case 0x02BC: case 0x02B9: case 0x2032: return QLatin1Char('\'');
    default: break;
    }
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    for (QChar d : decomposed)
        if (d.category() != QChar::Mark_NonSpacing && encodeChar(d.unicode()) >= 0)
            return d;
    return QChar();
}
}

QString transliterateToCp1252(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (encodeChar(c.unicode()) >= 0) {
            out.append(c);
            continue;
        }
        const QChar b = baseLetter(c);
        if (!b.isNull())
            out.append(b);
    }
    return out;
}

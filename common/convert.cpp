#include "common/convert.h"

#include "platform/error.h"

#include <cmath>

namespace qm {

namespace {

// The number found at the start of a text.
struct Scan
{
    qsizetype length = 0; // characters taken; 0 when the text starts with no number
    double value = 0;
    bool overflow = false;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c, int radix)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c.unicode() - u'A' + 10;
    return d < radix ? d : -1;
}

// "&H1F", "&O17": the digits as written, no sign.
Scan scanRadix(QStringView text)
{
    Scan scan;
    if (text.size() < 3 || text[0] != u'&')
        return scan;
    const QChar prefix = text[1].toUpper();
    const int radix = prefix == u'H' ? 16 : prefix == u'O' ? 8 : 0;
    if (radix == 0)
        return scan;
    qsizetype i = 2;
    for (int d; i < text.size() && (d = digitValue(text[i], radix)) >= 0; ++i)
        scan.value = scan.value * radix + d;
    if (i > 2)
        scan.length = i;
    else
        scan.value = 0;
    return scan;
}

Scan scanDecimal(QStringView text)
{
    Scan scan;
    qsizetype i = 0;
    const auto n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return scan;

    // An exponent counts only when a digit follows it; "1e" and "12 days" stop before it.
    // The old runtime also took D as the exponent letter.
    QString number = text.first(i).toString();
    if (i < n && QStringLiteral("eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            number += u'e';
            number += text.sliced(i + 1, j - i - 1);
            i = j;
        }
    }

    bool ok = false;
    const double value = number.toDouble(&ok);
    scan.length = i;
    if (ok)
        scan.value = value == 0 ? 0 : value; // no negative zero from "-0"
    else
        scan.overflow = std::isinf(value); // otherwise an underflow, which reads 0
    return scan;
}

Scan scanNumber(QStringView text)
{
    const Scan radix = scanRadix(text);
    return radix.length > 0 ? radix : scanDecimal(text);
}

} // namespace

double Val(const QString &text)
{
    QString compact = text;
    compact.remove(u' ').remove(u'\t').remove(u'\n').remove(u'\r');
    const Scan scan = scanNumber(compact);
    return scan.overflow ? 0 : scan.value;
}

double Val(const Value &value)
{
    return Val(value.toText());
}

double strictNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    const Scan scan = scanNumber(trimmed);
    if (scan.length == 0 || scan.length != trimmed.size())
        throw Error(ErrorCode::TypeMismatch);
    if (scan.overflow)
        throw Error(ErrorCode::Overflow);
    return scan.value;
}

bool isNumeric(const QString &text)
{
    const QString trimmed = text.trimmed();
    const Scan scan = scanNumber(trimmed);
    return scan.length > 0 && scan.length == trimmed.size() && !scan.overflow;
}

} // namespace qm

#include "data/numbertext.h"

#include <QString>
#include <cmath>

namespace qm {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isExponentLetter(QChar c)
{
    return c == u'e' || c == u'E' || c == u'd' || c == u'D';
}

} // namespace

bool isNumberBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

LeadingNumber readLeadingNumber(QStringView text)
{
    LeadingNumber number;
    const qsizetype n = text.size();
    qsizetype i = 0;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return number;

    // An exponent counts only when a digit follows it: "1e" and "12 days" stop before it.
    QString written = text.first(i).toString();
    if (i < n && isExponentLetter(text[i])) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            written += u'e';
            written += text.sliced(i + 1, j - i - 1);
            i = j;
        }
    }

    bool ok = false;
    const double value = written.toDouble(&ok); // always the C locale's "."
    number.length = i;
    if (ok)
        number.value = value == 0 ? 0 : value; // no negative zero from "-0"
    else
        number.overflow = std::isinf(value); // otherwise an underflow, which reads 0
    return number;
}

QStringView trimNumberBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isNumberBlank(text[first]))
        ++first;
    while (end > first && isNumberBlank(text[end - 1]))
        --end;
    return text.sliced(first, end - first);
}

WholeNumber readWholeNumber(QStringView text, double &value)
{
    const QStringView trimmed = trimNumberBlanks(text);
    const LeadingNumber number = readLeadingNumber(trimmed);
    if (number.length == 0 || number.length != trimmed.size())
        return WholeNumber::NotANumber;
    if (number.overflow)
        return WholeNumber::OutOfRange;
    value = number.value;
    return WholeNumber::Number;
}

} // namespace qm

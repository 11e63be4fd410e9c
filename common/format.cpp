#include "common/format.h"

#include "data/decimal.h"

#include <cmath>

namespace qm {

QString Format(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return QString::number(value);

    const qsizetype point = pattern.indexOf(u'.');
    const QString integerPattern = point < 0 ? pattern : pattern.first(point);
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const int minIntegerDigits = int(integerPattern.count(u'0'));

    QString digits = scaledDigits(value, decimals);
    const bool negative = value < 0 && digits != u"0";
    if (digits.size() < decimals)
        digits.prepend(QString(decimals - digits.size(), u'0'));

    QString integer = digits.first(digits.size() - decimals);
    qsizetype lead = 0;
    while (lead < integer.size() && integer[lead] == u'0')
        ++lead;
    integer = integer.sliced(lead);
    if (integer.size() < minIntegerDigits)
        integer.prepend(QString(minIntegerDigits - integer.size(), u'0'));

    QString result = negative ? QStringLiteral("-") + integer : integer;
    if (point >= 0)
        result += u'.' + digits.last(decimals);
    return result;
}

QString plainNumber(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    // d.dddddddddddddde+XX: the fifteen significant digits and where the point goes.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.first(1) + scientific.mid(2, e - 2);
    const int point = scientific.mid(e + 1).toInt() + 1;
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString text;
    if (point <= 0)
        text = QStringLiteral("0.") + QString(-point, u'0') + digits;
    else if (point >= digits.size())
        text = digits + QString(point - digits.size(), u'0');
    else
        text = digits.first(point) + u'.' + digits.sliced(point);
    return value < 0 ? u'-' + text : text;
}

} // namespace qm

#include "data/decimal.h"

#include <cmath>

namespace qm {

namespace {

constexpr int SignificantDigits = 15;

} // namespace

QString scaledDigits(double value, int decimals)
{
    // "d.dddddddddddddde±x": exactly 15 significant digits and the power of ten of the first.
    const QString text = QString::number(std::fabs(value), 'e', SignificantDigits - 1);
    const qsizetype e = text.indexOf(u'e');
    QString digits = text.first(e);
    digits.remove(u'.');
    const int exponent = text.sliced(e + 1).toInt();

    // Digits kept: those at or above 10^-decimals.
    const qsizetype kept = qsizetype(exponent) + decimals + 1;
    QString result;
    if (kept >= digits.size()) {
        result = digits + QString(kept - digits.size(), u'0');
    } else if (kept <= 0) {
        result = kept == 0 && digits[0] >= u'5' ? QStringLiteral("1") : QStringLiteral("0");
    } else {
        result = digits.first(kept);
        if (digits[kept] >= u'5') {
            qsizetype i = kept - 1;
            for (; i >= 0 && result[i] == u'9'; --i)
                result[i] = u'0';
            if (i >= 0)
                result[i] = QChar(result[i].unicode() + 1);
            else
                result.prepend(u'1');
        }
    }

    qsizetype lead = 0;
    while (lead < result.size() - 1 && result[lead] == u'0')
        ++lead;
    return result.sliced(lead);
}

double roundDecimal(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const QString digits = scaledDigits(value, decimals);
    if (digits == u"0")
        return 0;
    bool ok = false;
    const double magnitude = (digits + u'e' + QString::number(-decimals)).toDouble(&ok);
    if (!ok) // only next to the largest double, whose 15-digit form lies beyond it
        return value;
    return value < 0 ? -magnitude : magnitude;
}

} // namespace qm

#include "common/convert.h"

#include "data/error.h"
#include "data/numbertext.h"

#include <cmath>

namespace qm {

double Val(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text)
        if (!isNumberBlank(c))
            compact += c;
    return readLeadingNumber(compact).value;
}

double Val(const Value &value)
{
    // A stored number counts in full, not as the fifteen digits its text shows.
    if (value.kind() == Value::Kind::Double) {
        const double number = value.toDouble();
        return std::isfinite(number) ? number : 0;
    }
    return Val(value.toText());
}

double strictNumber(const QString &text)
{
    double value = 0;
    switch (readWholeNumber(text, value)) {
    case WholeNumber::Number: return value;
    case WholeNumber::OutOfRange: throw Error(ErrorCode::Overflow);
    case WholeNumber::NotANumber: break;
    }
    throw Error(ErrorCode::TypeMismatch);
}

bool isNumeric(const QString &text)
{
    double value = 0;
    return readWholeNumber(text, value) == WholeNumber::Number;
}

} // namespace qm

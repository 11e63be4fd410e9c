#include "data/value.h"

#include "data/dates.h"
#include "data/error.h"
#include "data/numbertext.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace qm {

namespace {

[[noreturn]] void typeMismatch()
{
    throw Error(ErrorCode::TypeMismatch);
}

} // namespace

Value::Value() = default;
Value::Value(int v)
    : m_data(qint64(v))
{
}
Value::Value(qint64 v)
    : m_data(v)
{
}
Value::Value(double v)
    : m_data(v)
{
}
Value::Value(const QString &v)
    : m_data(v)
{
}

Value::Value(const char *v)
{
    if (v)
        m_data = QString::fromUtf8(v);
}

Value::Value(const QDate &v)
{
    if (v.isValid())
        m_data = v;
}

Value Value::blob(const QByteArray &bytes)
{
    Value v;
    v.m_data = BlobTag{bytes};
    return v;
}

Value::Kind Value::kind() const
{
    return static_cast<Kind>(m_data.index());
}

bool Value::isNull() const
{
    return kind() == Kind::Null;
}

bool Value::isNumber() const
{
    return kind() == Kind::Integer || kind() == Kind::Double;
}

QString Value::toText() const
{
    switch (kind()) {
    case Kind::Null: return {};
    case Kind::Integer: return QString::number(std::get<qint64>(m_data));
    case Kind::Double: {
        // Fifteen significant digits, as numbers have always been shown (18.1818181818182):
        // plain digits for the amounts people meet, exponent form only at the extremes.
        const double v = std::get<double>(m_data);
        const double a = std::fabs(v);
        if (a >= 1e-5 && a < 1e-4) // 'g' would write these with an exponent
            return QString::number(QString::number(v, 'g', 15).toDouble(), 'f', QLocale::FloatingPointShortest);
        return QString::number(v, 'g', 15);
    }
    case Kind::Text: return std::get<QString>(m_data);
    case Kind::Date: return formatShortDate(std::get<QDate>(m_data));
    case Kind::Blob: return QString::fromUtf8(std::get<BlobTag>(m_data).bytes);
    }
    return {};
}

double Value::toDouble() const
{
    switch (kind()) {
    case Kind::Null: return 0;
    case Kind::Integer: return double(std::get<qint64>(m_data));
    case Kind::Double: return std::get<double>(m_data);
    case Kind::Text: {
        // The same reading as the screens' checks, so that what they pass is stored.
        double result = 0;
        switch (readWholeNumber(std::get<QString>(m_data), result)) {
        case WholeNumber::Number: return result;
        case WholeNumber::OutOfRange: throw Error(ErrorCode::Overflow);
        case WholeNumber::NotANumber: break;
        }
        typeMismatch();
    }
    case Kind::Date:
    case Kind::Blob: break;
    }
    typeMismatch();
}

qint64 Value::toInteger() const
{
    if (kind() == Kind::Integer)
        return std::get<qint64>(m_data);
    const double rounded = std::round(toDouble()); // half away from zero
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw Error(ErrorCode::Overflow);
    return qint64(rounded);
}

QDate Value::toDate() const
{
    switch (kind()) {
    case Kind::Null: return {};
    case Kind::Date: return std::get<QDate>(m_data);
    case Kind::Text: {
        const QDate date = parseUserDate(std::get<QString>(m_data));
        if (!date.isValid())
            typeMismatch();
        return date;
    }
    default: break;
    }
    typeMismatch();
}

QByteArray Value::toBlob() const
{
    switch (kind()) {
    case Kind::Null: return {};
    case Kind::Blob: return std::get<BlobTag>(m_data).bytes;
    case Kind::Text: return std::get<QString>(m_data).toUtf8();
    default: break;
    }
    typeMismatch();
}

bool Value::operator==(const Value &other) const
{
    // 1 and 1.0 are the same number whichever way they were stored.
    if (isNumber() && other.isNumber() && kind() != other.kind())
        return toDouble() == other.toDouble();
    return m_data == other.m_data;
}

} // namespace qm

#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <variant>

namespace qm {

// A Null-aware value as fields and bound controls carry it.
class Value
{
public:
    enum class Kind { Null, Integer, Double, Text, Date, Blob };

    Value(); // Null
    Value(int v);
    Value(qint64 v);
    Value(double v);
    Value(const QString &v);
    Value(const char *v);
    Value(const QDate &v);
    static Value blob(const QByteArray &bytes);

    Kind kind() const;
    bool isNull() const;
    bool isNumber() const; // Integer or Double

    // Null gives "", a date "dd/Mmm/yyyy" ("01/Jul/2000"), a number its text to fifteen
    // significant digits ("12.5", "100", "18.1818181818182").
    QString toText() const;
    // Numbers as they are; text read as one whole number (readWholeNumber: blanks around
    // allowed), else Error 13, or Error 6 beyond a double's range; Null gives 0.
    double toDouble() const;
    qint64 toInteger() const; // as toDouble, rounded half away from zero
    // Dates as they are; text parsed as parseUserDate does, else Error 13; Null gives an invalid date.
    QDate toDate() const;
    QByteArray toBlob() const;

    bool operator==(const Value &other) const;

private:
    struct NullTag
    {
        bool operator==(const NullTag &) const { return true; }
    };
    struct BlobTag
    {
        QByteArray bytes;
        bool operator==(const BlobTag &) const = default;
    };
    std::variant<NullTag, qint64, double, QString, QDate, BlobTag> m_data;
};

} // namespace qm

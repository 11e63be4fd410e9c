#pragma once

#include <QString>
#include <QStringList>

namespace qm {

// The two transaction ledgers: payments (table p) and receipts (table r).
enum class Ledger { Payments, Receipts };

// The GST classification code of a transaction row (column u of p and r). It is set from
// the row's category whenever the row is validated, and the BAS sums rest on it.
class ClassificationCode
{
public:
    enum Code {
        Standard,    // "STD": every category not listed below
        InputTaxed,  // "ITS"
        Export,      // "EXP"
        NewCar,      // "NEW" (payments only): counts in stages in the first GST years
        NotReported, // "NOT" (payments only): wages, which the GST sums leave out
    };

    constexpr ClassificationCode(Code code = Standard)
        : m_code(code)
    {
    }

    // The code the category gives on `ledger`: its exact text, case and all.
    static ClassificationCode ofCategory(Ledger ledger, const QString &category);

    Code code() const { return m_code; }
    // As stored: "STD", "ITS", "EXP", "NEW" or "NOT".
    QString text() const;
    // As a query compares it: 'NOT'.
    QString sqlLiteral() const;

    friend bool operator==(ClassificationCode, ClassificationCode) = default;

private:
    Code m_code;
};

// The category of wages: no GST on it, and the BAS's W1.
inline constexpr QLatin1String WagesCategory("WAGES");

// The categories and sub-categories the ledger screens offer, in order. The upper-case
// categories are the ones the codes are set from, written exactly as they are tested.
const QStringList &ledgerCategories(Ledger ledger);
const QStringList &ledgerSubCategories(Ledger ledger);

} // namespace qm

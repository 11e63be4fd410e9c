#include "common/classification.h"

#include "data/jetsql.h"

namespace qm {

namespace {
using C = ClassificationCode;

// The categories that give a code other than "STD", on each ledger.
struct CategoryCodes
{
    const char *category;
    C::Code payments;
    C::Code receipts;
};

// clang-format off
constexpr CategoryCodes Table[] = {
    {"RENTAL PROPERTY RATES & REPAIRS", C::InputTaxed,  C::Standard},
    {"RESIDENTIAL PROPERTY RENT",       C::Standard,    C::InputTaxed},
    {"FINANCIAL SUPPLIES",              C::InputTaxed,  C::InputTaxed},
    {"PRECIOUS METALS",                 C::InputTaxed,  C::InputTaxed},
    {"SCHOOL TUCKSHOP FOOD",            C::InputTaxed,  C::InputTaxed},
    {"EXPORT",                          C::Export,      C::Export},
    {"NEW CAR",                         C::NewCar,      C::Standard},
    {"WAGES",                           C::NotReported, C::Standard},
};
// clang-format on
} // namespace

ClassificationCode ClassificationCode::ofCategory(Ledger ledger, const QString &category)
{
    for (const CategoryCodes &row : Table) {
        if (category == QLatin1String(row.category))
            return ledger == Ledger::Payments ? row.payments : row.receipts;
    }
    return Standard;
}

QString ClassificationCode::text() const
{
    switch (m_code) {
    case InputTaxed: return QStringLiteral("ITS");
    case Export: return QStringLiteral("EXP");
    case NewCar: return QStringLiteral("NEW");
    case NotReported: return QStringLiteral("NOT");
    case Standard: break;
    }
    return QStringLiteral("STD");
}

QString ClassificationCode::sqlLiteral() const
{
    return SqlText(text());
}

const QStringList &ledgerCategories(Ledger ledger)
{
    static const QStringList payments = {"Phone",
                                         "Electricity",
                                         "Gas",
                                         "Car Expenses",
                                         "Equipment",
                                         "Financial Charges",
                                         "Postage",
                                         "Petty Cash",
                                         "Office Rental",
                                         "WAGES",
                                         "Other",
                                         "GST Tax",
                                         "Tax",
                                         "Maintenance",
                                         "Advertising",
                                         "RENTAL PROPERTY RATES & REPAIRS",
                                         "FINANCIAL SUPPLIES",
                                         "PRECIOUS METALS",
                                         "SCHOOL TUCKSHOP FOOD",
                                         "NEW CAR"};
    static const QStringList receipts = {"Services",
                                         "Goods",
                                         "Interest",
                                         "EXPORT",
                                         "Other",
                                         "RESIDENTIAL PROPERTY RENT",
                                         "FINANCIAL SUPPLIES",
                                         "PRECIOUS METALS",
                                         "SCHOOL TUCKSHOP FOOD"};
    return ledger == Ledger::Payments ? payments : receipts;
}

const QStringList &ledgerSubCategories(Ledger ledger)
{
    static const QStringList payments
        = {"Travel",       "Meals",   "Entertainment", "Subscriptions", "Books & Publications\"", "Accounting",
           "Legal fees",   "Repairs", "Printing",      "Delivery",      "Loan Interest",          "Insurance",
           "Mobile Phone", "Nil"};
    static const QStringList receipts = {"Rental", "Refund", "Gift", "GST Tax", "Nil"};
    return ledger == Ledger::Payments ? payments : receipts;
}

} // namespace qm

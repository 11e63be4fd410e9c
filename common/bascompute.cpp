#include "common/bascompute.h"

#include "common/classification.h"
#include "common/convert.h"
#include "common/format.h"
#include "data/database.h"
#include "data/jetsql.h"

namespace qm {

namespace {

enum class Amount {
    Total,       // e
    PersonalUse, // s percent of e
};

struct Sum
{
    const char *table;
    QString conditions; // the first piece closes the last bound's literal
    Amount amount;
    bool newCarRule;
};

QString is(ClassificationCode code)
{
    return QStringLiteral("u = ") + code.sqlLiteral();
}

QString isNot(ClassificationCode code)
{
    return QStringLiteral("u <> ") + code.sqlLiteral();
}

using C = ClassificationCode;
const QString NotReported = isNot(C::NotReported);

// clang-format off
const Sum W1  {"p", "# and h = " + SqlText(WagesCategory), Amount::Total, false};
const Sum G1  {"r", "# and " + NotReported, Amount::Total, false};
const Sum G2  {"r", "# and " + is(C::Export), Amount::Total, false};
const Sum G3  {"r", "# and d = 0 and " + NotReported + " and " + isNot(C::Export) + " and " + isNot(C::InputTaxed),
               Amount::Total, false};
const Sum G4  {"r", "# and " + is(C::InputTaxed), Amount::Total, false};
const Sum G10 {"p", "# and f = 'Capital'  and " + NotReported, Amount::Total, true};
const Sum G11 {"p", "# and f = 'Expense' and " + NotReported, Amount::Total, false};
const Sum G12 {"p", "# and " + NotReported, Amount::Total, true};
const Sum G13 {"p", "# and " + is(C::InputTaxed), Amount::Total, false};
const Sum G14 {"p", "# and d = 0 and " + NotReported + " and " + isNot(C::InputTaxed), Amount::Total, true};
const Sum G15 {"p", "# and s > 0 and d > 0 and " + NotReported + " and " + isNot(C::InputTaxed),
               Amount::PersonalUse, true};
// clang-format on

// Only the columns a sum reads are fetched: reading whole rows would triple the time of Go.
QString sumQuery(const BasRequest &request, const Sum &sum)
{
    const QString &column = request.dateColumn;
    return QStringLiteral("select e, s, u from ") + QLatin1String(sum.table) + QStringLiteral(" where ") + column
           + QStringLiteral(" >= #") + queryDate(request.period.first) + QStringLiteral("# and ") + column
           + QStringLiteral(" <= #") + queryDate(request.period.last) + sum.conditions + QStringLiteral(" order by j");
}

// A field's amount: a number as it is (its text would read back the same), anything else
// read as text, so that Null counts 0.
double amountOf(const Value &field)
{
    return field.isNumber() ? field.toDouble() : Val(field);
}

// The rows are added one by one in the query's order on this side: the sum of the same
// doubles then never depends on how a database version adds them up.
double runSum(Database &db, const BasRequest &request, const Sum &sum)
{
    const auto rows = db.OpenRecordset(sumQuery(request, sum), RecordsetType::ForwardOnly);
    const int total = rows->FieldIndex(QStringLiteral("e"));
    const int personal = rows->FieldIndex(QStringLiteral("s"));
    const int code = rows->FieldIndex(QStringLiteral("u"));
    const QString newCar = ClassificationCode(C::NewCar).text();
    double result = 0;
    while (!rows->Eof()) {
        double amount = amountOf(rows->field(total));
        if (sum.amount == Amount::PersonalUse)
            amount = amountOf(rows->field(personal)) * amount / 100;
        if (sum.newCarRule && rows->field(code).toText() == newCar)
            amount = newCarShare(request.year, amount);
        result += amount;
        rows->MoveNext();
    }
    rows->Close();
    return result;
}

} // namespace

const QString AcquisitionsMismatchMessage = QStringLiteral(
    "Your Capital and Expense acquisitions do not add up to the total acquisitions. Please check! QUILLMARK "
    "will assume acquisitions are an Expense unless specified as Capital acquisitions.");

QStringList basQueries(const BasRequest &request)
{
    QStringList queries;
    for (const Sum *sum : {&W1, &G1, &G2, &G3, &G4, &G10, &G11, &G12, &G13, &G14, &G15})
        queries << sumQuery(request, *sum);
    return queries;
}

double newCarShare(const QString &year, double amount)
{
    if (year == QLatin1String("2000"))
        return 0;
    if (year == QLatin1String("2001"))
        return amount / 2;
    return amount;
}

bool acquisitionsAddUp(const BasSums &sums)
{
    return roundDecimal(sums.G12, 2) == roundDecimal(sums.G10 + sums.G11, 2);
}

BasFigures basLabels(const BasSums &sums, double g7, double g18)
{
    BasFigures f;
    auto &G = f.G;
    f.W1 = sums.W1;
    G[1] = sums.G1;
    G[2] = sums.G2;
    G[3] = sums.G3;
    G[4] = sums.G4;
    G[5] = G[2] + G[3] + G[4];
    G[6] = G[1] - G[5];
    G[7] = g7;
    G[8] = G[6] + G[7];
    G[9] = G[8] / 11;

    G[10] = sums.G10;
    G[11] = acquisitionsAddUp(sums) ? sums.G11 : sums.G12 - sums.G10;
    G[12] = sums.G12;
    G[13] = sums.G13;
    G[14] = sums.G14;
    G[15] = sums.G15;
    G[16] = G[13] + G[14] + G[15];
    G[17] = G[12] - G[16];
    G[18] = g18;
    G[19] = G[17] + G[18];
    G[20] = G[19] / 11;

    f.T1 = G[1] - G[9];
    f.A1 = G[9];
    f.B1 = G[20];
    return f;
}

BasResult computeBas(Database &db, const BasRequest &request)
{
    BasResult result;
    BasSums s;
    try {
        s.W1 = runSum(db, request, W1);
        s.G1 = runSum(db, request, G1);
        s.G2 = runSum(db, request, G2);
        s.G3 = runSum(db, request, G3);
        s.G4 = runSum(db, request, G4);
        s.G10 = runSum(db, request, G10);
        s.G11 = runSum(db, request, G11);
        s.G12 = runSum(db, request, G12);
        result.acquisitionsMismatch = !acquisitionsAddUp(s);
        s.G13 = runSum(db, request, G13);
        s.G14 = runSum(db, request, G14);
        s.G15 = runSum(db, request, G15);
    } catch (const Error &e) {
        result.failure = e;
        return result;
    }
    result.figures = basLabels(s, request.g7, request.g18);
    return result;
}

} // namespace qm

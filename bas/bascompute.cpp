#include "bas/bascompute.h"

#include "common/convert.h"
#include "common/format.h"
#include "platform/database.h"
#include "platform/msgbox.h"

namespace qm {

namespace {

enum class Amount {
    Total,       // e
    PersonalUse, // s percent of e
};

struct Sum
{
    const char *table;
    const char *conditions; // the first piece closes the last bound's literal
    Amount amount;
    bool newCarRule;
};

// clang-format off
constexpr Sum W1  {"p", "# and h = 'WAGES'", Amount::Total, false};
constexpr Sum G1  {"r", "# and u <> 'NOT'", Amount::Total, false};
constexpr Sum G2  {"r", "# and u = 'EXP'", Amount::Total, false};
constexpr Sum G3  {"r", "# and d = 0 and u <> 'NOT' and u <> 'EXP' and u <> 'ITS'", Amount::Total, false};
constexpr Sum G4  {"r", "# and u = 'ITS'", Amount::Total, false};
constexpr Sum G10 {"p", "# and f = 'Capital'  and u <> 'NOT'", Amount::Total, true};
constexpr Sum G11 {"p", "# and f = 'Expense' and u <> 'NOT'", Amount::Total, false};
constexpr Sum G12 {"p", "# and u <> 'NOT'", Amount::Total, true};
constexpr Sum G13 {"p", "# and u = 'ITS'", Amount::Total, false};
constexpr Sum G14 {"p", "# and d = 0 and u <> 'NOT' and u <> 'ITS'", Amount::Total, true};
constexpr Sum G15 {"p", "# and s > 0 and d > 0 and u <> 'NOT' and u <> 'ITS'", Amount::PersonalUse, true};
// clang-format on

const QString Mismatch = QStringLiteral(
    "Your Capital and Expense acquisitions do not add up to the total acquisitions. Please check! QUILLMARK "
    "will assume acquisitions are an Expense unless specified as Capital acquisitions.");

// Only the columns a sum reads are fetched: reading whole rows would triple the time of Go.
QString sumQuery(const BasRequest &request, const Sum &sum)
{
    const QString &column = request.dateColumn;
    return QStringLiteral("select e, s, u from ") + QLatin1String(sum.table) + QStringLiteral(" where ") + column
           + QStringLiteral(" >= #") + queryDate(request.period.first) + QStringLiteral("# and ") + column
           + QStringLiteral(" <= #") + queryDate(request.period.last) + QLatin1String(sum.conditions)
           + QStringLiteral(" order by j");
}

// A field's amount: a number as it is (its text would read back the same), anything else
// read as text, so that Null counts 0.
double amountOf(const Value &field)
{
    return field.isNumber() ? field.toDouble() : Val(field);
}

// A new car's cost counts in stages under the rules that came with the GST: nothing in
// the financial year starting 2000, half in the next, all of it afterwards.
double newCarShare(const QString &year, double amount)
{
    if (year == QLatin1String("2000"))
        return 0;
    if (year == QLatin1String("2001"))
        return amount / 2;
    return amount;
}

// The rows are added one by one in the query's order on this side: the sum of the same
// doubles then never depends on how a database version adds them up.
double runSum(Database &db, const BasRequest &request, const Sum &sum)
{
    const auto rows = db.OpenRecordset(sumQuery(request, sum), RecordsetType::ForwardOnly);
    const int total = rows->FieldIndex(QStringLiteral("e"));
    const int personal = rows->FieldIndex(QStringLiteral("s"));
    const int code = rows->FieldIndex(QStringLiteral("u"));
    double result = 0;
    while (!rows->Eof()) {
        double amount = amountOf(rows->field(total));
        if (sum.amount == Amount::PersonalUse)
            amount = amountOf(rows->field(personal)) * amount / 100;
        if (sum.newCarRule && rows->field(code).toText() == QLatin1String("NEW"))
            amount = newCarShare(request.year, amount);
        result += amount;
        rows->MoveNext();
    }
    rows->Close();
    return result;
}

} // namespace

QStringList basQueries(const BasRequest &request)
{
    QStringList queries;
    for (const Sum *sum : {&W1, &G1, &G2, &G3, &G4, &G10, &G11, &G12, &G13, &G14, &G15})
        queries << sumQuery(request, *sum);
    return queries;
}

BasFigures computeBas(Database &db, const BasRequest &request)
{
    BasFigures f;
    auto &G = f.G;
    f.W1 = runSum(db, request, W1);

    G[1] = runSum(db, request, G1);
    G[2] = runSum(db, request, G2);
    G[3] = runSum(db, request, G3);
    G[4] = runSum(db, request, G4);
    G[5] = G[2] + G[3] + G[4];
    G[6] = G[1] - G[5];
    G[7] = request.g7;
    G[8] = G[6] + G[7];
    G[9] = G[8] / 11;

    G[10] = runSum(db, request, G10);
    G[11] = runSum(db, request, G11);
    G[12] = runSum(db, request, G12);
    // Compared as the statement shows them: sums of cents carry binary noise.
    if (roundDecimal(G[12], 2) != roundDecimal(G[10] + G[11], 2)) {
        MsgBox(Mismatch, vbExclamation, appTitle());
        G[11] = G[12] - G[10];
    }

    G[13] = runSum(db, request, G13);
    G[14] = runSum(db, request, G14);
    G[15] = runSum(db, request, G15);
    G[16] = G[13] + G[14] + G[15];
    G[17] = G[12] - G[16];
    G[18] = request.g18;
    G[19] = G[17] + G[18];
    G[20] = G[19] / 11;

    f.T1 = G[1] - G[9];
    f.A1 = G[9];
    f.B1 = G[20];
    return f;
}

} // namespace qm

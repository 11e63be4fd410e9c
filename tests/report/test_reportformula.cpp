#include "data/error.h"
#include "report/reportformula.h"
#include "report/reportquery.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

namespace qm::test {

namespace {

// Parameters as text: dates ISO, numbers marked, texts in brackets.
QString parametersText(const std::vector<Value> &parameters)
{
    QStringList parts;
    for (const Value &value : parameters) {
        switch (value.kind()) {
        case Value::Kind::Date: parts << value.toDate().toString(Qt::ISODate); break;
        case Value::Kind::Double:
        case Value::Kind::Integer: parts << QStringLiteral("#") + value.toText(); break;
        default: parts << QStringLiteral("[%1]").arg(value.toText()); break;
        }
    }
    return parts.join(QStringLiteral(" | "));
}

// A list of the rows' IDs of one table, with the formula and sort fields as a report runs them.
QByteArray idList(const QString &table)
{
    return QStringLiteral(R"({"layout": "list", "database": "qm.mdb", "table": "%1", "order": ["ID"],
                             "columns": [{"field": "ID", "heading": "ID", "width": 40}]})")
        .arg(table)
        .toUtf8();
}

class ReportFormulaTest : public ScreenTest
{
protected:
    TableSchema schema(const QString &file, const QString &table)
    {
        const auto db = Database::open(path(file), true);
        return readTableSchema(*db, table);
    }

    // The IDs of the rows of `table` a formula selects, in the order of the sort fields.
    QStringList selected(const QString &table, const QString &formula, const QStringList &sort = {})
    {
        const ReportDefinition def = parseReportDefinition(idList(table));
        const auto db = Database::open(path(QStringLiteral("qm.mdb")), true);
        const ReportData data = ReportQuery(def, *db, formula, sort).run();
        QStringList ids;
        for (const auto &row : data.rows)
            ids << row[0].toText();
        return ids;
    }

    void seedPayments()
    {
        runSql(path(QStringLiteral("qm.mdb")), "insert into p (ID, a, t, s, j, h, c) values "
                                               "(1, 'Paper', 'Office Co', 50, '2002-07-01', 'OFFICE', 10),"
                                               "(2, 'paper clips', 'O''Brien''s Farm', null, '2002-07-15', null, 20),"
                                               "(3, 'Fuel', 'Fuel Stop', 100, '2002-09-30', 'MOTOR VEHICLE', 30),"
                                               "(4, null, null, 7, '2002-10-01', 'office', null);");
    }
};

} // namespace

// Every formula the reports and the invoice build, as the SQL and values that reach the database.
TEST_F(ReportFormulaTest, FormulasOfTheFormsBecomeBoundSql)
{
    struct Case
    {
        const char *file;
        const char *table;
        const char *formula;
        const char *sql;
        const char *parameters;
    };
    const Case cases[] = {
        {"qm.mdb", "p", "", "", ""},
        {"qm.mdb", "p", "{p.j} >= Date(2002,7,1) AND {p.j} <= Date(2002,9,30) AND{p.f} = 'Expense'",
         R"("j" >= ? AND "j" <= ? AND "f" = ? COLLATE NOCASE)", "2002-07-01 | 2002-09-30 | [Expense]"},
        {"qm.mdb", "r", "{r.j} >= Date(2002,7,1) AND {r.j} <= Date(2002,7,31) AND{r.t} = 'Farmer''s Market'",
         R"("j" >= ? AND "j" <= ? AND "t" = ? COLLATE NOCASE)", "2002-07-01 | 2002-07-31 | [Farmer's Market]"},
        {"qm.mdb", "r", "{r.m} >= Date(2002,7,1) AND {r.m} <= Date(2002,7,31) AND{r.t} = 'Farmer''s Market'",
         R"("m" >= ? AND "m" <= ? AND "t" = ? COLLATE NOCASE)", "2002-07-01 | 2002-07-31 | [Farmer's Market]"},
        // "Select Dates" with zero-padded bounds and an invoice date
        {"qm.mdb", "p", "{p.j} >= Date(2002,07,05) AND {p.j} <= Date(2002,07,31) AND {p.m} = Date(2002,07,05)",
         R"("j" >= ? AND "j" <= ? AND "m" = ?)", "2002-07-05 | 2002-07-31 | 2002-07-05"},
        // every criterion of a search, in the order the form appends them
        {"qm.mdb", "p",
         "{p.j} >= Date(2002,7,1) AND {p.j} <= Date(2003,6,30) AND {p.m} = Date(2002,07,05) AND{p.f} = 'Capital' "
         "AND{p.t} = 'O''Brien''s Farm' AND{p.a} like 'Fuel' AND{p.s} > '50' AND{p.h} = 'MOTOR VEHICLE' "
         "AND{p.i} = 'Fuel' AND{p.v} = 'JOB1' AND{p.g} = 'Cheque' AND{p.o} = '000123' AND{p.l} = 'INV-9'",
         R"("j" >= ? AND "j" <= ? AND "m" = ? AND "f" = ? COLLATE NOCASE AND "t" = ? COLLATE NOCASE AND "a" LIKE ? )"
         R"(AND "s" > ? AND "h" = ? COLLATE NOCASE AND "i" = ? COLLATE NOCASE AND "v" = ? COLLATE NOCASE )"
         R"(AND "g" = ? COLLATE NOCASE AND "o" = ? COLLATE NOCASE AND "l" = ? COLLATE NOCASE)",
         "2002-07-01 | 2003-06-30 | 2002-07-05 | [Capital] | [O'Brien's Farm] | [Fuel] | #50 | [MOTOR VEHICLE] | "
         "[Fuel] | [JOB1] | [Cheque] | [000123] | [INV-9]"},
        {"qm.mdb", "r", "{r.t} like 'Smith' AND{r.s} > ' 12.5 ' AND{r.g} = 'Cash'",
         R"("t" LIKE ? AND "s" > ? AND "g" = ? COLLATE NOCASE)", "[Smith] | #12.5 | [Cash]"},
        // the profit-and-loss periods, February of a leap year included
        {"qm.mdb", "p", "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)", R"("j" >= ? AND "j" <= ?)",
         "2005-07-01 | 2005-09-30"},
        {"qm.mdb", "r", "{r.m} >= Date(2004,2,1) AND {r.m} <= Date(2004,2,29)", R"("m" >= ? AND "m" <= ?)",
         "2004-02-01 | 2004-02-29"},
        {"qm.mdb", "r", "{r.j} >= Date(2005,08,01) AND {r.j} <= Date(2005,08,31)", R"("j" >= ? AND "j" <= ?)",
         "2005-08-01 | 2005-08-31"},
        // the invoice, its number quoted with every apostrophe doubled
        {"qm1.mdb", "inv", "{inv.a} = 'A0042'", R"("a" = ? COLLATE NOCASE)", "[A0042]"},
        {"qm1.mdb", "inv", "{inv.a} = 'O''Brien''s 1'", R"("a" = ? COLLATE NOCASE)", "[O'Brien's 1]"},
        // keywords, table and field names ignore case; comparisons of another table are not this one's
        {"qm.mdb", "p", "{P.J} >= date(2002,7,1) and {P.T} LIKE 'a*' AND {r.t} = 'x'", R"("j" >= ? AND "t" LIKE ?)",
         "2002-07-01 | [a*]"},
    };
    for (const Case &c : cases) {
        const SqlCondition condition = formulaCondition(parseReportFormula(QString::fromUtf8(c.formula)),
                                                        schema(QString::fromUtf8(c.file), QString::fromUtf8(c.table)));
        EXPECT_EQ(condition.sql, QString::fromUtf8(c.sql)) << c.formula;
        EXPECT_EQ(parametersText(condition.parameters), QString::fromUtf8(c.parameters)) << c.formula;
    }
}

TEST_F(ReportFormulaTest, RefusedFormulasSayWhere)
{
    struct Case
    {
        const char *formula;
        const char *message; // a part of the error's text
    };
    const Case cases[] = {
        {"{p.j} >= Date() AND {p.j} <= Date(2005,8,31)", "Date needs a year"}, // an empty date box
        {"{p.j} >= Date(2005,2,30)", "the date does not exist"},
        {"{p.j} >= Date(2005,13,1)", "the date does not exist"},
        {"{p.j} >= Date(05,7,1)", "the date does not exist"},
        {"{p.j} >= Date(2005,7)", "Date needs a year"},
        {"{p.j} >= 05/07/2005", "a text in quotes or Date"},
        {"{p.j} < Date(2005,7,1)", "one of = >= <= > like"},
        {"{p.t} <> 'x'", "one of = >= <= > like"},
        {"{p.t} = 'O'Brien'", "AND or the end of the formula"}, // an apostrophe not doubled
        {"{p.t} = 'open", "no closing quote"},
        {"{p.t} = 'x' OR {p.f} = 'y'", "AND or the end of the formula"},
        {"{p.t} = 'x' AND", "a field such as {table.column}"},
        {"AND {p.t} = 'x'", "a field such as {table.column}"},
        {"{p.t = 'x'", "no closing brace"},
        {"{pt} = 'x'", "a field such as {table.column}"},
        {"{p.t} = ''; drop table p; --'", "AND or the end of the formula"},
        {"p.t = 'x'", "a field such as {table.column}"},
        {"{p.t} = 'x' {p.f} = 'y'", "AND or the end of the formula"},
    };
    for (const Case &c : cases) {
        try {
            parseReportFormula(QString::fromUtf8(c.formula));
            ADD_FAILURE() << "accepted: " << c.formula;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::FormulaError) << c.formula;
            EXPECT_TRUE(e.Description().contains(QString::fromUtf8(c.message))) << qPrintable(e.Description());
        }
    }
}

TEST_F(ReportFormulaTest, ConstantsTheFieldCannotTakeAreRefused)
{
    const TableSchema p = schema(QStringLiteral("qm.mdb"), QStringLiteral("p"));
    for (const char *formula :
         {"{p.j} >= '01/07/2005'", "{p.s} > 'fifty'", "{p.s} > '50 or 1=1'", "{p.s} > ''", "{p.t} = Date(2005,7,1)",
          "{p.c} like '1*'", "{p.j} like '2005*'", "{p.zz} = 'x'", "{p.s} = Date(2005,7,1)"}) {
        EXPECT_EQ(errorNumber([&] { formulaCondition(parseReportFormula(QString::fromUtf8(formula)), p); }),
                  ErrorCode::FormulaError)
            << formula;
    }
}

// Text ignores case, like takes * and ?, Null is never selected, numbers compare as numbers.
TEST_F(ReportFormulaTest, SelectionFollowsTheLanguage)
{
    seedPayments();
    struct Case
    {
        const char *formula;
        const char *ids;
    };
    const Case cases[] = {
        {"", "1,2,3,4"},
        {"{p.t} = 'OFFICE CO'", "1"},
        {"{p.t} = 'O''Brien''s Farm'", "2"},
        {"{p.a} like 'PAPER*'", "1,2"},
        {"{p.a} like 'pap?r'", "1"},
        {"{p.a} like 'paper'", "1"},
        {"{p.a} like '*'", "1,2,3"}, // a Null description is not like anything
        {"{p.s} > '60'", "3"},       // as numbers 100 > 60; as texts '100' < '60'
        {"{p.s} > '5'", "1,3,4"},
        {"{p.s} <= '50'", "1,4"},
        {"{p.h} >= 'a'", "1,3,4"},
        {"{p.h} = 'office'", "1,4"},
        {"{p.j} >= Date(2002,07,15) AND{p.j} <= Date(2002,9,30)", "2,3"},
        {"{p.j} > Date(2002,9,30)", "4"},
        {"{p.c} >= '20' AND {p.h} like 'm*'", "3"},
        {"{p.a} = '''; drop table p; --'", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selected(QStringLiteral("p"), QString::fromUtf8(c.formula)).join(u','), QString::fromUtf8(c.ids))
            << c.formula;
    EXPECT_EQ(rowsOf(path(QStringLiteral("qm.mdb")), QStringLiteral("select count(*) from p")),
              QStringList{QStringLiteral("4")})
        << "nothing was dropped";
}

// Only * and ? are wildcards: a name with the database's other pattern characters in it
// selects itself and no other.
TEST_F(ReportFormulaTest, LikeReadsOnlyStarAndQuestionMark)
{
    runSql(path(QStringLiteral("qm.mdb")), "insert into p (ID, t) values (1, 'Shop #1'), (2, 'Shop 11'), "
                                           "(3, 'Smith [Bros]'), (4, 'Smith B'), (5, 'Smith [!x-z]'), (6, 'Smith y')");
    struct Case
    {
        const char *pattern;
        const char *ids;
    };
    const Case cases[] = {
        {"Shop #1", "1"},   {"shop #*", "1"},    {"Shop ##", ""},     {"Smith [Bros]", "3"},
        {"smith [b*", "3"}, {"Smith [Bros", ""}, {"Smith Bros]", ""}, {"Smith [!x-z]", "5"},
        {"Smith ?", "4,6"}, {"Sm*]", "3,5"},     {"*[*", "3,5"},      {"Shop ?1", "1,2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selected(QStringLiteral("p"), QStringLiteral("{p.t} like '%1'").arg(QString::fromUtf8(c.pattern)))
                      .join(u','),
                  QString::fromUtf8(c.ids))
            << c.pattern;
}

TEST_F(ReportFormulaTest, SortFieldsOrderTheRowsBeforeTheFilesOwnOrder)
{
    seedPayments();
    struct Case
    {
        QStringList sort;
        const char *ids;
    };
    const Case cases[] = {
        {{}, "1,2,3,4"},
        {{QStringLiteral("+{p.t}")}, "4,3,2,1"}, // Null first; "O'Brien" before "Office" ignoring case
        {{QStringLiteral("-{p.j}")}, "4,3,2,1"},
        {{QStringLiteral("+{p.h}")}, "2,3,1,4"}, // OFFICE and office together, then by ID
        {{QStringLiteral("+{p.h}"), QStringLiteral("-{p.c}")}, "2,3,1,4"},
        {{QStringLiteral("+{r.t}")}, "1,2,3,4"}, // a table this report does not read
        {{QStringLiteral(""), QStringLiteral("  ")}, "1,2,3,4"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(selected(QStringLiteral("p"), QString(), c.sort).join(u','), QString::fromUtf8(c.ids))
            << qPrintable(c.sort.join(u' '));

    for (const char *bad : {"{p.j}", "+p.j", "+{p.j", "+{p.zz}", "+{pj}"})
        EXPECT_EQ(errorNumber([&] { selected(QStringLiteral("p"), QString(), {QString::fromUtf8(bad)}); }),
                  ErrorCode::FormulaError)
            << bad;
}

TEST_F(ReportFormulaTest, AComparisonOfATableTheReportDoesNotReadIsRefused)
{
    try {
        selected(QStringLiteral("p"), QStringLiteral("{r.j} >= Date(2005,7,1)"));
        ADD_FAILURE() << "accepted";
    } catch (const Error &e) {
        EXPECT_EQ(e.Number(), ErrorCode::FormulaError);
        EXPECT_EQ(e.Description(), QStringLiteral("Error in formula: {r.j} names table r; this report reads p."));
    }
}

// The selects the payments list and the category summary run, and the date index serving them.
TEST_F(ReportFormulaTest, ReportSelectsAndTheirPlan)
{
    const QString dir = QStringLiteral(QM_SOURCE_DIR) + QStringLiteral("/reports/");
    const auto db = Database::open(path(QStringLiteral("qm.mdb")), true);
    const QString period = QStringLiteral("{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)");

    const ReportDefinition list = loadReportDefinition(dir + QStringLiteral("report1p.rpt"));
    const ReportQuery listQuery(list, *db, period, {QStringLiteral("+{p.t}")});
    ASSERT_EQ(listQuery.selects().size(), 2u);
    EXPECT_EQ(listQuery.selects()[0].sql,
              QStringLiteral(R"(select "j", "a", "t", "c", "d", "e", "h", "l", "f", "v" from "p" )"
                             R"(where "j" >= ? AND "j" <= ? order by "t", "j", "ID")"));
    EXPECT_EQ(parametersText(listQuery.selects()[0].parameters), QStringLiteral("2005-07-01 | 2005-09-30"));
    EXPECT_EQ(listQuery.selects()[1].sql,
              QStringLiteral(R"(select total("c"), total("d"), total("e") from "p" where "j" >= ? AND "j" <= ?)"));

    const ReportDefinition groups = loadReportDefinition(dir + QStringLiteral("plcatexp.rpt"));
    const ReportQuery groupQuery(groups, *db, period, {QStringLiteral("+{p.j}")});
    ASSERT_EQ(groupQuery.selects().size(), 2u);
    EXPECT_EQ(groupQuery.selects()[0].sql,
              QStringLiteral(R"(select min("h" COLLATE BINARY), total("c"), total("d"), total("e"), count(*) )"
                             R"(from "p" where "j" >= ? AND "j" <= ? group by coalesce("h", '') COLLATE NOCASE )"
                             R"(order by coalesce("h", '') COLLATE NOCASE)"));

    for (const ReportSelect &select : {listQuery.selects()[0], groupQuery.selects()[0]})
        EXPECT_TRUE(db->queryPlan(select.sql).join(u'\n').contains(QStringLiteral("USING INDEX p_j")))
            << qPrintable(db->queryPlan(select.sql).join(u'\n'));
}

} // namespace qm::test

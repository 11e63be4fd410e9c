#include "data/database.h"
#include "data/error.h"
#include "data/jetsql.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "tests/support/data/dbhelpers.h"

using qm::test::ClockAt;
using qm::test::errorNumber;
using qm::test::runSql;

using namespace qm;

namespace {

} // namespace

TEST(JetSql, SqlTextDoublesEveryApostrophe)
{
    EXPECT_EQ(SqlText(QStringLiteral("O'Brien's Farm")), QStringLiteral("'O''Brien''s Farm'"));
    EXPECT_EQ(SqlText(QString()), QStringLiteral("''"));
}

// A statement ends at a NUL character: a text holding one is refused, never cut.
TEST(JetSql, SqlTextRefusesANulCharacter)
{
    for (const QString &text : {QStringLiteral("A1") + QChar(u'\0'), QChar(u'\0') + QStringLiteral("' or 1=1 --")}) {
        EXPECT_EQ(errorNumber([&] { SqlText(text); }), ErrorCode::InvalidProcedureCall);
    }
}

TEST(JetSql, SqlNumberChecksTheNumber)
{
    EXPECT_EQ(SqlNumber(QStringLiteral(" 12.5 ")), QStringLiteral("12.5"));
    EXPECT_EQ(SqlNumber(QStringLiteral("+7")), QStringLiteral("7"));
    EXPECT_EQ(SqlNumber(QStringLiteral("-3")), QStringLiteral("(-3)")) << "never forms a -- comment";
    EXPECT_EQ(SqlNumber(QStringLiteral("1d2")), QStringLiteral("1e2"));
    for (const char *bad : {"", "12abc", "1; delete from t", "1 or 1=1", "&H10"})
        EXPECT_EQ(errorNumber([&] { SqlNumber(QString::fromLatin1(bad)); }), ErrorCode::TypeMismatch) << bad;
}

TEST(JetSql, DateLiterals)
{
    EXPECT_EQ(translateJetSql(QStringLiteral("select * from p where j >= #1/jul/2000# and j < #1/7/01#")),
              QStringLiteral("select * from p where j >= '2000-07-01' and j < '2001-07-01'"));
    {
        const ClockAt clock(QDate(2026, 7, 1));
        EXPECT_EQ(translateJetSql(QStringLiteral("x = #31/Dec/45# or x = #1/JAN/46#")),
                  QStringLiteral("x = '2045-12-31' or x = '1946-01-01'"));
    }
    // Inside strings and bracketed names '#' is no date.
    const QString untouched = QStringLiteral("select [No #] from t where a like '#*' and b = 'it''s #1' and c = \"#\"");
    EXPECT_EQ(translateJetSql(untouched), untouched);

    for (const char *bad : {"x = ##", "x = #31/feb/00#", "x = #1/jul/2000", "x = #tomorrow#"})
        EXPECT_EQ(errorNumber([&] { translateJetSql(QString::fromLatin1(bad)); }), ErrorCode::SyntaxError) << bad;
}

TEST(JetSql, LikeWildcards)
{
    struct Case
    {
        const char *pattern;
        const char *text;
        bool matches;
    };
    const Case cases[] = {
        {"a*", "ABC", true},     {"*c", "abc", true},     {"a*c", "ac", true},         {"a*c", "abd", false},
        {"a?c", "abc", true},    {"a?c", "ac", false},    {"#1", "91", true},          {"#1", "x1", false},
        {"[a-c]x", "Bx", true},  {"[a-c]x", "dx", false}, {"[!a]x", "bx", true},       {"[!a]x", "Ax", false},
        {"100%", "100%", true},  {"100%", "1000", false}, {"a_c", "abc", false},       {"a_c", "A_C", true},
        {"[*]*", "*star", true}, {"[*]*", "star", false}, {"*a*b*", "xxaxxbxx", true}, {"", "", true},
        {"*", "", true},         {"?", "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(jetLike(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.matches)
            << c.pattern << " / " << c.text;
}

// The dialect as it reaches SQLite: the registered like, NOCASE equality, quoted text, dates.
TEST(JetSql, QueriesThroughTheEngine)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("names.db"));
    runSql(file, "create table n (ID INTEGER PRIMARY KEY AUTOINCREMENT, l TEXT(50) COLLATE NOCASE, d DATE);"
                 "insert into n (l, d) values ('100% pure', '2000-07-01'), ('1000 pure', '2000-07-02'),"
                 " ('a_b', null), ('axb', null);");

    auto db = Database::open(file);
    const QString farm = QStringLiteral("O'Brien's Farm");
    EXPECT_EQ(db->Execute(QStringLiteral("insert into n (l) values (%1)").arg(SqlText(farm))), 1);

    auto names = [&](const QString &where) {
        QStringList found;
        auto rs = db->OpenRecordset(QStringLiteral("select l from n where ") + where + QStringLiteral(" order by ID"));
        for (; !rs->Eof(); rs->MoveNext())
            found << rs->field(0).toText();
        return found;
    };
    EXPECT_EQ(names(QStringLiteral("l = ") + SqlText(farm)), QStringList{farm});
    EXPECT_EQ(names(QStringLiteral("l = ") + SqlText(farm.toUpper())), QStringList{farm});
    EXPECT_EQ(names(QStringLiteral("l like ") + SqlText(QStringLiteral("o'b*"))), QStringList{farm});
    EXPECT_EQ(names(QStringLiteral("l like '100%*'")), QStringList{QStringLiteral("100% pure")});
    EXPECT_EQ(names(QStringLiteral("l like 'a_b'")), QStringList{QStringLiteral("a_b")});
    EXPECT_EQ(names(QStringLiteral("l like '[!0-9]?b'")), (QStringList{QStringLiteral("a_b"), QStringLiteral("axb")}));
    EXPECT_EQ(names(QStringLiteral("d = #2/jul/00#")), QStringList{QStringLiteral("1000 pure")});
    EXPECT_EQ(errorNumber([&] { names(QStringLiteral("d = ##")); }), ErrorCode::SyntaxError);
}

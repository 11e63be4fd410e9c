#include "data/sqlselect.h"

#include "data/jetsql.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace qm {

namespace {

struct Token
{
    enum Kind { Word, Name, String, Number, Symbol } kind;
    qsizetype start;
    qsizetype end;
    QString text; // words in lower case, names without their quotes
};

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? n : end + 1;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('\'')) {
            const qsizetype end = quotedEnd(sql, i);
            tokens.push_back({Token::String, i, end, sql.mid(i, end - i)});
            i = end;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = quotedEnd(sql, i);
            QString name = sql.mid(i + 1, end - i - 2);
            if (close != QLatin1Char(']'))
                name.replace(QString(2, close), QString(close));
            tokens.push_back({Token::Name, i, end, name});
            i = end;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype end = i + 1;
            while (end < n
                   && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_') || sql[end] == QLatin1Char('$')))
                ++end;
            tokens.push_back({Token::Word, i, end, sql.mid(i, end - i).toLower()});
            i = end;
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            qsizetype end = i + 1;
            while (end < n && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('.')))
                ++end;
            tokens.push_back({Token::Number, i, end, sql.mid(i, end - i)});
            i = end;
        } else {
            tokens.push_back({Token::Symbol, i, i + 1, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isWord(const Token &token, std::initializer_list<const char *> words)
{
    if (token.kind != Token::Word)
        return false;
    return std::any_of(words.begin(), words.end(), [&](const char *w) { return token.text == QLatin1String(w); });
}

bool isSymbol(const Token &token, char symbol)
{
    return token.kind == Token::Symbol && token.text == QLatin1Char(symbol);
}

} // namespace

std::optional<SimpleSelect> analyseSelect(const QString &sql)
{
    std::vector<Token> tokens = tokenize(sql);
    while (!tokens.empty() && isSymbol(tokens.back(), ';'))
        tokens.pop_back();
    const size_t n = tokens.size();
    if (n < 4 || !isWord(tokens[0], {"select"}) || isWord(tokens[1], {"distinct"}))
        return std::nullopt;

    size_t from = 0;
    int depth = 0;
    for (size_t k = 1; k < n && from == 0; ++k) {
        if (isSymbol(tokens[k], '('))
            ++depth;
        else if (isSymbol(tokens[k], ')'))
            --depth;
        else if (depth == 0 && isWord(tokens[k], {"from"}))
            from = k;
        else if (isWord(tokens[k], {"over"})
                 || (isWord(tokens[k], {"count", "sum", "avg", "min", "max", "total", "group_concat"}) && k + 1 < n
                     && isSymbol(tokens[k + 1], '(')))
            return std::nullopt; // an aggregate makes rows of its own
    }
    if (from < 2 || from + 1 >= n)
        return std::nullopt;

    static const std::initializer_list<const char *> clauseWords = {
        "where", "order", "limit",   "group", "having", "union", "intersect", "except", "join",    "inner", "left",
        "right", "cross", "natural", "full",  "outer",  "on",    "using",     "window", "indexed", "not",   "select"};
    const Token &tableToken = tokens[from + 1];
    if (tableToken.kind != Token::Name && (tableToken.kind != Token::Word || isWord(tableToken, clauseWords)))
        return std::nullopt;
    size_t k = from + 2;
    const Token *alias = nullptr;
    if (k + 1 < n && isWord(tokens[k], {"as"})) {
        alias = &tokens[k + 1];
        k += 2;
    } else if (k < n
               && (tokens[k].kind == Token::Name
                   || (tokens[k].kind == Token::Word && !isWord(tokens[k], clauseWords)))) {
        alias = &tokens[k];
        k += 1;
    }
    if (k < n && !isWord(tokens[k], {"where", "order", "limit"}))
        return std::nullopt; // joins, several tables, grouping
    depth = 0;
    bool ordered = false;
    size_t limit = n;
    for (size_t j = k; j < n; ++j) {
        if (isSymbol(tokens[j], '('))
            ++depth;
        else if (isSymbol(tokens[j], ')'))
            --depth;
        else if (depth == 0 && isWord(tokens[j], {"group", "having", "union", "intersect", "except", "window"}))
            return std::nullopt;
        else if (depth == 0 && isWord(tokens[j], {"order"}))
            ordered = true;
        else if (depth == 0 && isWord(tokens[j], {"limit"}) && limit == n)
            limit = j;
    }

    const qsizetype end = tokens[n - 1].end;
    auto text = [&](qsizetype a, qsizetype b) { return sql.mid(a, b - a).trimmed(); };
    SimpleSelect select;
    select.columns = text(tokens[1].start, tokens[from].start);
    select.from = text(tableToken.start, k < n ? tokens[k].start : end);
    select.table = tableToken.kind == Token::Name ? tableToken.text
                                                  : sql.mid(tableToken.start, tableToken.end - tableToken.start);
    const Token &q = alias ? *alias : tableToken;
    select.qualifier = sql.mid(q.start, q.end - q.start);
    const qsizetype limitStart = limit < n ? tokens[limit].start : end;
    select.filter = k < n ? text(tokens[k].start, limitStart) : QString();
    // Without an order the rows come in key order, not in that of whatever index SQLite
    // finds smallest for reading rowids alone.
    if (!ordered)
        select.filter = (select.filter + QStringLiteral(" order by %1.rowid").arg(select.qualifier)).trimmed();
    if (limit < n)
        select.filter += QLatin1Char(' ') + text(limitStart, end);
    return select;
}

bool startsWithSelect(const QString &source)
{
    const std::vector<Token> tokens = tokenize(source);
    return !tokens.empty() && isWord(tokens[0], {"select", "with"});
}

} // namespace qm

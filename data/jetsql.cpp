#include "data/jetsql.h"

#include "data/dates.h"
#include "data/error.h"
#include "data/value.h"

#include <vector>

namespace qm {

namespace {
QString enquote(const QString &text, QChar quote)
{
    QString quoted = text;
    quoted.replace(quote, QString(2, quote));
    return quote + quoted + quote;
}
} // namespace

QString SqlText(const QString &text)
{
    // A statement ends at its first NUL character: whatever follows would be lost.
    if (text.contains(QChar(u'\0')))
        throw Error(ErrorCode::InvalidProcedureCall, QStringLiteral("A text with a NUL character cannot go into SQL."));
    return enquote(text, QLatin1Char('\''));
}

QString SqlName(const QString &name)
{
    return enquote(name, QLatin1Char('"'));
}

qsizetype quotedEnd(const QString &sql, qsizetype from)
{
    const QChar open = sql[from];
    // Brackets have no escape; in the others a doubled quote is part of the text.
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    const qsizetype n = sql.size();
    qsizetype end = sql.indexOf(close, from + 1);
    while (end >= 0 && close != QLatin1Char(']') && end + 1 < n && sql[end + 1] == close)
        end = sql.indexOf(close, end + 2);
    return end < 0 ? n : end + 1;
}

QString SqlNumber(const QString &text)
{
    Value(text).toDouble(); // Error 13 unless it is a plain number
    QString number = text.trimmed();
    if (number.startsWith(QLatin1Char('+')))
        number.remove(0, 1);
    // SQL knows only E as the exponent letter.
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    // In brackets, a negative number cannot join a preceding minus into a "--" comment.
    if (number.startsWith(QLatin1Char('-')))
        return QLatin1Char('(') + number + QLatin1Char(')');
    return number;
}

QString translateJetSql(const QString &sql)
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        // Quoted strings and bracketed or quoted names are copied untouched: a '#' in them
        // is a like wildcard or part of a name, never a date.
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const qsizetype stop = quotedEnd(sql, i);
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == QLatin1Char('#')) {
            const qsizetype end = sql.indexOf(QLatin1Char('#'), i + 1);
            const QString literal = sql.mid(i, end < 0 ? n - i : end + 1 - i);
            const QDate date = end < 0 ? QDate() : parseUserDate(sql.mid(i + 1, end - i - 1));
            if (!date.isValid())
                throw Error(ErrorCode::SyntaxError,
                            QStringLiteral("Syntax error in date in query expression '%1'.").arg(literal));
            out += QLatin1Char('\'') + date.toString(Qt::ISODate) + QLatin1Char('\'');
            i = end + 1;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

namespace {

// One element of a compiled like pattern; every kind but Any matches exactly one character.
struct LikeToken
{
    enum Type { Any, One, Digit, Set, Literal } type;
    QChar ch;                                    // Literal, case-folded
    std::vector<std::pair<QChar, QChar>> ranges; // Set, case-folded bounds
    bool negated = false;                        // Set
};

QChar fold(QChar c)
{
    return c.toCaseFolded();
}

std::vector<LikeToken> compileLike(const QString &pattern)
{
    std::vector<LikeToken> tokens;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            tokens.push_back({LikeToken::Any, {}, {}});
        } else if (c == QLatin1Char('?')) {
            tokens.push_back({LikeToken::One, {}, {}});
        } else if (c == QLatin1Char('#')) {
            tokens.push_back({LikeToken::Digit, {}, {}});
        } else if (c == QLatin1Char('[') && pattern.indexOf(QLatin1Char(']'), i + 1) > 0) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            LikeToken set{LikeToken::Set, {}, {}};
            qsizetype j = i + 1;
            if (j < close && pattern[j] == QLatin1Char('!')) {
                set.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                const QChar low = fold(pattern[j]);
                if (j + 2 < close && pattern[j + 1] == QLatin1Char('-')) {
                    set.ranges.emplace_back(low, fold(pattern[j + 2]));
                    j += 2;
                } else {
                    set.ranges.emplace_back(low, low);
                }
            }
            // "[]" matches nothing at all, so it adds no token.
            if (!set.ranges.empty() || set.negated)
                tokens.push_back(std::move(set));
            i = close;
        } else {
            tokens.push_back({LikeToken::Literal, fold(c), {}});
        }
    }
    return tokens;
}

bool matchesOne(const LikeToken &token, QChar c)
{
    switch (token.type) {
    case LikeToken::One: return true;
    case LikeToken::Digit: return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case LikeToken::Literal: return fold(c) == token.ch;
    case LikeToken::Set: {
        const QChar f = fold(c);
        bool inSet = false;
        for (const auto &[low, high] : token.ranges)
            inSet = inSet || (f >= low && f <= high);
        return inSet != token.negated;
    }
    case LikeToken::Any: break;
    }
    return false;
}

} // namespace

bool jetLike(const QString &pattern, const QString &text)
{
    const std::vector<LikeToken> tokens = compileLike(pattern);
    // Greedy match that backtracks to the last '*'; every other token takes one character.
    const size_t tokenCount = tokens.size();
    const size_t textLength = size_t(text.size());
    size_t t = 0;
    size_t s = 0;
    size_t starToken = SIZE_MAX;
    size_t starText = 0;
    while (s < textLength) {
        if (t < tokenCount && tokens[t].type == LikeToken::Any) {
            starToken = t++;
            starText = s;
        } else if (t < tokenCount && matchesOne(tokens[t], text[qsizetype(s)])) {
            ++t;
            ++s;
        } else if (starToken != SIZE_MAX) {
            t = starToken + 1;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (t < tokenCount && tokens[t].type == LikeToken::Any)
        ++t;
    return t == tokenCount;
}

} // namespace qm

#pragma once

#include <QString>

// The old engine's SQL dialect, as the screens write it, carried over to SQLite.
namespace qm {

// The one quoting function: 'text' with every apostrophe doubled. A text holding a NUL
// character is Error 5.
QString SqlText(const QString &text);
// A name quoted the same way: "name" with every double quote doubled.
QString SqlName(const QString &name);
// Where the quoted string or name that opens at sql[from] (', ", ` or [) ends: just past its
// closing quote, a doubled quote inside being part of it; the end of `sql` when unclosed.
qsizetype quotedEnd(const QString &sql, qsizetype from);
// A number for concatenation: checked to be a number (blanks around allowed), else Error 13.
QString SqlNumber(const QString &text);

// Rewrites #d/mon/yy# date literals (outside quoted strings) to ISO text literals: day first,
// month as a name or a number, two-digit years 00-29 = 20xx, 30-99 = 19xx. An empty or bad
// literal is Error 3075.
QString translateJetSql(const QString &sql);

// Jet pattern matching, case-insensitive: * any run, ? one character, # one digit,
// [abc] [a-z] [!a] a set; everything else (% and _ included) is literal.
bool jetLike(const QString &pattern, const QString &text);

} // namespace qm

#include "report/reportformula.h"

#include "data/error.h"

#include <QDate>

#include <algorithm>

namespace qm {

namespace {

[[noreturn]] void refuse(const QString &formula, qsizetype position, const QString &reason)
{
    const QString near = formula.mid(position, 20).trimmed();
    const QString where
        = near.isEmpty() ? QStringLiteral("at the end of the formula") : QStringLiteral("at \"%1\"").arg(near);
    throw Error(ErrorCode::FormulaError, QStringLiteral("Error in formula %1: %2").arg(where, reason));
}

struct Token
{
    enum Kind { End, Field, Text, Word, Number, Symbol } kind = End;
    QString text; // Field: "table.column"; Text: the value; Word/Number/Symbol: as written
    qsizetype start = 0;
};

class Tokenizer
{
public:
    explicit Tokenizer(const QString &text)
        : m_text(text)
    {
    }

    Token next()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        Token token;
        token.start = m_pos;
        if (m_pos >= m_text.size())
            return token;
        const QChar c = m_text[m_pos];
        if (c == u'{') {
            const qsizetype close = m_text.indexOf(u'}', m_pos);
            if (close < 0)
                refuse(m_text, m_pos, QStringLiteral("the field has no closing brace."));
            token.kind = Token::Field;
            token.text = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
        } else if (c == u'\'') {
            token.kind = Token::Text;
            qsizetype i = m_pos + 1;
            for (;;) {
                if (i >= m_text.size())
                    refuse(m_text, m_pos, QStringLiteral("the text has no closing quote."));
                if (m_text[i] == u'\'') {
                    if (i + 1 < m_text.size() && m_text[i + 1] == u'\'') {
                        token.text += u'\'';
                        i += 2;
                        continue;
                    }
                    break;
                }
                token.text += m_text[i++];
            }
            m_pos = i + 1;
        } else if (c.isLetter()) {
            token.kind = Token::Word;
            token.text = run(&QChar::isLetter);
        } else if (c.isDigit()) {
            token.kind = Token::Number;
            token.text = run(&QChar::isDigit);
        } else {
            token.kind = Token::Symbol;
            const bool twoChars = (c == u'>' || c == u'<') && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'=';
            token.text = m_text.mid(m_pos, twoChars ? 2 : 1);
            m_pos += token.text.size();
        }
        return token;
    }

private:
    // The characters from here on that are all of one kind.
    QString run(bool (QChar::*isOfKind)() const noexcept)
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].*isOfKind)())
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

bool isWord(const Token &token, const char *word)
{
    return token.kind == Token::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token &token, const char *symbol)
{
    return token.kind == Token::Symbol && token.text == QLatin1String(symbol);
}

// "table.column" with both parts plain names.
bool splitField(const QString &field, QString &table, QString &column)
{
    const QStringList parts = field.split(u'.');
    if (parts.size() != 2)
        return false;
    auto plain = [](const QString &name) {
        if (name.isEmpty())
            return false;
        for (const QChar c : name) {
            if (!c.isLetterOrNumber() && c != u'_')
                return false;
        }
        return true;
    };
    if (!plain(parts[0]) || !plain(parts[1]))
        return false;
    table = parts[0];
    column = parts[1];
    return true;
}

class Parser
{
public:
    explicit Parser(const QString &text)
        : m_text(text)
        , m_tokens(text)
    {
        advance();
    }

    ReportFormula parse()
    {
        ReportFormula formula;
        if (m_token.kind == Token::End)
            return formula;
        for (;;) {
            formula.comparisons.push_back(comparison());
            if (m_token.kind == Token::End)
                return formula;
            if (!isWord(m_token, "and"))
                refuse(m_text, m_token.start, QStringLiteral("AND or the end of the formula is expected here."));
            advance();
        }
    }

private:
    void advance() { m_token = m_tokens.next(); }

    FormulaComparison comparison()
    {
        FormulaComparison result;
        result.position = int(m_token.start);
        if (m_token.kind != Token::Field || !splitField(m_token.text, result.table, result.column))
            refuse(m_text, m_token.start, QStringLiteral("a field such as {table.column} is expected here."));
        advance();
        if (isSymbol(m_token, "="))
            result.op = FormulaComparison::Op::Equal;
        else if (isSymbol(m_token, ">="))
            result.op = FormulaComparison::Op::GreaterOrEqual;
        else if (isSymbol(m_token, "<="))
            result.op = FormulaComparison::Op::LessOrEqual;
        else if (isSymbol(m_token, ">"))
            result.op = FormulaComparison::Op::Greater;
        else if (isWord(m_token, "like"))
            result.op = FormulaComparison::Op::Like;
        else
            refuse(m_text, m_token.start, QStringLiteral("one of = >= <= > like is expected here."));
        advance();
        result.value = constant();
        return result;
    }

    Value constant()
    {
        if (m_token.kind == Token::Text) {
            const Value text(m_token.text);
            advance();
            return text;
        }
        if (!isWord(m_token, "date"))
            refuse(m_text, m_token.start, QStringLiteral("a text in quotes or Date(year,month,day) is expected here."));
        const qsizetype start = m_token.start;
        advance();
        int parts[3] = {0, 0, 0};
        const char *separators[3] = {"(", ",", ","};
        for (int i = 0; i < 3; ++i) {
            if (!isSymbol(m_token, separators[i]))
                refuse(m_text, m_token.start, QStringLiteral("Date needs a year, a month and a day."));
            advance();
            if (m_token.kind != Token::Number || m_token.text.size() > 4)
                refuse(m_text, m_token.start, QStringLiteral("Date needs a year, a month and a day."));
            parts[i] = m_token.text.toInt();
            advance();
        }
        if (!isSymbol(m_token, ")"))
            refuse(m_text, m_token.start, QStringLiteral("Date needs a year, a month and a day."));
        advance();
        const QDate date(parts[0], parts[1], parts[2]);
        if (!date.isValid() || parts[0] < 100)
            refuse(m_text, start, QStringLiteral("the date does not exist."));
        return Value(date);
    }

    const QString &m_text;
    Tokenizer m_tokens;
    Token m_token;
};

bool isNumberField(FieldType type)
{
    switch (type) {
    case FieldType::Counter:
    case FieldType::Long:
    case FieldType::Double:
    case FieldType::Currency: return true;
    default: return false;
    }
}

bool isTextField(FieldType type)
{
    return type == FieldType::Text || type == FieldType::Memo;
}

QString operatorSql(FormulaComparison::Op op)
{
    switch (op) {
    case FormulaComparison::Op::Equal: return QStringLiteral("=");
    case FormulaComparison::Op::GreaterOrEqual: return QStringLiteral(">=");
    case FormulaComparison::Op::LessOrEqual: return QStringLiteral("<=");
    case FormulaComparison::Op::Greater: return QStringLiteral(">");
    case FormulaComparison::Op::Like: return QStringLiteral("LIKE");
    }
    return {};
}

// A formula's like pattern for the database's like, which ignores case as the formula does
// but reads more wildcards: its digit # and its sets [...] are put in sets of their own, so
// that only * and ? are wildcards.
QString likePattern(const QString &pattern)
{
    QString escaped;
    escaped.reserve(pattern.size());
    for (const QChar c : pattern) {
        if (c == u'#' || c == u'[')
            escaped += u'[' + QString(c) + u']';
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

ReportFormula parseReportFormula(const QString &text)
{
    return Parser(text).parse();
}

FormulaDates formulaDates(const ReportFormula &formula)
{
    FormulaDates dates;
    for (const FormulaComparison &c : formula.comparisons) {
        if (c.value.kind() != Value::Kind::Date)
            continue;
        if (!dates.comparedTables.contains(c.table, Qt::CaseInsensitive))
            dates.comparedTables << c.table;
        const bool from = c.op == FormulaComparison::Op::GreaterOrEqual;
        if (!from && c.op != FormulaComparison::Op::LessOrEqual)
            continue;
        auto range = std::find_if(dates.ranges.begin(), dates.ranges.end(), [&](const FormulaDateRange &r) {
            return r.table.compare(c.table, Qt::CaseInsensitive) == 0
                   && r.column.compare(c.column, Qt::CaseInsensitive) == 0;
        });
        if (range == dates.ranges.end())
            range = dates.ranges.insert(dates.ranges.end(), FormulaDateRange{c.table, c.column, {}, {}});
        const QDate day = c.value.toDate();
        if (from && (!range->first.isValid() || day > range->first))
            range->first = day;
        if (!from && (!range->last.isValid() || day < range->last))
            range->last = day;
    }
    return dates;
}

SortField parseSortField(const QString &text)
{
    const QString field = text.trimmed();
    SortField result;
    const bool signedField = field.startsWith(u'+') || field.startsWith(u'-');
    const QString braced = signedField ? field.mid(1).trimmed() : QString();
    if (!signedField || !braced.startsWith(u'{') || !braced.endsWith(u'}')
        || !splitField(braced.mid(1, braced.size() - 2), result.table, result.column))
        throw Error(ErrorCode::FormulaError,
                    QStringLiteral("Error in sort field \"%1\": write +{table.column} or -{table.column}.").arg(text));
    result.descending = field.startsWith(u'-');
    return result;
}

int TableSchema::find(const QString &column) const
{
    for (int i = 0; i < int(columns.size()); ++i) {
        if (columns[size_t(i)].first.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TableSchema readTableSchema(Database &database, const QString &table)
{
    const auto probe = database.OpenQuery(QStringLiteral("select * from %1 limit 0").arg(sqlName(table)), {},
                                          RecordsetType::Snapshot);
    TableSchema schema;
    schema.name = table;
    for (int i = 0; i < probe->FieldCount(); ++i)
        schema.columns.emplace_back(probe->fieldName(i), probe->fieldType(i));
    return schema;
}

SqlCondition formulaCondition(const ReportFormula &formula, const TableSchema &table)
{
    SqlCondition condition;
    QStringList terms;
    for (const FormulaComparison &c : formula.comparisons) {
        if (c.table.compare(table.name, Qt::CaseInsensitive) != 0)
            continue;
        const QString field = QStringLiteral("{%1.%2}").arg(c.table, c.column);
        const int index = table.find(c.column);
        if (index < 0)
            throw Error(ErrorCode::FormulaError,
                        QStringLiteral("Error in formula: table %1 has no field %2.").arg(table.name, field));
        const auto &[name, type] = table.columns[size_t(index)];
        const bool dateValue = c.value.kind() == Value::Kind::Date;
        auto mismatch = [&](const QString &needed) {
            throw Error(ErrorCode::FormulaError, QStringLiteral("Error in formula: %1 needs %2.").arg(field, needed));
        };
        QString term = sqlName(name) + u' ' + operatorSql(c.op) + QStringLiteral(" ?");
        if (c.op == FormulaComparison::Op::Like) {
            if (!isTextField(type) || dateValue)
                mismatch(QStringLiteral("a text field and a text to be like"));
            condition.parameters.push_back(Value(likePattern(c.value.toText())));
        } else if (isTextField(type)) {
            if (dateValue)
                mismatch(QStringLiteral("a text in quotes, not a date"));
            term += QStringLiteral(" COLLATE NOCASE");
            condition.parameters.push_back(c.value);
        } else if (type == FieldType::Date) {
            if (!dateValue)
                mismatch(QStringLiteral("a date written Date(year,month,day)"));
            condition.parameters.push_back(c.value);
        } else if (isNumberField(type)) {
            if (dateValue)
                mismatch(QStringLiteral("a number"));
            try {
                condition.parameters.push_back(Value(c.value.toDouble()));
            } catch (const Error &) {
                mismatch(QStringLiteral("a number")); // a text that reads as no number
            }
        } else {
            mismatch(QStringLiteral("a field of text, a date or a number"));
        }
        terms << term;
    }
    condition.sql = terms.join(QStringLiteral(" AND "));
    return condition;
}

QString sqlName(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace qm

#include "data/LocalSql.h"

#include "data/Schema.h"

#include <QList>
#include <QRegularExpression>

namespace Orb {

namespace {

struct Token {
    enum Kind { Space, Word, Number, String, Punct } kind;
    QString text;
};

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

QList<Token> Tokenize(const QString &sql)
{
    QList<Token> out;
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        int j = i + 1;
        Token::Kind kind;
        if (c.isSpace()) {
            while (j < n && sql[j].isSpace())
                ++j;
            kind = Token::Space;
        } else if (c == QLatin1Char('\'')) {
            // A literal; '' inside is an escaped quote.
            while (j < n) {
                if (sql[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && sql[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            kind = Token::String;
        } else if (c == QLatin1Char('"')) {
            while (j < n && sql[j] != QLatin1Char('"'))
                ++j;
            j = qMin(n, j + 1);
            kind = Token::Word;
        } else if (c.isDigit()) {
            while (j < n && (sql[j].isDigit() || sql[j] == QLatin1Char('.')))
                ++j;
            kind = Token::Number;
        } else if (IsWordChar(c)) {
            while (j < n && IsWordChar(sql[j]))
                ++j;
            kind = Token::Word;
        } else {
            static const QStringList two{QStringLiteral("<="), QStringLiteral(">="),
                                         QStringLiteral("<>"), QStringLiteral("!="),
                                         QStringLiteral("||")};
            if (i + 1 < n && two.contains(sql.mid(i, 2)))
                j = i + 2;
            kind = Token::Punct;
        }
        out.append({kind, sql.mid(i, j - i)});
        i = j;
    }
    return out;
}

QString Join(const QList<Token> &tokens, int from, int to)
{
    QString s;
    for (int k = from; k < to; ++k)
        s += tokens[k].text;
    return s;
}

bool IsWord(const Token &t, const char *word)
{
    return t.kind == Token::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool IsPunct(const Token &t, const char *p)
{
    return t.kind == Token::Punct && t.text == QLatin1String(p);
}

int NextSignificant(const QList<Token> &t, int k)
{
    for (++k; k < t.size(); ++k)
        if (t[k].kind != Token::Space)
            return k;
    return -1;
}

int PrevSignificant(const QList<Token> &t, int k)
{
    for (--k; k >= 0; --k)
        if (t[k].kind != Token::Space)
            return k;
    return -1;
}

// Index of the ')' that closes the '(' at open, or -1.
int Closing(const QList<Token> &t, int open)
{
    int depth = 0;
    for (int k = open; k < t.size(); ++k) {
        if (IsPunct(t[k], "("))
            ++depth;
        else if (IsPunct(t[k], ")") && --depth == 0)
            return k;
    }
    return -1;
}

// A keyword at parenthesis depth 0 between from and to.
int TopLevelWord(const QList<Token> &t, int from, int to, const char *word)
{
    int depth = 0;
    for (int k = from; k < to; ++k) {
        if (IsPunct(t[k], "("))
            ++depth;
        else if (IsPunct(t[k], ")"))
            --depth;
        else if (depth == 0 && IsWord(t[k], word))
            return k;
    }
    return -1;
}

QString Rewrite(const QString &sql, SqlEngine engine);

// SUBSTRING(x FROM a FOR b) -> substr(x, a, b); EXTRACT(YEAR FROM x) -> strftime.
bool RewriteFunction(QList<Token> &t, int k)
{
    const int open = NextSignificant(t, k);
    if (open < 0 || !IsPunct(t[open], "("))
        return false;
    const int close = Closing(t, open);
    if (close < 0)
        return false;
    QString replacement;
    if (IsWord(t[k], "SUBSTRING")) {
        const int from = TopLevelWord(t, open + 1, close, "FROM");
        if (from < 0)
            return false;
        const int forK = TopLevelWord(t, from + 1, close, "FOR");
        const QString x = Rewrite(Join(t, open + 1, from), SqlEngine::Sqlite);
        const QString a = Rewrite(Join(t, from + 1, forK < 0 ? close : forK), SqlEngine::Sqlite);
        replacement = QStringLiteral("substr(") + x.trimmed() + QStringLiteral(", ") + a.trimmed();
        if (forK >= 0)
            replacement += QStringLiteral(", ")
                           + Rewrite(Join(t, forK + 1, close), SqlEngine::Sqlite).trimmed();
        replacement += QLatin1Char(')');
    } else {
        const int part = NextSignificant(t, open);
        const int from = TopLevelWord(t, open + 1, close, "FROM");
        if (part < 0 || from < 0)
            return false;
        const QString unit = t[part].text.toUpper();
        const char *fmt = unit == QLatin1String("YEAR")    ? "%Y"
                          : unit == QLatin1String("MONTH") ? "%m"
                          : unit == QLatin1String("DAY")   ? "%d"
                                                           : nullptr;
        if (!fmt)
            return false;
        replacement = QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)")
                          .arg(QLatin1String(fmt),
                               Rewrite(Join(t, from + 1, close), SqlEngine::Sqlite).trimmed());
    }
    t[k] = {Token::Word, replacement};
    t.erase(t.begin() + k + 1, t.begin() + close + 1);
    return true;
}

bool IsComparison(const Token &t)
{
    static const QStringList ops{QStringLiteral("="), QStringLiteral("<"), QStringLiteral(">"),
                                 QStringLiteral("<="), QStringLiteral(">="),
                                 QStringLiteral("<>"), QStringLiteral("!=")};
    return t.kind == Token::Punct && ops.contains(t.text);
}

// The column name of a (possibly qualified) identifier ending at k.
QString ColumnAt(const QList<Token> &t, int k)
{
    if (k < 0 || t[k].kind != Token::Word)
        return QString();
    return t[k].text.toUpper();
}

const QRegularExpression &UsDate()
{
    static const QRegularExpression re(QStringLiteral("^'(\\d{1,2})/(\\d{1,2})/(\\d{4})'$"));
    return re;
}

QString IsoLiteral(const QString &literal)
{
    const auto m = UsDate().match(literal);
    if (!m.hasMatch())
        return literal;
    return QStringLiteral("'%1-%2-%3'")
        .arg(m.captured(3), m.captured(1).rightJustified(2, QLatin1Char('0')),
             m.captured(2).rightJustified(2, QLatin1Char('0')));
}

// Whether the literal at k meets a date column: "col op lit", "lit op col",
// "col BETWEEN lit AND lit".
bool InDateComparison(const QList<Token> &t, int k)
{
    const int p = PrevSignificant(t, k);
    if (p >= 0 && IsComparison(t[p]) && IsDateColumnName(ColumnAt(t, PrevSignificant(t, p))))
        return true;
    const int nx = NextSignificant(t, k);
    if (nx >= 0 && IsComparison(t[nx]) && IsDateColumnName(ColumnAt(t, NextSignificant(t, nx))))
        return true;
    if (p >= 0 && IsWord(t[p], "BETWEEN"))
        return IsDateColumnName(ColumnAt(t, PrevSignificant(t, p)));
    if (p >= 0 && IsWord(t[p], "AND")) {
        const int lit = PrevSignificant(t, p);
        const int between = PrevSignificant(t, lit);
        if (lit >= 0 && t[lit].kind == Token::String && between >= 0 && IsWord(t[between], "BETWEEN"))
            return IsDateColumnName(ColumnAt(t, PrevSignificant(t, between)));
    }
    return false;
}

// Whether the literal at k stands in a SET assignment "col = lit" of an UPDATE.
bool IsAssignment(const QList<Token> &t, int k, bool inUpdateSet)
{
    if (!inUpdateSet)
        return false;
    const int p = PrevSignificant(t, k);
    return p >= 0 && IsPunct(t[p], "=") && IsDateColumnName(ColumnAt(t, PrevSignificant(t, p)));
}

// For INSERT INTO T (c1, …) VALUES (v1, …): the value tokens that are a lone
// literal, with their column names.
QList<QPair<int, QString>> InsertLiterals(const QList<Token> &t)
{
    QList<QPair<int, QString>> out;
    int k = NextSignificant(t, -1);
    if (k < 0 || !IsWord(t[k], "INSERT"))
        return out;
    int open = -1;
    for (int j = k; j < t.size(); ++j)
        if (IsPunct(t[j], "(")) {
            open = j;
            break;
        }
    if (open < 0)
        return out;
    const int close = Closing(t, open);
    if (close < 0)
        return out;
    QStringList columns;
    for (int j = open + 1; j < close; ++j)
        if (t[j].kind == Token::Word)
            columns << t[j].text.toUpper();
    const int values = NextSignificant(t, close);
    if (values < 0 || !IsWord(t[values], "VALUES"))
        return out;
    const int vOpen = NextSignificant(t, values);
    if (vOpen < 0 || !IsPunct(t[vOpen], "("))
        return out;
    const int vClose = Closing(t, vOpen);
    if (vClose < 0)
        return out;
    int column = 0, depth = 0, start = vOpen + 1;
    for (int j = vOpen + 1; j <= vClose; ++j) {
        if (IsPunct(t[j], "("))
            ++depth;
        else if (IsPunct(t[j], ")") && j != vClose)
            --depth;
        else if ((depth == 0 && IsPunct(t[j], ",")) || j == vClose) {
            const int first = NextSignificant(t, start - 1);
            if (first >= 0 && first < j && t[first].kind == Token::String
                && NextSignificant(t, first) == j && column < columns.size())
                out.append({first, columns[column]});
            ++column;
            start = j + 1;
        }
    }
    return out;
}

QString Rewrite(const QString &sql, SqlEngine engine)
{
    QList<Token> t = Tokenize(sql);
    const bool sqlite = engine == SqlEngine::Sqlite;

    if (sqlite) {
        for (int k = 0; k < t.size(); ++k)
            if (IsWord(t[k], "SUBSTRING") || IsWord(t[k], "EXTRACT"))
                RewriteFunction(t, k);
    }

    // Literals stored into a date column.
    QSet<int> stored;
    for (const auto &[k, column] : InsertLiterals(t))
        if (IsDateColumnName(column))
            stored.insert(k);

    bool inUpdateSet = false;
    const int first = NextSignificant(t, -1);
    const bool isUpdate = first >= 0 && IsWord(t[first], "UPDATE");
    for (int k = 0; k < t.size(); ++k) {
        if (isUpdate && IsWord(t[k], "SET"))
            inUpdateSet = true;
        else if (IsWord(t[k], "WHERE"))
            inUpdateSet = false;
        if (t[k].kind != Token::String)
            continue;
        const bool store = stored.contains(k) || IsAssignment(t, k, inUpdateSet);
        if (store && t[k].text == QLatin1String("''")) {
            // An empty text is no date: store NULL.
            t[k].text = QStringLiteral("NULL");
            continue;
        }
        if (sqlite && (store || InDateComparison(t, k)))
            t[k].text = IsoLiteral(t[k].text);
    }
    return Join(t, 0, t.size());
}

} // namespace

QString TranslateSql(const QString &sql, SqlEngine engine)
{
    return Rewrite(sql, engine);
}

} // namespace Orb

#include "forms/FindCondition.h"

#include "data/Gbk.h"
#include "data/OrbFun.h"

#include <QDate>
#include <QRegularExpression>

namespace Orb {

const TFindConnectNamearray &DefaultConnections()
{
    static const TFindConnectNamearray table{
        {QStringLiteral("Like"), QStringLiteral("相似")},
        {QStringLiteral("="), QStringLiteral("等于")},
        {QStringLiteral("<>"), QStringLiteral("不等于")},
        {QStringLiteral("<="), QStringLiteral("小于等于")},
        {QStringLiteral(">="), QStringLiteral("大于等于")},
    };
    return table;
}

namespace {

bool In(const QString &kind, std::initializer_list<const char *> kinds)
{
    for (const char *k : kinds)
        if (kind == QLatin1String(k))
            return true;
    return false;
}

// The searched column: kinds whose values slot names another column use it,
// and the table alias goes before it.
QString Column(const TFieldsData &f, const QString &kind)
{
    QString column = f.FieldName;
    if (In(kind, {"DS", "ES", "ESB", "ELS", "BS", "LBS", "DLS"}) && !f.FindValues.isEmpty())
        column = f.FindValues;
    return f.FindAlias.isEmpty() ? column : f.FindAlias + QLatin1Char('.') + column;
}

bool IsLike(const QString &op)
{
    return op.compare(QLatin1String("Like"), Qt::CaseInsensitive) == 0;
}

QString Quoted(const QString &v)
{
    return QLatin1Char('\'') + SqlEscape(v) + QLatin1Char('\'');
}

QString LikeQuoted(const QString &v)
{
    return QStringLiteral("'%") + SqlEscape(v) + QStringLiteral("%'");
}

FindCondition Refuse(const char *message, FindCondition::Focus focus)
{
    FindCondition c;
    c.error = QString::fromUtf8(message);
    c.focus = focus;
    return c;
}

// A typed number goes bare into SQL, so only a plain decimal number may
// (thousands separators dropped); anything else is refused.
QString BareNumber(const QString &v, bool *ok)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?\\d+(\\.\\d+)?$"));
    QString t = v.trimmed();
    t.remove(QLatin1Char(','));
    *ok = number.match(t).hasMatch();
    return t;
}

// A date as the number YYYYMMDD that the date expressions compare with.
QString DateNumber(const QDate &d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

bool FindKindWithoutLike(const QString &findKind, const QString &dataKind)
{
    const QString k = findKind.toUpper();
    if (In(k, {"T", "LS"}) && dataKind.toUpper() == QLatin1String("N"))
        return true;
    return In(k, {"Y", "D", "DLS", "ES", "ESB", "ELS", "B", "BLS"});
}

bool FindKindFixedOperator(const QString &findKind)
{
    return In(findKind.toUpper(), {"BS", "LBS", "BT"});
}

FindCondition BuildFindCondition(TSqlType type, const TFieldsData *field, const QString &opSymbol,
                                 const FindValues &in)
{
    if (!field)
        return Refuse("必须有一个查找字段", FindCondition::Field);
    if (opSymbol.isEmpty())
        return Refuse("必须有一个查找关系", FindCondition::Operator);
    const TFieldsData &f = *field;
    const QString kind = f.FindKind.toUpper();
    const QString dataKind = f.DataKind.toUpper();
    const QString c = Column(f, kind);
    const QString op = opSymbol + QLatin1Char(' ');
    FindCondition out;
    out.shown = in.value;

    if (kind == QLatin1String("Y")) {
        if (in.year.isEmpty())
            return Refuse("必须有一个查找的年份", FindCondition::Year);
        if (in.year.size() != 4)
            return Refuse("错误的年份,正确的年份如2000年是:“2000”", FindCondition::Year);
        if (in.month.isEmpty())
            return Refuse("必须有一个查找的月份", FindCondition::Month);
        if (in.month.size() != 2)
            return Refuse("错误的月份,正确的月份如8月是:“08”", FindCondition::Month);
        bool yearOk = false, monthOk = false;
        const int y = in.year.toInt(&yearOk);
        const int m = in.month.toInt(&monthOk);
        if (!yearOk)
            return Refuse("错误的年份,正确的年份如2000年是:“2000”", FindCondition::Year);
        if (!monthOk)
            return Refuse("错误的月份,正确的月份如8月是:“08”", FindCondition::Month);
        out.shown = in.year + QStringLiteral("年") + in.month + QStringLiteral("月");
        if (dataKind == QLatin1String("C")) {
            out.sql = c + QLatin1Char(' ') + op + QLatin1Char(' ') + Quoted(out.shown);
        } else {
            QString ym;
            if (type == urSql_Server)
                ym = QStringLiteral("(100 * Datepart(yy, %1) + Datepart(mm, %1))").arg(c);
            else if (type == urAccess)
                ym = QStringLiteral("(100 * YEAR(%1) + MONTH(%1))").arg(c);
            else
                ym = QStringLiteral("(100 * EXTRACT(YEAR FROM %1) + EXTRACT(MONTH FROM %1))")
                         .arg(c);
            out.sql = ym + QLatin1Char(' ') + op + QLatin1Char(' ') + QString::number(100 * y + m);
        }
        return out;
    }

    if (kind == QLatin1String("D") || kind == QLatin1String("DLS")) {
        const QString text = in.value.trimmed();
        if (text.isEmpty())
            return Refuse("必须有一个查找的日期", FindCondition::Value);
        const QDate d = QDate::fromString(text, kShortDateFormat);
        if (text.size() != 10 || !d.isValid())
            return Refuse("错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”",
                          FindCondition::Value);
        QString sql;
        if (dataKind == QLatin1String("D")) {
            if (type == urSql_Server)
                sql = c + QLatin1Char(' ') + op + QLatin1Char(' ') + Quoted(text);
            else if (type == urAccess)
                sql = QStringLiteral("(10000 * YEAR(%1) +100 * MONTH(%1)) + DAY(%1)").arg(c)
                      + QLatin1Char(' ') + op + QLatin1Char(' ') + DateNumber(d);
            else
                sql = QStringLiteral("(10000 * EXTRACT(YEAR FROM %1)"
                                     " +100 * EXTRACT(Month FROM %1))"
                                     " + EXTRACT(DAY FROM %1)")
                          .arg(c)
                      + QLatin1Char(' ') + op + QLatin1Char(' ') + DateNumber(d);
        } else {
            sql = c + QLatin1Char(' ') + op + QLatin1Char(' ') + Quoted(text);
        }
        // DLS: the field's text opens the expression, which the date closes.
        out.sql = kind == QLatin1String("DLS") ? f.FieldName + sql + QLatin1Char(')') : sql;
        return out;
    }

    if (In(kind, {"ES", "ESB", "ELS"})) {
        if (in.id.isEmpty())
            return Refuse("必须从弹出的窗口里选择一个值", FindCondition::Value);
        if (in.value != in.pickedValue)
            return Refuse("选择出来的值不能改变", FindCondition::Value);
        out.sql = c + QLatin1Char(' ') + op + QLatin1Char(' ')
                  + (IsLike(opSymbol) ? QLatin1Char('\'') + SqlEscape(in.id) + QStringLiteral("%'")
                                      : Quoted(in.id));
        if (kind == QLatin1String("ELS"))
            out.sql += QLatin1Char(')');
        return out;
    }

    if (in.value.isEmpty() && !In(kind, {"BS", "LBS", "BF"}))
        return Refuse("必须有一个查找的值", FindCondition::Value);

    if (kind == QLatin1String("BS") || kind == QLatin1String("LBS")) {
        if (in.id.isEmpty())
            return Refuse("必须有一个查找的值", FindCondition::Value);
        out.sql = kind == QLatin1String("LBS") ? f.FieldName + in.id + QLatin1Char(')') : in.id;
        return out;
    }
    if (kind == QLatin1String("BT")) {
        out.sql = c + QStringLiteral(" LIKE ") + LikeQuoted(in.value);
        return out;
    }
    if (kind == QLatin1String("BF")) {
        if (in.id.isEmpty())
            return Refuse("必须有一个查找的值", FindCondition::Value);
        const int at = in.id.indexOf(QLatin1Char('@'));
        if (at >= 0) {
            FindValues plain = in;
            plain.value = in.id.left(at);
            TFieldsData asText = f;
            asText.FindKind = QStringLiteral("T");
            FindCondition t = BuildFindCondition(type, &asText, QStringLiteral("="), plain);
            t.shown = in.value;
            return t;
        }
        const int star = in.id.indexOf(QLatin1Char('*'));
        out.sql = star >= 0 ? QString(in.id).replace(QLatin1Char('*'), c) : in.id;
        return out;
    }
    if (kind == QLatin1String("DS")) {
        QString v;
        if (IsLike(opSymbol))
            v = LikeQuoted(in.value);
        else if (dataKind == QLatin1String("C") || dataKind == QLatin1String("D"))
            v = Quoted(in.value);
        else {
            bool ok = false;
            v = BareNumber(in.value, &ok);
            if (!ok)
                return Refuse("必须有一个查找的值", FindCondition::Value);
        }
        out.sql = c + QStringLiteral(" IN (SELECT ") + f.SubQueryColumn
                  + QStringLiteral(" FROM ") + f.SubQueryTable + QStringLiteral(" WHERE ")
                  + f.SubQueryKey + QLatin1Char(' ') + op + QLatin1Char(' ') + v
                  + QStringLiteral(") ");
        return out;
    }

    // T, LS, LT, B, BLS, S and the box kinds DT, LDT, DSF.
    const QString &v = in.value;
    if (IsLike(opSymbol)) {
        out.sql = c + QLatin1Char(' ') + op + QLatin1Char(' ') + LikeQuoted(v);
    } else if (dataKind == QLatin1String("C")) {
        out.sql = c + QLatin1Char(' ') + op + QLatin1Char(' ') + Quoted(v);
    } else {
        bool ok = false;
        const QString number = BareNumber(v, &ok);
        if (!ok)   // never write typed text bare into SQL
            return Refuse("必须有一个查找的值", FindCondition::Value);
        const bool isnull = type == urSql_Server && In(kind, {"T", "LS", "LT", "B", "BLS", "S"});
        out.sql = (isnull ? QStringLiteral("ISNULL(") + c + QStringLiteral(",0)") : c)
                  + QLatin1Char(' ') + op + QLatin1Char(' ') + number;
    }
    if (kind == QLatin1String("LS") || kind == QLatin1String("BLS"))
        out.sql += QStringLiteral(") ");
    else if (kind == QLatin1String("LDT"))
        out.sql += QLatin1Char(')');
    return out;
}

namespace {

QString KeepAfter(const QString &text, const QString &sign)
{
    const int at = text.indexOf(sign);
    if (at < 0)
        return text;
    return FromGbk(GbkTruncate(ToGbk(text.mid(at + sign.size())), 200)).trimmed();
}

} // namespace

QString CleanFindText(const QString &text)
{
    QString t = text.trimmed();
    t = KeepAfter(t, QStringLiteral("；"));
    t = KeepAfter(t, QStringLiteral("；"));
    const int q = t.indexOf(QLatin1Char('?'));
    if (q >= 0)
        t = t.left(q);
    for (int i = 0; i < 3; ++i)
        t = KeepAfter(t, QStringLiteral(";"));
    return t;
}

} // namespace Orb

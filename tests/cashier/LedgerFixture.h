#pragma once
// Accounts, journal entries and a readable picture of both ledgers for the
// posting tests.

#include "data/OrbFun.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QtTest>

namespace OrbTest {

inline void AddAccount(const QString &id, const QString &name, int order = 1)
{
    QVERIFY(Orb::ExecSql(
        QStringLiteral("INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,"
                       "MONEY_ACCOUNT_NAME,ORDER_ID) VALUES(%1,'G001',%2,%3)")
            .arg(Orb::QuotedStr(id), Orb::QuotedStr(name))
            .arg(order)));
}

inline void AddEntry(const QString &record, const QString &account, const QDate &date,
                     double into, double out)
{
    const QString dateSql = date.isValid() ? Orb::DateLiteral(date) : QStringLiteral("NULL");
    QVERIFY(Orb::ExecSql(
        QStringLiteral("INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                       "MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                       "MONEY_OUT_NUMBER,STATUS) VALUES(%1,%1,'001',%2,%3,%4,%5,'未审核')")
            .arg(Orb::QuotedStr(record), Orb::QuotedStr(account), dateSql)
            .arg(into, 0, 'g', 17)
            .arg(out, 0, 'g', 17)));
}

inline QString Cell(const QVariant &v)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return QString::number(v.toDouble(), 'f', 6).remove(QRegularExpression("\\.?0+$"));
    const QString t = Orb::FieldText(v);
    bool isNumber = false;
    const double d = t.toDouble(&isNumber);
    if (isNumber && t.contains(QLatin1Char('.')))
        return QString::number(d, 'f', 6).remove(QRegularExpression("\\.?0+$"));
    return t;
}

inline QStringList Rows(const QString &sql)
{
    QStringList out;
    auto q = Orb::OpenSql(sql);
    const int n = q->record().count();
    while (q->next()) {
        QStringList cells;
        for (int i = 0; i < n; ++i)
            cells << Cell(q->value(i));
        out << cells.join(QLatin1Char(' '));
    }
    return out;
}

// "date prior in out today status" per day row of the account, in date order.
inline QStringList DayRows(const QString &account = QStringLiteral("001"))
{
    return Rows(QStringLiteral("SELECT MONEY_DAY_DATE,PRIOR_DAY_MONEY,INTO_DAY_MONEY,"
                               "OUT_DAY_MONEY,TODAY_DAY_MONEY,STATUS FROM ORB_MONEY_DAY_TABLE "
                               "WHERE MONEY_ACCOUNT_ID = ")
                + Orb::QuotedStr(account) + QStringLiteral(" ORDER BY MONEY_DAY_DATE"));
}

// "label start end prior in out today status" per month row, in label order.
inline QStringList MonthRows(const QString &account = QStringLiteral("001"))
{
    return Rows(QStringLiteral("SELECT MONEY_MONTH,MONEY_START_DATE,MONEY_END_DATE,"
                               "PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,"
                               "TODAY_MONTH_MONEY,STATUS FROM ORB_MONEY_MONTH_TABLE "
                               "WHERE MONEY_ACCOUNT_ID = ")
                + Orb::QuotedStr(account) + QStringLiteral(" ORDER BY MONEY_MONTH"));
}

// Every column of both ledgers, for "nothing changed" comparisons.
inline QStringList Ledgers()
{
    return Rows(QStringLiteral("SELECT * FROM ORB_MONEY_DAY_TABLE ORDER BY MONEY_ACCOUNT_ID,"
                               "MONEY_DAY_DATE"))
           + Rows(QStringLiteral("SELECT * FROM ORB_MONEY_MONTH_TABLE ORDER BY MONEY_ACCOUNT_ID,"
                                 "MONEY_MONTH"));
}

inline QString EntryStatus(const QString &record)
{
    return Orb::GetSqlText(QStringLiteral("SELECT STATUS FROM ORB_INTO_OUT_MONEY_TABLE "
                                          "WHERE MONEY_RECORD_ID = ")
                           + Orb::QuotedStr(record));
}

} // namespace OrbTest

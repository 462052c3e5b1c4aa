// SQL execution and single values of the helper library.
#include "data/Database.h"
#include "data/DbError.h"
#include "data/OrbFun.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

bool ExecSql(const QString &sql)
{
    try {
        Database::Exec(sql);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void ExecSqlOrThrow(const QString &sql)
{
    Database::Exec(sql);
}

std::unique_ptr<QSqlQuery> OpenSql(const QString &sql)
{
    return std::make_unique<QSqlQuery>(Database::Exec(sql));
}

QString FieldText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

QString GetSqlText(const QString &sql)
{
    QSqlQuery q = Database::Exec(sql);
    return q.next() ? FieldText(q.value(0)) : QString();
}

double GetSqlNumber(const QString &sql)
{
    QSqlQuery q = Database::Exec(sql);
    return q.next() ? TextToNumber(FieldText(q.value(0))) : 0;
}

QVariant GetSqlRow(const QString &sql)
{
    QSqlQuery q = Database::Exec(sql);
    if (!q.next())
        return QVariant(QMetaType::fromType<std::nullptr_t>());   // Null, not unassigned
    const int n = q.record().count();
    if (n == 1)
        return q.value(0);
    QVariantList row;
    for (int i = 0; i < n; ++i)
        row << q.value(i);
    return row;
}

QVariant GetSqlRows(const QString &sql)
{
    QSqlQuery q = Database::Exec(sql);
    QVariantList rows;
    const int n = q.record().count();
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < n; ++i)
            row << q.value(i);
        rows << QVariant(row);
    }
    if (rows.isEmpty())
        return QVariant();
    if (rows.size() == 1 && n == 1)
        return rows.first().toList().first();
    return rows;
}

void FillComboBoxItems(QComboBox *combo, QSqlQuery &query, const QString &fieldName)
{
    QStringList items;
    const int index = query.record().indexOf(fieldName);
    if (index >= 0 && query.first()) {
        do
            items << FieldText(query.value(index));
        while (query.next());
    }
    combo->clear();
    combo->addItems(items);
}

} // namespace Orb

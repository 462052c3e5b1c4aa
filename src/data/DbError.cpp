#include "data/DbError.h"

#include <QSqlError>

namespace Orb {

EDBEngineError::EDBEngineError(QList<DbErrorItem> errors, const QString &sql)
    : std::runtime_error(errors.isEmpty() ? std::string("database engine error")
                                          : errors.first().message.toStdString())
    , m_errors(std::move(errors))
    , m_sql(sql)
{
}

QString EDBEngineError::message() const
{
    return m_errors.isEmpty() ? QString() : m_errors.first().message;
}

EDatabaseError::EDatabaseError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

EConvertError::EConvertError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

ERangeError::ERangeError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

namespace {

DbErrorItem Item(int code, int category, int sub, const QString &message)
{
    return {code, category, sub, 0, message};
}

DbErrorItem MapPostgres(const QString &state, const QString &message)
{
    using namespace EngineCode;
    if (state == QLatin1String("23505"))
        return Item(KeyViolation, 38, 1, message);
    if (state == QLatin1String("23503"))
        return Item(ForeignKey, 38, 6, message);
    if (state == QLatin1String("22001") || state == QLatin1String("22003"))
        return Item(TooBig, 39, 45, message);
    if (state == QLatin1String("40001") || state == QLatin1String("40P01"))
        return Item(RecordChanged, 42, 11, message);
    if (state == QLatin1String("55P03"))
        return Item(TablesOpen, 40, 3, message);
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"))
        || state == QLatin1String("3D000") || state == QLatin1String("28P01"))
        return Item(OpenError, 42, 18, message);
    DbErrorItem item = Item(General, 51, 3, message);
    item.nativeError = -1;
    return item;
}

DbErrorItem MapSqlite(const QString &code, const QString &message)
{
    using namespace EngineCode;
    const int primary = code.toInt() & 0xff;
    if (message.contains(QLatin1String("UNIQUE constraint failed"))
        || message.contains(QLatin1String("PRIMARY KEY")))
        return Item(KeyViolation, 38, 1, message);
    if (message.contains(QLatin1String("FOREIGN KEY constraint failed")))
        return Item(ForeignKey, 38, 6, message);
    if (primary == 18 || message.contains(QLatin1String("too big")))
        return Item(TooBig, 39, 45, message);
    if (primary == 5 || primary == 6 || message.contains(QLatin1String("database is locked")))
        return Item(TablesOpen, 40, 3, message);
    if (primary == 14 || primary == 26 || primary == 11 || primary == 10)
        return Item(OpenError, 42, 18, message);
    DbErrorItem item = Item(General, 51, 3, message);
    item.nativeError = code.toInt() ? code.toInt() : -1;
    return item;
}

} // namespace

DbErrorItem MapSqlError(const QSqlError &error, bool postgres)
{
    QString message = error.databaseText();
    if (message.isEmpty())
        message = error.text();
    return postgres ? MapPostgres(error.nativeErrorCode(), message)
                    : MapSqlite(error.nativeErrorCode(), message);
}

} // namespace Orb

#include "data/Database.h"

#include "data/DbError.h"
#include "data/OrbFun.h"
#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace Orb {

namespace {

LinkConfig g_link;
QHash<QString, int> g_depth;        // transaction depth per connection
QHash<QString, bool> g_failed;      // an inner scope rolled back

QString ConfigDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/ORBSOFTWARE");
}

void Configure(QSqlDatabase &db, const LinkConfig &c)
{
    if (c.isPostgres()) {
        db.setHostName(c.host);
        db.setPort(c.port);
        db.setUserName(c.user);
        db.setPassword(c.password);
        db.setDatabaseName(c.database);
    } else {
        QDir().mkpath(c.dataDir);
        db.setDatabaseName(QDir(c.dataDir).filePath(kSqliteFileName));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
}

void Session(QSqlDatabase &db, const LinkConfig &c)
{
    QSqlQuery q(db);
    if (c.isPostgres()) {
        q.exec(QStringLiteral("SET DateStyle='ISO, MDY'"));
        q.exec(QStringLiteral("SET client_min_messages=WARNING"));
    } else {
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
}

QSqlDatabase Connect(const QString &name, const LinkConfig &c)
{
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(c.driver, name);
    Configure(db, c);
    if (!db.open()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw EDBEngineError({{EngineCode::OpenError, 42, 18, 0, text}});
    }
    Session(db, c);
    return db;
}

} // namespace

QString AliasFilePath()
{
    return ConfigDir() + QStringLiteral("/OrbCashierLink.ini");
}

bool ReadLink(LinkConfig *config)
{
    if (!QFileInfo::exists(AliasFilePath()))
        return false;
    QSettings s(AliasFilePath(), QSettings::IniFormat);
    s.beginGroup(kLinkName);
    LinkConfig c;
    c.driver = s.value(QStringLiteral("Driver")).toString();
    c.dataDir = s.value(QStringLiteral("DataDir")).toString();
    c.host = s.value(QStringLiteral("Host")).toString();
    c.port = s.value(QStringLiteral("Port"), 5432).toInt();
    c.user = s.value(QStringLiteral("User")).toString();
    c.password = s.value(QStringLiteral("Password")).toString();
    c.database = s.value(QStringLiteral("Database")).toString();
    if (c.driver != QLatin1String("QSQLITE") && c.driver != QLatin1String("QPSQL"))
        return false;
    if (c.dataDir.isEmpty())
        return false;
    *config = c;
    return true;
}

bool WriteLink(const LinkConfig &c, QString *error)
{
    QDir().mkpath(ConfigDir());
    QSettings s(AliasFilePath(), QSettings::IniFormat);
    s.beginGroup(kLinkName);
    s.setValue(QStringLiteral("Driver"), c.driver);
    s.setValue(QStringLiteral("DataDir"), QDir(c.dataDir).absolutePath());
    if (c.isPostgres()) {
        s.setValue(QStringLiteral("Host"), c.host);
        s.setValue(QStringLiteral("Port"), c.port);
        s.setValue(QStringLiteral("User"), c.user);
        s.setValue(QStringLiteral("Password"), c.password);
        s.setValue(QStringLiteral("Database"), c.database);
    } else {
        for (const char *key : {"Host", "Port", "User", "Password", "Database"})
            s.remove(QLatin1String(key));
    }
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("无法写入数据库连接参数文件 ") + AliasFilePath();
        return false;
    }
    return true;
}

LinkConfig ParsePostgresLink(const QString &text)
{
    LinkConfig c;
    c.driver = QStringLiteral("QPSQL");
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        const QString value = part.mid(eq + 1).trimmed();
        if (key == QLatin1String("host"))
            c.host = value;
        else if (key == QLatin1String("port"))
            c.port = value.toInt();
        else if (key == QLatin1String("user"))
            c.user = value;
        else if (key == QLatin1String("password"))
            c.password = value;
        else if (key == QLatin1String("database") || key == QLatin1String("dbname"))
            c.database = value;
    }
    return c;
}

void Database::Open(const LinkConfig &config)
{
    Close();
    QSqlDatabase db = Connect(kDataBaseName, config);
    g_link = config;
    QString error;
    if (!EnsureSchema(db, &error))
        throw EDatabaseError(QStringLiteral("数据库打开过程发生错误: ") + error);
}

void Database::Close()
{
    if (QSqlDatabase::contains(kDataBaseName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(kDataBaseName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(kDataBaseName);
    }
    g_depth.remove(kDataBaseName);
    g_failed.remove(kDataBaseName);
}

bool Database::IsOpen()
{
    return QSqlDatabase::contains(kDataBaseName)
           && QSqlDatabase::database(kDataBaseName, false).isOpen();
}

QSqlDatabase Database::Connection()
{
    return QSqlDatabase::database(kDataBaseName, false);
}

SqlEngine Database::Engine()
{
    return g_link.isPostgres() ? SqlEngine::Postgres : SqlEngine::Sqlite;
}

const LinkConfig &Database::Link()
{
    return g_link;
}

QSqlDatabase Database::OpenExtraConnection(const QString &name)
{
    return Connect(name, g_link);
}

QString Database::Translate(const QString &sql)
{
    return TranslateSql(sql, Engine());
}

void Database::ThrowError(const QSqlQuery &query, const QString &sql)
{
    throw EDBEngineError({MapSqlError(query.lastError(), Engine() == SqlEngine::Postgres)}, sql);
}

QSqlQuery Database::Exec(const QString &sql)
{
    return Exec(Connection(), sql);
}

QSqlQuery Database::Exec(QSqlDatabase db, const QString &sql)
{
    if (!db.isOpen())
        throw EDatabaseError(QStringLiteral("数据库没有连接"));
    QSqlQuery q(db);
    const QString translated = Translate(sql);
    if (!q.exec(translated))
        ThrowError(q, sql);
    return q;
}

QSqlQuery Database::Prepare(const QString &sql)
{
    QSqlDatabase db = Connection();
    if (!db.isOpen())
        throw EDatabaseError(QStringLiteral("数据库没有连接"));
    QSqlQuery q(db);
    if (!q.prepare(Translate(sql)))
        ThrowError(q, sql);
    return q;
}

void Database::ExecPrepared(QSqlQuery &query)
{
    if (!query.exec())
        ThrowError(query, query.lastQuery());
}

Transaction::Transaction()
    : Transaction(Database::Connection())
{
}

Transaction::Transaction(QSqlDatabase db)
    : m_connection(db.connectionName())
{
    int &depth = g_depth[m_connection];
    if (depth == 0) {
        g_failed[m_connection] = false;
        if (!db.transaction())
            throw EDBEngineError({MapSqlError(db.lastError(), db.driverName() == "QPSQL")});
    }
    ++depth;
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    int &depth = g_depth[m_connection];
    if (--depth > 0)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (g_failed.value(m_connection)) {
        db.rollback();
        throw EDatabaseError(QStringLiteral("事务已被撤销"));
    }
    if (!db.commit()) {
        const QSqlError e = db.lastError();
        db.rollback();
        throw EDBEngineError({MapSqlError(e, db.driverName() == "QPSQL")});
    }
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    int &depth = g_depth[m_connection];
    if (--depth > 0) {
        g_failed[m_connection] = true;
        return;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (db.isOpen())
        db.rollback();
}

} // namespace Orb

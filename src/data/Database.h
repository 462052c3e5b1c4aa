#pragma once
// The database link OrbCashierLink and the one connection OrbCashierDataBase.
// The alias file maps the link to an SQLite data directory or a PostgreSQL
// server; every statement runs through the local-SQL adapter of its engine.

#include "data/LocalSql.h"

#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlQuery;

namespace Orb {

inline const QString kLinkName = QStringLiteral("OrbCashierLink");
inline const QString kSqliteFileName = QStringLiteral("OrbCashier.sqlite");

struct LinkConfig {
    QString driver;        // "QSQLITE" or "QPSQL"
    QString dataDir;       // the data directory (DataBaseDir)
    QString host;
    int port = 5432;
    QString user;
    QString password;
    QString database;

    bool isPostgres() const { return driver == QLatin1String("QPSQL"); }
};

// The alias file: $XDG_CONFIG_HOME/ORBSOFTWARE/OrbCashierLink.ini.
QString AliasFilePath();
bool ReadLink(LinkConfig *config);
bool WriteLink(const LinkConfig &config, QString *error = nullptr);
// "host=…;port=…;user=…;password=…;database=…" into the PostgreSQL fields.
LinkConfig ParsePostgresLink(const QString &text);

class Database {
public:
    // Opens the connection OrbCashierDataBase for the link (replacing an open
    // one) and creates the schema when missing. Throws EDatabaseError.
    static void Open(const LinkConfig &config);
    static void Close();
    static bool IsOpen();
    static QSqlDatabase Connection();
    static SqlEngine Engine();
    static const LinkConfig &Link();

    // A second, independent connection on the same link (workers, tests).
    static QSqlDatabase OpenExtraConnection(const QString &name);

    // Runs a statement of the standard dialect; throws EDBEngineError.
    static QSqlQuery Exec(const QString &sql);
    static QSqlQuery Exec(QSqlDatabase db, const QString &sql);
    // Prepares a translated statement with :NAME parameters for binding.
    static QSqlQuery Prepare(const QString &sql);
    static void ExecPrepared(QSqlQuery &query);
    static QString Translate(const QString &sql);

    [[noreturn]] static void ThrowError(const QSqlQuery &query, const QString &sql);
};

// One transaction on the connection. Nested scopes join the outer one; the
// outermost commits. A scope left without commit() rolls everything back.
class Transaction {
public:
    Transaction();
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    QString m_connection;
    bool m_done = false;
};

} // namespace Orb

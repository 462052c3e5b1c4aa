#include "common/TestDb.h"

#include "data/RunTime.h"
#include "data/Settings.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace OrbTest {

namespace {

Orb::LinkConfig ServerLink()
{
    return Orb::ParsePostgresLink(qEnvironmentVariable("ORB_TEST_PG"));
}

bool Admin(const QString &sql)
{
    const QString name = QStringLiteral("orb_test_admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const Orb::LinkConfig c = ServerLink();
        db.setHostName(c.host);
        db.setPort(c.port);
        db.setUserName(c.user);
        db.setPassword(c.password);
        db.setDatabaseName(c.database.isEmpty() ? QStringLiteral("postgres") : c.database);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok)
                qWarning("%s", qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

bool PostgresAvailable()
{
    static const bool available = !qEnvironmentVariableIsEmpty("ORB_TEST_PG")
                                  && Admin(QStringLiteral("SELECT 1"));
    return available;
}

TestDatabase::TestDatabase(Orb::SqlEngine engine)
{
    Orb::SetRegistryFile(m_dir.filePath(QStringLiteral("ORBSOFTWARE.conf")));
    m_link.dataDir = m_dir.filePath(QStringLiteral("Data"));
    if (engine == Orb::SqlEngine::Postgres) {
        static std::atomic<int> counter{0};
        m_pgName = QStringLiteral("orb_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        Admin(QStringLiteral("DROP DATABASE IF EXISTS ") + m_pgName);
        if (!Admin(QStringLiteral("CREATE DATABASE ") + m_pgName))
            return;
        const Orb::LinkConfig server = ServerLink();
        m_link.driver = QStringLiteral("QPSQL");
        m_link.host = server.host;
        m_link.port = server.port;
        m_link.user = server.user;
        m_link.password = server.password;
        m_link.database = m_pgName;
    } else {
        m_link.driver = QStringLiteral("QSQLITE");
    }
    Orb::Database::Open(m_link);
    Orb::DataBaseDir = m_link.dataDir;
    Orb::WorkDate = Orb::Today().toString(Orb::kShortDateFormat);
    m_ok = true;
}

TestDatabase::~TestDatabase()
{
    Orb::Database::Close();
    if (!m_pgName.isEmpty())
        Admin(QStringLiteral("DROP DATABASE IF EXISTS ") + m_pgName + QStringLiteral(" WITH (FORCE)"));
    Orb::SetRegistryFile(QString());
}

} // namespace OrbTest

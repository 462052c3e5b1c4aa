#pragma once
// Test fixture: a fresh database with the full schema, on SQLite in a
// temporary directory or on the throwaway PostgreSQL cluster (ORB_TEST_PG).

#include "data/Database.h"
#include "data/LocalSql.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace OrbTest {

// True when the PostgreSQL cluster of the test script is reachable.
bool PostgresAvailable();

class TestDatabase {
public:
    // Opens OrbCashierDataBase on a new, empty database of the engine, with
    // the settings file and DataBaseDir in a temporary directory.
    explicit TestDatabase(Orb::SqlEngine engine);
    ~TestDatabase();
    bool ok() const { return m_ok; }
    QString dir() const { return m_dir.path(); }
    Orb::LinkConfig link() const { return m_link; }

private:
    QTemporaryDir m_dir;
    Orb::LinkConfig m_link;
    QString m_pgName;
    bool m_ok = false;
};

inline const char *EngineName(Orb::SqlEngine e)
{
    return e == Orb::SqlEngine::Postgres ? "postgres" : "sqlite";
}

// Runs the test class once per engine; PostgreSQL is skipped (with a note)
// when the cluster is not there, unless ORB_REQUIRE_PG is set.
template <class T>
int RunOnBothEngines(int argc, char **argv)
{
    int status = 0;
    for (Orb::SqlEngine engine : {Orb::SqlEngine::Sqlite, Orb::SqlEngine::Postgres}) {
        if (engine == Orb::SqlEngine::Postgres && !PostgresAvailable()) {
            if (qEnvironmentVariableIsSet("ORB_REQUIRE_PG")) {
                qWarning("PostgreSQL test cluster required but not reachable");
                return 1;
            }
            qWarning("PostgreSQL test cluster not reachable: PostgreSQL cases skipped");
            continue;
        }
        T test(engine);
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}

} // namespace OrbTest

#define ORB_TEST_BOTH_ENGINES(TestClass)                                  \
    int main(int argc, char **argv)                                       \
    {                                                                     \
        QApplication app(argc, argv);                                     \
        return OrbTest::RunOnBothEngines<TestClass>(argc, argv);          \
    }

#include "data/Schema.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Orb {

namespace {

ColumnDef T(const char *name, int width) { return {QString::fromLatin1(name), ColumnKind::Text, width}; }
ColumnDef I(const char *name) { return {QString::fromLatin1(name), ColumnKind::Integer, 0}; }
ColumnDef F(const char *name) { return {QString::fromLatin1(name), ColumnKind::Float, 0}; }
ColumnDef D(const char *name) { return {QString::fromLatin1(name), ColumnKind::Date, 0}; }

QList<ColumnDef> Stamps(int width)
{
    return {T("EDIT_NAME", width), D("EDIT_DATE"), T("CREATE_NAME", width), D("CREATE_DATE")};
}

QList<ColumnDef> VerifyStamps()
{
    return {T("VERIFY_NAME", 20), D("VERIFY_DATE")};
}

QList<ColumnDef> operator+(QList<ColumnDef> a, const QList<ColumnDef> &b)
{
    a += b;
    return a;
}

TableDef LayoutTable(const char *name)
{
    return {QString::fromLatin1(name),
            {T("USE_ID", 6), T("FORM_NAME", 40), T("DBGRID_NAME", 40), T("FIELD_NAME", 30),
             I("FIELD_WIDTH"), I("FIELD_ORDER")},
            {"USE_ID", "FORM_NAME", "DBGRID_NAME", "FIELD_NAME"},
            {},
            {}};
}

TableDef FieldTable(const char *name)
{
    return {QString::fromLatin1(name),
            {T("FIELD_NAME", 30), T("FIELD_DISPLAY_NAME", 20), T("FIELD_TYPE", 10),
             I("FIELD_WIDTH"), I("FIELD_DISPLAY_WIDTH"), T("FIELD_FIND_TYPE", 10),
             T("FIELD_ORDER_TYPE", 10), I("FIELD_ORDER")},
            {"FIELD_NAME"},
            {},
            {}};
}

TableDef LookupTable(const QString &table, const QString &column, int width)
{
    return {table, {{column, ColumnKind::Text, width}}, {column}, {}, {}};
}

QList<TableDef> BuildTables()
{
    QList<TableDef> t;

    // System tables.
    t << TableDef{"SYS_ID_TABLE", {T("NAME_ID", 30), T("AUTO_ID", 30)}, {"NAME_ID"}, {}, {}};
    t << TableDef{"SYS_USER_TABLE",
                  QList<ColumnDef>{T("USE_ID", 6), T("USE_NAME", 20), T("USE_PASSWORD", 128),
                                   T("SYS_USER", 2), T("STOP_RIGHT", 4), T("NOTE", 30)}
                      + Stamps(20),
                  {"USE_ID"},
                  {},
                  {}};
    t << TableDef{"SYS_COMPOSE_TABLE", {I("COMPOSE_ID"), T("COMPOSE_NAME", 40)}, {"COMPOSE_ID"}, {}, {}};
    t << TableDef{"SYS_PROGRAM_TABLE",
                  {I("PROGRAM_ID"), I("COMPOSE_ID"), T("PROGRAM_NAME", 40), T("ADD_RIGHT", 2),
                   T("BROWSE_RIGHT", 2), T("PRINT_RIGHT", 2), T("VERIFY_RIGHT", 2)},
                  {"COMPOSE_ID", "PROGRAM_ID"},
                  {},
                  {}};
    t << TableDef{"SYS_RIGHT_TABLE",
                  {T("USE_ID", 6), I("COMPOSE_ID"), I("PROGRAM_ID"), T("ADD_RIGHT", 2),
                   T("EDIT_RIGHT", 2), T("DELETE_RIGHT", 2), T("BROWSE_RIGHT", 2),
                   T("PRINT_RIGHT", 2), T("VERIFY_RIGHT", 2), T("CURRENCY_RIGHT", 2)},
                  {"USE_ID", "COMPOSE_ID", "PROGRAM_ID"},
                  {},
                  {}};
    t << TableDef{"SYS_PRINT_NAME_TABLE",
                  QList<ColumnDef>{T("PRINT_INDEX", 80), T("PRINT_ID", 16), T("PRINT_NAME", 80),
                                   T("PRINT_TYPE", 2)}
                      + Stamps(20),
                  {"PRINT_ID"},
                  {},
                  {{"PRINT_INDEX"}}};

    // Company and employees.
    t << TableDef{"SYS_COMPANY_TABLE",
                  QList<ColumnDef>{T("COMPANY_ID", 16), T("PRIOR_ID", 16), T("COMPANY_NAME", 40),
                                   T("COMPANY_CARD", 20), T("COMPANY_ADDRESS", 60),
                                   T("COMPANY_POSTCODE", 10), T("COMPANY_PHONE", 40),
                                   T("COMPANY_FAX", 20), T("COMPANY_EMAIL", 30),
                                   T("ACCOUNT_NUMBER", 20), T("COMPANY_BANK", 40),
                                   T("COMPANY_TAX_NUMBER", 20), T("COMPANY_PRINCIPAL", 20),
                                   I("ORDER_ID"), T("NOTE", 40)}
                      + Stamps(20),
                  {"COMPANY_ID"},
                  {},
                  {{"PRIOR_ID", "ORDER_ID"}}};
    {
        QList<ColumnDef> c{T("COMPANY_ID", 16), T("EMPLOYEE_RECORD_ID", 16), T("EMPLOYEE_ID", 13),
                           T("EMPLOYEE_NAME", 20), T("EMPLOYEE_ORDER_ID", 16)};
        for (int i = 1; i <= 4; ++i)
            c << ColumnDef{QStringLiteral("EMPLOYEE_DATE_FIELD%1").arg(i), ColumnKind::Date, 0};
        for (int i = 1; i <= 12; ++i)
            c << ColumnDef{QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(i), ColumnKind::Text,
                           i <= 10 ? 50 : 160};
        c << T("EMPLOYEE_TEXT_NOTE", 160);
        for (int i = 1; i <= 6; ++i)
            c << ColumnDef{QStringLiteral("EMPLOYEE_NUMBER_FIELD%1").arg(i), ColumnKind::Float, 0};
        t << TableDef{"ORB_EMPLOYEE_TABLE", c + Stamps(20), {"EMPLOYEE_RECORD_ID"},
                      {{"EMPLOYEE_ID"}}, {{"COMPANY_ID"}}};
    }
    t << TableDef{"ORB_EMPLOYEE_MASTER_FILE_TABLE",
                  QList<ColumnDef>{T("FILE_RECORD_ID", 16), T("EMPLOYEE_RECORD_ID", 16),
                                   T("FILE_TITLE_NAME", 255), T("NOTE", 255), I("FILE_ORDER")}
                      + Stamps(20),
                  {"EMPLOYEE_RECORD_ID", "FILE_RECORD_ID"},
                  {},
                  {}};
    t << TableDef{"ORB_EMPLOYEE_MASTER_PICTURE_TABLE",
                  QList<ColumnDef>{T("PICTURE_RECORD_ID", 16), T("EMPLOYEE_RECORD_ID", 16),
                                   T("PICTURE_TITLE_NAME", 255), T("NOTE", 255),
                                   I("PICTURE_ORDER")}
                      + Stamps(20),
                  {"EMPLOYEE_RECORD_ID", "PICTURE_RECORD_ID"},
                  {},
                  {}};
    t << FieldTable("SYS_EMPLOYEE_FIELD_TABLE");
    for (int i = 1; i <= 12; ++i)
        t << LookupTable(QStringLiteral("ORB_EMPLOYEE_TEXT_FIELD%1_TABLE").arg(i),
                         QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(i), i <= 10 ? 50 : 160);

    // Cashier.
    t << TableDef{"ORB_MONEY_INTO_OUT_TYPE_TABLE",
                  QList<ColumnDef>{T("MONEY_TYPE_ID", 16), T("PRIOR_ID", 16),
                                   T("MONEY_TYPE_NAME", 20), I("ORDER_ID"), T("CASH_FLOWS", 50),
                                   T("NOTE", 40)}
                      + Stamps(10),
                  {"MONEY_TYPE_ID"},
                  {{"PRIOR_ID", "ORDER_ID"}},
                  {}};
    t << TableDef{"ORB_MONEY_ACCOUNT_TABLE",
                  QList<ColumnDef>{T("MONEY_ACCOUNT_ID", 16), T("PRIOR_ID", 16),
                                   T("MONEY_ACCOUNT_NAME", 20), I("ORDER_ID"),
                                   T("MONEY_ACCOUNT_TYPE", 20), F("START_MONEY_ACCOUNT"),
                                   F("START_MONEY_ACCOUNT_INTO"), F("START_MONEY_ACCOUNT_OUT"),
                                   D("START_MONEY_ACCOUNT_DATE"), T("NOTE", 120)}
                      + Stamps(10),
                  {"MONEY_ACCOUNT_ID"},
                  {{"MONEY_ACCOUNT_NAME"}, {"PRIOR_ID", "ORDER_ID"}},
                  {}};
    {
        QList<ColumnDef> c{T("MONEY_RECORD_ID", 16), T("MONEY_ID", 16), T("MONEY_TYPE_ID", 16),
                           T("MONEY_ACCOUNT_ID", 16), D("MONEY_DATE"), F("MONEY_INTO_NUMBER"),
                           F("MONEY_OUT_NUMBER"), T("MONEY_DEPT_NAME", 20),
                           T("MONEY_EMPLOYEE_NAME", 20), D("MONEY_DATE_FIELD1"),
                           D("MONEY_DATE_FIELD2")};
        for (int i = 1; i <= 7; ++i)
            c << ColumnDef{QStringLiteral("MONEY_TEXT_FIELD%1").arg(i), ColumnKind::Text,
                           i <= 5 ? 50 : 160};
        c << T("MONEY_TEXT_NOTE", 160);
        for (int i = 1; i <= 3; ++i)
            c << ColumnDef{QStringLiteral("MONEY_NUMBER_FIELD%1").arg(i), ColumnKind::Float, 0};
        c << T("STATUS", 10);
        c = c + VerifyStamps() + Stamps(20);
        c << T("CHARGE_OUGHT_ID", 16);
        t << TableDef{"ORB_INTO_OUT_MONEY_TABLE", c, {"MONEY_RECORD_ID"}, {},
                      {{"MONEY_TYPE_ID", "MONEY_DATE"},
                       {"MONEY_ACCOUNT_ID", "MONEY_DATE"},
                       {"MONEY_DATE"},
                       {"MONEY_ID"}}};
    }
    t << TableDef{"ORB_MONEY_DAY_TABLE",
                  QList<ColumnDef>{T("MONEY_ACCOUNT_ID", 16), D("MONEY_DAY_DATE"), T("STATUS", 10),
                                   F("PRIOR_DAY_MONEY"), F("INTO_DAY_MONEY"), F("OUT_DAY_MONEY"),
                                   F("TODAY_DAY_MONEY"), T("NOTE", 160)}
                      + Stamps(20) + VerifyStamps(),
                  {"MONEY_ACCOUNT_ID", "MONEY_DAY_DATE"},
                  {},
                  {}};
    t << TableDef{"ORB_MONEY_MONTH_TABLE",
                  QList<ColumnDef>{T("MONEY_ACCOUNT_ID", 16), T("MONEY_MONTH", 20),
                                   D("MONEY_START_DATE"), D("MONEY_END_DATE"), T("STATUS", 10),
                                   F("PRIOR_MONTH_MONEY"), F("INTO_MONTH_MONEY"),
                                   F("OUT_MONTH_MONEY"), F("TODAY_MONTH_MONEY"), T("NOTE", 160)}
                      + Stamps(20) + VerifyStamps(),
                  {"MONEY_ACCOUNT_ID", "MONEY_MONTH"},
                  {},
                  {{"MONEY_ACCOUNT_ID", "MONEY_START_DATE", "MONEY_END_DATE"}}};
    t << TableDef{"ORB_INTO_OUT_MONEY_SUM_TABLE",
                  {T("MONEY_TYPE_ID", 16), F("MONEY_INTO_NUMBER"), F("MONEY_OUT_NUMBER"),
                   F("MONEY_SUM_NUMBER")},
                  {},
                  {},
                  {}};
    t << FieldTable("SYS_MONEY_FIELD_TABLE");
    for (int i = 1; i <= 7; ++i)
        t << LookupTable(QStringLiteral("ORB_MONEY_TEXT_FIELD%1_TABLE").arg(i),
                         QStringLiteral("MONEY_TEXT_FIELD%1").arg(i), i <= 5 ? 50 : 160);
    {
        QList<ColumnDef> c{T("STATUS", 10), T("CASH_FLOWS_MONTH", 20), D("CASH_FLOWS_DATE"),
                           D("CASH_FLOWS_START_DATE"), D("CASH_FLOWS_END_DATE"), T("NOTE", 180)};
        for (int i = 1; i <= 70; ++i)
            c << ColumnDef{QStringLiteral("SUM_DATA%1").arg(i), ColumnKind::Float, 0};
        c = c + VerifyStamps() + Stamps(20);
        t << TableDef{"ORB_STATEMENT_CASH_FLOWS_TABLE", c, {}, {}, {}};
    }

    // Per-user grid layouts.
    for (const char *name :
         {"SYS_MONEY_INTO_OUT_TABLE", "SYS_MONEY_INTO_OUT_QUERY_TABLE",
          "SYS_SHOW_INTO_OUT_MONEY_TABLE", "SYS_INTO_OUT_ACCOUNT_TABLE",
          "SYS_EMPLOYEE_DBGRID_TABLE", "SYS_SELECT_EMPLOYEE_FILE_TABLE",
          "SYS_SELECT_EMPLOYEE_PICTURE_TABLE"})
        t << LayoutTable(name);
    return t;
}

QString ColumnSql(const ColumnDef &c, bool postgres)
{
    switch (c.kind) {
    case ColumnKind::Text:
        // Widths are GBK bytes; a character column of that many characters
        // always holds them, the byte check belongs to the record rules.
        return c.name + QStringLiteral(" VARCHAR(%1)").arg(c.width);
    case ColumnKind::Integer:
        return c.name + QStringLiteral(" INTEGER");
    case ColumnKind::Float:
        return c.name + QStringLiteral(" DOUBLE PRECISION");
    case ColumnKind::Date:
        return c.name + QStringLiteral(" DATE");
    case ColumnKind::Memo:
        return c.name + QStringLiteral(" TEXT");
    case ColumnKind::Picture:
        return c.name + (postgres ? QStringLiteral(" BYTEA") : QStringLiteral(" BLOB"));
    }
    return c.name;
}

QString CreateTableSql(const TableDef &t, bool postgres)
{
    QStringList parts;
    for (const auto &c : t.columns)
        parts << ColumnSql(c, postgres);
    if (!t.primaryKey.isEmpty())
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(t.primaryKey.join(QLatin1Char(',')));
    for (const auto &u : t.uniques)
        parts << QStringLiteral("UNIQUE (%1)").arg(u.join(QLatin1Char(',')));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(t.name, parts.join(QStringLiteral(", ")));
}

} // namespace

const ColumnDef *TableDef::column(const QString &n) const
{
    for (const auto &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const QList<TableDef> &SchemaTables()
{
    static const QList<TableDef> tables = BuildTables();
    return tables;
}

const TableDef *FindTable(const QString &name)
{
    for (const auto &t : SchemaTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

bool IsDateColumnName(const QString &name)
{
    static const QSet<QString> names = [] {
        QSet<QString> s;
        for (const auto &t : SchemaTables())
            for (const auto &c : t.columns)
                if (c.kind == ColumnKind::Date)
                    s.insert(c.name);
        return s;
    }();
    return names.contains(name.toUpper());
}

QList<QPair<int, QString>> ShippedGroups()
{
    return {{1, QStringLiteral("出纳记账管理")},
            {2, QStringLiteral("基本数据录入编辑")},
            {3, QStringLiteral("系统管理")}};
}

QList<ProgramDef> ShippedPrograms()
{
    return {
        {1, 1, QStringLiteral("资金借贷记录录入编辑"), true, true, true, true},
        {1, 2, QStringLiteral("资金账号台账录入编辑"), true, true, true, true},
        {1, 3, QStringLiteral("资金借贷数据统计报表"), false, true, true, false},
        {2, 1, QStringLiteral("资金账号录入编辑"), true, true, true, false},
        {2, 2, QStringLiteral("资金借贷科目录入编辑"), true, true, true, false},
        {2, 3, QStringLiteral("单位部门资料录入编辑"), true, true, true, false},
        {2, 4, QStringLiteral("单位员工资料录入编辑"), true, true, true, false},
        {3, 1, QStringLiteral("数据备份"), false, true, false, false},
        {3, 2, QStringLiteral("过时数据删除"), false, true, false, false},
        {3, 3, QStringLiteral("数据恢复"), false, true, false, false},
    };
}

namespace {

bool Run(QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral(" [") + sql + QLatin1Char(']');
    return false;
}

QString YesNo(bool b) { return b ? QStringLiteral("'是'") : QStringLiteral("'否'"); }

bool ShipPrograms(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE")) || !q.next())
        return Run(db, QStringLiteral("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE"), error);
    if (q.value(0).toInt() > 0)
        return true;
    for (const auto &[id, name] : ShippedGroups())
        if (!Run(db, QStringLiteral("INSERT INTO SYS_COMPOSE_TABLE(COMPOSE_ID,COMPOSE_NAME) VALUES(%1,'%2')")
                         .arg(id).arg(name), error))
            return false;
    for (const auto &p : ShippedPrograms())
        if (!Run(db, QStringLiteral("INSERT INTO SYS_PROGRAM_TABLE(PROGRAM_ID,COMPOSE_ID,PROGRAM_NAME,"
                                    "ADD_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT) "
                                    "VALUES(%1,%2,'%3',%4,%5,%6,%7)")
                         .arg(p.programId).arg(p.composeId).arg(p.name, YesNo(p.add),
                                                                 YesNo(p.browse), YesNo(p.print),
                                                                 YesNo(p.verify)),
                 error))
            return false;
    return true;
}

} // namespace

bool EnsureSchema(QSqlDatabase &db, QString *error)
{
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    bool ok = true;
    for (const auto &t : SchemaTables()) {
        ok = ok && Run(db, CreateTableSql(t, postgres), error);
        int n = 0;
        for (const auto &idx : t.indexes) {
            const QString name = QStringLiteral("IX_%1_%2").arg(t.name).arg(++n);
            ok = ok && Run(db, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                                   .arg(name, t.name, idx.join(QLatin1Char(','))),
                           error);
        }
        if (!ok)
            break;
    }
    ok = ok && ShipPrograms(db, error);
    if (ok)
        ok = db.commit();
    else
        db.rollback();
    return ok;
}

} // namespace Orb

// The conditions of the find dialogs: the text written for each kind and
// dialect, the refusals, the cleaning of typed text, and what the written
// conditions find on both engines.

#include "common/TestDb.h"
#include "data/Database.h"
#include "components/OrbQueryUnit.h"
#include "data/TestSupport.h"
#include "forms/FindCondition.h"
#include "forms/QueryLookups.h"

#include <QApplication>
#include <QSqlQuery>

using namespace Orb;

namespace {

TFieldsData Field(const char *name, const char *kind, const char *dataKind)
{
    TFieldsData f;
    f.FieldName = QString::fromUtf8(name);
    f.Caption = f.FieldName;
    f.FindKind = QString::fromUtf8(kind);
    f.DataKind = QString::fromUtf8(dataKind);
    return f;
}

FindValues Value(const QString &v, const QString &id = {}, const QString &picked = {})
{
    FindValues in;
    in.value = v;
    in.id = id;
    in.pickedValue = picked;
    return in;
}

QStringList Names(const QString &where)
{
    QSqlQuery q = Database::Exec(QStringLiteral("SELECT NAME FROM FIND_T WHERE ") + where
                                 + QStringLiteral(" ORDER BY NAME"));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

} // namespace

class tst_FindCondition : public QObject {
    Q_OBJECT
public:
    explicit tst_FindCondition(SqlEngine engine) : m_engine(engine) {}

private slots:
    void initTestCase();
    void text_data();
    void text();
    void refusals_data();
    void refusals();
    void cleaning_data();
    void cleaning();
    void finds_data();
    void finds();
    void runFindQuery();

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

void tst_FindCondition::initTestCase()
{
    qInfo("engine: %s", OrbTest::EngineName(m_engine));
    m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
    QVERIFY(m_db->ok());
    Database::Exec(QStringLiteral(
        "CREATE TABLE FIND_T (NAME VARCHAR(40), AMOUNT NUMERIC(12,2), DDATE DATE, "
        "YM VARCHAR(12))"));
    const char *rows[][4] = {
        {"O'Brien", "100", "2005-06-30", "2005年06月"},
        {"OBrien", "99.5", "2006-03-01", "2006年03月"},
        {"O''Brien", "250", "2006-12-31", "2006年03月"},
        {"Brien", "-3", "2007-01-01", "2007年01月"},
    };
    for (const auto &r : rows) {
        QSqlQuery q = Database::Prepare(QStringLiteral(
            "INSERT INTO FIND_T (NAME, AMOUNT, DDATE, YM) VALUES (:N, :A, :D, :Y)"));
        q.bindValue(QStringLiteral(":N"), QString::fromUtf8(r[0]));
        q.bindValue(QStringLiteral(":A"), QString::fromUtf8(r[1]).toDouble());
        q.bindValue(QStringLiteral(":D"), QDate::fromString(QString::fromUtf8(r[2]), Qt::ISODate));
        q.bindValue(QStringLiteral(":Y"), QString::fromUtf8(r[3]));
        Database::ExecPrepared(q);
    }
}

void tst_FindCondition::text_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("dataKind");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");

    const int st = urStandard, ss = urSql_Server, ac = urAccess;
    auto row = [](const char *tag, int d, const char *k, const char *dk, const char *op,
                  const char *v, const char *id, const char *sql) {
        QTest::newRow(tag) << d << QString::fromUtf8(k) << QString::fromUtf8(dk)
                           << QString::fromUtf8(op) << QString::fromUtf8(v)
                           << QString::fromUtf8(id) << QString::fromUtf8(sql);
    };
    row("T like", st, "T", "C", "Like", "王", "", "A.NAME Like  '%王%'");
    row("T equals text", st, "T", "C", "=", "王", "", "A.NAME =  '王'");
    row("T quote doubled", st, "T", "C", "=", "O'Brien", "", "A.NAME =  'O''Brien'");
    row("T like quote", ss, "T", "C", "Like", "O'B", "", "A.NAME Like  '%O''B%'");
    row("T number standard", st, "T", "N", ">=", "100", "", "A.NAME >=  100");
    row("T number server", ss, "T", "N", ">=", "100", "", "ISNULL(A.NAME,0) >=  100");
    row("T number access", ac, "T", "N", "<>", "1,250.5", "", "A.NAME <>  1250.5");
    row("LT as T on server", ss, "LT", "N", "=", "7", "", "ISNULL(A.NAME,0) =  7");
    row("LS closes", st, "LS", "C", "=", "x", "", "A.NAME =  'x') ");
    row("BLS closes", ss, "BLS", "N", "=", "2", "", "ISNULL(A.NAME,0) =  2) ");
    row("B server text", ss, "B", "C", "=", "现金", "", "A.NAME =  '现金'");
    row("S server number", ss, "S", "N", "<=", "3", "", "ISNULL(A.NAME,0) <=  3");
    row("DT no ISNULL", ss, "DT", "N", "=", "5", "", "A.NAME =  5");
    row("LDT closes", st, "LDT", "C", "Like", "a", "", "A.NAME Like  '%a%')");
    row("DSF text", st, "DSF", "C", "=", "a'b", "", "A.NAME =  'a''b'");
    row("D standard", st, "D", "D", "<=", "2006-12-31", "",
        "(10000 * EXTRACT(YEAR FROM A.NAME) +100 * EXTRACT(Month FROM A.NAME))"
        " + EXTRACT(DAY FROM A.NAME) <=  20061231");
    row("D access", ac, "D", "D", "=", "2006-01-05", "",
        "(10000 * YEAR(A.NAME) +100 * MONTH(A.NAME)) + DAY(A.NAME) =  20060105");
    row("D server", ss, "D", "D", ">=", "2006-01-05", "", "A.NAME >=  '2006-01-05'");
    row("D text column", st, "D", "C", "=", "2006-01-05", "", "A.NAME =  '2006-01-05'");
    row("DLS", st, "DLS", "C", "=", "2006-01-05", "", "NAMEA.VAL =  '2006-01-05')");
    row("DS text", st, "DS", "C", "=", "O'B", "",
        "A.VAL IN (SELECT K FROM SUBT WHERE SK =  'O''B') ");
    row("DS like", st, "DS", "N", "Like", "12", "",
        "A.VAL IN (SELECT K FROM SUBT WHERE SK Like  '%12%') ");
    row("DS number", st, "DS", "N", "=", "12", "",
        "A.VAL IN (SELECT K FROM SUBT WHERE SK =  12) ");
    row("ES id", st, "ES", "C", "=", "张三", "001", "A.VAL =  '001'");
    row("ES like prefix", st, "ES", "C", "Like", "张三", "00'1", "A.VAL Like  '00''1%'");
    row("ELS closes", st, "ELS", "C", "=", "张三", "001", "A.VAL =  '001')");
    row("BS id", st, "BS", "C", "=", "部门", "DEPT_ID LIKE '01%'", "DEPT_ID LIKE '01%'");
    row("LBS", st, "LBS", "C", "=", "部门", " = '01'", "NAME = '01')");
    row("BT", st, "BT", "C", "=", "a'b", "", "A.NAME LIKE '%a''b%'");
    row("BF star", st, "BF", "C", "=", "x", "* > 3", "A.NAME > 3");
    row("BF condition", st, "BF", "C", "=", "x", "NAME IS NULL", "NAME IS NULL");
    row("BF at", st, "BF", "C", "<>", "x", "O'B@rest", "A.NAME =  'O''B'");
    row("Y standard", st, "Y", "D", "=", "", "", 
        "(100 * EXTRACT(YEAR FROM A.NAME) + EXTRACT(MONTH FROM A.NAME)) =  200603");
    row("Y server", ss, "Y", "D", "<=", "", "",
        "(100 * Datepart(yy, A.NAME) + Datepart(mm, A.NAME)) <=  200603");
    row("Y access", ac, "Y", "D", ">=", "", "", "(100 * YEAR(A.NAME) + MONTH(A.NAME)) >=  200603");
    row("Y text", st, "Y", "C", "=", "", "", "A.NAME =  '2006年03月'");
}

void tst_FindCondition::text()
{
    QFETCH(int, dialect);
    QFETCH(QString, kind);
    QFETCH(QString, dataKind);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    TFieldsData f = Field("NAME", "", "");
    f.FindKind = kind;
    f.DataKind = dataKind;
    f.FindAlias = QStringLiteral("A");
    if (kind == QLatin1String("DS") || kind.startsWith(QLatin1Char('E'))
        || kind == QLatin1String("DLS")) {
        f.FindValues = QStringLiteral("VAL");
        f.SubQueryTable = QStringLiteral("SUBT");
        f.SubQueryColumn = QStringLiteral("K");
        f.SubQueryKey = QStringLiteral("SK");
    }
    FindValues in = Value(value, id, value);
    in.year = QStringLiteral("2006");
    in.month = QStringLiteral("03");
    const FindCondition c = BuildFindCondition(TSqlType(dialect), &f, op, in);
    QCOMPARE(c.error, QString());
    QCOMPARE(c.sql, expected);
}

void tst_FindCondition::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("dataKind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");

    auto row = [](const char *tag, const char *k, const char *dk, const char *v, const char *y,
                  const char *m, const char *picked, const char *msg, int focus) {
        QTest::newRow(tag) << QString::fromUtf8(k) << QString::fromUtf8(dk)
                           << QString::fromUtf8(v) << QString::fromUtf8(y)
                           << QString::fromUtf8(m) << QString::fromUtf8(picked)
                           << QString::fromUtf8(msg) << focus;
    };
    const int V = FindCondition::Value, Y = FindCondition::Year, M = FindCondition::Month;
    row("empty text", "T", "C", "", "", "", "", "必须有一个查找的值", V);
    row("text into number", "T", "N", "1 OR 1=1", "", "", "", "必须有一个查找的值", V);
    row("inf into number", "T", "N", "inf", "", "", "", "必须有一个查找的值", V);
    row("no year", "Y", "D", "", "", "03", "", "必须有一个查找的年份", Y);
    row("short year", "Y", "D", "", "206", "03", "",
        "错误的年份,正确的年份如2000年是:“2000”", Y);
    row("no month", "Y", "D", "", "2006", "", "", "必须有一个查找的月份", M);
    row("short month", "Y", "D", "", "2006", "3", "",
        "错误的月份,正确的月份如8月是:“08”", M);
    row("no date", "D", "D", "", "", "", "", "必须有一个查找的日期", V);
    row("9-character date", "D", "D", "2006-1-01", "", "", "",
        "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”", V);
    row("short date", "DLS", "D", "2006-1-1", "", "", "",
        "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”", V);
    row("no such date", "D", "D", "2006-02-30", "", "", "",
        "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”", V);
    row("ES not picked", "ES", "C", "张三", "", "", "", "必须从弹出的窗口里选择一个值", V);
    row("ES changed", "ESB", "C", "张三丰", "", "", "张三", "选择出来的值不能改变", V);
}

void tst_FindCondition::refusals()
{
    QFETCH(QString, kind);
    QFETCH(QString, dataKind);
    QFETCH(QString, value);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, picked);
    QFETCH(QString, message);
    QFETCH(int, focus);
    TFieldsData f = Field("NAME", "", "");
    f.FindKind = kind;
    f.DataKind = dataKind;
    FindValues in = Value(value, picked.isEmpty() ? QString() : QStringLiteral("001"), picked);
    in.year = year;
    in.month = month;
    const FindCondition c = BuildFindCondition(urStandard, &f, QStringLiteral("="), in);
    QCOMPARE(c.error, message);
    QCOMPARE(int(c.focus), focus);
    QVERIFY(c.sql.isEmpty());

    QCOMPARE(BuildFindCondition(urStandard, nullptr, QStringLiteral("="), in).error,
             QStringLiteral("必须有一个查找字段"));
    QCOMPARE(BuildFindCondition(urStandard, &f, QString(), in).error,
             QStringLiteral("必须有一个查找关系"));
}

void tst_FindCondition::cleaning_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("trimmed") << " 王 " << "王";
    QTest::newRow("full-width semicolons") << "a；b；c" << "c";
    QTest::newRow("question mark") << "abc?def" << "abc";
    QTest::newRow("three semicolons") << "a;b;c;d;e" << "d;e";
    QTest::newRow("after sign trimmed") << "x; 1 " << "1";
    QTest::newRow("quote kept") << "O'Brien" << "O'Brien";
    const QString longText = QString(150, QChar(0x738B));   // 300 GBK bytes
    QTest::newRow("200 bytes kept") << (QStringLiteral("a；") + longText)
                                    << QString(100, QChar(0x738B));
}

void tst_FindCondition::cleaning()
{
    QFETCH(QString, typed);
    QFETCH(QString, cleaned);
    QCOMPARE(CleanFindText(typed), cleaned);
}

void tst_FindCondition::finds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("dataKind");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("quote equals") << "T" << "NAME" << "C" << "=" << "O'Brien"
                                  << QStringList{"O'Brien"};
    QTest::newRow("quote like") << "T" << "NAME" << "C" << "Like" << "O'B"
                                << QStringList{"O'Brien"};
    QTest::newRow("doubled quote") << "T" << "NAME" << "C" << "=" << "O''Brien"
                                   << QStringList{"O''Brien"};
    QTest::newRow("number >=") << "T" << "AMOUNT" << "N" << ">=" << "100"
                               << QStringList{"O''Brien", "O'Brien"};
    QTest::newRow("negative number") << "T" << "AMOUNT" << "N" << "=" << "-3"
                                     << QStringList{"Brien"};
    QTest::newRow("last day of year") << "D" << "DDATE" << "D" << "<=" << "2006-12-31"
                                      << QStringList{"O''Brien", "O'Brien", "OBrien"};
    QTest::newRow("date equals") << "D" << "DDATE" << "D" << "=" << "2006-03-01"
                                 << QStringList{"OBrien"};
    QTest::newRow("year and month") << "Y" << "DDATE" << "D" << "=" << ""
                                    << QStringList{"OBrien"};
    QTest::newRow("year and month text") << "Y" << "YM" << "C" << "=" << ""
                                         << QStringList{"O''Brien", "OBrien"};
}

void tst_FindCondition::finds()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(QString, dataKind);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QStringList, names);
    TFieldsData f;
    f.FieldName = field;
    f.FindKind = kind;
    f.DataKind = dataKind;
    FindValues in = Value(value);
    in.year = QStringLiteral("2006");
    in.month = QStringLiteral("03");
    const FindCondition c = BuildFindCondition(urStandard, &f, op, in);
    QCOMPARE(c.error, QString());
    QCOMPARE(Names(c.sql), names);
}

void tst_FindCondition::runFindQuery()
{
    RecordingMessageSink sink;
    TOrbQuery query;
    TFieldsData f = Field("NAME", "T", "C");
    const FindCondition c = BuildFindCondition(urStandard, &f, QStringLiteral("Like"),
                                               Value(QStringLiteral("O'B")));
    RunFindQuery(&query, QStringLiteral("SELECT * FROM FIND_T WHERE (") + c.sql
                             + QStringLiteral(") ORDER BY NAME"));
    QVERIFY(query.Active());
    QCOMPARE(query.TotalRecordCount(), qint64(1));
    const FindCondition none = BuildFindCondition(urStandard, &f, QStringLiteral("="),
                                                  Value(QStringLiteral("nobody")));
    RunFindQuery(&query, QStringLiteral("SELECT * FROM FIND_T WHERE ") + none.sql);
    QCOMPARE(sink.texts(), (QStringList{"共找到 1 个符合条件的纪录", "没有找到符合条件的纪录"}));
}

ORB_TEST_BOTH_ENGINES(tst_FindCondition)

#include "tst_FindCondition.moc"

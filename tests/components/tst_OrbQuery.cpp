// TOrbQuery and its record rules on both engines.
#include "common/TestDb.h"
#include "components/OrbQueryUnit.h"
#include "data/Database.h"
#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace Orb;

namespace {

const QString kTypes = QStringLiteral("ORB_MONEY_INTO_OUT_TYPE_TABLE");
const QString kJournal = QStringLiteral("ORB_INTO_OUT_MONEY_TABLE");

void AddType(const QString &id, const QString &prior, int order, const QString &name = "类别")
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,"
                                   "ORDER_ID,MONEY_TYPE_NAME) VALUES(%1,%2,%3,%4)")
                        .arg(QuotedStr(id), QuotedStr(prior))
                        .arg(order)
                        .arg(QuotedStr(name))));
}

void AddEntry(const QString &record, const QString &id, const QString &status,
              const QString &date = "01/05/2009")
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                                   "MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                                   "MONEY_OUT_NUMBER,STATUS) VALUES(%1,%2,'001','001','%3',10,0,%4)")
                        .arg(QuotedStr(record), QuotedStr(id), date, QuotedStr(status))));
}

} // namespace

class TestOrbQuery : public QObject {
    Q_OBJECT
public:
    explicit TestOrbQuery(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserName = QStringLiteral("张三");
        WorkDate = "2009-01-15";
        SetFixedNow(QDateTime(QDate(2009, 1, 15), QTime(10, 20, 30)));
    }
    void cleanup()
    {
        SetFixedNow(QDateTime());
        m_db.reset();
    }

    void numberingSqlText_data()
    {
        QTest::addColumn<int>("dialect");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("sql");
        QTest::newRow("C0") << int(urStandard) << "C" << "" << 0 << ""
                            << "SELECT MAX(ORDER_ID) From T";
        QTest::newRow("C prefix std") << int(urStandard) << "C" << "A" << 4 << ""
                                      << "SELECT MAX(SubString(ORDER_ID FROM 2 FOR 4)) From T WHERE "
                                         "SubString(ORDER_ID FROM 1 FOR 1) = 'A'";
        QTest::newRow("M server") << int(urSql_Server) << "M" << "" << 10 << ""
                                  << "SELECT MAX(SubString(ORDER_ID,7,10)) From T WHERE "
                                     "SubString(ORDER_ID,1,6)= '200901'";
        QTest::newRow("D prefix access") << int(urAccess) << "D" << "F" << 11 << "X = 1"
                                         << "SELECT MAX(MID(ORDER_ID,10,11)) From T WHERE "
                                            "MID(ORDER_ID,2,8)= '20090115' AND  MID(ORDER_ID,1,1) = "
                                            "'F' AND X = 1";
        QTest::newRow("Y std where") << int(urStandard) << "Y" << "" << 8 << "PRIOR_ID = 'G001'"
                                     << "SELECT MAX(SubString(ORDER_ID FROM 5 FOR 8)) From T WHERE "
                                        "SubString(ORDER_ID FROM 1 FOR 4)= '2009' AND PRIOR_ID = 'G001'";
        QTest::newRow("C0 where") << int(urStandard) << "C" << "" << 0 << "PRIOR_ID = 'G001'"
                                  << "SELECT MAX(ORDER_ID) From T WHERE PRIOR_ID = 'G001'";
    }
    void numberingSqlText()
    {
        QFETCH(int, dialect);
        QFETCH(QString, kind);
        QFETCH(QString, prefix);
        QFETCH(int, width);
        QFETCH(QString, where);
        QFETCH(QString, sql);
        NumberingRequest r{kind, "ORDER_ID", "T", prefix, width, "200901", "20090115", where};
        QCOMPARE(NumberingSql(TSqlType(dialect), r), sql);
    }

    void numbersOnTheEngine_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("next");
        QTest::newRow("A first") << "C" << "A" << 4 << QStringList{} << "A0001";
        QTest::newRow("A0009") << "C" << "A" << 4 << QStringList{"A0009", "A0002"} << "A0010";
        QTest::newRow("C0 empty") << "C" << "" << 0 << QStringList{} << "1";
        QTest::newRow("C0 to 13") << "C" << "" << 0
                                  << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                                 "11", "12"}
                                  << "13";
        QTest::newRow("day") << "D" << "" << 11
                             << QStringList{"20090115007", "20090115003", "20090116009"}
                             << "20090115008";
        QTest::newRow("month") << "M" << "" << 10 << QStringList{"2009010012", "2008120099"}
                               << "2009010013";
        QTest::newRow("year restarts") << "Y" << "" << 8 << QStringList{"20080099"} << "20090001";
    }
    void numbersOnTheEngine()
    {
        QFETCH(QString, kind);
        QFETCH(QString, prefix);
        QFETCH(int, width);
        QFETCH(QStringList, stored);
        QFETCH(QString, next);
        int n = 0;
        for (const QString &id : stored)
            AddEntry(QString::number(++n), id, "未审核");
        TOrbQuery q;
        q.setTableName(kJournal);
        q.MonthValue = "200901";
        q.DayValue = "20090115";
        TInsertData e;
        e.FieldName = "MONEY_ID";
        e.Caption = QStringLiteral("编号");
        e.Kind = kind;
        e.Prefix = prefix;
        e.Width = width;
        if (kind == "C" && width == 0)
            e.FieldName = "MONEY_ID";
        q.SetInsertData(MakeArray<TInsertData>({e}));
        q.OpenQuery();
        if (kind == "C" && width == 0) {
            // plain integers in a text column: MAX compares them as numbers only
            // when the column is numeric, so use ORDER_ID of the types table.
            TOrbQuery t;
            t.setTableName(kTypes);
            for (int i = 0; i < stored.size(); ++i)
                AddType(QString::number(100 + i), "G001", stored[i].toInt());
            TInsertData o;
            o.FieldName = "ORDER_ID";
            o.Kind = "C";
            t.SetInsertData(MakeArray<TInsertData>({o}));
            t.OpenQuery();
            t.AppendRecord();
            QCOMPARE(t.text("ORDER_ID"), next);
            t.CancelRecord();
            return;
        }
        q.AppendRecord();
        QCOMPARE(q.text("MONEY_ID"), next);
        q.CancelRecord();
    }

    void fillKindsAndStamps()
    {
        TOrbQuery q;
        q.setTableName(kTypes);
        q.SetInsertData(MakeArray<TInsertData>({
            {"MONEY_TYPE_ID", "", "", 3, "", nullptr, "C", ""},
            {"CREATE_NAME", QStringLiteral("建档人员"), "", 0, LogonUserName, nullptr, "a", ""},
            {"CREATE_DATE", "", "", 0, WorkDate, nullptr, "A", ""},
            {"NOTE", "", "", 0, "", nullptr, "T", "X"},
        }));
        q.SetEditData(MakeArray<TEditData>({{"EDIT_NAME", "", QStringLiteral("李四")},
                                            {"EDIT_DATE", "", "2009-01-20"}}));
        q.OpenQuery();
        q.AppendRecord();
        QCOMPARE(q.text("MONEY_TYPE_ID"), QString("001"));
        QCOMPARE(q.text("CREATE_NAME"), QStringLiteral("张三"));
        QCOMPARE(q.text("CREATE_DATE"), QString("2009-01-15"));
        QCOMPARE(q.text("NOTE"), QString("X090115102030"));
        q.setText("PRIOR_ID", "G001");
        q.setText("ORDER_ID", "1");
        q.SaveRecord();
        QVERIFY(q.Saved);
        QCOMPARE(GetSqlText("SELECT CREATE_DATE FROM ORB_MONEY_INTO_OUT_TYPE_TABLE"), QString("2009-01-15"));
        q.EditRecord();
        QCOMPARE(q.text("EDIT_NAME"), QStringLiteral("李四"));
        q.CancelRecord();
        q.NotEdit = true;
        q.EditRecord();
        QCOMPARE(q.text("EDIT_NAME"), QString());
        QVERIFY(!q.NotEdit);
        q.CancelRecord();

        RecordingMessageSink sink;
        q.SetInsertData(MakeArray<TInsertData>({{"NOTE", QStringLiteral("备注"), "", 0, "", nullptr, "A", ""}}));
        QVERIFY(!Guarded([&] { q.AppendRecord(); }));
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("备注字段需插入的值是空的"),
                                            QStringLiteral("数据插入错误")}));
        QCOMPARE(sink.entries.last().kind, RecordingMessageSink::Error);
        QCOMPARE(q.state(), DataSetState::Browse);
        QCOMPARE(q.RecordCount(), 1);
    }

    void statusGuard_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("editValues");
        QTest::addColumn<QStringList>("endValues");
        QTest::addColumn<QString>("editMessage");
        QTest::addColumn<QString>("deleteMessage");
        QTest::newRow("verified, edit list")
            << QStringLiteral("已审核") << QStringList{QStringLiteral("未审核")} << QStringList{}
            << QStringLiteral("状态为： “ 已审核 ”  的记录不能编辑")
            << QStringLiteral("状态为： “ 已审核 ”   的记录不能删除");
        QTest::newRow("end list wins")
            << QStringLiteral("已审核") << QStringList{QStringLiteral("已审核")}
            << QStringList{QStringLiteral("已审核")}
            << QStringLiteral("状态为： “ 已审核 ”  的记录不能编辑")
            << QStringLiteral("状态为：  “ 已审核 ”   的记录不能删除");
        QTest::newRow("blank status") << "  " << QStringList{QStringLiteral("未审核")} << QStringList{}
                                      << QString() << QString();
        QTest::newRow("allowed") << QStringLiteral("未审核") << QStringList{QStringLiteral("未审核")}
                                 << QStringList{} << QString() << QString();
    }
    void statusGuard()
    {
        QFETCH(QString, status);
        QFETCH(QStringList, editValues);
        QFETCH(QStringList, endValues);
        QFETCH(QString, editMessage);
        QFETCH(QString, deleteMessage);
        AddEntry("R1", "1", status);
        TOrbQuery q;
        q.setTableName(kJournal);
        q.ActiveStatus = true;
        for (const QString &v : editValues)
            q.addStatusEditValue(v);
        for (const QString &v : endValues)
            q.addStatusEditEndValue(v);
        q.OpenQuery();
        RecordingMessageSink sink;
        sink.defaultAnswer = false;
        Guarded([&] { q.EditRecord(); });
        QCOMPARE(sink.last(), editMessage);
        q.CancelRecord();
        sink.clear();
        Guarded([&] { q.DeleteRecord(); });
        QCOMPARE(sink.last(), deleteMessage.isEmpty() ? QStringLiteral("请确认是否删除 ?") : deleteMessage);

        // Verifying is internal: it passes the guard.
        sink.clear();
        QVERIFY(Guarded([&] { q.SetRecordStatus(QStringLiteral("已审核")); }));
        QCOMPARE(GetSqlText("SELECT VERIFY_NAME FROM ORB_INTO_OUT_MONEY_TABLE"), QStringLiteral("张三"));
        QCOMPARE(GetSqlText("SELECT VERIFY_DATE FROM ORB_INTO_OUT_MONEY_TABLE"), QString("2009-01-15"));
        QVERIFY(sink.entries.isEmpty());
    }

    void masterMessages_data()
    {
        QTest::addColumn<QString>("statusMsg");
        QTest::addColumn<bool>("endList");
        QTest::addColumn<QString>("append");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("remove");
        QTest::newRow("edit list") << "" << false
                                   << QStringLiteral("主档纪录状态为： “ 已审核 ”的从档不能增加新记录")
                                   << QStringLiteral("主档纪录状态为： “ 已审核 ”的记录不能编辑")
                                   << QStringLiteral("主档纪录状态为： “ 已审核 ”   的记录不能删除");
        QTest::newRow("end list") << "" << true
                                  << QStringLiteral("主档纪录状态为：  “已审核”  的从档不能增加新记录")
                                  << QStringLiteral("主档纪录状态为：  “已审核”  的记录不能编辑")
                                  << QStringLiteral("主档纪录状态为： “ 已审核 ”   的记录不能删除");
        QTest::newRow("with name") << QStringLiteral("凭证") << false
                                   << QStringLiteral("凭证的状态是 “ 已审核 ” , 不能增加新的记录")
                                   << QStringLiteral("凭证的状态是 “ 已审核 ” , 不能修改记录")
                                   << QStringLiteral("凭证的状态是 “ 已审核 ” , 该记录不能删除");
        QTest::newRow("with name, end list") << QStringLiteral("凭证") << true
                                   << QStringLiteral("凭证的状态是 “已审核” , 不能增加新的记录")
                                   << QStringLiteral("凭证的状态是 “已审核” , 不能修改记录")
                                   << QStringLiteral("凭证的状态是 “ 已审核 ” , 该记录不能删除");
    }
    void masterMessages()
    {
        QFETCH(QString, statusMsg);
        QFETCH(bool, endList);
        QFETCH(QString, append);
        QFETCH(QString, edit);
        QFETCH(QString, remove);
        AddEntry("R1", "1", QStringLiteral("已审核"));
        AddType("001", "R1", 1);
        TOrbQuery master, detail;
        master.setTableName(kJournal);
        master.ActiveStatus = true;
        master.StatusMsg = statusMsg;
        if (endList)
            master.addStatusEditEndValue(QStringLiteral("已审核"));
        else
            master.addStatusEditValue(QStringLiteral("未审核"));
        detail.setTableName(kTypes);
        detail.QyMaster = &master;
        master.OpenQuery();
        detail.OpenQuery();
        RecordingMessageSink sink;
        Guarded([&] { detail.AppendRecord(); });
        Guarded([&] { detail.EditRecord(); });
        Guarded([&] { detail.DeleteRecord(); });
        QCOMPARE(sink.texts(), (QStringList{append, edit, remove}));
    }

    void detailAppendUnderEmptyMaster()
    {
        TOrbQuery master, detail;
        master.setTableName(kJournal);
        detail.setTableName(kTypes);
        detail.QyMaster = &master;
        master.OpenQuery();
        detail.OpenQuery();
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { detail.AppendRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录")});
    }

    void keyConditionByFieldType()
    {
        AddEntry("O'R1", "1", QStringLiteral("未审核"), "12/31/2008");
        TOrbQuery q;
        q.setTableName(kJournal);
        q.ModifySQL = "update ORB_INTO_OUT_MONEY_TABLE\nset STATUS = :STATUS\n"
                      "where MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID and MONEY_DATE = :OLD_MONEY_DATE\n"
                      "and MONEY_INTO_NUMBER = :OLD_MONEY_INTO_NUMBER";
        q.OpenQuery();
        q.EditRecord();
        QCOMPARE(q.BuildLSQLEND(), QString("MONEY_RECORD_ID ='O''R1' AND MONEY_DATE ='12/31/2008' "
                                           "AND MONEY_INTO_NUMBER =10"));
        q.setText("STATUS", QStringLiteral("已审核"));
        q.SaveRecord();
        QVERIFY(q.Saved);
        QCOMPARE(GetSqlText("SELECT STATUS FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = 'O''R1'"),
                 QStringLiteral("已审核"));
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE"), 1.0);
    }

    void vanishedRow()
    {
        AddEntry("R1", "1", QStringLiteral("未审核"));
        TOrbQuery q;
        q.setTableName(kJournal);
        q.OpenQuery();
        q.EditRecord();
        q.setText("MONEY_TEXT_NOTE", "x");
        {
            QSqlDatabase other = Database::OpenExtraConnection("second");
            Database::Exec(other, "DELETE FROM ORB_INTO_OUT_MONEY_TABLE");
        }
        QSqlDatabase::removeDatabase("second");
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("该记录已被其它用户删除或在其它窗口被删除")});
        QCOMPARE(q.state(), DataSetState::Edit);
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE"), 0.0);

        q.InsertIfLost = true;
        q.SaveRecord();
        QVERIFY(!q.InsertIfLost);
        QCOMPARE(GetSqlText("SELECT MONEY_TEXT_NOTE FROM ORB_INTO_OUT_MONEY_TABLE"), QString("x"));
    }

    void failedSaveChangesNothing()
    {
        AddType("001", "G001", 1, "A");
        AddType("002", "G001", 2, "B");
        TOrbQuery q;
        q.setTableName(kTypes);
        q.SQL = "SELECT * FROM ORB_MONEY_INTO_OUT_TYPE_TABLE ORDER BY MONEY_TYPE_ID";
        q.OpenQuery();
        q.Next();
        q.EditRecord();
        q.setText("ORDER_ID", "1");   // collides with (G001, 1)
        q.setText("MONEY_TYPE_NAME", "changed");
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("数据保存过程发生错误")});
        QCOMPARE(q.state(), DataSetState::Edit);
        QCOMPARE(GetSqlText("SELECT MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                            "MONEY_TYPE_ID = '002'"),
                 QString("B"));
        q.setText("ORDER_ID", "3");
        q.SaveRecord();
        QCOMPARE(GetSqlText("SELECT MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                            "MONEY_TYPE_ID = '002'"),
                 QString("changed"));
    }

    void detailRowsGoFirst()
    {
        AddType("001", "G001", 1);
        AddType("002", "G001", 2);
        AddEntry("R1", "1", QStringLiteral("未审核"));
        AddEntry("R2", "2", QStringLiteral("未审核"));
        ExecSql("UPDATE ORB_INTO_OUT_MONEY_TABLE SET MONEY_TYPE_ID = '002' WHERE MONEY_RECORD_ID = 'R2'");
        TOrbQuery master;
        master.setTableName(kTypes);
        master.SQL += " ORDER BY MONEY_TYPE_ID";
        master.DetailTable = kJournal;
        master.KeyValue = "MONEY_TYPE_ID";
        master.NoDeleteAsk = true;
        master.OpenQuery();
        master.DeleteRecord();
        QVERIFY(master.Saved);
        QCOMPARE(master.RecordCount(), 1);
        QCOMPARE(GetSqlText("SELECT MONEY_RECORD_ID FROM ORB_INTO_OUT_MONEY_TABLE"), QString("R2"));
        QCOMPARE(GetSqlText("SELECT MONEY_TYPE_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE"), QString("002"));

        // A failing detail delete leaves both tables as they were.
        master.DetailTable = "NO_SUCH_TABLE";
        master.DetailDError = QStringLiteral("借贷记录");
        master.NoDeleteAsk = true;
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { master.DeleteRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("借贷记录删除过程发生错误")});
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM ORB_MONEY_INTO_OUT_TYPE_TABLE"), 1.0);
        QCOMPARE(master.RecordCount(), 1);
    }

    void duplicateChecks()
    {
        AddType("001", "G001", 1);
        TOrbQuery q;
        q.setTableName(kTypes);
        q.SetInsertData(MakeArray<TInsertData>({{"MONEY_TYPE_ID", "", "", 3, "", nullptr, "C", ""},
                                                {"PRIOR_ID", "", "", 0, "G001", nullptr, "A", ""}}));
        TCheckData dup;
        dup.BaseSQL = "SELECT MONEY_TYPE_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
        dup.FieldName = "MONEY_TYPE_ID";
        dup.Conditions[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "", "", "C"};
        dup.Message = QStringLiteral("纪录编号重复");
        TCheckData order;
        order.BaseSQL = "SELECT ORDER_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
        order.FieldName = "ORDER_ID";
        order.NoRemake = true;
        order.Conditions[0] = {"PRIOR_ID", "PRIOR_ID", "", "", "C"};
        order.Conditions[1] = {"ORDER_ID", "ORDER_ID", "", "", "N"};
        order.Message = QStringLiteral("序号重复");
        q.SetCheckData(MakeArray<TCheckData>({dup, order}));
        q.OpenQuery();

        // An unchanged edited record is not its own duplicate.
        q.EditRecord();
        q.setText("MONEY_TYPE_NAME", "renamed");
        q.SaveRecord();
        QVERIFY(q.Saved);

        // A second workstation appends 002 meanwhile: the save renumbers to 003.
        q.AppendRecord();
        QCOMPARE(q.text("MONEY_TYPE_ID"), QString("002"));
        {
            QSqlDatabase other = Database::OpenExtraConnection("second");
            Database::Exec(other, "INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,"
                                  "ORDER_ID) VALUES('002','G001',2)");
        }
        QSqlDatabase::removeDatabase("second");
        q.setText("ORDER_ID", "2");
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("序号重复")});
        QCOMPARE(q.text("MONEY_TYPE_ID"), QString("003"));
        q.setText("ORDER_ID", "3");
        q.SaveRecord();
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM ORB_MONEY_INTO_OUT_TYPE_TABLE"), 3.0);
        QCOMPARE(GetSqlText("SELECT MONEY_TYPE_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE ORDER_ID = 3"),
                 QString("003"));
    }

    void askOnlyAndFill()
    {
        AddType("001", "G001", 1, QStringLiteral("办公费"));
        TOrbQuery q;
        q.setTableName(kJournal);
        TCheckData ref;
        ref.BaseSQL = "SELECT MONEY_TYPE_NAME, ORDER_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
        ref.FieldName = "MONEY_TYPE_ID";
        ref.MustNotExist = false;
        ref.Conditions[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "", "", "C"};
        ref.FillFields = "MONEY_TEXT_FIELD1, MONEY_NUMBER_FIELD1";
        ref.Message = QStringLiteral("没有这个借贷科目,是否继续");
        ref.AskOnly = true;
        q.SetCheckData(MakeArray<TCheckData>({ref}));
        q.SetInsertData(MakeArray<TInsertData>({{"MONEY_RECORD_ID", "", "", 0, "", nullptr, "T", ""}}));
        q.OpenQuery();
        q.AppendRecord();
        q.setText("MONEY_TYPE_ID", "001");
        q.SaveRecord();
        QCOMPARE(q.text("MONEY_TEXT_FIELD1"), QStringLiteral("办公费"));
        QCOMPARE(q.text("MONEY_NUMBER_FIELD1"), QString("1"));

        RecordingMessageSink sink;
        sink.answers = {false};
        q.AppendRecord();
        q.setText("MONEY_RECORD_ID", "second");
        q.setText("MONEY_TYPE_ID", "999");
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("没有这个借贷科目,是否继续 ?")});
        sink.answers = {true};
        q.SaveRecord();
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE"), 2.0);
    }

    void validation()
    {
        TOrbQuery q;
        q.setTableName(kTypes);
        q.SetFieldsData(MakeArray<TFieldsData>({
            [] { TFieldsData d; d.FieldName = "MONEY_TYPE_NAME"; d.Caption = QStringLiteral("科目名称"); d.Required = true; d.DataKind = "C"; return d; }(),
            [] { TFieldsData d; d.FieldName = "ORDER_ID"; d.Caption = QStringLiteral("序号"); d.DataKind = "N"; return d; }(),
            [] { TFieldsData d; d.FieldName = "CREATE_DATE"; d.Caption = QStringLiteral("建档日期"); d.DataKind = "D"; return d; }(),
            [] { TFieldsData d; d.FieldName = "NOTE"; d.Caption = QStringLiteral("备注"); d.DataKind = "N"; d.Visible = false; return d; }(),
        }));
        q.OpenQuery();
        QCOMPARE(q.field("MONEY_TYPE_NAME")->displayLabel, QStringLiteral("科目名称"));
        QVERIFY(!q.field("PRIOR_ID")->visible);
        QVERIFY(!q.field("NOTE")->visible);
        QCOMPARE(q.field("ORDER_ID")->displayFormat, QString("0.########"));
        QCOMPARE(q.field("CREATE_DATE")->displayWidth, 10);

        q.AppendRecord();
        q.setText("MONEY_TYPE_ID", "001");
        q.setText("PRIOR_ID", "G001");
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        q.setText("MONEY_TYPE_NAME", "A");
        q.setText("CREATE_DATE", "2009-02-30");
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        q.setText("CREATE_DATE", "2009/2/3");
        q.setText("NOTE", "abc");
        QVERIFY(!Guarded([&] { q.SaveRecord(); }));
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("科目名称必须有一个值"),
                                            QStringLiteral("建档日期是错误的数据"),
                                            QStringLiteral("备注是错误的数据")}));
        q.setText("NOTE", "12.5");
        q.SaveRecord();   // an empty number passes unless required
        QCOMPARE(GetSqlText("SELECT CREATE_DATE FROM ORB_MONEY_INTO_OUT_TYPE_TABLE"), QString("2009-02-03"));
    }

    void readsRowsOnDemand()
    {
        {
            Transaction t;
            QSqlQuery ins = Database::Prepare("INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,"
                                              "MONEY_ID,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER) VALUES(?,?,?,?)");
            for (int i = 0; i < 3000; ++i) {
                ins.addBindValue(QString::number(100000 + i));
                ins.addBindValue(QString::number(i));
                ins.addBindValue(1.25);
                ins.addBindValue(0.0);
                Database::ExecPrepared(ins);
            }
            t.commit();
        }
        TOrbQuery q;
        q.setTableName(kJournal);
        q.SQL += " ORDER BY MONEY_RECORD_ID";
        q.OpenQuery();
        QVERIFY(q.loadedCount() < 3000);
        QCOMPARE(q.text("MONEY_ID"), QString("0"));
        QCOMPARE(q.TotalRecordCount(), 3000);
        QCOMPARE(q.SqlSum("MONEY_INTO_NUMBER"), 3750.0);
        QVERIFY(!q.allLoaded());
        q.Last();
        QCOMPARE(q.text("MONEY_ID"), QString("2999"));
        QCOMPARE(q.RecordCount(), 3000);
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestOrbQuery)
#include "tst_OrbQuery.moc"

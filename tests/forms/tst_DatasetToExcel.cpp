#include "BiffRecords.h"
#include "LibreOfficeCsv.h"

#include "data/Gbk.h"
#include "data/TestSupport.h"
#include "forms/DatasetToExcel.h"
#include "forms/ExportRows.h"
#include "forms/ModelDataSet.h"

#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace Orb;
using namespace SpreadsheetTest;

namespace {

TExportRows CashSet()
{
    TExportRows set;
    set.AddField("MONEY_NAME", TExportFieldKind::Text);
    set.AddField("QTY", TExportFieldKind::Integer);
    set.AddField("AMOUNT", TExportFieldKind::Float);
    set.AddField("MEMO", TExportFieldKind::Blob);
    set.AddField("ACCOUNT", TExportFieldKind::Text);
    set.AddRecord({QStringLiteral("现金收入"), 3, 12.5, QByteArray("x"), "622202123456"});
    set.AddRecord({QStringLiteral("银行"), QVariant(), QVariant(), QVariant(), ""});
    set.AddRecord({"", 1000000000LL, -0.25, QVariant(), "abc"});
    return set;
}

const TExcelFieldArray kFields{{"MONEY_NAME", QStringLiteral("项目")},
                               {"QTY", QStringLiteral("数量")},
                               {"", "skipped"},
                               {"AMOUNT", QStringLiteral("金额")},
                               {"MEMO", QStringLiteral("备注")},
                               {"ACCOUNT", QStringLiteral("账号")}};

} // namespace

class TestDatasetToExcel : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void writesTheRecordStream()
    {
        RecordingMessageSink sink;
        TExportRows set = CashSet();
        TDatasetToExcel x;
        x.Dataset = &set;
        x.ID = true;
        const QString file = m_tmp.filePath("cash.xls");
        QVERIFY(x.ExportToFile(file, kFields,
                               {{QStringLiteral("现金日记账"), QStringLiteral("报表")},
                                {QStringLiteral("2024年3月"), ""}},
                               {{QStringLiteral("合计"), ""}, {"", "ignored"},
                                {"15", QStringLiteral("笔数")}}));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("数据成功导出到：") + file});
        const QByteArray bytes = Read(file);
        // BOF, then CODEPAGE 936, byte for byte.
        QCOMPARE(bytes.left(18).toHex(), QByteArray("0908080000001000000000004200020" "0a803"));
        QCOMPARE(bytes.right(4).toHex(), QByteArray("0a000000"));
        QStringList cells;
        for (const Record &r : ReadRecords(bytes)) {
            if (r.type != 0x0809 && r.type != 0x0042 && r.type != 0x000A)
                cells << r.describe();
        }
        QCOMPARE(cells, (QStringList{
            "L0,0:报表", "L1,0:现金日记账", "L0,1:2024年3月",
            "L2,0:序号", "L2,1:项目", "L2,2:数量", "L2,3:金额", "L2,4:备注", "L2,5:账号",
            "R3,0:1", "L3,1:现金收入", "R3,2:3", "N3,3:12.5", "L3,4:", "L3,5:622202123456",
            "R4,0:2", "L4,1:银行", "B4,2", "B4,3", "L4,4:", "B4,5",
            "R5,0:3", "B5,1", "N5,2:1e+09", "N5,3:-0.25", "L5,4:", "L5,5:abc",
            "L6,1:合计", "L6,3:笔数", "L7,3:15"}));
    }

    void labelLengthCountsGbkBytesAndCutsOnACharacter()
    {
        TExportRows set;
        set.AddField("T", TExportFieldKind::Text);
        set.AddRecord({QStringLiteral("出纳")});
        set.AddRecord({QString(254, 'a') + QStringLiteral("中文")});
        set.AddRecord({QString(300, 'b')});
        RecordingMessageSink sink;
        TDatasetToExcel x;
        x.Dataset = &set;
        const QString file = m_tmp.filePath("labels.xls");
        QVERIFY(x.ExportToFile(file, {{"T", "T"}}, {}, {}));
        const QList<Record> records = ReadRecords(Read(file));
        // BOF, CODEPAGE, caption, three labels, EOF
        QCOMPARE(records.size(), 7);
        QCOMPARE(records[3].body.mid(6), QByteArray("\x04\x00", 2) + ToGbk("出纳"));
        QCOMPARE(records[4].body.size(), 8 + 254);
        QCOMPARE(records[4].label(), QString(254, 'a'));
        QCOMPARE(records[5].body.size(), 8 + 255);
    }

    void titleWithBothTextsMakesTheCaptionsTheThirdRow()
    {
        TExportRows set;
        set.AddField("A", TExportFieldKind::Integer);
        set.AddRecord({7});
        RecordingMessageSink sink;
        TDatasetToExcel x;
        x.Dataset = &set;
        const QString file = m_tmp.filePath("title.xls");
        QVERIFY(x.ExportToFile(file, {{"a", "甲"}}, {{"v", "l"}}, {}));
        QStringList cells;
        for (const Record &r : ReadRecords(Read(file)).mid(2, 4))
            cells << r.describe();
        QCOMPARE(cells, (QStringList{"L0,0:l", "L1,0:v", "L2,0:甲", "R3,0:7"}));
    }

    void refusals()
    {
        RecordingMessageSink sink;
        const QString file = m_tmp.filePath("existing.xls");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
        f.close();
        TDatasetToExcel x;
        QVERIFY(!x.ExportToFile(file, kFields, {}, {}));
        TExportRows closed = CashSet();
        closed.SetOpen(false);
        x.Dataset = &closed;
        QVERIFY(!x.ExportToFile(file, kFields, {}, {}));
        TExportRows set = CashSet();
        x.Dataset = &set;
        QVERIFY(!x.ExportToFile(file, {{"NO_SUCH", "x"}}, {}, {}));
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("没有数据源"),
                                            QStringLiteral("没有数据"),
                                            QStringLiteral("数据集中没有字段：NO_SUCH")}));
        QCOMPARE(Read(file), QByteArray("keep me"));
        QVERIFY(!x.ExportToFile(m_tmp.filePath("no/such/dir/x.xls"), kFields, {}, {}));
        QCOMPARE(sink.last(), QStringLiteral("不能建立文件：") + m_tmp.filePath("no/such/dir/x.xls"));
    }

    void emptyDataSetGivesCaptionsOnly()
    {
        TExportRows set;
        set.AddField("A", TExportFieldKind::Text);
        RecordingMessageSink sink;
        TDatasetToExcel x;
        x.Dataset = &set;
        x.ID = true;
        const QString file = m_tmp.filePath("empty.xls");
        QVERIFY(x.ExportToFile(file, {{"A", "甲"}}, {}, {}));
        QStringList cells;
        for (const Record &r : ReadRecords(Read(file)))
            cells << r.describe();
        QCOMPARE(cells, (QStringList{"809", "42", "L0,0:序号", "L0,1:甲", "a"}));
    }

    void modelRowsExport()
    {
        QStandardItemModel model(2, 2);
        model.setHorizontalHeaderLabels({"CODE", "SUM"});
        model.setData(model.index(0, 0), "G001");
        model.setData(model.index(0, 1), 5);
        model.setData(model.index(1, 0), QStringLiteral("G001001"));
        model.setData(model.index(1, 1), 6);
        TModelDataSet set(&model);
        RecordingMessageSink sink;
        TDatasetToExcel x;
        x.Dataset = &set;
        const QString file = m_tmp.filePath("model.xls");
        QVERIFY(x.ExportToFile(file, {{"CODE", "编码"}, {"SUM", "合计"}}, {}, {}));
        QStringList cells;
        for (const Record &r : ReadRecords(Read(file)).mid(4, 4))
            cells << r.describe();
        QCOMPARE(cells, (QStringList{"L1,0:G001", "R1,1:5", "L2,0:G001001", "R2,1:6"}));
    }

    void libreOfficeReadsIt()
    {
        if (SpreadsheetTest::Office().isEmpty())
            QSKIP("LibreOffice (soffice) is not installed on this machine");
        RecordingMessageSink sink;
        TExportRows set = CashSet();
        TDatasetToExcel x;
        x.Dataset = &set;
        x.ID = true;
        const QString file = m_tmp.filePath("office.xls");
        QVERIFY(x.ExportToFile(file, kFields, {{QStringLiteral("现金日记账"), ""}},
                               {{QStringLiteral("合计"), ""}}));
        QString error;
        const QStringList lines = SpreadsheetTest::CsvLines(file, &error);
        QVERIFY2(!lines.isEmpty(), qPrintable(error));
        // Text cells arrive quoted, numbers bare: the account number stays text.
        QCOMPARE(lines, (QStringList{
            QStringLiteral("\"现金日记账\",,,,,"),
            QStringLiteral("\"序号\",\"项目\",\"数量\",\"金额\",\"备注\",\"账号\""),
            QStringLiteral("1,\"现金收入\",3,12.5,,\"622202123456\""),
            QStringLiteral("2,\"银行\",,,,"),
            QStringLiteral("3,,1000000000,-0.25,,\"abc\""),
            QStringLiteral(",\"合计\",,,,")}));
    }
};

QTEST_MAIN(TestDatasetToExcel)
#include "tst_DatasetToExcel.moc"

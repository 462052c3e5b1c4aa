#include "LibreOfficeCsv.h"

#include "data/RunTime.h"
#include "data/TestSupport.h"
#include "forms/ExportRows.h"
#include "forms/OrbExcel.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Orb;

namespace {

TExportRows AccountSet()
{
    TExportRows set;
    set.AddField("ACCOUNT_ID", TExportFieldKind::Text);
    set.AddField("ACCOUNT_NAME", TExportFieldKind::Text);
    set.AddField("BALANCE", TExportFieldKind::Float);
    set.AddField("CODE", TExportFieldKind::Text);
    set.AddRecord({"622202123456", QStringLiteral("  工商银行  "), 1234.5, "0012"});
    set.AddRecord({"123456789", QStringLiteral("现金"), QVariant(), "12"});
    return set;
}

const TExcelFieldArray kColumns{{"ACCOUNT_ID", QStringLiteral("账号")},
                                {"ACCOUNT_NAME", QStringLiteral("账户名称")},
                                {"BALANCE", QStringLiteral("余额")},
                                {"CODE", QStringLiteral("编码")}};

QString Unzip(const QString &file, const QString &member)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", file, member});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class TestOrbExcel : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void init() { SetFixedNow(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))); }
    void cleanup() { SetFixedNow(QDateTime()); }

    void refusals()
    {
        RecordingMessageSink sink;
        int opened = 0;
        TOrbExcel excel;
        excel.OutputDir = m_tmp.filePath("refused");
        excel.Opener = [&](const QString &) { return ++opened > 0; };
        excel.ReportName = QStringLiteral("报表");
        excel.Export(kColumns, {}, {});
        TExportRows closed = AccountSet();
        closed.SetOpen(false);
        excel.DataSet = &closed;
        excel.Export(kColumns, {}, {});
        TExportRows set = AccountSet();
        excel.DataSet = &set;
        excel.ReportName = "  ";
        excel.Export(kColumns, {}, {});
        TExportRows empty;
        empty.AddField("ACCOUNT_ID", TExportFieldKind::Text);
        excel.DataSet = &empty;
        excel.ReportName = QStringLiteral("报表");
        excel.Export(kColumns, {}, {});
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("没有数据源"),
                                            QStringLiteral("没有数据源"),
                                            QStringLiteral("没有报表名称"),
                                            QStringLiteral("没有数据")}));
        QCOMPARE(opened, 0);
        QVERIFY(!QFileInfo::exists(m_tmp.filePath("refused")));
    }

    void withoutAProgramTheMessageSaysWhere()
    {
        RecordingMessageSink sink;
        TExportRows set = AccountSet();
        TOrbExcel excel;
        excel.DataSet = &set;
        excel.ReportName = QStringLiteral("资金账户");
        excel.OutputDir = m_tmp.filePath("out");
        QString asked;
        excel.Opener = [&](const QString &file) {
            asked = file;
            return false;
        };
        excel.Export(kColumns, {}, {});
        const QString file = m_tmp.filePath("out/资金账户 2024-03-05 10.20.30.xlsx");
        QCOMPARE(asked, file);
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(sink.texts(),
                 QStringList{QStringLiteral("没有找到打开Excel文件的程序,导出的数据已保存在文件：")
                             + file});
        excel.Opener = [](const QString &) { return true; };
        sink.clear();
        SetFixedNow(QDateTime(QDate(2024, 3, 5), QTime(10, 21, 0)));
        excel.Export(kColumns, {}, {});
        QVERIFY(sink.texts().isEmpty());
        QCOMPARE(excel.LastFile(), m_tmp.filePath("out/资金账户 2024-03-05 10.21.00.xlsx"));
    }

    void sheetLayoutAsLibreOfficeReadsIt()
    {
        if (SpreadsheetTest::Office().isEmpty())
            QSKIP("LibreOffice (soffice) is not installed on this machine");
        RecordingMessageSink sink;
        TExportRows set = AccountSet();
        TOrbExcel excel;
        excel.DataSet = &set;
        excel.ReportName = QStringLiteral("资金账户");
        excel.ID = true;
        const QString file = m_tmp.filePath("layout.xlsx");
        QVERIFY(excel.ExportToFile(file, kColumns,
                                   {{QStringLiteral("资金账户一览"), QStringLiteral("报表")},
                                    {QStringLiteral("2024-03-05"), QStringLiteral("日期")}},
                                   {{"1234.5", QStringLiteral("合计")}}));
        QVERIFY(sink.texts().isEmpty());
        QString error;
        const QStringList lines = SpreadsheetTest::CsvLines(file, &error);
        QVERIFY2(!lines.isEmpty(), qPrintable(error));
        // Text cells arrive quoted, numbers bare.
        QCOMPARE(lines, (QStringList{
            QStringLiteral("\"报表\",\"日期\",,,"),
            QStringLiteral("\"资金账户一览\",\"2024-03-05\",,,"),
            QStringLiteral("\"序号\",\"账号\",\"账户名称\",\"余额\",\"编码\""),
            QStringLiteral("1,\"622202123456\",\"工商银行\",1234.5,\"0012\""),
            QStringLiteral("2,\"123456789\",\"现金\",,12"),
            QStringLiteral(",\"合计\",,,"),
            QStringLiteral(",1234.5,,,")}));
    }

    void worksheetIsNamedAfterTheReport()
    {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed on this machine");
        RecordingMessageSink sink;
        TExportRows set = AccountSet();
        TOrbExcel excel;
        excel.DataSet = &set;
        excel.ReportName = QStringLiteral("资金/账户:一览");
        const QString file = m_tmp.filePath("name.xlsx");
        QVERIFY(excel.ExportToFile(file, kColumns, {}, {}));
        QVERIFY(Unzip(file, "xl/workbook.xml").contains(QStringLiteral("name=\"资金_账户_一览\"")));
    }

    void keepAsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("keep");
        QTest::newRow("12 digits") << "622202123456" << true;
        QTest::newRow("10 digits") << "1234567890" << true;
        QTest::newRow("9 digits") << "123456789" << true;
        QTest::newRow("10 with dot") << "1234567.89" << false;
        QTest::newRow("8 digits") << "12345678" << false;
        QTest::newRow("long text") << QStringLiteral("工商银行股份有限公司北京分行") << true;
        QTest::newRow("leading zero") << "0012" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("zero point") << "0.5" << false;
        QTest::newRow("negative") << "-12.5" << false;
    }

    void keepAsText()
    {
        QFETCH(QString, text);
        QFETCH(bool, keep);
        QCOMPARE(KeepAsText(text), keep);
    }
};

QTEST_MAIN(TestOrbExcel)
#include "tst_OrbExcel.moc"

#include "data/FloatFormat.h"
#include "report/PreviewForm.h"
#include "report/ReportDataSet.h"
#include "report/ReportRunTime.h"
#include "report/ReportStream.h"

#include "data/CapitalAmount.h"
#include "data/DialogRunner.h"
#include "data/RunTime.h"
#include "data/TestSupport.h"

#include <QBuffer>
#include <QPrinterInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orb;

namespace {

constexpr int kLine = 30;

// Header, detail and footer lines of kLine pixels each; the page holds
// `rows` detail rows together with the header and the full footer.
struct Template {
    QStringList header{QStringLiteral("<单位名称>"), QStringLiteral("{标题}"),
                       QStringLiteral("<PageNum/>")};
    QStringList detail{QStringLiteral("<序号>"), QStringLiteral("[摘要]"),
                       QStringLiteral("[金额]")};
    QList<QStringList> footer{
        {QStringLiteral("本页合计"), QString(), QStringLiteral("<SumPage(3)>")},
        {QStringLiteral("总计"), QString(), QStringLiteral("<Sum(3)>")}};
    QStringList formats{QString(), QString(), QString()};
    int rows = 3;

    QString save(const QString &fileName) const
    {
        TReportDocument doc;
        QList<QStringList> lines{header, detail};
        lines += footer;
        doc.header.pageHeight = doc.header.topMargin + doc.header.bottomMargin
                                + kLine * (1 + footer.size() + rows);
        for (const QStringList &texts : lines) {
            TReportLine *line = doc.appendLine();
            line->userHeight = kLine;
            for (int i = 0; i < texts.size(); ++i) {
                TReportCell *cell = line->addCell();
                cell->setWidth(200);
                cell->text = texts[i];
                if (&texts == &lines[1] || (&texts != &lines[0]))
                    cell->displayFormat = formats.value(i);
            }
        }
        doc.layout();
        SaveReportFile(doc, fileName);
        return fileName;
    }
};

// The texts of every line of a stored page, cells joined by "|".
QStringList PageLines(const QByteArray &page)
{
    TReportDocument doc;
    if (LoadReportStream(doc, page) != StreamResult::Ok)
        return {QStringLiteral("<damaged page>")};
    QStringList lines;
    for (const TReportLine *line : doc.lines) {
        QStringList cells;
        for (const TReportCell *cell : line->cells)
            cells << cell->text;
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

TMemoryDataSet *Amounts(const QList<double> &amounts, QObject *parent)
{
    QList<QVariantList> rows;
    for (int i = 0; i < amounts.size(); ++i)
        rows.append({QStringLiteral("摘要%1").arg(i + 1), amounts[i], amounts[i] * 2});
    return new TMemoryDataSet({{QStringLiteral("SUMMARY"), FieldKind::Text},
                               {QStringLiteral("AMOUNT"), FieldKind::Number},
                               {QStringLiteral("DOUBLE"), FieldKind::Number}},
                              rows, parent);
}

TPrintFieldsArray Fields()
{
    return {{QStringLiteral("SUMMARY"), QStringLiteral("摘要"), QStringLiteral("D"), false, true},
            {QStringLiteral("AMOUNT"), QStringLiteral("金额"), QStringLiteral("D"), false, true},
            {QStringLiteral("DOUBLE"), QStringLiteral("双倍"), QStringLiteral("D"), false, true},
            {QStringLiteral("TITLE"), QStringLiteral("标题"), QStringLiteral("M"), true, false}};
}

} // namespace

class TestReportRunTime : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QObject m_owner;
    TMemoryDataSet *m_master = nullptr;

    // A run-time over the template and the amounts, master title "现金日记账".
    std::unique_ptr<TReportRunTime> runTime(const Template &t, const QList<double> &amounts,
                                            bool addSpace = false)
    {
        auto rt = std::make_unique<TReportRunTime>(&m_owner);
        rt->SetPrintFields(Fields());
        const QString file = m_dir.filePath(QString::number(quintptr(rt.get())));
        [&] { QVERIFY(rt->SetReportFile(t.save(file))); }();
        rt->RegisterDataSet(QStringLiteral("d"), Amounts(amounts, &m_owner));
        rt->RegisterDataSet(QStringLiteral("M"), m_master);
        rt->SetVariable(QStringLiteral("单位名称"), QStringLiteral("天和公司"));
        rt->AddSpace = addSpace;
        return rt;
    }

private slots:
    void initTestCase()
    {
        m_master = new TMemoryDataSet({{QStringLiteral("TITLE"), FieldKind::Text}},
                                      {{QStringLiteral("现金日记账")}}, &m_owner);
        SetFixedNow(QDateTime(QDate(2026, 3, 5), QTime(9, 7, 30)));
    }

    void floatFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("grouped") << "#,##0.00" << 1234567.891 << "1,234,567.89";
        QTest::newRow("half up") << "0.0" << 2.25 << "2.3";
        QTest::newRow("negative") << "#,##0.00" << -1234.5 << "-1,234.50";
        QTest::newRow("negative section") << "0.00;(0.00)" << -5.0 << "(5.00)";
        QTest::newRow("zero section") << "0.00;;零" << 0.0 << QStringLiteral("零");
        QTest::newRow("literals") << QStringLiteral("￥#,##0.00元") << 1234.5
                                  << QStringLiteral("￥1,234.50元");
        QTest::newRow("quoted") << "0.0\" 元\"" << 3.0 << QStringLiteral("3.0 元");
        QTest::newRow("optional") << "#.##" << 0.5 << ".5";
        QTest::newRow("padded") << "000" << 7.0 << "007";
        QTest::newRow("general") << "" << 30.5 << "30.5";
        QTest::newRow("general int") << "" << 1000.0 << "1000";
    }
    void floatFormats()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFloat(format, value), text);
    }

    void noRecords()
    {
        RecordingMessageSink sink;
        auto rt = runTime(Template(), {});
        QVERIFY(!rt->BuildPages());
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("没有数据记录")});
        QVERIFY(rt->Pages().isEmpty());
        QCOMPARE(rt->PageCount(), 0);
    }

    void exactlyOnePage()
    {
        RecordingMessageSink sink;
        auto rt = runTime(Template(), {10, 20.5, 4});
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 1);
        QCOMPARE(PageLines(rt->Pages()[0]),
                 (QStringList{QStringLiteral("天和公司|现金日记账|第 1/1 页"),
                              QStringLiteral("1|摘要1|10"), QStringLiteral("2|摘要2|20.5"),
                              QStringLiteral("3|摘要3|4"), QStringLiteral("本页合计||34.5"),
                              QStringLiteral("总计||34.5")}));
        QVERIFY(sink.entries.isEmpty());
    }

    void oneRowMoreGoesToTheNextPage()
    {
        auto rt = runTime(Template(), {10, 20.5, 4, 1});
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 2);
        QCOMPARE(PageLines(rt->Pages()[0]),
                 (QStringList{QStringLiteral("天和公司|现金日记账|第 1/2 页"),
                              QStringLiteral("1|摘要1|10"), QStringLiteral("2|摘要2|20.5"),
                              QStringLiteral("3|摘要3|4"), QStringLiteral("本页合计||34.5")}));
        QCOMPARE(PageLines(rt->Pages()[1]),
                 (QStringList{QStringLiteral("天和公司|现金日记账|第 2/2 页"),
                              QStringLiteral("4|摘要4|1"), QStringLiteral("本页合计||1"),
                              QStringLiteral("总计||35.5")}));
    }

    void pageNumbersOnPageTwoOfFive()
    {
        Template t;
        t.header = {QStringLiteral("<PageNum/>"), QStringLiteral("<PageNum->"),
                    QStringLiteral("<pagenum>")};
        t.rows = 2;
        t.footer = {{QStringLiteral("<Date>"), QStringLiteral("<Time>"),
                     QStringLiteral("<DateTime>")}};
        auto rt = runTime(t, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 5);
        const QStringList page2 = PageLines(rt->Pages()[1]);
        QCOMPARE(page2.first(), QStringLiteral("第 2/5 页|第 5-2 页|第 2 页"));
        QCOMPARE(page2.mid(1, 2), (QStringList{QStringLiteral("3|摘要3|3"),
                                               QStringLiteral("4|摘要4|4")}));
        QCOMPARE(page2.last(), QStringLiteral("2026-03-05|09:07:30|2026-03-05 09:07:30"));
        QCOMPARE(PageLines(rt->Pages()[4]).mid(1),
                 (QStringList{QStringLiteral("9|摘要9|9"),
                              QStringLiteral("2026-03-05|09:07:30|2026-03-05 09:07:30")}));
    }

    void pageSumFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("sum");
        QTest::newRow("general") << QString() << QStringLiteral("30.5");
        QTest::newRow("pattern") << QStringLiteral("#,##0.00") << QStringLiteral("30.50");
        QTest::newRow("capital") << QStringLiteral("大写金额") << CapitalAmount("30.5");
    }
    void pageSumFormats()
    {
        QFETCH(QString, format);
        QFETCH(QString, sum);
        Template t;
        t.formats = {QString(), QString(), format};
        t.footer = {{QStringLiteral("本页合计"), QString(), QStringLiteral("<SumPage(3)>")}};
        auto rt = runTime(t, {10, 20.5});
        QVERIFY(rt->BuildPages());
        QCOMPARE(PageLines(rt->Pages()[0]).last(), QStringLiteral("本页合计||") + sum);
        QCOMPARE(CapitalAmount("30.5"), QStringLiteral("叁拾元伍角整"));
    }

    void detailFormats()
    {
        Template t;
        t.formats = {QString(), QString(), QStringLiteral("#,##0.00")};
        t.footer = {{QStringLiteral("<Sum(3)>"), QString(), QStringLiteral("<SumPage(3)>")}};
        auto rt = runTime(t, {1234.5, -0.25});
        QVERIFY(rt->BuildPages());
        QCOMPARE(PageLines(rt->Pages()[0]).mid(1),
                 (QStringList{QStringLiteral("1|摘要1|1,234.50"), QStringLiteral("2|摘要2|-0.25"),
                              QStringLiteral("1234.25||1,234.25")}));
    }

    // Sum(2-3) subtracts the running totals of the two columns, page after page.
    void runningSumOfDifference()
    {
        Template t;
        t.detail = {QStringLiteral("<序号>"), QStringLiteral("[双倍]"), QStringLiteral("[金额]")};
        t.footer = {{QStringLiteral("<SumPage(2+3)>"), QString(), QString()},
                    {QString(), QString(), QStringLiteral("<Sum(2-3)>")}};
        t.rows = 2;
        auto rt = runTime(t, {10, 20.5, 5});
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 2);
        // The running-sum line is printed on the last page only.
        QCOMPARE(PageLines(rt->Pages()[0]).mid(1),
                 (QStringList{QStringLiteral("1|20|10"), QStringLiteral("2|41|20.5"),
                              QStringLiteral("91.5||")}));
        QCOMPARE(PageLines(rt->Pages()[1]).mid(1),
                 (QStringList{QStringLiteral("3|10|5"), QStringLiteral("15||"),
                              QStringLiteral("||35.5")}));
    }

    void sumMessages_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("message");
        QTest::newRow("sumpage 0") << "<SumPage(0)>"
                                   << QStringLiteral("模板中`Sumpage()括号内参数不应为零");
        QTest::newRow("sumpage x") << "<SumPage(3+x)>"
                                   << QStringLiteral("统计时发生错误，请检查`Sumpage()设置是否正确");
        QTest::newRow("sumpage open") << "<SumPage(3>"
                                      << QStringLiteral("统计时发生错误，请检查`Sumpage()设置是否正确");
        QTest::newRow("sum 0") << "<Sum(3-0)>"
                               << QStringLiteral("模板中`SumAll()括号内参数不应为零");
        QTest::newRow("sum empty") << "<Sum()>"
                                   << QStringLiteral("统计时发生错误，请检查`SumAll()设置是否正确");
        QTest::newRow("sum 99") << "<Sum(99)>"
                                << QStringLiteral("统计时发生错误，请检查`SumAll()设置是否正确");
    }
    void sumMessages()
    {
        QFETCH(QString, function);
        QFETCH(QString, message);
        Template t;
        t.rows = 1;
        t.footer = {{QString(), QString(), function}};
        RecordingMessageSink sink;
        auto rt = runTime(t, {1, 2, 3});
        QVERIFY(rt->BuildPages());
        QVERIFY(rt->PageCount() >= 2);
        QCOMPARE(sink.texts(), QStringList{message});   // once per run, not per page
        QCOMPARE(PageLines(rt->Pages().last()).last(), QStringLiteral("||"));
    }

    void addSpaceFillsTheLastPage()
    {
        Template t;
        t.rows = 4;
        auto rt = runTime(t, {1, 2, 3, 4, 5}, true);
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 2);
        QCOMPARE(PageLines(rt->Pages()[1]),
                 (QStringList{QStringLiteral("天和公司|现金日记账|第 2/2 页"),
                              QStringLiteral("5|摘要5|5"), QStringLiteral("||"),
                              QStringLiteral("||"), QStringLiteral("||"),
                              QStringLiteral("本页合计||5"), QStringLiteral("总计||15")}));
        TReportDocument page;
        QCOMPARE(LoadReportStream(page, rt->Pages()[1]), StreamResult::Ok);
        QCOMPARE(page.lines.last()->top + kLine + page.header.bottomMargin,
                 page.header.pageHeight);
    }

    void unknownCaptionStaysLiteral()
    {
        Template t;
        t.header = {QStringLiteral("{未知字段}"), QStringLiteral("{标题}x"),
                    QStringLiteral("<无此变量>")};
        t.detail = {QStringLiteral("# d . summary"), QStringLiteral("@M.TITLE"),
                    QStringLiteral("[金额]尾")};
        t.footer = {};
        auto rt = runTime(t, {7});
        QVERIFY(rt->BuildPages());
        QCOMPARE(PageLines(rt->Pages()[0]),
                 (QStringList{QStringLiteral("{未知字段}|现金日记账|"),
                              QStringLiteral("摘要1|现金日记账|7")}));
    }

    // A block merged over two header lines stays merged on every page.
    void mergesInTheHeaderAreKept()
    {
        Template t;
        t.rows = 2;
        const QString file = t.save(m_dir.filePath(QStringLiteral("merged")));
        TReportDocument doc;
        QCOMPARE(LoadReportFile(doc, file), StreamResult::Ok);
        doc.insertLine(1)->userHeight = kLine;
        for (int c = 0; c < 3; ++c)
            doc.lines[1]->addCell()->setWidth(200);
        doc.layout();
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 0), true);
        doc.CombineCells();
        doc.header.pageHeight += kLine;
        QVERIFY(SaveReportFile(doc, file));
        auto rt = runTime(Template(), {1, 2, 3});
        QVERIFY(rt->SetReportFile(file));
        QVERIFY(rt->BuildPages());
        QCOMPARE(rt->PageCount(), 2);
        for (const QByteArray &bytes : rt->Pages()) {
            TReportDocument page;
            QCOMPARE(LoadReportStream(page, bytes), StreamResult::Ok);
            QCOMPARE(page.cellAt(0, 0)->slaves, QList<TReportCell *>{page.cellAt(1, 0)});
            QCOMPARE(page.cellAt(0, 0)->text, QStringLiteral("天和公司"));
            QCOMPARE(page.cellAt(0, 0)->cellRect.bottom, page.lines[2]->top);
        }
    }

    void templateWithoutDetailIsOnePage()
    {
        Template t;
        t.detail = {QStringLiteral("{标题}"), QString(), QStringLiteral("<PageNum>")};
        t.footer = {};
        auto rt = runTime(t, {});
        QVERIFY(rt->BuildPages());
        QCOMPARE(PageLines(rt->Pages()[0]),
                 (QStringList{QStringLiteral("天和公司|现金日记账|第 1/1 页"),
                              QStringLiteral("现金日记账||第 1 页")}));
    }

    void badTemplateFiles()
    {
        RecordingMessageSink sink;
        TReportRunTime rt;
        QFile file(m_dir.filePath(QStringLiteral("bad")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("58AA0000"));
        file.close();
        QVERIFY(!rt.SetReportFile(file.fileName()));
        QFile damaged(m_dir.filePath(QStringLiteral("damaged")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray::fromHex("57AA64000000"));
        damaged.close();
        QVERIFY(!rt.SetReportFile(damaged.fileName()));
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("打开报表错误"),
                                            QStringLiteral("格式不正确...")}));
        QVERIFY(rt.Template().lines.isEmpty());
    }

    // SetData names a component of the owner or a form and its component;
    // broken commands are ignored.
    void setDataCommands()
    {
        QObject owner;
        auto *detail = Amounts({3, 4}, &owner);
        detail->setObjectName(QStringLiteral("QueryDetail"));
        detail->Close();
        QWidget form;
        form.setObjectName(QStringLiteral("JournalForm"));
        auto *master = new TMemoryDataSet({{QStringLiteral("TITLE"), FieldKind::Text}},
                                          {{QStringLiteral("银行日记账")}}, &form);
        master->setObjectName(QStringLiteral("QueryMaster"));
        TReportRunTime rt(&owner);
        rt.SetPrintFields(Fields());
        QVERIFY(rt.SetReportFile(Template().save(m_dir.filePath(QStringLiteral("setdata")))));
        rt.SetData = {QStringLiteral("SetDataSet(D,QueryDetail);"),
                      QStringLiteral("setdataset( M , JournalForm.QueryMaster);"),
                      QStringLiteral("SetDataSet(X,NoSuchQuery);"), QStringLiteral("garbage("),
                      QStringLiteral("Other(D,QueryDetail);")};
        rt.RunSetData();
        QVERIFY(detail->IsActive());   // opened for the run
        QVERIFY(rt.BuildPages());
        QCOMPARE(PageLines(rt.Pages()[0]).mid(0, 2),
                 (QStringList{QStringLiteral("|银行日记账|第 1/1 页"), QStringLiteral("1|摘要1|3")}));
    }

    void printWithoutPrinter()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        RecordingMessageSink sink;
        auto rt = runTime(Template(), {1});
        QVERIFY(!rt->RunPrint(false));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("未安装打印机")});
    }

    // The preview shows the pages with the data sets' controls detached; on
    // closing, the pages are freed and the controls come back.
    void previewRun()
    {
        auto rt = runTime(Template(), {1, 2, 3, 4, 5, 6, 7});
        auto *data = qobject_cast<TMemoryDataSet *>(m_owner.children().last());
        QVERIFY(data);
        int shownPages = 0;
        bool detached = false;
        QString status;
        {
            ScopedDialogHandler handler([&](QDialog *dialog) {
                auto *preview = qobject_cast<TPreviewForm *>(dialog);
                if (!preview)
                    return int(QDialog::Rejected);
                shownPages = rt->PageCount();
                detached = data->ControlsDisabled();
                status = preview->statusText();
                return int(QDialog::Rejected);
            });
            rt->RunPreview();
        }
        QCOMPARE(shownPages, 2);   // 4 rows over the page sum, then 3 and both sums
        QVERIFY(detached);
        QCOMPARE(status, QStringLiteral("第1／2页"));
        QVERIFY(rt->Pages().isEmpty());
        QVERIFY(!data->ControlsDisabled());
    }

    void pictureField()
    {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        Template t;
        t.detail = {QStringLiteral("<序号>"), QStringLiteral("[图片]"), QString()};
        t.footer = {};
        auto rt = runTime(t, {});
        rt->RegisterDataSet(QStringLiteral("P"),
                            new TMemoryDataSet({{QStringLiteral("PHOTO"), FieldKind::Picture}},
                                               {{png}}, &m_owner));
        TPrintFieldsArray fields = Fields();
        fields.append({QStringLiteral("PHOTO"), QStringLiteral("图片"), QStringLiteral("P"), false,
                       true});
        rt->SetPrintFields(fields);
        QVERIFY(rt->BuildPages());
        TReportDocument page;
        QCOMPARE(LoadReportStream(page, rt->Pages()[0]), StreamResult::Ok);
        const QImage shown = page.cellAt(1, 1)->image();
        QCOMPARE(shown.size(), QSize(20, 10));
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::blue));
        QCOMPARE(page.cellAt(1, 1)->text, QString());
    }

    // A query is read into a memory data set; column kinds come from the values.
    void queryAdapter()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("adapter"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE TABLE T (NAME TEXT, AMOUNT NUMERIC, PHOTO BLOB, NOTE TEXT)"));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO T VALUES ('张三', NULL, NULL, NULL)")));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO T VALUES ('李四', 20.5, x'424D', 'x')")));
            QVERIFY(q.exec("SELECT NAME, AMOUNT, PHOTO, NOTE FROM T"));
            std::unique_ptr<TMemoryDataSet> data(TMemoryDataSet::FromQuery(q));
            QCOMPARE(data->RecordCount(), 2);
            QCOMPARE(data->FieldIndex(QStringLiteral("amount")), 1);
            QCOMPARE(data->Kind(0), FieldKind::Text);
            QCOMPARE(data->Kind(1), FieldKind::Number);
            QCOMPARE(data->Kind(2), FieldKind::Picture);
            data->First();
            QCOMPARE(data->DisplayText(0), QStringLiteral("张三"));
            QCOMPARE(data->DisplayText(1), QString());
            data->Next();
            QCOMPARE(data->DisplayText(1), QStringLiteral("20.5"));
            data->Next();
            QVERIFY(data->Eof());
            QCOMPARE(data->DisplayText(0), QString());
            data->Prior();
            QCOMPARE(data->DisplayText(0), QStringLiteral("李四"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("adapter"));
    }

    // The paper of the template: a code with an orientation, or a user size
    // (256) in tenths of millimetres.
    void pdfPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("size");
        QTest::newRow("A4 landscape") << 9 << 2 << "842 x 595 pts (A4)";
        QTest::newRow("A5 portrait") << 11 << 1 << "420 x 595 pts (A5)";
        QTest::newRow("user 241 x 140 mm") << 256 << 2 << "683 x 397 pts";
    }
    void pdfPaper()
    {
        QFETCH(int, paper);
        QFETCH(int, orientation);
        QFETCH(QString, size);
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo is not installed");
        const QString file = Template().save(m_dir.filePath(QStringLiteral("paper")));
        TReportDocument doc;
        QCOMPARE(LoadReportFile(doc, file), StreamResult::Ok);
        doc.header.paperSize = paper;
        doc.header.orientation = orientation;
        doc.header.paperLength = 1400;
        doc.header.paperWidth = 2410;
        QVERIFY(SaveReportFile(doc, file));
        auto rt = runTime(Template(), {1});
        QVERIFY(rt->SetReportFile(file));
        const QString pdf = m_dir.filePath(QStringLiteral("paper.pdf"));
        QVERIFY(rt->PrintToPdf(pdf));
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(p.waitForFinished());
        const QString info = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        QVERIFY2(info.contains(QStringLiteral("Page size: ") + size + QStringLiteral(" Page")),
                 qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Title: 未命名报表")));
    }

    void pdfText()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        auto rt = runTime(Template(), {10, 20.5, 4, 1});
        rt->ReportTitle = QStringLiteral("现金日记账");
        const QString pdf = m_dir.filePath(QStringLiteral("out.pdf"));
        QVERIFY(rt->PrintToPdf(pdf));
        QStringList texts;
        for (int page = 1; page <= 2; ++page) {
            QProcess p;
            p.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                     QString::number(page), QStringLiteral("-layout"), pdf, QStringLiteral("-")});
            QVERIFY(p.waitForFinished());
            texts << QString::fromUtf8(p.readAllStandardOutput()).simplified();
        }
        QCOMPARE(texts[0], QStringLiteral("天和公司 现金日记账 第 1/2 页 1 摘要1 10 2 摘要2 20.5 "
                                          "3 摘要3 4 本页合计 34.5"));
        QCOMPARE(texts[1], QStringLiteral("天和公司 现金日记账 第 2/2 页 4 摘要4 1 本页合计 1 "
                                          "总计 35.5"));
    }
};

QTEST_MAIN(TestReportRunTime)
#include "tst_ReportRunTime.moc"

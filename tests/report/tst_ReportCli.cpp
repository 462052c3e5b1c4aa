// orbcashier-cli report and template-dump, run as a script would.
#include "ReportFixtures.h"

#include "report/ReportStream.h"

#include "data/CapitalAmount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orb;

class TestReportCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

    QString run(const QString &program, const QStringList &args, int *code = nullptr,
                QString *err = nullptr)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(60000);
        if (code)
            *code = p.exitCode();
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError());
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    QString cli(const QStringList &args, int *code = nullptr, QString *err = nullptr)
    {
        return run(QStringLiteral(ORB_CLI), args, code, err);
    }

    QString saveTemplate()
    {
        TReportDocument doc;
        doc.NewTable(3, 3);
        const QStringList texts{QStringLiteral("<单位名称>"), QStringLiteral("{TITLE}"),
                                QStringLiteral("<PageNum/>"), QStringLiteral("<序号>"),
                                QStringLiteral("[SUMMARY]"), QStringLiteral("[AMOUNT]"),
                                QStringLiteral("本页合计"), QStringLiteral("<SumPage(3)>"),
                                QStringLiteral("<Sum(3)>")};
        for (int i = 0; i < texts.size(); ++i)
            doc.cellAt(i / 3, i % 3)->text = texts[i];
        doc.cellAt(2, 1)->displayFormat = QStringLiteral("大写金额");
        doc.cellAt(1, 2)->displayFormat = QStringLiteral("0.00");
        doc.layout();
        const QString file = m_home.filePath(QStringLiteral("BX260305090730"));
        SaveReportFile(doc, file);
        return file;
    }

private slots:
    void reportToPdf()
    {
        int code = -1;
        cli({"init", "--data", m_home.filePath("Data")}, &code);
        QCOMPARE(code, 0);
        cli({"sql", "CREATE TABLE T_PAY (NO INTEGER, SUMMARY VARCHAR(40), AMOUNT NUMERIC)"},
            &code);
        QCOMPARE(code, 0);
        cli({"sql", QStringLiteral("INSERT INTO T_PAY VALUES (1, '收到货款', 10)")});
        cli({"sql", QStringLiteral("INSERT INTO T_PAY VALUES (2, '支付运费', 20.5)")});
        const QString pdf = m_home.filePath(QStringLiteral("pay.pdf"));
        QString err;
        const QString out = cli({"report", "--template", saveTemplate(), "--master",
                                 QStringLiteral("SELECT '付款清单' AS TITLE"), "--detail",
                                 "SELECT NO, SUMMARY, AMOUNT FROM T_PAY ORDER BY NO", "--var",
                                 QStringLiteral("单位名称=天和公司"), "--pdf", pdf},
                                &code, &err);
        QCOMPARE(err, QString());
        QCOMPARE(code, 0);
        QCOMPARE(out, QStringLiteral("1"));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString text = run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
        QCOMPARE(text.simplified(),
                 QStringLiteral("天和公司 付款清单 第 1/1 页 1 收到货款 10.00 2 支付运费 20.50 "
                                "本页合计 %1 30.5")
                     .arg(CapitalAmount("30.5")));
    }

    void reportRefusals()
    {
        int code = -1;
        QString err;
        cli({"report", "--template", "x"}, &code, &err);
        QCOMPARE(code, 2);
        const QString bad = m_home.filePath(QStringLiteral("bad"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a template");
        file.close();
        cli({"init", "--data", m_home.filePath("Data")}, &code);
        cli({"report", "--template", bad, "--master", "SELECT 1 AS A", "--pdf",
             m_home.filePath("x.pdf")},
            &code, &err);
        QCOMPARE(code, 1);
        QCOMPARE(err.trimmed(), QStringLiteral("打开报表错误"));
        cli({"template-dump", bad}, &code, &err);
        QCOMPARE(code, 1);
        QCOMPARE(err.trimmed(), QStringLiteral("格式不正确"));
    }

    void dumpShowsTheTemplate()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        const QString file = m_home.filePath(QStringLiteral("rich"));
        QVERIFY(SaveReportFile(doc, file));
        int code = -1;
        const QJsonObject json =
            QJsonDocument::fromJson(cli({"template-dump", file}, &code).toUtf8()).object();
        QCOMPARE(code, 0);
        const QJsonObject header = json["header"].toObject();
        QCOMPARE(header["paperSize"].toInt(), 256);
        QCOMPARE(header["marginsMm"].toArray(), (QJsonArray{20, 20, 10, 15}));
        const QJsonArray lines = json["lines"].toArray();
        QCOMPARE(lines.size(), 4);
        const QJsonObject owner = lines[0]["cells"][0].toObject();
        QCOMPARE(owner["slaves"].toArray(), (QJsonArray{QJsonArray{1, 0}, QJsonArray{2, 0}}));
        QCOMPARE(owner["text"].toString(), QStringLiteral("合并单元格\r\n第二行"));
        QCOMPARE(lines[1]["cells"][0]["owner"].toArray(), (QJsonArray{0, 0}));
        const QJsonObject rich = lines[0]["cells"][1].toObject();
        QCOMPARE(rich["font"]["face"].toString(), QStringLiteral("黑体"));
        QCOMPARE(rich["borders"]["right"].toObject(),
                 (QJsonObject{{"on", false}, {"width", 3}}));
        QCOMPARE(rich["diagonals"].toInt(), 0x401);
        QCOMPARE(rich["cellRect"].toArray()[0].toInt(), doc.cellAt(0, 1)->cellRect.left);
        QCOMPARE(lines[3]["cells"][1]["picture"]["width"].toInt(), 13);
        QCOMPARE(lines[1]["cells"][2]["format"].toString(), QStringLiteral("#,##0.00"));
    }
};

QTEST_MAIN(TestReportCli)
#include "tst_ReportCli.moc"

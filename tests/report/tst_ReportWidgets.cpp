#include "ReportFixtures.h"

#include "report/MarginForm.h"
#include "report/PreviewForm.h"
#include "report/ReportControl.h"
#include "report/ReportRunTime.h"
#include "report/ReportStream.h"

#include "data/DialogRunner.h"
#include "data/TestSupport.h"

#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using namespace Orb;

namespace {

// A cash journal template: title, column heads, detail line, page sum.
QString SaveJournalTemplate(const QString &fileName)
{
    TReportDocument doc;
    doc.NewTable(4, 5);
    doc.select(doc.cellAt(0, 0));
    for (int c = 1; c < 4; ++c)
        doc.select(doc.cellAt(0, c), true);
    doc.CombineCells();
    TReportCell *title = doc.cellAt(0, 0);
    title->text = QStringLiteral("现金日记账");
    title->hAlign = 1;
    title->font.height = -24;
    title->font.weight = 700;
    title->topBorder.on = title->leftBorder.on = title->rightBorder.on = 0;
    const QStringList heads{QStringLiteral("序号"), QStringLiteral("日期"),
                            QStringLiteral("摘要"), QStringLiteral("金额")};
    const QStringList detail{QStringLiteral("<序号>"), QStringLiteral("#D.DATE"),
                             QStringLiteral("#D.SUMMARY"), QStringLiteral("#D.AMOUNT")};
    for (int c = 0; c < 4; ++c) {
        doc.cellAt(1, c)->text = heads[c];
        doc.cellAt(1, c)->hAlign = 1;
        doc.cellAt(1, c)->backColor = 0xE0F0E0;
        doc.cellAt(2, c)->text = detail[c];
    }
    doc.cellAt(2, 3)->hAlign = 2;
    doc.cellAt(2, 3)->displayFormat = QStringLiteral("#,##0.00");
    doc.cellAt(3, 0)->text = QStringLiteral("本页合计");
    doc.cellAt(3, 2)->text = QStringLiteral("`SUMPAGE(4)");
    doc.cellAt(3, 2)->displayFormat = QStringLiteral("大写金额");
    doc.cellAt(3, 3)->text = QStringLiteral("`SUMPAGE(4)");
    doc.cellAt(3, 3)->displayFormat = QStringLiteral("#,##0.00");
    doc.cellAt(3, 3)->hAlign = 2;
    doc.cellAt(4, 0)->text = QStringLiteral("`PAGENUM/");
    doc.cellAt(4, 0)->diagonals = kDiagTopLeftToBottomRight;
    doc.cellAt(4, 3)->text = QStringLiteral("`单位名称");
    doc.layout();
    SaveReportFile(doc, fileName);
    return fileName;
}

TMemoryDataSet *Journal(int rows, QObject *parent)
{
    auto *data = new TMemoryDataSet({{QStringLiteral("DATE"), FieldKind::Text},
                                     {QStringLiteral("SUMMARY"), FieldKind::Text},
                                     {QStringLiteral("AMOUNT"), FieldKind::Number}},
                                    {}, parent);
    for (int i = 0; i < rows; ++i)
        data->AppendRow({QStringLiteral("2026-03-%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                         QStringLiteral("收到货款第%1笔").arg(i + 1), 100.5 * (i + 1)});
    return data;
}

void Shot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("ORB_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + name);
}

QToolButton *Button(QWidget *form, const char *name)
{
    return form->findChild<QToolButton *>(QLatin1String(name));
}

} // namespace

class TestReportWidgets : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    std::unique_ptr<TReportRunTime> journalRunTime(int rows, const QString &file)
    {
        auto rt = std::make_unique<TReportRunTime>();
        [&] { QVERIFY(rt->SetReportFile(SaveJournalTemplate(file))); }();
        rt->RegisterDataSet(QStringLiteral("D"), Journal(rows, rt.get()));
        rt->SetVariable(QStringLiteral("单位名称"), QStringLiteral("天和商贸有限公司"));
        return rt;
    }

private slots:
    void previewPaging()
    {
        auto rt = journalRunTime(150, m_dir.filePath(QStringLiteral("journal")));
        QVERIFY(rt->BuildPages());
        const int count = rt->PageCount();
        QVERIFY(count >= 3);
        TPreviewForm form(rt.get());
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("打印预览"));
        QCOMPARE(form.statusText(), QStringLiteral("第1／%1页").arg(count));
        QVERIFY(!Button(&form, "FirstPageButton")->isEnabled());
        QVERIFY(!Button(&form, "PriorPageButton")->isEnabled());
        Button(&form, "NextPageButton")->click();
        QCOMPARE(form.statusText(), QStringLiteral("第2／%1页").arg(count));
        QVERIFY(Button(&form, "PriorPageButton")->isEnabled());
        Button(&form, "LastPageButton")->click();
        QCOMPARE(form.currentPage(), count);
        QVERIFY(!Button(&form, "NextPageButton")->isEnabled());
        QVERIFY(!Button(&form, "LastPageButton")->isEnabled());
        QVERIFY(!form.control()->CreportEdit());
        QVERIFY(form.control()->document().cellAt(0, 0));

        form.resize(1000, 800);
        Button(&form, "BestFitButton")->click();
        QCOMPARE(form.zoom(), qMin(100, qMin((1000 - 170) * 100 / 758, (800 - 110) * 100 / 1037)));
        const int fit = form.zoom();
        Button(&form, "ZoomInButton")->click();
        QCOMPARE(form.zoom(), fit + 10);
        Button(&form, "ZoomOutButton")->click();
        Button(&form, "ZoomOutButton")->click();
        QCOMPARE(form.zoom(), fit - 10);
        Button(&form, "FirstPageButton")->click();
        Button(&form, "BestFitButton")->click();
        Shot(&form, QStringLiteral("preview.png"));
    }

    // "确定" writes the margins and the paper back into the template file and
    // the preview rebuilds its pages from it; "取消" changes nothing.
    void printSettingsWriteTheTemplate()
    {
        const QString file = m_dir.filePath(QStringLiteral("margins"));
        auto rt = journalRunTime(40, file);
        QVERIFY(rt->BuildPages());
        TPreviewForm form(rt.get());
        QFile before(file);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray original = before.readAll();
        before.close();
        {
            ScopedDialogHandler handler([](QDialog *) { return int(QDialog::Rejected); });
            Button(&form, "PrintSetupButton")->click();
        }
        QFile same(file);
        QVERIFY(same.open(QIODevice::ReadOnly));
        QCOMPARE(same.readAll(), original);
        {
            ScopedDialogHandler handler([](QDialog *dialog) -> int {
                if (dialog->objectName() != QLatin1String("MarginForm"))
                    return int(QDialog::Rejected);
                Shot(dialog, QStringLiteral("margins.png"));
                if (dialog->windowTitle() != QStringLiteral("报表属性设置"))
                    return QDialog::Rejected;
                dialog->findChild<QSpinBox *>(QStringLiteral("LeftMarginEdit"))->setValue(30);
                dialog->findChild<QSpinBox *>(QStringLiteral("TopMarginEdit"))->setValue(40);
                dialog->accept();
                return dialog->result();
            });
            Button(&form, "PrintSetupButton")->click();
        }
        TReportDocument saved;
        QCOMPARE(LoadReportFile(saved, file), StreamResult::Ok);
        QCOMPARE(saved.header.leftMarginMm, 30);
        QCOMPARE(saved.header.leftMargin, qRound(30 * kMmToPixelsX));
        QCOMPARE(saved.header.topMargin, qRound(40 * kMmToPixelsY));
        QCOMPARE(saved.header.pageWidth, 758);
        QCOMPARE(saved.header.paperSize, 9);
        QCOMPARE(form.currentPage(), 1);
        QCOMPARE(form.control()->document().header.leftMargin, saved.header.leftMargin);
    }

    void inPlaceEditing()
    {
        TReportControl control;
        control.document().header.pageWidth = 300 + 77 + 38;
        control.NewTable(3, 2);
        control.show();
        const TReportCell *cell = control.document().cellAt(1, 1);
        const QPoint inside((cell->cellRect.left + cell->cellRect.right) / 2,
                            (cell->cellRect.top + cell->cellRect.bottom) / 2);
        QTest::mouseDClick(&control, Qt::LeftButton, {}, inside);
        auto *editor = control.findChild<QPlainTextEdit *>(QStringLiteral("CellEditor"));
        QVERIFY(editor);
        editor->setPlainText(QStringLiteral("收款\n单位"));
        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!control.isEditingText());
        QCOMPARE(cell->text, QStringLiteral("收款\r\n单位"));
        editor = nullptr;
        QTest::mouseDClick(&control, Qt::LeftButton, {}, inside);
        editor = control.findChild<QPlainTextEdit *>(QStringLiteral("CellEditor"));
        QVERIFY(editor);
        editor->setPlainText(QString(3100, QLatin1Char('x')));
        QCOMPARE(editor->toPlainText().size(), 3000);
        editor->setPlainText(QString(1600, QChar(0x6C49)));   // 汉: two bytes each
        QCOMPARE(editor->toPlainText().size(), 1500);
        control.commitEditor();
        QCOMPARE(cell->text, QString(1500, QChar(0x6C49)));
    }

    void dragEdgesAndRubberBand()
    {
        TReportControl control;
        control.document().header.pageWidth = 300 + 77 + 38;
        control.NewTable(3, 3);
        control.show();
        TReportDocument &doc = control.document();
        TReportCell *first = doc.cellAt(0, 0);
        const int y = (first->cellRect.top + first->cellRect.bottom) / 2;
        QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(first->cellRect.right - 1, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(first->cellRect.right + 40, y),
                         QPointF(control.mapToGlobal(QPoint(first->cellRect.right + 40, y))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&control, &move);
        QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(first->cellRect.right, y));
        QCOMPARE(first->width, 140);
        QCOMPARE(doc.cellAt(0, 1)->left, first->left + 140);

        TReportLine *line = doc.lines[1];
        const int bottom = line->top + line->height();
        QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(first->left + 50, bottom - 1));
        QMouseEvent down(QEvent::MouseMove, QPointF(first->left + 50, line->top + 60),
                         QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&control, &down);
        QTest::mouseRelease(&control, Qt::LeftButton);
        QCOMPARE(line->userHeight, 60);

        const TReportCell *from = doc.cellAt(0, 1);
        const TReportCell *to = doc.cellAt(2, 2);
        QTest::mousePress(&control, Qt::LeftButton, {},
                          QPoint(from->left + 5, from->cellRect.top + 5));
        QMouseEvent span(QEvent::MouseMove,
                         QPointF(to->cellRect.right - 5, to->cellRect.top + 5), QPointF(),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&control, &span);
        QTest::mouseRelease(&control, Qt::LeftButton);
        QCOMPARE(doc.selection.size(), 6);
        QVERIFY(!doc.selection.contains(doc.cellAt(1, 0)));
        QTest::mouseClick(&control, Qt::LeftButton, Qt::ShiftModifier,
                          QPoint(first->left + 5, first->cellRect.top + 5));
        QCOMPARE(doc.selection.size(), 7);
        control.SetZoom(50);
        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(control.zoom(), 100);
        QCOMPARE(doc.selection.size(), 7);   // that click only reset the zoom
        Shot(&control, QStringLiteral("control.png"));
    }

    void keyboard()
    {
        TReportControl control;
        control.document().header.pageWidth = 300 + 77 + 38;
        control.NewTable(3, 3);
        TReportDocument &doc = control.document();
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 0), true);
        doc.CombineCells();
        doc.cellAt(1, 2)->text = QStringLiteral("甲");
        doc.select(doc.cellAt(0, 1));
        QTest::keyClick(&control, Qt::Key_Down);
        QCOMPARE(doc.selection, QList<TReportCell *>{doc.cellAt(1, 1)});
        QTest::keyClick(&control, Qt::Key_Left);   // the merged block's owner
        QCOMPARE(doc.selection, QList<TReportCell *>{doc.cellAt(0, 0)});
        doc.select(doc.cellAt(1, 1));
        QTest::keyClick(&control, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(doc.selection, (QList<TReportCell *>{doc.cellAt(1, 1), doc.cellAt(1, 2)}));
        QTest::keyClick(&control, Qt::Key_Delete);
        QCOMPARE(doc.cellAt(1, 2)->text, QString());
        doc.select(doc.cellAt(2, 2));
        QTest::keyClick(&control, Qt::Key_F2);
        QVERIFY(control.isEditingText());
        control.commitEditor();
    }

    void loadRefusesDamagedFiles()
    {
        RecordingMessageSink sink;
        TReportControl control;
        control.NewTable(2, 2);
        QVERIFY(!control.LoadFromStream(QByteArray::fromHex("57AA0100")));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("格式不正确")});
        QVERIFY(control.document().lines.isEmpty());
    }
};

QTEST_MAIN(TestReportWidgets)
#include "tst_ReportWidgets.moc"

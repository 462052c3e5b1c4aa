#include "report/MarginForm.h"

#include "report/ReportPaper.h"
#include "report/ReportStream.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Orb {

namespace {

QSpinBox *MarginBox(const QString &name, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, 200);
    box->setValue(value);
    return box;
}

} // namespace

TMarginForm::TMarginForm(const QString &templateFile, QWidget *parent)
    : QDialog(parent), m_file(templateFile), m_printer(std::make_unique<QPrinter>())
{
    setObjectName(QStringLiteral("MarginForm"));
    setWindowTitle(QStringLiteral("报表属性设置"));
    m_loaded = LoadReportFile(m_doc, templateFile) == StreamResult::Ok;
    if (!m_loaded)
        ShowWarning(QStringLiteral("格式不正确"));
    ApplyPaperSettings(*m_printer, m_doc.header);
    const ReportHeader &h = m_doc.header;
    m_left = MarginBox(QStringLiteral("LeftMarginEdit"), h.leftMarginMm);
    m_top = MarginBox(QStringLiteral("TopMarginEdit"), h.topMarginMm);
    m_right = MarginBox(QStringLiteral("RightMarginEdit"), h.rightMarginMm);
    m_bottom = MarginBox(QStringLiteral("BottomMarginEdit"), h.bottomMarginMm);
    auto *form = new QFormLayout;
    form->addRow(new QLabel(QStringLiteral("单位:毫米")));
    form->addRow(QStringLiteral("左边距:"), m_left);
    form->addRow(QStringLiteral("上边距:"), m_top);
    form->addRow(QStringLiteral("右边距:"), m_right);
    form->addRow(QStringLiteral("下边距:"), m_bottom);
    auto *paperRow = new QHBoxLayout;
    m_paper = new QLabel;
    m_paper->setObjectName(QStringLiteral("PaperLabel"));
    auto *setup = new QPushButton(QStringLiteral("Setup"));
    setup->setObjectName(QStringLiteral("SetupButton"));
    paperRow->addWidget(m_paper, 1);
    paperRow->addWidget(setup);
    form->addRow(QStringLiteral("打印纸:"), paperRow);
    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setEnabled(m_loaded);
    QPushButton *cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TMarginForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(setup, &QPushButton::clicked, this, &TMarginForm::setupPaper);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    showPaper();
}

TMarginForm::~TMarginForm() = default;

void TMarginForm::showPaper()
{
    const QPageLayout page = m_printer->pageLayout();
    m_paper->setText(page.pageSize().name()
                     + (page.orientation() == QPageLayout::Landscape ? QStringLiteral(" 横向")
                                                                     : QStringLiteral(" 纵向")));
}

void TMarginForm::setupPaper()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    RunModal(&dialog);
    showPaper();
}

void TMarginForm::accept()
{
    if (!m_loaded)
        return;
    int width = 0, height = 0;
    PageSizeFromPrinter(*m_printer, width, height);
    ReadPaperSettings(*m_printer, m_doc.header);
    m_doc.header.pageWidth = width;
    m_doc.header.pageHeight = height;
    m_doc.setMarginsMm(m_left->value(), m_top->value(), m_right->value(), m_bottom->value());
    if (!SaveReportFile(m_doc, m_file)) {
        ShowWarning(QStringLiteral("无法保存报表模板：") + m_file);
        return;
    }
    QDialog::accept();
}

} // namespace Orb

#include "report/PreviewForm.h"

#include "report/MarginForm.h"
#include "report/ReportControl.h"
#include "report/ReportRunTime.h"

#include "data/DialogRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Orb {

TPreviewForm::TPreviewForm(TReportRunTime *runTime, QWidget *parent)
    : QDialog(parent), m_runTime(runTime)
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("打印预览"));
    resize(900, 700);
    auto *bar = new QHBoxLayout;
    m_first = button(QStringLiteral("FirstPageButton"), QStringLiteral("首页"));
    m_prior = button(QStringLiteral("PriorPageButton"), QStringLiteral("上页"));
    m_next = button(QStringLiteral("NextPageButton"), QStringLiteral("下页"));
    m_last = button(QStringLiteral("LastPageButton"), QStringLiteral("末页"));
    QToolButton *in = button(QStringLiteral("ZoomInButton"), QStringLiteral("放大"));
    QToolButton *out = button(QStringLiteral("ZoomOutButton"), QStringLiteral("缩小"));
    QToolButton *fit = button(QStringLiteral("BestFitButton"), QStringLiteral("适合窗口"));
    QToolButton *settings = button(QStringLiteral("PrintSetupButton"), QStringLiteral("打印设置"));
    QToolButton *print = button(QStringLiteral("PrintButton"), QStringLiteral("打印"));
    m_stop = button(QStringLiteral("StopButton"), QStringLiteral("停止打印"));
    m_stop->setEnabled(false);
    QToolButton *close = button(QStringLiteral("CloseButton"), QStringLiteral("关闭"));
    for (QToolButton *b : {m_first, m_prior, m_next, m_last, in, out, fit, settings, print,
                           m_stop, close})
        bar->addWidget(b);
    bar->addStretch();
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    bar->addWidget(m_status);
    connect(m_first, &QToolButton::clicked, this, &TPreviewForm::firstPage);
    connect(m_prior, &QToolButton::clicked, this, &TPreviewForm::priorPage);
    connect(m_next, &QToolButton::clicked, this, &TPreviewForm::nextPage);
    connect(m_last, &QToolButton::clicked, this, &TPreviewForm::lastPage);
    connect(in, &QToolButton::clicked, this, &TPreviewForm::zoomIn);
    connect(out, &QToolButton::clicked, this, &TPreviewForm::zoomOut);
    connect(fit, &QToolButton::clicked, this, &TPreviewForm::bestFit);
    connect(settings, &QToolButton::clicked, this, &TPreviewForm::printSettings);
    connect(print, &QToolButton::clicked, this, &TPreviewForm::print);
    connect(close, &QToolButton::clicked, this, &QDialog::reject);

    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("PageScrollBox"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_canvas = new QWidget;
    m_control = new TReportControl(m_canvas);
    m_control->setObjectName(QStringLiteral("ReportControl1"));
    m_control->SetCreportEdit(false);
    m_scroll->setWidget(m_canvas);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    showPage(1);
}

QToolButton *TPreviewForm::button(const QString &name, const QString &text)
{
    auto *b = new QToolButton;
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

int TPreviewForm::zoom() const
{
    return m_control->zoom();
}

QString TPreviewForm::statusText() const
{
    return m_status->text();
}

void TPreviewForm::showPage(int page)
{
    const int count = int(m_runTime->Pages().size());
    if (count == 0) {
        m_page = 0;
        m_control->Clear();
    } else {
        m_page = qBound(1, page, count);
        const int zoom = m_control->zoom();
        m_control->LoadFromStream(m_runTime->Pages()[m_page - 1]);
        m_control->SetZoom(zoom);
    }
    m_status->setText(QStringLiteral("第%1／%2页").arg(m_page).arg(m_runTime->PageCount()));
    updateButtons();
    placePage();
}

void TPreviewForm::lastPage()
{
    showPage(int(m_runTime->Pages().size()));
}

void TPreviewForm::updateButtons()
{
    const int count = int(m_runTime->Pages().size());
    m_first->setEnabled(m_page > 1);
    m_prior->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < count);
    m_last->setEnabled(m_page < count);
}

void TPreviewForm::setZoom(int percent)
{
    m_control->SetZoom(percent);
    placePage();
}

void TPreviewForm::zoomIn()
{
    setZoom(m_control->zoom() + 10);
}

void TPreviewForm::zoomOut()
{
    setZoom(qMax(10, m_control->zoom() - 10));
}

void TPreviewForm::bestFit()
{
    const auto &h = m_control->document().header;
    const int byWidth = (width() - 170) * 100 / qMax(1, int(h.pageWidth));
    const int byHeight = (height() - 110) * 100 / qMax(1, int(h.pageHeight));
    setZoom(qBound(10, qMin(byWidth, byHeight), 100));
}

// The page is centred, or starts 23 pixels in when it is wider than the window.
void TPreviewForm::placePage()
{
    const QSize view = m_scroll->viewport()->size();
    const QSize page = m_control->size();
    const int left = page.width() > view.width() ? 23 : (view.width() - page.width()) / 2;
    const int top = page.height() > view.height() ? 23 : (view.height() - page.height()) / 2;
    m_canvas->resize(qMax(view.width(), page.width() + 46),
                     qMax(view.height(), page.height() + 46));
    m_control->move(left, top);
}

void TPreviewForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePage();
}

void TPreviewForm::printSettings()
{
    TMarginForm form(m_runTime->ReportFile(), this);
    if (RunModal(&form) == QDialog::Accepted) {
        m_runTime->SetReportFile(m_runTime->ReportFile());
        m_runTime->BuildPages();
        showPage(1);
    }
    bestFit();
}

void TPreviewForm::print()
{
    m_stop->setEnabled(true);
    m_runTime->RunPrint(true, this);
    m_stop->setEnabled(false);
    showPage(m_page);
}

} // namespace Orb

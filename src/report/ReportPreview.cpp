// The run-time's preview: pages built behind a short message window, then
// shown in the preview window; the pages are freed when it closes.

#include "report/ReportRunTime.h"

#include "report/PreviewForm.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace Orb {

void TReportRunTime::RunPreview(QWidget *parent)
{
    RunSetData();
    DisableControls();
    bool built = false;
    {
        QDialog message(parent);
        message.setObjectName(QStringLiteral("REPmessform"));
        message.setWindowTitle(QStringLiteral("提示"));
        auto *layout = new QVBoxLayout(&message);
        layout->addWidget(new QLabel(QStringLiteral("正在形成报表，请稍候……")));
        message.show();
        QCoreApplication::processEvents();
        try {
            built = BuildPages();
        } catch (const std::exception &) {
            ClearPages();
            ShowWarning(QStringLiteral("形成报表时发生错误，请检查各项参数与模板设置等是否正确"));
        }
    }
    if (built) {
        TPreviewForm form(this, parent);
        RunModal(&form);
    }
    ClearPages();
    EnableControls();
}

} // namespace Orb

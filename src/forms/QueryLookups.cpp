#include "forms/QueryLookups.h"

#include "components/OrbNDBGrid.h"
#include "components/OrbQueryUnit.h"
#include "data/Messages.h"
#include "data/OrbThread.h"
#include "data/ThreadForm.h"

#include <QApplication>
#include <QCursor>

namespace Orb {

namespace {

// The hourglass and the progress window for as long as the find runs, also
// when it fails.
class FindProgress {
public:
    FindProgress()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_thread.Caption = QStringLiteral("正在读取数据，请稍候.....");
        m_thread.Kind = crFind;
        m_thread.Start();
    }
    ~FindProgress()
    {
        m_thread.Stop();
        QApplication::restoreOverrideCursor();
    }

private:
    TOrbThread m_thread;
};

} // namespace

void RunFindQuery(TOrbQuery *query, const QString &sql)
{
    qint64 found = 0;
    {
        FindProgress progress;
        query->CloseQuery();
        query->SQL = sql;
        query->OpenQuery();
        found = query->TotalRecordCount();
    }
    if (found > 0)
        ShowWarning(QStringLiteral("共找到 ") + QString::number(found)
                    + QStringLiteral(" 个符合条件的纪录"));
    else
        ShowWarning(QStringLiteral("没有找到符合条件的纪录"));
}

void GridFooterValue(const TOrbNDBGrid *grid, const QString &fieldName, QString &text)
{
    text = grid ? grid->FooterText(fieldName) : QString();
}

} // namespace Orb

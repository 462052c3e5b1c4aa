#include "data/RunTime.h"

namespace Orb {

QString DataBaseDir;
QString ProgramDir;
QString TempDir;
QString WorkDate;
TSqlType AppSqlType = urStandard;
QString CompanyTitle;
QString LogonUserID;
QString LogonUserName;
bool LogonSysUser = false;
QString ImeName;
QString EmployeeIDCaption;
QString EmployeeNameCaption;
bool FinanceFormat = true;
int NumberingMode = 1;

namespace {
QDateTime g_fixedNow;
}

QDateTime Now()
{
    return g_fixedNow.isValid() ? g_fixedNow : QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

bool ClockIsFixed()
{
    return g_fixedNow.isValid();
}

void SetFixedNow(const QDateTime &now)
{
    g_fixedNow = now;
}

} // namespace Orb

#include "app/Startup.h"

#include "data/OrbFun.h"
#include "data/Settings.h"

#include <QDir>

namespace Orb {

void DeriveDirectories(const QString &dataBaseDir)
{
    QString dir = QDir::cleanPath(QDir(dataBaseDir).absolutePath());
    DataBaseDir = dir;
    TempDir = GetTempDir();
    const int slash = dir.lastIndexOf(QLatin1Char('/'));
    ProgramDir = slash > 0 ? dir.left(slash) : QStringLiteral("/");
}

void ReadStartupValues()
{
    CompanyTitle = GetSqlText(
        QStringLiteral("SELECT COMPANY_NAME FROM  SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"));
    FinanceFormat = !IsSettingOn(QStringLiteral("非财务格式"));
    EmployeeIDCaption = GetSqlText(QStringLiteral(
        "SELECT FIELD_DISPLAY_NAME FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = 'EMPLOYEE_ID'"));
    if (EmployeeIDCaption.isEmpty())
        EmployeeIDCaption = QStringLiteral("员工编号");
    EmployeeNameCaption = GetSqlText(QStringLiteral(
        "SELECT FIELD_DISPLAY_NAME FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = 'EMPLOYEE_NAME'"));
    if (EmployeeNameCaption.isEmpty())
        EmployeeNameCaption = QStringLiteral("员工姓名");
}

int CountSystemUsers()
{
    return qRound(GetSqlNumber(
        QStringLiteral("SELECT  Count(USE_ID) from SYS_USER_TABLE WHERE  SYS_USER ='是'")));
}

void InitAfterConnect(const QString &dataBaseDir)
{
    DeriveDirectories(dataBaseDir);
    CleanTableFiles(ProgramDir);
    RefreshWorkDate();
    ReadStartupValues();
}

} // namespace Orb

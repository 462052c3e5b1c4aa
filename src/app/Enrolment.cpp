#include "app/Enrolment.h"

#include "data/Database.h"
#include "data/OrbFun.h"
#include "data/Schema.h"
#include "data/Settings.h"
#include "rights/PasswordHash.h"

namespace Orb {

namespace {

QString Q(const QString &text)
{
    return QuotedStr(text.trimmed());
}

} // namespace

QString EnrolCompany(const EnrolmentInput &in)
{
    const QString today = DateLiteral(Today());
    bool ok = false;
    try {
        const bool exists = GetSqlNumber(QStringLiteral(
                                "SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"))
                            > 0;
        if (exists)
            ok = ExecSql(QStringLiteral("UPDATE SYS_COMPANY_TABLE SET PRIOR_ID = 'G002',ORDER_ID = 1,"
                                        "COMPANY_NAME = %1,COMPANY_POSTCODE = %2,COMPANY_FAX = %3,"
                                        "COMPANY_PHONE = %4,COMPANY_ADDRESS = %5,CREATE_NAME = %6,"
                                        "CREATE_DATE = %7  WHERE COMPANY_ID = 'G001'")
                             .arg(Q(in.companyName), Q(in.postcode), Q(in.fax), Q(in.phone),
                                  Q(in.address), Q(in.userName), today));
        else
            ok = ExecSql(QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(ORDER_ID,PRIOR_ID,COMPANY_ID,"
                                        "COMPANY_NAME,COMPANY_POSTCODE,COMPANY_FAX,COMPANY_PHONE,"
                                        "COMPANY_ADDRESS,CREATE_NAME,CREATE_DATE) "
                                        "VALUES(1,'G002','G001',%1,%2,%3,%4,%5,%6,%7)")
                             .arg(Q(in.companyName), Q(in.postcode), Q(in.fax), Q(in.phone),
                                  Q(in.address), Q(in.userName), today));
    } catch (const std::exception &) {
        ok = false;
    }
    return ok ? QString() : QStringLiteral("企业名称注册错误");
}

QString EnrolUser(const EnrolmentInput &in)
{
    const QString hash = HashPassword(in.password.trimmed());
    if (hash.isEmpty())
        return QStringLiteral("用户注册错误");
    ExecSql(QStringLiteral("DELETE  FROM SYS_USER_TABLE WHERE USE_ID = ") + Q(in.userId));
    const bool ok = ExecSql(
        QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,"
                       "STOP_RIGHT,CREATE_NAME,CREATE_DATE) VALUES(%1,%2,%3,'是','有效',%4,%5)")
            .arg(QuotedStr(hash), Q(in.userId), Q(in.userName), Q(in.userName),
                 DateLiteral(QDate::fromString(WorkDate, kShortDateFormat).isValid()
                                 ? QDate::fromString(WorkDate, kShortDateFormat)
                                 : Today())));
    return ok ? QString() : QStringLiteral("用户注册错误");
}

void EnrolLogon(const EnrolmentInput &in)
{
    LogonSysUser = true;
    LogonUserName = in.userName.trimmed();
    LogonUserID = in.userId.trimmed();
    ImeName = in.imeName;
    CompanyTitle = in.companyName.trimmed();
    WriteRegistryText(QStringLiteral("OrbCashierImes"), in.imeName);
}

bool EnrolRights(const QString &userId)
{
    if (!ExecSql(QStringLiteral("DELETE FROM SYS_RIGHT_TABLE")))
        return false;
    for (const ProgramDef &p : ShippedPrograms())
        ExecSql(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,"
                               "EDIT_RIGHT,DElETE_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,"
                               "CURRENCY_RIGHT)VALUES(%1,%2,%3,'是','是','是','是','是','是','是')")
                    .arg(Q(userId))
                    .arg(p.composeId)
                    .arg(p.programId));
    return true;
}

QString EnrolPrintTemplates()
{
    static const char *const rows[][3] = {
        {"200700000007", "MoneyIntoOutForm", "资金借贷记录报表"},
        {"200700000008", "IntoOutMoneyAccountForm1", "资金账号日台账"},
        {"200700000009", "IntoOutMoneyAccountForm2", "资金账号月台账"},
        {"200700000019", "MoneyIntoOutQueryForm", "资金借贷数据统计报表"},
        {"200700000010", "EmployeeFormMaster", "员工资料"},
    };
    try {
        Transaction t;
        for (const auto &r : rows) {
            const QString id = QString::fromUtf8(r[0]);
            if (GetSqlNumber(QStringLiteral("SELECT COUNT(PRINT_ID) FROM SYS_PRINT_NAME_TABLE "
                                            "WHERE PRINT_ID = ")
                             + QuotedStr(id))
                > 0)
                continue;   // a second enrolment keeps the rows it finds
            ExecSqlOrThrow(QStringLiteral("INSERT INTO SYS_PRINT_NAME_TABLE(PRINT_ID,PRINT_INDEX,"
                                          "PRINT_NAME,PRINT_TYPE) VALUES(%1,%2,%3,'M')")
                               .arg(QuotedStr(id), QuotedStr(QString::fromUtf8(r[1])),
                                    QuotedStr(QString::fromUtf8(r[2]))));
        }
        t.commit();
    } catch (const std::exception &) {
        return QStringLiteral("报表建立过程发生错误");
    }
    return QString();
}

QString Enrol(const EnrolmentInput &in)
{
    QString failure = EnrolCompany(in);
    if (failure.isEmpty())
        failure = EnrolUser(in);
    if (!failure.isEmpty())
        return failure;
    EnrolLogon(in);
    EnrolRights(in.userId.trimmed());
    return EnrolPrintTemplates();
}

} // namespace Orb

#include "forms/PickerRules.h"

#include "data/Gbk.h"

#include <cmath>

namespace Orb {

namespace {

const char kYearFormat[] = "错误的年份,正确的年份如2000年是:\"2000\"";

PickerCheck Refuse(PickerCheck::Focus focus, const char *message)
{
    return PickerCheck{focus, QString::fromUtf8(message)};
}

// Nearest whole number, halves to the even one.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

PickerCheck CheckYearMonth(const QString &year, const QString &month)
{
    if (year.isEmpty())
        return Refuse(PickerCheck::Year, "必须有一个年份");
    if (year.size() != 4)
        return Refuse(PickerCheck::Year, kYearFormat);
    if (month.isEmpty())
        return Refuse(PickerCheck::Month, "必须输入月份");
    if (month.size() != 2)
        return Refuse(PickerCheck::Month, "月份必须是2位数，如2月应为：02 ");
    const int m = month.toInt();
    if (m > 12)
        return Refuse(PickerCheck::Month, "月份不能大于12");
    if (m < 1)
        return Refuse(PickerCheck::Month, "月份不能小于1");
    return {};
}

PickerCheck CheckDeleteYear(const QString &year)
{
    if (year.isEmpty())
        return Refuse(PickerCheck::Year, "必须输入删除数据的年份");
    if (year.size() != 4)
        return Refuse(PickerCheck::Year, kYearFormat);
    return {};
}

bool SplitInitMonth(const QString &initMonth, QString *year, QString *month)
{
    // The positions count GBK bytes: "2006年03月" is 10 of them.
    year->clear();
    month->clear();
    const QByteArray gbk = ToGbk(initMonth);
    if (gbk.size() != 10)
        return false;
    bool yearOk = false, monthOk = false;
    gbk.mid(0, 4).toInt(&yearOk);
    gbk.mid(6, 2).toInt(&monthOk);
    if (!yearOk || !monthOk)
        return false;
    *year = QString::fromLatin1(gbk.mid(0, 4));
    *month = QString::fromLatin1(gbk.mid(6, 2));
    return true;
}

QList<int> SelectFormWidths(const QList<int> &widths)
{
    QList<int> out = widths;
    if (widths.isEmpty())
        return out;
    const double n = widths.size();
    int sum = 0;
    for (int w : widths)
        sum += w;
    if (sum <= 101) {
        const int grow = RoundEven((102 - sum) / n - 1);
        for (int &w : out)
            w += grow;
        return out;
    }
    const int a = RoundEven((sum - 102) / n - 1);
    if (a <= 0)     // a step of zero or less would keep or even widen the columns
        return out;
    for (int &w : out) {
        if (w > 10 * a)
            w -= 4 * a;
        else if (w > 8 * a)
            w -= 3 * a;
        else if (w > 6 * a)
            w -= 2 * a;
        else if (w > 3 * a)
            w -= a;
    }
    return out;
}

} // namespace Orb

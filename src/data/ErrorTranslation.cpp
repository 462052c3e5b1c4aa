#include "data/ErrorTranslation.h"

#include "data/DbError.h"
#include "data/Messages.h"

namespace Orb {

namespace {

struct Translated {
    int code, category, subCode;
    const char *message;
};

// Tested in this order; the first match wins.
const Translated kTable[] = {
    {9734, 38, 6, "其它的数据库表中存在对该纪录的引用,纪录不能删除"},
    {10770, 42, 18, "数据库打开过程发生错误"},
    {9729, 38, 1, "数据库主键重复"},
    {10763, 42, 11, "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据"},
    {10029, 39, 45, "数据太大,不能保存数据"},
    {10243, 40, 3, "有未关闭的数据表"},
};

bool g_reported = false;

void Report(const QString &text)
{
    if (!g_reported)
        ShowError(text);
    g_reported = false;
}

void TranslateEngineError(const EDBEngineError &e)
{
    QString detail = QStringLiteral("ErrorCode:");
    QString subMessage;
    if (!e.errors().isEmpty()) {
        const DbErrorItem &first = e.errors().first();
        subMessage = first.message;
        detail += QStringLiteral(" (%1,%2,%3,%4)")
                      .arg(first.errorCode)
                      .arg(first.category)
                      .arg(first.subCode)
                      .arg(first.nativeError)
                  + first.message + QLatin1Char('\r');
        bool matched = false;
        for (const auto &row : kTable) {
            if (first.errorCode == row.code && first.category == row.category
                && first.subCode == row.subCode && first.nativeError == 0) {
                ShowWarning(QString::fromUtf8(row.message));
                g_reported = true;
                matched = true;
                break;
            }
        }
        if (!matched)
            ShowWarning(QStringLiteral("数据库操作错误"));
    } else {
        ShowWarning(QStringLiteral("数据库操作错误"));
    }
    Report(QStringLiteral("EDBEngineError:") + detail + QLatin1Char('\t') + subMessage);
}

void TranslateConvertError(const EConvertError &e)
{
    const QString message = e.message();
    if (message.contains(QLatin1String("is not a valid date")))
        ShowWarning(QStringLiteral("请按格式YYYY%1MM%1DD 输入日期").arg(QLatin1Char('-')));
    else if (message.contains(QLatin1String("Format '%d' invalid or incompatible with argument")))
        ShowWarning(QStringLiteral("指定的格式与参数类型不匹配!"));
    else
        ShowWarning(message);
    g_reported = true;
    Report(QString());
}

} // namespace

void TranslateException(QObject *, const std::exception &error)
{
    g_reported = false;
    if (const auto *e = dynamic_cast<const EDBEngineError *>(&error))
        TranslateEngineError(*e);
    else if (const auto *e = dynamic_cast<const EDatabaseError *>(&error))
        Report(QStringLiteral("EDatabaseError:") + e->message());
    else if (const auto *e = dynamic_cast<const EConvertError *>(&error))
        TranslateConvertError(*e);
    else if (const auto *e = dynamic_cast<const ERangeError *>(&error))
        Report(QStringLiteral("ERangeError:") + e->message());
    else if (dynamic_cast<const EAbort *>(&error))
        return;
    else
        Report(QStringLiteral("Exception:") + QString::fromUtf8(error.what()));
}

void TranslateUnknownException(QObject *)
{
    g_reported = false;
    Report(QStringLiteral("Exception:未知错误"));
}

} // namespace Orb

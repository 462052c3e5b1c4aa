#include "data/CapitalAmount.h"

#include "data/Messages.h"
#include "data/OrbFun.h"

namespace Orb {

namespace {

const QString kDigits[] = {
    QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("贰"), QStringLiteral("叁"),
    QStringLiteral("肆"), QStringLiteral("伍"), QStringLiteral("陆"), QStringLiteral("柒"),
    QStringLiteral("捌"), QStringLiteral("玖")};

QString D(QChar c)
{
    const int v = c.digitValue();
    return (v >= 0 && v <= 9) ? kDigits[v] : QString();
}

} // namespace

// Digits from the highest; each non-zero digit carries its unit, a run of
// zeros inside the group reads as one 零, and trailing zeros read as nothing.
// A group that begins with zeros reads 零 first (a lower group of a number).
QString GroupWords(const QString &digits)
{
    static const QString units[] = {QString(), QStringLiteral("拾"), QStringLiteral("佰"),
                                    QStringLiteral("仟")};
    const int n = digits.size();
    if (n < 1 || n > 4)
        return QString();
    bool allZero = true;
    for (QChar c : digits)
        allZero = allZero && c == QLatin1Char('0');
    if (allZero)
        return (n == 2 || n == 3) ? QStringLiteral("零") : QString();

    QString out;
    bool pendingZero = false;
    for (int i = 0; i < n; ++i) {
        const QChar c = digits[i];
        const int unit = n - 1 - i;
        if (c == QLatin1Char('0')) {
            pendingZero = true;
            continue;
        }
        if (pendingZero)
            out += QStringLiteral("零");
        pendingZero = false;
        out += D(c) + units[unit];
    }
    return out;
}

QString IntegerWords(const QString &digits)
{
    const int n = digits.size();
    if (n <= 4)
        return GroupWords(digits);
    if (n <= 8)
        return GroupWords(digits.left(n - 4)) + QStringLiteral("万") + GroupWords(digits.right(4));
    if (n <= 12) {
        QString out = GroupWords(digits.left(n - 8)) + QStringLiteral("亿");
        const QString middle = digits.mid(n - 8, 4);
        if (middle != QLatin1String("0000"))
            out += GroupWords(middle) + QStringLiteral("万");
        return out + GroupWords(digits.right(4));
    }
    ShowWarning(QStringLiteral("所处理数据超出范围!"));
    return QString();
}

QString FractionWords(const QString &fraction)
{
    if (fraction.size() > 3)
        ShowWarning(QStringLiteral("数据出错"));
    const QChar j = fraction.size() > 1 ? fraction[1] : QLatin1Char('0');
    const QChar f = fraction.size() > 2 ? fraction[2] : QLatin1Char('0');
    const bool jz = j == QLatin1Char('0');
    const bool fz = f == QLatin1Char('0');
    if (jz && fz)
        return QString();
    if (jz)
        return QStringLiteral("零") + D(f) + QStringLiteral("分");
    if (fz)
        return D(j) + QStringLiteral("角");
    return D(j) + QStringLiteral("角") + D(f) + QStringLiteral("分");
}

QString CapitalAmount(const QString &amount)
{
    QString text = amount.isEmpty() ? QStringLiteral("0") : amount;
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("负");
        text.remove(0, 1);
    }
    const QString fixed = RoundToText(2, QString(), TextToNumber(text));
    const int dot = fixed.indexOf(QLatin1Char('.'));
    const QString intDigits = dot < 0 ? fixed : fixed.left(dot);
    const QString fraction = dot < 0 ? QString() : fixed.mid(dot);

    if (intDigits.size() > 12) {
        // Out of range: the warning, and no half-built figure on the voucher.
        IntegerWords(intDigits);
        return QString();
    }
    QString words = IntegerWords(intDigits);
    if (!fraction.isEmpty() && fraction != QLatin1String(".00")) {
        words += QStringLiteral("元") + FractionWords(fraction);
    } else if (intDigits != QLatin1String("0")) {
        words += QStringLiteral("元");
    } else {
        return QString();
    }
    if (!words.contains(QStringLiteral("分")))
        words += QStringLiteral("整");
    if (words.startsWith(QStringLiteral("元")))
        words.remove(0, 1);
    return sign + words;
}

} // namespace Orb

#include "data/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Orb {

QByteArray ToGbk(const QString &text)
{
    QStringEncoder enc("GBK");
    QByteArray out = enc.encode(text);
    return out;
}

QString FromGbk(const QByteArray &bytes)
{
    QStringDecoder dec("GBK");
    QString out = dec.decode(bytes);
    return out;
}

int GbkLength(const QString &text)
{
    return ToGbk(text).size();
}

QByteArray GbkTruncate(const QByteArray &gbk, int maxBytes)
{
    if (gbk.size() <= maxBytes)
        return gbk;
    int i = 0;
    while (i < maxBytes) {
        const int step = (static_cast<unsigned char>(gbk[i]) >= 0x81) ? 2 : 1;
        if (i + step > maxBytes)
            break;
        i += step;
    }
    return gbk.left(i);
}

} // namespace Orb

#pragma once
// GBK (code page 936) conversion: stored files and byte widths count GBK bytes.

#include <QByteArray>
#include <QString>

namespace Orb {

QByteArray ToGbk(const QString &text);
QString FromGbk(const QByteArray &bytes);
// Length of the text in GBK bytes (a Chinese character counts two).
int GbkLength(const QString &text);
// The longest prefix of the GBK bytes that is at most maxBytes long and does
// not end inside a double-byte character.
QByteArray GbkTruncate(const QByteArray &gbk, int maxBytes);

} // namespace Orb

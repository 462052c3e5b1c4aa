#pragma once
// A minimal Excel worksheet record stream: BOF, CODEPAGE, LABEL, NUMBER, RK,
// BLANK and EOF. Every record is a 16-bit type, a 16-bit body length and the
// body, little-endian. Labels are GBK, cut at 255 bytes on a character edge.

#include <QtGlobal>

class QIODevice;
class QString;

namespace Orb {

inline constexpr int kBiffMaxRows = 65536;
inline constexpr int kBiffMaxLabelBytes = 255;
// RK holds an integer in 30 bits; larger values go as NUMBER.
inline constexpr qint64 kRkMin = -(qint64(1) << 29);
inline constexpr qint64 kRkMax = (qint64(1) << 29) - 1;

class TBiffWriter {
public:
    explicit TBiffWriter(QIODevice *out) : m_out(out) {}

    void Bof();
    void CodePage(quint16 codePage);
    void Label(int row, int column, const QString &text);
    void Number(int row, int column, double value);
    void Rk(int row, int column, qint32 value);
    void Blank(int row, int column);
    // An integer as RK when it fits, otherwise as NUMBER.
    void Integer(int row, int column, qint64 value);
    void Eof();

    bool Ok() const { return m_ok; }

private:
    void record(quint16 type, const QByteArray &body);
    static QByteArray cell(int row, int column);

    QIODevice *m_out;
    bool m_ok = true;
};

} // namespace Orb

#pragma once
// Reads a written worksheet record stream back, record by record.

#include "data/Gbk.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

namespace SpreadsheetTest {

// One record of the written stream: type, then row, column and payload for cells.
struct Record {
    quint16 type;
    QByteArray body;
    int row() const { return qFromLittleEndian<quint16>(body.constData()); }
    int column() const { return qFromLittleEndian<quint16>(body.constData() + 2); }
    QString label() const
    {
        const int n = qFromLittleEndian<quint16>(body.constData() + 6);
        return n == body.size() - 8 ? Orb::FromGbk(body.mid(8)) : QStringLiteral("<bad length>");
    }
    qint32 rk() const
    {
        const quint32 raw = qFromLittleEndian<quint32>(body.constData() + 6);
        return (raw & 3) == 2 ? qint32(raw) >> 2 : -999999;
    }
    double number() const { return qFromLittleEndian<double>(body.constData() + 6); }
    // "L1,2:text", "R2,0:1", "N2,3:12.5", "B3,2"
    QString describe() const
    {
        const QString at = QStringLiteral("%1,%2").arg(row()).arg(column());
        switch (type) {
        case 0x0204: return "L" + at + ":" + label();
        case 0x027E: return "R" + at + ":" + QString::number(rk());
        case 0x0203: return "N" + at + ":" + QString::number(number());
        case 0x0201: return "B" + at;
        default: return QString::number(type, 16);
        }
    }
};

inline QList<Record> ReadRecords(const QByteArray &bytes)
{
    QList<Record> records;
    int p = 0;
    while (p + 4 <= bytes.size()) {
        const quint16 type = qFromLittleEndian<quint16>(bytes.constData() + p);
        const quint16 length = qFromLittleEndian<quint16>(bytes.constData() + p + 2);
        records << Record{type, bytes.mid(p + 4, length)};
        p += 4 + length;
    }
    return records;
}

inline QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The cells of a file as "L1,2:text" and so on, without BOF, CODEPAGE and EOF.
inline QStringList Cells(const QString &path)
{
    QStringList cells;
    for (const Record &r : ReadRecords(Read(path))) {
        if (r.type != 0x0809 && r.type != 0x0042 && r.type != 0x000A)
            cells << r.describe();
    }
    return cells;
}

} // namespace SpreadsheetTest

#include "forms/BiffWriter.h"

#include "data/Gbk.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

namespace Orb {

namespace {

void Put16(QByteArray &bytes, quint16 value)
{
    char b[2];
    qToLittleEndian(value, b);
    bytes.append(b, 2);
}

} // namespace

void TBiffWriter::record(quint16 type, const QByteArray &body)
{
    QByteArray bytes;
    Put16(bytes, type);
    Put16(bytes, quint16(body.size()));
    bytes += body;
    if (m_out->write(bytes) != bytes.size())
        m_ok = false;
}

QByteArray TBiffWriter::cell(int row, int column)
{
    QByteArray body;
    Put16(body, quint16(row));
    Put16(body, quint16(column));
    Put16(body, 0);   // format index
    return body;
}

void TBiffWriter::Bof()
{
    QByteArray body;
    Put16(body, 0x0000);   // version
    Put16(body, 0x0010);   // worksheet
    Put16(body, 0);
    Put16(body, 0);
    record(0x0809, body);
}

void TBiffWriter::CodePage(quint16 codePage)
{
    QByteArray body;
    Put16(body, codePage);
    record(0x0042, body);
}

void TBiffWriter::Label(int row, int column, const QString &text)
{
    const QByteArray gbk = GbkTruncate(ToGbk(text), kBiffMaxLabelBytes);
    QByteArray body = cell(row, column);
    Put16(body, quint16(gbk.size()));
    body += gbk;
    record(0x0204, body);
}

void TBiffWriter::Number(int row, int column, double value)
{
    QByteArray body = cell(row, column);
    char b[8];
    qToLittleEndian(value, b);
    body.append(b, 8);
    record(0x0203, body);
}

void TBiffWriter::Rk(int row, int column, qint32 value)
{
    QByteArray body = cell(row, column);
    char b[4];
    // Integer form of the compressed number: value shifted by two, bit 1 set.
    qToLittleEndian(quint32(value) * 4u + 2u, b);
    body.append(b, 4);
    record(0x027E, body);
}

void TBiffWriter::Blank(int row, int column)
{
    record(0x0201, cell(row, column));
}

void TBiffWriter::Integer(int row, int column, qint64 value)
{
    if (value >= kRkMin && value <= kRkMax)
        Rk(row, column, qint32(value));
    else
        Number(row, column, double(value));
}

void TBiffWriter::Eof()
{
    record(0x000A, QByteArray());
}

} // namespace Orb

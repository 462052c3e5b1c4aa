#include "report/ReportStream.h"

#include "report/ReportDocument.h"

#include "data/Gbk.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>

namespace Orb {

namespace {

// Upper bounds of a plausible template; anything beyond marks a damaged stream.
constexpr qint32 kMaxLines = 10000;
constexpr qint32 kMaxCellsPerLine = 1000;
constexpr qint32 kMaxGeometry = 100000;
constexpr qint32 kMaxBorder = 1000;
constexpr qint32 kMaxSlaves = kMaxLines * 10;

class Writer {
public:
    QByteArray bytes;

    void u8(quint8 v) { bytes.append(char(v)); }
    void i32(qint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    }
    void rect(const WinRect &r)
    {
        i32(r.left);
        i32(r.top);
        i32(r.right);
        i32(r.bottom);
    }
    void string(const QString &text)
    {
        const QByteArray gbk = GbkTruncate(ToGbk(text), kMaxCellTextBytes);
        i32(qint32(gbk.size()));
        bytes.append(gbk);
    }
};

// Every read checks the remaining length first; a failed read sets ok = false
// and returns zeros, so the caller only has to test ok at the end of a part.
class Reader {
public:
    Reader(const QByteArray &data, qsizetype offset) : m_data(data), m_pos(offset)
    {
        ok = offset >= 0 && offset <= data.size();
    }
    bool ok;

    qsizetype remaining() const { return ok ? m_data.size() - m_pos : 0; }
    bool take(void *out, qsizetype n)
    {
        if (!ok || n < 0 || n > remaining()) {
            ok = false;
            std::memset(out, 0, size_t(qMax<qsizetype>(n, 0)));
            return false;
        }
        std::memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return true;
    }
    QByteArray bytes(qsizetype n)
    {
        if (!ok || n < 0 || n > remaining()) {
            ok = false;
            return {};
        }
        QByteArray out = m_data.mid(m_pos, n);
        m_pos += n;
        return out;
    }
    QByteArray peek(qsizetype n) const
    {
        return (ok && n <= remaining()) ? m_data.mid(m_pos, n) : QByteArray();
    }
    quint8 u8()
    {
        quint8 v = 0;
        take(&v, 1);
        return v;
    }
    quint16 u16()
    {
        char b[2];
        take(b, 2);
        return qFromLittleEndian<quint16>(b);
    }
    qint32 i32()
    {
        char b[4];
        take(b, 4);
        return qFromLittleEndian<qint32>(b);
    }
    // A value that must lie in [low, high].
    qint32 ranged(qint32 low, qint32 high)
    {
        const qint32 v = i32();
        if (v < low || v > high)
            ok = false;
        return v;
    }
    WinRect rect()
    {
        WinRect r;
        r.left = i32();
        r.top = i32();
        r.right = i32();
        r.bottom = i32();
        return r;
    }
    QString string()
    {
        const qint32 n = ranged(0, kMaxCellTextBytes);
        return FromGbk(bytes(n));
    }

private:
    const QByteArray &m_data;
    qsizetype m_pos;
};

void WriteFont(Writer &w, const LogFont &f)
{
    w.i32(f.height);
    w.i32(f.width);
    w.i32(f.escapement);
    w.i32(f.orientation);
    w.i32(f.weight);
    for (quint8 b : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                     f.clipPrecision, f.quality, f.pitchAndFamily})
        w.u8(b);
    w.bytes.append(f.faceName.data(), kFaceNameSize);
}

LogFont ReadFont(Reader &r)
{
    LogFont f;
    f.height = r.i32();
    f.width = r.i32();
    f.escapement = r.i32();
    f.orientation = r.i32();
    f.weight = r.i32();
    f.italic = r.u8();
    f.underline = r.u8();
    f.strikeOut = r.u8();
    f.charSet = r.u8();
    f.outPrecision = r.u8();
    f.clipPrecision = r.u8();
    f.quality = r.u8();
    f.pitchAndFamily = r.u8();
    r.take(f.faceName.data(), kFaceNameSize);
    return f;
}

void WriteBorder(Writer &w, const CellBorder &b)
{
    w.u8(b.on);
    w.i32(b.width);
}

CellBorder ReadBorder(Reader &r)
{
    CellBorder b;
    b.on = r.u8();
    b.width = r.ranged(0, kMaxBorder);
    return b;
}

void WriteRef(Writer &w, const TReportDocument &doc, const TReportCell *cell)
{
    const auto [line, position] = doc.positionOf(cell);
    w.i32(line);
    w.i32(position);
}

// A complete BMP file image: the file header's size field gives its length.
QByteArray ReadBitmap(Reader &r)
{
    const QByteArray head = r.peek(14);
    if (head.size() < 14 || head[0] != 'B' || head[1] != 'M') {
        r.ok = false;
        return {};
    }
    const quint32 size = qFromLittleEndian<quint32>(head.constData() + 2);
    if (size < 14 + 12 || size > quint32(r.remaining())) {
        r.ok = false;
        return {};
    }
    QByteArray bmp = r.bytes(qsizetype(size));
    QImage probe;
    if (!probe.loadFromData(bmp, "BMP"))
        r.ok = false;
    return bmp;
}

QByteArray BitmapFileImage(const TReportCell &cell)
{
    QByteArray bmp = cell.picture;
    if (bmp.size() < 14 + 12 || !bmp.startsWith("BM"))
        return {};
    // The length field must be what a reader will trust.
    qToLittleEndian(quint32(bmp.size()), bmp.data() + 2);
    return bmp;
}

void WriteCell(Writer &w, const TReportDocument &doc, const TReportCell &c)
{
    w.i32(c.textMargin);
    w.i32(c.index);
    w.i32(c.left);
    w.i32(c.width);
    w.rect(c.cellRect);
    w.rect(c.textRect);
    w.i32(c.minHeight);
    w.i32(c.textHeight);
    w.i32(c.mergedTextHeight);
    WriteBorder(w, c.leftBorder);
    WriteBorder(w, c.topBorder);
    WriteBorder(w, c.rightBorder);
    WriteBorder(w, c.bottomBorder);
    w.i32(c.diagonals);
    w.i32(c.textColor);
    w.i32(c.backColor);
    w.i32(c.hAlign);
    w.i32(c.vAlign);
    w.string(c.text);
    w.string(c.displayFormat);
    const QByteArray bmp = BitmapFileImage(c);
    w.u8(bmp.isEmpty() ? 0 : 1);
    w.bytes.append(bmp);
    WriteFont(w, c.font);
    WriteRef(w, doc, c.owner);
    w.i32(qint32(c.slaves.size()));
    for (const TReportCell *slave : c.slaves)
        WriteRef(w, doc, slave);
}

struct PendingRefs {
    TReportCell *cell;
    QPair<qint32, qint32> owner;
    QList<QPair<qint32, qint32>> slaves;
};

void ReadCell(Reader &r, quint16 version, TReportCell &c, PendingRefs &refs)
{
    c.textMargin = r.ranged(0, kMaxGeometry);
    c.index = r.i32();
    c.left = r.ranged(-kMaxGeometry, kMaxGeometry);
    c.width = r.ranged(0, kMaxGeometry);
    c.cellRect = r.rect();
    c.textRect = r.rect();
    c.minHeight = r.ranged(0, kMaxGeometry);
    c.textHeight = r.i32();
    c.mergedTextHeight = r.i32();
    c.leftBorder = ReadBorder(r);
    c.topBorder = ReadBorder(r);
    c.rightBorder = ReadBorder(r);
    c.bottomBorder = ReadBorder(r);
    c.diagonals = r.i32();
    c.textColor = r.i32();
    c.backColor = r.i32();
    c.hAlign = r.i32();
    c.vAlign = r.i32();
    c.text = r.string();
    if (version >= kStreamVersion56)
        c.displayFormat = r.string();
    if (version >= kStreamVersion57 && r.u8() != 0)
        c.picture = ReadBitmap(r);
    c.font = ReadFont(r);
    refs.owner.first = r.i32();
    refs.owner.second = r.i32();
    const qint32 count = r.ranged(0, kMaxSlaves);
    if (!r.ok || qint64(count) * 8 > r.remaining()) {
        r.ok = false;
        return;
    }
    for (qint32 i = 0; i < count; ++i) {
        const qint32 line = r.i32();
        const qint32 position = r.i32();
        refs.slaves.append({line, position});
    }
}

// Owners lie above their slaves, each link is known from both ends, and an
// owner is never itself a slave: anything else is a damaged stream.
bool ResolveReferences(TReportDocument &doc, const QList<PendingRefs> &pending)
{
    for (const PendingRefs &p : pending) {
        if (p.owner != qMakePair(-1, -1)) {
            p.cell->owner = doc.cellAt(p.owner.first, p.owner.second);
            if (!p.cell->owner)
                return false;
        }
        for (const auto &ref : p.slaves) {
            TReportCell *slave = doc.cellAt(ref.first, ref.second);
            if (!slave || p.cell->slaves.contains(slave))
                return false;
            p.cell->slaves.append(slave);
        }
    }
    for (const PendingRefs &p : pending) {
        const TReportCell *cell = p.cell;
        if (cell->owner) {
            if (cell->owner->owner || cell->isOwner() || !cell->owner->slaves.contains(cell)
                || cell->owner->line()->index >= cell->line()->index)
                return false;
        }
        for (const TReportCell *slave : cell->slaves) {
            if (slave->owner != cell)
                return false;
        }
    }
    return true;
}

bool ReadHeader(Reader &r, ReportHeader &h)
{
    r.i32();   // zoom: always shown at 100
    h.zoom = 100;
    h.pageWidth = r.ranged(0, kMaxGeometry);
    h.pageHeight = r.ranged(0, kMaxGeometry);
    h.leftMargin = r.ranged(0, kMaxGeometry);
    h.topMargin = r.ranged(0, kMaxGeometry);
    h.rightMargin = r.ranged(0, kMaxGeometry);
    h.bottomMargin = r.ranged(0, kMaxGeometry);
    h.leftMarginMm = r.ranged(0, kMaxGeometry);
    h.topMarginMm = r.ranged(0, kMaxGeometry);
    h.rightMarginMm = r.ranged(0, kMaxGeometry);
    h.bottomMarginMm = r.ranged(0, kMaxGeometry);
    h.reservedFlag = r.u8();
    h.reserved1 = r.i32();
    h.reserved2 = r.i32();
    return r.ok;
}

bool ReadBody(Reader &r, quint16 version, TReportDocument &doc)
{
    if (!ReadHeader(r, doc.header))
        return false;
    const qint32 lineCount = r.ranged(0, kMaxLines);
    if (!r.ok || qint64(lineCount) * 4 > r.remaining())
        return false;
    QList<qint32> cellCounts;
    for (qint32 i = 0; i < lineCount; ++i)
        cellCounts.append(r.ranged(0, kMaxCellsPerLine));
    if (!r.ok)
        return false;
    for (qint32 i = 0; i < lineCount; ++i) {
        TReportLine *line = doc.appendLine();
        line->index = i;
        for (qint32 c = 0; c < cellCounts[i]; ++c)
            line->addCell();
    }
    QList<PendingRefs> pending;
    for (TReportLine *line : doc.lines) {
        r.i32();   // index: renumbered by the layout
        line->textHeight = r.i32();
        line->userHeight = r.ranged(0, kMaxGeometry);
        line->top = r.i32();
        line->lineRect = r.rect();
        for (TReportCell *cell : line->cells) {
            PendingRefs refs{cell, {}, {}};
            ReadCell(r, version, *cell, refs);
            if (!r.ok)
                return false;
            pending.append(refs);
        }
    }
    ReportHeader &h = doc.header;
    h.paperSize = r.i32();
    h.orientation = r.i32();
    h.paperLength = r.i32();
    h.paperWidth = r.i32();
    h.repeatFromLine = r.i32();
    return r.ok && ResolveReferences(doc, pending);
}

} // namespace

QByteArray SaveReportStream(const TReportDocument &doc)
{
    Writer w;
    const ReportHeader &h = doc.header;
    w.u16(kStreamVersion57);
    w.i32(100);
    for (qint32 v : {h.pageWidth, h.pageHeight, h.leftMargin, h.topMargin, h.rightMargin,
                     h.bottomMargin, h.leftMarginMm, h.topMarginMm, h.rightMarginMm,
                     h.bottomMarginMm})
        w.i32(v);
    w.u8(h.reservedFlag);
    w.i32(h.reserved1);
    w.i32(h.reserved2);
    w.i32(qint32(doc.lines.size()));
    for (const TReportLine *line : doc.lines)
        w.i32(qint32(line->cells.size()));
    for (int i = 0; i < doc.lines.size(); ++i) {
        const TReportLine *line = doc.lines[i];
        w.i32(i);
        w.i32(line->textHeight);
        w.i32(line->userHeight);
        w.i32(line->top);
        w.rect(line->lineRect);
        for (const TReportCell *cell : line->cells)
            WriteCell(w, doc, *cell);
    }
    for (qint32 v : {h.paperSize, h.orientation, h.paperLength, h.paperWidth, h.repeatFromLine})
        w.i32(v);
    return w.bytes;
}

StreamResult LoadReportStream(TReportDocument &doc, const QByteArray &bytes, qsizetype offset)
{
    doc.clear();
    doc.header = ReportHeader();
    Reader r(bytes, offset);
    const quint16 version = r.u16();
    if (!r.ok || version < kStreamVersion55 || version > kStreamVersion57)
        return StreamResult::BadVersion;
    if (!ReadBody(r, version, doc)) {
        doc.clear();
        doc.header = ReportHeader();
        return StreamResult::Damaged;
    }
    doc.layout();
    return StreamResult::Ok;
}

bool SaveReportFile(const TReportDocument &doc, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = SaveReportStream(doc);
    return file.write(bytes) == bytes.size() && file.commit();
}

StreamResult LoadReportFile(TReportDocument &doc, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.clear();
        return StreamResult::BadVersion;
    }
    return LoadReportStream(doc, file.readAll());
}

} // namespace Orb

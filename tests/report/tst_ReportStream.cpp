#include "ReportFixtures.h"

#include "report/ReportStream.h"

#include "data/Gbk.h"
#include "data/TestSupport.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

using namespace Orb;

namespace {

// Writes the fields of an old stream by hand, independent of the writer.
struct Bytes {
    QByteArray b;
    Bytes &i32(qint32 v)
    {
        char x[4];
        qToLittleEndian(v, x);
        b.append(x, 4);
        return *this;
    }
    Bytes &u8(quint8 v)
    {
        b.append(char(v));
        return *this;
    }
    Bytes &str(const QString &s)
    {
        const QByteArray g = ToGbk(s);
        i32(qint32(g.size()));
        b.append(g);
        return *this;
    }
};

void OldCell(Bytes &s, const QString &text, int left, qint32 ownerLine, qint32 ownerCell,
             const QList<QPair<int, int>> &slaves, bool withFormat)
{
    s.i32(5).i32(0).i32(left).i32(100);
    for (int i = 0; i < 8; ++i)
        s.i32(0);
    s.i32(0).i32(0).i32(0);
    for (int i = 0; i < 4; ++i)
        s.u8(1).i32(1);
    s.i32(0).i32(0).i32(0xFFFFFF).i32(0).i32(1);
    s.str(text);
    if (withFormat)   // 0xAA56 adds the display format; neither has pictures
        s.str(QStringLiteral("大写金额"));
    s.i32(-16).i32(0).i32(0).i32(0).i32(400);
    s.u8(0).u8(0).u8(0).u8(134).u8(0).u8(0).u8(0).u8(0);
    QByteArray face = ToGbk(QStringLiteral("宋体"));
    face.resize(32, '\0');
    s.b.append(face);
    s.i32(ownerLine).i32(ownerCell).i32(qint32(slaves.size()));
    for (const auto &p : slaves)
        s.i32(p.first).i32(p.second);
}

QByteArray OldStream(quint8 version = 0x55)
{
    const bool f = version >= 0x56;
    Bytes s;
    s.b.append(char(version)).append(char(0xAA));
    s.i32(100).i32(758).i32(1037).i32(72).i32(70).i32(36).i32(52);
    s.i32(20).i32(20).i32(10).i32(15).u8(1).i32(2000).i32(1);
    s.i32(2).i32(2).i32(1);
    s.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    OldCell(s, QStringLiteral("收款单位"), 72, -1, -1, {{1, 0}}, f);
    OldCell(s, QStringLiteral("金额"), 172, -1, -1, {}, f);
    s.i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    OldCell(s, QString(), 72, 0, 0, {}, f);
    s.i32(9).i32(2).i32(0).i32(0).i32(0);
    return s.b;
}

qint32 I32At(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

} // namespace

class TestReportStream : public QObject {
    Q_OBJECT
private slots:
    void headerBytesOfANewTemplate()
    {
        TReportDocument doc;
        doc.NewTable(1, 1);
        const QByteArray b = SaveReportStream(doc);
        QCOMPARE(quint8(b[0]), quint8(0x57));
        QCOMPARE(quint8(b[1]), quint8(0xAA));
        const QList<qint32> expected{100, 758, 1037, 77, 77, 38, 58, 20, 20, 10, 15};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(I32At(b, 2 + 4 * i), expected[i]);
        QCOMPARE(quint8(b[46]), quint8(1));
        QCOMPARE(I32At(b, 47), 2000);
        QCOMPARE(I32At(b, 51), 1);
        QCOMPARE(I32At(b, 55), 1);   // lines
        QCOMPARE(I32At(b, 59), 1);   // cells of line 0
        // Line body (8 int32), cell up to the text: 4+8+3 int32, 4 borders, 5 int32.
        const int text = 63 + 32 + 15 * 4 + 4 * 5 + 5 * 4;
        QCOMPARE(I32At(b, text), 0);                 // empty text
        QCOMPARE(I32At(b, text + 4), 0);             // empty format
        QCOMPARE(quint8(b[text + 8]), quint8(0));    // no picture
        const int font = text + 9;
        QCOMPARE(I32At(b, font), -16);
        QCOMPARE(quint8(b[font + 23]), quint8(1));   // character set
        QCOMPARE(b.mid(font + 28, 4), ToGbk(QStringLiteral("宋体")));
        QCOMPARE(b.mid(font + 32, 28), QByteArray(28, '\0'));
        QCOMPARE(I32At(b, font + 60), -1);           // no owner
        QCOMPARE(I32At(b, font + 64), -1);
        QCOMPARE(I32At(b, font + 68), 0);            // no slaves
        QCOMPARE(b.size(), font + 72 + 5 * 4);
    }

    void richTemplateRoundTrip()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        const QByteArray first = SaveReportStream(doc);
        QVERIFY(first.contains(ToGbk(QStringLiteral("单位名称：银行存款"))));

        TReportDocument back;
        QCOMPARE(LoadReportStream(back, first), StreamResult::Ok);
        QCOMPARE(SaveReportStream(back), first);

        TReportCell *owner = back.cellAt(0, 0);
        QCOMPARE(owner->slaves, (QList<TReportCell *>{back.cellAt(1, 0), back.cellAt(2, 0)}));
        QCOMPARE(back.cellAt(1, 0)->owner, owner);
        QCOMPARE(back.cellAt(2, 0)->text, QString());
        QCOMPARE(owner->text, QStringLiteral("合并单元格\r\n第二行"));
        const TReportCell *c = back.cellAt(0, 1);
        QCOMPARE(c->font.face(), QStringLiteral("黑体"));
        QCOMPARE(c->font.weight, 700);
        QCOMPARE(c->diagonals, kDiagTopLeftToBottomRight | kDiagTopRightToBottomMiddle);
        QCOMPARE(c->rightBorder, (CellBorder{0, 3}));
        QCOMPARE(back.cellAt(1, 2)->displayFormat, QStringLiteral("#,##0.00"));
        const QImage picture = back.cellAt(3, 1)->image();
        QCOMPARE(picture.size(), QSize(13, 7));
        QCOMPARE(picture.pixelColor(3, 2), QColor(Qt::green));
        QCOMPARE(picture.pixelColor(0, 0), QColor(200, 30, 40));
        QCOMPARE(back.header.paperSize, 256);
        QCOMPARE(back.header.paperWidth, 2410);
        QCOMPARE(back.header.repeatFromLine, 2);
        QCOMPARE(back.lines[3]->userHeight, 50);
    }

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("BX260101120000"));
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        QVERIFY(SaveReportFile(doc, name));
        TReportDocument back;
        QCOMPARE(LoadReportFile(back, name), StreamResult::Ok);
        QVERIFY(SaveReportFile(back, name + "b"));
        QFile a(name), b(name + "b");
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }

    void oldVersionLoadsAndSavesAsCurrent()
    {
        TReportDocument doc;
        QCOMPARE(LoadReportStream(doc, OldStream()), StreamResult::Ok);
        QCOMPARE(doc.lines.size(), 2);
        QCOMPARE(doc.cellAt(0, 0)->text, QStringLiteral("收款单位"));
        QCOMPARE(doc.cellAt(0, 1)->displayFormat, QString());
        QVERIFY(!doc.cellAt(0, 0)->hasPicture());
        QCOMPARE(doc.cellAt(1, 0)->owner, doc.cellAt(0, 0));
        QCOMPARE(doc.header.leftMargin, 72);
        QCOMPARE(doc.header.paperSize, 9);
        QCOMPARE(doc.header.orientation, 2);
        const QByteArray saved = SaveReportStream(doc);
        QCOMPARE(quint8(saved[0]), quint8(0x57));
        QCOMPARE(quint8(saved[1]), quint8(0xAA));
        TReportDocument again;
        QCOMPARE(LoadReportStream(again, saved), StreamResult::Ok);
        QCOMPARE(SaveReportStream(again), saved);
    }

    void version56HasFormats()
    {
        TReportDocument doc;
        QCOMPARE(LoadReportStream(doc, OldStream(0x56)), StreamResult::Ok);
        QCOMPARE(doc.cellAt(0, 1)->text, QStringLiteral("金额"));
        QCOMPARE(doc.cellAt(0, 1)->displayFormat, QStringLiteral("大写金额"));
        QCOMPARE(doc.cellAt(1, 0)->owner, doc.cellAt(0, 0));
        // The same bytes read as 0xAA55 do not line up: refused, not misread.
        QByteArray as55 = OldStream(0x56);
        as55[0] = char(0x55);
        QCOMPARE(LoadReportStream(doc, as55), StreamResult::Damaged);
        QVERIFY(doc.lines.isEmpty());
    }

    void streamAtAnOffset()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        const QByteArray bytes = QByteArray("prefix") + SaveReportStream(doc);
        TReportDocument back;
        QCOMPARE(LoadReportStream(back, bytes, 6), StreamResult::Ok);
        QCOMPARE(SaveReportStream(back), bytes.mid(6));
    }

    void otherVersionRefused()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        QByteArray bytes = SaveReportStream(doc);
        bytes[0] = char(0x58);
        TReportDocument back;
        back.NewTable(2, 2);
        QCOMPARE(LoadReportStream(back, bytes), StreamResult::BadVersion);
        QVERIFY(back.lines.isEmpty());
        QCOMPARE(LoadReportStream(back, QByteArray()), StreamResult::BadVersion);
    }

    // Every truncation is refused and leaves the report empty.
    void truncationsRefused()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        const QByteArray bytes = SaveReportStream(doc);
        for (int n = 0; n < bytes.size(); ++n) {
            TReportDocument back;
            back.NewTable(1, 1);
            const QByteArray cut = bytes.left(n);   // a copy: exact size for ASan
            QVERIFY2(LoadReportStream(back, cut) != StreamResult::Ok,
                     qPrintable(QString::number(n)));
            QVERIFY(back.lines.isEmpty());
        }
    }

    // Random damage never crashes; what loads is a consistent report.
    void randomFlips()
    {
        TReportDocument doc;
        Test::FillRichTemplate(doc);
        const QByteArray bytes = SaveReportStream(doc);
        QRandomGenerator random(20260101);
        int refused = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray damaged = bytes;
            const int flips = 1 + random.bounded(4);
            for (int f = 0; f < flips; ++f) {
                const int at = random.bounded(int(damaged.size()));
                damaged[at] = char(damaged[at] ^ (1 << random.bounded(8)));
            }
            TReportDocument back;
            if (LoadReportStream(back, damaged) != StreamResult::Ok) {
                QVERIFY(back.lines.isEmpty());
                ++refused;
                continue;
            }
            TReportDocument again;
            QCOMPARE(LoadReportStream(again, SaveReportStream(back)), StreamResult::Ok);
        }
        QVERIFY(refused > 0);
    }

    void badReferencesRefused()
    {
        TReportDocument doc;
        QByteArray bytes = OldStream();
        // The slave's owner pair (line 0, cell 0) pointed at line 5 instead.
        const int at = bytes.lastIndexOf(QByteArray::fromHex("00000000000000000000000009000000"));
        QVERIFY(at > 0);
        bytes[at] = 5;
        QCOMPARE(LoadReportStream(doc, bytes), StreamResult::Damaged);
        QVERIFY(doc.lines.isEmpty());
    }
};

QTEST_MAIN(TestReportStream)
#include "tst_ReportStream.moc"

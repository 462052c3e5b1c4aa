// The painted panel and 3D label: shadow, face, bevel and text copies
// where a user sees them.

#include "forms/Orb3DLabel.h"
#include "forms/OrbPanel.h"

#include <QDir>
#include <QtTest>

using namespace Orb;

class tst_OrbPanel : public QObject {
    Q_OBJECT
private slots:
    void shadowAndBevel();
    void noShadow();
    void labelShadow();
};

void tst_OrbPanel::shadowAndBevel()
{
    TOrbPanel panel;
    QCOMPARE(panel.size(), QSize(185, 41));
    panel.FaceColor = Qt::white;
    panel.Caption = QStringLiteral("现金日记账");
    const QImage img = panel.grab().toImage();
    QCOMPARE(img.pixelColor(184, 40), panel.ShadowColor);             // shadow bottom right
    QCOMPARE(img.pixelColor(0, 0), panel.Color_High);                  // raised: light top left
    QCOMPARE(img.pixelColor(182, 20), panel.Color_Low);                // right edge w-2-1
    QCOMPARE(img.pixelColor(90, 38), panel.Color_Low);                 // bottom edge h-2-1
    QCOMPARE(img.pixelColor(5, 5), QColor(Qt::white));                 // face
    img.save(QDir::temp().filePath(QStringLiteral("orb_panel.png")));
    panel.BorderLine = blLowered;
    const QImage lowered = panel.grab().toImage();
    QCOMPARE(lowered.pixelColor(0, 0), panel.Color_Low);
    QCOMPARE(lowered.pixelColor(182, 20), panel.Color_High);
}

void tst_OrbPanel::noShadow()
{
    TOrbPanel panel;
    panel.ShadowWidth = 0;
    panel.BorderLine = blNone;
    panel.FaceColor = Qt::white;
    const QImage img = panel.grab().toImage();
    QCOMPARE(img.pixelColor(184, 40), QColor(Qt::white));
    QCOMPARE(img.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(panel.faceRect(), panel.rect());
}

// The shadow copy is the only red ink: where it lies against the text
// tells the direction of ShadowIndent.
void tst_OrbPanel::labelShadow()
{
    for (int indent : {3, -3}) {
        TOrb3DLabel label;
        label.DrawType = dtShadow;
        label.ShadowIndent = indent;
        label.DarkColor = QColor(200, 0, 0);
        QPalette pal = label.palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
        label.setPalette(pal);
        label.setAlignment(Qt::AlignCenter);
        label.setCaption(QStringLiteral("IIII"));
        QCOMPARE(label.size(), label.sizeHint());
        label.resize(label.width() + 20, label.height() + 20);
        const QImage img = label.grab().toImage();
        // The mean column and row of each ink.
        auto centre = [&img](auto isInk) {
            double sx = 0, sy = 0;
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (isInk(img.pixelColor(x, y))) {
                        sx += x;
                        sy += y;
                        ++n;
                    }
            return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
        };
        const QPointF red = centre([](QColor c) { return c.red() > 150 && c.blue() < 100; });
        const QPointF blue = centre([](QColor c) { return c.blue() > 150 && c.red() < 100; });
        QVERIFY(red.x() >= 0 && blue.x() >= 0);
        if (indent > 0)
            QVERIFY2(red.x() > blue.x() && red.y() > blue.y(), "shadow down and right");
        else
            QVERIFY2(red.x() < blue.x() && red.y() < blue.y(), "shadow up and left");
    }
}

QTEST_MAIN(tst_OrbPanel)

#include "tst_OrbPanel.moc"

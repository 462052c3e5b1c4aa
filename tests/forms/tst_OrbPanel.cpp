// The painted panel: shadow, face and bevel where a user sees them.

#include "forms/OrbPanel.h"

#include <QDir>
#include <QtTest>

using namespace Orb;

class tst_OrbPanel : public QObject {
    Q_OBJECT
private slots:
    void shadowAndBevel();
    void noShadow();
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

QTEST_MAIN(tst_OrbPanel)

#include "tst_OrbPanel.moc"

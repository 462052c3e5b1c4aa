#pragma once
// A panel with a drop shadow, a one-pixel bevel and raised or lowered caption.

#include <QColor>
#include <QFrame>

namespace Orb {

enum TBorderLine { blNone, blRaised, blLowered };
enum TTextStyle { txNone, txLowered, txRaised };

class TOrbPanel : public QFrame {
    Q_OBJECT
public:
    explicit TOrbPanel(QWidget *parent = nullptr);
    TBorderLine BorderLine = blRaised;
    QColor Color_High = QColor(0xE8, 0xE8, 0xE0);     // $00E0E8E8
    QColor Color_Low = QColor(0xA2, 0x8D, 0x68);      // $00688DA2
    QColor FaceColor;
    QColor ShadowColor = QColor(0x80, 0x80, 0x80);
    int ShadowWidth = 2;
    TTextStyle TextStyle = txRaised;
    Qt::Alignment Alignment = Qt::AlignHCenter;
    bool Locked = false;
    QString Caption;
    // The face, where child controls are placed.
    QRect faceRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Orb

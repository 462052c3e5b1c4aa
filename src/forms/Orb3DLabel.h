#pragma once
// A label drawn with a shadow, or embossed or engraved.

#include <QColor>
#include <QLabel>

namespace Orb {

enum TDrawType { dtNone, dtShadow, dtLightRaised, dtHeavyRaised, dtLightInsert, dtHeavyInsert };

class TOrb3DLabel : public QLabel {
    Q_OBJECT
public:
    explicit TOrb3DLabel(QWidget *parent = nullptr);
    TDrawType DrawType = dtLightRaised;
    QColor LightColor = Qt::white;
    QColor DarkColor = Qt::black;
    int ShadowIndent = 2;
    bool AutoSize = true;
    bool Transparent = false;
    void setCaption(const QString &caption);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Orb

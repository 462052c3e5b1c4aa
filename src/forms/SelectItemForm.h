#pragma once
// 打印选择窗口: one of two to four options; ItemNo counts from 1.

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace Orb {

class TSelectItemForm : public QDialog {
    Q_OBJECT
public:
    // withClose: the query variant, which also has a close button.
    explicit TSelectItemForm(const QStringList &items, bool withClose = false,
                             QWidget *parent = nullptr);
    int ItemNo = 0;
    QGroupBox *RadioGroup;
    QButtonGroup *Buttons;
    QPushButton *Button_ok;
    QPushButton *Button_Close = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClick();
};

// The query variant of the same window.
class TSelectItemQueryForm : public TSelectItemForm {
    Q_OBJECT
public:
    explicit TSelectItemQueryForm(const QStringList &items, QWidget *parent = nullptr)
        : TSelectItemForm(items, true, parent) {}
};

} // namespace Orb

#pragma once
// 状态选择窗口: the status to give the chosen entries, and whether to give
// it to all of them.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace Orb {

class TSetStatusForm : public QDialog {
    Q_OBJECT
public:
    TSetStatusForm(const QStringList &statuses, const QString &currentStatus,
                   QWidget *parent = nullptr);
    QString Status() const;
    bool AllEntries() const;
    QComboBox *StatusComboBox;
    QCheckBox *AllCheckBox;
    QPushButton *button_ok;
    QPushButton *button_close;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClick();
    QString m_current;
};

} // namespace Orb

#pragma once
// "信息显示窗口": shows a long text (a repair log) and saves it to a file.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace Orb {

class TErrorMsgForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorMsgForm(QWidget *parent = nullptr);
    QPlainTextEdit *Memo1;
    QPushButton *Button_Save;
    QPushButton *Button_Close;
    QString FileName;   // preset name offered by the save dialog

    // Writes the memo's lines to the file; false when it cannot be written.
    bool saveTo(const QString &path) const;

private:
    void save();
};

} // namespace Orb

#pragma once
// 图片浏览: one picture on a panel, dragged with the left mouse button.

#include <QDialog>

class QLabel;

namespace Orb {

class TShowPictureForm : public QDialog {
    Q_OBJECT
public:
    explicit TShowPictureForm(QWidget *parent = nullptr);
    // Loads by the extension of `nameForExtension`: .BMP and .JPG/.JPEG; any
    // other extension loads nothing and succeeds.
    bool LoadPicture(const QString &fileName, const QString &nameForExtension);
    QWidget *Panel;
    QLabel *Image1;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    QPoint m_dragFrom;
};

// Shows the picture with the title; "图片文件打开错误" when it cannot be loaded.
bool ShowPictureFile(const QString &title, const QString &fileName, QWidget *parent = nullptr);

} // namespace Orb

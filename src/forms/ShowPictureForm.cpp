#include "forms/ShowPictureForm.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace Orb {

TShowPictureForm::TShowPictureForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShowPictureForm"));
    setWindowTitle(QStringLiteral("图片浏览"));
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("button_close"));
    close->setText(QStringLiteral("关闭"));
    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Image1 = new QLabel(Panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setCursor(Qt::OpenHandCursor);
    Image1->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(close, 0, Qt::AlignLeft);
    layout->addWidget(Panel, 1);
    resize(640, 480);
    connect(close, &QToolButton::clicked, this, &QDialog::reject);
}

bool TShowPictureForm::LoadPicture(const QString &fileName, const QString &nameForExtension)
{
    const QString ext = QFileInfo(nameForExtension).suffix().toUpper();
    QByteArray format;
    if (ext == QLatin1String("BMP"))
        format = "BMP";
    else if (ext == QLatin1String("JPG") || ext == QLatin1String("JPEG"))
        format = "JPEG";
    else
        return true;
    QImageReader reader(fileName, format);
    const QImage image = reader.read();
    if (image.isNull()) {
        ShowWarningOn(this, QStringLiteral("图形文件装载过程发生错误"));
        return false;
    }
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->resize(image.size());
    return true;
}

void TShowPictureForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    place();
}

// Centred in the panel, or at its left or top edge when larger.
void TShowPictureForm::place()
{
    const QSize p = Panel->size(), i = Image1->size();
    Image1->move(qMax(0, (p.width() - i.width()) / 2), qMax(0, (p.height() - i.height()) / 2));
}

bool TShowPictureForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Image1)
        return QDialog::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        m_dragFrom = mouse->position().toPoint();
        return true;
    }
    if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
        Image1->move(Image1->pos() + mouse->position().toPoint() - m_dragFrom);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowPictureFile(const QString &title, const QString &fileName, QWidget *parent)
{
    TShowPictureForm form(parent);
    form.setWindowTitle(title);
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    const bool known = ext == QLatin1String("BMP") || ext == QLatin1String("JPG")
                       || ext == QLatin1String("JPEG");
    {
        // The viewer's own loading message is replaced by the one of this call.
        QImageReader probe(fileName);
        if (!known || probe.read().isNull()) {
            ShowWarningOn(parent, QStringLiteral("图片文件打开错误"));
            return false;
        }
    }
    form.LoadPicture(fileName, fileName);
    RunModal(&form);
    return true;
}

} // namespace Orb

#include "forms/PickerWidgets.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Orb {

QLineEdit *DigitEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(maxLength)), edit));
    edit->setInputMethodHints(Qt::ImhDigitsOnly);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    return edit;
}

} // namespace Orb

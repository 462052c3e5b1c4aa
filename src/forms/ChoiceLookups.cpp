#include "forms/ChoiceLookups.h"

#include "data/DialogRunner.h"
#include "forms/SelectItemForm.h"

#include <QGroupBox>

namespace Orb {

bool ChooseSortOrder(const QStringList &captions, const QStringList &fields,
                     const QString &alias, QString &order, const QString &title,
                     QWidget *parent)
{
    QStringList items;
    const int count = int(qMin(qMin(captions.size(), fields.size()), qsizetype(12)));
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("按") + captions[i] + QStringLiteral("排序");
    TSelectItemQueryForm form(items, parent);
    form.setWindowTitle(title);
    if (count > 8) {
        form.RadioGroup->setFixedHeight(166);
        form.resize(form.width(), 252);
    }
    if (RunModal(&form) != QDialog::Accepted || form.ItemNo < 1 || form.ItemNo > count)
        return false;
    order = QStringLiteral(" ORDER BY ")
            + (alias.isEmpty() ? QString() : alias + QLatin1Char('.'))
            + fields[form.ItemNo - 1];
    return true;
}

int ChooseOneOfTwo(const QString &first, const QString &second, const QString &title,
                   QWidget *parent)
{
    TSelectItemQueryForm form(QStringList{first, second}, parent);
    form.setWindowTitle(title);
    return RunModal(&form) == QDialog::Accepted ? form.ItemNo : 0;
}

} // namespace Orb

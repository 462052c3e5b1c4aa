#pragma once
// The rules of the small input windows, kept apart from the widgets: the
// year and month checks and the column widths of the data choice window.

#include <QList>
#include <QString>

namespace Orb {

struct PickerCheck {
    enum Focus { None, Year, Month } focus = None;
    QString message;    // empty when accepted
    bool ok() const { return message.isEmpty(); }
};

// The checks of 收支年月输入窗口, in order.
PickerCheck CheckYearMonth(const QString &year, const QString &month);
// The check of 删除年份输入窗口.
PickerCheck CheckDeleteYear(const QString &year);
// "YYYY年MM月" into year and month; false (both empty) when it does not read.
bool SplitInitMonth(const QString &initMonth, QString *year, QString *month);

// Display widths brought to a sum of about 102 characters.
QList<int> SelectFormWidths(const QList<int> &widths);

} // namespace Orb

#include "maintenance/DiskPrompt.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace Orb {

bool AskForDisk(int diskNumber)
{
    const QString text = QStringLiteral("请插入一个空白的磁盘%1并且按《确定》按钮继续。")
                             .arg(diskNumber);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return false;
    }
    QMessageBox box(QMessageBox::Information, kWarningCaption, text,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("DiskPrompt"));
    return RunModal(&box) == QMessageBox::Ok;
}

} // namespace Orb

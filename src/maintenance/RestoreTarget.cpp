#include "maintenance/RestoreTarget.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>

namespace Orb {

QString RestoreTargetPath(const QString &storedName, const QString &destDir)
{
    if (storedName.contains(QChar(0)))
        return QString();
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QStringList parts = storedName.split(separators);
    if (parts.contains(QLatin1String("..")))
        return QString();
    const QString fileName = parts.last();
    if (fileName.isEmpty() || fileName == QLatin1String("."))
        return QString();
    if (!destDir.isEmpty())
        return QDir(destDir).filePath(fileName);
    if (!storedName.startsWith(QLatin1Char('/')))
        return QString();
    return QDir::cleanPath(storedName);
}

} // namespace Orb

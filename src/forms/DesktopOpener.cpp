#include "forms/DesktopOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace Orb {

namespace {

// xdg-open starts in the background and succeeds even when it later finds
// no program; asking for the default application first tells the truth.
bool HasDefaultApplication(const QString &fileName)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;   // no way to ask: let the desktop try
    const QString mime = QMimeDatabase().mimeTypeForFile(fileName).name();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!query.waitForFinished(5000))
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool OpenWithDesktop(const QString &fileName)
{
    if (!HasDefaultApplication(fileName))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace Orb

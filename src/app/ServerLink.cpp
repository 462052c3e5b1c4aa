#include "app/ServerLink.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>

namespace Orb {

LinkConfig ServerLinkFrom(const LinkConfig &current, const QString &server, const QString &user,
                          const QString &password)
{
    LinkConfig link = current;
    link.driver = QStringLiteral("QPSQL");
    QString host = server.trimmed();
    link.port = 5432;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int port = host.mid(colon + 1).toInt(&ok);
        if (ok) {
            link.port = port;
            host = host.left(colon);
        }
    }
    link.host = host;
    link.user = user.trimmed();
    link.password = password;
    if (link.database.isEmpty())
        link.database = QStringLiteral("orbcashier");
    return link;
}

QString TryServerLink(const LinkConfig &link)
{
    const QString name = QStringLiteral("OrbServerLinkTest");
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(link.host);
        db.setPort(link.port);
        db.setUserName(link.user);
        db.setPassword(link.password);
        db.setDatabaseName(link.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!db.open())
            reason = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return reason;
}

QString SaveServerLink(const LinkConfig &link)
{
    QString error;
    if (!WriteLink(link, &error))
        return error;
    // The password lives in this file: only its owner may read it.
    if (!QFile::setPermissions(AliasFilePath(), QFile::ReadOwner | QFile::WriteOwner))
        return QStringLiteral("无法设置数据库连接参数文件的权限 ") + AliasFilePath();
    return QString();
}

} // namespace Orb

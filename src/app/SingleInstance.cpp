#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace Orb {

namespace {

// Local socket names must be plain; derive one from the key and the user.
QString SafeName(const QString &key)
{
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("orbcashier-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

QString LockDir()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), m_key(key)
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    const QString name = SafeName(m_key);
    m_lock = std::make_unique<QLockFile>(LockDir() + QLatin1Char('/') + name + ".lock");
    m_lock->setStaleLockTime(0);   // a crashed instance's lock is stale by its pid
    if (!m_lock->tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(1000)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        m_lock.reset();
        return false;
    }
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
    m_server->listen(name);
    return true;
}

} // namespace Orb

#pragma once
// One running program per user: a lock file held for the whole run, and a
// local server through which a second start asks the first to come forward.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace Orb {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: "Orb" + the application title.
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only instance; otherwise the running one has been
    // asked to come forward and this one should end.
    bool acquire();

signals:
    // A second start asked the running instance to come forward.
    void raiseRequested();

private:
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace Orb

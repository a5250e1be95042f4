#include "forms/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace zor {

SingleInstanceGuard::SingleInstanceGuard(const QString& name, const QString& lockDir, QObject* parent)
    : QObject(parent), name_(name), lockDir_(lockDir) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::OnNewConnection);
}

SingleInstanceGuard::~SingleInstanceGuard() {
  server_.close();
  if (lock_) lock_->unlock();
}

QString SingleInstanceGuard::ServerName() const {
  // Local socket names are per machine; the lock folder is per user, so its
  // path keeps two users' viewers apart.
  return name_ + QLatin1Char('-') + QString::number(qHash(QDir(lockDir_).absolutePath()), 16);
}

bool SingleInstanceGuard::CheckRunning() {
  QDir().mkpath(lockDir_);
  auto lock = std::make_unique<QLockFile>(QDir(lockDir_).filePath(name_ + QStringLiteral(".lock")));
  lock->setStaleLockTime(0);  // only a dead owner makes a lock stale
  // IsLockInUse holds the lock for a moment to test it; a running instance
  // holds it for good, so a short wait tells the two apart.
  if (!lock->tryLock(100)) return true;
  lock_ = std::move(lock);
  QLocalServer::removeServer(ServerName());  // left by an instance that crashed
  server_.listen(ServerName());
  return false;
}

bool SingleInstanceGuard::ActivateRunning(int timeoutMs) const {
  // The running instance takes its lock a moment before it listens, so a
  // start in that moment finds no server yet and tries again.
  QDeadlineTimer deadline(timeoutMs);
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(ServerName());
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
  socket.write("activate\n");
  socket.waitForBytesWritten(timeoutMs);
  socket.disconnectFromServer();
  return true;
}

void SingleInstanceGuard::OnNewConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().startsWith("activate") && activate_) activate_();
    });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  }
}

bool SingleInstanceGuard::IsLockInUse(const QString& name, const QString& lockDir) {
  QDir().mkpath(lockDir);
  QLockFile lock(QDir(lockDir).filePath(name + QStringLiteral(".lock")));
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) return true;
  lock.unlock();
  return false;
}

}  // namespace zor

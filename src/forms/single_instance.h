// Lets one viewer run per user. The first instance holds a lock file and
// listens on a local socket; a later one finds the lock taken, asks the first
// to come to the front through the socket, tells the user and ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace zor {

class SingleInstanceGuard : public QObject {
  Q_OBJECT
 public:
  // name: the guard's name ("Mutex_ZORVIEW"); lockDir: where the lock lives
  // (per user, e.g. the runtime or user data folder).
  SingleInstanceGuard(const QString& name, const QString& lockDir, QObject* parent = nullptr);
  ~SingleInstanceGuard() override;

  // True when another instance holds the guard. When false this instance
  // holds it from now on and answers activation requests.
  bool CheckRunning();

  // Asks the running instance to bring its main window to the front; true
  // when it answered.
  bool ActivateRunning(int timeoutMs = 2000) const;

  // Called in the running instance when a second one asks for activation.
  void SetActivateHandler(std::function<void()> handler) { activate_ = std::move(handler); }

  // True when some process holds a lock of that name in lockDir right now;
  // the test never keeps the lock.
  static bool IsLockInUse(const QString& name, const QString& lockDir);

 private:
  void OnNewConnection();
  QString ServerName() const;

  QString name_;
  QString lockDir_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
  std::function<void()> activate_;
};

}  // namespace zor

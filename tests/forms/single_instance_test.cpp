#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "forms/single_instance.h"

using namespace zor;

class SingleInstanceTest : public QObject {
  Q_OBJECT
 private slots:
  void secondGuardFindsTheFirstAndActivatesIt() {
    QTemporaryDir dir;
    SingleInstanceGuard first(QStringLiteral("Mutex_Test"), dir.path());
    QVERIFY(!first.CheckRunning());
    int activations = 0;
    first.SetActivateHandler([&activations] { ++activations; });

    SingleInstanceGuard second(QStringLiteral("Mutex_Test"), dir.path());
    QVERIFY(second.CheckRunning());
    QVERIFY(second.ActivateRunning());
    QTRY_COMPARE(activations, 1);
  }

  void guardIsFreedWhenItsOwnerEnds() {
    QTemporaryDir dir;
    {
      SingleInstanceGuard first(QStringLiteral("Mutex_Test"), dir.path());
      QVERIFY(!first.CheckRunning());
      QVERIFY(SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_Test"), dir.path()));
    }
    QVERIFY(!SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_Test"), dir.path()));
    SingleInstanceGuard again(QStringLiteral("Mutex_Test"), dir.path());
    QVERIFY(!again.CheckRunning());
  }

  // The real program as the first instance: a later start finds it through
  // the lock in the runtime folder and reaches it over the socket.
  void runningViewerIsFoundAndActivated() {
    QTemporaryDir dir;
    const QString runtime = dir.filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("HOME"), dir.path());
    viewer.setProcessEnvironment(env);
    viewer.start(QStringLiteral(ZORVIEW_PATH), {});
    QVERIFY(viewer.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_ZORVIEW"), runtime), 15000);

    SingleInstanceGuard second(QStringLiteral("Mutex_ZORVIEW"), runtime);
    QVERIFY(second.CheckRunning());
    QVERIFY(second.ActivateRunning());
    QCOMPARE(viewer.state(), QProcess::Running);
    viewer.kill();
    viewer.waitForFinished();
  }

  void otherNamesDoNotCollide() {
    QTemporaryDir dir;
    SingleInstanceGuard viewer(QStringLiteral("Mutex_ZORVIEW"), dir.path());
    QVERIFY(!viewer.CheckRunning());
    QVERIFY(!SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_ZORMent"), dir.path()));
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"

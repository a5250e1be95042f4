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

  void otherNamesDoNotCollide() {
    QTemporaryDir dir;
    SingleInstanceGuard viewer(QStringLiteral("Mutex_ZORVIEW"), dir.path());
    QVERIFY(!viewer.CheckRunning());
    QVERIFY(!SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_ZORMent"), dir.path()));
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"

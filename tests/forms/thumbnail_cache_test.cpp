#include <QAtomicInt>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <memory>

#include "forms/thumbnail_cache.h"
#include "forms/thumbnail_decoder.h"
#include "sample_pictures.h"

using namespace zor;

namespace {

// Counts decodes; answers a 160 x 120 picture, like a camera thumbnail, for
// every size, or nothing for a file named "bad".
struct CountingDecoder {
  std::shared_ptr<QAtomicInt> calls = std::make_shared<QAtomicInt>(0);
  ThumbnailCache::Decoder Make() const {
    auto counter = calls;
    return [counter](const QString& file, int, const std::atomic<bool>&) {
      counter->fetchAndAddRelaxed(1);
      if (file.endsWith(QLatin1String("bad"))) return QImage();
      QImage image(160, 120, QImage::Format_RGB32);
      image.fill(Qt::red);
      return image;
    };
  }
};

// Counts, and keeps from their receiver, the events that reach one object
// (watched on the application, so also after that object is gone).
class EventsTo : public QObject {
 public:
  explicit EventsTo(const void* target) : target_(target) { QCoreApplication::instance()->installEventFilter(this); }
  ~EventsTo() override { QCoreApplication::instance()->removeEventFilter(this); }
  int count = 0;
  bool eventFilter(QObject* watched, QEvent*) override {
    if (static_cast<const void*>(watched) != target_) return false;
    ++count;
    return true;
  }

 private:
  const void* target_;
};

const void* const kList = reinterpret_cast<const void*>(0x1);
const void* const kOtherList = reinterpret_cast<const void*>(0x2);

}  // namespace

class ThumbnailCacheTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  QString File(const QString& name) {
    const QString path = dir_.path() + QLatin1Char('/') + name;
    if (!QFile::exists(path)) {
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      f.write("x");
    }
    return path;
  }
  // Requests inside one pass, as a repaint does, and waits for the decodes.
  static void Paint(ThumbnailCache& cache, const QStringList& files, int size, const void* list = kList) {
    cache.BeginPass(list);
    for (const QString& f : files) {
      ThumbnailCache::State state;
      if (!cache.Find(f, size, &state) && state == ThumbnailCache::State::kMissing)
        cache.Request(f, size, ThumbnailCache::kVisible, list);
    }
    cache.EndPass(list);
  }
  static bool Settle(ThumbnailCache& cache) {
    return QTest::qWaitFor([&] { return cache.RunningCount() == 0 && cache.PendingCount() == 0; }, 5000);
  }

 private slots:
  void cameraThumbnailSmallerThanTheCellIsFoundAgain() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    const QString f = File("a.jpg");
    QSignalSpy decoded(&cache, &ThumbnailCache::Decoded);
    Paint(cache, {f}, 140);
    QVERIFY(Settle(cache));
    QCOMPARE(decoded.count(), 1);
    for (int repaint = 0; repaint < 5; ++repaint) {
      ThumbnailCache::State state;
      QSize decoded;
      const QPixmap* p = cache.Find(f, 140, &state, &decoded);
      QVERIFY(p);
      QCOMPARE(state, ThumbnailCache::State::kReady);
      // Its shorter side is below the cell's, so it is kept as decoded.
      QCOMPARE(decoded, QSize(160, 120));
      QCOMPARE(p->size(), QSize(160, 120));
      Paint(cache, {f}, 140);
    }
    QVERIFY(Settle(cache));
    QCOMPARE(decoder.calls->loadRelaxed(), 1);
    QCOMPARE(cache.DecodesStarted(), 1);
  }

  void anotherCellSizeIsDecodedForThatSize() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    const QString f = File("b.jpg");
    Paint(cache, {f}, 140);
    QVERIFY(Settle(cache));
    QVERIFY(!cache.Find(f, 96));
    Paint(cache, {f}, 96);
    QVERIFY(Settle(cache));
    QVERIFY(cache.Find(f, 96));
    QCOMPARE(decoder.calls->loadRelaxed(), 2);
  }

  void failedDecodeIsRememberedNotRetried() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    const QString f = File("bad");
    Paint(cache, {f}, 140);
    QVERIFY(Settle(cache));
    ThumbnailCache::State state;
    QVERIFY(!cache.Find(f, 140, &state));
    QCOMPARE(state, ThumbnailCache::State::kFailed);
    Paint(cache, {f}, 140);
    QVERIFY(Settle(cache));
    QCOMPARE(decoder.calls->loadRelaxed(), 1);
  }

  void aReplacedFileIsDecodedAgain() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    const QString f = File("c.jpg");
    Paint(cache, {f}, 140);
    QVERIFY(Settle(cache));
    QFile file(f);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    file.close();
    ThumbnailCache::State state;
    QVERIFY(!cache.Find(f, 140, &state));
    QCOMPARE(state, ThumbnailCache::State::kMissing);
  }

  void keepsAtLeastFiftyOnePicturesWhateverTheBudget() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    cache.SetByteBudget(1);  // far too small for even one picture
    QStringList files;
    for (int i = 0; i < 60; ++i) files << File(QStringLiteral("p%1.jpg").arg(i));
    for (const QString& f : files) {
      Paint(cache, {f}, 140);
      QVERIFY(Settle(cache));
    }
    QCOMPARE(cache.Count(), ThumbnailCache::kMinEntries);
    // The least recently used went; the last 51 are held.
    QVERIFY(!cache.Find(files[8], 140));
    for (int i = 9; i < 60; ++i) QVERIFY2(cache.Find(files[i], 140), qPrintable(files[i]));
  }

  void byteBudgetBoundsTheCacheAboveTheMinimum() {
    QThreadPool pool;
    CountingDecoder decoder;
    ThumbnailCache cache(&pool, decoder.Make());
    const qint64 picture = 160 * 120 * 4;
    cache.SetByteBudget(70 * picture);
    for (int i = 0; i < 100; ++i) {
      Paint(cache, {File(QStringLiteral("q%1.jpg").arg(i))}, 140);
      QVERIFY(Settle(cache));
    }
    QCOMPARE(cache.Count(), 70);
    QVERIFY(cache.Bytes() <= 70 * picture);
  }

  void oneWorkerPerCore_data() {
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("workers");
    QTest::newRow("unknown") << 0 << 1;
    QTest::newRow("one core") << 1 << 1;
    QTest::newRow("two cores") << 2 << 2;
    QTest::newRow("six cores") << 6 << 6;
    QTest::newRow("many cores") << 64 << ThumbnailCache::kMaxWorkers;
  }
  void oneWorkerPerCore() {
    QFETCH(int, cores);
    QFETCH(int, workers);
    QCOMPARE(ThumbnailCache::WorkerCount(cores), workers);
  }

  // With two workers two decodes run at once, visible cells still first.
  void everyWorkerDecodes() {
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    auto gate = std::make_shared<QSemaphore>(0);
    auto inside = std::make_shared<QSemaphore>(0);
    ThumbnailCache cache(&pool, [gate, inside](const QString&, int, const std::atomic<bool>&) {
      inside->release();
      gate->acquire();
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(Qt::blue);
      return image;
    });
    QStringList files;
    for (int i = 0; i < 5; ++i) files << File(QStringLiteral("w%1.jpg").arg(i));
    Paint(cache, files, 100);
    QCOMPARE(cache.RunningCount(), 2);
    QCOMPARE(cache.PendingCount(), 3);
    QVERIFY(inside->tryAcquire(2, 5000));  // both decode at the same time
    gate->release(5);
    QVERIFY(Settle(cache));
    for (const QString& f : files) QVERIFY(cache.Find(f, 100));
  }

  // While a list scrolls one core fewer decodes; one worker keeps going.
  void scrollingKeepsACoreFree_data() {
    QTest::addColumn<int>("workers");
    QTest::addColumn<int>("whileScrolling");
    QTest::newRow("two workers") << 2 << 1;
    QTest::newRow("four workers") << 4 << 3;
    QTest::newRow("one worker") << 1 << 1;
  }
  void scrollingKeepsACoreFree() {
    QFETCH(int, workers);
    QFETCH(int, whileScrolling);
    QThreadPool pool;
    pool.setMaxThreadCount(workers);
    auto gate = std::make_shared<QSemaphore>(0);
    ThumbnailCache cache(&pool, [gate](const QString&, int, const std::atomic<bool>&) {
      gate->acquire();
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(Qt::blue);
      return image;
    });
    QStringList files;
    for (int i = 0; i < 6; ++i) files << File(QStringLiteral("k%1.jpg").arg(i));
    cache.KeepACoreFree(60000);
    Paint(cache, files, 100);
    QCOMPARE(cache.RunningCount(), whileScrolling);
    // Scrolling stopped: the spare cores take decodes again by themselves.
    cache.KeepACoreFree(1);
    QTRY_COMPARE(cache.RunningCount(), workers);
    gate->release(6);
    QVERIFY(Settle(cache));
    for (const QString& f : files) QVERIFY(cache.Find(f, 100));
  }

  void requestsOfCellsScrolledAwayAreDropped() {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    // The first decode waits until the test lets it go, so the rest queue.
    auto gate = std::make_shared<QSemaphore>(0);
    auto calls = std::make_shared<QAtomicInt>(0);
    ThumbnailCache cache(&pool, [gate, calls](const QString&, int, const std::atomic<bool>&) {
      if (calls->fetchAndAddRelaxed(1) == 0) gate->acquire();
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(Qt::blue);
      return image;
    });
    QStringList first, second;
    for (int i = 0; i < 5; ++i) first << File(QStringLiteral("s%1.jpg").arg(i));
    for (int i = 0; i < 3; ++i) second << File(QStringLiteral("t%1.jpg").arg(i));
    Paint(cache, first, 100);
    QCOMPARE(cache.RunningCount(), 1);
    QCOMPARE(cache.PendingCount(), 4);
    // Scrolled on: the next repaint shows other cells only.
    Paint(cache, second, 100);
    QCOMPARE(cache.PendingCount(), 3);
    // Another list's repaint leaves these requests alone.
    Paint(cache, {}, 100, kOtherList);
    QCOMPARE(cache.PendingCount(), 3);
    gate->release();
    QVERIFY(Settle(cache));
    QCOMPARE(calls->loadRelaxed(), 4);
    for (const QString& f : second) QVERIFY(cache.Find(f, 100));
    for (int i = 1; i < 5; ++i) QVERIFY(!cache.Find(first[i], 100));
  }

  void visibleCellsGoBeforeNearbyOnes() {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    auto gate = std::make_shared<QSemaphore>(0);
    auto order = std::make_shared<QStringList>();
    auto mutex = std::make_shared<QMutex>();
    ThumbnailCache cache(&pool, [gate, order, mutex](const QString& file, int, const std::atomic<bool>&) {
      {
        QMutexLocker lock(mutex.get());
        order->append(file.section(QLatin1Char('/'), -1));
      }
      if (file.endsWith(QLatin1String("block"))) gate->acquire();
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(Qt::green);
      return image;
    });
    cache.BeginPass(kList);
    cache.Request(File(QStringLiteral("block")), 100, ThumbnailCache::kVisible, kList);
    cache.EndPass(kList);
    cache.BeginPass(kList);
    cache.Request(File(QStringLiteral("block")), 100, ThumbnailCache::kVisible, kList);
    cache.Request(File(QStringLiteral("near")), 100, ThumbnailCache::kNearby, kList);
    cache.Request(File(QStringLiteral("seen")), 100, ThumbnailCache::kVisible, kList);
    cache.EndPass(kList);
    gate->release();
    QVERIFY(Settle(cache));
    QCOMPARE(*order, (QStringList{"block", "seen", "near"}));
  }

  void clearEmptiesAndDropsDecodesStillRunning() {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    auto gate = std::make_shared<QSemaphore>(0);
    ThumbnailCache cache(&pool, [gate](const QString&, int, const std::atomic<bool>&) {
      gate->acquire();
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(Qt::green);
      return image;
    });
    const QString f = File("d.jpg");
    Paint(cache, {f, File("e.jpg")}, 100);
    cache.Clear();
    QCOMPARE(cache.PendingCount(), 0);
    gate->release(2);
    QVERIFY(Settle(cache));
    QCOMPARE(cache.Count(), 0);
    QVERIFY(!cache.Find(f, 100));
  }

  // A long decode (a huge drawing) is told to stop when its picture is no
  // longer wanted: the cache was cleared, or is going with the window.
  void aRunningDecodeIsToldToStopWhenClearedOrGone() {
    for (const bool clear : {true, false}) {
      QThreadPool pool;
      pool.setMaxThreadCount(1);
      auto started = std::make_shared<QSemaphore>(0);
      auto stopped = std::make_shared<QAtomicInt>(0);
      {
        ThumbnailCache cache(&pool, [started, stopped](const QString&, int, const std::atomic<bool>& cancelled) {
          started->release();
          QDeadlineTimer guard(60000);  // only so that a fault fails instead of hanging
          while (!cancelled && !guard.hasExpired()) QThread::msleep(1);
          if (cancelled) stopped->storeRelaxed(1);
          return QImage();
        });
        Paint(cache, {File("huge.dxf")}, 100);
        QVERIFY(started->tryAcquire(1, 60000));
        if (clear) {
          cache.Clear();
          pool.waitForDone();
          QCOMPARE(stopped->loadRelaxed(), 1);
        }
      }
      pool.waitForDone();
      QCOMPARE(stopped->loadRelaxed(), 1);
    }
  }

  void cacheMayGoWhileADecodeRuns() {
    QThreadPool pool;
    auto gate = std::make_shared<QSemaphore>(0);
    std::unique_ptr<EventsTo> toTheCache;
    {
      ThumbnailCache cache(&pool, [gate](const QString&, int, const std::atomic<bool>&) {
        gate->acquire();
        return QImage();
      });
      toTheCache = std::make_unique<EventsTo>(&cache);
      Paint(cache, {File("f.jpg")}, 100);
      QCOMPARE(cache.RunningCount(), 1);
    }
    gate->release();
    QVERIFY(pool.waitForDone(5000));
    QCoreApplication::processEvents();
    QCOMPARE(toTheCache->count, 0);  // the finished decode posted nothing to the cache gone
  }

  // The lists' decoder follows the picture module's order: the camera's
  // thumbnail when it is at least the cell size, else the JPEG decoder at
  // the reduction for the cell, the general library for other files.
  void decoderFollowsThePictureModulesOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("decoded");
    QTest::addColumn<QColor>("colour");
    const QColor red(220, 20, 20), green(20, 200, 20);
    QTest::newRow("camera thumbnail") << "exif.jpg" << 140 << QSize(160, 120) << red;
    QTest::newRow("thumbnail smaller than the cell") << "exif.jpg" << 200 << QSize(320, 240) << green;
    QTest::newRow("small thumbnail: 1/4") << "small_exif.jpg" << 140 << QSize(160, 120) << green;
    QTest::newRow("large photo: 1/8") << "large.jpg" << 140 << QSize(200, 150) << green;
    QTest::newRow("TIFF through the general library") << "photo.tif" << 140 << QSize(64, 48) << green;
    QTest::newRow("missing") << "none.jpg" << 140 << QSize(0, 0) << QColor();
    QTest::newRow("not a picture") << "notes.jpg" << 140 << QSize(0, 0) << QColor();
  }
  void decoderFollowsThePictureModulesOrder() {
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(QSize, decoded);
    QFETCH(QColor, colour);
    const std::filesystem::path dir(QFile::encodeName(dir_.path()).toStdString());
    const Bgr greenPixel{20, 200, 20}, redPixel{20, 20, 220};
    const Bitmap main = samples::Solid(640, 480, greenPixel);
    const Bitmap thumbnail = samples::Solid(160, 120, redPixel);
    const Bitmap small = samples::Solid(80, 60, redPixel);
    samples::WriteBytes(dir / "exif.jpg", samples::JpegWithExif(main, &thumbnail));
    samples::WriteBytes(dir / "small_exif.jpg", samples::JpegWithExif(main, &small));
    samples::WriteBytes(dir / "large.jpg", samples::JpegWithExif(samples::Solid(1600, 1200, greenPixel), nullptr));
    QVERIFY(WriteImageFile(samples::Solid(64, 48, greenPixel), dir / "photo.tif", "TIFF"));
    samples::WriteText(dir / "notes.jpg", "no picture");

    const std::atomic<bool> notCancelled{false};
    const QImage image = DecodeThumbnail(dir_.path() + QLatin1Char('/') + name, size, notCancelled);
    QCOMPARE(image.size(), decoded);
    if (image.isNull()) return;
    const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
    QVERIFY2(qAbs(middle.red() - colour.red()) < 16 && qAbs(middle.green() - colour.green()) < 16,
             qPrintable(middle.name()));
  }
};

QTEST_MAIN(ThumbnailCacheTest)
#include "thumbnail_cache_test.moc"

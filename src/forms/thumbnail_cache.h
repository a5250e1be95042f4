// Decoded thumbnails of both photo lists, decoded on a bounded pool of
// worker threads. A cell asks for its picture while it paints; when the
// picture is not there yet the request is queued and the cell paints its
// background and frames. Requests of the cells on screen go first, those of
// nearby cells next, and requests of cells that scrolled away are dropped.
//
// Entries are keyed by file and cell size, so a picture decoded smaller than
// the cell (a 160 x 120 camera thumbnail for a 140 cell) is found again, and
// checked against the file's modification time. The cache keeps at least
// kMinEntries pictures and beyond that at most its byte budget.
#pragma once

#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class QThreadPool;

namespace zor {

class ThumbnailCache : public QObject {
  Q_OBJECT
 public:
  // Runs on a worker thread; must not touch shared state. cancelled is set
  // when the picture is no longer wanted (the cache was cleared or is going):
  // a long decode may stop early.
  using Decoder = std::function<QImage(const QString& file, int size, const std::atomic<bool>& cancelled)>;

  static constexpr int kMinEntries = 51;
  static constexpr qint64 kDefaultByteBudget = 96ll * 1024 * 1024;

  enum class State { kMissing, kPending, kReady, kFailed };
  enum Priority { kVisible = 0, kNearby = 1 };

  // Workers for a machine of that many cores: one per core, so the first
  // screen decodes on all of them, at most kMaxWorkers; one on one core.
  static constexpr int kMaxWorkers = 8;
  static int WorkerCount(int cores);

  // The pool is not owned; at most its maxThreadCount decodes run at once.
  ThumbnailCache(QThreadPool* pool, Decoder decoder, QObject* parent = nullptr);
  ~ThumbnailCache() override;

  // The picture when it is decoded, else nullptr; state tells why. The
  // pixmap is reduced to what a cell of that size can show; decodedSize is
  // the size the decoder gave, which the cell's geometry is computed from.
  const QPixmap* Find(const QString& file, int size, State* state = nullptr, QSize* decodedSize = nullptr);
  // Queues a decode unless the picture is held or on its way. A requester
  // (one list) marks its requests so that EndPass drops only its own.
  void Request(const QString& file, int size, Priority priority, const void* requester);
  // A repaint of one list: requests of that list not renewed between
  // BeginPass and EndPass are dropped, the rest are started.
  void BeginPass(const void* requester);
  void EndPass(const void* requester);

  // For ms from now one core fewer decodes, so that a list scrolling on a
  // machine whose cores all decode still gets one; then all decode again.
  // With one worker that worker keeps decoding.
  void KeepACoreFree(int ms);

  // Frees every picture and forgets every request (each load, file drop);
  // decodes still running are told to stop.
  void Clear();
  void SetByteBudget(qint64 bytes) { byteBudget_ = bytes; }

  int Count() const { return static_cast<int>(entries_.size()); }
  qint64 Bytes() const { return bytes_; }
  int PendingCount() const { return static_cast<int>(pending_.size()); }
  int RunningCount() const { return running_; }
  // Decodes started since the cache was made; for tests and the benchmark.
  int DecodesStarted() const { return decodesStarted_; }

 signals:
  // A picture (or its failure) arrived; the lists repaint.
  void Decoded(const QString& file, int size);

 private:
  struct Entry {
    QPixmap pixmap;
    QSize decodedSize;
    bool failed = false;
    QDateTime modified;
    qint64 bytes = 0;
    quint64 lastUse = 0;
  };
  struct Job {
    QString key;
    QString file;
    int size = 0;
    int priority = 0;
    const void* requester = nullptr;
    quint64 pass = 0;
  };
  struct Channel;  // how workers reach the cache while it lives

  static QString KeyOf(const QString& file, int size);
  // On the worker: the picture reduced so its shorter side is size, enough
  // for both fits, so that painting stretches little and the cache stays small.
  static QImage Reduce(const QImage& image, int size);
  void Pump();
  void Finished(quint64 generation, const QString& key, const QString& file, int size, const QImage& image,
                QSize decodedSize, const QDateTime& modified);
  void Evict();

  QThreadPool* pool_;
  Decoder decoder_;
  std::shared_ptr<Channel> channel_;
  std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);  // this generation's
  QHash<QString, Entry> entries_;
  QList<Job> pending_;
  QHash<QString, bool> running_keys_;
  QHash<const void*, quint64> passes_;
  int running_ = 0;
  int decodesStarted_ = 0;
  quint64 generation_ = 0;
  quint64 useClock_ = 0;
  qint64 bytes_ = 0;
  qint64 byteBudget_ = kDefaultByteBudget;
  QDeadlineTimer coreFreeUntil_;  // expired: every worker decodes
  QTimer resume_;
};

}  // namespace zor

#include "forms/thumbnail_cache.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>
#include <algorithm>

namespace zor {

// Workers hold this, not the cache: the cache clears owner when it goes, so
// a decode that ends later posts nothing.
struct ThumbnailCache::Channel {
  QMutex mutex;
  ThumbnailCache* owner = nullptr;
};

ThumbnailCache::ThumbnailCache(QThreadPool* pool, Decoder decoder, QObject* parent)
    : QObject(parent), pool_(pool), decoder_(std::move(decoder)), channel_(std::make_shared<Channel>()) {
  channel_->owner = this;
  resume_.setSingleShot(true);
  connect(&resume_, &QTimer::timeout, this, &ThumbnailCache::Pump);
}

ThumbnailCache::~ThumbnailCache() {
  cancelled_->store(true);
  QMutexLocker lock(&channel_->mutex);
  channel_->owner = nullptr;
}

int ThumbnailCache::WorkerCount(int cores) { return std::clamp(cores, 1, kMaxWorkers); }

QString ThumbnailCache::KeyOf(const QString& file, int size) { return QString::number(size) + QLatin1Char('|') + file; }

QImage ThumbnailCache::Reduce(const QImage& image, int size) {
  const int shorter = std::min(image.width(), image.height());
  if (size <= 0 || shorter <= size) return image;
  return image.width() < image.height() ? image.scaledToWidth(size, Qt::SmoothTransformation)
                                        : image.scaledToHeight(size, Qt::SmoothTransformation);
}

const QPixmap* ThumbnailCache::Find(const QString& file, int size, State* state, QSize* decodedSize) {
  auto set = [state](State s) {
    if (state) *state = s;
  };
  const QString key = KeyOf(file, size);
  auto it = entries_.find(key);
  if (it != entries_.end()) {
    // A file replaced since it was decoded is decoded again.
    if (QFileInfo(file).lastModified() == it->modified) {
      it->lastUse = ++useClock_;
      if (it->failed) {
        set(State::kFailed);
        return nullptr;
      }
      set(State::kReady);
      if (decodedSize) *decodedSize = it->decodedSize;
      return &it->pixmap;
    }
    bytes_ -= it->bytes;
    entries_.erase(it);
  }
  set(running_keys_.contains(key) ? State::kPending : State::kMissing);
  for (const Job& job : pending_)
    if (job.key == key) set(State::kPending);
  return nullptr;
}

void ThumbnailCache::Request(const QString& file, int size, Priority priority, const void* requester) {
  const QString key = KeyOf(file, size);
  if (entries_.contains(key) || running_keys_.contains(key)) return;
  const quint64 pass = passes_.value(requester);
  for (Job& job : pending_) {
    if (job.key != key) continue;
    job.priority = std::min(job.priority, static_cast<int>(priority));
    job.requester = requester;
    job.pass = pass;
    return;
  }
  pending_.append(Job{key, file, size, priority, requester, pass});
}

void ThumbnailCache::BeginPass(const void* requester) { ++passes_[requester]; }

void ThumbnailCache::EndPass(const void* requester) {
  const quint64 pass = passes_.value(requester);
  pending_.removeIf([&](const Job& job) { return job.requester == requester && job.pass != pass; });
  Pump();
}

void ThumbnailCache::KeepACoreFree(int ms) {
  coreFreeUntil_.setRemainingTime(ms);
  resume_.start(ms);
}

void ThumbnailCache::Pump() {
  int limit = std::max(1, pool_->maxThreadCount());
  if (!coreFreeUntil_.hasExpired()) limit = std::max(1, limit - 1);
  while (running_ < limit && !pending_.isEmpty()) {
    // Visible cells first, then in the order they were asked for.
    auto best = std::min_element(pending_.begin(), pending_.end(),
                                 [](const Job& a, const Job& b) { return a.priority < b.priority; });
    Job job = *best;
    pending_.erase(best);
    running_keys_.insert(job.key, true);
    ++running_;
    ++decodesStarted_;
    std::shared_ptr<Channel> channel = channel_;
    Decoder decoder = decoder_;
    const quint64 generation = generation_;
    std::shared_ptr<const std::atomic<bool>> cancelled = cancelled_;
    const QString key = job.key;
    const QString file = job.file;
    const int size = job.size;
    pool_->start([channel, decoder, generation, cancelled, key, file, size] {
      const QDateTime modified = QFileInfo(file).lastModified();
      const QImage decoded = decoder(file, size, *cancelled);
      const QSize decodedSize = decoded.size();
      const QImage image = Reduce(decoded, size);
      QMutexLocker lock(&channel->mutex);
      if (ThumbnailCache* owner = channel->owner)
        QMetaObject::invokeMethod(
            owner,
            [owner, generation, key, file, size, image, decodedSize, modified] {
              owner->Finished(generation, key, file, size, image, decodedSize, modified);
            },
            Qt::QueuedConnection);
    });
  }
}

void ThumbnailCache::Finished(quint64 generation, const QString& key, const QString& file, int size,
                              const QImage& image, QSize decodedSize, const QDateTime& modified) {
  --running_;
  if (generation == generation_) {
    running_keys_.remove(key);
    Entry entry;
    entry.failed = image.isNull();
    if (!entry.failed) entry.pixmap = QPixmap::fromImage(image);
    entry.decodedSize = decodedSize;
    entry.modified = modified;
    entry.bytes = entry.failed ? 256 : static_cast<qint64>(image.sizeInBytes());
    entry.lastUse = ++useClock_;
    bytes_ += entry.bytes;
    entries_.insert(key, std::move(entry));
    Evict();
  }
  Pump();
  if (generation == generation_) emit Decoded(file, size);
}

void ThumbnailCache::Evict() {
  // The least recently used go first, but never below kMinEntries pictures.
  while (entries_.size() > kMinEntries && bytes_ > byteBudget_) {
    auto oldest = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it->lastUse < oldest->lastUse) oldest = it;
    bytes_ -= oldest->bytes;
    entries_.erase(oldest);
  }
}

void ThumbnailCache::Clear() {
  entries_.clear();
  pending_.clear();
  running_keys_.clear();
  bytes_ = 0;
  ++generation_;  // decodes still running are thrown away when they end
  cancelled_->store(true);
  cancelled_ = std::make_shared<std::atomic<bool>>(false);
}

}  // namespace zor

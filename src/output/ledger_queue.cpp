#include "output/ledger_queue.h"

#include <chrono>

namespace zor {
namespace {

// A cancel flag set elsewhere wakes nobody; waits look at it this often.
constexpr auto kCancelPoll = std::chrono::milliseconds(50);

}  // namespace

LedgerPictureQueue::LedgerPictureQueue(const LedgerPlan& plan, int pixels, int jpegQuality, unsigned threads,
                                       const std::atomic<bool>* cancel)
    : plan_(plan), pixels_(pixels), quality_(jpegQuality), cancel_(cancel) {
  const unsigned readers = threads == 0 ? 1 : threads;
  // Two frames in hand per reader and the one the writer draws.
  slots_.resize(2 * static_cast<std::size_t>(readers) + 2);
  for (unsigned i = 0; i < readers; ++i) readers_.emplace_back([this] { Read(); });
}

LedgerPictureQueue::~LedgerPictureQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : readers_) t.join();
}

void LedgerPictureQueue::Read() {
  for (;;) {
    std::size_t frame = 0;
    {
      std::unique_lock lock(mutex_);
      for (;;) {
        if (stopping_ || Cancelled() || next_ >= plan_.frames.size()) return;
        if (next_ < taken_ + slots_.size()) break;
        changed_.wait_for(lock, kCancelPoll);
      }
      frame = next_++;
    }
    const std::string& file = plan_.frames[frame].picture;
    LedgerPicture picture = file.empty() ? LedgerPicture{} : PrepareLedgerPicture(file, pixels_, quality_, cancel_);
    {
      std::lock_guard lock(mutex_);
      Slot& slot = slots_[frame % slots_.size()];
      slot.frame = frame;
      slot.picture = std::move(picture);
      slot.ready = true;
    }
    changed_.notify_all();
  }
}

std::optional<LedgerPicture> LedgerPictureQueue::Take(std::size_t i) {
  std::unique_lock lock(mutex_);
  Slot& slot = slots_[i % slots_.size()];
  while (!(slot.ready && slot.frame == i)) {
    if (Cancelled()) return std::nullopt;
    changed_.wait_for(lock, kCancelPoll);
  }
  std::optional<LedgerPicture> picture(std::move(slot.picture));
  slot = Slot{};
  taken_ = i + 1;
  lock.unlock();
  changed_.notify_all();
  return picture;
}

}  // namespace zor

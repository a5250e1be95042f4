// The ledger's pictures, read on a few threads ahead of the page being
// written: at most a window of frames past the one the writer waits for is
// read, so memory stays bounded whatever the number of frames.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "output/ledger_picture.h"
#include "output/ledger_plan.h"

namespace zor {

class LedgerPictureQueue {
 public:
  // Starts threads readers (at least one) over the plan's frames, each
  // picture read for pixels and encoded at jpegQuality.
  LedgerPictureQueue(const LedgerPlan& plan, int pixels, int jpegQuality, unsigned threads,
                     const std::atomic<bool>* cancel);
  // Stops the readers and waits for them.
  ~LedgerPictureQueue();
  LedgerPictureQueue(const LedgerPictureQueue&) = delete;
  LedgerPictureQueue& operator=(const LedgerPictureQueue&) = delete;

  // Waits for frame i's picture, taken in frame order; nothing when the
  // run was cancelled meanwhile. A frame without a file gives an empty
  // picture whose reason is empty.
  std::optional<LedgerPicture> Take(std::size_t i);

 private:
  struct Slot {
    std::size_t frame = 0;
    bool ready = false;
    LedgerPicture picture;
  };
  bool Cancelled() const { return cancel_ && cancel_->load(); }
  void Read();

  const LedgerPlan& plan_;
  const int pixels_;
  const int quality_;
  const std::atomic<bool>* cancel_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;  // frame i in slot i % size
  std::size_t next_ = 0;     // the next frame to read
  std::size_t taken_ = 0;    // frames taken by the writer
  bool stopping_ = false;
  std::vector<std::thread> readers_;
};

}  // namespace zor

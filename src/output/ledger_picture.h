// A picture made ready for the ledger's page, on any thread: decoded through
// the program's loaders (a JPEG at the DCT scale that still gives the box's
// resolution), brought down to that resolution, re-encoded as a JPEG and
// held as a cairo image surface that carries those JPEG bytes, which the PDF
// embeds as they are.
#pragma once

#include <cairo.h>

#include <atomic>
#include <memory>
#include <string>

namespace zor {

struct LedgerPicture {
  std::shared_ptr<cairo_surface_t> surface;  // nothing when the picture could not be read
  int width = 0;                             // the picture's own pixels, before any reduction
  int height = 0;
  std::size_t jpegBytes = 0;                 // what the PDF embeds
  std::string reason;                        // why it could not be read (ASCII)
};

// Reads file (UTF-8) for a box whose longer side needs pixels; jpegQuality
// for the embedded copy. cancelled stops a long drawing early.
LedgerPicture PrepareLedgerPicture(const std::string& file, int pixels, int jpegQuality,
                                   const std::atomic<bool>* cancelled);

}  // namespace zor

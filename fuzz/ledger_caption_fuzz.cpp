// Feeds arbitrary values (code page 932 bytes, as a delivery gives them) to
// the ledger's caption: rows split at NUL bytes, drawn into a frame of a PDF
// that goes nowhere. Long, broken or control-laden text may be set small or
// cut, never read out of bounds, loop or abort.
#include <cairo-pdf.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output/album_rows.h"
#include "output/ledger_layout.h"
#include "output/ledger_page.h"
#include "output/ledger_plan.h"

namespace {

cairo_status_t Discard(void*, const unsigned char*, unsigned int) { return CAIRO_STATUS_SUCCESS; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 8192) return 0;
  const std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
  zor::LedgerFrame frame;
  frame.number = 1;
  frame.representative = data[0] & 1;
  frame.frequency = data[0] & 2;
  std::size_t start = 0;
  while (start <= all.size()) {
    std::size_t end = all.find('\0', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view piece = all.substr(start, end - start);
    if (frame.fileName.empty())
      frame.fileName = std::string(piece);
    else
      frame.rows.push_back({std::string(piece.substr(0, 16)), std::string(piece)});
    start = end + 1;
  }
  cairo_surface_t* pdf = cairo_pdf_surface_create_for_stream(Discard, nullptr, zor::kLedgerPageWidth,
                                                             zor::kLedgerPageHeight);
  cairo_t* cr = cairo_create(pdf);
  {
    const zor::LedgerLayout layout(data[0] & 4 ? 2 : 3);
    zor::LedgerPainter painter(cr, layout);
    painter.Header(frame.fileName, frame.fileName);
    painter.Frame(0, frame, nullptr);
    painter.Footer(2, 2);
  }
  cairo_show_page(cr);
  cairo_destroy(cr);
  cairo_surface_finish(pdf);
  cairo_surface_destroy(pdf);
  return 0;
}

// The blackboard's XMP packet reader on arbitrary bytes: as a packet, as a
// JPEG's header with its APP1 segments, as an SVG document (its packet and
// its embedded pictures) and as a PNG's chunks. Whatever the bytes, every
// value read stays within its bound.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "inspect/blackboard_packet.h"
#include "inspect/jpeg_segments.h"
#include "inspect/svg_layers.h"
#include "inspect/xmp_packets.h"

namespace {

void CheckBounds(const zor::BlackboardPacket& p) {
  using zor::kMaxBlackboardValue;
  const zor::Blackboard& b = p.values;
  auto value = [](const std::string& v) {
    if (v.size() > kMaxBlackboardValue) __builtin_trap();
  };
  for (const std::string* v : {&b.constructionName, &b.contractor, &b.largeClassification, &b.photoClassification,
                               &b.constructionType, &b.middleClassification, &b.smallClassification, &b.title,
                               &b.shootingSpot, &b.isRepresentative, &b.isFrequencyOfSubmission, &b.contractorRemarks})
    value(*v);
  if (b.classificationRemarks.size() > zor::kMaxClassificationRemarks) __builtin_trap();
  if (b.measurements.size() > zor::kMaxMeasurements) __builtin_trap();
  for (const zor::BlackboardMeasurements& m : b.measurements) {
    value(m.classification);
    if (m.items.size() > zor::kMaxMeasurementItems) __builtin_trap();
    for (const zor::BlackboardMeasurementItem& i : m.items) {
      for (const std::string* v : {&i.name, &i.mark, &i.designedValue, &i.measuredValue, &i.unitName}) value(*v);
      if (i.remarks.size() > zor::kMaxItemRemarks) __builtin_trap();
    }
  }
  if (p.status != zor::BlackboardPacket::Status::kRead && !b.measurements.empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CheckBounds(zor::ReadBlackboardPacket(bytes));
  if (zor::LooksLikeJpeg(bytes)) {
    const zor::JpegHeader header = zor::WalkJpegHeader(bytes);
    CheckBounds(zor::ReadJpegBlackboard(bytes, header.segments));
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckBounds(zor::ReadSvgBlackboard(text));
  if (zor::ReadSvgLayers(text).size() > 2) __builtin_trap();
  CheckBounds(zor::ReadPngBlackboard(bytes));
  return 0;
}

#include "inspect/jpeg_segments.h"

namespace zor {

namespace {

// Frame headers: SOF0 .. SOF15 except DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(std::uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

// Markers without a length field.
bool IsStandalone(std::uint8_t m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

JpegHeader Fault(JpegHeader h, const char* why) {
  h.status = JpegHeader::Status::kFault;
  h.fault = why;
  return h;
}

}  // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

JpegHeader WalkJpegHeader(std::span<const std::uint8_t> bytes) {
  JpegHeader h;
  if (bytes.size() < 3) return h;
  if (!LooksLikeJpeg(bytes)) return Fault(h, "開始マーカーがありません");
  std::size_t p = 2;
  while (true) {
    if (p >= bytes.size()) return h;
    if (bytes[p] != 0xFF) return Fault(h, "セグメントがマーカーで始まっていません");
    // Fill bytes (FF FF ...) may stand before a marker.
    std::size_t m = p + 1;
    while (m < bytes.size() && bytes[m] == 0xFF) ++m;
    if (m >= bytes.size()) return h;
    const std::uint8_t marker = bytes[m];
    if (marker == 0x00) return Fault(h, "ヘッダーに不正なバイトがあります");
    if (marker == 0xD9) return Fault(h, "画像データの前に終わりのマーカーがあります");
    if (marker == 0xD8) return Fault(h, "開始マーカーが二つあります");
    if (IsStandalone(marker)) {
      p = m + 1;
      continue;
    }
    if (m + 2 >= bytes.size()) return h;
    const std::size_t length = (std::size_t{bytes[m + 1]} << 8) | bytes[m + 2];
    if (length < 2) return Fault(h, "セグメントの長さが不正です");
    const std::size_t data = m + 3;
    const std::size_t end = m + 1 + length;
    if (end > bytes.size()) return h;
    if (marker == 0xDA) {
      h.segments.push_back({marker, data, length - 2});
      h.sos = m - 1;
      if (h.width == 0 || h.height == 0) return Fault(h, "画像データの前にフレームヘッダーがありません");
      h.status = JpegHeader::Status::kComplete;
      return h;
    }
    h.segments.push_back({marker, data, length - 2});
    if (IsFrameHeader(marker)) {
      if (length < 8) return Fault(h, "フレームヘッダーが短すぎます");
      h.height = (bytes[data + 1] << 8) | bytes[data + 2];
      h.width = (bytes[data + 3] << 8) | bytes[data + 4];
    }
    p = end;
  }
}

}  // namespace zor

#include "store/bindata_format.h"

#include <algorithm>
#include <cstring>

namespace zor {

std::int32_t GetInt32(const unsigned char* p) {
  std::uint32_t v =
      std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(v);
}

void PutInt32(unsigned char* p, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(u >> (8 * i));
}

std::int16_t GetInt16(const unsigned char* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

void PutInt16(unsigned char* p, std::int16_t v) {
  auto u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<unsigned char>(u);
  p[1] = static_cast<unsigned char>(u >> 8);
}

std::array<unsigned char, kHeaderSize> EncodeHeader(const DataSetHeader& h) {
  std::array<unsigned char, kHeaderSize> b{};
  const std::int32_t values[] = {h.magic,    h.version,      h.recordSize,   h.recordCount, h.fieldCount,
                                 h.reserved, h.firstDeleted, h.deletedCount, h.startData};
  for (int i = 0; i < 9; ++i) PutInt32(b.data() + 4 * i, values[i]);
  return b;
}

DataSetHeader DecodeHeader(const unsigned char* p) {
  DataSetHeader h;
  h.magic = GetInt32(p);
  h.version = GetInt32(p + 4);
  h.recordSize = GetInt32(p + 8);
  h.recordCount = GetInt32(p + 12);
  h.fieldCount = GetInt32(p + 16);
  h.reserved = GetInt32(p + 20);
  h.firstDeleted = GetInt32(p + 24);
  h.deletedCount = GetInt32(p + 28);
  h.startData = GetInt32(p + 32);
  return h;
}

std::array<unsigned char, kDescriptorSize> EncodeDescriptor(const FieldDescriptor& d) {
  std::array<unsigned char, kDescriptorSize> b{};
  std::memcpy(b.data(), d.name.data(), std::min<std::size_t>(d.name.size(), kDescriptorNameSize - 1));
  b[28] = d.typeCode;
  PutInt32(b.data() + 29, d.slotWidth);
  PutInt32(b.data() + 33, d.size);
  PutInt32(b.data() + 37, d.precision);
  return b;
}

FieldDescriptor DecodeDescriptor(const unsigned char* p) {
  FieldDescriptor d;
  std::size_t len = 0;
  while (len < kDescriptorNameSize && p[len] != 0) ++len;
  d.name.assign(reinterpret_cast<const char*>(p), len);
  d.typeCode = p[28];
  d.slotWidth = GetInt32(p + 29);
  d.size = GetInt32(p + 33);
  d.precision = GetInt32(p + 37);
  return d;
}

}  // namespace zor

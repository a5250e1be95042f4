// The byte layout of a binary data-set file: a 36-byte header, one 41-byte
// descriptor per field, then fixed-length records, little-endian throughout.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "store/field_def.h"

namespace zor {

inline constexpr int kHeaderSize = 36;
inline constexpr int kDescriptorSize = 41;
inline constexpr int kDescriptorNameSize = 28;                   // zero-terminated, so 27 usable bytes
inline constexpr std::int32_t kBinaryDataSetMagic = 0x1A534442;  // "BDS" 0x1A
inline constexpr std::int32_t kBinaryDataSetVersion = 13;
inline constexpr int kRecordLinkSize = 4;  // 0 live, else the deleted chain
inline constexpr int kMaxRecordSize = 65535;
inline constexpr int kMaxFieldOffset = 32000;

struct DataSetHeader {
  std::int32_t magic = kBinaryDataSetMagic;
  std::int32_t version = kBinaryDataSetVersion;
  std::int32_t recordSize = 0;
  std::int32_t recordCount = 0;
  std::int32_t fieldCount = 0;
  std::int32_t reserved = -1;
  std::int32_t firstDeleted = -1;
  std::int32_t deletedCount = 0;
  std::int32_t startData = -1;
};

struct FieldDescriptor {
  std::string name;
  std::uint8_t typeCode = 0;
  std::int32_t slotWidth = 0;
  std::int32_t size = 0;
  std::int32_t precision = 0;
};

std::int32_t GetInt32(const unsigned char* p);
void PutInt32(unsigned char* p, std::int32_t v);
std::int16_t GetInt16(const unsigned char* p);
void PutInt16(unsigned char* p, std::int16_t v);

std::array<unsigned char, kHeaderSize> EncodeHeader(const DataSetHeader& h);
DataSetHeader DecodeHeader(const unsigned char* p);
std::array<unsigned char, kDescriptorSize> EncodeDescriptor(const FieldDescriptor& d);
FieldDescriptor DecodeDescriptor(const unsigned char* p);

}  // namespace zor

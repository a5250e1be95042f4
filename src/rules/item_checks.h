// The per-item checks that mark faulty rows of the construction, photo and
// reference drawing grids. The information panel stores the flags in the
// row and paints the row red when they are not 0.
#pragma once

#include <cstdint>
#include <string_view>

#include "rules/item_catalogue.h"

namespace zor {

// Fault flags of a grid row.
enum FaultFlag : std::uint8_t {
  kFaultRepresentation = 1,
  kFaultLength = 2,  // never set for a grid row: byte limits are shown, not checked
  kFaultLines = 4,
  kFaultEntryRule = 8,
};

// The faults that the standard's rules find in a value of a grid item,
// whatever the KeikokuRed setting; the verification counts these.
std::uint8_t ItemFaults(InfoGrid grid, int code, std::string_view value, int digi_version);

// The flags of a grid row: ItemFaults while keikoku_red is on, else 0.
std::uint8_t CheckKojiItem(int code, std::string_view value, int digi_version, bool keikoku_red);
std::uint8_t CheckPhotoItem(int code, std::string_view value, int digi_version, bool keikoku_red);
std::uint8_t CheckSankoItem(int code, std::string_view value, int digi_version, bool keikoku_red);

}  // namespace zor

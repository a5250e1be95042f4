// Byte-level helpers for code page 932 (Shift_JIS as Windows writes it).
// Every delivery text inside the core is such a byte string; lengths count
// bytes, so a full-width character counts 2.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zor {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char c);

// Length in bytes of the character starting at s[pos]: 2 for a lead byte
// followed by a trail byte, else 1 (a lead byte at the very end counts 1).
std::size_t CharLengthAt(std::string_view s, std::size_t pos);

// The full-width space of code page 932.
inline constexpr std::string_view kWideSpace = "\x81\x40";

// Removes, at both ends and repeatedly, every byte up to the blank (control
// characters and blanks) and every full-width space, never splitting a
// double-byte character.
std::string TrimWide(std::string_view s);

// The longest prefix of s of at most n bytes that does not end inside a
// double-byte character.
std::string CutToBytes(std::string_view s, std::size_t n);

// Upper-cases the single-byte letters a-z; double-byte characters are kept.
std::string UpperAscii(std::string_view s);

// Case-insensitive comparison of single-byte letters; double-byte characters
// are compared whole and exactly.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// Position of the first occurrence of needle in s, ignoring the case of
// single-byte letters and matching only at character boundaries; npos when
// absent.
std::size_t FindIgnoringCase(std::string_view s, std::string_view needle);

}  // namespace zor

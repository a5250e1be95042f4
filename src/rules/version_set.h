// Sets of applicable standards (`DigiVersion` 0-13) and values that differ
// between standards, written the way the rule tables read: "X in 2-4, 11;
// Y otherwise".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace zor {

inline constexpr int kVersionCount = 14;

// A set of small numbers as a bit mask: standards 0-13, or item codes up to 63.
using NumberSet = std::uint64_t;
using VersionSet = NumberSet;

// Calls on_number(n) for every number of a list such as "2-9, 11-13", in
// order. Meant for constant evaluation: a malformed list or a number above
// max then fails to compile.
template <typename OnNumber>
constexpr void ForEachListedNumber(std::string_view text, int max, OnNumber on_number) {
  std::size_t pos = 0;
  auto skip_blanks = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  auto number = [&] {
    skip_blanks();
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') throw "number expected";
    int n = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') n = n * 10 + (text[pos++] - '0');
    if (n > max) throw "number out of range";
    return n;
  };
  while (true) {
    int first = number();
    int last = first;
    skip_blanks();
    if (pos < text.size() && text[pos] == '-') {
      ++pos;
      last = number();
      if (last < first) throw "empty range";
      skip_blanks();
    }
    for (int n = first; n <= last; ++n) on_number(n);
    if (pos == text.size()) return;
    if (text[pos] != ',') throw "comma expected";
    ++pos;
  }
}

consteval NumberSet ParseNumberSet(std::string_view text, int max) {
  NumberSet set = 0;
  ForEachListedNumber(text, max, [&](int n) { set |= NumberSet{1} << n; });
  return set;
}

consteval VersionSet Vs(std::string_view text) { return ParseNumberSet(text, kVersionCount - 1); }
consteval NumberSet Codes(std::string_view text) { return ParseNumberSet(text, 63); }

constexpr bool InSet(NumberSet set, int n) { return n >= 0 && n < 64 && ((set >> n) & 1) != 0; }

// The three groups of standards that recur everywhere.
inline constexpr VersionSet kPhotoFileVersions = Vs("0-4, 10, 11");
inline constexpr VersionSet kConstructionIndexVersions = Vs("5-7, 12");
inline constexpr VersionSet kServicesIndexVersions = Vs("8, 9, 13");
inline constexpr VersionSet kAllVersions = Vs("0-13");

// A value that depends on the standard: the first case whose set holds the
// version, else the default.
template <typename T>
struct ByVersion {
  struct Case {
    VersionSet in;
    T value;
  };

  ByVersion() = default;
  // Implicit, so that a value that never changes reads unwrapped in the tables.
  ByVersion(T value) : otherwise(std::move(value)) {}
  ByVersion(std::initializer_list<Case> cases, T value) : cases(cases), otherwise(std::move(value)) {}

  const T& At(int version) const {
    for (const Case& c : cases)
      if (InSet(c.in, version)) return c.value;
    return otherwise;
  }

  std::vector<Case> cases;
  T otherwise{};
};

}  // namespace zor

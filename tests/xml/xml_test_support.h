// Shared helpers of the XML tests: temporary folders, files and a compact
// form of the node tree to compare against.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "xml/xml_tree.h"

namespace zor::testing {

inline const std::string kXmlData = std::string(ZOR_TEST_DATA) + "/xml/";

// A folder that lives as long as the object.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zor_xml_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  // Writes bytes to name inside the folder and returns the full path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string full = path_ + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
    return full;
  }

 private:
  std::string path_;
};

// One node as the tests write it: UTF-8 texts, no value as nullopt.
struct N {
  int level;
  std::string text;
  std::optional<std::string> value;
  bool operator==(const N&) const = default;
};

inline void PrintTo(const N& n, std::ostream* os) {
  *os << "{" << n.level << ", \"" << n.text << "\", " << (n.value ? "\"" + *n.value + "\"" : std::string("none"))
      << "}";
}

inline std::vector<N> Summary(const TXMLTreeView& view) {
  std::vector<N> out;
  for (const XmlNode& node : view.Nodes()) {
    std::optional<std::string> value;
    if (node.Value) value = Cp932ToUtf8(*node.Value);
    out.push_back({node.Level, Cp932ToUtf8(node.Text), value});
  }
  return out;
}

}  // namespace zor::testing

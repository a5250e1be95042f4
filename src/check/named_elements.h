// The elements of a delivery's index and management files that name its
// folders and files: every element whose name ends in フォルダ名 names a
// folder (<写真フォルダ名>PHOTO</写真フォルダ名>, <報告書オリジナルファイル
// フォルダ名>REPORT/ORG</…>), every one whose name ends in ファイル名 a file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "xml/xml_tree.h"

namespace zor {

struct NamedElement {
  std::string element;  // the element's name (code page 932)
  std::string value;    // its value, trimmed (code page 932)
  // The value as components on disk (UTF-8, read from the UTF-8 text when
  // code page 932 lacks some of its characters); nothing when it leads out
  // of the delivery ("..").
  std::optional<std::vector<std::string>> components;
  std::string shown;  // the value as findings show it (code page 932, escaped where needed)
};

struct NamedElements {
  std::vector<NamedElement> folders;  // names ending in フォルダ名
  std::vector<NamedElement> files;    // names ending in ファイル名
};

// The elements with a non-empty value that name folders or files, in
// document order.
NamedElements CollectNamedElements(const TXMLTreeView& view);

// The folders an index (INDEX_C.XML, INDEX_D.XML; a UTF-8 path) names,
// read as a well-formed document with the validating parser (nothing is
// loaded from outside it). read is false when the file could not be read;
// error then says why (code page 932, one line), line where.
struct IndexFolders {
  bool read = false;
  std::string error;
  int line = 0;
  std::vector<NamedElement> folders;
};
IndexFolders ReadIndexFolders(const std::string& indexFile);

// An error text of the node tree's parsers (several lines joined with
// CR LF) as one line: its first line, or the first two when the first is
// only the kind of error.
std::string ParseErrorLine(const std::string& errorText);

}  // namespace zor

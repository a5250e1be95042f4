// The label and value rows of the album's tables, by DigiVersion. A row with
// an empty value is not written; a number of 0 is given as an empty value.
#pragma once

#include <string>
#include <vector>

namespace zor {

class Delivery;

struct AlbumRow {
  std::string label;  // code page 932
  std::string value;  // code page 932, not yet escaped
};

// Page 1: the photo basic information.
std::vector<AlbumRow> BasicRows(const Delivery& d);
// Page 1: the construction information.
std::vector<AlbumRow> ConstructionRows(const Delivery& d);
// The current photo record; serial is its copy's number, path the captions
// of its tree node's levels 1 .. n.
std::vector<AlbumRow> PhotoRows(const Delivery& d, int serial, const std::vector<std::string>& path);
// The current drawing record.
std::vector<AlbumRow> DrawingRows(const Delivery& d);

}  // namespace zor

// The picture files a photo file lists, as the reader found them: the name
// as written, the file on disk it resolved to, and whether it sits on a
// medium that was not at hand. The records keep only the path they show
// (a placeholder for a missing picture), so the checks of the pictures
// themselves read this list.
#pragma once

#include <string>
#include <vector>

namespace zor {

struct ListedPicture {
  int record = 0;
  bool drawing = false;      // a reference drawing (参考図) rather than a photo
  std::string name;          // the file name as listed (code page 932)
  std::string file;          // the file found on disk (UTF-8); empty when missing
  bool otherMedium = false;  // listed on another medium that was not at hand
  std::string serial;        // シリアル番号 as written (code page 932); photos of the current layout
  int photo = 0;             // the photo's record: this one's, or for a drawing its photo's
};

struct ListedPictures {
  std::string root;  // the delivery's folder on disk (UTF-8, ends in '/')
  // The current layout names its pictures "P" or "D" + 7 digits.
  bool currentLayout = false;
  std::vector<ListedPicture> entries;  // in record order
  // The picture and drawing folders the photo file names, as found on disk
  // (UTF-8, ending in '/'), whether or not any listed file is in them.
  std::vector<std::string> folders;
};

}  // namespace zor

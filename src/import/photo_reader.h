// The load that the three photo file readers share: parse, re-create the
// photo table and the tree, walk the nodes in document order appending one
// record per photo and per drawing, ask for each medium of a delivery on
// several media, and finish. Each layout brings its element mapping and its
// finishing steps.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/delivery_files.h"
#include "import/element_names.h"
#include "import/import_context.h"
#include "import/photo_elements.h"
#include "store/hierarchy.h"
#include "store/photo_table.h"
#include "xml/xml_tree.h"

namespace zor {

class PhotoFileReader {
 public:
  PhotoFileReader(ImportContext& ctx, const std::string& photoFile, const std::string& workName);
  virtual ~PhotoFileReader() = default;
  PhotoFileReader(const PhotoFileReader&) = delete;
  PhotoFileReader& operator=(const PhotoFileReader&) = delete;

  // The whole load. False when the file does not parse (nothing changed) or
  // when an error of the record file ended it (its message shown).
  bool Read();

 protected:
  struct DrawingEntry {
    std::string file;                     // 参考図ファイル名
    std::optional<std::string> fileUtf8;  // the same as read, when code page 932 lacks some of it
    std::string japaneseName;
    std::string title;
    std::string reserve;
  };

  // A picture folder named by the delivery, relative to a folder on disk.
  struct PictureFolder {
    bool set = false;
    std::string base;                                    // UTF-8, ends in '/'
    std::optional<std::vector<std::string>> components;  // nothing: it climbs out with ".."
    std::string text;                                    // the folder as the photo file writes it (code page 932)
  };

  // The layout's element table; the element of its photo sections is
  // 写真情報, of a photo's medium メディア番号.
  virtual std::span<const PhotoElement> Elements() const = 0;
  // A 適用要領基準 value, for the layouts that name their standard.
  virtual void ApplyStandard(const std::string& value) { (void)value; }
  // The layout's folders lie beside the photo file, not below the delivery root.
  virtual bool FoldersBesidePhotoFile() const { return false; }
  // Fields written just before the photo record is posted, besides FILENAME.
  virtual void FillPhotoRecord() = 0;
  // Appends the drawing records of the finished photo.
  void AddDrawings();
  // Empties what one section collected.
  virtual void ClearSection();
  // The steps after the walk that decide DigiVersion and the panels.
  virtual void FinishLoad() = 0;
  // The layout names its pictures "P" / "D" + 7 digits.
  virtual bool FixedPictureNames() const { return false; }

  // Helpers for the layouts.
  TViewDataSet& Table() { return ctx_.delivery.PhotoTable; }
  const PhotoFieldPositions& Field() const { return ctx_.delivery.PhotoTable.FieldPos; }
  void SetText(int pos, std::string_view value);
  void SetInteger(int pos, std::string_view value);  // the value's leading number, 0 without one
  // The folder named sjisName, or utf8Name when given (a name code page 932
  // cannot hold), below base.
  PictureFolder FolderFrom(const std::string& base, std::string_view sjisName,
                           const std::optional<std::string>& utf8Name = std::nullopt) const;
  // Appends a value to a reserve text: each non-empty value, after a CR LF
  // when the text is not empty.
  static void JoinReserve(std::string& text, std::string_view value);
  // Appends one drawing record for the file name (code page 932) and fills
  // JFILENAME, TITLE and YOBI_FJ from the entry when given.
  void AppendDrawingRecord(const std::string& fileName, const DrawingEntry* entry);

  ImportContext& ctx_;
  const std::string photoFile_;  // absolute, UTF-8
  const std::string workName_;
  const std::string root_;  // the delivery root, ends in '/'

  PictureFolder photoFolder_;
  PictureFolder drawingFolder_;
  int standard_ = 7;
  int photoMedium_ = 1;  // kept from photo to photo when a photo names none
  std::string photoFileName_;
  std::optional<std::string> photoFileNameUtf8_;  // as read, when code page 932 lacks some of it
  std::string serial_;                            // シリアル番号 of the photo being read
  HierarchyPath classification_;
  std::string workTypeReserve_;
  // Only the earlier layouts have these reserves; the current one leaves them empty.
  std::string shootingReserve_;
  std::string controlReserve_;
  std::string photoReserve_;
  std::vector<DrawingEntry> drawings_;
  std::string drawingNames_[3];  // drawings named in the photo section itself

 private:
  // The element table as ids of names, rows found by the id of their last name.
  struct ElementTable {
    ElementNames names;
    std::vector<std::vector<int>> paths;   // per row: ids of path[1] .. path[level]
    std::vector<std::vector<int>> byLast;  // per id of a last name: its rows
    int photoSection = ElementNames::kUnknown;
    int medium = ElementNames::kUnknown;
    explicit ElementTable(std::span<const PhotoElement> elements);
    const PhotoElement* Find(std::span<const PhotoElement> elements, int level, const ElementPath& path) const;
  };

  bool Load();
  bool DetectMultiMedia(const TXMLTreeView& view, const std::vector<int>& ids, int medium) const;
  // The one step from an element to what it fills.
  void ApplyElement(const PhotoElement& element, const XmlNode& node);
  std::string& Reserve(int which);
  void StartPhotoRecord();
  void FinishSection(const ElementPath& path, int photoSection);
  void FinishPhoto();
  // The picture named sjisName, or utf8Name when given (a name code page
  // 932 cannot hold), in the folder.
  std::optional<std::string> FindPicture(const PictureFolder& folder, const std::string& sjisName,
                                         const std::optional<std::string>& utf8Name = std::nullopt);
  // The path a record stores for a picture: its work copy in multi-media
  // mode, the placeholder when it is missing. A path the record cannot hold
  // whole (too long, or with characters code page 932 lacks) is stored as
  // a link in the work folder to the picture. placeholder_used tells when
  // the placeholder is stored.
  std::string StoredPath(std::optional<std::string> file, const char* copyFolder, bool* placeholder_used = nullptr);
  // The work copy of a picture of a delivery on several media, made once.
  std::string WorkCopyOf(const std::string& source, const char* copyFolder);
  // Keeps the name of the current record's picture that was not found.
  void NoteMissing(const PictureFolder& folder, const std::string& sjisName);
  void ListPicture(bool drawing, const std::string& name, const std::optional<std::string>& file, bool otherMedium);
  void WarnAboutInvalidLevels();

  DeliveryFileFinder finder_;
  std::set<std::string> outside_;              // picture names that lead out of the delivery
  std::map<std::string, std::string> copies_;  // a multi-media picture -> its work copy
  int uncopied_ = 0;                           // pictures left uncopied for want of space
  bool multiMedia_ = false;
  int currentMedium_ = 1;
  int recordNumber_ = 0;
  int linkedPaths_ = 0;      // pictures found whose path the record holds as a link
  int unstorablePaths_ = 0;  // ... and could not even do that
  bool recordOpen_ = false;  // the appended photo record is in insert state
};

// "メディア" + the number in full-width digits + "をセットしてください。\r\nよろしいですか？"
std::string MediumQuestion(int medium);

}  // namespace zor

#include "import/photo_reader.h"

#include <filesystem>

#include "import/reader_support.h"
#include "store/level_warning.h"
#include "store/photo_table.h"
#include "text/encoding.h"
#include "text/lenient.h"
#include "text/sjis.h"

namespace zor {
namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path abs = std::filesystem::absolute(path, ec);
  return ec ? path : abs.lexically_normal().string();
}

// The oldest layout writes dates as eight digits: 19990801 becomes
// 1999-08-01. Only the length is looked at, so 1999/8/1 becomes 1999-/8-/1;
// a value whose cuts would split a double-byte character is kept as it is.
std::string EightDigitDate(const std::string& value) {
  if (value.size() != 8) return value;
  std::size_t pos = 0;
  while (pos < 6) pos += CharLengthAt(value, pos);
  if (pos != 6) return value;
  pos = 0;
  while (pos < 4) pos += CharLengthAt(value, pos);
  if (pos != 4) return value;
  return value.substr(0, 4) + "-" + value.substr(4, 2) + "-" + value.substr(6, 2);
}

}  // namespace

std::string MediumQuestion(int medium) {
  std::string digits;
  for (char c : std::to_string(medium)) {
    if (c == '-') {
      digits += "\x81\x7C";  // full-width minus
    } else {
      digits += '\x82';
      digits += static_cast<char>(0x4F + (c - '0'));  // full-width 0 .. 9
    }
  }
  return Sj("メディア") + digits + Sj("をセットしてください。") + "\r\n" + Sj("よろしいですか？");
}

PhotoFileReader::PhotoFileReader(ImportContext& ctx, const std::string& photoFile, const std::string& workName)
    : ctx_(ctx), photoFile_(Absolute(photoFile)), workName_(workName), root_(DeliveryRootOf(photoFile_)) {}

bool PhotoFileReader::Read() {
  return RunReader(ctx_.host, [this] { return Load(); });
}

void PhotoFileReader::SetText(int pos, std::string_view value) {
  if (recordOpen_) Table().SetAsString(pos, value);
}

void PhotoFileReader::SetInteger(int pos, std::string_view value) {
  if (recordOpen_) Table().SetAsInteger(pos, LenientInteger(value));
}

PhotoFileReader::PictureFolder PhotoFileReader::FolderFrom(const std::string& base, std::string_view sjisName,
                                                           const std::optional<std::string>& utf8Name) const {
  return PictureFolder{true, base, utf8Name ? DeliveryNameComponentsUtf8(*utf8Name) : DeliveryNameComponents(sjisName),
                       std::string(sjisName)};
}

void PhotoFileReader::JoinReserve(std::string& text, std::string_view value) {
  if (value.empty()) return;
  if (!text.empty()) text += "\r\n";
  text += value;
}

bool PhotoFileReader::DetectMultiMedia(const TXMLTreeView& view, const std::vector<int>& ids, int medium) const {
  std::optional<int> seen;
  for (int i = view.NodeCount() - 1; i >= 0; --i) {
    if (ids[static_cast<std::size_t>(i)] != medium) continue;
    const int medium = LenientInteger(NodeValue(view.NodeAt(i)));
    if (seen && *seen != medium) return true;
    seen = medium;
  }
  return false;
}

bool PhotoFileReader::Load() {
  Delivery& d = ctx_.delivery;
  TXMLTreeView view;
  if (!LoadNodeTree(ctx_, view, photoFile_)) return false;

  // From here on the previous delivery is gone.
  ProgressScope progress(ctx_.host);
  ctx_.host.LeaveListMode();
  d.WorkName = workName_;
  Table().OpenPhotoTable(true, PhotoTableFileName(ctx_.folders.workData, workName_));
  ctx_.host.UpdateTitle();
  d.BuildTreeSkeleton();
  ctx_.host.SelectUnclassifiedNode();
  d.ResetPhotoBlocks();
  d.MissingPictures.clear();
  d.Pictures = ListedPictures{root_, FixedPictureNames(), {}, {}};

  Table().Last();
  recordNumber_ = Table().RecordCount() > 0 ? Table().AsInteger(Field().RECORD) : 0;
  EmptyWorkCopyFolders(ctx_.folders);

  const std::span<const PhotoElement> elements = Elements();
  const ElementTable table(elements);
  const int count = view.NodeCount();
  std::vector<int> ids(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) ids[static_cast<std::size_t>(i)] = table.names.Find(view.NodeAt(i).Text);
  multiMedia_ = DetectMultiMedia(view, ids, table.medium);

  progress.Start(count - 1);
  ElementPath path;
  for (int i = 0; i < count; ++i) {
    progress.Step(i);
    const XmlNode& node = view.NodeAt(i);
    const int id = ids[static_cast<std::size_t>(i)];
    path.Set(node.Level, id);
    if (node.Level == 1 && id == table.photoSection)
      StartPhotoRecord();
    else if (const PhotoElement* element = node.Level >= 2 ? table.Find(elements, node.Level, path) : nullptr)
      ApplyElement(*element, node);
    if (i == count - 1 || view.NodeAt(i + 1).Level < 2) FinishSection(path, table.photoSection);
  }
  if (recordOpen_) Table().Cancel();
  recordOpen_ = false;

  view.Clear();
  for (const PictureFolder* folder : {&photoFolder_, &drawingFolder_})
    if (folder->set && folder->components)
      if (std::optional<std::string> found = finder_.FindSubfolder(folder->base, *folder->components))
        d.Pictures.folders.push_back(*found);
  if (linkedPaths_ > 0)
    ctx_.host.ShowStatus(Sj("ファイルのパスが255バイトを超えるか、シフトJISにない文字を含むため、") +
                         std::to_string(linkedPaths_) + Sj("件の写真・参考図を作業フォルダのリンクから開きます。"));
  if (unstorablePaths_ > 0)
    ctx_.host.ShowWarning(Sj("ファイルのパスが255バイトを超えるか、シフトJISにない文字を含むため、") +
                          std::to_string(unstorablePaths_) + Sj("件の写真・参考図を代わりの画像で表示します。"));
  if (uncopied_ > 0)
    ctx_.host.ShowWarning(Sj("作業フォルダの空き容量が足りないため、") + std::to_string(uncopied_) +
                          Sj("件の写真・参考図を複写しませんでした。メディアを入れ替えると表示できません。"));
  if (!outside_.empty())
    ctx_.host.ShowWarning(Sj("納品データのフォルダの外を指すため読み込みません: ") + *outside_.begin() +
                          (outside_.size() > 1 ? Sj(" ほか ") + std::to_string(outside_.size() - 1) + Sj(" 件") : ""));
  WarnAboutInvalidLevels();
  ctx_.host.SelectUnclassifiedNode();
  FinishLoad();
  ctx_.host.RequestButtonUpdate();
  ctx_.host.ShowNodePhotos();
  return true;
}

void PhotoFileReader::StartPhotoRecord() {
  // A section that was never finished leaves its record unposted.
  if (recordOpen_) Table().Cancel();
  Table().Append();
  recordOpen_ = true;
  drawings_.clear();
  serial_.clear();
}

void PhotoFileReader::FinishSection(const ElementPath& path, int photoSection) {
  if (path[1] == photoSection && recordOpen_) {
    // A section that names its picture is a photo even when it sets no field
    // of the record: dropping it would hide it from the verification too.
    if (Table().Modified() || !photoFileName_.empty())
      FinishPhoto();
    else
      Table().Cancel();
    recordOpen_ = false;
  }
  ClearSection();
}

void PhotoFileReader::ClearSection() {
  photoFileName_.clear();
  photoFileNameUtf8_.reset();
  drawings_.clear();
  for (std::string& c : classification_) c.clear();
  for (std::string& name : drawingNames_) name.clear();
  workTypeReserve_.clear();
  shootingReserve_.clear();
  controlReserve_.clear();
  photoReserve_.clear();
}

std::string& PhotoFileReader::Reserve(int which) {
  switch (which) {
    case kShootingReserve:
      return shootingReserve_;
    case kControlReserve:
      return controlReserve_;
    case kPhotoReserveText:
      return photoReserve_;
    default:
      return workTypeReserve_;
  }
}

void PhotoFileReader::ApplyElement(const PhotoElement& element, const XmlNode& node) {
  const std::string& value = NodeValue(node);
  const auto index = static_cast<std::size_t>(element.index);
  switch (element.target) {
    case PhotoTarget::kText:
      SetText(Field().*element.field, value);
      break;
    case PhotoTarget::kNumber:
      SetInteger(Field().*element.field, value);
      break;
    case PhotoTarget::kEightDigitDate:
      SetText(Field().DATE, EightDigitDate(value));
      break;
    case PhotoTarget::kFileName:
      photoFileName_ = value;
      photoFileNameUtf8_ = node.Utf8Value;
      break;
    case PhotoTarget::kMedium:
      photoMedium_ = LenientInteger(value);
      break;
    case PhotoTarget::kSerial:
      serial_ = value;
      break;
    case PhotoTarget::kClass:
      classification_[index] = value;
      break;
    case PhotoTarget::kReserve:
      JoinReserve(Reserve(element.index), value);
      break;
    case PhotoTarget::kDrawing:
      drawings_.emplace_back();
      break;
    case PhotoTarget::kDrawingFile:
      if (!drawings_.empty()) {
        drawings_.back().file = value;
        drawings_.back().fileUtf8 = node.Utf8Value;
      }
      break;
    case PhotoTarget::kDrawingJapaneseName:
      if (!drawings_.empty()) drawings_.back().japaneseName = value;
      break;
    case PhotoTarget::kDrawingTitle:
      if (!drawings_.empty()) drawings_.back().title = value;
      break;
    case PhotoTarget::kDrawingReserve:
      if (!drawings_.empty()) JoinReserve(drawings_.back().reserve, value);
      break;
    case PhotoTarget::kDrawingName:
      if (index < std::size(drawingNames_)) drawingNames_[index] = value;
      break;
    case PhotoTarget::kPhotoFolder:
      photoFolder_ = FolderFrom(FoldersBesidePhotoFile() ? FolderOf(photoFile_) : root_, value, node.Utf8Value);
      break;
    case PhotoTarget::kDrawingFolder:
      drawingFolder_ = FolderFrom(FoldersBesidePhotoFile() ? FolderOf(photoFile_) : root_, value, node.Utf8Value);
      break;
    case PhotoTarget::kContract:
      ctx_.delivery.PhotoContractInfo.SetText(static_cast<ContractText>(element.index), value);
      break;
    case PhotoTarget::kOrderYear:
      ctx_.delivery.PhotoContractInfo.SetOrderYear(value);
      break;
    case PhotoTarget::kStandard:
      ApplyStandard(value);
      break;
  }
}

PhotoFileReader::ElementTable::ElementTable(std::span<const PhotoElement> elements) {
  photoSection = names.Add(Sj("写真情報"));
  medium = names.Add(Sj("メディア番号"));
  for (const PhotoElement& e : elements) {
    std::vector<int> path;
    for (std::string_view rest = e.path; !rest.empty();) {
      const std::size_t slash = rest.find('/');
      path.push_back(names.Add(rest.substr(0, slash)));
      rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    const auto last = static_cast<std::size_t>(path.back());
    if (byLast.size() <= last) byLast.resize(last + 1);
    byLast[last].push_back(static_cast<int>(paths.size()));
    paths.push_back(std::move(path));
  }
}

const PhotoElement* PhotoFileReader::ElementTable::Find(std::span<const PhotoElement> elements, int level,
                                                        const ElementPath& path) const {
  const int last = path[level];
  if (last < 0 || static_cast<std::size_t>(last) >= byLast.size()) return nullptr;
  for (const int row : byLast[static_cast<std::size_t>(last)]) {
    const std::vector<int>& p = paths[static_cast<std::size_t>(row)];
    if (static_cast<int>(p.size()) != level) continue;
    bool same = true;
    for (int k = 1; k < level && same; ++k) same = path[k] == p[static_cast<std::size_t>(k - 1)];
    if (same) return &elements[static_cast<std::size_t>(row)];
  }
  return nullptr;
}

std::optional<std::string> PhotoFileReader::FindPicture(const PictureFolder& folder, const std::string& sjisName,
                                                        const std::optional<std::string>& utf8Name) {
  if (!folder.set || !folder.components) return std::nullopt;
  std::optional<std::vector<std::string>> name =
      utf8Name ? DeliveryNameComponentsUtf8(*utf8Name) : DeliveryNameComponents(sjisName);
  if (!name) return std::nullopt;
  std::vector<std::string> all = *folder.components;
  all.insert(all.end(), name->begin(), name->end());
  std::optional<std::string> found = finder_.FindFile(folder.base, all);
  if (finder_.LastWasOutside()) outside_.insert(sjisName);
  return found;
}

void PhotoFileReader::NoteMissing(const PictureFolder& folder, const std::string& sjisName) {
  std::string name = folder.text;
  if (!name.empty() && name.back() != '/') name += '/';
  ctx_.delivery.MissingPictures[recordNumber_] = name + sjisName;
}

std::string PhotoFileReader::WorkCopyOf(const std::string& source, const char* copyFolder) {
  // Records that name one picture share its copy.
  if (auto known = copies_.find(source); known != copies_.end()) return known->second;
  const std::string folder = ctx_.folders.userData + copyFolder + "/";
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(source, ec);
  const std::filesystem::space_info space = std::filesystem::space(ctx_.folders.userData, ec);
  // Room for the copy and a margin, else the picture stays where it is.
  constexpr std::uintmax_t kMargin = 64ull * 1024 * 1024;
  if (!ec && size != static_cast<std::uintmax_t>(-1) && space.available < size + kMargin) {
    ++uncopied_;
    return source;
  }
  std::string copy = MakeWorkCopy(source, folder, recordNumber_).value_or(source);
  copies_.emplace(source, copy);
  return copy;
}

std::string PhotoFileReader::StoredPath(std::optional<std::string> file, const char* copyFolder,
                                        bool* placeholder_used) {
  const std::string placeholder = PlaceholderPicture(ctx_.folders);
  std::string path = file ? *file : placeholder;
  if (multiMedia_ && ctx_.copyMultiMediaPictures) path = WorkCopyOf(path, copyFolder);
  if (std::optional<std::string> stored = RecordFileName(path)) {
    if (placeholder_used) *placeholder_used = !file;
    return *stored;
  }
  if (file) {
    const std::optional<std::string> link = MakeWorkLink(path, ctx_.folders.userData + copyFolder + "/", recordNumber_);
    if (link)
      if (std::optional<std::string> stored = RecordFileName(*link)) {
        ++linkedPaths_;
        if (placeholder_used) *placeholder_used = false;
        return *stored;
      }
    ++unstorablePaths_;
  }
  if (placeholder_used) *placeholder_used = true;
  if (std::optional<std::string> stored = RecordFileName(placeholder)) return *stored;
  return Utf8ToCp932(placeholder);
}

void PhotoFileReader::ListPicture(bool drawing, const std::string& name, const std::optional<std::string>& file,
                                  bool otherMedium) {
  std::vector<ListedPicture>& entries = ctx_.delivery.Pictures.entries;
  int photo = recordNumber_;
  if (drawing) photo = entries.empty() ? 0 : entries.back().photo;
  entries.push_back(ListedPicture{recordNumber_, drawing, name, file.value_or(std::string()), otherMedium,
                                  drawing ? "" : serial_, photo});
}

void PhotoFileReader::FinishPhoto() {
  TViewDataSet& table = Table();
  if (photoFileName_.empty()) {
    table.Cancel();
    return;
  }
  std::optional<std::string> file = FindPicture(photoFolder_, photoFileName_, photoFileNameUtf8_);
  bool otherMedium = false;
  if (multiMedia_ && photoMedium_ != currentMedium_) {
    const std::string question = MediumQuestion(photoMedium_);
    while (true) {
      finder_ = DeliveryFileFinder();  // another medium: forget the listings
      const bool yes = ctx_.host.ConfirmYesCancel(question);
      file = FindPicture(photoFolder_, photoFileName_, photoFileNameUtf8_);
      if (!yes || file) {
        otherMedium = !yes && !file;
        break;
      }
    }
    currentMedium_ = photoMedium_;
  }
  ++recordNumber_;
  table.SetAsInteger(Field().RECORD, recordNumber_);
  ListPicture(false, photoFileName_, file, otherMedium);
  bool placeholder = false;
  table.SetAsString(Field().FILENAME, StoredPath(file, "PIC", &placeholder));
  if (placeholder) NoteMissing(photoFolder_, photoFileName_);
  FillPhotoRecord();
  table.Post();

  Delivery& d = ctx_.delivery;
  d.Tree.AddToHierarchy(*d.Tree.ConstructionNode(), classification_, recordNumber_);
  const int photoRecord = recordNumber_;

  d.DrawingRecordList.clear();
  AddDrawings();
  if (!d.DrawingRecordList.empty() && table.GotoPhotoRecord(photoRecord)) {
    table.Edit();
    table.StoreDrawingList(d.DrawingRecordList);
    table.Post();
  }
}

void PhotoFileReader::AddDrawings() {
  for (const DrawingEntry& entry : drawings_)
    if (!entry.file.empty()) AppendDrawingRecord(entry.file, &entry);
  for (const std::string& name : drawingNames_)
    if (!name.empty()) AppendDrawingRecord(name, nullptr);
}

void PhotoFileReader::AppendDrawingRecord(const std::string& fileName, const DrawingEntry* entry) {
  TViewDataSet& table = Table();
  std::optional<std::string> file =
      FindPicture(drawingFolder_, fileName, entry ? entry->fileUtf8 : std::optional<std::string>());
  table.Append();
  ++recordNumber_;
  table.SetAsInteger(Field().RECORD, recordNumber_);
  ListPicture(true, fileName, file, false);
  if (entry) {
    table.SetAsString(Field().JFILENAME, entry->japaneseName);
    table.SetAsString(Field().TITLE, entry->title);
    table.SetAsString(Field().YOBI_FJ, entry->reserve);
  }
  bool placeholder = false;
  table.SetAsString(Field().FILENAME, StoredPath(file, "DRA", &placeholder));
  if (placeholder) NoteMissing(drawingFolder_, fileName);
  table.Post();
  ctx_.delivery.DrawingRecordList.push_back(recordNumber_);
}

void PhotoFileReader::WarnAboutInvalidLevels() {
  Delivery& d = ctx_.delivery;
  if (d.Tree.ConstructionNode() && d.Tree.UpdateNodeImages(*d.Tree.ConstructionNode(), true))
    ctx_.host.ShowLevelWarning(InvalidLevelWarning(d));
}

}  // namespace zor

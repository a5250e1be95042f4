// Delivery: everything a load leaves behind, in one object that the program
// owns and passes by reference to the readers, the rules, the album and the
// windows. Nothing of it is global; every load replaces its contents.
//
// A photo-file load goes, in outline:
//   d.WorkName = Sj(kXmlInputWorkNameUtf8);
//   d.PhotoTable.OpenPhotoTable(true, d.WorkTableFile(folders.workData));
//   d.BuildTreeSkeleton();
//   d.ResetPhotoBlocks();
//   per photo: PhotoTable.Append(); set fields by PhotoTable.FieldPos; Post();
//              Tree.AddToHierarchy(*Tree.ConstructionNode(), path, record);
//   per drawing: Append(), fields, Post(), DrawingRecordList.push_back(record);
//   then GotoPhotoRecord(photo); PhotoTable.Edit(); StoreDrawingList(); Post();
//   at the end: if (Tree.UpdateNodeImages(*Tree.ConstructionNode(), true))
//                 show kInvalidLevelWarningUtf8.
// Readers of a photo's drawings: if (d.LoadDrawingList(record) == 2) use
// d.DrawingRecordList (entries > 0 whose GotoPhotoRecord succeeds).
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "store/basic_block.h"
#include "store/contract_block.h"
#include "store/hierarchy.h"
#include "store/index_codes.h"
#include "store/index_tables.h"
#include "store/int_list.h"
#include "store/listed_pictures.h"
#include "store/photo_table.h"

namespace zor {

class Delivery {
 public:
  // One record per photo and per reference drawing; stays open between loads.
  TViewDataSet PhotoTable;
  // The drawing record numbers of one photo, between REC_DRA and its users.
  TIntList DrawingRecordList;
  // IndexItemValue, IndexItem, IndexItemStandard, IndexItemCount.
  IndexTables Index;
  PhotoContractBlock PhotoContractInfo;
  PhotoBasicBlock PhotoBasicInfo;
  HierarchyTree Tree;
  // The picture files the photo file lists, as the last read found them.
  ListedPictures Pictures;

  // The applicable standard, 0 .. 17 (StandardVersionTexts()).
  int DigiVersion = kInitialDigiVersion;
  // The 適用要領基準 value that decided DigiVersion, as read (code page 932):
  // the index's when the delivery came through one, else the photo file's;
  // empty when the file has none.
  std::string Guideline;
  // The delivery came from INDEX_C.XML or INDEX_D.XML, not from PHOTO.XML alone.
  bool IndexLoaded = false;
  // IndexLoaded before the last read; readers copy it before changing IndexLoaded.
  bool PreviousIndexLoaded = false;
  // The loaded work's name (code page 932), empty before the first load.
  std::string WorkName;
  // Records of the last read whose picture was not found: the name the photo
  // file gives it (its folder element and file name, code page 932). Their
  // FILENAME is the placeholder picture, which is what the lists draw.
  std::map<int, std::string> MissingPictures;
  // The name of record's missing picture; empty when it was found.
  std::string MissingPictureOf(int record) const;

  Delivery() { PhotoBasicInfo.Reset(DigiVersion); }
  // Closes the photo table, which brings its header up to date.
  ~Delivery() = default;

  // The photo table's file for the current WorkName: workDataFolder (UTF-8,
  // ending in '/') + WorkName + ".DAT".
  std::string WorkTableFile(const std::string& workDataFolder) const;

  // Rebuilds the tree with the two top nodes; the records already in the open
  // photo table (none after a fresh load) go to UnclassifiedNode. A closed
  // table leaves the tree as it is.
  void BuildTreeSkeleton();
  // Clears PhotoContractInfo and resets PhotoBasicInfo for DigiVersion.
  void ResetPhotoBlocks();

  bool GotoPhotoRecord(int n) { return PhotoTable.GotoPhotoRecord(n); }
  // DrawingRecordList into REC_DRA of the current record (in edit or insert state).
  std::size_t StoreDrawingList() { return PhotoTable.StoreDrawingList(DrawingRecordList); }
  // REC_DRA of record n (0: the current record) into DrawingRecordList:
  // 0 not found, 1 no drawings, 2 drawings.
  int LoadDrawingList(int n) { return PhotoTable.LoadDrawingList(n, DrawingRecordList); }

  // End of the program: closes the table, clears WorkName and DrawingRecordList.
  void Finish();
};

}  // namespace zor

#include "store/delivery.h"

namespace zor {

std::string Delivery::WorkTableFile(const std::string& workDataFolder) const {
  return PhotoTableFileName(workDataFolder, WorkName);
}

void Delivery::BuildTreeSkeleton() {
  if (!PhotoTable.Active()) return;
  TIntList records;
  // A table opened without create may declare RECORD as something else.
  int recordPos = PhotoTable.FieldPos.RECORD;
  if (recordPos >= 0 && PhotoTable.GetFieldType(recordPos) != FieldType::ftInteger) recordPos = -1;
  for (PhotoTable.First(); !PhotoTable.Eof(); PhotoTable.Next())
    records.push_back(recordPos >= 0 ? PhotoTable.AsInteger(recordPos) : PhotoTable.RecNo());
  Tree.BuildTreeSkeleton(records);
}

void Delivery::ResetPhotoBlocks() {
  PhotoContractInfo.Clear();
  PhotoBasicInfo.Reset(DigiVersion);
}

void Delivery::Finish() {
  PhotoTable.Close();
  WorkName.clear();
  DrawingRecordList.clear();
}

std::string Delivery::MissingPictureOf(int record) const {
  const auto it = MissingPictures.find(record);
  return it == MissingPictures.end() ? std::string() : it->second;
}

}  // namespace zor

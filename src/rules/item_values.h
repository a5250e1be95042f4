// Where each item of the construction, photo and reference drawing grids
// takes its value from: a text of the contract block, or a field of the
// photo table's record. The information panel shows these values; the list
// of faulty entries checks them. Texts are code page 932.
#pragma once

#include <string>

#include "store/contract_block.h"
#include "store/photo_table.h"

namespace zor {

// The contract block's text of a construction item code 6-22; 発注年度 (7)
// is a number, empty when 0. Empty for any other code.
std::string ContractItemValue(const PhotoContractBlock& block, int code);

// The text field of a photo item code that holds its value as written
// (2-8, 10-17); nullptr for the coded and number items (1, 9, 18, 20) and
// unknown codes.
int PhotoFieldPositions::*PhotoTextField(int code);

// The same for a reference drawing item code (1-3).
int PhotoFieldPositions::*DrawingTextField(int code);

// The current record's text of that field; empty for a field the table's
// layout does not have.
std::string RecordText(const TViewDataSet& table, int PhotoFieldPositions::*field);

}  // namespace zor

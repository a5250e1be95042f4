// Every management file of a delivery: the index (INDEX_C.XML /
// INDEX_D.XML), the photo file (PHOTO.XML) and, in each folder the index
// names at its root, the management file of that folder: the folder's name
// + ".XML" at its top (PLAN/PLAN.XML, MEET/MEET.XML; a folder the
// guidelines give none, ICON, and the folders nested in others, REPORT/ORG,
// have none). For each:
//
//   xml.dtd        誤り  it is missing or cannot be read; it is not
//                        well-formed; it has no DOCTYPE; the DTD it names
//                        does not lie beside it under that name (a DTD of
//                        another number beside it is named: "INDE_C09.DTD
//                        がありません（INDE_C04.DTD があります）"), is a link
//                        out of its folder or no regular file; it does not
//                        validate against that DTD. Only the DTD beside the
//                        file counts, never the program's own copy; external
//                        entities are not read (注意 when it uses one).
//   xml.encoding   注意  it is not written in Shift_JIS (UTF-8, UTF-16, no
//                        encoding declaration, another encoding); it is
//                        read all the same.
//   listed.missing 誤り  an element whose name ends in ファイル名 and whose
//                        value has an extension names no file: looked up
//                        (ignoring case, as every lookup of delivery files)
//                        in the management file's folder, then in the
//                        sub-folders the file or the index names below it,
//                        then, for a bare name, in the folder's immediate
//                        sub-folders (ORG, ORG001 …). The photo file's
//                        pictures (写真ファイル名, 参考図ファイル名) are left
//                        to the inspection of the pictures.
//
// A named folder that is not there (or leads out of the delivery) has no
// management file to check: CheckFolders reports the folder. Without an
// index only the photo file is checked.
#pragma once

#include <string>
#include <vector>

#include "check/delivery_layout.h"
#include "inspect/findings.h"
#include "xml/xml_prolog.h"

namespace zor {

struct ManagementFile {
  std::string path;   // on disk (UTF-8)
  std::string shown;  // from the delivery's root, as findings show it (code page 932)
  XmlEncoding encoding = XmlEncoding::kShiftJis;
};

struct ManagementFilesResult {
  std::vector<Finding> findings;  // file by file: the index, the photo file, the named folders' files
  // The management files that could be read, in the same order: what the
  // character scan reads.
  std::vector<ManagementFile> files;
  // What was found under the names the management files (and the
  // guidelines' fixed names) give it: for CheckFolders.
  std::vector<ListedName> listed;
};

// Reads only; a finding's file is the management file's path from the
// root (for listed.missing the missing file's), its item the element.
ManagementFilesResult CheckManagementFiles(const DeliveryLayout& layout);

}  // namespace zor

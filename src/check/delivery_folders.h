// The folders and names of a delivery as a whole, driven by what its index
// names (every element whose name ends in フォルダ名 names a folder) and by
// what its management files list:
//
//   folder.missing  誤り  a folder the index names is not there, is not a
//                         folder, or is a link leading out of the delivery
//                         (which is not read);
//   folder.unknown  注意  a folder or file at the root, or a folder inside
//                         a folder the delivery names, that neither the
//                         index, the management files nor the guidelines'
//                         fixed names (INDEX_C.XML, INDEX_D.XML and their
//                         DTD) account for; reported at its top only;
//   file.extra      誤り  Thumbs.db, desktop.ini, .DS_Store, "._" files,
//                         __MACOSX, "~$" files, "*.tmp", hidden names:
//                         each named once, a folder's content not again,
//                         and under no other check;
//   name.rule       誤り  a folder or file name that breaks the naming
//                         rules (see NameRuleBreach); one whose name
//                         differs only by case from the name the index or
//                         a management file gives it says so instead.
//
// When no name of the delivery holds an upper-case letter but some hold
// lower-case ones, the names were most likely lowered by the way the medium
// was read (ISO 9660 without extensions): the names whose only fault is
// their case are then counted in one name.rule finding of 注意 rather than
// reported one by one.
//
// Without an index only the photo file's folder is walked (the folder
// above it may be anything of the user's), the named folders are not
// looked for and nothing at the root is called unknown; one folder.missing
// finding of 参考 says so. An index that cannot be read gives the same
// note (its fault is reported by the management file check).
#pragma once

#include <vector>

#include "check/delivery_layout.h"
#include "inspect/findings.h"

namespace zor {

// The findings in the order found: the named folders first, then the
// delivery's entries depth first, by name. A finding's file is the path
// from the delivery's root as shown (ShownName), its item the index
// element for a named folder. listed: what CheckManagementFiles found
// under the names its files give (ManagementFilesResult::listed), so that
// a case-only difference is told and the folders they name are accounted
// for. Reads only; never follows a link.
std::vector<Finding> CheckFolders(const DeliveryLayout& layout, const std::vector<ListedName>& listed = {});

}  // namespace zor

// A small construction delivery written into a temporary folder: an index
// naming PHOTO, PLAN (with PLAN/ORG) and MEET (with MEET/ORG), their
// management files with DTDs of their own beside them, and the files they
// list. Each fault of the whole-delivery check can be put in on request;
// with none the delivery keeps every rule.
#pragma once

#include <map>
#include <string>

#include "check/delivery_layout.h"

namespace zor::test {

struct Faults {
  bool thumbs = false;             // PHOTO/PIC/Thumbs.db
  bool lowerCaseListed = false;    // PLAN/ORG/plan01_1.doc, listed as PLAN01_1.DOC
  bool tooLong = false;            // MEET/MEETING01.PDF
  bool missingFolder = false;      // the index names DRAWINGF, which is not there
  bool unknownFolder = false;      // WORK at the root
  bool linkOut = false;            // the index names OTHRS, a link out of the delivery
  bool otherDtd = false;           // the index names INDE_C09.DTD; INDE_C05.DTD lies beside it
  bool utf8File = false;           // MEET/MEET.XML in UTF-8
  bool listedMissing = false;      // PLAN.XML lists PLAN02.PDF, which is not there
  bool invalid = false;            // PHOTO.XML holds an element its DTD does not declare
  bool missingManagement = false;  // the index names REGISTER, which has no REGISTER.XML
  // Not a fault of its own: the index leaves MEET/ORG unnamed, so the
  // original file MEET.XML lists is found in an unnamed sub-folder.
  bool unnamedMeetOrg = false;
};

// Writes the delivery into root (ending in '/'); outside (ending in '/')
// is a folder beside it that a link may lead to.
void WriteDelivery(const std::string& root, const std::string& outside, const Faults& faults);

// The layout the checks are given for the delivery written at root, with
// its one listed picture.
struct FixtureLayout {
  ListedPictures pictures;
  DeliveryLayout layout;
};
void MakeLayout(const std::string& root, FixtureLayout& out);

// Every file, folder and link below root with the SHA-256 of its content
// (a link: its target), so that a test can show nothing was changed.
std::map<std::string, std::string> HashTree(const std::string& root);

}  // namespace zor::test

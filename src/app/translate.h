// The command line's own messages in the user's language: English in the
// source, Japanese from the catalogue po/ja.po under a Japanese locale. The
// delivery's texts and libxml2's are never translated.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zor {

struct Folders;

// Chooses the messages' language from the locale (LC_ALL, LC_MESSAGES,
// LANG) and finds the catalogues: beside the program in a build tree
// (locale/), else under share/locale of the prefix it is installed in. A
// locale that does not exist leaves the messages in English. Only the
// messages' category is set, so numbers and character classes stay as in C.
void StartTranslations(const Folders& folders);

// The folder StartTranslations takes the catalogues from.
std::string LocaleFolder(const Folders& folders);

// english translated (UTF-8), or english itself when there is no translation.
const char* Tr(const char* english);

// Marks a text for the catalogue where it is only stored; Tr() translates it
// where it is shown.
constexpr const char* N_(const char* english) { return english; }

// Tr(english) with %1, %2 ... replaced by the values in order, so that a
// translation may put them where its language wants them.
std::string TrFill(const char* english, std::initializer_list<std::string_view> values);

}  // namespace zor

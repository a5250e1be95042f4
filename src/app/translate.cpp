#include "app/translate.h"

#include <libintl.h>
#include <sys/stat.h>

#include <clocale>

#include "app/folders.h"

namespace zor {
namespace {

constexpr const char* kDomain = "zorview";

}  // namespace

std::string LocaleFolder(const Folders& folders) {
  struct stat st {};
  const std::string beside = folders.program + "locale/";
  if (stat(beside.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return beside;
  // Installed: the system data folder is share/zorview/ of the prefix.
  if (folders.systemData != folders.program) return folders.systemData + "../locale/";
  return beside;
}

void StartTranslations(const Folders& folders) {
  std::setlocale(LC_MESSAGES, "");
  bindtextdomain(kDomain, LocaleFolder(folders).c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

const char* Tr(const char* english) { return dgettext(kDomain, english); }

std::string TrFill(const char* english, std::initializer_list<std::string_view> values) {
  const std::string_view text = Tr(english);
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const std::size_t n = static_cast<std::size_t>(next - '1');
    if (text[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
      filled.append(values.begin()[n]);
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

}  // namespace zor

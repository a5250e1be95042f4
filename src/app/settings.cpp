#include "app/settings.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "app/ini_file.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

constexpr std::string_view kSection = "MainPrg_Env";
constexpr std::string_view kFormExtension = ".KBF";

// The member's type is the key's kind: int, byte, bool, string, currency,
// int16.
using Member = std::variant<std::int32_t Settings::*, std::uint8_t Settings::*, bool Settings::*,
                            std::string Settings::*, Currency Settings::*, std::int16_t Settings::*>;

enum class Rule {
  kPlain,
  kProgramFolder,   // default: the program folder without its trailing '/'
  kWorkDataFolder,  // default: the work data folder without its trailing '/'
  kLiteral,         // read with the table's default, not the current value
  kFormFile,        // ".KBF" in memory, none in the file
  kPercent,         // a byte clamped to 0..100 rather than cut to 8 bits
};

struct Key {
  const char* name;
  Member member;
  std::int64_t number = 0;     // default of the number and bool kinds
  const char* text = nullptr;  // default of a string key, UTF-8
  Rule rule = Rule::kPlain;
};

// In the order the keys are read and written.
std::span<const Key> Keys() {
  using S = Settings;
  static const Key kKeys[] = {
      {"THUMBNAIL_USER", &S::THUMBNAIL_USER, 2},
      {"ThumbnailMinFit", &S::ThumbnailMinFit, 0},
      {"GraphicSwap", &S::GraphicSwap, 0},
      {"Kouhini", &S::Kouhini, 0},
      {"IconStyle", &S::IconStyle, 1},
      {"InputLevel", &S::InputLevel, 0},
      {"Graph_Path", &S::Graph_Path, 0, nullptr, Rule::kProgramFolder},
      {"Graph_Dir", &S::Graph_Dir, 0, nullptr, Rule::kProgramFolder},
      {"SaveFile_Path", &S::SaveFile_Path, 0, nullptr, Rule::kProgramFolder},
      {"XmlLoad_Path", &S::XmlLoad_Path, 0, nullptr, Rule::kProgramFolder},
      {"XmlSave_Path", &S::XmlSave_Path, 0, nullptr, Rule::kProgramFolder},
      {"HtmlSave_Path", &S::HtmlSave_Path, 0, nullptr, Rule::kProgramFolder},
      {"Backup_Path", &S::Backup_Path, 0, nullptr, Rule::kWorkDataFolder},
      {"Sait_Path", &S::Sait_Path, 0, ""},
      {"MastFileName", &S::MastFileName, 0, "基本マスタ"},
      {"MainSeekIciran", &S::MainSeekIciran, 1},
      {"MainSeekSort", &S::MainSeekSort, 0},
      {"MainSeekKoumoku", &S::MainSeekKoumoku, 0},
      {"MainSeekPos", &S::MainSeekPos, 1},
      {"MainSeekStyle", &S::MainSeekStyle, 2},
      {"MainSeekHanniSt", &S::MainSeekHanniSt, 0},
      {"MainSeekHanniEn", &S::MainSeekHanniEn, 0},
      {"MastSeekPos", &S::MastSeekPos, 1},
      {"MastSeekStyle", &S::MastSeekStyle, 2},
      {"MastSeekHanniSt", &S::MastSeekHanniSt, 0},
      {"MastSeekHanniEn", &S::MastSeekHanniEn, 0},
      {"MissHanni", &S::MissHanni, 0},
      {"DataSort", &S::DataSort, 1},
      {"AlbumSort", &S::AlbumSort, 1},
      {"FormSort", &S::FormSort, 1},
      {"PrnFormSort", &S::PrnFormSort, 1},
      {"PrnNewSort", &S::PrnNewSort, 1},
      {"MsXmlParser", &S::MsXmlParser, 1},
      {"DiskSize", &S::DiskSize, 650},
      {"PdfDriver", &S::PdfDriver, 0, ""},
      {"FileJName", &S::FileJName, 0},
      {"FileTitle", &S::FileTitle, 0},
      {"StampMode", &S::StampMode, 1},
      {"FDIFileName", &S::FDIFileName, 1},
      {"BackupFile", &S::BackupFile, 1},
      {"AutoSaveTime", &S::AutoSaveTime, 0},
      {"DeleteOneKey", &S::DeleteOneKey, 0},
      {"ViewHtmlFile", &S::ViewHtmlFile, 0},
      {"DiskCheck", &S::DiskCheck, 0},
      {"DensiOn", &S::DensiOn, 1},
      {"PhotoOn", &S::PhotoOn, 1},
      {"BookOn", &S::BookOn, 1},
      {"DTDVer", &S::DTDVer, 0, nullptr, Rule::kLiteral},
      {"FolderDown", &S::FolderDown, 0},
      {"OrgGrphXml", &S::OrgGrphXml, 0},
      {"OrgGrphHtml", &S::OrgGrphHtml, 0},
      {"GrphPageInc", &S::GrphPageInc, 1},
      {"GrphOffsetX", &S::GrphOffsetX, 0},
      {"GrphOffsetY", &S::GrphOffsetY, 0},
      {"GrphFormName", &S::GrphFormName, 0, "A4縦3連A", Rule::kFormFile},
      {"GrphGridPitch", &S::GrphGridPitch, 5},
      {"GrphPanelRitu", &S::GrphPanelRitu, 0},
      {"GrphRenzoku", &S::GrphRenzoku, 0},
      {"GrphBubun", &S::GrphBubun, 1},
      {"GrphShiftLock", &S::GrphShiftLock, 1},
      {"GrphLock", &S::GrphLock, 0},
      {"GrphGroup", &S::GrphGroup, 0},
      {"GrphKouhini", &S::GrphKouhini, 1},
      {"FormGridPitch", &S::FormGridPitch, 5},
      {"FormPanelRitu", &S::FormPanelRitu, 0},
      {"FormRenzoku", &S::FormRenzoku, 0},
      {"FormBubun", &S::FormBubun, 1},
      {"FormShiftLock", &S::FormShiftLock, 1},
      {"FormLock", &S::FormLock, 0},
      {"FormGroup", &S::FormGroup, 0},
      {"FormKouhini", &S::FormKouhini, 0},
      {"HyojunPrnDialog", &S::HyojunPrnDialog, 0},
      {"PrnImagekit", &S::PrnImagekit, 1},
      {"CompressionQuality", &S::CompressionQuality, 90, nullptr, Rule::kPercent},
      {"Xhtml", &S::Xhtml, 0},
      {"HtmlPage", &S::HtmlPage, 2},
      {"HtmlSanko", &S::HtmlSanko, 0},
      {"KeikokuRed", &S::KeikokuRed, 1},
  };
  return kKeys;
}

std::string WithoutSlash(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() == '/') path.pop_back();
  return Utf8ToCp932(path);
}

// The name without its extension: the last '.' after the last separator.
std::string WithoutExtension(std::string_view name) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t pos = 0; pos < name.size();) {
    std::size_t len = CharLengthAt(name, pos);
    if (len == 1 && name[pos] == '.') dot = pos;
    if (len == 1 && (name[pos] == '\\' || name[pos] == '/' || name[pos] == ':')) dot = std::string_view::npos;
    pos += len;
  }
  return std::string(name.substr(0, dot));
}

// A whole decimal integer in the 32-bit range; anything else is garbage
// and the caller keeps its default.
std::optional<std::int32_t> ParseInteger(std::string_view text) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The default a key is read with.
template <typename T>
T ReadDefault(const Key& key, const Settings& s, T Settings::*member, const Folders& folders) {
  if constexpr (std::is_same_v<T, std::string>) {
    switch (key.rule) {
      case Rule::kProgramFolder:
        return WithoutSlash(folders.program);
      case Rule::kWorkDataFolder:
        return WithoutSlash(folders.workData);
      case Rule::kFormFile:
        return WithoutExtension(s.*member);
      default:
        return s.*member;
    }
  } else if constexpr (std::is_same_v<T, Currency>) {
    return s.*member;
  } else {
    return key.rule == Rule::kLiteral ? static_cast<T>(key.number) : s.*member;
  }
}

void ReadKey(const Key& key, const IniFile& ini, Settings& s, const Folders& folders) {
  std::optional<std::string> text = ini.Get(kSection, key.name);
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(s.*member)>;
        T fallback = ReadDefault(key, s, member, folders);
        if constexpr (std::is_same_v<T, std::string>) {
          s.*member = text ? *text : fallback;
          if (key.rule == Rule::kFormFile) s.*member += kFormExtension;
        } else if constexpr (std::is_same_v<T, Currency>) {
          s.*member = text ? ParseCurrency(*text) : fallback;
        } else {
          std::int32_t value = static_cast<std::int32_t>(fallback);
          if (text) value = ParseInteger(*text).value_or(value);
          if constexpr (std::is_same_v<T, bool>) {
            s.*member = value != 0;
          } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            if (key.rule == Rule::kPercent) value = std::clamp(value, 0, 100);
            s.*member = static_cast<std::uint8_t>(value & 0xFF);  // 257 reads as 1
          } else if constexpr (std::is_same_v<T, std::int16_t>) {
            s.*member = static_cast<std::int16_t>(std::clamp<std::int32_t>(
                value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
          } else {
            s.*member = value;
          }
        }
      },
      key.member);
}

std::string WriteText(const Key& key, const Settings& s) {
  return std::visit(
      [&](auto member) -> std::string {
        using T = std::remove_cvref_t<decltype(s.*member)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return key.rule == Rule::kFormFile ? WithoutExtension(s.*member) : s.*member;
        } else if constexpr (std::is_same_v<T, Currency>) {
          return CurrencyText(s.*member);
        } else if constexpr (std::is_same_v<T, bool>) {
          return s.*member ? "1" : "0";
        } else {
          return std::to_string(static_cast<std::int32_t>(s.*member));
        }
      },
      key.member);
}

void ApplyDefaults(Settings& s, const Folders& folders) {
  for (const Key& key : Keys()) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(s.*member)>;
          if constexpr (std::is_same_v<T, std::string>) {
            if (key.rule == Rule::kProgramFolder)
              s.*member = WithoutSlash(folders.program);
            else if (key.rule == Rule::kWorkDataFolder)
              s.*member = WithoutSlash(folders.workData);
            else
              s.*member = Sj(key.text ? key.text : "");
            if (key.rule == Rule::kFormFile) s.*member += kFormExtension;
          } else if constexpr (std::is_same_v<T, Currency>) {
            s.*member = Currency{key.number};
          } else {
            s.*member = static_cast<T>(key.number);
          }
        },
        key.member);
  }
}

}  // namespace

Settings::Settings() { ApplyDefaults(*this, Folders{}); }

Settings DefaultSettings(const Folders& folders) {
  Settings s;
  ApplyDefaults(s, folders);
  return s;
}

std::string SettingsFilePath(const Folders& folders) { return folders.settings + "ZOR.INI"; }

bool SettingsReadWrite(char mode, Settings& settings, const Folders& folders, std::string* error) {
  std::string message;
  if (mode == 'R') {
    std::optional<IniFile> ini = IniFile::Load(SettingsFilePath(folders), &message);
    if (!ini) {
      settings.SettingsLoaded = false;
      if (error) *error = message;
      return false;
    }
    for (const Key& key : Keys()) ReadKey(key, *ini, settings, folders);
    settings.SettingsLoaded = true;
    return true;
  }
  if (mode == 'W') {
    if (!settings.SettingsLoaded) return true;
    // Load first: a file that exists but cannot be read must not be replaced
    // by one that holds only our keys.
    std::optional<IniFile> ini = IniFile::Load(SettingsFilePath(folders), &message);
    if (ini) {
      for (const Key& key : Keys()) ini->Set(kSection, key.name, WriteText(key, settings));
      if (ini->Save(SettingsFilePath(folders), &message)) return true;
    }
    if (error) *error = message;
    return false;
  }
  if (error) *error = std::string("unknown settings mode '") + mode + "'";
  return false;
}

}  // namespace zor

// The settings of section "MainPrg_Env" of ZOR.INI: one member per key,
// named exactly like the key. Strings are code page 932, like every text
// in the core; the path keys hold file-system paths converted from UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "app/currency.h"
#include "app/folders.h"

namespace zor {

struct Settings {
  // Every key at its default; the path keys stay empty (DefaultSettings
  // fills them from the folders).
  Settings();

  std::int32_t THUMBNAIL_USER;
  bool ThumbnailMinFit;
  bool GraphicSwap;
  bool Kouhini;
  std::uint8_t IconStyle;
  bool InputLevel;
  std::string Graph_Path;
  std::string Graph_Dir;
  std::string SaveFile_Path;
  std::string XmlLoad_Path;
  std::string XmlSave_Path;
  std::string HtmlSave_Path;
  std::string Backup_Path;
  std::string Sait_Path;
  std::string MastFileName;
  bool MainSeekIciran;
  std::int32_t MainSeekSort;
  std::int32_t MainSeekKoumoku;
  std::uint8_t MainSeekPos;
  std::uint8_t MainSeekStyle;
  std::int32_t MainSeekHanniSt;
  std::int32_t MainSeekHanniEn;
  std::uint8_t MastSeekPos;
  std::uint8_t MastSeekStyle;
  std::int32_t MastSeekHanniSt;
  std::int32_t MastSeekHanniEn;
  std::int32_t MissHanni;
  std::int32_t DataSort;
  std::int32_t AlbumSort;
  std::int32_t FormSort;
  std::int32_t PrnFormSort;
  std::int32_t PrnNewSort;
  bool MsXmlParser;
  std::int32_t DiskSize;
  std::string PdfDriver;
  bool FileJName;
  bool FileTitle;
  std::uint8_t StampMode;
  bool FDIFileName;
  bool BackupFile;
  std::int32_t AutoSaveTime;
  bool DeleteOneKey;
  std::uint8_t ViewHtmlFile;
  bool DiskCheck;
  bool DensiOn;
  bool PhotoOn;
  bool BookOn;
  std::int32_t DTDVer;
  bool FolderDown;
  bool OrgGrphXml;
  bool OrgGrphHtml;
  std::int16_t GrphPageInc;
  Currency GrphOffsetX;
  Currency GrphOffsetY;
  std::string GrphFormName;  // with ".KBF" appended; the file holds it without
  std::int32_t GrphGridPitch;
  std::int32_t GrphPanelRitu;
  bool GrphRenzoku;
  bool GrphBubun;
  bool GrphShiftLock;
  bool GrphLock;
  bool GrphGroup;
  bool GrphKouhini;
  std::int32_t FormGridPitch;
  std::int32_t FormPanelRitu;
  bool FormRenzoku;
  bool FormBubun;
  bool FormShiftLock;
  bool FormLock;
  bool FormGroup;
  bool FormKouhini;
  bool HyojunPrnDialog;
  bool PrnImagekit;
  std::uint8_t CompressionQuality;  // 0 to 100
  bool Xhtml;
  std::int32_t HtmlPage;
  bool HtmlSanko;
  bool KeikokuRed;

  // Set when a read has completed; only then does 'W' write the file.
  bool SettingsLoaded = false;

  bool operator==(const Settings&) const = default;
};

// Every key at its default, the path keys from the folders.
Settings DefaultSettings(const Folders& folders);

// The settings file: folders.settings + "ZOR.INI".
std::string SettingsFilePath(const Folders& folders);

// 'R' reads ZOR.INI into settings, each missing or unreadable value keeping
// the current one (the path keys their folder, DTDVer 0), and sets
// SettingsLoaded; a missing file reads as empty. A file that exists but
// cannot be read fails, changes no value and clears SettingsLoaded, so
// nothing is written at close.
// 'W' does nothing unless SettingsLoaded; otherwise it writes every key
// into the file, keeping every other section, key and line in place.
// Returns false with a UTF-8 message in *error on failure.
bool SettingsReadWrite(char mode, Settings& settings, const Folders& folders, std::string* error);

}  // namespace zor

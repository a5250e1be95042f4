// The character scan of a 6 MB PHOTO.XML (about 9,000 photos, every 50th
// title with a character the check reports), in code page 932 as deliveries
// are written and in UTF-8; and of the same file read from disk. The goal is
// at most 50 ms for the code page 932 file in Release.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "check/text_scan.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr std::size_t kTargetBytes = 6u << 20;

// The document of kTargetBytes in code page 932 or in UTF-8.
std::string PhotoXml(bool cp932) {
  auto encode = [&](const std::string& utf8) { return cp932 ? Sj(utf8) : utf8; };
  std::string xml = encode(std::string("<?xml version=\"1.0\" encoding=\"") + (cp932 ? "Shift_JIS" : "UTF-8") +
                           "\"?>\r\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n<photodata DTD_version=\"05\">\r\n"
                           "  <基礎情報>\r\n    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>\r\n"
                           "    <適用要領基準>土木202303-01</適用要領基準>\r\n  </基礎情報>\r\n");
  for (int i = 1; xml.size() < kTargetBytes; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    const std::string n = std::to_string(i);
    const std::string title = i % 50 == 0 ? "舗装工 表層工 No." + n + " ①㈱" : "舗装工 表層工 No." + n + " 施工状況";
    xml += encode(
        "  <写真情報>\r\n    <写真ファイル情報>\r\n      <シリアル番号>" + n +
        "</シリアル番号>\r\n      <写真ファイル名>" + name + "</写真ファイル名>\r\n      <写真ファイル日本語名>" +
        name +
        "</写真ファイル日本語名>\r\n      <メディア番号>1</メディア番号>\r\n    </写真ファイル情報>\r\n"
        "    <撮影工種区分>\r\n      <写真-大分類>工事</写真-大分類>\r\n      <写真区分>施工状況写真</写真区分>\r\n"
        "      <工種>舗装工</工種>\r\n      <種別>アスファルト舗装工</種別>\r\n      <細別>表層工</細別>\r\n"
        "      <写真タイトル>" +
        title +
        "</写真タイトル>\r\n    </撮影工種区分>\r\n"
        "    <付加情報>\r\n      <参考図ファイル名>D0000001.JPG</参考図ファイル名>\r\n    </付加情報>\r\n"
        "    <撮影箇所>起点側 No.12+5.0 付近</撮影箇所>\r\n    <撮影年月日>2023-04-01</撮影年月日>\r\n"
        "    <代表写真>0</代表写真>\r\n    <提出頻度写真>0</提出頻度写真>\r\n  </写真情報>\r\n");
  }
  return xml + "</photodata>\r\n";
}

const std::string& Cp932Document() {
  static const std::string doc = PhotoXml(true);
  return doc;
}

const std::string& Utf8Document() {
  static const std::string doc = PhotoXml(false);
  return doc;
}

void Scan(benchmark::State& state, const std::string& doc) {
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = ScanManagementText(doc, "PHOTO/PHOTO.XML").size();
    benchmark::DoNotOptimize(findings);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
  state.counters["MB"] = static_cast<double>(doc.size()) / (1 << 20);
  state.counters["findings"] = static_cast<double>(findings);
}

void BM_ScanCp932PhotoXml(benchmark::State& state) { Scan(state, Cp932Document()); }
void BM_ScanUtf8PhotoXml(benchmark::State& state) { Scan(state, Utf8Document()); }

void BM_ScanCp932PhotoXmlFile(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("zor_check_bench_" + std::to_string(::getpid()) + ".XML");
  std::ofstream(file, std::ios::binary) << Cp932Document();
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = ScanManagementFile(file.string(), "PHOTO/PHOTO.XML").findings.size();
    benchmark::DoNotOptimize(findings);
  }
  std::filesystem::remove(file);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Cp932Document().size()));
  state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_ScanCp932PhotoXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanUtf8PhotoXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanCp932PhotoXmlFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zor

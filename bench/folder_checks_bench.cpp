// The folder, name and management-file checks of a delivery with 100,000
// pictures in one folder (every tenth named in lower case, as PHOTO.XML
// does not write it) and a PLAN.XML listing 100,000 original files in
// PLAN/ORG, a thousand of them missing. The delivery is built once; the
// work of both checks must grow with the number of files, not its square.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "check/delivery_folders.h"
#include "check/management_files.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 100000;
constexpr int kMissing = 1000;

std::string Numbered(const char* format, int n) {
  char name[32];
  std::snprintf(name, sizeof name, format, n);
  return name;
}

void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << 'x'; }

struct BenchDelivery {
  std::string root = (fs::temp_directory_path() / ("zor_check_bench_" + std::to_string(::getpid()))).string() + "/";
  ListedPictures pictures;
  DeliveryLayout layout;

  BenchDelivery() {
    fs::create_directories(root + "PHOTO/PIC");
    fs::create_directories(root + "PLAN/ORG");
    std::ofstream(root + "INDEX_C.XML", std::ios::binary)
        << Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<constdata><基礎情報>"
              "<写真フォルダ名>PHOTO</写真フォルダ名><施工計画書フォルダ名>PLAN</施工計画書フォルダ名>"
              "<施工計画書オリジナルファイルフォルダ名>PLAN/ORG</施工計画書オリジナルファイルフォルダ名>"
              "</基礎情報></constdata>\r\n");
    std::string photo =
        Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<photodata><基礎情報>"
           "<写真フォルダ名>PHOTO/PIC</写真フォルダ名></基礎情報>\r\n");
    std::string plan = Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<plandata>\r\n");
    pictures.root = root;
    pictures.folders.push_back(root + "PHOTO/PIC/");
    for (int i = 1; i <= kFiles; ++i) {
      const std::string name = Numbered("P%07d.JPG", i);
      const std::string onDisk = i % 10 == 0 ? Numbered("p%07d.jpg", i) : name;
      Touch(root + "PHOTO/PIC/" + onDisk);
      photo += Sj("<写真情報><写真ファイル名>") + name + Sj("</写真ファイル名></写真情報>\r\n");
      pictures.entries.push_back(ListedPicture{i, false, name, root + "PHOTO/PIC/" + onDisk, false, "", i});
      const std::string original = Numbered("P%07d.DOC", i);
      if (i > kMissing) Touch(root + "PLAN/ORG/" + original);
      plan += Sj("<計画書情報><オリジナルファイル名>") + original + Sj("</オリジナルファイル名></計画書情報>\r\n");
    }
    std::ofstream(root + "PHOTO/PHOTO.XML", std::ios::binary) << photo << "</photodata>\r\n";
    std::ofstream(root + "PLAN/PLAN.XML", std::ios::binary) << plan << "</plandata>\r\n";
    layout.root = root;
    layout.indexFile = root + "INDEX_C.XML";
    layout.photoFile = root + "PHOTO/PHOTO.XML";
    layout.pictures = &pictures;
  }
  ~BenchDelivery() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

BenchDelivery& Delivery() {
  static BenchDelivery d;
  return d;
}

void BM_CheckManagementFiles(benchmark::State& state) {
  BenchDelivery& d = Delivery();
  std::size_t missing = 0;
  for (auto _ : state) {
    const ManagementFilesResult result = CheckManagementFiles(d.layout);
    missing = 0;
    for (const Finding& f : result.findings) missing += f.check == "listed.missing";
    benchmark::DoNotOptimize(result);
  }
  state.counters["listed.missing"] = static_cast<double>(missing);
}
BENCHMARK(BM_CheckManagementFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckFolders(benchmark::State& state) {
  BenchDelivery& d = Delivery();
  const ManagementFilesResult management = CheckManagementFiles(d.layout);
  std::size_t names = 0;
  for (auto _ : state) {
    const std::vector<Finding> findings = CheckFolders(d.layout, management.listed);
    names = 0;
    for (const Finding& f : findings) names += f.check == "name.rule";
    benchmark::DoNotOptimize(findings);
  }
  state.counters["name.rule"] = static_cast<double>(names);
}
BENCHMARK(BM_CheckFolders)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zor

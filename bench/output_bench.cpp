// The HTML album of a delivery of 10,000 photos (100 KB each, every tenth
// with a reference drawing), next to `cp -r` of the same picture folders in
// the same run: the album's cost over a plain copy is its pages.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/host.h"
#include "output/album_writer.h"
#include "store/delivery.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 10000;
constexpr int kPhotosPerNode = 100;
constexpr int kDrawingEvery = 10;
constexpr std::size_t kPictureBytes = 100 * 1024;

// The generated delivery lives for the whole run and is removed at exit.
struct BenchDelivery {
  fs::path root = fs::temp_directory_path() / ("zor_output_bench_" + std::to_string(::getpid()));
  Delivery d;

  BenchDelivery() {
    fs::create_directories(root / "src/PIC");
    fs::create_directories(root / "src/DRA");
    fs::create_directories(root / "work");
    d.WorkName = Sj(kXmlInputWorkNameUtf8);
    d.PhotoTable.OpenPhotoTable(true, d.WorkTableFile((root / "work").string() + "/"));
    d.BuildTreeSkeleton();
    d.ResetPhotoBlocks();
    std::mt19937 random(7);
    std::string bytes(kPictureBytes, '\0');
    TViewDataSet& t = d.PhotoTable;
    const PhotoFieldPositions& f = t.FieldPos;
    int record = 0;
    for (int i = 1; i <= kPhotos; ++i) {
      const fs::path photo = root / "src/PIC" / ("P" + std::to_string(1000000 + i) + ".JPG");
      WritePicture(photo, bytes, random);
      t.Append();
      t.SetAsInteger(f.RECORD, ++record);
      t.SetAsString(f.TITLE, Sj("施工状況 舗装工 表層工 No.") + std::to_string(i));
      t.SetAsString(f.JFILENAME, photo.filename().string());
      t.SetAsString(f.DATE, "2004-05-31");
      t.SetAsString(f.KASYO, Sj("起点側 No.12+5.0 付近"));
      t.SetAsString(f.FILENAME, photo.string());
      t.Post();
      const int photoRecord = record;
      HierarchyPath path{Sj("工事"), Sj("施工状況写真"), Sj("舗装工"), Sj("工区") + std::to_string(i / kPhotosPerNode)};
      d.Tree.AddToHierarchy(*d.Tree.ConstructionNode(), path, photoRecord);
      if (i % kDrawingEvery != 0) continue;
      const fs::path drawing = root / "src/DRA" / ("D" + std::to_string(1000000 + i) + ".JPG");
      WritePicture(drawing, bytes, random);
      t.Append();
      t.SetAsInteger(f.RECORD, ++record);
      t.SetAsString(f.TITLE, Sj("平面図"));
      t.SetAsString(f.FILENAME, drawing.string());
      t.Post();
      t.GotoPhotoRecord(photoRecord);
      t.Edit();
      d.DrawingRecordList = {record};
      d.StoreDrawingList();
      t.Post();
    }
  }
  ~BenchDelivery() {
    d.Finish();
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  static void WritePicture(const fs::path& path, std::string& bytes, std::mt19937& random) {
    for (char& b : bytes) b = static_cast<char>(random());
    bytes[0] = '\xFF';
    bytes[1] = '\xD8';
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

BenchDelivery& Generated() {
  static BenchDelivery delivery;
  return delivery;
}

void BM_WriteAlbum(benchmark::State& state) {
  BenchDelivery& g = Generated();
  Host host;
  AlbumOptions options;
  options.folder = g.root / "album" / kAlbumFolderName;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(g.root / "album");
    state.ResumeTiming();
    const AlbumResult result = WriteHtmlAlbum(g.d, options, host);
    if (!result.finished || result.photos != kPhotos) state.SkipWithError("album not complete");
  }
  state.counters["pages"] = static_cast<double>(kPhotos / options.perPage + 1);
}
BENCHMARK(BM_WriteAlbum)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same picture files with cp -r, as the yardstick.
void BM_CopyPicturesWithCp(benchmark::State& state) {
  BenchDelivery& g = Generated();
  const std::string command = "cp -r '" + (g.root / "src/PIC").string() + "' '" + (g.root / "src/DRA").string() +
                              "' '" + (g.root / "copy").string() + "'";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(g.root / "copy");
    fs::create_directories(g.root / "copy");
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  }
}
BENCHMARK(BM_CopyPicturesWithCp)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zor

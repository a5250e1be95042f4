// Picture decoding speed: a 4000 x 3000 JPEG at full size and at one eighth,
// EXIF thumbnail extraction, the first page of a TIFF of many pages, and the
// thumbnail decoding order over many
// generated photos, next to vipsthumbnail and djpeg on the same files when
// they are installed (libvips-tools, libjpeg-turbo-progs).
//
// The photos are made once in $TMPDIR/zor_images_bench (ZOR_BENCH_PHOTOS of
// them, default 200; half carry a 160 x 120 EXIF thumbnail) and reused.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/images/sample_pictures.h"
#include "images/exif_thumbnail.h"
#include "images/image_kit.h"
#include "images/jpeg_decode.h"
#include "images/photo_loader.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

int PhotoCount() {
  const char* env = std::getenv("ZOR_BENCH_PHOTOS");
  const int n = env ? std::atoi(env) : 200;
  return n > 0 ? n : 200;
}

// A photo-like picture: the sample pattern with fine grain, so that it
// compresses about as badly as a camera's (several MB at quality 90).
Bitmap GrainyPhoto(unsigned seed) {
  Bitmap bitmap = samples::Pattern(kWidth, kHeight);
  unsigned state = seed * 2654435761u + 1;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = bitmap.Row(y);
    for (int i = 0; i < kWidth * 3; ++i) {
      state = state * 1103515245u + 12345u;
      const int v = row[i] + static_cast<int>((state >> 16) % 41) - 20;
      row[i] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
  return bitmap;
}

const std::vector<fs::path>& Photos() {
  static const std::vector<fs::path> photos = [] {
    const fs::path dir = fs::temp_directory_path() / "zor_images_bench";
    fs::create_directories(dir);
    const int count = PhotoCount();
    std::vector<fs::path> paths;
    const Bitmap thumbnail = samples::Pattern(160, 120);
    std::vector<samples::Bytes> originals;  // a few distinct photos, copied round
    for (int i = 0; i < count; ++i) {
      const bool exif = i % 2 == 0;
      char name[32];
      std::snprintf(name, sizeof name, "%c%06d.JPG", exif ? 'E' : 'P', i);
      const fs::path path = dir / name;
      if (!fs::exists(path)) {
        if (originals.size() < 8) {
          const Bitmap photo = GrainyPhoto(static_cast<unsigned>(originals.size()));
          originals.push_back(samples::JpegWithExif(photo, nullptr, {}, 90));
          originals.push_back(samples::JpegWithExif(photo, &thumbnail, {}, 90));
        }
        const std::size_t pick = (static_cast<std::size_t>(i) / 2 * 2) % originals.size() + (exif ? 1 : 0);
        samples::WriteBytes(path, originals[pick % originals.size()]);
      }
      paths.push_back(path);
    }
    return paths;
  }();
  return photos;
}

const fs::path& PhotoWithExif() { return Photos()[0]; }
const fs::path& PhotoWithoutExif() { return Photos()[1]; }

// The photos are made before any timing starts.
void BM_DecodeFullSize(benchmark::State& state) {
  const fs::path& photo = PhotoWithoutExif();
  Bitmap bitmap;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeJpegFile(bitmap, photo, 0));
  state.counters["width"] = bitmap.Width();
}
BENCHMARK(BM_DecodeFullSize)->Unit(benchmark::kMillisecond);

void BM_DecodeOneEighth(benchmark::State& state) {
  const fs::path& photo = PhotoWithoutExif();
  Bitmap bitmap;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeJpegFile(bitmap, photo, 96));
  state.counters["width"] = bitmap.Width();
}
BENCHMARK(BM_DecodeOneEighth)->Unit(benchmark::kMillisecond);

void BM_ExifThumbnailExtract(benchmark::State& state) {
  const fs::path& photo = PhotoWithExif();
  for (auto _ : state) benchmark::DoNotOptimize(LoadExifThumbnail(photo, 96));
}
BENCHMARK(BM_ExifThumbnailExtract)->Unit(benchmark::kMicrosecond);

void BM_ExifThumbnailDecode(benchmark::State& state) {
  const fs::path& photo = PhotoWithExif();
  Bitmap bitmap;
  for (auto _ : state) {
    auto thumbnail = LoadExifThumbnail(photo, 96);
    benchmark::DoNotOptimize(DecodeJpegStream(bitmap, *thumbnail, 96));
  }
}
BENCHMARK(BM_ExifThumbnailDecode)->Unit(benchmark::kMicrosecond);

// One iteration = one photo of the set, in turn: the time is per picture.
void BM_ThumbnailOrder(benchmark::State& state) {
  const auto& photos = Photos();
  const int size = static_cast<int>(state.range(0));
  Bitmap bitmap;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadThumbnailBitmap(bitmap, photos[i % photos.size()], size));
    ++i;
  }
}
BENCHMARK(BM_ThumbnailOrder)->Arg(96)->Arg(140)->Arg(200)->Unit(benchmark::kMillisecond);

// A TIFF gives its first page without walking the others: ten thousand
// pages take about as long as one (tests/images checks the page it gives).
void BM_TiffFirstPageOfMany(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  const fs::path path = fs::temp_directory_path() / "zor_images_bench" / ("pages" + std::to_string(pages) + ".tif");
  fs::create_directories(path.parent_path());
  samples::WriteBytes(path, samples::ManyPageTiff(pages));
  Bitmap bitmap;
  for (auto _ : state) benchmark::DoNotOptimize(LoadWithImageKit(bitmap, path));
  state.counters["width"] = bitmap.Width();
}
BENCHMARK(BM_TiffFirstPageOfMany)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond);

// Runs a shell command once over the whole set; reports the time per picture.
void RunPerPicture(benchmark::State& state, const std::string& command) {
  const double count = static_cast<double>(Photos().size());
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) {
      state.SkipWithError(("failed: " + command.substr(0, 80)).c_str());
      return;
    }
    state.SetIterationTime(seconds / count);
  }
  state.counters["pictures"] = count;
}

bool Installed(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) == 0;
}

std::string Quoted(const fs::path& path) {
  std::string text = "'";
  text += path.string();
  text += "'";
  return text;
}

std::string FileList() {
  std::string list;
  for (const fs::path& p : Photos()) {
    list += " ";
    list += Quoted(p);
  }
  return list;
}

fs::path Zorview() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "zorview"; }

fs::path ScratchOut() {
  const fs::path dir = fs::temp_directory_path() / "zor_images_bench_out";
  fs::create_directories(dir);
  return dir;
}

// The program's own front end, one process for every file, as vipsthumbnail runs.
void BM_ZorviewThumbnail140(benchmark::State& state) {
  if (!fs::exists(Zorview())) return state.SkipWithError("zorview not built");
  std::string command = Quoted(Zorview());
  command += " --thumbnail 140";
  command += FileList();
  command += " >/dev/null 2>&1";
  RunPerPicture(state, command);
}
BENCHMARK(BM_ZorviewThumbnail140)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ZorviewThumbnail140WritingPng(benchmark::State& state) {
  if (!fs::exists(Zorview())) return state.SkipWithError("zorview not built");
  std::string command = Quoted(Zorview());
  command += " --thumbnail 140 --out ";
  command += Quoted(ScratchOut());
  command += FileList();
  command += " >/dev/null 2>&1";
  RunPerPicture(state, command);
}
BENCHMARK(BM_ZorviewThumbnail140WritingPng)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Vipsthumbnail140(benchmark::State& state) {
  if (!Installed("vipsthumbnail")) return state.SkipWithError("vipsthumbnail not installed (libvips-tools)");
  std::string command = "vipsthumbnail --size 140 -o ";
  command += Quoted(ScratchOut() / "%s.jpg");
  command += FileList();
  command += " >/dev/null 2>&1";
  RunPerPicture(state, command);
}
BENCHMARK(BM_Vipsthumbnail140)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_DjpegOneEighth(benchmark::State& state) {
  if (!Installed("djpeg")) return state.SkipWithError("djpeg not installed (libjpeg-turbo-progs)");
  std::string command = "for f in";
  command += FileList();
  command += "; do djpeg -scale 1/8 \"$f\" >/dev/null || exit 1; done";
  RunPerPicture(state, command);
}
BENCHMARK(BM_DjpegOneEighth)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zor

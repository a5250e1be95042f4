// The photo record table at the scale of a large delivery: 100,000 photo
// records appended, then read back in order and by record number.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/photo_table.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr int kRecords = 100000;

// The table file lives for the whole run (the reads use what the appends
// wrote) and is removed at exit: it is close to 900 MB.
struct BenchFileHolder {
  std::string path =
      (std::filesystem::temp_directory_path() / ("zor_store_bench_" + std::to_string(::getpid()) + ".DAT")).string();
  ~BenchFileHolder() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const std::string& BenchFile() {
  static const BenchFileHolder holder;
  return holder.path;
}

void FillTable(TViewDataSet& t) {
  const std::string title = Sj("施工状況写真 舗装工 表層工 No.");
  const std::string place = Sj("起点側 No.12+5.0 付近");
  const PhotoFieldPositions& f = t.FieldPos;
  for (int i = 1; i <= kRecords; ++i) {
    t.Append();
    t.SetAsInteger(f.RECORD, i);
    t.SetAsInteger(f.FLAG, i % 2);
    t.SetAsString(f.JFILENAME, Sj("写真") + std::to_string(i) + ".JPG");
    t.SetAsString(f.TITLE, title + std::to_string(i));
    t.SetAsString(f.KASYO, place);
    t.SetAsString(f.DATE, "2010-09-01");
    t.SetAsString(f.FILENAME, "/media/cdrom/PHOTO/PIC/P" + std::to_string(1000000 + i) + ".JPG");
    t.SetAsString(f.REC_DRA, "0000200003");
    t.Post();
  }
}

void BM_AppendPhotoRecords(benchmark::State& state) {
  for (auto _ : state) {
    TViewDataSet t;
    t.OpenPhotoTable(true, BenchFile());
    FillTable(t);
    t.Close();
  }
  state.counters["records/s"] =
      benchmark::Counter(double(kRecords) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["file_MB"] = double(std::filesystem::file_size(BenchFile())) / 1e6;
}

void BM_ReadBackInOrder(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    TViewDataSet t;
    t.OpenPhotoTable(false, BenchFile());
    int count = 0;
    for (t.First(); !t.Eof(); t.Next()) {
      bytes += t.AsString(t.FieldPos.TITLE).size() + t.AsString(t.FieldPos.FILENAME).size();
      count += t.AsInteger(t.FieldPos.RECORD) > 0;
    }
    if (count != kRecords) state.SkipWithError("records missing");
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["records/s"] =
      benchmark::Counter(double(kRecords) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ReadBackByRecordNumber(benchmark::State& state) {
  TViewDataSet t;
  t.OpenPhotoTable(false, BenchFile());
  std::size_t bytes = 0;
  for (auto _ : state) {
    // A stride that visits every record once, out of order, as list views
    // and sorts reach them.
    for (int i = 0; i < kRecords; ++i) {
      int n = static_cast<int>((std::int64_t{i} * 7919) % kRecords) + 1;
      if (!t.GotoPhotoRecord(n)) state.SkipWithError("record not found");
      bytes += t.AsString(t.FieldPos.TITLE).size();
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["records/s"] =
      benchmark::Counter(double(kRecords) * double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_AppendPhotoRecords)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadBackInOrder)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadBackByRecordNumber)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace zor

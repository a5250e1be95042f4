// The entry verification of a large delivery: 10,000 photos under 200 tree
// nodes, every tenth with two reference drawings, faults sprinkled in so
// that the report and the faulty list are exercised. Only the verification
// is timed; the delivery is built once.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "rules/verify_entries.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr int kPhotos = 10000;

struct BenchDelivery {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zor_rules_bench_" + std::to_string(::getpid()));
  Delivery d;

  BenchDelivery() {
    std::filesystem::create_directories(dir);
    d.DigiVersion = 1;  // the standard with the most photo and drawing rules
    d.WorkName = Sj(kXmlInputWorkNameUtf8);
    d.PhotoTable.OpenPhotoTable(true, d.WorkTableFile(dir.string() + "/"));
    d.BuildTreeSkeleton();
    d.ResetPhotoBlocks();
    TViewDataSet& t = d.PhotoTable;
    const PhotoFieldPositions& f = t.FieldPos;
    const std::string title = Sj("施工状況写真 舗装工 表層工 No.");
    const std::string place = Sj("起点側 No.12+5.0 付近");
    const std::string reserve = Sj("予備一行目\r\n予備二行目");
    int record = 0;
    auto append = [&](const std::string& name, bool faulty) {
      t.Append();
      t.SetAsInteger(f.RECORD, ++record);
      t.SetAsString(f.JFILENAME, name);
      t.SetAsString(f.TITLE, faulty ? std::string() : title + std::to_string(record));
      t.SetAsString(f.KASYO, place);
      t.SetAsString(f.DATE, faulty ? "2010-9-1" : "2010-09-01");
      t.SetAsString(f.KANRI, record % 7 == 0 ? std::string() : Sj("管理値"));
      t.SetAsString(f.YOBI_SK, reserve);
      t.SetAsString(f.YOBI_FJ, record % 13 == 0 ? reserve : Sj("予備"));
      t.Post();
      return record;
    };
    for (int i = 0; i < kPhotos; ++i) {
      const int photo = append(Sj("写真") + std::to_string(i) + ".JPG", i % 50 == 0);
      const HierarchyPath path = {Sj("工事"), Sj("施工状況写真"), Sj("工種") + std::to_string(i % 10),
                                  Sj("種別") + std::to_string(i % 20 / 10), Sj("細別") + std::to_string(i % 200 / 20)};
      d.Tree.AddToHierarchy(*d.Tree.ConstructionNode(), path, photo);
      if (i % 10 != 0) continue;
      d.DrawingRecordList = {append("DRA.DXF", false), append("DRA.DXF", i % 30 == 0)};
      d.GotoPhotoRecord(photo);
      t.Edit();
      d.StoreDrawingList();
      t.Post();
    }
  }
  ~BenchDelivery() {
    d.Finish();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_VerifyEntries(benchmark::State& state) {
  static const auto bench = std::make_unique<BenchDelivery>();
  Host host;
  std::size_t faulty = 0;
  for (auto _ : state) {
    VerifyResult r = VerifyEntries(bench->d, static_cast<int>(state.range(0)), host);
    faulty = r.faulty.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["photos/s"] =
      benchmark::Counter(double(kPhotos) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["faulty"] = double(faulty);
  state.counters["nodes"] = double(bench->d.Tree.NodeCount());
}
BENCHMARK(BM_VerifyEntries)->Arg(kScopeRequired)->Arg(kScopeOptional)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zor

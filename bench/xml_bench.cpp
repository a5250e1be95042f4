// A photo file whose DOCTYPE names its DTD by a URL loads as quickly as one
// naming it by file: the DTD is read beside the file and no server is asked
// (tests/xml checks that none is). 192.0.2.1 is a documentation address
// that answers nobody, so asking it would cost the connection's timeout.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/encoding.h"
#include "xml/validating_parser.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

const char* const kIdentifiers[] = {"P.DTD", "http://192.0.2.1/dtd/P.DTD", "file:///nowhere/P.DTD"};

fs::path Document(int which) {
  const fs::path dir = fs::temp_directory_path() / ("zor_xml_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "P.DTD", std::ios::binary)
      << Sj("<!ELEMENT 写真情報 (写真タイトル+)>\n<!ELEMENT 写真タイトル (#PCDATA)>\n");
  const fs::path file = dir / ("A" + std::to_string(which) + ".XML");
  std::ofstream(file, std::ios::binary) << Sj(std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                                                          "<!DOCTYPE 写真情報 SYSTEM \"") +
                                              kIdentifiers[which] +
                                              "\">\n<写真情報><写真タイトル>t</写真タイトル></写真情報>\n");
  return file;
}

void BM_DtdNamedBy(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const std::string file = Document(which).string();
  state.SetLabel(kIdentifiers[which]);
  for (auto _ : state) {
    TXMLTreeView view;
    view.Parse = true;
    if (!RunValidatingParser(view, file)) state.SkipWithError("the document did not load");
  }
  std::error_code ignored;
  fs::remove_all(fs::path(file).parent_path(), ignored);
}
BENCHMARK(BM_DtdNamedBy)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zor

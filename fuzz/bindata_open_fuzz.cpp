// Opens arbitrary bytes as a binary data-set table, walks its records both
// ways and reads every field as text, number and flag. Refusals are
// expected; crashes, leaks and undefined behaviour are not.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/bindata.h"

namespace {

// In memory where possible: rewriting a disk file for every input makes the
// file system flush it, which slows the run down to a few hundred inputs a
// second. Removed when the run ends.
struct ScratchFileHolder {
  std::string path = [] {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                                              : std::filesystem::temp_directory_path();
    return (dir / ("zor_bindata_fuzz_" + std::to_string(::getpid()) + ".dat")).string();
  }();
  ~ScratchFileHolder() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const std::string& ScratchFile() {
  static const ScratchFileHolder holder;
  return holder.path;
}

void ReadAllFields(zor::TBinaryDataSet& t) {
  for (int pos = 0; pos < t.FieldCount(); ++pos) {
    try {
      (void)t.AsString(pos);
      (void)t.AsInteger(pos);
      (void)t.AsBoolean(pos);
    } catch (const zor::EBinaryDataSetError&) {
      // Text that is not a number: a refusal, not a fault.
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  zor::TBinaryDataSet t;
  t.TableName = ScratchFile();
  try {
    t.Open();
    int steps = 0;
    for (t.First(); !t.Eof() && steps < 64; t.Next(), ++steps) ReadAllFields(t);
    for (t.Last(); !t.Bof() && steps < 128; t.Prior(), ++steps) ReadAllFields(t);
    t.SetRecNo(t.RecordCount());
    t.Close();
  } catch (const zor::EBinaryDataSetError&) {
  }
  return 0;
}

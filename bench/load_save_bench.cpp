// Load and save of a full-size 16F684 image (all 2048 program words and all 256 EEPROM
// cells filled): the work behind "HEX laden" and "speichern", without the window.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

#include "app/document.h"
#include "hex_builder.h"
#include "image/hex_writer.h"
#include "recording_dialogs.h"

namespace {

std::string FullSizeFile() {
  static const std::string path = [] {
    // Lumo88 (identifier 0x65, 16F684) with the Motorola marker.
    auto hex = korrin::testing::MidRangeHex::Decoder(0x65, 0, 0, 0x1C8B);
    for (int w = 3; w < 2048; ++w)
      if (w != 8) hex.words[w] = (w * 37) & 0x3FFF;
    for (int a = 0; a < 256; ++a) hex.eeprom[a] = 0xFF;
    std::string p = (std::filesystem::temp_directory_path() / ("korrin-bench-" + std::to_string(::getpid()) + ".hex")).string();
    hex.write(p);
    return p;
  }();
  return path;
}

void BM_LoadIdentifyDecode(benchmark::State& state) {
  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  korrin::Document doc(dialogs, files);
  const std::string path = FullSizeFile();
  for (auto _ : state) {
    auto r = doc.LoadHexFile(path);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_LoadIdentifyDecode)->Unit(benchmark::kMicrosecond);

void BM_EncodeAndWrite(benchmark::State& state) {
  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  korrin::Document doc(dialogs, files);
  doc.LoadHexFile(FullSizeFile());
  for (auto _ : state) {
    auto f = korrin::SaveAddressRows(doc.image, doc.rows, doc.modes(), dialogs);
    auto n = korrin::WriteHexImage(doc.image, dialogs);
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_EncodeAndWrite)->Unit(benchmark::kMicrosecond);

}  // namespace

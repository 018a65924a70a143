// Export and apply of a decoder's whole configuration (korrin-cli export / apply, without the
// file reading and the save) on full-size 16F684 images: each 16F684 example with its editor
// table filled, every unused program word filled with RETLW instructions and every EEPROM cell
// that the example leaves erased filled as well, so that every table the editor reads holds
// data.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

#include "app/document.h"
#include "cli/configuration.h"
#include "cli/editor_settings.h"
#include "recording_dialogs.h"

namespace {

// The example, grown to the full program memory of the 16F684 and saved to a temporary file.
std::string FullSizeFile(const std::string& example) {
  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  korrin::Document doc(dialogs, files);
  if (doc.LoadHexFile(std::string(KORRIN_EXAMPLES) + "/" + example) != korrin::LoadResult::Loaded) std::abort();
  for (int w = 0; w < 2048; ++w)
    if (doc.image.programWord(w) == 0x3FFF) {
      doc.image.setRomValue(2 * w, (w * 37) & 0xFF);
      doc.image.setRomValue(2 * w + 1, 0x34);
    }
  for (int a = 0; a < 256; ++a)
    if (doc.image.eepromValue(a) == 0xFF) doc.image.setEepromValue(a, a & 0x7F);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("korrin-config-bench-" + std::to_string(::getpid()) + "-" + example))
                               .string();
  if (doc.SaveTo(path) != korrin::SaveResult::Saved) std::abort();
  return path;
}

const char* const kExamples[] = {"relais8_dcc.hex", "blinkmuster_mot.hex", "led_blinkmuster_dcc.hex",
                                 "servo_tamb4_dcc.hex"};

struct Loaded {
  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  korrin::Document doc{dialogs, files};
  explicit Loaded(const std::string& path) {
    if (doc.LoadHexFile(path) != korrin::LoadResult::Loaded) std::abort();
  }
};

// Another value of the same kind: pattern points inverted, numbers one step away.
std::string Altered(const korrin::EditorSetting& s) {
  if (s.perCharacter) {
    std::string v = s.value;
    for (char& c : v) c = c == 'X' ? '.' : c == '.' ? 'X' : c;
    return v;
  }
  std::string out, number;
  auto flush = [&] {
    bool digits = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    out += digits ? std::to_string(number == "0" ? 1 : std::stoi(number) - 1) : number;
    number.clear();
  };
  for (char c : s.value) {
    if (c == ',') {
      flush();
      out += c;
    } else {
      number += c;
    }
  }
  flush();
  return out;
}

// The configuration of the full-size image with every setting the editor takes changed.
std::string AlteredConfiguration(const std::string& path) {
  Loaded l(path);
  korrin::EditorModel* model = l.doc.ShownEditor();
  for (const auto& s : model->Settings()) model->Set(s.key, Altered(s));
  korrin::cli::ApplyPendingEdits(model);
  return korrin::cli::ExportConfiguration(l.doc, model).dump(2);
}

void BM_ExportConfiguration(benchmark::State& state) {
  const std::string path = FullSizeFile(kExamples[state.range(0)]);
  Loaded l(path);
  std::filesystem::remove(path);
  state.SetLabel(kExamples[state.range(0)]);
  for (auto _ : state) {
    std::string text = korrin::cli::ExportConfiguration(l.doc, l.doc.ShownEditor()).dump(2);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_ExportConfiguration)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_ApplyConfiguration(benchmark::State& state) {
  const std::string path = FullSizeFile(kExamples[state.range(0)]);
  Loaded l(path);
  state.SetLabel(kExamples[state.range(0)]);
  // Two configurations of the type, applied in turn, so that every round changes the values:
  // the full-size image's own and one with every setting changed.
  const std::string texts[2] = {AlteredConfiguration(path), korrin::cli::ExportConfiguration(l.doc, l.doc.ShownEditor()).dump(2)};
  std::filesystem::remove(path);
  const auto a = nlohmann::ordered_json::parse(texts[0]), b = nlohmann::ordered_json::parse(texts[1]);
  int changed = 0;
  for (const auto& [section, values] : b.items())
    if (values.is_object())
      for (const auto& [key, value] : values.items()) changed += !a.contains(section) || a[section].value(key, "") != value;
  state.counters["changed"] = changed;
  size_t round = 0;
  for (auto _ : state) {
    auto config = korrin::cli::ParseConfiguration(texts[round++ % 2], nullptr);
    auto failure = korrin::cli::ApplyConfiguration(l.doc, l.doc.ShownEditor(), *config);
    if (failure) state.SkipWithError("refused");
    korrin::cli::ApplyPendingEdits(l.doc.ShownEditor());
    benchmark::DoNotOptimize(failure);
  }
}
BENCHMARK(BM_ApplyConfiguration)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A configuration of many keys (a hostile or broken file): read, checked and refused in time
// linear in its size. The keys are the CV editor's own, then state.range(0) keys it does not
// know; the first of those is refused.
void BM_ApplyManyKeys(benchmark::State& state) {
  Loaded l(std::string(KORRIN_EXAMPLES) + "/fenwik_18324_cv.hex");
  auto config = korrin::cli::ExportConfiguration(l.doc, l.doc.ShownEditor());
  std::string text = config.dump();
  text.erase(text.rfind("}}"));
  for (int64_t i = 0; i < state.range(0); ++i) text += ",\"x" + std::to_string(i) + "\":\"1\"";
  text += "}}";
  state.counters["keys"] = static_cast<double>(state.range(0));
  for (auto _ : state) {
    std::string error;
    auto parsed = korrin::cli::ParseConfiguration(text, &error);
    if (!parsed) state.SkipWithError(error.c_str());
    auto failure = korrin::cli::ApplyConfiguration(l.doc, l.doc.ShownEditor(), *parsed);
    if (!failure || failure->status != 1) state.SkipWithError("not refused");
    benchmark::DoNotOptimize(failure);
  }
}
BENCHMARK(BM_ApplyManyKeys)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

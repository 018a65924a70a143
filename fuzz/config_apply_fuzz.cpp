// libFuzzer target for the configuration files of `korrin-cli apply`: any bytes are parsed as
// JSON and, when they parse, checked and mapped into the edits of a document freshly loaded
// from one of the examples: the one of the configuration's identifier, else the one the last
// byte picks, so that every kind of editor is reached. A configuration refused for its form must leave the image as it was, and the
// result must always export again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/document.h"
#include "cli/cli_session.h"
#include "cli/configuration.h"
#include "cli/editor_settings.h"

namespace {

const char* const kExamples[] = {"tollet_mot.hex",        "blinkmuster_mot.hex", "led_blinkmuster_dcc.hex",
                                 "servo_tamb4_dcc.hex",   "fenwik_18324_cv.hex", "fdekoder_dcc.hex",
                                 "drehscheibe24_dcc.hex", "relais8_dcc.hex"};

constexpr size_t kExampleCount = sizeof(kExamples) / sizeof(kExamples[0]);

std::string ExamplePath(size_t i) { return std::string(KORRIN_EXAMPLES) + "/" + kExamples[i]; }

// The decoder identifier of each example, as a load finds it.
const std::vector<int64_t>& ExampleIdentifiers() {
  static const std::vector<int64_t> identifiers = [] {
    std::vector<int64_t> ids;
    for (size_t i = 0; i < kExampleCount; ++i) {
      korrin::cli::Session s(nullptr, false);
      if (s.doc.LoadHexFile(ExamplePath(i)) != korrin::LoadResult::Loaded) __builtin_trap();
      ids.push_back(s.doc.DecoderIdentifier);
    }
    return ids;
  }();
  return identifiers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto config = korrin::cli::ParseConfiguration(text, &error);
  if (!config) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  size_t pick = size ? data[size - 1] % kExampleCount : 0;
  if (config->is_object() && config->contains("identifier") && (*config)["identifier"].is_number_integer()) {
    const auto& ids = ExampleIdentifiers();
    for (size_t i = 0; i < ids.size(); ++i)
      if (ids[i] == (*config)["identifier"].get<int64_t>()) pick = i;
  }
  korrin::cli::Session s(nullptr, false);
  if (s.doc.LoadHexFile(ExamplePath(pick)) != korrin::LoadResult::Loaded) __builtin_trap();
  const auto before = s.doc.image.Hex_EE;
  korrin::EditorModel* model = s.doc.ShownEditor();
  auto failure = korrin::cli::ApplyConfiguration(s.doc, model, *config);
  if (failure) {
    if (failure->status != 1 && failure->status != 2) __builtin_trap();
    if (failure->status == 2 && (failure->text.empty() || s.doc.image.Hex_EE != before)) __builtin_trap();
  } else {
    korrin::cli::ApplyPendingEdits(model);
  }
  const auto exported = korrin::cli::ExportConfiguration(s.doc, model);
  if (exported["format"] != korrin::cli::kConfigurationFormat) __builtin_trap();
  (void)exported.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return 0;
}

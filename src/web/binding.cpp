// The WebAssembly binding of the document (Embind): one class, KorrinDocument, that the web
// page drives as the Qt window drives the Document. It exposes the document and nothing else;
// every state it returns is a JSON text built in C++ (web/document_state.h). Its form is
// declared for the page in web/src/core-api.ts.
//
// Files live in Emscripten's in-memory file system, in the folder /korrin, which is the
// current folder: the core's load and save sequences read and write them unchanged, and the
// messages name the file as the user knows it.
//
// Message boxes: a box with one button calls the page's handler and goes on; a question
// (two buttons) and the save's file-name request suspend the sequence with Asyncify until
// the page's Promise answers.

// The file holds JavaScript (EM_ASYNC_JS), which clang-format would break.
// clang-format off
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/document.h"
#include "base/dialogs.h"
#include "base/file_dialogs.h"
#include "base/os/platform_detail.h"
#include "base/platform.h"
#include "cli/cli_session.h"
#include "cli/configuration.h"
#include "cli/editor_settings.h"
#include "decoders/catalogue_help.h"
#include "editors/preview.h"
#include "info/hex_compare.h"
#include "info/info_texts.h"
#include "web/document_state.h"

using emscripten::val;

namespace {

// The page's answer to a question: the handler's Promise resolved to an Answer name.
EM_ASYNC_JS(int, korrin_ask, (emscripten::EM_VAL handler, int kind, const char* text, int buttons), {
  const kinds = ['warning', 'error', 'info'];
  const sets = ['ok', 'cancel', 'cancel-ignore', 'yes-ignore', 'yes-no'];
  const answers = ['ok', 'cancel', 'ignore', 'yes', 'no'];
  const answer = await Emval.toValue(handler)(kinds[kind], UTF8ToString(text), sets[buttons]);
  return answers.indexOf(answer);
});

// The page's file name for a save (a name the user confirmed), or 0 when cancelled. The
// string is allocated here and freed by the caller.
EM_ASYNC_JS(char*, korrin_ask_file_name, (emscripten::EM_VAL handler, const char* title, const char* preset), {
  const name = await Emval.toValue(handler)(UTF8ToString(title), UTF8ToString(preset));
  if (typeof name !== 'string') return 0;
  const size = lengthBytesUTF8(name) + 1;
  const text = _malloc(size);
  stringToUTF8(name, text, size);
  return text;
});

// The folder the files of the page live in.
constexpr const char* kFolder = "/korrin";

// A plain file name: not empty, not "." or "..", no '/' and no NUL.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

void RequirePlainName(const std::string& name) {
  if (!IsPlainName(name)) val::global("Error").new_(std::string("Kein gültiger Dateiname: ") + name).throw_();
}

bool WriteFile(const std::string& name, const std::string& bytes) {
  std::string error;
  return korrin::SaveFileSafely(name, bytes, &error);
}

val Bytes(const std::string& data) {
  val view(emscripten::typed_memory_view(data.size(), reinterpret_cast<const unsigned char*>(data.data())));
  return val::global("Uint8Array").new_(view);  // a copy: the view dies with data
}

korrin::Answer OnlyAnswer(korrin::Buttons buttons) {
  return buttons == korrin::Buttons::Cancel ? korrin::Answer::Cancel : korrin::Answer::Ok;
}

class WebDialogs : public korrin::Dialogs {
 public:
  explicit WebDialogs(val handler) : handler_(std::move(handler)) {}

  korrin::Answer show(korrin::BoxKind kind, const std::string& text, korrin::Buttons buttons) override {
    messages.push_back({kind, text});
    const std::string shown = korrin::cli::PlainText(korrin::cli::TextUtf8(text));
    if (buttons == korrin::Buttons::Ok || buttons == korrin::Buttons::Cancel) {
      // One button: nothing to decide; the page shows the box, the core goes on.
      static const char* const kKinds[] = {"warning", "error", "info"};
      handler_(std::string(kKinds[static_cast<int>(kind)]), shown,
               std::string(buttons == korrin::Buttons::Ok ? "ok" : "cancel"));
      return OnlyAnswer(buttons);
    }
    int answer = korrin_ask(handler_.as_handle(), static_cast<int>(kind), shown.c_str(), static_cast<int>(buttons));
    switch (buttons) {
      case korrin::Buttons::CancelIgnore: return answer == 2 ? korrin::Answer::Ignore : korrin::Answer::Cancel;
      case korrin::Buttons::YesIgnore: return answer == 3 ? korrin::Answer::Yes : korrin::Answer::Ignore;
      case korrin::Buttons::YesNo: return answer == 3 ? korrin::Answer::Yes : korrin::Answer::No;
      default: return OnlyAnswer(buttons);
    }
  }

  std::vector<korrin::cli::Message> messages;

 private:
  val handler_;
};

// The save asks the page for a name; opening is done by the page (file picker, drop).
class WebFileDialogs : public korrin::FileDialogs {
 public:
  explicit WebFileDialogs(val handler) : handler_(std::move(handler)) {}
  std::optional<std::string> open(const korrin::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> save(const korrin::FileDialogRequest& request) override {
    if (handler_.isUndefined() || handler_.isNull()) return std::nullopt;
    char* chosen = korrin_ask_file_name(handler_.as_handle(), request.title.c_str(),
                                        korrin::cli::TextUtf8(korrin::FileNameOf(request.presetName)).c_str());
    if (!chosen) return std::nullopt;
    std::string name(chosen);
    std::free(chosen);
    // Only a name in the page's folder: whatever the page sends, no other path is written.
    name = korrin::FileNameOf(name);
    if (!IsPlainName(name)) return std::nullopt;
    return name;
  }

 private:
  val handler_;
};

const char* LoadResultName(korrin::LoadResult r) {
  switch (r) {
    case korrin::LoadResult::Loaded: return "loaded";
    case korrin::LoadResult::NotRead: return "not-read";
    case korrin::LoadResult::ReaderError: return "reader-error";
    case korrin::LoadResult::Cancelled: return "cancelled";
    case korrin::LoadResult::NoFile: return "no-file";
  }
  return "not-read";
}

const char* SaveResultName(korrin::SaveResult r) {
  switch (r) {
    case korrin::SaveResult::Saved: return "saved";
    case korrin::SaveResult::NotApplied: return "not-applied";
    case korrin::SaveResult::RowError: return "row-error";
    case korrin::SaveResult::ChecksumError: return "checksum-error";
    case korrin::SaveResult::Cancelled: return "cancelled";
    case korrin::SaveResult::WriteFailed: return "write-failed";
  }
  return "write-failed";
}

const char* CurveFileResultName(korrin::CurveFileResult r) {
  switch (r) {
    case korrin::CurveFileResult::Done: return "done";
    case korrin::CurveFileResult::Failed: return "failed";
    case korrin::CurveFileResult::Cancelled: return "cancelled";
  }
  return "failed";
}

void EnterFolder() {
  static bool done = false;
  if (done) return;
  std::error_code ec;
  std::filesystem::create_directories(kFolder, ec);
  std::filesystem::current_path(kFolder, ec);
  done = true;
}

class KorrinDocument {
 public:
  // handlers: {dialog(kind, text, buttons) -> Answer | Promise<Answer>,
  //            saveName(title, preset) -> Promise<string | null>}
  explicit KorrinDocument(val handlers)
      : dialogs_(handlers["dialog"]), files_(handlers["saveName"]), doc_(dialogs_, files_) {
    EnterFolder();
  }

  // --- files -------------------------------------------------------------------------------
  std::string load(std::string name, std::string bytes) {
    RequirePlainName(name);
    dialogs_.messages.clear();
    loaded_ = true;
    if (!WriteFile(name, bytes)) return LoadResultName(korrin::LoadResult::NotRead);
    const korrin::LoadResult r = doc_.LoadHexFile(name);
    doc_.FindNeighbours(name);
    return LoadResultName(r);
  }

  double fileSizeLimit() const { return static_cast<double>(korrin::kMaxReadSize); }

  // kind: "hex", "curve" or "set" -- the message names the kind of file.
  void refuseLargeFile(std::string name, double size, std::string kind) {
    const korrin::FileKind fileKind = kind == "curve" ? korrin::FileKind::Curve
                                      : kind == "set" ? korrin::FileKind::Set
                                                      : korrin::FileKind::Hex;
    dialogs_.messages.clear();
    dialogs_.error(korrin::platform_detail::TooLarge(name, static_cast<std::uint64_t>(size), fileKind));
  }

  void setFolder(val names) {
    // The folder holds the page's files; names not yet read stay empty until they are loaded.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) std::filesystem::remove(entry.path(), ec);
    for (const std::string& name : emscripten::vecFromJSArray<std::string>(names))
      if (IsPlainName(name)) WriteFile(name, "");
  }

  std::string save() {
    savedBytes_.clear();
    const korrin::SaveResult r = doc_.SaveHexFile();
    if (r == korrin::SaveResult::Saved) {
      const std::string path = doc_.statusPanels[3];
      if (auto content = korrin::ReadWholeFile(path)) {
        savedBytes_ = *content;
        savedName_ = path;
      }
    }
    return SaveResultName(r);
  }
  val savedBytes() const { return Bytes(savedBytes_); }
  std::string savedName() const { return korrin::cli::TextUtf8(savedName_); }

  // --- state -------------------------------------------------------------------------------
  std::string state() {
    korrin::web::DocumentExtras extras;
    extras.loaded = loaded_;
    extras.messages = &dialogs_.messages;
    return Dump(korrin::web::DocumentStateJson(doc_, extras));
  }
  std::string view() { return Dump(korrin::web::EditorViewJson(doc_)); }

  // --- rows --------------------------------------------------------------------------------
  void setRowAddress(int row, std::string text) {
    doc_.SetRowAddressText(row, text);
  }
  void setRowFunction(int row, std::string text) {
    doc_.SetRowFunctionText(row, text);
  }
  void toggleRowColour(int row) {
    doc_.ToggleRowColour(row);
  }

  // --- the editor --------------------------------------------------------------------------
  std::string set(std::string key, std::string value) {
    korrin::EditorModel* model = doc_.ShownEditor();
    if (!model) return "no-editor";
    const korrin::SetOutcome outcome = model->Set(key, value);
    switch (outcome) {
      case korrin::SetOutcome::Done: return "done";
      case korrin::SetOutcome::Refused: return "refused";
      case korrin::SetOutcome::UnknownKey: return "unknown-key";
    }
    return "refused";
  }

  bool editor(val call) {
    korrin::EditorModel* model = doc_.ShownEditor();
    if (!model) return false;
    const std::string name = call["call"].as<std::string>();
    // The models record each call as an undo step themselves; typing merges into one step
    // until commit() ends it. Dispatch still tells which calls are typing or dragging.
    bool typing = false;
    return Dispatch(*model, name, call, typing);
  }

  void apply() {
    if (korrin::EditorModel* model = doc_.ShownEditor(); model && model->hasPendingChanges()) {
      model->applyPendingChanges();
    }
  }
  void discard() {
    if (korrin::EditorModel* model = doc_.ShownEditor()) {
      model->Discard();
    }
  }

  // --- undo and redo -----------------------------------------------------------------------
  // The page calls it when a field is left or Enter is pressed: what was typed stays one step.
  // True when a typed step has just ended.
  bool commit() { return doc_.history.EndMerge(); }
  bool undo() { return doc_.history.Undo().has_value(); }
  bool redo() { return doc_.history.Redo().has_value(); }

  // --- info and comparison -----------------------------------------------------------------
  std::string infoTexts() { return Dump(korrin::web::InfoTextsJson(korrin::MakeInfoTexts(doc_.image))); }

  std::string compare(std::string name, std::string bytes) {
    RequirePlainName(name);
    korrin::ComparisonResult c;
    const std::string path = std::string(".compare-") + name;
    if (WriteFile(path, bytes)) {
      // The comparison reads the file by its path; the texts name it as the user does.
      c = korrin::CompareImageWithFile(doc_.image, dialogs_, doc_.LastFileName, path);
      c.statusFile2 = "File 2 = " + name;
      std::error_code ec;
      std::filesystem::remove(path, ec);
    }
    return Dump(korrin::web::ComparisonJson(c));
  }

  // --- previews ----------------------------------------------------------------------------
  std::string patternPreview(int block, double tMs) {
    const korrin::PatternEditorModel* m = PatternModel();
    if (!m) return "null";
    const korrin::PatternPreviewState s = korrin::PatternPreviewAt(m->table(), block, tMs);
    nlohmann::ordered_json j{{"point", s.point},
                             {"lit", s.lit},
                             {"used", s.used},
                             {"ended", s.ended},
                             {"durationMs", korrin::PatternDurationMs(m->table(), block)},
                             {"stepMs", korrin::PatternStepMs(m->table().stretch(block))}};
    return Dump(j);
  }

  std::string servoPreview(int curve, double tMs) {
    if (doc_.layout.frameKind != korrin::FrameKind::Servo || curve < 0 || curve > 3) return "null";
    const korrin::CurveBlock& block = doc_.editors.servo.workingCopy().blocks[static_cast<size_t>(curve)];
    const korrin::ServoPreviewState s = korrin::ServoPreviewAt(block, tMs);
    nlohmann::ordered_json j{{"position", s.position},
                             {"progress", s.progress},
                             {"point", s.point},
                             {"relay", s.relay},
                             {"ended", s.ended},
                             {"durationMs", korrin::CurveDurationMs(block)},
                             {"pointMs", korrin::CurvePointMs(block)}};
    return Dump(j);
  }

  // --- configuration -----------------------------------------------------------------------
  std::string exportConfig() {
    return korrin::cli::ExportConfiguration(doc_, doc_.ShownEditor())
        .dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  }

  std::string applyConfig(std::string text) {
    nlohmann::ordered_json result;
    std::string parseError;
    auto config = korrin::cli::ParseConfiguration(text, &parseError);
    if (!config) {
      result = {{"ok", false}, {"text", parseError}};
      return Dump(result);
    }
    const size_t shown = dialogs_.messages.size();
    std::optional<korrin::cli::ConfigurationFailure> failure;
    {
      korrin::History::Transaction step(doc_.history, "");  // the whole file is one step
      failure = korrin::cli::ApplyConfiguration(doc_, doc_.ShownEditor(), *config);
    }
    if (!failure) return Dump({{"ok", true}, {"text", ""}});
    if (failure->text.empty() && dialogs_.messages.size() == shown) failure->text = "ein Wert wurde nicht übernommen";
    return Dump({{"ok", false}, {"text", korrin::cli::TextUtf8(failure->text)}});
  }

  // --- help --------------------------------------------------------------------------------
  std::string helpPage() { return HelpFileNamed(korrin::FileNameOf(doc_.HelpPage)); }
  std::string helpFile(std::string name) { return HelpFileNamed(korrin::FileNameOf(name)); }

  // --- curve and set files -----------------------------------------------------------------
  std::string loadCurveFile(std::string name, std::string bytes) { return CurveFile(name, bytes, false); }
  std::string loadSetFile(std::string name, std::string bytes) { return CurveFile(name, bytes, true); }
  val curveFileBytes() { return WrittenCurveFile(false); }
  val setFileBytes() { return WrittenCurveFile(true); }

 private:
  static std::string Dump(const nlohmann::ordered_json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }

  const korrin::PatternEditorModel* PatternModel() const {
    if (doc_.layout.frameKind == korrin::FrameKind::Blink) return &doc_.editors.blink;
    if (doc_.layout.frameKind == korrin::FrameKind::LedBlink) return &doc_.editors.ledBlink;
    return nullptr;
  }

  static std::string HelpFileNamed(const std::string& name) {
    for (const auto& file : korrin::HelpDocument())
      if (file.name == name) return file.html;
    return "";
  }

  std::string CurveFile(const std::string& name, const std::string& bytes, bool set) {
    RequirePlainName(name);
    if (doc_.layout.frameKind != korrin::FrameKind::Servo) return "no-editor";
    const std::string path = std::string(".curve-") + name;
    if (!WriteFile(path, bytes)) return "failed";
    korrin::ServoModel& servo = doc_.editors.servo;
    const korrin::CurveFileResult r = set ? servo.LoadSetFrom(path) : servo.LoadCurveFrom(path);
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return CurveFileResultName(r);
  }

  val WrittenCurveFile(bool set) {
    if (doc_.layout.frameKind != korrin::FrameKind::Servo) return Bytes("");
    const std::string path = set ? ".written.set" : ".written.cur";
    korrin::ServoModel& servo = doc_.editors.servo;
    const korrin::CurveFileResult r = set ? servo.SaveSetTo(path) : servo.SaveCurveTo(path);
    std::string content;
    if (r == korrin::CurveFileResult::Done) content = korrin::ReadWholeFile(path).value_or("");
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return Bytes(content);
  }

  bool Dispatch(korrin::EditorModel& model, const std::string& name, const val& c, bool& commit);

  WebDialogs dialogs_;
  WebFileDialogs files_;
  korrin::Document doc_;
  bool loaded_ = false;
  std::string savedBytes_, savedName_;
};

int Int(const val& c, const char* field) { return c[field].as<int>(); }
bool Flag(const val& c, const char* field) { return c[field].as<bool>(); }
std::string Text(const val& c, const char* field) { return c[field].as<std::string>(); }

bool KorrinDocument::Dispatch(korrin::EditorModel& model, const std::string& name, const val& c, bool& commit) {
  using korrin::FrameKind;
  switch (model.kind()) {
    case FrameKind::Options: {
      auto& m = static_cast<korrin::OptionsModel&>(model);
      if (name == "selectMode") m.SelectMode(Int(c, "radio"));
      else if (name == "modeBit6") m.SetModeBit6(Flag(c, "checked"));
      else if (name == "modeBit7") m.SetModeBit7(Flag(c, "checked"));
      else if (name == "timeOutMarker") m.SetTimeOutMarker(Flag(c, "checked"));
      else if (name == "optionBox") m.SetOptionBox(Int(c, "box"), Flag(c, "checked"));
      else if (name == "bar") m.SetFadingOrSpeed(Int(c, "position"));
      else if (name == "neon1") m.SetNeonDarkLevel(Int(c, "position"));
      else if (name == "neon2") m.SetNeonBrightLevel(Int(c, "position"));
      else if (name == "optionRow") {
        m.SetOptionRowText(Int(c, "row"), Text(c, "text"));
        commit = false;  // typing: the step ends with Enter or when the box is left
      } else return false;
      return true;
    }
    case FrameKind::Cv: {
      auto& m = static_cast<korrin::CvRegisterModel&>(model);
      if (name != "cvRow") return false;
      m.SetCvText(Int(c, "row"), Text(c, "text"));
      commit = false;
      return true;
    }
    case FrameKind::Blink:
    case FrameKind::LedBlink: {
      auto& m = static_cast<korrin::PatternEditorModel&>(model);
      if (name == "selectAddress") m.SelectAddress(Int(c, "address"));
      else if (name == "countText") m.CountTextChanged(Text(c, "text")), commit = false;
      else if (name == "stretchText") m.StretchTextChanged(Text(c, "text")), commit = false;
      else if (name == "loop") m.LoopToggled(Flag(c, "checked"));
      else if (name == "output") m.OutputToggled(Int(c, "output"), Flag(c, "checked"));
      else if (name == "stripPress") m.StripPressed(), commit = false;
      else if (name == "stripMove") m.StripMoved(Int(c, "output"), Int(c, "point"), Flag(c, "on")), commit = false;
      else if (name == "stripRelease") m.StripReleased();
      else if (name == "copy") m.Copy(Int(c, "from"));
      else return false;
      return true;
    }
    case FrameKind::Servo: {
      auto& m = static_cast<korrin::ServoModel&>(model);
      if (name == "selectCurve") m.SelectCurve(Int(c, "curve"));
      else if (name == "countText") m.CountTextChanged(Text(c, "text")), commit = false;
      else if (name == "stretchText") m.StretchTextChanged(Text(c, "text")), commit = false;
      else if (name == "thresholdText") m.ThresholdTextChanged(Text(c, "text")), commit = false;
      else if (name == "scaleText") m.SetScaleText(Text(c, "text")), commit = false;
      else if (name == "shiftText") m.SetShiftText(Text(c, "text")), commit = false;
      else if (name == "raster") m.ChooseRaster(Int(c, "x"), Int(c, "y"));
      else if (name == "mouseDown") m.MouseDown(), commit = false;
      else if (name == "mouseUp") m.MouseUp();
      else if (name == "curveMove") m.CurveMouseMove(Int(c, "x"), Int(c, "y")), commit = false;
      else if (name == "relayMove") m.RelayMouseMove(Int(c, "x"), Int(c, "y")), commit = false;
      else if (name == "paintPoint") m.PaintPoint(Int(c, "point"), Int(c, "position")), commit = false;
      else if (name == "paintRelay") m.PaintRelayStep(Int(c, "point"), Flag(c, "on")), commit = false;
      else if (name == "generate") {
        const std::string shape = Text(c, "shape");
        korrin::CurveShape s = korrin::CurveShape::Lin;
        if (shape == "log") s = korrin::CurveShape::Log;
        else if (shape == "sin") s = korrin::CurveShape::QuarterSine;
        else if (shape == "sin2") s = korrin::CurveShape::HalfSine;
        else if (shape != "lin") return false;
        m.Generate(s);
      } else if (name == "mirrorVertical") m.MirrorCurveVertical();
      else if (name == "mirrorHorizontal") m.MirrorCurveHorizontal();
      else if (name == "scale") m.ApplyScale();
      else if (name == "shift") m.ApplyShift();
      else if (name == "copyCurve") m.CopyFrom(Int(c, "from"));
      else if (name == "sw1") m.ChooseSw1(Flag(c, "learn"));
      else if (name == "buttonAction") m.ChooseButtonAction(Int(c, "list"), Int(c, "index"));
      else if (name == "assignServo") m.ChooseServo(Int(c, "row"), Int(c, "index"));
      else if (name == "assignAction") m.ChooseAction(Int(c, "row"), Int(c, "index"));
      else if (name == "assignCurve") m.ChooseCurve(Int(c, "row"), Int(c, "index"));
      else if (name == "assignRelay") m.ChooseRelay(Int(c, "row"), Int(c, "index"));
      else if (name == "servoFlag") m.SetServoFlag(Int(c, "servo"), Int(c, "bit"), Flag(c, "checked"));
      else if (name == "stepOffset") m.StepOffset(Int(c, "servo"), Int(c, "step"));
      else if (name == "stepFactor") m.StepFactor(Int(c, "servo"), Int(c, "step"));
      else return false;
      return true;
    }
    case FrameKind::None: break;
  }
  return false;
}

}  // namespace

EMSCRIPTEN_BINDINGS(korrin_document) {
  emscripten::class_<KorrinDocument>("KorrinDocument")
      .constructor<val>()
      .function("load", &KorrinDocument::load)
      .function("fileSizeLimit", &KorrinDocument::fileSizeLimit)
      .function("refuseLargeFile", &KorrinDocument::refuseLargeFile)
      .function("setFolder", &KorrinDocument::setFolder)
      .function("save", &KorrinDocument::save)
      .function("savedBytes", &KorrinDocument::savedBytes)
      .function("savedName", &KorrinDocument::savedName)
      .function("state", &KorrinDocument::state)
      .function("view", &KorrinDocument::view)
      .function("setRowAddress", &KorrinDocument::setRowAddress)
      .function("setRowFunction", &KorrinDocument::setRowFunction)
      .function("toggleRowColour", &KorrinDocument::toggleRowColour)
      .function("set", &KorrinDocument::set)
      .function("editor", &KorrinDocument::editor)
      .function("apply", &KorrinDocument::apply)
      .function("discard", &KorrinDocument::discard)
      .function("commit", &KorrinDocument::commit)
      .function("undo", &KorrinDocument::undo)
      .function("redo", &KorrinDocument::redo)
      .function("infoTexts", &KorrinDocument::infoTexts)
      .function("compare", &KorrinDocument::compare)
      .function("patternPreview", &KorrinDocument::patternPreview)
      .function("servoPreview", &KorrinDocument::servoPreview)
      .function("exportConfig", &KorrinDocument::exportConfig)
      .function("applyConfig", &KorrinDocument::applyConfig)
      .function("helpPage", &KorrinDocument::helpPage)
      .function("helpFile", &KorrinDocument::helpFile)
      .function("loadCurveFile", &KorrinDocument::loadCurveFile)
      .function("loadSetFile", &KorrinDocument::loadSetFile)
      .function("curveFileBytes", &KorrinDocument::curveFileBytes)
      .function("setFileBytes", &KorrinDocument::setFileBytes);
}

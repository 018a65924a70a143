#include "app/document.h"

#include "base/platform.h"
#include "image/format.h"
#include "image/hex_writer.h"
#include "image/text_file.h"

namespace korrin {

namespace {

const char* const kHexFilter = "HEX|*.hex|TXT|*.txt|*.*|*.*";

// Collects the messages of a check that must not talk to the user.
class SilentDialogs : public Dialogs {
 public:
  std::vector<std::string> texts;
  Answer show(BoxKind, const std::string& text, Buttons) override {
    texts.push_back(text);
    return Answer::Cancel;
  }
};

// The reading of a file passes its boxes on, except that a warning repeated with only its
// numbers changed (the range message of every EEPROM word past the last cell, for every
// record of a damaged file) is shown the first few times and then counted; the count is shown
// in one box when another message comes or the reading ends. Without this a damaged file
// could raise a hundred thousand modal boxes.
class RepeatLimitingDialogs : public Dialogs {
 public:
  explicit RepeatLimitingDialogs(Dialogs& inner) : inner_(inner) {}
  ~RepeatLimitingDialogs() override { Flush(); }

  Answer show(BoxKind kind, const std::string& text, Buttons buttons) override {
    if (kind == BoxKind::Warning && buttons == Buttons::Ok) {
      std::string key = WithoutDigits(text);
      if (run_ > 0 && key == key_) {
        if (++run_ > kRepeatedRangeMessages) {
          ++skipped_;
          return Answer::Ok;
        }
      } else {
        Flush();
        key_ = std::move(key);
        run_ = 1;
      }
    } else {
      Flush();
    }
    return inner_.show(kind, text, buttons);
  }

  void Flush() {
    if (skipped_ > 0) {
      inner_.warning(Format("%lld weitere gleichartige Meldungen übersprungen", static_cast<long long>(skipped_)));
    }
    skipped_ = 0;
    run_ = 0;
    key_.clear();
  }

 private:
  static std::string WithoutDigits(const std::string& text) {
    std::string out;
    for (char c : text)
      if (c < '0' || c > '9') out += c;
    return out;
  }

  Dialogs& inner_;
  std::string key_;
  long long run_ = 0;
  long long skipped_ = 0;
};

// Routes the image's accessor messages through the limiter while the file is read.
class ImageDialogsScope {
 public:
  ImageDialogsScope(FirmwareImage& image, Dialogs* during) : image_(image), before_(image.dialogs()) {
    image_.setDialogs(during);
  }
  ~ImageDialogsScope() { image_.setDialogs(before_); }
  ImageDialogsScope(const ImageDialogsScope&) = delete;
  ImageDialogsScope& operator=(const ImageDialogsScope&) = delete;

 private:
  FirmwareImage& image_;
  Dialogs* before_;
};

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  // Only the name counts: "C:\Decoder.alt\weiche" has no extension (on Windows).
  if (FileNameOf(path).find('.') == std::string::npos) return path + "." + extension;
  return path;
}

}  // namespace

// Reads a written file back into a fresh image and names the first area in which it differs
// from the image that was saved; nothing when the file holds exactly that image.
std::optional<std::string> VerifyWrittenFile(const std::string& path, const FirmwareImage& saved) {
  auto lines = ReadTextLines(path);
  if (!lines) return std::string("die geschriebene Datei kann nicht wieder gelesen werden");
  SilentDialogs silent;
  FirmwareImage back(&silent);
  back.ResetForNewFile();
  HexReadStatus status;
  for (const auto& line : *lines) {
    if (line.empty()) continue;
    if (!ReadHexLine(back, line, silent, status) || !silent.texts.empty())
      return std::string("die geschriebene Datei wird nicht fehlerfrei gelesen");
  }
  if (back.Hex_ROM != saved.Hex_ROM) return std::string("der Programmspeicher weicht ab");
  if (back.Hex_EE != saved.Hex_EE) return std::string("das EEPROM weicht ab");
  if (saved.Config_Found || back.Config_Found) {
    const size_t words = LayoutOf(saved) == MemoryLayout::Pic18324 ? 4 : 1;
    for (size_t i = 0; i < words; ++i)
      if (back.Config[i] != saved.Config[i]) return std::string("das Config-Wort weicht ab");
  }
  if (saved.ID_Found && back.ID_Text != saved.ID_Text) return std::string("die ID weicht ab");
  return std::nullopt;
}

Document::Document(Dialogs& d, FileDialogs& f) : EditorContext(d, f), rows(&d) {
  NeutralLayout();
  steps = &history;
}

RowModes Document::modes() const {
  RowModes m;
  m.Is_Mot = Is_Mot;
  m.Is_DCC = Is_DCC;
  m.No_Rows = No_Rows;
  m.RG_Mode = RG_Mode;
  m.Fn_Mode = Fn_Mode;
  m.CV_Mode = CV_Mode;
  m.MaxAddress = limits.MaxAddress;
  m.MaxFunction = limits.MaxFunction;
  return m;
}

std::array<std::string, 48> Document::Captions() const {
  std::array<std::string, 48> captions;
  for (int r = 0; r < 48; ++r) captions[static_cast<size_t>(r)] = rows[r].caption;
  return captions;
}

void Document::NeutralLayout() {
  for (auto& row : rows.rows) row.caption.clear();
  layout.NeutralLayout(Captions(), captionWidth);
}

void Document::SetHeader(const std::string& title) {
  headerText = title;
  headerFontSize = HeaderFontSize(title, layout.groupBoxMain.width, headerWidthAt);
}

void Document::ShowEditorFrame(FrameKind kind) {
  if (frames) frames->HideFrames(false);
  FrameMetrics metrics = frames ? frames->MetricsFor(kind) : FrameMetrics{};
  layout.ShowEditorFrame(kind, metrics);
  // The editor reads the image here, in the core, so that every caller of the load sequence
  // (window, command line, tests) sees the same image afterwards.
  if (EditorModel* model = ShownEditor()) model->Load();
  if (frames && layout.frameKind != FrameKind::None) frames->ShowFrame(kind, layout);
}

void Document::ApplyCatalogue() {
  RG_Mode = Fn_Mode = CV_Mode = false;
  bool recognisedWithoutRows = false;
  NeutralLayout();
  image.ConfigDefault.fill("");

  Type = nullptr;
  if (const DecoderType* entry = FindDecoderType(DecoderIdentifier)) {
    Type = entry;
    CatalogueModes m = ModesFor(entry->mode);
    RG_Mode = m.RG_Mode;
    Fn_Mode = m.Fn_Mode;
    CV_Mode = m.CV_Mode;
    if (EntrySetsIsDcc(*entry)) Is_DCC = true;
    DecoderIdentifier = IdentifierAfterCatalogue(DecoderIdentifier);
    recognisedWithoutRows = entry->recognisedWithoutRows;
    std::vector<std::string> captions = RowCaptions(entry);
    for (int r = 0; r < 48 && r < static_cast<int>(captions.size()); ++r) rows[r].caption = captions[static_cast<size_t>(r)];
    DecoderTitle = entry->title;
    layout.PlaceRows(entry->perColumn, entry->gapRow, Captions(), captionWidth);
    HelpPage = HelpPageOf(*entry);
    image.PIC = entry->pic;
    if (entry->frameKind() != FrameKind::None) ShowEditorFrame(entry->frameKind());
  } else {
    // An unrecognised file must not show the title of the type loaded before it.
    DecoderTitle.clear();
  }

  ApplyPic(image, statusPanels[3]);
  SetHeader(DecoderTitle);
  limits = LimitsAfterCatalogue(limits, Is_Mot, Is_DCC, RG_Mode);

  // The hint names the range a row can really be saved with (Motorola function rows: 255).
  InputLimits hintLimits{StorableAddressLimit(modes()), limits.MaxFunction};
  for (auto& row : rows.rows) {
    RowControls c = RowControlsFor(row.caption, RG_Mode, hintLimits);
    row.captionVisible = c.labelVisible;
    row.addressVisible = c.addressVisible;
    row.functionVisible = c.functionVisible;
    row.rgVisible = c.rgButtonVisible;
    row.addressHintShown = c.addressHintShown;
    if (c.functionHintShown) row.functionHintShown = *c.functionHintShown;
    if (c.addressHint) row.addressHint = *c.addressHint;
    if (c.functionHint) row.functionHint = *c.functionHint;
    if (c.recognises) recognisedWithoutRows = true;
  }
  history.Clear();

  CheckLocations(image, dialogs);
  if (MustReportUnrecognised(recognisedWithoutRows, CV_Mode)) {
    Identification shown = identification;
    shown.DecoderIdentifier = DecoderIdentifier;
    ReportUnrecognised(shown, kProgramHelpPage, HelpPage, dialogs);
  }
}

LoadResult Document::LoadHexFile(const std::string& path) {
  if (path.empty()) return LoadResult::NoFile;
  std::string error;
  auto lines = ReadTextLines(path, &error);
  if (!lines) {
    dialogs.error(error);
    return LoadResult::NotRead;
  }
  return LoadHexLines(path, *lines);
}

LoadResult Document::LoadHexLines(const std::string& path, const std::vector<std::string>& lines) {
  statusPanels[0].clear();
  statusPanels[1].clear();
  statusPanels[2].clear();
  statusPanels[3] = path;
  LastFileName = path;
  focus.reset();

  image.StoreLines(lines);
  image.ResetForNewFile();
  if (frames) frames->HideFrames(true);
  layout.frameKind = FrameKind::None;

  HexReadStatus status;
  {
    RepeatLimitingDialogs limited(dialogs);
    ImageDialogsScope scope(image, &limited);
    for (int32_t k = 0; k < image.HexStringCount; ++k) {
      std::string line = image.get_HexString(k);
      if (line.empty()) continue;
      bool accepted = ReadHexLine(image, line, limited, status);
      statusPanels[0] = status.panel0;
      statusPanels[1] = status.panel1;
      if (!accepted) {
        limited.Flush();
        return EndedEarly(LoadResult::ReaderError);
      }
    }
  }

  identification = IdentifyDecoder(image);
  DecoderIdentifier = identification.DecoderIdentifier;
  ProtocolFlags flags = DetectProtocol(image);
  Is_Mot = flags.Is_Mot;
  Is_DCC = flags.Is_DCC;
  No_Rows = flags.No_Rows;

  ApplyCatalogue();
  if (No_Rows) RG_Mode = false;

  if (image.PIC == 0 && dialogs.show(BoxKind::Warning, "Es konnte das HEX File keinem PIC zugeordnet werden.",
                                     Buttons::CancelIgnore) == Answer::Cancel)
    return EndedEarly(LoadResult::Cancelled);
  if (!image.ID_Found && dialogs.show(BoxKind::Warning, "In dem HEX-File wurde kein Wert für die ID gefunden.",
                                      Buttons::CancelIgnore) == Answer::Cancel)
    return EndedEarly(LoadResult::Cancelled);
  if (!image.Config_Found) {
    Answer a = dialogs.show(BoxKind::Warning, "In dem HEX-File wurde kein Config-Wert gefunden. Standard-Wert erzeugen?",
                            Buttons::YesIgnore);
    if (a == Answer::Yes) {
      image.Config = image.ConfigDefault;
    } else {
      image.Config.fill("0000");
    }
  }

  statusPanels[2] = Is_Mot ? "Mot" : Is_DCC ? "DCC" : "ohne";
  if (!Is_Mot && !Is_DCC) {
    for (auto& row : rows.rows) row.captionVisible = row.addressVisible = row.functionVisible = row.rgVisible = false;
  }

  if (!No_Rows) {
    auto report = [this](int value) {
      progress = value;
      if (onProgress) onProgress(value);
    };
    if (auto f = DecodeAddressRows(image, rows, modes(), dialogs, report)) focus = f;
    progress = 0;
  }
  saveEnabled = true;
  history.Clear();
  return LoadResult::Loaded;
}

// A load that ended early leaves an image that is only partly read and rows that were not
// decoded from it; saving that would write the previous file's rows into it under the new
// name, so "speichern" stays off until a load runs through.
LoadResult Document::EndedEarly(LoadResult result) {
  saveEnabled = false;
  history.Clear();
  return result;
}

void Document::ToggleRowColour(int row) {
  if (row < 0 || row >= 48) return;
  History::Transaction step(history, RowStepName(row, "R/G umschalten"));
  rows[row].RowGreen = !rows[row].RowGreen;
}

std::string Document::RowStepName(int row, const std::string& what) const {
  const std::string& caption = rows[row].caption;
  const size_t end = caption.find_last_not_of(" :");
  const size_t begin = caption.find_first_not_of(' ');
  if (end == std::string::npos || begin == std::string::npos) return "Zeile " + what;
  return caption.substr(begin, end - begin + 1) + " " + what;
}

void Document::SetRowAddressText(int row, const std::string& text) {
  if (row < 0 || row >= 48 || rows[row].addressText == text) return;
  History::Transaction step(history, RowStepName(row, "Adresse ändern"), "row" + std::to_string(row) + ".address");
  rows[row].addressText = text;
}

void Document::SetRowFunctionText(int row, const std::string& text) {
  if (row < 0 || row >= 48 || rows[row].functionText == text) return;
  History::Transaction step(history, RowStepName(row, "Funktion ändern"), "row" + std::to_string(row) + ".function");
  rows[row].functionText = text;
}

Document::RowColour Document::RowColourOf(int row) const {
  if (!RG_Mode) return RowColour::White;
  return rows[row].RowGreen ? RowColour::Green : RowColour::Red;
}

void Document::FindNeighbours(const std::string& path) {
  Neighbours n = korrin::FindNeighbours(path);
  PrevFileName = n.PrevFileName;
  NextFileName = n.NextFileName;
}

// The writer writes program memory and EEPROM up to the highest cell the loaded file
// filled. Cells an edit changed beyond that (an address row in a file whose EEPROM record
// was short, a table an editor filled in) would be dropped from the file, so the range is
// widened to the last cell that is no longer blank.
void ExtendWrittenRange(FirmwareImage& image) {
  for (int32_t k = kEepromCells - 1; k > image.Max_EE_Index; --k) {
    if (image.Hex_EE[static_cast<size_t>(k)] != "FF") {
      image.Max_EE_Index = k;
      break;
    }
  }
  for (int32_t k = kRomCells - 1; k > image.Max_ROM_Index; --k) {
    if (image.Hex_ROM[static_cast<size_t>(k)] != (k % 2 == 0 ? "FF" : "3F")) {
      image.Max_ROM_Index = k;
      break;
    }
  }
}

SaveResult Document::PrepareLines() {
  focus.reset();
  if (!No_Rows) {
    if (auto f = SaveAddressRows(image, rows, modes(), dialogs)) {
      focus = f;
      return SaveResult::RowError;
    }
  }
  ExtendWrittenRange(image);
  if (WriteHexImage(image, dialogs) == 0) return SaveResult::ChecksumError;
  return SaveResult::Saved;
}

SaveResult Document::WriteLines(const std::string& path) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < image.HexStringCount; ++i) lines.push_back(image.get_HexString(i));
  std::string error;
  auto verify = [this](const std::string& temp) -> std::optional<std::string> {
    if (auto why = VerifyWrittenFile(temp, image))
      return "Die gespeicherte Datei stimmt nicht mit den Daten überein: " + *why + ". Die bisherige Datei bleibt unverändert.";
    return std::nullopt;
  };
  if (!WriteTextLinesSafely(path, lines, &error, verify)) {
    dialogs.error(error);
    return SaveResult::WriteFailed;
  }
  return SaveResult::Saved;
}

SaveResult Document::SaveHexFile() {
  // An edit not yet committed is a step of its own; the apply the save asks for is another.
  // What the save itself writes (the rows' codes) is no step: the history takes it as it is.
  history.Commit();
  struct Rebase {
    History& h;
    ~Rebase() { h.Rebase(); }
  } rebase{history};
  if (EditorModel* editor = ShownEditor(); editor && editor->hasPendingChanges()) {
    if (dialogs.show(BoxKind::Warning, "Geänderte Werte übernehmen?", Buttons::YesNo) != Answer::Yes)
      return SaveResult::NotApplied;
    editor->applyPendingChanges();
    history.Commit("übernehmen");
  }
  SaveResult prepared = PrepareLines();
  if (prepared != SaveResult::Saved) return prepared;

  FileDialogRequest request{"HEX-Datei speichern", kHexFilter, "hex", LastFileName};
  auto chosen = fileDialogs.save(request);
  if (!chosen) {
    statusPanels[3] = LastFileName;
    return SaveResult::Cancelled;
  }
  std::string path = WithDefaultExtension(*chosen, "hex");
  SaveResult written = WriteLines(path);
  statusPanels[3] = path;
  if (written == SaveResult::Saved) history.MarkSaved();
  return written;
}

bool Document::ConfirmDiscardChanges() {
  history.Commit();  // the last change of the user counts even when no action has ended it
  if (!IsModified()) return true;
  const std::string question = "Die Änderungen an " + FileNameOf(LastFileName) + " speichern?";
  switch (dialogs.show(BoxKind::Warning, question, Buttons::SaveDiscardCancel)) {
    case Answer::Save: return SaveHexFile() == SaveResult::Saved;
    case Answer::Discard: return true;
    default: return false;  // Abbrechen, or the box closed without an answer
  }
}

SaveResult Document::SaveTo(const std::string& path) {
  history.Commit();
  struct Rebase {
    History& h;
    ~Rebase() { h.Rebase(); }
  } rebase{history};
  SaveResult prepared = PrepareLines();
  if (prepared != SaveResult::Saved) return prepared;
  SaveResult written = WriteLines(path);
  if (written == SaveResult::Saved) history.MarkSaved();
  return written;
}

}  // namespace korrin

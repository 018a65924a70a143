// korrin-make-examples: writes the example firmware files in examples/ and the small HEX files
// the tests load from tests/fixtures/.
//
//   korrin-make-examples EXAMPLES_DIR FIXTURES_DIR
//
// Every file is built with the program's own core, so it holds exactly what a decoder firmware
// holds where the program looks for it:
//   - program words 0..2: the signature, three MOVLW instructions (0x30kk) whose literals make
//     the decoder identifier (or, for the turntables, no signature and the marker byte in the
//     low byte of word 137);
//   - program word 8 (and 35): the protocol marker instruction (Motorola or DCC);
//   - a few more plain mid-range instructions around them, erased words (0x3FFF) elsewhere;
//   - blink pattern and servo curve tables as RETLW instructions (0x34kk) at the program
//     words their editors read, filled through the editors' own table models;
//   - the ID record (decoder ID digit and firmware version), the configuration word(s);
//   - the EEPROM: option and CV bytes, and the address rows encoded by the same validation,
//     encoding and storing code the window's save uses, from plain decimal addresses.
//
// A file with address rows is made in two steps: the program memory, ID, configuration and
// base EEPROM are written to a temporary file, that file is loaded through the document's load
// sequence (identification, catalogue step, row decoding), the row texts are typed into the
// loaded document as a user would, and the rows are saved with SaveAddressRows and the HEX
// writer. Files without rows are written from the image directly, so records a test needs to
// be missing (ID, configuration) really are missing.
//
// At the end every file is loaded again through a fresh document and its rows are compared
// with what was asked for; any difference, any unexpected message, or a file that does not
// load through makes the tool exit with status 1.
#include <cstdlib>
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/document.h"
#include "decoders/address_rows.h"
#include "decoders/catalogue.h"
#include "editors/blink_patterns.h"
#include "editors/curve_generators.h"
#include "editors/cv_tables.h"
#include "editors/servo_curves.h"
#include "image/hex_writer.h"
#include "image/text_file.h"

namespace korrin {
namespace {

// Records every message; questions are answered so that a load always runs through.
class ToolDialogs : public Dialogs {
 public:
  std::vector<std::string> texts;
  Answer show(BoxKind, const std::string& text, Buttons buttons) override {
    texts.push_back(text);
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::Cancel: return Answer::Cancel;
      case Buttons::CancelIgnore:
      case Buttons::YesIgnore: return Answer::Ignore;
      case Buttons::YesNo: return Answer::Yes;
    }
    return Answer::Ok;
  }
};

class NoFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> open(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> save(const FileDialogRequest&) override { return std::nullopt; }
};

// The instruction word that marks the address protocol, and which rule of the detection it
// meets (word 8 alone, or word 8 = 0x1C0C together with word 35).
enum class Marker { None, Mot, Dcc, MotByWord35, DccByWord35, DccGoto, NoRows };

enum class IdKind { None, MidRange, Pic18324 };

// What one address row is set to: the decimal address, the red/green flag of a switching row
// or the function number of a function row.
struct RowValue {
  int row;
  int address;
  bool green = false;
  int function = 0;
};

struct Recipe {
  std::string folder;  // "examples" or "fixtures"
  std::string file;
  std::string description;
  std::array<int, 3> signature{0, 0, 0};  // literal bytes b0, b1, b2; 0 words are no MOVLW
  bool signatureWords = true;             // false: words 0..2 carry no MOVLW at all
  int word137 = -1;                       // the turntables' marker word, -1 = a plain word
  Marker marker = Marker::None;
  IdKind id = IdKind::MidRange;
  std::string version = "350";  // mid-range: three digits major, tenth, hundredth
  int idDigit = 1;
  bool config = true;
  std::string configText;  // empty: the PIC's default words
  std::vector<RowValue> rows;
  // Fills tables in program memory and option/CV bytes in the EEPROM of the first image.
  std::function<void(FirmwareImage&)> fill;
  // Cells overwritten after the rows were stored (a deliberately broken row).
  std::map<int, int> eepromPatches;
};

Recipe MakeRecipe(std::string folder, std::string file, std::string description) {
  Recipe s;
  s.folder = std::move(folder);
  s.file = std::move(file);
  s.description = std::move(description);
  return s;
}

const std::string& Hex(int v) { return HexByteText()[static_cast<size_t>(v & 0xFF)]; }

void SetWord(FirmwareImage& image, int w, int value) {
  image.set_Hex_ROM(2 * w, Hex(value));
  image.set_Hex_ROM(2 * w + 1, Hex(value >> 8));
  image.Max_ROM_Index = std::max(image.Max_ROM_Index, 2 * w + 1);
}

// A RETLW table entry's high byte; the table models write only the low bytes.
void MarkRetlw(FirmwareImage& image, int romCell) {
  image.set_Hex_ROM(romCell + 1, "34");
  image.Max_ROM_Index = std::max(image.Max_ROM_Index, romCell + 1);
}

// Program memory: signature, an initialisation, the marker instruction(s) and a main loop.
void WriteProgram(FirmwareImage& image, const Recipe& recipe) {
  // Without a signature the first words are ordinary instructions (CLRF INTCON, CLRW, NOP).
  const int plain[3] = {0x018B, 0x0103, 0x0000};
  for (int w = 0; w < 3; ++w)
    SetWord(image, w, recipe.signatureWords ? 0x3000 | recipe.signature[static_cast<size_t>(w)] : plain[w]);
  const int init[] = {0x1683,   // BSF STATUS,RP0
                      0x0185,   // CLRF TRISIO
                      0x1283,   // BCF STATUS,RP0
                      0x3007,   // MOVLW 0x07
                      0x0099};  // MOVWF CMCON
  for (int i = 0; i < 5; ++i) SetWord(image, 3 + i, init[i]);

  int word8 = 0x0000, word35 = 0x0000;
  switch (recipe.marker) {
    case Marker::Mot: word8 = 0x1C8B; break;            // BTFSS INTCON,1
    case Marker::Dcc: word8 = 0x1905; break;            // BTFSC GPIO,2
    case Marker::NoRows: word8 = 0x0181; break;         // CLRF TMR0
    case Marker::MotByWord35: word8 = 0x1C0C; word35 = 0x1C8B; break;
    case Marker::DccByWord35: word8 = 0x1C0C; word35 = 0x1905; break;
    case Marker::DccGoto: word8 = 0x2812; break;        // GOTO 0x12
    case Marker::None: word8 = 0x0064; break;           // CLRWDT
  }
  SetWord(image, 8, word8);
  // The decoding loop between the two marker words.
  const int loop[] = {0x0805, 0x00A0, 0x1D03, 0x2814, 0x0AA1, 0x0820, 0x0621, 0x1903,
                      0x2810, 0x0064, 0x0BA2, 0x280E, 0x0008};
  for (int w = 9; w < 35; ++w) SetWord(image, w, loop[(w - 9) % 13]);
  SetWord(image, 35, word35 ? word35 : 0x0000);
  SetWord(image, 36, 0x2808);  // GOTO 8
  if (recipe.word137 >= 0) {
    for (int w = 37; w < 137; ++w) SetWord(image, w, loop[(w - 37) % 13]);
    SetWord(image, 137, recipe.word137);
    SetWord(image, 138, 0x0008);  // RETURN
  }
}

// The ID record and the configuration word(s) of the first image.
void WriteRecords(FirmwareImage& image, const Recipe& recipe) {
  if (recipe.id == IdKind::MidRange) {
    image.ID_Address = 0x2000;
    image.ID_Found = true;
    image.ID_Text = std::to_string(recipe.idDigit) + recipe.version;
    image.EE_Address = 0x2100;
  } else if (recipe.id == IdKind::Pic18324) {
    // Word 0: the version after the point in its low byte; word 2: the decoder's ID.
    image.ID_Address = 0x8000;
    image.ID_Found = true;
    image.ID_Text = recipe.version + "00" + "0000" + Hex(recipe.idDigit) + "00" + "0000";
    image.EE_Address = 0xF000;
  }
  image.Config.fill("");
  if (!recipe.config) return;
  image.Config_Found = true;
  if (recipe.id == IdKind::Pic18324) {
    image.Config_Address = 0x8007;
    image.Config = {"8C17", "3C25", "FF1F", "FF3F"};
  } else {
    image.Config_Address = 0x2007;
    image.Config[0] = recipe.configText.empty() ? "8431" : recipe.configText;
  }
}

bool WriteLines(FirmwareImage& image, const std::string& path, Dialogs& dialogs) {
  if (WriteHexImage(image, dialogs) == 0) {
    std::cerr << path << ": the writer refused the image\n";
    return false;
  }
  std::vector<std::string> lines;
  for (int32_t i = 0; i < image.HexStringCount; ++i) lines.push_back(image.get_HexString(i));
  std::string error;
  // The file is read back before it replaces anything: it must hold exactly this image.
  auto check = [&image](const std::string& temp) { return VerifyWrittenFile(temp, image); };
  if (!WriteTextLinesSafely(path, lines, &error, check)) {
    std::cerr << path << ": " << error << "\n";
    return false;
  }
  return true;
}

// Types the recipe's values into the loaded document's rows as a user would.
bool TypeRows(Document& doc, const Recipe& recipe) {
  std::vector<bool> given(kAddressRowCount, false);
  for (const RowValue& v : recipe.rows) {
    if (v.row < 0 || v.row >= kAddressRowCount || !doc.rows[v.row].shown()) {
      std::cerr << recipe.file << ": row " << v.row << " is not shown for this type\n";
      return false;
    }
    AddressRow& row = doc.rows[v.row];
    row.addressText = std::to_string(v.address);
    if (doc.RG_Mode) row.RowGreen = v.green;
    else row.functionText = std::to_string(v.function);
    given[static_cast<size_t>(v.row)] = true;
  }
  for (int r = 0; r < kAddressRowCount; ++r) {
    if (doc.rows[r].shown() && !given[static_cast<size_t>(r)]) {
      std::cerr << recipe.file << ": no value for row " << r << " (" << doc.rows[r].caption << ")\n";
      return false;
    }
  }
  return true;
}

bool Generate(const Recipe& recipe, const std::string& path) {
  ToolDialogs dialogs;
  NoFileDialogs files;
  FirmwareImage first(&dialogs);
  first.ResetForNewFile();
  WriteProgram(first, recipe);
  WriteRecords(first, recipe);
  first.Max_EE_Index = kEepromCells - 1;
  if (recipe.fill) recipe.fill(first);

  if (recipe.rows.empty()) {
    for (const auto& [cell, value] : recipe.eepromPatches) first.setEepromValue(cell, value);
    return WriteLines(first, path, dialogs);
  }

  const std::string temp = path + ".stage";
  if (!WriteLines(first, temp, dialogs)) return false;
  Document doc(dialogs, files);
  LoadResult loaded = doc.LoadHexFile(temp);
  std::filesystem::remove(temp);
  if (loaded != LoadResult::Loaded) {
    std::cerr << recipe.file << ": the first image does not load\n";
    return false;
  }
  if (!TypeRows(doc, recipe)) return false;
  dialogs.texts.clear();
  if (SaveAddressRows(doc.image, doc.rows, doc.modes(), dialogs)) {
    std::cerr << recipe.file << ": the rows were refused: " << (dialogs.texts.empty() ? "" : dialogs.texts.back()) << "\n";
    return false;
  }
  for (const auto& [cell, value] : recipe.eepromPatches) doc.image.setEepromValue(cell, value);
  return WriteLines(doc.image, path, dialogs);
}

// Loads a written file and compares the decoded rows with the recipe.
bool Check(const Recipe& recipe, const std::string& path) {
  ToolDialogs dialogs;
  NoFileDialogs files;
  Document doc(dialogs, files);
  LoadResult loaded = doc.LoadHexFile(path);
  bool ok = loaded == LoadResult::Loaded;
  std::set<int> patchedRows;
  for (const auto& [cell, value] : recipe.eepromPatches) {
    for (int r = 0; r < kAddressRowCount; ++r)
      if (cell == RowSlot(r) || cell == RowSlot(r) + 16 || cell == RowSlot(r) + 32) patchedRows.insert(r);
  }
  for (const RowValue& v : recipe.rows) {
    if (patchedRows.count(v.row)) continue;
    const AddressRow& row = doc.rows[v.row];
    bool same = row.addressText == std::to_string(v.address) &&
                (doc.RG_Mode ? row.RowGreen == v.green : row.functionText == std::to_string(v.function));
    if (!same) {
      std::cerr << recipe.file << ": row " << v.row << " reads back as " << row.addressText << "/"
                << row.functionText << (row.RowGreen ? " green" : " red") << "\n";
      ok = false;
    }
  }
  std::cout << path << ": identifier " << doc.DecoderIdentifier << ", \"" << doc.DecoderTitle << "\", "
            << doc.statusPanels[2] << ", " << doc.image.HexStringCount << " lines";
  for (const auto& text : dialogs.texts) std::cout << "\n    message: " << text;
  std::cout << "\n";
  return ok;
}

// ---- table contents --------------------------------------------------------------------

// The CV bytes of a 16F18324 CV decoder: short address 3, long address 0, configuration 6.
void FillCvBytes(FirmwareImage& image, int32_t identifier) {
  for (const CvRow& row : CvTableFor(FindDecoderType(identifier)->editor.cvTable)) {
    // Captions read "CV001: Kurze Adresse": the CV number is the digits after "CV".
    const int cv = std::atoi(row.caption + 2);
    int value = 0;
    if (cv == 1) value = 3;
    else if (cv == 29) value = 6;
    else if (cv == 7) value = 26;
    else if (cv == 8) value = 13;
    else if (cv == 52 || cv == 53) value = 128;
    image.setEepromValue(row.offset, value);
  }
}

// Four patterns of the four-output editor: alternating blink, running light, double flash,
// one slow sequence without loop.
void FillFourOutputPatterns(FirmwareImage& image) {
  PatternTable table(FourOutputPatternLayout());
  for (int i = 0; i < table.size(); ++i) table.setEntry(i, 0);
  struct Pattern { int count, stretch; bool loop; std::vector<std::vector<int>> on; };
  const Pattern patterns[4] = {
      {2, 50, true, {{0}, {1}}},
      {4, 20, true, {{0}, {1}, {2}, {3}}},
      {10, 10, true, {{0, 1}, {}, {0, 1}, {}, {}, {}, {}, {}, {}, {}}},
      {5, 100, false, {{0}, {0, 1}, {0, 1, 2}, {0, 1, 2, 3}, {}}},
  };
  for (int k = 0; k < kPatternBlocks; ++k) {
    const Pattern& p = patterns[k];
    table.storeCount(k, p.count);
    table.storeStretch(k, p.stretch);
    table.setLoop(k, p.loop);
    for (int o = 0; o < table.outputCount(); ++o) table.setOutputUsed(k, o, true);
    for (int point = 0; point < p.count; ++point)
      for (int o : p.on[static_cast<size_t>(point)]) table.paintPoint(k, point, o, true);
  }
  table.StorePatterns(image);
  for (int i = 0; i < table.size(); ++i) MarkRetlw(image, table.romAddress(i));
}

// Four patterns of the ten-output LED editor; pattern 3 uses a stretch above 255.
void FillLedPatterns(FirmwareImage& image, int32_t identifier) {
  PatternTable table(LedPatternLayout(FindDecoderType(identifier)->editor.stretch));
  for (int i = 0; i < table.size(); ++i) table.setEntry(i, 0);
  const int counts[4] = {10, 20, 2, 4};
  const int stretches[4] = {15, 5, 600, 40};
  for (int k = 0; k < kPatternBlocks; ++k) {
    table.storeCount(k, counts[k]);
    table.storeStretch(k, stretches[k]);
    table.setLoop(k, k != 3);
    for (int o = 0; o < table.outputCount(); ++o) table.setOutputUsed(k, o, true);
  }
  for (int point = 0; point < 10; ++point) table.paintPoint(0, point, point, true);  // running light
  for (int point = 0; point < 20; ++point)                                            // there and back
    table.paintPoint(1, point, point < 10 ? point : 19 - point, true);
  for (int o = 0; o < 10; ++o) table.paintPoint(2, o % 2, o, true);                   // even/odd blink
  for (int point = 0; point < 4; ++point)                                             // filling bar
    for (int o = 0; o <= 2 * point + 1 && o < 10; ++o) table.paintPoint(3, point, o, true);
  table.StorePatterns(image);
  for (int i = 0; i < table.size(); ++i) MarkRetlw(image, table.romAddress(i));
}

// Four servo curves of 50 points, 40 ms apart, in the four shapes of the generators.
void FillServoCurves(FirmwareImage& image) {
  CurveTable table;
  const CurveShape shapes[kCurveBlocks] = {CurveShape::Lin, CurveShape::HalfSine, CurveShape::QuarterSine,
                                           CurveShape::Log};
  for (int k = 0; k < kCurveBlocks; ++k) {
    CurveBlock& block = table.blocks[static_cast<size_t>(k)];
    block.fill(0);
    block[kEntryCount] = 50;
    block[kEntryStretch] = 2;
    GenerateCurve(block, shapes[k]);
  }
  StoreCurves(table, image);
  for (int i = 0; i < kTableEntries; ++i) {
    MarkRetlw(image, kTableARomCell + 2 * i);
    MarkRetlw(image, kTableBRomCell + 2 * i);
  }
}

// The options frame's mode byte (radio button 1) and option value byte of a switching type.
void FillOptionBytes(FirmwareImage& image) {
  image.setEepromValue(0x00, 0x01);
  image.setEepromValue(0x20, 0x11);
}

// Switching rows in pairs: two rows per address, red then green.
std::vector<RowValue> PairedRows(int firstRow, int lastRow, int firstAddress) {
  std::vector<RowValue> rows;
  for (int r = firstRow; r <= lastRow; ++r) {
    int k = r - firstRow;
    rows.push_back({r, firstAddress + k / 2, k % 2 == 1, 0});
  }
  return rows;
}

std::vector<RowValue> FunctionRows(int firstRow, int lastRow, int address) {
  std::vector<RowValue> rows;
  for (int r = firstRow; r <= lastRow; ++r) rows.push_back({r, address, false, r - firstRow + 1});
  return rows;
}

std::vector<Recipe> Recipes() {
  std::vector<Recipe> recipes;
  auto add = [&recipes](Recipe s) { recipes.push_back(std::move(s)); };

  // ---- examples: one per frame kind and protocol family ----
  {
    Recipe s = MakeRecipe("examples", "tollet_mot.hex", "Tollet (identifier 8), Motorola switching, options frame");
    s.signature = {0x08, 0, 0};
    s.marker = Marker::Mot;
    s.version = "340";
    s.rows = {{1, 12, true}, {2, 13, false}};
    s.fill = FillOptionBytes;
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "relais8_dcc.hex", "Relaisdekoder 8 (identifier 0x69), DCC switching, options frame");
    s.signature = {0x69, 0, 0};
    s.marker = Marker::Dcc;
    s.version = "360";
    s.configText = "C431";
    s.rows = PairedRows(1, 8, 101);
    s.rows.push_back({9, 110, true});
    s.fill = FillOptionBytes;
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "fdekoder_mot.hex", "Pandor - F-Dekoder Schalten (0x3D00), Motorola function rows");
    s.signature = {0, 0x3D, 0};
    s.marker = Marker::Mot;
    s.version = "050";
    s.rows = FunctionRows(1, 4, 24);
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "fdekoder_dcc.hex", "LED-Dekoder - F-Dekoder Schalten ab V0.60 (0x13E00), DCC function rows");
    s.signature = {0, 0x3E, 0x01};
    s.marker = Marker::DccByWord35;
    s.version = "061";
    s.configText = "C431";
    s.rows = FunctionRows(1, 10, 300);
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "blinkmuster_mot.hex", "Pandor - Blinkmuster (identifier 1), Motorola, blink pattern frame");
    s.signature = {0x01, 0, 0};
    s.marker = Marker::Mot;
    s.version = "350";
    s.configText = "C431";
    s.rows = {{1, 20, true}, {2, 20, false}, {3, 21, true}, {4, 21, false}};
    s.fill = FillFourOutputPatterns;
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "led_blinkmuster_dcc.hex", "LED - Blinkmuster ab V3.60 (identifier 477), DCC, LED blink frame");
    s.signature = {0xDD, 0x01, 0};
    s.marker = Marker::Dcc;
    s.version = "360";
    s.configText = "C431";
    s.rows = {{1, 500, true}, {2, 500, false}, {3, 501, true}, {4, 501, false}};
    s.fill = [](FirmwareImage& image) { FillLedPatterns(image, 477); };
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "servo_tamb4_dcc.hex", "Tamb-4 Servo-Dekoder (identifier 211), DCC, servo frames");
    s.signature = {0xD3, 0, 0};
    s.marker = Marker::Dcc;
    s.version = "358";
    s.configText = "C431";
    s.rows = PairedRows(1, 8, 40);
    s.fill = FillServoCurves;
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "fenwik_18324_cv.hex", "Fenwik 16F18324 (0x14B00), CV register frame");
    s.signature = {0, 0x4B, 0x01};
    s.marker = Marker::Mot;
    s.id = IdKind::Pic18324;
    s.version = "26";
    s.idDigit = 1;
    s.fill = [](FirmwareImage& image) { FillCvBytes(image, 0x14B00); };
    add(s);
  }
  {
    Recipe s = MakeRecipe("examples", "drehscheibe24_dcc.hex", "Drehscheibe 24 Position (no signature, word 137 = 0x0A17), DCC");
    s.signatureWords = false;
    s.word137 = 0x0A17;
    s.marker = Marker::Dcc;
    s.version = "120";
    for (int r = 4; r <= 19; ++r) s.rows.push_back({r, 200 + (r - 4) / 2, (r - 4) % 2 == 1, 0});
    add(s);
  }

  // ---- test fixtures: small program memory, values chosen for the tests ----
  {
    Recipe s = MakeRecipe("fixtures", "mot_switching.hex", "Tollet: Weiche 1 green, Licht 320 red");
    s.signature = {0x08, 0, 0};
    s.marker = Marker::Mot;
    s.version = "326";
    s.idDigit = 5;
    s.rows = {{1, 1, true}, {2, 320, false}};
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "dcc_switching.hex", "Relaisdekoder 8: rows 1..8 = 1, 2, 0, 2044, 10, 10, 11, 11; All 5 green");
    s.signature = {0x69, 0, 0};
    s.marker = Marker::DccGoto;
    s.version = "360";
    s.configText = "C431";
    s.rows = {{1, 1, false}, {2, 2, true}, {3, 0, false}, {4, 2044, true}, {5, 10, false},
              {6, 10, true}, {7, 11, false}, {8, 11, true}, {9, 5, true}};
    add(s);
  }
  {
    Recipe s = recipes.back();
    s.file = "dcc_switching_bad_row.hex";
    s.description = "dcc_switching.hex with the cells of row 3 erased (FF FF FF)";
    s.eepromPatches = {{RowSlot(3), 0xFF}, {RowSlot(3) + 16, 0xFF}, {RowSlot(3) + 32, 0xFF}};
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "mot_function.hex", "Pandor - F-Dekoder Schalten: 1/1, 255/4, 80/2, 80/3");
    s.signature = {0, 0x3D, 0};
    s.marker = Marker::MotByWord35;
    s.version = "050";
    s.rows = {{1, 1, false, 1}, {2, 255, false, 4}, {3, 80, false, 2}, {4, 80, false, 3}};
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "dcc_function.hex", "LED F-Dekoder ab V0.60: addresses and functions for the DCC function family");
    s.signature = {0, 0x3E, 0x01};
    s.marker = Marker::DccByWord35;
    s.version = "061";
    s.configText = "C431";
    s.rows = {{1, 272, false, 3}, {2, 3, false, 1},   {3, 128, false, 12}, {4, 300, false, 5},
              {5, 127, false, 2}, {6, 16128, false, 7}, {7, 0, false, 4}, {8, 1, false, 8},
              {9, 2000, false, 9}, {10, 2000, false, 10}};
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "turntable48.hex", "Drehscheibe 48 Position by word 137 = 0x0A2F, Motorola");
    s.signatureWords = false;
    s.word137 = 0x0A2F;
    s.marker = Marker::Mot;
    s.version = "100";
    for (int r = 4; r <= 30; ++r) s.rows.push_back({r, r, r % 2 == 0, 0});
    s.rows.push_back({31, 16, true, 0});  // shares its cells with row 16 (Position9)
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "id257.hex", "signature 1/1/0 (identifier 257), Motorola");
    s.signature = {0x01, 0x01, 0};
    s.marker = Marker::Mot;
    s.version = "350";
    s.configText = "C431";
    s.rows = {{1, 7, true}, {2, 8, false}, {3, 9, true}, {4, 10, false}};
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "grosk_18324_no_config.hex", "Grosk 16F18324 (0x15000) with ID and no configuration records");
    s.signature = {0, 0x50, 0x01};
    s.marker = Marker::Mot;
    s.id = IdKind::Pic18324;
    s.version = "31";
    s.idDigit = 2;
    s.config = false;
    s.fill = [](FirmwareImage& image) { FillCvBytes(image, 0x15000); };
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "fenwik_18324.hex", "Fenwik 16F18324 (0x14B00) with ID and four configuration words");
    s.signature = {0, 0x4B, 0x01};
    s.marker = Marker::Mot;
    s.id = IdKind::Pic18324;
    s.version = "26";
    s.idDigit = 1;
    s.fill = [](FirmwareImage& image) { FillCvBytes(image, 0x14B00); };
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "fenwik_midrange_records.hex", "Fenwik 16F18324 signature with mid-range ID, config and EEPROM records");
    s.signature = {0, 0x4B, 0x01};
    s.marker = Marker::Mot;
    s.version = "026";
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "unrecognised.hex", "signature 0x12/0x34/0x56 (identifier 5649426), no catalogue entry");
    s.signature = {0x12, 0x34, 0x56};
    s.marker = Marker::Dcc;
    s.version = "100";
    add(s);
  }
  {
    Recipe s = MakeRecipe("fixtures", "no_id_no_config.hex", "Tollet signature, no ID and no configuration record, erased EEPROM");
    s.signature = {0x08, 0, 0};
    s.marker = Marker::Mot;
    s.id = IdKind::None;
    s.config = false;
    add(s);
  }
  return recipes;
}

}  // namespace
}  // namespace korrin

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korrin-make-examples EXAMPLES_DIR FIXTURES_DIR\n";
    return 2;
  }
  const std::string examples = argv[1], fixtures = argv[2];
  bool ok = true;
  for (const auto& recipe : korrin::Recipes()) {
    const std::string dir = recipe.folder == "examples" ? examples : fixtures;
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/" + recipe.file;
    if (!korrin::Generate(recipe, path) || !korrin::Check(recipe, path)) {
      std::cerr << path << ": FAILED\n";
      ok = false;
    }
  }
  return ok ? 0 : 1;
}

#pragma once
// The servo decoders' two curve tables in program memory and what the curve editor computes
// on them: loading and storing, the per-type presentation, the parameter texts, copying,
// the geometry of the curve drawing and the relay strip, and the mouse mapping.
//
// Table A lives in the low bytes of program words 0x500..0x5FF (ROM cells 0xA00 + 2*i),
// table B in 0x600..0x6FF (cells 0xC00 + 2*i). Each table holds two curve blocks of 128
// entries, so block k entry j is program word 0x500 + 0x80*k + j.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decoders/decoder_types.h"
#include "image/firmware_image.h"

namespace korrin {

constexpr int kCurveBlocks = 4;
constexpr int kBlockEntries = 128;
constexpr int kTableEntries = 256;
constexpr int kMaxCurvePoints = 100;
constexpr int kTableARomCell = 0xA00;
constexpr int kTableBRomCell = 0xC00;

// Entries of a curve block beyond the points 0..99.
constexpr int kEntryServoFlags = 100;    // flags of servo k+1
constexpr int kEntryCount = 101;         // number of points N
constexpr int kEntryStretch = 102;       // stretch S: 20*S ms between two points
constexpr int kEntryAddrServo = 103;     // address k+1: servo and action
constexpr int kEntryAddrCurve = 104;     // address k+1: curve and relay
constexpr int kEntryAddr2Servo = 106;    // address k+5: servo and action
constexpr int kEntryAddr2Curve = 107;    // address k+5: curve and relay
constexpr int kEntryButtonAction = 110;  // action of one push-button event

constexpr int kRelayBit = 0x80;
constexpr int kPositionMask = 0x7F;

using CurveBlock = std::array<int, kBlockEntries>;

// The working copy of both tables: blocks 0, 1 are table A, blocks 2, 3 table B.
struct CurveTable {
  std::array<CurveBlock, kCurveBlocks> blocks{};

  // Entry i (0..255) of table 0 (A) or 1 (B).
  int tableEntry(int table, int i) const { return blocks[blockOf(table, i)][i % kBlockEntries]; }
  void setTableEntry(int table, int i, int value) { blocks[blockOf(table, i)][i % kBlockEntries] = value; }

 private:
  static size_t blockOf(int table, int i) { return static_cast<size_t>(2 * table + i / kBlockEntries); }
};

// Reads both tables from the image (HexByteValue of each cell).
void LoadCurves(const FirmwareImage& image, CurveTable& table);
// Writes both tables into the image, value v as the cell text HexByteText v.
void StoreCurves(const CurveTable& table, FirmwareImage& image);

// The count of a block limited to 1..100, as every drawing and operation uses it.
int ClampedCount(const CurveBlock& block);

// Copies points 0..99, count and stretch of block `from` over block `to`; the servo flags,
// the address assignment and the push-button action of `to` stay.
void CopyCurve(CurveTable& table, int from, int to);

// Push-button action byte <-> list index: 0 <-> 0, bit n-1 <-> n (n = 1..8; the lowest set
// bit decides when several are set).
int ButtonActionIndex(int value);
int ButtonActionValue(int index);

// "Zeit zwischen 2 Punkten = <20*S> ms" and "Gesamtzeit für diese Kurve = <(N-1)*20*S> ms".
std::string PointTimeText(int stretch);
std::string TotalTimeText(int count, int stretch);

// How the curve editor looks for one decoder type.
struct CurvePresentation {
  bool relayStripAndSw1 = false;                          // relay strip and the SW1 group
  std::array<std::string, 4> buttonLabels;                // Label_Servo_sw1a .. Label_Servo_sw2b
  std::array<std::vector<std::string>, 4> buttonChoices;  // servo_cbx_s1c .. servo_cbx_s2o
  bool x7Threshold = false;                               // threshold label, edit and red line
};
CurvePresentation CurvePresentationFor(const EditorSpec& editor);

// Sizes of the two drawings; recomputed whenever they are drawn.
struct CurveScale {
  float cellWidth = 0;        // (W - 10) / N
  float unitHeight = 0;       // curve height / 128
  float stripHeight = 0;      // curve height
  float relayUnitHeight = 0;  // relay strip height / 128
  float relayHeight = 0;      // relay strip height
};
float CellWidth(int drawingWidth, int count);

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// The largest half size of a point's marker. A drawing of the curve leaves this much room
// on each side of its W x H pixels: point 0 lies on its left edge, position 0 on its bottom
// edge and position 127 near its top, and their markers are drawn whole.
constexpr int kMaxMarkerHalfSize = 3;

// Everything the curve drawing shows, in pixels of a drawing of width W and height H.
struct CurvePicture {
  std::vector<PixelPoint> points;  // joined by black lines, each with a red square marker
  int markerHalfSize = 0;
  std::vector<int> gridY;         // green lines across the full width
  std::vector<int> gridX;         // green lines over the full height
  std::optional<int> thresholdY;  // red line across the full width
};
// rasterX/rasterY: the indices selected in the raster boxes; threshold: the X7 threshold
// when the type shows it.
CurvePicture LayoutCurve(const CurveBlock& block, int width, int height, int rasterX, int rasterY, std::optional<int> threshold);

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};
// The pixels the marker of a point covers, outline included: the square from (x - r, y - r)
// to (x + r, y + r), the far edges excluded.
PixelRect MarkerRect(PixelPoint point, int halfSize);

struct RelayPicture {
  std::vector<PixelRect> cells;  // red cells with black outline, one per point
  std::vector<int> gridX;
};
RelayPicture LayoutRelay(const CurveBlock& block, int width, int height, int rasterX);

// The vertical raster of both drawings: none for rasterX 0, otherwise rasterX + 1 lines,
// the last one at the end of the curve.
std::vector<int> VerticalGrid(float cellWidth, int count, int rasterX);

// Mouse on the curve drawing: the nearest point (0..99) and the position (0..127) at y.
int NearestCurvePoint(int x, float cellWidth);
int CurvePositionAt(int y, float height, float unitHeight);
// Mouse on the relay strip: the cell (0..99) and whether y lies in the upper half.
int RelayCellAt(int x, float cellWidth);
bool RelayOnAt(int y, float height, float unitHeight);

// Sets the position of point q, keeping its relay bit; sets or clears the relay bit.
void SetPointPosition(CurveBlock& block, int q, int position);
void SetPointRelay(CurveBlock& block, int q, bool on);

// Text typed into the servo editors' integer edits: optional blanks around an optional sign
// and decimal digits. Nothing for any other text or a number beyond 32 bits.
std::optional<int> ReadServoInteger(const std::string& text);
// Text typed into the scale and shift edits: a decimal number. Both ',' and '.' are taken
// as the decimal separator (there are no thousands in these small numbers), so the initial
// "0,5" and a typed "0.5" read alike whatever the locale; blanks around it are allowed.
std::optional<double> ReadServoDecimal(const std::string& text);

}  // namespace korrin

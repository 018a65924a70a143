#include "editors/servo_curves.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "image/format.h"

namespace korrin {

void LoadCurves(const FirmwareImage& image, CurveTable& table) {
  for (int i = 0; i < kTableEntries; ++i) {
    table.setTableEntry(0, i, HexByteValue(image.get_Hex_ROM(kTableARomCell + 2 * i)));
    table.setTableEntry(1, i, HexByteValue(image.get_Hex_ROM(kTableBRomCell + 2 * i)));
  }
}

void StoreCurves(const CurveTable& table, FirmwareImage& image) {
  const auto& text = HexByteText();
  // Every entry is a byte; the editors keep them so, the mask only guards the cell text.
  for (int i = 0; i < kTableEntries; ++i) {
    image.set_Hex_ROM(kTableARomCell + 2 * i, text[static_cast<size_t>(table.tableEntry(0, i) & 0xFF)]);
    image.set_Hex_ROM(kTableBRomCell + 2 * i, text[static_cast<size_t>(table.tableEntry(1, i) & 0xFF)]);
  }
}

int ClampedCount(const CurveBlock& block) { return std::clamp(block[kEntryCount], 1, kMaxCurvePoints); }

void CopyCurve(CurveTable& table, int from, int to) {
  if (from == to) return;
  const CurveBlock& src = table.blocks[static_cast<size_t>(from)];
  CurveBlock& dst = table.blocks[static_cast<size_t>(to)];
  std::copy(src.begin(), src.begin() + kMaxCurvePoints, dst.begin());
  dst[kEntryCount] = src[kEntryCount];
  dst[kEntryStretch] = src[kEntryStretch];
}

int ButtonActionIndex(int value) {
  value &= 0xFF;
  if (value == 0) return 0;
  int n = 1;
  while ((value & 1) == 0) {
    value >>= 1;
    ++n;
  }
  return n;
}

int ButtonActionValue(int index) { return index <= 0 ? 0 : (1 << (index - 1)) & 0xFF; }

std::string PointTimeText(int stretch) { return Format("Zeit zwischen 2 Punkten = %i ms", 20 * stretch); }

std::string TotalTimeText(int count, int stretch) {
  return Format("Gesamtzeit für diese Kurve = %i ms", (count - 1) * 20 * stretch);
}

CurvePresentation CurvePresentationFor(const EditorSpec& editor) {
  CurvePresentation p;
  auto choices = [](const char* first, int addresses) {
    std::vector<std::string> list{first};
    for (int a = 1; a <= addresses; ++a) list.push_back(Format("wie Adr.%i", a));
    return list;
  };
  if (editor.servoButtons == ServoButtons::Tamb4) {
    p.relayStripAndSw1 = true;
    p.buttonLabels = {"Taster 1 close", "Taster 1 open", "Taster 2 close", "Taster 2 open"};
    p.buttonChoices = {choices("keine Aktion", 8), choices("keine Aktion", 8), choices("Adr.-Lernen", 8),
                       choices("Adr.-Lernen", 8)};
  } else {
    p.buttonLabels = {"Taster 3 close", "Taster 3 open", "Taster 4 close", "Taster 4 open"};
    for (auto& list : p.buttonChoices) list = choices("keine Aktion", 4);
  }
  p.x7Threshold = editor.x7Threshold;
  return p;
}

float CellWidth(int drawingWidth, int count) {
  return static_cast<float>(drawingWidth - 10) / static_cast<float>(std::clamp(count, 1, kMaxCurvePoints));
}

std::vector<int> VerticalGrid(float cellWidth, int count, int rasterX) {
  std::vector<int> xs;
  if (rasterX < 1) return xs;
  int n = std::clamp(count, 1, kMaxCurvePoints);
  for (int k = 1; k <= rasterX + 1; ++k)
    xs.push_back(static_cast<int>(static_cast<float>(k) * cellWidth * static_cast<float>(n) /
                                  static_cast<float>(rasterX + 1)));
  return xs;
}

CurvePicture LayoutCurve(const CurveBlock& block, int width, int height, int rasterX, int rasterY,
                         std::optional<int> threshold) {
  CurvePicture pic;
  const int n = ClampedCount(block);
  const float cw = CellWidth(width, n);
  const float h = static_cast<float>(height);
  const float uh = h / 128.0f;
  pic.markerHalfSize = std::min(static_cast<int>(cw / 3.0f), kMaxMarkerHalfSize);
  for (int q = 0; q < n; ++q) {
    int x = static_cast<int>(static_cast<float>(q) * cw);
    int v = block[static_cast<size_t>(q)] & kPositionMask;
    int y = static_cast<int>(h - static_cast<float>(v) * uh);
    pic.points.push_back({x, y});
  }
  for (int k = 1; k <= rasterY; ++k)
    pic.gridY.push_back(static_cast<int>(h - static_cast<float>(k) * uh * 128.0f / static_cast<float>(rasterY + 1)));
  pic.gridX = VerticalGrid(cw, n, rasterX);
  if (threshold) pic.thresholdY = static_cast<int>(h - static_cast<float>(*threshold) * uh);
  return pic;
}

PixelRect MarkerRect(PixelPoint point, int halfSize) {
  return {point.x - halfSize, point.y - halfSize, point.x + halfSize, point.y + halfSize};
}

RelayPicture LayoutRelay(const CurveBlock& block, int width, int height, int rasterX) {
  RelayPicture pic;
  const int n = ClampedCount(block);
  const float cw = CellWidth(width, n);
  const float h = static_cast<float>(height);
  const float uh = h / 128.0f;
  for (int q = 0; q < n; ++q) {
    int level = (block[static_cast<size_t>(q)] & kRelayBit) ? 100 : 0;
    pic.cells.push_back({static_cast<int>(static_cast<float>(q) * cw),
                         static_cast<int>(h - static_cast<float>(level) * uh),
                         static_cast<int>(static_cast<float>(q + 1) * cw), height});
  }
  pic.gridX = VerticalGrid(cw, n, rasterX);
  return pic;
}

int NearestCurvePoint(int x, float cellWidth) {
  float q = static_cast<float>(x) / cellWidth + 0.5f;
  return std::clamp(static_cast<int>(std::clamp(q, -1.0f, 1000.0f)), 0, kMaxCurvePoints - 1);
}

int CurvePositionAt(int y, float height, float unitHeight) {
  float p = (height - static_cast<float>(y)) / unitHeight;
  return std::clamp(static_cast<int>(std::clamp(p, -1.0f, 1000.0f)), 0, 127);
}

int RelayCellAt(int x, float cellWidth) {
  float q = static_cast<float>(x) / cellWidth;
  return std::clamp(static_cast<int>(std::clamp(q, -1.0f, 1000.0f)), 0, kMaxCurvePoints - 1);
}

bool RelayOnAt(int y, float height, float unitHeight) {
  float level = (height - static_cast<float>(y)) / unitHeight;
  return level > 50.0f;
}

void SetPointPosition(CurveBlock& block, int q, int position) {
  int& e = block[static_cast<size_t>(q)];
  e = (e & kRelayBit) | (position & kPositionMask);
}

void SetPointRelay(CurveBlock& block, int q, bool on) {
  int& e = block[static_cast<size_t>(q)];
  e = on ? (e | kRelayBit) : (e & ~kRelayBit & 0xFF);
}

namespace {

std::string Trimmed(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

}  // namespace

std::optional<int> ReadServoInteger(const std::string& text) {
  std::string t = Trimmed(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size()) return std::nullopt;
  for (size_t k = i; k < t.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return std::nullopt;
  // from_chars takes no '+'.
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  int v = 0;
  auto [ptr, ec] = std::from_chars(first, t.data() + t.size(), v);
  if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return v;
}

std::optional<double> ReadServoDecimal(const std::string& text) {
  std::string t = Trimmed(text);
  // Check the shape first: sign, digits, at most one separator, digits, optional exponent.
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  std::string normal = t.substr(0, i);
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++digits;
  if (i < t.size() && (t[i] == ',' || t[i] == '.')) {
    normal += '.';
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
    size_t expDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  // Without the C locale (the Qt application sets it from the environment, and strtod would
  // then expect a German comma).
  auto v = ParseDecimal(normal);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

}  // namespace korrin

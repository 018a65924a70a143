#include "editors/curve_files.h"

#include <algorithm>

#include "image/format.h"
#include "image/text_file.h"

namespace korrin {

namespace {

const char* const kBadLineMessage = "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile %d";
const char* const kEmptyFileMessage = "Dieses File ist leer (kein Zahlenwert)";

void Warn(Dialogs& dialogs, const std::string& text) { dialogs.show(BoxKind::Warning, text, Buttons::Cancel); }

// No line holds anything but blanks: a file of no bytes, only a byte-order mark or only line
// ends. Its first line is no worse than the others, so it is named as empty.
bool HoldsNothing(const std::vector<std::string>& lines) {
  return std::all_of(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.find_first_not_of(" \t\v\f") == std::string::npos; });
}

}  // namespace

std::vector<std::string> CurveFileLines(const CurveBlock& block) {
  std::vector<std::string> lines;
  const int n = ClampedCount(block);
  for (int q = 0; q < n; ++q) lines.push_back(Format("%i", block[static_cast<size_t>(q)]));
  return lines;
}

std::vector<std::string> SetFileLines(const CurveTable& table) {
  std::vector<std::string> lines;
  for (int i = 0; i < kTableEntries; ++i) {
    lines.push_back(Format("%i", table.tableEntry(0, i)));
    lines.push_back(Format("%i", table.tableEntry(1, i)));
  }
  return lines;
}

std::optional<int> ReadCurveFileValue(const std::string& line) {
  auto v = ReadServoInteger(line);
  if (!v) return std::nullopt;
  // A negative number is a number, but no table byte: it is taken as 0, as a number above
  // 255 is taken as 255.
  return std::clamp(*v, 0, 255);
}

// Both readers fill a copy and put it in place only after the last line: a faulty line leaves
// the working copy exactly as it was, so nothing is taken that nobody saw.
bool ApplyCurveFileLines(CurveTable& table, int block, const std::vector<std::string>& lines, Dialogs& dialogs) {
  if (HoldsNothing(lines)) {
    Warn(dialogs, kEmptyFileMessage);
    return false;
  }
  size_t count = lines.size();
  if (count > kMaxCurvePoints) {
    Warn(dialogs, "Nur die ersten 100 Zeilen dieses File werden verwendet");
    count = kMaxCurvePoints;
  }
  CurveBlock b = table.blocks[static_cast<size_t>(block)];
  for (size_t q = 0; q < count; ++q) {
    auto v = ReadCurveFileValue(lines[q]);
    if (!v) {
      Warn(dialogs, Format(kBadLineMessage, static_cast<int>(q)));
      return false;
    }
    b[q] = *v;
  }
  b[kEntryCount] = static_cast<int>(count);
  table.blocks[static_cast<size_t>(block)] = b;
  return true;
}

bool ApplySetFileLines(CurveTable& table, const std::vector<std::string>& lines, Dialogs& dialogs) {
  if (lines.size() > kSetFileLines) {
    Warn(dialogs, "Dieses File hat zu viele Zeilen (max. 512)");
    return false;
  }
  if (HoldsNothing(lines)) {
    Warn(dialogs, kEmptyFileMessage);
    return false;
  }
  CurveTable read = table;
  for (int i = 0; i < kTableEntries; ++i) {
    const size_t first = static_cast<size_t>(2 * i);
    std::optional<int> a, b;
    if (first + 1 < lines.size()) {
      a = ReadCurveFileValue(lines[first]);
      b = ReadCurveFileValue(lines[first + 1]);
    }
    if (!a || !b) {
      Warn(dialogs, Format(kBadLineMessage, 2 * i));
      return false;
    }
    read.setTableEntry(0, i, *a);
    read.setTableEntry(1, i, *b);
  }
  table = read;
  return true;
}

FileDialogRequest CurveFileRequest() { return {"", "CUR|*.cur|TXT|*.txt|*.*|*.*", "CUR", ""}; }
FileDialogRequest SetFileRequest() { return {"", "SET|*.set|TXT|*.txt|*.*|*.*", "SET", ""}; }

namespace {

std::optional<std::vector<std::string>> ReadLines(const std::string& path, Dialogs& dialogs, FileKind kind) {
  std::string error;
  auto lines = ReadTextLines(path, &error, kind);
  if (!lines) dialogs.error(error);
  return lines;
}

CurveFileResult WriteLines(const std::string& path, const std::vector<std::string>& lines, Dialogs& dialogs) {
  std::string error;
  if (!WriteTextLinesSafely(path, lines, &error)) {
    dialogs.error(error);
    return CurveFileResult::Failed;
  }
  return CurveFileResult::Done;
}

}  // namespace

CurveFileResult LoadCurveFileFrom(CurveTable& table, int block, const std::string& path, Dialogs& dialogs) {
  auto lines = ReadLines(path, dialogs, FileKind::Curve);
  if (!lines) return CurveFileResult::Failed;
  return ApplyCurveFileLines(table, block, *lines, dialogs) ? CurveFileResult::Done : CurveFileResult::Failed;
}

CurveFileResult SaveCurveFileTo(const CurveTable& table, int block, const std::string& path, Dialogs& dialogs) {
  return WriteLines(path, CurveFileLines(table.blocks[static_cast<size_t>(block)]), dialogs);
}

CurveFileResult LoadSetFileFrom(CurveTable& table, const std::string& path, Dialogs& dialogs) {
  auto lines = ReadLines(path, dialogs, FileKind::Set);
  if (!lines) return CurveFileResult::Failed;
  return ApplySetFileLines(table, *lines, dialogs) ? CurveFileResult::Done : CurveFileResult::Failed;
}

CurveFileResult SaveSetFileTo(const CurveTable& table, const std::string& path, Dialogs& dialogs) {
  return WriteLines(path, SetFileLines(table), dialogs);
}

CurveFileResult LoadCurveFile(CurveTable& table, int block, Dialogs& dialogs, FileDialogs& files) {
  auto path = files.open(CurveFileRequest());
  if (!path) return CurveFileResult::Cancelled;
  return LoadCurveFileFrom(table, block, *path, dialogs);
}

CurveFileResult SaveCurveFile(const CurveTable& table, int block, Dialogs& dialogs, FileDialogs& files) {
  auto path = files.save(CurveFileRequest());
  if (!path) return CurveFileResult::Cancelled;
  return SaveCurveFileTo(table, block, *path, dialogs);
}

CurveFileResult LoadSetFile(CurveTable& table, Dialogs& dialogs, FileDialogs& files) {
  auto path = files.open(SetFileRequest());
  if (!path) return CurveFileResult::Cancelled;
  return LoadSetFileFrom(table, *path, dialogs);
}

CurveFileResult SaveSetFile(const CurveTable& table, Dialogs& dialogs, FileDialogs& files) {
  auto path = files.save(SetFileRequest());
  if (!path) return CurveFileResult::Cancelled;
  return SaveSetFileTo(table, *path, dialogs);
}

}  // namespace korrin

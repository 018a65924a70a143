#pragma once
// Curve files (*.cur: the points of one curve) and set files (*.set: both curve tables,
// interleaved), one decimal integer per line. Files are written with CR LF after every line;
// on reading any line end and a byte-order mark are accepted.
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/file_dialogs.h"
#include "editors/servo_curves.h"

namespace korrin {

constexpr int kSetFileLines = 2 * kTableEntries;  // 512

// The lines of a curve file: the N points of the block (N limited to 1..100), relay bit
// included.
std::vector<std::string> CurveFileLines(const CurveBlock& block);
// The 512 lines of a set file: line 2*i entry i of table A, line 2*i+1 entry i of table B.
std::vector<std::string> SetFileLines(const CurveTable& table);

// One line of either file as a table byte: a whole number, values above 255 taken as 255
// and below 0 as 0. Nothing for a line that is no number (an empty line included).
std::optional<int> ReadCurveFileValue(const std::string& line);

// Both readers take a file whole or not at all: on any refusal the table stays exactly as it
// was. A file whose lines hold nothing but blanks is refused with "Dieses File ist leer ...".
//
// Takes the lines of a curve file into block `block`: at most the first 100 (after the
// warning "Nur die ersten 100 Zeilen ..."), each into entry q, and the count becomes the
// number of lines taken. A line that is no number is refused with the warning naming its
// 0-based index. True when the file was taken.
bool ApplyCurveFileLines(CurveTable& table, int block, const std::vector<std::string>& lines, Dialogs& dialogs);
// Takes the lines of a set file into both tables. More than 512 lines: warning. A pair with a
// bad or missing line is refused with the warning naming the pair's first line. True when all
// 256 pairs were taken.
bool ApplySetFileLines(CurveTable& table, const std::vector<std::string>& lines, Dialogs& dialogs);

enum class CurveFileResult { Cancelled, Failed, Done };

// The four operations behind "laden"/"speichern" of the groups "Kurve" and "Setup", with the
// file dialogs. A cancelled dialog changes nothing; a file that cannot be read or written is
// reported as an error.
CurveFileResult LoadCurveFile(CurveTable& table, int block, Dialogs& dialogs, FileDialogs& files);
CurveFileResult SaveCurveFile(const CurveTable& table, int block, Dialogs& dialogs, FileDialogs& files);
CurveFileResult LoadSetFile(CurveTable& table, Dialogs& dialogs, FileDialogs& files);
CurveFileResult SaveSetFile(const CurveTable& table, Dialogs& dialogs, FileDialogs& files);

// The same four with a path in place of the dialog (the command line): a file that cannot be
// read or written is reported as an error and gives Failed.
CurveFileResult LoadCurveFileFrom(CurveTable& table, int block, const std::string& path, Dialogs& dialogs);
CurveFileResult SaveCurveFileTo(const CurveTable& table, int block, const std::string& path, Dialogs& dialogs);
CurveFileResult LoadSetFileFrom(CurveTable& table, const std::string& path, Dialogs& dialogs);
CurveFileResult SaveSetFileTo(const CurveTable& table, const std::string& path, Dialogs& dialogs);

FileDialogRequest CurveFileRequest();  // filter "CUR|*.cur|TXT|*.txt|*.*|*.*", extension "CUR"
FileDialogRequest SetFileRequest();    // filter "SET|*.set|TXT|*.txt|*.*|*.*", extension "SET"

}  // namespace korrin

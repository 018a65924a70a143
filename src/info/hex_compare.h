#pragma once
// Comparing the firmware image (File 1, edits included) with a second HEX file (File 2).
// File 2 is read line by line by a reader of its own that stores nothing: each record is
// compared with the image and every difference becomes a text line, EEPROM differences for
// the dialog's EEPROM memo, program, ID and configuration differences for its ROM memo.
// Only what File 2 contains is compared.
#include <cstdint>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "image/firmware_image.h"

namespace korrin {

// Shown (information box, OK) when File 2 holds no data record at all: an empty file, or one
// with only address and end records. The comparison then ends without count lines.
extern const char* const kComparisonNoData;

class HexComparison {
 public:
  // Messages go to dialogs; the image's accessors report through the image's own dialogs.
  HexComparison(const FirmwareImage& image, Dialogs& dialogs);

  // Empties both memos and sets the four counters to 0.
  void Clear();

  // Stores the lines of File 2 upper-cased (at least 1024 entries, more when the file is
  // longer: a long file is compared whole, never cut), sets the upper address to 0 and runs
  // CompareHexLine for every non-empty line in file order (empty lines are passed over, as the
  // load does). True when all lines were read and at least one was a data record; then a
  // blank line goes to each memo and the count lines follow. False when a line was refused
  // (the comparison stopped there) or when File 2 held no data record (NoData, after the
  // kComparisonNoData box); in both cases without blank and count lines.
  bool CompareLines(const std::vector<std::string>& fileLines);

  // Reads one upper-cased line of File 2 and compares what it carries with the image. False
  // means a message was shown and the comparison must stop.
  bool CompareHexLine(const std::string& line);

  // The lines of the two memos, in the order they were added.
  std::vector<std::string> eepromLines;  // EEPROM
  std::vector<std::string> romLines;     // program memory, ID, configuration

  std::vector<std::string> StoredLines;  // File 2, upper-cased (the dialog's compare lines)
  int32_t CompareUpperAddress = 0;       // extended linear address while reading File 2
  int32_t EE_Differences = 0;
  int32_t ROM_Differences = 0;
  int32_t ID_Differences = 0;
  int32_t Config_Differences = 0;
  int32_t DataRecords = 0;  // data records of File 2 read so far
  bool NoData = false;      // the last CompareLines found no data record in File 2

 private:
  bool CompareProgram(const std::string& line, int32_t b, int32_t n);
  bool CompareEeprom(const std::string& line, int32_t w, int32_t base, int32_t n);
  void CompareText(const std::string& file1, const std::string& file2, const char* format, int32_t& counter);

  const FirmwareImage& image_;
  Dialogs& dialogs_;
};

// The whole comparison as the compare button runs it once File 2 has been chosen and read:
// the two status texts, an empty first line in the EEPROM memo, then every line of File 2.
struct ComparisonResult {
  std::string statusFile1;               // "File 1 = %s" with the main window's last file name
  std::string statusFile2;               // "File 2 = %s" with the path of File 2
  std::vector<std::string> eepromLines;  // the EEPROM memo
  std::vector<std::string> romLines;     // the ROM memo
  bool fileRead = true;                  // false: File 2 could not be read (reported in an error box)
  bool completed = false;                // false: File 2 unread, one of its lines refused, or no data in it
  bool noData = false;                   // File 2 was read but holds no data record (kComparisonNoData shown)
  int32_t EE_Differences = 0;
  int32_t ROM_Differences = 0;
  int32_t ID_Differences = 0;
  int32_t Config_Differences = 0;
  int32_t totalDifferences() const { return EE_Differences + ROM_Differences + ID_Differences + Config_Differences; }
};

ComparisonResult CompareImageWithLines(const FirmwareImage& image, Dialogs& dialogs, const std::string& lastFileName,
                                       const std::string& file2Path, const std::vector<std::string>& file2Lines);

// Reads File 2 and runs CompareImageWithLines. A file that cannot be read is reported in an
// error box with the reason; the result is then empty and not completed.
ComparisonResult CompareImageWithFile(const FirmwareImage& image, Dialogs& dialogs, const std::string& lastFileName,
                                      const std::string& file2Path);

}  // namespace korrin

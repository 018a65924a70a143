#pragma once
// Reading text files as lines and writing them safely.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/platform.h"

namespace korrin {

// The lines of a text file; CR LF, LF and CR all end a line, a UTF-8 byte-order mark at the
// start is dropped. A last line without line end counts; a line end at the very end adds no
// empty line. Only a regular file of at most kMaxReadSize bytes is read (ReadWholeFile in
// base/platform.h). On failure: nothing, and *error (when given) holds a German reason.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string* error = nullptr,
                                                      FileKind kind = FileKind::Hex);

// Splits text into lines by the same rules.
std::vector<std::string> SplitLines(const std::string& text);

// Writes each line followed by CR LF, on every system, through SaveFileSafely (base/platform.h):
// the text goes to a temporary file beside path first and replaces path only when everything
// was written and flushed to the disk, so a failure leaves the old file as it was. Before the
// replace, verify (when given) may inspect the temporary file and refuse it by returning a
// German reason. Returns false with a German reason in *error on failure.
bool WriteTextLinesSafely(const std::string& path, const std::vector<std::string>& lines,
                          std::string* error = nullptr,
                          const std::function<std::optional<std::string>(const std::string& tempPath)>&
                              verify = nullptr);

}  // namespace korrin

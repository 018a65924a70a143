#pragma once
// Dialogs for the fuzz targets of the editors' files: every message must be valid UTF-8
// (anything else stops the fuzzer), each one is counted and answered with OK.
#include <string>

#include "base/dialogs.h"
#include "base/text_encoding.h"

namespace korrin {

class CheckingDialogs : public Dialogs {
 public:
  int count = 0;
  Answer show(BoxKind, const std::string& text, Buttons) override {
    if (!IsValidUtf8(text)) __builtin_trap();
    ++count;
    return Answer::Ok;
  }
};

}  // namespace korrin

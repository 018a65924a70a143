#pragma once
// Options and modes (TFrameZusatz): operating mode, option boxes, time-outs and bars of the
// loaded decoder type, written into the EEPROM at every accepted change.
#include "editors/editor_model.h"

namespace korrin {

class OptionsModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Options; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override { return {}; }
  SetOutcome Set(const std::string&, const std::string&) override { return SetOutcome::UnknownKey; }
};

}  // namespace korrin

#pragma once
// The CV register table (TFrameRegister): the CV values of the loaded decoder, written into
// the EEPROM at every accepted change.
#include "editors/editor_model.h"

namespace korrin {

class CvRegisterModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Cv; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override { return {}; }
  SetOutcome Set(const std::string&, const std::string&) override { return SetOutcome::UnknownKey; }
};

}  // namespace korrin

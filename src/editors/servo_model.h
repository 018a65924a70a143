#pragma once
// The servo editors (TFrameTamb and TFrameTambAdr share it): the working copy of the curve
// tables and the servo address assignment, applied to the image on "übernehmen".
#include "editors/editor_model.h"

namespace korrin {

class ServoModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Servo; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override { return {}; }
  SetOutcome Set(const std::string&, const std::string&) override { return SetOutcome::UnknownKey; }
};

}  // namespace korrin

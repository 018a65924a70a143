#pragma once
// The blink pattern editors (TFrameBlinkmuster with four outputs, TFrameBlinkmuster_led with
// ten): the working copy of the pattern table, applied to program memory on "Übernehmen".
#include "editors/editor_model.h"

namespace korrin {

class BlinkPatternModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Blink; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override { return {}; }
  SetOutcome Set(const std::string&, const std::string&) override { return SetOutcome::UnknownKey; }
};

class LedBlinkPatternModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::LedBlink; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override { return {}; }
  SetOutcome Set(const std::string&, const std::string&) override { return SetOutcome::UnknownKey; }
};

}  // namespace korrin

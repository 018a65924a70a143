#pragma once
// The blink pattern editors (BlinkPatternFrame with four outputs, LedBlinkPatternFrame with
// ten) without widgets: the working copy of the pattern table, everything the frame shows
// (the selected address, the texts of the count and stretch edits, the loop and output boxes,
// the time texts, the strips as last drawn, which buttons are enabled) and every reaction of
// its controls. The working copy reaches program memory only on "Übernehmen".
//
// The frame's controls react to values set from code as to user input; the model keeps that
// rule: showing the parameters of an address sets the edit texts and boxes, and each one that
// changes runs its reaction (which may clamp a value read from the image and so offer
// "Übernehmen"). `filling` is set while the model shows a freshly loaded table.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editors/blink_patterns.h"
#include "editors/editor_model.h"

namespace korrin {

class PatternEditorModel : public EditorModel {
 public:
  // What the frame shows of one output's strip, as DrawPatterns left it.
  struct Strip {
    bool visible = false;      // the output's used box was checked when drawn
    std::vector<bool> points;  // one entry per drawn point (the block's count, 1..max)
  };

  // Outcome of a count or stretch text: taken (or nothing to do) or refused with the range
  // message; the frame then gives the edit the focus.
  enum class Input { Taken, Refused };

  // --- the loaded table ----------------------------------------------------------------------
  // ShowEditor and RefreshEditor of the frame: reads the table, shows address as selected,
  // disables "Übernehmen" (the reactions of the second showing may enable it again).
  void Load() override;
  std::vector<EditorSetting> Settings() const override;
  std::vector<EditorAction> Actions() const override;
  SetOutcome Set(const std::string& key, const std::string& value) override;
  bool hasPendingChanges() const override { return applyEnabled_; }
  void applyPendingChanges() override;  // "Übernehmen": StorePatterns
  void Discard() override;              // "Verwerfen": ReloadEditor
  // Undo: the working copy and everything shown.
  void RestoreState(const EditorModel& state) override;
  size_t StateBytes() const override;

  // --- what the frame shows ------------------------------------------------------------------
  int selectedAddress() const { return selected_; }  // 0..3
  const std::string& countText() const { return countText_; }
  const std::string& stretchText() const { return stretchText_; }
  bool loopChecked() const { return loop_; }
  int outputCount() const { return table_.outputCount(); }
  bool outputChecked(int output) const;
  const std::string& rasterText() const { return rasterText_; }  // "Zeit-Raster = ..."
  const std::string& totalText() const { return totalText_; }    // "Gesamtzeit = ..."
  bool copyEnabled(int fromAddress) const { return copyEnabled_[static_cast<size_t>(fromAddress & 3)]; }
  bool applyEnabled() const { return applyEnabled_; }
  const std::vector<Strip>& strips() const { return strips_; }
  // The range of the count and stretch edits' spinners.
  int maxCount() const { return table_.layout().maxCount; }
  int maxStretch() const { return table_.layout().maxStretch; }
  int lastPaintPoint() const { return table_.layout().lastPaintPoint; }
  const PatternTable& table() const { return table_; }  // the working copy
  bool mouseDown() const { return mouseDown_; }

  // --- the user's actions --------------------------------------------------------------------
  void SelectAddress(int address);  // radio button 0..3 checked
  // The count / stretch edit's text changed (typed, stepped, pasted).
  Input CountTextChanged(const std::string& text);
  Input StretchTextChanged(const std::string& text);
  void LoopToggled(bool checked);
  void OutputToggled(int output, bool checked);  // output 0..outputCount-1
  // Mouse on a strip: a press arms painting, each move while armed paints the point under the
  // pointer, the release disarms. The point is clamped to the block's paintable points.
  void StripPressed();
  void StripMoved(int output, int point, bool on);
  void StripReleased();
  // Sets or clears one point of the selected block as a move does, armed or not.
  void Paint(int output, int point, bool on);
  void Copy(int fromAddress);  // "von #N", 0..3, onto the selected address
  void Apply() { applyPendingChanges(); }

 protected:
  struct Behaviour {
    // The LED frame's stretch edit does nothing at all while `filling` is set.
    bool stretchIgnoredWhileFilling = false;
    // The four-output frame draws once more at the end of ShowEditor.
    bool drawAtEndOfShowEditor = true;
  };
  PatternEditorModel(EditorContext& context, PatternLayout layout, Behaviour behaviour);

  // The table layout for the loaded firmware (the LED editor chooses by identifier).
  virtual PatternLayout layoutForFirmware() const = 0;

 private:
  void LoadPatterns();
  void StorePatterns();
  void ShowParameters();
  void DrawPatterns();
  void ReloadEditor();

  // The controls set from code: a changed value runs the control's reaction.
  Input SetCountText(const std::string& text);
  Input SetStretchText(const std::string& text);
  void SetLoopBox(bool checked);
  void SetOutputBox(int output, bool checked);

  Input NumberChanged(const std::string& text, int max, bool isCount);
  void CountChanged();
  Input StretchChanged();
  void LoopClicked();
  void OutputClicked(int output);

  // Set(): the parts of a key, and the reactions behind them.
  SetOutcome SetNumber(int address, bool isCount, const std::string& value);
  SetOutcome SetFlag(int address, int output, const std::string& value);  // output -1: loop
  SetOutcome SetRow(int address, int output, const std::string& value);
  SetOutcome SetCopy(int address, const std::string& value);

  PatternTable table_;
  Behaviour behaviour_;
  int selected_ = 0;
  std::string countText_ = "10";
  std::string stretchText_ = "10";
  bool loop_ = false;
  std::vector<bool> outputs_;
  std::string rasterText_;
  std::string totalText_;
  std::array<bool, 4> copyEnabled_{true, true, true, true};
  bool applyEnabled_ = false;
  std::vector<Strip> strips_;
  bool mouseDown_ = false;
};

// Four outputs, identifier 1: 64-entry blocks at program words 0x300..0x3FF.
class BlinkPatternModel : public PatternEditorModel {
 public:
  explicit BlinkPatternModel(EditorContext& context);
  FrameKind kind() const override { return FrameKind::Blink; }
  std::shared_ptr<const EditorModel> CloneState() const override { return std::make_shared<BlinkPatternModel>(*this); }

 protected:
  PatternLayout layoutForFirmware() const override { return FourOutputPatternLayout(); }
};

// Ten outputs, identifiers 221 and 477: 256-entry blocks at program words 0x300..0x6FF.
class LedBlinkPatternModel : public PatternEditorModel {
 public:
  explicit LedBlinkPatternModel(EditorContext& context);
  FrameKind kind() const override { return FrameKind::LedBlink; }
  std::shared_ptr<const EditorModel> CloneState() const override { return std::make_shared<LedBlinkPatternModel>(*this); }

 protected:
  PatternLayout layoutForFirmware() const override { return LedPatternLayout(ctx.Editor().stretch); }
};

}  // namespace korrin

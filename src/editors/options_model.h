#pragma once
// Options and modes (OptionsFrame): operating mode, option boxes, time-outs and bars of the
// loaded decoder type, written into the EEPROM at every accepted change. The model holds as
// plain data what the frame shows (captions, hints, which controls are shown, ticks, bar
// positions, row texts, the tops that come from the type table) and runs every change
// reaction; the values themselves live only in the image. Placement that depends on the
// size of text (the column of the row edits, the stacking of the mode group, the span of a
// track bar) is left to the frame, which uses the layout helpers of option_types.h.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editors/editor_model.h"
#include "editors/option_types.h"

namespace korrin {

struct OptionsLabel {
  bool visible = false;
  std::string text;
  int top = 0;
};

struct OptionsCheckBox {
  bool visible = false;
  bool checked = false;
  std::string caption;
  std::string hint;
  int top = 0;      // only for the boxes the type table places
  std::string key;  // setting key; empty for a box that stands for no setting
};

struct OptionsTrackBar {
  bool visible = false;
  int min = 0, max = 10, tick = 1;
  int position = 0;  // always within min..max, as a track bar shows it
  std::string hint;
  int top = 0;
  void SetRange(int low, int high);
  void SetPosition(int value);
};

// One numeric option row in use: caption, hint of its edit box, EEPROM byte, seconds per
// count, accepted range, what the edit box shows and the unit label.
struct OptionRowState {
  std::string key;
  std::string caption;
  std::string hint;
  int offset = 0;
  float unit = 0.0f;  // 0: no unit label
  int min = 0, max = 255;
  std::string text;      // the edit box
  std::string unitText;  // "(6.0 sec.)"; empty: the unit label is hidden
};

// A control that asks for the input focus after a reaction.
enum class OptionsFocus { None, Row, Bar, NeonBar1, NeonBar2 };

class OptionsModel : public EditorModel {
 public:
  explicit OptionsModel(EditorContext& context);
  FrameKind kind() const override { return FrameKind::Options; }

  // ResetControls, then LoadOptions: what the frame switch does after a load (writes "11"
  // into byte 0x20 when a fading bar finds no speed code there).
  void Load() override;
  std::vector<EditorSetting> Settings() const override;
  SetOutcome Set(const std::string& key, const std::string& value) override;
  std::shared_ptr<const EditorModel> CloneState() const override { return std::make_shared<OptionsModel>(*this); }
  void RestoreState(const EditorModel& state) override { *this = static_cast<const OptionsModel&>(state); }
  size_t StateBytes() const override;

  // Hides every optional control and restores the default captions and positions.
  void ResetControls();
  // Sets the controls up for the current DecoderIdentifier and shows the image's values.
  void LoadOptions();

  // --- the change reactions (the frame forwards its events here) ---
  // A click on radio button 1..6.
  void SelectMode(int radio);
  // A click on the mode boxes of bit 6 and bit 7.
  void SetModeBit6(bool ticked);
  void SetModeBit7(bool ticked);
  // A click on cbx_zusatz_<box> (1..8).
  void SetOptionBox(int box, bool ticked);
  void SetTimeOutMarker(bool ticked);
  void SetFadingOrSpeed(int position);
  void SetNeonDarkLevel(int position);
  void SetNeonBrightLevel(int position);
  // The edit box of row r now shows text. Returns Refused after a warning.
  SetOutcome SetOptionRowText(int row, const std::string& text);

  // --- what the frame shows ---
  OptionsLabel heading;   // lbl_zusatz, top 16; shown, empty unless a type sets it
  OptionsLabel heading3;  // lbl_zusatz3

  bool modeGroupVisible = false;
  std::string modeGroupCaption = "Mode Auswahl";
  std::string modeText;  // lbl_mode
  bool modeTextVisible = true;
  std::array<std::string, kModeRadios> modeCaptions;
  std::array<bool, kModeRadios> modeVisible{};
  int checkedMode = 0;  // 1..6; 0 while no radio button has been checked yet
  OptionsCheckBox modeBit6, modeBit7;

  OptionsCheckBox timeOutMarker;         // cbx_weiche_ab
  std::array<OptionsCheckBox, 8> boxes;  // cbx_zusatz_1 .. cbx_zusatz_8
  OptionsLabel text1;                    // lbl_text_1

  OptionsTrackBar bar;  // TrackBar_01; top is the top of its title
  OptionsLabel barTitle, barLeft, barRight;

  std::array<OptionsTrackBar, 2> neon;     // TrackBar_neon_1 and _2
  std::array<OptionsLabel, 3> neonLabels;  // lbl_fNeon_01 .. _03

  std::vector<OptionRowState> rows;  // option_row_count = rows.size()
  int rowTop = 0;

  OptionsFocus focus = OptionsFocus::None;
  int focusRow = -1;

 private:
  void applyType(const OptionTypeSpec& optionType);
  const OptionTypeSpec* typeSpec() const;
  void writeModeByte(int radio);
  // The setting reactions of the controls that are no edit box: the value must be a whole
  // number in min..max (the warnings of the edit boxes otherwise); the control's reaction
  // runs only when the value differs from what it shows, as a click on it would.
  SetOutcome setNumber(const std::string& value, int min, int max, int current, const std::function<void(int)>& reaction);
  SetOutcome setTick(const std::string& value, bool current, const std::function<void(bool)>& reaction);
};

}  // namespace korrin

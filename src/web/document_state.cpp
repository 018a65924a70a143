#include "web/document_state.h"

#include "base/text_encoding.h"
#include "cli/editor_settings.h"
#include "cli/info_json.h"

namespace korrin::web {

namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& text) { return cli::TextUtf8(text); }

Json Label(const OptionsLabel& l) { return {{"visible", l.visible}, {"text", Utf8(l.text)}}; }

Json CheckBox(const OptionsCheckBox& b) {
  return {{"visible", b.visible}, {"checked", b.checked}, {"caption", Utf8(b.caption)}, {"hint", Utf8(b.hint)},
          {"key", b.key}};
}

Json TrackBar(const OptionsTrackBar& t) {
  return {{"visible", t.visible}, {"min", t.min},           {"max", t.max},
          {"tick", t.tick},       {"position", t.position}, {"hint", Utf8(t.hint)}};
}

const char* FocusName(OptionsFocus f) {
  switch (f) {
    case OptionsFocus::Row: return "row";
    case OptionsFocus::Bar: return "bar";
    case OptionsFocus::NeonBar1: return "neon1";
    case OptionsFocus::NeonBar2: return "neon2";
    case OptionsFocus::None: break;
  }
  return "none";
}

Json OptionsView(const OptionsModel& m) {
  Json v;
  v["kind"] = "options";
  v["heading"] = Label(m.heading);
  v["heading3"] = Label(m.heading3);
  v["modeGroupVisible"] = m.modeGroupVisible;
  v["modeGroupCaption"] = Utf8(m.modeGroupCaption);
  v["modeText"] = Utf8(m.modeText);
  v["modeTextVisible"] = m.modeTextVisible;
  Json modes = Json::array();
  for (size_t i = 0; i < m.modeCaptions.size(); ++i)
    modes.push_back({{"caption", Utf8(m.modeCaptions[i])}, {"visible", m.modeVisible[i]}});
  v["modes"] = modes;
  v["checkedMode"] = m.checkedMode;
  v["modeBit6"] = CheckBox(m.modeBit6);
  v["modeBit7"] = CheckBox(m.modeBit7);
  v["timeOutMarker"] = CheckBox(m.timeOutMarker);
  Json boxes = Json::array();
  for (const auto& b : m.boxes) boxes.push_back(CheckBox(b));
  v["boxes"] = boxes;
  v["text1"] = Label(m.text1);
  v["bar"] = TrackBar(m.bar);
  v["barTitle"] = Label(m.barTitle);
  v["barLeft"] = Label(m.barLeft);
  v["barRight"] = Label(m.barRight);
  v["neon"] = Json::array({TrackBar(m.neon[0]), TrackBar(m.neon[1])});
  Json neonLabels = Json::array();
  for (const auto& l : m.neonLabels) neonLabels.push_back(Label(l));
  v["neonLabels"] = neonLabels;
  Json rows = Json::array();
  for (const auto& r : m.rows)
    rows.push_back({{"key", r.key},
                    {"caption", Utf8(r.caption)},
                    {"hint", Utf8(r.hint)},
                    {"min", r.min},
                    {"max", r.max},
                    {"text", Utf8(r.text)},
                    {"unitText", Utf8(r.unitText)}});
  v["rows"] = rows;
  v["focus"] = FocusName(m.focus);
  v["focusRow"] = m.focusRow;
  return v;
}

Json CvView(const CvRegisterModel& m) {
  Json rows = Json::array();
  for (const auto& r : m.rows)
    rows.push_back({{"key", CvRegisterModel::KeyOfCaption(r.caption)},
                    {"caption", Utf8(r.caption)},
                    {"text", Utf8(r.text)},
                    {"min", 0},
                    {"max", 255}});
  return {{"kind", "cv"}, {"rows", rows}, {"focusRow", m.focusRow}};
}

Json PatternView(const PatternEditorModel& m) {
  Json v;
  v["kind"] = cli::FrameKey(m.kind());
  v["selected"] = m.selectedAddress();
  v["countText"] = Utf8(m.countText());
  v["stretchText"] = Utf8(m.stretchText());
  v["maxCount"] = m.maxCount();
  v["maxStretch"] = m.maxStretch();
  v["loop"] = m.loopChecked();
  Json outputs = Json::array();
  for (int o = 0; o < m.outputCount(); ++o) outputs.push_back(m.outputChecked(o));
  v["outputs"] = outputs;
  v["rasterText"] = Utf8(m.rasterText());
  v["totalText"] = Utf8(m.totalText());
  v["copyEnabled"] = Json::array({m.copyEnabled(0), m.copyEnabled(1), m.copyEnabled(2), m.copyEnabled(3)});
  v["applyEnabled"] = m.applyEnabled();
  Json strips = Json::array();
  for (const auto& s : m.strips()) {
    Json points = Json::array();
    for (bool p : s.points) points.push_back(p);
    strips.push_back({{"visible", s.visible}, {"points", points}});
  }
  v["strips"] = strips;
  v["lastPaintPoint"] = m.lastPaintPoint();
  return v;
}

Json ServoView(const ServoModel& m) {
  Json v;
  v["kind"] = "servo";
  v["selected"] = m.selectedCurve();
  v["countText"] = Utf8(m.countText());
  v["stretchText"] = Utf8(m.stretchText());
  v["pointTimeText"] = Utf8(m.pointTimeText());
  v["totalTimeText"] = Utf8(m.totalTimeText());
  v["thresholdText"] = Utf8(m.thresholdText());
  const CurvePresentation& p = m.curvePresentation();
  v["thresholdShown"] = p.x7Threshold;
  v["scaleText"] = Utf8(m.scaleText());
  v["shiftText"] = Utf8(m.shiftText());
  v["copyEnabled"] = Json::array({m.copyEnabled(0), m.copyEnabled(1), m.copyEnabled(2), m.copyEnabled(3)});
  v["rasterX"] = m.rasterX();
  v["rasterY"] = m.rasterY();
  v["sw1Learn"] = m.sw1Learn();
  v["relayStripAndSw1"] = p.relayStripAndSw1;
  Json labels = Json::array(), choices = Json::array(), actions = Json::array(), listsVisible = Json::array();
  for (int i = 0; i < 4; ++i) {
    labels.push_back(Utf8(p.buttonLabels[static_cast<size_t>(i)]));
    Json list = Json::array();
    for (const auto& c : p.buttonChoices[static_cast<size_t>(i)]) list.push_back(Utf8(c));
    choices.push_back(list);
    actions.push_back(m.buttonActionIndex(i));
    listsVisible.push_back(m.buttonListVisible(i));
  }
  v["buttonLabels"] = labels;
  v["buttonChoices"] = choices;
  v["buttonActions"] = actions;
  v["buttonListsVisible"] = listsVisible;
  v["pending"] = m.hasPendingChanges();

  const CurvePicture curve = m.curvePicture();
  Json points = Json::array();
  for (const auto& pt : curve.points) points.push_back({{"x", pt.x}, {"y", pt.y}});
  v["curve"] = {{"width", kCurveDrawingWidth},
                {"height", kCurveDrawingHeight},
                {"points", points},
                {"markerHalfSize", curve.markerHalfSize},
                {"gridX", curve.gridX},
                {"gridY", curve.gridY},
                {"thresholdY", curve.thresholdY ? Json(*curve.thresholdY) : Json(nullptr)}};
  const RelayPicture relay = m.relayPicture();
  Json cells = Json::array();
  for (const auto& c : relay.cells)
    cells.push_back({{"left", c.left}, {"top", c.top}, {"right", c.right}, {"bottom", c.bottom}});
  v["relay"] = {{"width", kCurveDrawingWidth}, {"height", kRelayDrawingHeight}, {"cells", cells}, {"gridX", relay.gridX}};

  const AssignmentPresentation& a = m.assignmentPresentation();
  Json rows = Json::array();
  for (int r = 1; r <= kAddressRows; ++r) {
    const auto row = m.addressRow(r);
    rows.push_back({{"caption", Utf8(row.caption)},
                    {"visible", row.visible},
                    {"servoVisible", row.servoVisible},
                    {"actionVisible", row.actionVisible},
                    {"curveVisible", row.curveVisible},
                    {"relayVisible", row.relayVisible},
                    {"servo", row.servo},
                    {"action", row.action},
                    {"curve", row.curve},
                    {"relay", row.relay}});
  }
  Json servos = Json::array();
  for (int s = 1; s <= kServos; ++s) {
    servos.push_back({{"visible", m.servoGroupVisible(s)},
                      {"flags",
                       {{"voltageOff", m.servoFlag(s, kFlagVoltageOff)},
                        {"pulsesOff", m.servoFlag(s, kFlagPulsesOff)},
                        {"noInterrupt", m.servoFlag(s, kFlagNoInterrupt)},
                        {"noRepeat", m.servoFlag(s, kFlagNoRepeat)}}},
                      {"offset", m.pulseOffset(s)},
                      {"factor", m.pulseFactor(s)},
                      {"minimumPulseText", Utf8(m.minimumPulseText(s))},
                      {"maximumPulseText", Utf8(m.maximumPulseText(s))}});
  }
  v["assignment"] = {{"servoGroups", a.servoGroups},
                     {"servoAndRelayLists", a.servoAndRelayLists},
                     {"rows", rows},
                     {"servos", servos}};
  return v;
}

const char* ColourName(Document::RowColour c) {
  switch (c) {
    case Document::RowColour::Green: return "green";
    case Document::RowColour::Red: return "red";
    case Document::RowColour::White: break;
  }
  return "white";
}

Json Lines(const std::vector<std::string>& lines) {
  Json out = Json::array();
  for (const auto& l : lines) out.push_back(Utf8(l));
  return out;
}

}  // namespace

std::string UndoText(const std::string& name) { return name.empty() ? "Rückgängig" : "Rückgängig: " + name; }
std::string RedoText(const std::string& name) { return name.empty() ? "Wiederholen" : "Wiederholen: " + name; }

Json EditorViewJson(Document& doc) {
  const EditorModel* model = doc.ShownEditor();
  if (!model) return nullptr;
  switch (model->kind()) {
    case FrameKind::Options: return OptionsView(doc.editors.options);
    case FrameKind::Cv: return CvView(doc.editors.cv);
    case FrameKind::Blink: return PatternView(doc.editors.blink);
    case FrameKind::LedBlink: return PatternView(doc.editors.ledBlink);
    case FrameKind::Servo: return ServoView(doc.editors.servo);
    case FrameKind::None: break;
  }
  return nullptr;
}

Json DocumentStateJson(Document& doc, const DocumentExtras& extras) {
  Json j;
  j["header"] = Utf8(doc.headerText);
  j["headerFontSize"] = doc.headerFontSize;
  j["decoderTitle"] = Utf8(doc.DecoderTitle);
  j["statusPanels"] = Lines({doc.statusPanels.begin(), doc.statusPanels.end()});
  j["fileName"] = Utf8(doc.LastFileName);
  j["helpPage"] = Utf8(doc.HelpPage);
  j["saveEnabled"] = doc.saveEnabled;
  j["rgMode"] = doc.RG_Mode;
  j["fnMode"] = doc.Fn_Mode;
  Json rows = Json::array();
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    rows.push_back({{"row", r},
                    {"caption", Utf8(row.caption)},
                    {"captionVisible", row.captionVisible},
                    {"addressVisible", row.addressVisible},
                    {"functionVisible", row.functionVisible},
                    {"rgVisible", row.rgVisible},
                    {"addressText", Utf8(row.addressText)},
                    {"functionText", Utf8(row.functionText)},
                    {"colour", ColourName(doc.RowColourOf(r))},
                    {"addressHint", Utf8(row.addressHint)},
                    {"addressHintShown", row.addressHintShown},
                    {"functionHint", Utf8(row.functionHint)},
                    {"functionHintShown", row.functionHintShown}});
  }
  j["rows"] = rows;
  if (doc.focus)
    j["focus"] = {{"row", doc.focus->row}, {"field", doc.focus->edit == RowEdit::Address ? "address" : "function"}};
  else
    j["focus"] = nullptr;
  const char* frame = cli::FrameKey(doc.layout.frameKind);
  j["frame"] = frame ? Json(frame) : Json(nullptr);
  EditorModel* model = doc.ShownEditor();
  Json editor = cli::EditorStateJson(model);
  if (model) editor["pending"] = model->hasPendingChanges();
  j["editor"] = editor;
  j["view"] = EditorViewJson(doc);
  const History& h = doc.history;
  j["undo"] = {{"enabled", h.CanUndo()}, {"name", h.UndoName()}, {"text", UndoText(h.UndoName())}};
  j["redo"] = {{"enabled", h.CanRedo()}, {"name", h.RedoName()}, {"text", RedoText(h.RedoName())}};
  j["prevFileName"] = Utf8(doc.PrevFileName);
  j["nextFileName"] = Utf8(doc.NextFileName);
  static const std::vector<cli::Message> kNone;
  j["info"] = extras.loaded ? cli::InfoJson(doc, extras.messages ? *extras.messages : kNone) : Json(nullptr);
  return j;
}

Json InfoTextsJson(const InfoTexts& t) {
  return {{"config", Lines({t.config.begin(), t.config.end()})},
          {"id", Lines({t.id.begin(), t.id.end()})},
          {"romCount", Utf8(t.romCount)},
          {"eeprom", Lines(t.dump.eeprom)},
          {"rom", Lines(t.dump.rom)},
          {"eepromComplete", t.dump.eepromComplete}};
}

Json ComparisonJson(const ComparisonResult& c) {
  return {{"completed", c.completed},
          {"fileRead", c.fileRead},
          {"noData", c.noData},
          {"statusFile1", Utf8(c.statusFile1)},
          {"statusFile2", Utf8(c.statusFile2)},
          {"eepromLines", Lines(c.eepromLines)},
          {"romLines", Lines(c.romLines)},
          {"eeDifferences", c.EE_Differences},
          {"romDifferences", c.ROM_Differences},
          {"idDifferences", c.ID_Differences},
          {"configDifferences", c.Config_Differences}};
}

}  // namespace korrin::web

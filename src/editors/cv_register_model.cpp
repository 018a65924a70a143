#include "editors/cv_register_model.h"

#include "editors/cv_tables.h"
#include "editors/typed_number.h"

namespace korrin {

void CvRegisterModel::Load() {
  ChangeScope change(*this);
  ClearRows();
  LoadRows();
}

void CvRegisterModel::ClearRows() {
  ChangeScope change(*this);
  filling = true;
  rows.clear();
  focusRow = -1;
  filling = false;
}

void CvRegisterModel::LoadRows() {
  ChangeScope change(*this);
  filling = true;
  auto table = CvTableFor(ctx.Editor().cvTable);
  if (!table.empty()) {
    rows.clear();
    for (const CvRow& row : table) rows.push_back({row.caption, row.offset, ""});
  }
  for (CvRowState& row : rows) row.text = CvValueText(ctx.image.get_Hex_EE(row.offset));
  filling = false;
}

SetOutcome CvRegisterModel::SetCvText(int row, const std::string& text) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return SetOutcome::UnknownKey;
  CvRowState& r = rows[static_cast<size_t>(row)];
  const std::string key = KeyOfCaption(r.caption);
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, (key.size() > 2 ? "CV" + key.substr(2) : r.caption) + " ändern",
                    key.empty() ? "cv.row" + std::to_string(row) : key);
  r.text = text;
  if (filling) return SetOutcome::Done;
  TypedNumber typed = ReadCvInput(text);
  switch (typed.kind) {
    case TypedNumberKind::Empty: return SetOutcome::Done;
    case TypedNumberKind::NotANumber:
      ctx.dialogs.show(BoxKind::Warning, NotANumberMessage(), Buttons::Cancel);
      focusRow = row;
      return SetOutcome::Refused;
    case TypedNumberKind::OutOfRange:
      // An EEPROM byte holds 0..255: other whole numbers are refused, nothing is written.
      ctx.dialogs.show(BoxKind::Warning, OutOfRangeMessage(0, 255), Buttons::Cancel);
      focusRow = row;
      return SetOutcome::Refused;
    case TypedNumberKind::InRange: ctx.image.setEepromValue(r.offset, typed.value); return SetOutcome::Done;
  }
  return SetOutcome::Done;
}

std::string CvRegisterModel::KeyOfCaption(const std::string& caption) {
  if (caption.rfind("CV", 0) != 0) return {};
  size_t i = 2;
  while (i < caption.size() && caption[i] == '0') ++i;
  size_t start = i;
  while (i < caption.size() && caption[i] >= '0' && caption[i] <= '9') ++i;
  if (i == 2) return {};         // no digit at all
  if (start == i) return "cv0";  // only zeros
  return "cv" + caption.substr(start, i - start);
}

size_t CvRegisterModel::StateBytes() const {
  size_t bytes = sizeof(*this);
  for (const CvRowState& row : rows) bytes += sizeof(row) + row.caption.capacity() + row.text.capacity();
  return bytes;
}

std::vector<EditorSetting> CvRegisterModel::Settings() const {
  std::vector<EditorSetting> out;
  for (const CvRowState& row : rows)
    out.push_back({"cvs", KeyOfCaption(row.caption), row.caption, std::to_string(ctx.image.eepromValue(row.offset)), "", false});
  return out;
}

SetOutcome CvRegisterModel::Set(const std::string& key, const std::string& value) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, StepNameOf(key));
  for (size_t r = 0; r < rows.size(); ++r)
    if (KeyOfCaption(rows[r].caption) == key) return SetCvText(static_cast<int>(r), value);
  return SetOutcome::UnknownKey;
}

}  // namespace korrin

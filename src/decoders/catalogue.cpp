// The small rules the catalogue step applies.
#include "decoders/catalogue.h"

#include "image/format.h"

namespace korrin {

CatalogueModes ModesFor(RowMode mode) {
  CatalogueModes modes;
  modes.RG_Mode = mode == RowMode::RG;
  modes.Fn_Mode = mode == RowMode::Fn;
  modes.CV_Mode = mode == RowMode::CV;
  return modes;
}

bool EntrySetsIsDcc(const DecoderType& type) { return type.mode == RowMode::CV; }

int32_t IdentifierAfterCatalogue(int32_t identifier) {
  // The pattern decoder exists with two signatures; its frames know it only as 1.
  return identifier == 0x101 ? 0x1 : identifier;
}

void SetMotLimits(InputLimits& limits) {
  limits.MaxAddress = 320;
  limits.MaxFunction = 4;
}

void SetDccLimits(InputLimits& limits, bool rgMode) {
  limits.MaxAddress = rgMode ? 2044 : 16128;
  limits.MaxFunction = 12;
}

InputLimits LimitsAfterCatalogue(const InputLimits& current, bool isMot, bool isDcc, bool rgMode) {
  InputLimits limits = current;
  if (isMot) {
    SetMotLimits(limits);
  } else if (isDcc) {
    SetDccLimits(limits, rgMode);
  }
  return limits;
}

std::string AddressHint(int32_t maxAddress) {
  return Format(
      "gültiger Adressbereich: 1 bis %d\n'0' für unbenutzt (keine Reaktion auf irgendeinen Befehl)",
      static_cast<int>(maxAddress));
}

std::string FunctionHint(int32_t maxFunction) {
  return Format("gültiger Bereich für die Funktions-Nummer: 1 bis %d", static_cast<int>(maxFunction));
}

RowControls RowControlsFor(const std::string& caption, bool rgMode, const InputLimits& limits) {
  RowControls controls;
  if (caption.empty()) {
    // Everything hidden; only the address edit's hint display is switched off.
    return controls;
  }
  controls.labelVisible = true;
  controls.addressVisible = true;
  controls.rgButtonVisible = rgMode;
  controls.functionVisible = !rgMode;
  controls.addressHint = AddressHint(limits.MaxAddress);
  controls.functionHint = FunctionHint(limits.MaxFunction);
  controls.addressHintShown = true;
  controls.functionHintShown = true;
  controls.recognises = true;
  return controls;
}

bool MustReportUnrecognised(bool recognisedWithoutRows, bool cvMode) {
  return !recognisedWithoutRows && !cvMode;
}

std::string FrameName(FrameKind frameKind) {
  switch (frameKind) {
    case FrameKind::Options: return "Optionen und Betriebsarten";
    case FrameKind::Blink: return "Blinkmuster-Editor";
    case FrameKind::LedBlink: return "LED-Blinkmuster-Editor";
    case FrameKind::Servo: return "Servo-Editor (Servokurven und Servo-Adressen)";
    case FrameKind::Cv: return "CV-Register-Tabelle";
    default: return std::string();
  }
}

}  // namespace korrin

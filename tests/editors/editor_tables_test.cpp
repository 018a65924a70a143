// Every registry row that shows an editor frame names a set-up that frame has, and
// every set-up of the editors' tables is named by some row.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "decoders/decoder_types.h"
#include "editors/blink_patterns.h"
#include "editors/cv_tables.h"
#include "editors/option_types.h"
#include "editors/servo_assignment.h"
#include "editors/servo_curves.h"

namespace korrin {
namespace {

TEST(EditorSpecs, EveryFrameOfARowHasItsSpecification) {
  std::set<OptionType> namedOptions;
  std::set<CvTable> namedTables;
  std::set<int32_t> optionsWithoutEntry;
  for (const DecoderType& type : DecoderTypes()) {
    SCOPED_TRACE(std::string(type.title));
    const EditorSpec& editor = type.editor;
    // A set-up of one frame kind on a row of another would never be read.
    if (editor.frame != FrameKind::Options) EXPECT_EQ(editor.options, OptionType::None);
    if (editor.frame != FrameKind::Cv) EXPECT_EQ(editor.cvTable, CvTable::None);
    if (editor.frame != FrameKind::Servo) EXPECT_FALSE(editor.x7Threshold);
    switch (editor.frame) {
      case FrameKind::Options:
        // A version far above every threshold: only OptionType::None shows nothing.
        if (editor.options == OptionType::None) {
          optionsWithoutEntry.insert(type.identifiers().front());
        } else {
          EXPECT_NE(OptionSpecFor(editor.options, 99.0f), nullptr);
          namedOptions.insert(editor.options);
        }
        break;
      case FrameKind::Cv:
        EXPECT_FALSE(CvTableFor(editor.cvTable).empty());
        namedTables.insert(editor.cvTable);
        break;
      case FrameKind::LedBlink: {
        const PatternLayout layout = LedPatternLayout(editor.stretch);
        EXPECT_EQ(layout.stretchEncoding, editor.stretch);
        EXPECT_EQ(layout.maxStretch, editor.stretch == StretchEncoding::Radix255 ? 30000 : 200);
        break;
      }
      case FrameKind::Servo: {
        const CurvePresentation curves = CurvePresentationFor(editor);
        EXPECT_EQ(curves.x7Threshold, editor.x7Threshold);
        EXPECT_EQ(curves.relayStripAndSw1, editor.servoButtons == ServoButtons::Tamb4);
        const AssignmentPresentation addresses = AssignmentPresentationFor(editor.servoAddresses);
        // The Tamb-4 rows show eight addresses, the others four.
        EXPECT_EQ(addresses.rows, editor.servoAddresses == ServoAddresses::Tamb4 ? 8 : 4);
        EXPECT_GE(type.captions.rowCount(), 1);
        break;
      }
      case FrameKind::Blink:
      case FrameKind::None:
        break;
    }
  }
  // Only the SBB signal from V3.59 shows the options frame without any option.
  EXPECT_EQ(optionsWithoutEntry, std::set<int32_t>{0x16D});
  std::set<OptionType> tableEntries;
  for (const OptionTypeSpec& entry : OptionTypeTable()) tableEntries.insert(entry.type);
  EXPECT_EQ(namedOptions, tableEntries);
  EXPECT_EQ(namedTables, (std::set<CvTable>{CvTable::FunctionDecoder, CvTable::Fenwik, CvTable::Grosk}));
}

}  // namespace
}  // namespace korrin

// Every decoder type's rows fit the window: placed as the catalogue step places them, each
// captioned row lies inside the rows' box, no two overlap, and the editor frame beside them
// leaves them visible.
#include <gtest/gtest.h>

#include <string>

#include "app/layout.h"
#include "decoders/decoder_types.h"

namespace korrin {
namespace {

bool Inside(const Rect& r, const Rect& box) {
  return r.left >= 0 && r.top >= 0 && r.right() <= box.width && r.bottom() <= box.height;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(DecoderTypeLayout, EveryTypesRowsFitBesideItsFrame) {
  for (const DecoderType& type : DecoderTypes()) {
    SCOPED_TRACE(std::string(type.title));
    const std::vector<std::string> rowCaptions = RowCaptions(&type);
    std::array<std::string, 48> captions{};
    for (size_t r = 0; r < captions.size(); ++r) captions[r] = rowCaptions[r];

    MainLayout layout;
    layout.NeutralLayout({}, EstimatedTextWidth);
    layout.PlaceRows(type.perColumn, type.gapRow, captions, EstimatedTextWidth);
    layout.ShowEditorFrame(type.frameKind(), FrameMetrics{});
    EXPECT_EQ(layout.frameKind, type.frameKind());

    std::vector<Rect> shown;
    for (int r = 0; r < kRowCount; ++r) {
      if (captions[static_cast<size_t>(r)].empty()) continue;
      const RowPlacement& row = layout.rows[static_cast<size_t>(r)];
      const Rect input = type.mode == RowMode::RG ? row.rg : row.function;
      for (const Rect& rect : {row.label, row.address, input}) {
        EXPECT_TRUE(Inside(rect, layout.groupBoxMain)) << "row " << r;
        for (const Rect& other : shown) EXPECT_FALSE(Overlap(rect, other)) << "row " << r;
        // The servo address frame lies over the lower part of the rows' box.
        if (type.frameKind() == FrameKind::Servo) EXPECT_LE(rect.bottom(), layout.servoAddressFrame.top) << "row " << r;
      }
      shown.insert(shown.end(), {row.label, row.address, input});
    }
    // The CV frame covers the rows' box: a CV type has no rows to show.
    if (type.frameKind() == FrameKind::Cv) EXPECT_TRUE(shown.empty());
  }
}

}  // namespace
}  // namespace korrin

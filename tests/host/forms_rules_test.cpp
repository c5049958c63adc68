// The rules of forms/ that need no system: scaling, docking and anchoring,
// the font face a table's font is created with, which button Enter or Esc
// presses, and the colours high contrast puts in place of the table's.
#include <gtest/gtest.h>

#include <iterator>

#include "forms/BitBtn.h"
#include "forms/DialogKeys.h"
#include "forms/Gauge.h"
#include "forms/Layout.h"
#include "forms/Palette.h"

using namespace forms;

namespace {

enum { kLeftBar = 1, kPicture, kBox, kBar, kText, kButton };
const ControlDef kLayout[] = {
    {.id = kPicture, .kind = Kind::Image, .left = 1, .width = 214, .height = 316,
     .dock = Dock::Left},
    {.id = kButton, .kind = Kind::Button, .left = 378, .top = 288, .width = 75, .height = 24},
    {.id = kLeftBar, .kind = Kind::Panel, .width = 1, .height = 316, .dock = Dock::Left},
    {.id = kBox, .kind = Kind::Panel, .left = 219, .top = 3, .width = 334, .height = 233,
     .bevel = Bevel::Lowered},
    {.id = kBar, .kind = Kind::Gauge, .parent = kBox, .width = 332, .height = 22,
     .dock = Dock::Bottom},
    {.id = kText, .kind = Kind::Memo, .parent = kBox, .width = 332, .height = 209,
     .dock = Dock::Fill},
};

void ExpectRect(const Rect& r, int left, int top, int width, int height, const char* what) {
  EXPECT_EQ(r.left, left) << what;
  EXPECT_EQ(r.top, top) << what;
  EXPECT_EQ(r.width(), width) << what;
  EXPECT_EQ(r.height(), height) << what;
}

TEST(Layout, At96DpiControlsKeepTheirDesignValuesAndDockInOrder) {
  const auto r = ComputeLayout(kLayout, std::size(kLayout), 555, 316, 96);
  ExpectRect(r[0], 1, 0, 214, 316, "picture right of the bar");
  ExpectRect(r[1], 378, 288, 75, 24, "button");
  ExpectRect(r[2], 0, 0, 1, 316, "bar at the left edge");
  ExpectRect(r[3], 219, 3, 334, 233, "box");
  ExpectRect(r[4], 1, 210, 332, 22, "gauge inside the bevel, at the bottom");
  ExpectRect(r[5], 1, 1, 332, 209, "text fills the rest");
}

TEST(Layout, At144DpiEverythingScalesButTheBevel) {
  const auto r = ComputeLayout(kLayout, std::size(kLayout), Scale(555, 144), Scale(316, 144), 144);
  ExpectRect(r[2], 0, 0, 2, 474, "bar");
  ExpectRect(r[0], 2, 0, 321, 474, "picture");
  ExpectRect(r[1], 567, 432, 113, 36, "button");
  ExpectRect(r[3], 329, 5, 501, 350, "box");
  ExpectRect(r[4], 1, 349 - 33, 499, 33, "gauge");
  ExpectRect(r[5], 1, 1, 499, 349 - 33 - 1, "text");
}

TEST(Layout, AnchoredControlsMoveOrGrowWithTheClient) {
  enum { kMoves = 1, kStretches, kStays, kBottomPanel, kInPanel, kMovesDown, kGrowsTaller };
  const ControlDef table[] = {
      {.id = kMoves, .kind = Kind::Button, .left = 150, .top = 10, .width = 40, .height = 20,
       .settings = kMoveX},
      {.id = kStretches, .kind = Kind::Edit, .left = 10, .top = 10, .width = 100, .height = 20,
       .settings = kSizeX},
      {.id = kStays, .kind = Kind::Button, .left = 10, .top = 40, .width = 40, .height = 20},
      {.id = kBottomPanel, .kind = Kind::Panel, .width = 200, .height = 40,
       .dock = Dock::Bottom},
      {.id = kInPanel, .kind = Kind::Button, .parent = kBottomPanel, .left = 150, .top = 5,
       .width = 40, .height = 20, .settings = kMoveX},
      {.id = kMovesDown, .kind = Kind::Button, .left = 10, .top = 30, .width = 40, .height = 20,
       .settings = kMoveY},
      {.id = kGrowsTaller, .kind = Kind::Memo, .left = 60, .top = 10, .width = 40, .height = 40,
       .settings = kSizeY},
  };
  const auto same = ComputeLayout(table, std::size(table), 200, 100, 96, 200, 100);
  ExpectRect(same[0], 150, 10, 40, 20, "design size: design values");
  const auto r = ComputeLayout(table, std::size(table), 240, 100, 96, 200, 100);
  ExpectRect(r[0], 190, 10, 40, 20, "moves with the right edge");
  ExpectRect(r[1], 10, 10, 140, 20, "anchored both sides: stretches");
  ExpectRect(r[2], 10, 40, 40, 20, "not anchored right: stays");
  ExpectRect(r[3], 0, 60, 240, 40, "docked: full width");
  ExpectRect(r[4], 190, 5, 40, 20, "inside the docked panel: moves with it");
  const auto taller = ComputeLayout(table, std::size(table), 200, 130, 96, 200, 100);
  ExpectRect(taller[0], 150, 10, 40, 20, "moves across only");
  ExpectRect(taller[5], 10, 60, 40, 20, "moves with the bottom edge");
  ExpectRect(taller[6], 60, 10, 40, 70, "grows taller");
}

TEST(Layout, ScaleIsExactAt96AndRoundsElsewhere) {
  const struct {
    int n, dpi, scaled;
  } cases[] = {{11, 96, 11}, {11, 120, 14}, {11, 144, 17}, {555, 144, 833}, {1, 144, 2},
               {-11, 144, -17}};  // halves away from zero, as MulDiv rounds
  for (const auto& c : cases) EXPECT_EQ(Scale(c.n, c.dpi), c.scaled) << c.n << "@" << c.dpi;
}

TEST(FontFace, MsSansSerifBecomesTrueTypeAwayFrom96Dpi) {
  const struct {
    const char* face;
    int dpi;
    const char* used;
  } cases[] = {
      {"MS Sans Serif", 96, "MS Sans Serif"},
      {"MS Sans Serif", 120, "Microsoft Sans Serif"},
      {"MS Sans Serif", 144, "Microsoft Sans Serif"},
      {"Courier New", 144, "Courier New"},
  };
  for (const auto& c : cases) EXPECT_STREQ(FontFace(c.face, c.dpi), c.used) << c.face << c.dpi;
}

TEST(Palette, HighContrastTakesTheSystemsPairsOtherwiseTheTablesColours) {
  const ColorPair sky{clSkyBlue, clBlue}, buttonTable{clBtnFace, clBlack};
  const ColorPair window{SystemColor(kColorWindow), SystemColor(kColorWindowText)};
  const ColorPair button{SystemColor(kColorBtnFace), SystemColor(kColorBtnText)};
  const struct {
    Kind kind;
    ColorPair table;
    bool highContrast;
    ColorPair painted;
  } cases[] = {
      {Kind::Memo, sky, false, sky},          {Kind::Memo, sky, true, window},
      {Kind::Panel, sky, true, window},       {Kind::CheckBox, sky, true, window},
      {Kind::Image, sky, true, window},       {Kind::ListBox, sky, true, window},
      {Kind::BitBtn, buttonTable, false, buttonTable},
      {Kind::BitBtn, buttonTable, true, button}, {Kind::Button, sky, true, button},
  };
  int row = 0;
  for (const auto& c : cases)
    EXPECT_TRUE(ControlColors(c.kind, c.table, c.highContrast) == c.painted) << "row " << row++;

  const GaugeColors plain = GaugeColorsFor(false), high = GaugeColorsFor(true);
  EXPECT_EQ(plain.back, clBtnFace);
  EXPECT_EQ(plain.bar, SystemColor(kColorActiveCaption));
  EXPECT_TRUE(plain.invertText);
  EXPECT_EQ(high.back, SystemColor(kColorWindow));
  EXPECT_EQ(high.bar, SystemColor(kColorHighlight));
  EXPECT_EQ(high.text, SystemColor(kColorWindowText));
  EXPECT_EQ(high.textOnBar, SystemColor(kColorHighlightText));
  EXPECT_FALSE(high.invertText);

  // A drawn button's default or focus frame and disabled caption.
  const ButtonInk plainInk = ButtonInkFor(false), highInk = ButtonInkFor(true);
  EXPECT_EQ(plainInk.frame, clBlack);
  EXPECT_EQ(plainInk.disabledText, SystemColor(kColorBtnShadow));
  EXPECT_EQ(plainInk.disabledEmboss, SystemColor(kColorBtnHighlight));
  EXPECT_EQ(highInk.frame, SystemColor(kColorBtnText));
  EXPECT_EQ(highInk.disabledText, SystemColor(kColorGrayText));
  EXPECT_EQ(highInk.disabledEmboss, kInherit);
}

TEST(DialogKeys, ChoosesTheButtonByKeyFocusAndState) {
  const ButtonState usable{true, true, true}, hidden{true, false, true},
      disabled{true, true, false}, none{};
  const struct {
    DialogKey key;
    FocusKind focus;
    bool modifiers;
    ButtonState def, cancel;
    KeyTarget target;
  } cases[] = {
      {DialogKey::Enter, FocusKind::Other, false, usable, usable, KeyTarget::Default},
      {DialogKey::Enter, FocusKind::PushButton, false, usable, usable, KeyTarget::Focused},
      {DialogKey::Enter, FocusKind::Other, false, disabled, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, false, hidden, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, false, none, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::MultiLineText, false, usable, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, true, usable, usable, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, false, usable, usable, KeyTarget::Cancel},
      {DialogKey::Escape, FocusKind::PushButton, false, usable, usable, KeyTarget::Cancel},
      {DialogKey::Escape, FocusKind::Other, false, usable, hidden, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, false, usable, disabled, KeyTarget::None},
      {DialogKey::Escape, FocusKind::MultiLineText, false, usable, usable, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, true, usable, usable, KeyTarget::None},
  };
  int row = 0;
  for (const auto& c : cases)
    EXPECT_EQ(ChooseKeyTarget(c.key, c.focus, c.modifiers, c.def, c.cancel), c.target)
        << "row " << row++;
}

}  // namespace

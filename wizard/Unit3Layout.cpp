// The shortcut dialog's layout, design values at 96 DPI.
#include "wizard/Unit3.h"

#include "resources/resource_ids.h"
#include "wizard/Unit3Texts.h"

namespace wizard {

using namespace forms;

namespace {

const ControlDef kControls[] = {
    {.id = kShortcutBitBtn1, .name = "BitBtn1", .kind = Kind::BitBtn,
     .left = 21, .top = 57, .width = 75, .height = 25, .caption = kYesCaption, .tab = 0,
     .buttonKind = BitBtnKind::OK, .glyphResource = IDB_GLYPH_OK},
    {.id = kShortcutGroupBox1, .name = "GroupBox1", .kind = Kind::GroupBox,
     .left = 0, .top = 2, .width = 220, .height = 46, .caption = kShortcutGroupCaption,
     .tab = 1},
    {.id = kCheckBox1, .name = "CheckBox1", .kind = Kind::CheckBox, .parent = kShortcutGroupBox1,
     .left = 17, .top = 19, .width = 97, .height = 17, .caption = kOnDesktopCaption,
     .settings = kChecked, .tab = 0},
    {.id = kCheckBox2, .name = "CheckBox2", .kind = Kind::CheckBox, .parent = kShortcutGroupBox1,
     .left = 112, .top = 20, .width = 97, .height = 17, .caption = kInStartMenuCaption,
     .settings = kChecked, .tab = 1},
    {.id = kShortcutBitBtn2, .name = "BitBtn2", .kind = Kind::BitBtn,
     .left = 120, .top = 58, .width = 75, .height = 25, .caption = kNoCaption, .tab = 2,
     .buttonKind = BitBtnKind::No, .glyphResource = IDB_GLYPH_NO},
};

}  // namespace

const FormDef kForm3Def = WithControls(
    FormDef{.className = kShortcutDialogClass, .caption = kShortcutCaption, .clientWidth = 221,
             .clientHeight = 88, .border = BorderStyle::ToolWindow, .color = clSkyBlue},
    kControls);

}  // namespace wizard

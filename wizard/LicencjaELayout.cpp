// The agreement dialog's layout, design values at 96 DPI.
#include "wizard/LicencjaE.h"

#include "resources/resource_ids.h"
#include "wizard/LicencjaETexts.h"

namespace wizard {

using namespace forms;

namespace {

const ControlDef kControls[] = {
    {.id = kMemo1, .name = "Memo1", .kind = Kind::Memo,
     .width = 476, .height = 426, .settings = kReadOnly | kVScroll | kBorder, .tab = 0,
     .dock = Dock::Fill, .color = clSkyBlue,
     .font = {"Courier New", 12, false, EASTEUROPE_CHARSET}},
    {.id = kAgreementPanel1, .name = "Panel1", .kind = Kind::Panel,
     .width = 476, .height = 42, .tab = 1, .dock = Dock::Bottom, .color = clSkyBlue},
    {.id = kAgreementBitBtn1, .name = "BitBtn1", .kind = Kind::BitBtn, .parent = kAgreementPanel1,
     .left = 289, .top = 9, .width = 75, .height = 25, .caption = kAgreementNextCaption,
     .settings = kDefault | kDisabled | kMoveX, .tab = 0, .modalResult = mrYes,
     .glyphResource = IDB_GLYPH_NEXT, .glyph = GlyphArt::NextArrow},
    {.id = kAgreementBitBtn2, .name = "BitBtn2", .kind = Kind::BitBtn, .parent = kAgreementPanel1,
     .left = 388, .top = 9, .width = 75, .height = 25, .caption = kAgreementCancelCaption,
     .settings = kMoveX, .tab = 1, .buttonKind = BitBtnKind::Cancel,
     .glyphResource = IDB_GLYPH_CANCEL_AGREEMENT},
    {.id = kAgreementGroupBox1, .name = "GroupBox1", .kind = Kind::GroupBox,
     .parent = kAgreementPanel1, .left = 4, .top = 1, .width = 265, .height = 35, .caption = "",
     .tab = 2},
    {.id = kRadioButton1, .name = "RadioButton1", .kind = Kind::RadioButton,
     .parent = kAgreementGroupBox1, .left = 12, .top = 12, .width = 113, .height = 17,
     .caption = kAcceptCaption, .settings = kGroupStart, .tab = 0},
    {.id = kRadioButton2, .name = "RadioButton2", .kind = Kind::RadioButton,
     .parent = kAgreementGroupBox1, .left = 143, .top = 12, .width = 113, .height = 17,
     .caption = kDeclineCaption, .settings = kChecked, .tab = 1},
};

}  // namespace

const FormDef kFormLicencjaEDef = WithControls(
    FormDef{.className = kAgreementDialogClass, .caption = kAgreementCaption,
             .clientWidth = 476, .clientHeight = 468, .border = BorderStyle::ToolWindow},
    kControls);

}  // namespace wizard

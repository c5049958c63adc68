// The main window's layout, design values at 96 DPI.
#include "wizard/Unit2.h"

#include "resources/resource_ids.h"
#include "wizard/Unit2Texts.h"

namespace wizard {

using namespace forms;

namespace {

const ControlDef kControls[] = {
    {.id = kImage2, .name = "Image2", .kind = Kind::Image,
     .left = 1, .top = 0, .width = 214, .height = 316, .dock = Dock::Left},
    {.id = kBtnOK, .name = "BtnOK", .kind = Kind::BitBtn,
     .left = 477, .top = 288, .width = 75, .height = 24, .caption = kOkCaption,
     .settings = kHidden | kMoveX, .tab = 5, .textColor = clBlack,
     .buttonKind = BitBtnKind::OK, .glyphResource = IDB_GLYPH_OK},
    {.id = kBtnKoniec, .name = "BtnKoniec", .kind = Kind::BitBtn,
     .left = 477, .top = 288, .width = 75, .height = 24, .caption = kCancelCaption,
     .settings = kMoveX, .tab = 1, .textColor = clBlack,
     .buttonKind = BitBtnKind::Cancel, .glyphResource = IDB_GLYPH_CANCEL},
    {.id = kBtnDalej, .name = "BtnDalej", .kind = Kind::BitBtn,
     .left = 378, .top = 288, .width = 75, .height = 24, .caption = kNextCaption,
     .settings = kDefault | kMoveX, .tab = 0, .textColor = clBlack,
     .glyphResource = IDB_GLYPH_NEXT, .glyph = GlyphArt::NextArrow},
    {.id = kMainGroupBox1, .name = "GroupBox1", .kind = Kind::GroupBox,
     .left = 219, .top = 238, .width = 336, .height = 44, .caption = kTargetFolderCaption,
     .settings = kMoveX, .tab = 2},
    {.id = kButton1, .name = "Button1", .kind = Kind::Button, .parent = kMainGroupBox1,
     .left = 254, .top = 15, .width = 78, .height = 25, .caption = kBrowseCaption, .tab = 0},
    {.id = kEdit1, .name = "Edit1", .kind = Kind::Edit, .parent = kMainGroupBox1,
     .left = 7, .top = 16, .width = 243, .height = 21, .caption = kDefaultTargetDir,
     .settings = kReadOnly | kNoTabStop | kBorder, .tab = 1, .color = clBtnFace},
    {.id = kMainPanel1, .name = "Panel1", .kind = Kind::Panel,
     .left = 0, .top = 0, .width = 1, .height = 316, .tab = 3, .dock = Dock::Left,
     .bevel = Bevel::Lowered, .bevelWidth = 2},
    {.id = kImage1, .name = "Image1", .kind = Kind::Image, .parent = kMainPanel1,
     .settings = kStretch, .dock = Dock::Fill},
    {.id = kPanel2, .name = "Panel2", .kind = Kind::Panel,
     .left = 219, .top = 3, .width = 334, .height = 233, .settings = kMoveX, .tab = 4,
     .bevel = Bevel::Lowered},
    {.id = kG1, .name = "G1", .kind = Kind::Gauge, .parent = kPanel2,
     .width = 332, .height = 22, .settings = kHidden, .dock = Dock::Bottom,
     .font = {nullptr, 11, true}},
    {.id = kM1, .name = "M1", .kind = Kind::Memo, .parent = kPanel2,
     .width = 332, .height = 209, .settings = kReadOnly | kCentered, .tab = 0,
     .dock = Dock::Fill, .color = clSkyBlue, .textColor = clBlue,
     .font = {"MS Sans Serif", 13, true}},
};

}  // namespace

const FormDef kForm2Def = WithControls(
    FormDef{.className = kMainWindowClass, .caption = "Form2", .clientWidth = 555,
             .clientHeight = 316, .color = clSkyBlue},
    kControls);

}  // namespace wizard

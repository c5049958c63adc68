// The folder chooser's layout, design values at 96 DPI.
#include "wizard/FolderChooser.h"

#include "wizard/ControlIds.h"
#include "wizard/FolderChooserTexts.h"

namespace wizard {

using namespace forms;

namespace {

const ControlDef kControls[] = {
    {.id = kChooserNameLabel, .name = "Label1", .kind = Kind::Label,
     .left = 8, .top = 8, .width = 92, .height = 13, .caption = kNameLabelCaption},
    {.id = kChooserNameEdit, .name = "Edit1", .kind = Kind::Edit,
     .left = 8, .top = 24, .width = 313, .height = 20, .caption = "",
     .settings = kBorder | kWideText, .color = clWindow},
    {.id = kChooserDirLabel, .name = "Label2", .kind = Kind::Label,
     .left = 8, .top = 56, .width = 66, .height = 13, .caption = kDirLabelCaption},
    {.id = kChooserDirList, .name = "DirList", .kind = Kind::ListBox,
     .left = 8, .top = 72, .width = 213, .height = 138, .caption = "",
     .settings = kOwnerDraw | kWideText, .color = clWindow},
    {.id = kChooserFileLabel, .name = "Label3", .kind = Kind::Label,
     .left = 232, .top = 56, .width = 57, .height = 13, .caption = kFileLabelCaption},
    {.id = kChooserFileList, .name = "FileList", .kind = Kind::ListBox,
     .left = 232, .top = 72, .width = 185, .height = 93, .caption = "", .settings = kWideText,
     .color = clWindow, .textColor = clGray},
    {.id = kChooserDriveLabel, .name = "Label4", .kind = Kind::Label,
     .left = 232, .top = 176, .width = 41, .height = 13, .caption = kDriveLabelCaption},
    {.id = kChooserDriveList, .name = "DriveList", .kind = Kind::ComboBox,
     .left = 232, .top = 192, .width = 185, .height = 19, .caption = "",
     .settings = kOwnerDraw | kWideText, .color = clWindow},
    {.id = kChooserOK, .name = "OKButton", .kind = Kind::Button,
     .left = 256, .top = 224, .width = 77, .height = 27, .caption = kChooserOkCaption,
     .settings = kDefault},
    {.id = kChooserCancel, .name = "CancelButton", .kind = Kind::Button,
     .left = 340, .top = 224, .width = 77, .height = 27, .caption = kChooserCancelCaption,
     .settings = kCancel, .modalResult = mrCancel},
};

}  // namespace

const FormDef kSelectDirDef = WithControls(
    FormDef{.className = kFolderChooserClass, .caption = kChooserCaption,
             .clientWidth = 424, .clientHeight = 255},
    kControls);

}  // namespace wizard

#include "wizard/Unit3.h"

#include "wizard/Unit3Texts.h"

namespace wizard {

TForm3::TForm3(core::LinkMaker& links) : Form(kForm3Def), links_(links) {
  OnClick(kShortcutBitBtn1, [this] { BitBtn1Click(); });
}

void TForm3::ApplyTexts() {
  SetCaption(kShortcutCaption);
  SetText(kShortcutGroupBox1, kShortcutGroupCaption);
  SetText(kCheckBox1, kOnDesktopCaption);
  SetText(kCheckBox2, kInStartMenuCaption);
  SetText(kShortcutBitBtn1, kYesCaption);
  SetText(kShortcutBitBtn2, kNoCaption);
}

void TForm3::Offer(const core::Installed& installed) {
  installed_ = installed;
  ShowModal();
}

void TForm3::BitBtn1Click() {
  core::CreateLinks(links_, installed_, Checked(kCheckBox1), Checked(kCheckBox2));
}

}  // namespace wizard

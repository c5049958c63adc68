#include "wizard/Unit3.h"

#include <string>

#include "core/install.h"
#include "tools/MyTools.h"

namespace wizard {

namespace {

const char kShortcutGroup[] = "Vorlen";
const char kLinkArguments[] = " ";

}  // namespace

TForm3::TForm3() : Form(kForm3Def) {
  OnClick(kShortcutBitBtn1, [this] { BitBtn1Click(); });
}

void TForm3::ApplyTexts() {
  SetCaption("Shorcut");
  SetText(kShortcutGroupBox1, "Create shortcut to program:");
  SetText(kCheckBox1, "on desktop");
  SetText(kCheckBox2, "in Menu Start");
  SetText(kShortcutBitBtn1, "Yes");
  SetText(kShortcutBitBtn2, "No");
}

void TForm3::Offer(const core::Installed& installed) {
  folder_ = installed.folder;
  program_ = installed.linkedProgram;
  ShowModal();
}

void TForm3::BitBtn1Click() {
  if (Checked(kCheckBox1))
    tools::CreateShortcut(program_, kLinkArguments, folder_, kShortcutGroup, true);
  if (Checked(kCheckBox2))
    tools::CreateShortcut(program_, kLinkArguments, folder_, kShortcutGroup, false);
}

}  // namespace wizard

#include "wizard/Unit3.h"

#include <string>

#include "core/path.h"
#include "tools/MyTools.h"

namespace wizard {

namespace {

const char kShortcutGroup[] = "Vorlen";
const char kLinkArguments[] = " ";

}  // namespace

TForm3::TForm3(core::Platform& platform) : Form(kForm3Def), platform_(platform) {
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

void TForm3::BitBtn1Click() {
  // The installed program's own path, as its registry value names it.
  const std::string targetDir = platform_.FullLongPath(targetFolder);
  const std::string program = core::JoinPath(targetDir, "\\Pultix.exe");
  if (Checked(kCheckBox1))
    tools::CreateShortcut(program, kLinkArguments, targetDir, kShortcutGroup, true);
  if (Checked(kCheckBox2))
    tools::CreateShortcut(program, kLinkArguments, targetDir, kShortcutGroup, false);
}

}  // namespace wizard

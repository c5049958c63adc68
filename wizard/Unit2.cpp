#include "wizard/Unit2.h"

#include <optional>
#include <vector>

#include "core/chooser.h"
#include "core/error.h"
#include "core/install.h"
#include "core/path.h"
#include "core/payload.h"
#include "forms/Annotation.h"
#include "forms/AppError.h"
#include "resources/resource_ids.h"
#include "wizard/FolderChooser.h"
#include "wizard/LicencjaE.h"
#include "wizard/Unit2Texts.h"
#include "wizard/Unit3.h"

namespace wizard {

namespace {

HICON LoadSharedIcon(HINSTANCE module, int id, int size) {
  return static_cast<HICON>(
      LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

TForm2::TForm2(core::Platform& platform, TForm3& shortcuts, TFormLicencjaE& agreement)
    : forms::Form(kForm2Def),
      platform_(platform),
      shortcuts_(shortcuts),
      agreement_(agreement),
      banner_(GetModuleHandleA(nullptr), IDR_BANNER) {
  OnClick(kButton1, [this] { Button1Click(); });
  OnClick(kBtnDalej, [this] { BtnDalejClick(); });
  OnClick(kBtnKoniec, [this] { BtnKoniecClick(); });
  OnClick(kBtnOK, [this] { BtnOKClick(); });
}

void TForm2::LoadArtwork() {
  // The artwork is the window's module's, the program's own.
  const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
  // Task switcher and taskbar show the program's icon, the title bar the
  // window's own.
  SetIcons(LoadSharedIcon(module, IDI_SETUP, GetSystemMetrics(SM_CXICON)),
           LoadSharedIcon(module, IDI_MAINWINDOW, GetSystemMetrics(SM_CXSMICON)));
  try {
    SetPicture(kImage2, banner_.Take().release());
  } catch (const core::Error& e) {
    // A damaged banner must not keep the window from working.
    forms::ShowErrorBox(e.what());
  }
}

void TForm2::FormCreate() {
  LoadArtwork();
  SetCaption(core::FileNameStem(platform_.ProgramPath()));

  const std::vector<std::string> list = core::LoadResourceList(platform_, core::kManifestResource);
  if (list.empty()) throw core::Error("List index out of bounds (-1)");
  payloadVersion_ = list.back();
}

void TForm2::FormShow() { RG1Click(); }

void TForm2::RG1Click() {
  ClearLines(kM1);
  AddLines(kM1, WelcomeLines(payloadVersion_));
  SetText(kMainGroupBox1, kTargetFolderCaption);
  SetText(kButton1, kBrowseCaption);
  SetText(kBtnDalej, kNextCaption);
  SetText(kBtnKoniec, kCancelCaption);
  shortcuts_.ApplyTexts();
}

void TForm2::Button1Click() {
  const std::optional<std::string> chosen =
      core::BrowseForTarget(platform_, TargetDir(), [this](const std::string& start) {
        return ChooseFolder(Handle(), platform_, start);
      });
  if (chosen) SetText(kEdit1, *chosen);
}

void TForm2::BtnDalejClick() {
  if (running_) return;
  running_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{running_};
  if (!agreement_.AcceptAgreement()) return;
  const std::string target = TargetDir();
  // Holds the folders it writes into until the files are in place.
  core::Run run(platform_);
  if (!core::PrepareTargetFolder(run, target)) {
    MessageBoxA(Handle(), FolderUnusableMessage(target).c_str(), kErrorTitle,
                MB_ICONSTOP | MB_OK);
    return;
  }
  ClearLines(kM1);
  AddLines(kM1, CopyingText());
  SetVisible(kG1, true);
  UpdateWindow(Handle());

  const core::Installed installed = core::InstallFiles(run, target, GaugeOf(kG1));
  if (core::Succeeded(installed.result)) {
    ClearLines(kM1);
    AddLines(kM1, SuccessText());
    shortcuts_.Offer(installed);
    SetEnabled(kBtnDalej, false);
    SetEnabled(kButton1, false);
    SetVisible(kBtnKoniec, false);
    SetVisible(kBtnOK, true);
    FocusOutcome(kBtnOK, {SuccessText().back()});
  } else {
    const std::vector<std::string> lines = FailureLines(installed.result);
    AddLines(kM1, lines);
    SetEnabled(kBtnDalej, false);
    SetEnabled(kButton1, false);
    SetText(kBtnKoniec, kExitCaption);
    FocusOutcome(kBtnKoniec, lines);
  }
}

void TForm2::FocusOutcome(int button, const std::vector<std::string>& lines) {
  // The main window is no dialog of the system's class, so a screen reader
  // does not read its text: the one button left carries the outcome as its
  // description, read with its name when it takes the focus. Enter on it
  // does what it says.
  std::string outcome;
  for (const std::string& line : lines) outcome += (outcome.empty() ? "" : "\r\n") + line;
  forms::SetAccessibleDescription(Item(button), outcome);
  FocusControl(button);
}

void TForm2::BtnKoniecClick() { Close(); }

void TForm2::BtnOKClick() { Close(); }

}  // namespace wizard

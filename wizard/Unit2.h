// TForm2: the main window and the installation run behind "Next".
#pragma once

#include <string>
#include <vector>

#include "core/names.h"
#include "forms/Form.h"
#include "forms/Jpeg.h"
#include "wizard/ControlIds.h"

namespace core {
class Platform;
}

namespace wizard {

class TForm3;
class TFormLicencjaE;

// The build checks that every payload path fits below it.
using core::kDefaultTargetDir;
extern const forms::FormDef kForm2Def;

class TForm2 : public forms::Form {
 public:
  // The dialogs are only used once the windows exist.
  TForm2(core::Platform& platform, TForm3& shortcuts, TFormLicencjaE& agreement);

  // The target folder as the field shows it.
  std::string TargetDir() const { return Text(kEdit1); }

  void RG1Click();
  void Button1Click();
  void BtnDalejClick();
  void BtnKoniecClick();
  void BtnOKClick();

 protected:
  void FormCreate() override;
  void FormShow() override;

 private:
  void LoadArtwork();
  void FocusOutcome(int button, const std::vector<std::string>& lines);

  core::Platform& platform_;
  TForm3& shortcuts_;
  TFormLicencjaE& agreement_;
  // Decoded while the windows are built; the program's own, like the
  // windows' module.
  forms::JpegLoad banner_;
  // While the run answers messages sent from outside (a screen reader's
  // questions to the gauge), a click sent to "Next" must not start another.
  bool running_ = false;
  std::string payloadVersion_ = "_____";
};

}  // namespace wizard

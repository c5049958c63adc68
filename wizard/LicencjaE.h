// TFormLicencjaE: the agreement dialog shown by every "Next".
#pragma once

#include "core/platform.h"
#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace wizard {

extern const forms::FormDef kFormLicencjaEDef;

class TFormLicencjaE : public forms::Form {
 public:
  // The licence text comes from the program's resources.
  explicit TFormLicencjaE(core::Platform& platform);

  // True exactly when the dialog closed by "&Next" (modal result yes); the
  // selection stays for the next showing.
  bool AcceptAgreement();
  void RadioButton1Click();

 protected:
  void FormCreate() override;

 private:
  core::Platform& platform_;
};

}  // namespace wizard

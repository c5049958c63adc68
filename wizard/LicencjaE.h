// TFormLicencjaE: the agreement dialog shown by every "Next".
#pragma once

#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace wizard {

extern const forms::FormDef kFormLicencjaEDef;

class TFormLicencjaE : public forms::Form {
 public:
  TFormLicencjaE();

  // True exactly when the dialog closed by "&Next" (modal result yes); the
  // selection stays for the next showing.
  bool AcceptAgreement();
  void RadioButton1Click();

 protected:
  void FormCreate() override;
};

}  // namespace wizard

#include "wizard/LicencjaE.h"

#include "wizard/LicencjaETexts.h"

namespace wizard {

using namespace forms;

TFormLicencjaE::TFormLicencjaE(core::Platform& platform)
    : Form(kFormLicencjaEDef), platform_(platform) {
  OnClick(kRadioButton1, [this] { RadioButton1Click(); });
  OnClick(kRadioButton2, [this] { RadioButton1Click(); });
}

void TFormLicencjaE::FormCreate() { SetText(kMemo1, AgreementText(platform_)); }

bool TFormLicencjaE::AcceptAgreement() { return ShowModal() == mrYes; }

void TFormLicencjaE::RadioButton1Click() {
  SetEnabled(kAgreementBitBtn1, Checked(kRadioButton1));
}

}  // namespace wizard

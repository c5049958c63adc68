#include "wizard/LicencjaE.h"

#include <string>

#include "win32/Resource.h"
#include "wizard/Artwork.h"

namespace wizard {

using namespace forms;

namespace {

const char kMissingText[] = "The licence agreement text is missing.";

// The licence text as stored, up to its first NUL.
std::string AgreementText() {
  const core::Bytes bytes =
      win32::ResourceBytes(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_AGREEMENT));
  if (!bytes.data) return kMissingText;
  const std::string text(reinterpret_cast<const char*>(bytes.data), bytes.size);
  return text.substr(0, text.find('\0'));
}

}  // namespace

TFormLicencjaE::TFormLicencjaE() : Form(kFormLicencjaEDef) {
  OnClick(kRadioButton1, [this] { RadioButton1Click(); });
  OnClick(kRadioButton2, [this] { RadioButton1Click(); });
}

void TFormLicencjaE::FormCreate() { SetText(kMemo1, AgreementText()); }

bool TFormLicencjaE::AcceptAgreement() { return ShowModal() == mrYes; }

void TFormLicencjaE::RadioButton1Click() {
  SetEnabled(kAgreementBitBtn1, Checked(kRadioButton1));
}

}  // namespace wizard

#include "wizard/LicencjaE.h"

#include <string>

#include "wizard/Artwork.h"

namespace wizard {

using namespace forms;

namespace {

const char kMissingText[] = "The licence agreement text is missing.";

// The licence text as stored, up to its first NUL.
std::string AgreementText() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = IDR_AGREEMENT ? FindResourceA(module, MAKEINTRESOURCEA(IDR_AGREEMENT), RT_RCDATA)
                             : nullptr;
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) return kMissingText;
  const std::string text(bytes, SizeofResource(module, info));
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

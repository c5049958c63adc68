// Window classes and control identifiers of the wizard's windows. The
// end-to-end tests find windows and controls by these, so they are stable.
#pragma once

namespace wizard {

// Window class names.
inline constexpr const char kMainWindowClass[] = "TForm2";
inline constexpr const char kShortcutDialogClass[] = "TForm3";
inline constexpr const char kAgreementDialogClass[] = "TFormLicencjaE";
inline constexpr const char kFolderChooserClass[] = "TSelectDirDlg";

// TForm2, the main window.
enum MainControl : int {
  kImage2 = 101,
  kBtnOK = 102,
  kBtnKoniec = 103,
  kBtnDalej = 104,
  kMainGroupBox1 = 105,
  kButton1 = 106,
  kEdit1 = 107,
  kMainPanel1 = 108,
  kImage1 = 109,
  kPanel2 = 110,
  kG1 = 111,  // window text: the percentage shown, e.g. "45%"
  kM1 = 112,  // window text: the lines joined by CR LF
};

// TForm3, the shortcut dialog.
enum ShortcutControl : int {
  kShortcutBitBtn1 = 201,
  kShortcutGroupBox1 = 202,
  kCheckBox1 = 203,
  kCheckBox2 = 204,
  kShortcutBitBtn2 = 205,
};

// TFormLicencjaE, the agreement dialog.
enum AgreementControl : int {
  kMemo1 = 301,
  kAgreementPanel1 = 302,
  kAgreementBitBtn1 = 303,
  kAgreementBitBtn2 = 304,
  kAgreementGroupBox1 = 305,
  kRadioButton1 = 306,
  kRadioButton2 = 307,
};

// The folder chooser.
enum ChooserControl : int {
  kChooserNameLabel = 401,
  kChooserNameEdit = 402,
  kChooserDirLabel = 403,
  kChooserDirList = 404,
  kChooserFileLabel = 405,
  kChooserFileList = 406,
  kChooserDriveLabel = 407,
  kChooserDriveList = 408,
  kChooserOK = 409,
  kChooserCancel = 410,
};

}  // namespace wizard

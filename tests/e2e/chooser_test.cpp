// The folder chooser behind "Browse...", driven through the real installer.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_common.h"
#include "win32/Utf8.h"
#include "wizard/FolderChooserTexts.h"

namespace e2e {
namespace {

using wizard::kFolderChooserClass;
// The confirmation is a dialog of the system's class, laid out like a
// message box, in the program's own words.
constexpr char kQuestionBoxClass[] = "#32770";
constexpr char kPrompt[] = "The specified directory does not exist. Create it?";

struct Chooser {
  explicit Chooser(HWND w)
      : window(w),
        field(Control(w, wizard::kChooserNameEdit)),
        dirs(Control(w, wizard::kChooserDirList)),
        files(Control(w, wizard::kChooserFileList)),
        drives(Control(w, wizard::kChooserDriveList)),
        ok(Control(w, wizard::kChooserOK)),
        cancel(Control(w, wizard::kChooserCancel)) {}
  HWND window, field, dirs, files, drives, ok, cancel;
};

std::vector<std::wstring> WideListTexts(HWND list, UINT countMsg, UINT lenMsg, UINT textMsg) {
  std::vector<std::wstring> out;
  const LRESULT n = SendMessageA(list, countMsg, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT len = SendMessageW(list, lenMsg, i, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(len < 0 ? 0 : len) + 256, L'\0');
    SendMessageW(list, textMsg, i, reinterpret_cast<LPARAM>(wide.data()));
    out.emplace_back(wide.data());
  }
  return out;
}

std::vector<std::string> ListTexts(HWND list, UINT countMsg, UINT lenMsg, UINT textMsg) {
  std::vector<std::string> out;
  for (const std::wstring& wide : WideListTexts(list, countMsg, lenMsg, textMsg)) {
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
    out.emplace_back(text);
  }
  return out;
}

std::vector<std::string> Rows(HWND list) {
  return ListTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int Selected(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

// A double-click on a row, as the mouse gives it.
void DoubleClickRow(HWND list, int row) {
  const int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  const LPARAM at = MAKELPARAM(30, (row - top) * h + h / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// Picks a drive in the drive list as a selection there reports it.
bool ChooseDrive(const Chooser& c, char letter) {
  const auto entries = ListTexts(c.drives, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].empty() || entries[i][0] != letter) continue;
    SendMessageA(c.drives, CB_SETCURSEL, i, 0);
    PostMessageA(c.window, WM_COMMAND, MAKEWPARAM(wizard::kChooserDriveList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c.drives));
    return true;
  }
  return false;
}

class ChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = targets_.path();
    ASSERT_TRUE(MakeDirs(root_));
    session_ = std::make_unique<Session>();
    ASSERT_TRUE(session_->Up());
    inst_ = &session_->inst;
    main_ = session_->window;
    edit1_ = session_->m.edit1;
  }
  // The installer ends before its folders are removed.
  void TearDown() override { session_.reset(); }

  // Sets the target folder, presses "Browse..." and waits for the chooser.
  HWND Browse(const std::string& target) {
    SetText(edit1_, target);
    Click(Control(main_, wizard::kButton1));
    HWND w = inst_->WaitWindow(kFolderChooserClass);
    if (w) Settle(w);
    return w;
  }

  // Presses "OK" and waits for the confirmation box.
  HWND OkAndConfirm(const Chooser& c) {
    Click(c.ok);
    HWND box = inst_->WaitWindow(kQuestionBoxClass, kStepTimeoutMs);
    if (box) Settle(box);
    return box;
  }

  TargetRoot targets_;
  std::string root_;
  std::unique_ptr<Session> session_;
  const Installer* inst_ = nullptr;
  HWND main_ = nullptr, edit1_ = nullptr;
};

TEST_F(ChooserTest, OpensOnAnExistingTarget) {
  const std::string target = root_ + "\\Vorlen";
  for (const char* sub : {"\\Beta", "\\alpha", "\\hidden", "\\system"})
    ASSERT_TRUE(MakeDirs(target + sub));
  SetFileAttributesA((target + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((target + "\\system").c_str(), FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(WriteBytes(target + "\\readme.txt", "x"));

  HWND w = Browse(target);
  ASSERT_NE(w, nullptr) << "no chooser";
  Chooser c(w);
  EXPECT_EQ(Text(w), "Select Directory");
  const SIZE client = ClientSize(w);
  EXPECT_EQ(client.cx, 424);
  EXPECT_EQ(client.cy, 255);
  EXPECT_FALSE(Enabled(main_)) << "the chooser is modal";
  EXPECT_EQ(WaitText(c.field, target), target);
  EXPECT_TRUE(WaitFor([&] { return Focused(w) == c.dirs; }, 5000)) << "folder list not focused";
  EXPECT_EQ(SendMessageA(c.dirs, LB_GETITEMHEIGHT, 0, 0), 17);

  // Root, each folder on the way, the target selected, its visible sub-folders.
  std::vector<std::string> expected{"C:\\", "e2e-targets",
                                    root_.substr(root_.rfind('\\') + 1), "Vorlen", "alpha",
                                    "Beta"};
  EXPECT_EQ(Rows(c.dirs), expected);
  EXPECT_EQ(Selected(c.dirs), 3);
  EXPECT_EQ(Rows(c.files), std::vector<std::string>{"readme.txt"});
  const auto drives = ListTexts(c.drives, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
  const LRESULT drive = SendMessageA(c.drives, CB_GETCURSEL, 0, 0);
  ASSERT_GE(drive, 0);
  EXPECT_EQ(drives[drive].substr(0, 4), "c: [");
  EXPECT_EQ(Text(c.ok), "OK");
  EXPECT_EQ(Text(c.cancel), "Cancel");
}

TEST_F(ChooserTest, MissingTargetOpensOnTheSystemDrivesRoot) {
  HWND w = Browse(root_ + "\\not\\there");
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  EXPECT_EQ(WaitText(c.field, "C:\\"), "C:\\");
  const auto rows = Rows(c.dirs);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "C:\\");
  EXPECT_EQ(Selected(c.dirs), 0);
}

TEST_F(ChooserTest, DoubleClickAndDriveChoiceOverwriteTheField) {
  const std::string target = root_ + "\\a";
  ASSERT_TRUE(MakeDirs(target + "\\b"));
  HWND w = Browse(target);
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  ASSERT_EQ(WaitText(c.field, target), target);
  const int current = Selected(c.dirs);

  SetText(c.field, "typed and lost");
  DoubleClickRow(c.dirs, current + 1);  // the sub-folder b
  EXPECT_EQ(WaitText(c.field, target + "\\b"), target + "\\b");
  EXPECT_EQ(Rows(c.dirs).back(), "b");
  DWORD start = 0, end = 0;
  SendMessageA(c.field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, (target + "\\b").size()) << "the new path is selected";

  DoubleClickRow(c.dirs, 0);  // the drive root
  EXPECT_EQ(WaitText(c.field, "C:\\"), "C:\\");
  EXPECT_EQ(Selected(c.dirs), 0);

  // Z:, the prefix's view of the Unix root, has never been visited: its root.
  ASSERT_TRUE(ChooseDrive(c, 'z'))
      << "no drive z: in "
      << JoinCrLf(ListTexts(c.drives, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT));
  EXPECT_EQ(WaitText(c.field, "Z:\\"), "Z:\\");
  ASSERT_FALSE(Rows(c.dirs).empty());
  EXPECT_EQ(Rows(c.dirs)[0], "Z:\\");
  EXPECT_EQ(Selected(c.dirs), 0);
  // Back on C: at the folder left there.
  ASSERT_TRUE(ChooseDrive(c, 'c'));
  EXPECT_EQ(WaitText(c.field, "C:\\"), "C:\\");

  Click(c.cancel);
  ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
  Settle(main_);
  EXPECT_EQ(Text(edit1_), target);
}

TEST_F(ChooserTest, NewFolderConfirmedWithYesIsCreatedAtOnce) {
  const std::string chosen = root_ + "\\New Place\\Deeper";
  HWND w = Browse(root_);
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  SetText(c.field, chosen);
  HWND box = OkAndConfirm(c);
  ASSERT_NE(box, nullptr) << "no confirmation";
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.title, "Confirm");
  EXPECT_EQ(info.text, kPrompt);
  EXPECT_EQ(info.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(AccessibleName(GetDlgItem(box, 0xFFFF)), kPrompt) << "what a screen reader reads";
  EXPECT_FALSE(DirExists(chosen)) << "created before the answer";
  PressMessageBoxButton(box, IDYES);
  ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
  Settle(main_);
  EXPECT_TRUE(DirExists(chosen));
  EXPECT_EQ(Text(edit1_), chosen);
  EXPECT_TRUE(Enabled(main_));
}

TEST_F(ChooserTest, AnyAnswerButYesKeepsTheChooserOpen) {
  const std::string chosen = root_ + "\\Declined";
  HWND w = Browse(root_);
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  SetText(c.field, chosen);
  for (WORD answer : {static_cast<WORD>(IDNO), static_cast<WORD>(VK_ESCAPE)}) {
    SCOPED_TRACE(answer == IDNO ? "No" : "Esc");
    HWND box = OkAndConfirm(c);
    ASSERT_NE(box, nullptr);
    if (answer == IDNO)
      PressMessageBoxButton(box, IDNO);
    else
      PressKey(box, VK_ESCAPE);
    ASSERT_TRUE(inst_->WaitNoWindow(kQuestionBoxClass, kStepTimeoutMs));
    Settle(w);
    EXPECT_NE(inst_->FindTop(kFolderChooserClass), nullptr);
    EXPECT_EQ(Text(c.field), chosen);
    EXPECT_FALSE(DirExists(chosen));
  }
  PressKey(w, VK_ESCAPE);
  ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
  Settle(main_);
  EXPECT_EQ(Text(edit1_), root_);
}

TEST_F(ChooserTest, EnterOnAnExistingFolderClosesWithoutAsking) {
  const std::string other = root_ + "\\Existing";
  ASSERT_TRUE(MakeDirs(other));
  HWND w = Browse(root_);
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  SetText(c.field, other);
  ASSERT_TRUE(WaitFor([&] { return Focused(w) == c.dirs; }, 5000));
  PressKey(w, VK_RETURN);  // in the folder list: presses "OK"
  ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
  EXPECT_EQ(inst_->FindTop(kQuestionBoxClass), nullptr);
  Settle(main_);
  EXPECT_EQ(Text(edit1_), other);
}

TEST_F(ChooserTest, CancelEscAndCloseBoxChangeNothing) {
  const std::string target = root_;
  const char* ways[] = {"Cancel", "Esc", "close box"};
  for (const char* way : ways) {
    SCOPED_TRACE(way);
    HWND w = Browse(target);
    ASSERT_NE(w, nullptr);
    Chooser c(w);
    SetText(c.field, root_ + "\\Never");
    if (way == ways[0]) Click(c.cancel);
    if (way == ways[1]) PressKey(w, VK_ESCAPE);
    if (way == ways[2]) CloseBox(w);
    ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
    Settle(main_);
    EXPECT_EQ(Text(edit1_), target);
    EXPECT_FALSE(DirExists(root_ + "\\Never"));
    EXPECT_TRUE(Enabled(main_));
  }
}

// Text typed in the field names a folder relative to the folder the chooser
// shows; the target becomes that folder's full path, as the system spells it.
TEST_F(ChooserTest, TypedTextBecomesTheFullPathOfTheFolder) {
  ASSERT_TRUE(MakeDirs(root_ + "\\Existing"));
  const struct {
    const char* typed;
    std::string folder;
    bool asks;  // whether the folder is new
  } cases[] = {
      {".\\KORVAN", root_ + "\\KORVAN", true},
      {"NewDir", root_ + "\\NewDir", true},
      {".\\Dotted.", root_ + "\\Dotted", true},
      {"Existing", root_ + "\\Existing", false},
      {".", root_, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    HWND w = Browse(root_);
    ASSERT_NE(w, nullptr);
    Chooser ch(w);
    ASSERT_EQ(WaitText(ch.field, root_), root_);
    SetText(ch.field, c.typed);
    if (c.asks) {
      HWND box = OkAndConfirm(ch);
      ASSERT_NE(box, nullptr) << "no confirmation";
      PressMessageBoxButton(box, IDYES);
    } else {
      Click(ch.ok);
    }
    ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
    Settle(main_);
    EXPECT_EQ(inst_->FindTop(kMessageBoxClass), nullptr);
    EXPECT_EQ(Text(edit1_), c.folder);
    EXPECT_TRUE(DirExists(c.folder));
  }
}

// The target stays text of the ANSI code page: a folder named outside it is
// listed as it is, but refused at once wherever it is chosen (typed in the
// field, or double-clicked in the list), in the name's own characters; the
// chooser stays open where it was and nothing gets a look-alike name.
TEST_F(ChooserTest, NameOutsideTheCodePageIsListedButRefused) {
  const std::wstring name = L"Gy\u0151z\u0151";
  const std::wstring folder = std::wstring(root_.begin(), root_.end()) + L"\\" + name;
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  auto wideText = [](HWND h) {
    wchar_t text[512] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &got);
    return std::wstring(text);
  };
  for (const bool typed : {true, false}) {
    SCOPED_TRACE(typed ? "typed" : "double-clicked");
    HWND w = Browse(root_);
    ASSERT_NE(w, nullptr);
    Chooser c(w);
    ASSERT_EQ(WaitText(c.field, root_), root_);
    const auto rows = WideListTexts(c.dirs, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    ASSERT_EQ(rows.back(), name) << "not listed as it is";
    if (typed) {
      DWORD_PTR done = 0;
      SendMessageTimeoutW(c.field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()),
                          SMTO_NORMAL, 5000, &done);
      ASSERT_EQ(wideText(c.field), folder) << "the field lost a character";
      Click(c.ok);
    } else {
      DoubleClickRow(c.dirs, static_cast<int>(rows.size()) - 1);
    }
    HWND box = inst_->WaitWindow(kMessageBoxClass, kStepTimeoutMs);
    ASSERT_NE(box, nullptr) << "no refusal";
    Settle(box);
    EXPECT_EQ(Text(box), "Error");
    EXPECT_EQ(wideText(GetDlgItem(box, 0xFFFF)),
              win32::Utf16(wizard::OutsideCodePageMessage(win32::Utf8(folder.c_str()))).data());
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(box); }, kStepTimeoutMs));
    Settle(w);
    EXPECT_NE(inst_->FindTop(kFolderChooserClass), nullptr) << "the chooser stays open";
    EXPECT_EQ(wideText(c.field), typed ? folder : std::wstring(root_.begin(), root_.end()));
    EXPECT_EQ(WideListTexts(c.dirs, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT), rows);
    EXPECT_FALSE(DirExists(root_ + "\\Gyozo")) << "created under a look-alike name";
    PressKey(w, VK_ESCAPE);
    ASSERT_TRUE(inst_->WaitNoWindow(kFolderChooserClass, kStepTimeoutMs));
  }
}

TEST_F(ChooserTest, EmptiedFieldConfirmedGivesTheErrorBox) {
  HWND w = Browse(root_);
  ASSERT_NE(w, nullptr);
  Chooser c(w);
  SetText(c.field, "");
  HWND confirm = OkAndConfirm(c);
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(ReadMessageBox(confirm).title, "Confirm");
  PressMessageBoxButton(confirm, IDYES);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(confirm); }, kStepTimeoutMs));

  HWND box = inst_->WaitWindow(kMessageBoxClass, kStepTimeoutMs);
  ASSERT_NE(box, nullptr) << "no error box";
  Settle(box);
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.title, "_setup");
  EXPECT_EQ(info.text, "Unable to create directory.");
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  PressMessageBoxButton(box, IDOK);
  ASSERT_TRUE(inst_->WaitNoWindow(kMessageBoxClass, kStepTimeoutMs));
  Settle(main_);
  EXPECT_EQ(inst_->FindTop(kFolderChooserClass), nullptr);
  EXPECT_EQ(Text(edit1_), root_);
}

}  // namespace
}  // namespace e2e

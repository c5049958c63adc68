// End-to-end tests of the installation run: the files, the registry value,
// the shortcuts and every way a run can fail.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/e2e_common.h"

namespace e2e {
namespace {

class Install : public ::testing::Test {
 protected:
  void SetUp() override { RemoveLinks(); }
  void TearDown() override {
    RemoveLinks();
    for (const std::string& t : registered_) DeleteLocale(t + "\\pultix.exe");
  }
  // Remembers a target whose registry value the test may leave.
  std::string Target(const std::string& path) {
    registered_.push_back(path);
    return path;
  }
  TargetRoot root_;
  std::vector<std::string> registered_;
};

enum class Leave { kEnterOnYes, kClickNo, kEsc, kCloseBox, kClickYes };

// A fresh installation, then installations over it, each leaving the
// shortcut dialog another way.
TEST_F(Install, FreshThenAgainWithEachShortcutChoice) {
  const std::string target = Target(root_.path() + "\\Vorlen\\nested\\KORVAN");
  const struct {
    const char* run;
    Leave leave;
    bool desktop, startMenu;  // boxes ticked when leaving
    bool desktopLink, startMenuLink;
  } runs[] = {
      {"fresh, Enter on \"Yes\" with both boxes", Leave::kEnterOnYes, true, true, true, true},
      {"again, \"No\"", Leave::kClickNo, true, true, false, false},
      {"again, Esc", Leave::kEsc, true, true, false, false},
      {"again, close box", Leave::kCloseBox, true, true, false, false},
      {"again, \"Yes\" with only \"in Menu Start\"", Leave::kClickYes, false, true, false, true},
      {"again, \"Yes\" with both boxes cleared", Leave::kClickYes, false, false, false, false},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.run);
    RemoveLinks();
    // An earlier file longer than its replacement must not keep its tail.
    if (DirExists(target)) {
      ASSERT_TRUE(WriteBytes(target + "\\Zeta5.def", std::string(100000, 'z')));
    }
    const Session session;
    ASSERT_NO_FATAL_FAILURE(session.RunOn(target));
    const Installer* inst = &session.inst;
    const HWND w = session.window;
    const MainWindow& m = session.m;

    HWND s = inst->FindTop(kShortcutDialogClass);
    ASSERT_NE(s, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
    EXPECT_EQ(Text(m.m1), RunText(core::kInstallSucceeded));
    EXPECT_TRUE(Visible(m.g1)) << "G1";
    EXPECT_EQ(Text(m.g1), "100%");
    ExpectInstalledFiles(target);
    ExpectRegistered(target);

    ShortcutDialog sd(s);
    Settle(s);
    EXPECT_EQ(Text(s), "Shorcut");
    const SIZE client = ClientSize(s);
    EXPECT_EQ(client.cx, 221);
    EXPECT_EQ(client.cy, 88);
    EXPECT_EQ(Text(sd.groupBox1), "Create shortcut to program:");
    EXPECT_EQ(Text(sd.desktop), "on desktop");
    EXPECT_EQ(Text(sd.startMenu), "in Menu Start");
    EXPECT_EQ(Text(sd.yes), "Yes");
    EXPECT_EQ(Text(sd.no), "No");
    EXPECT_EQ(CheckState(sd.desktop), BST_CHECKED);
    EXPECT_EQ(CheckState(sd.startMenu), BST_CHECKED);
    EXPECT_EQ(Focused(s), sd.yes) << "\"Yes\" has the focus";

    if (!r.desktop) Click(sd.desktop);
    if (!r.startMenu) Click(sd.startMenu);
    Settle(s);
    EXPECT_EQ(CheckState(sd.desktop), r.desktop ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(CheckState(sd.startMenu), r.startMenu ? BST_CHECKED : BST_UNCHECKED);
    switch (r.leave) {
      case Leave::kEnterOnYes: PressKey(s, VK_RETURN); break;
      case Leave::kClickNo: Click(sd.no); break;
      case Leave::kEsc: PressKey(s, VK_ESCAPE); break;
      case Leave::kCloseBox: CloseBox(s); break;
      case Leave::kClickYes: Click(sd.yes); break;
    }
    ASSERT_TRUE(inst->WaitNoWindow(kShortcutDialogClass, kStepTimeoutMs))
        << "the dialog stays open";
    Settle(w);
    EXPECT_EQ(inst->FindTop(kMessageBoxClass), nullptr) << "an error box appeared";
    if (r.desktopLink) {
      ExpectLink(DesktopLink(), target);
    } else {
      EXPECT_FALSE(FileExists(DesktopLink())) << "desktop link";
    }
    if (r.startMenuLink) {
      ExpectLink(StartMenuLink(), target);
    } else {
      EXPECT_FALSE(FileExists(StartMenuLink())) << "Start menu link";
    }
    ExpectFinalButtons(m, true);
    EXPECT_EQ(Focused(w), m.btnOK) << "the outcome's button has the focus";
    EXPECT_EQ(Text(m.m1), RunText(core::kInstallSucceeded));
    // Esc belongs to the hidden cancel button now.
    PressKey(w, VK_ESCAPE);
    Settle(w);
    EXPECT_TRUE(inst->Running()) << "Esc closed the installed window";

    Click(m.btnOK);
    EXPECT_TRUE(inst->WaitExit(kStepTimeoutMs)) << "\"OK\" does not end the program";
  }
}

// ---- what a screen reader hears ----

// A screen reader as the system's progress-bar proxy asks: at each change it
// hears of, five questions, each waiting at most kAnswerMs for its answer.
constexpr UINT kAnswerMs = 50;
struct Reader {
  HWND gauge = nullptr, next = nullptr;
  int changes = 0;     // value changes the gauge announced
  int unanswered = 0;  // questions without an answer within kAnswerMs
  int notProgressBar = 0;
  std::vector<LRESULT> positions;
  bool clicked = false;
} reader;

VOID CALLBACK AskAtValueChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD,
                               DWORD) {
  if (hwnd != reader.gauge || object != OBJID_CLIENT || child != CHILDID_SELF) return;
  ++reader.changes;
  auto ask = [](UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = ~DWORD_PTR{0};
    if (!SendMessageTimeoutA(reader.gauge, msg, wParam, lParam, SMTO_NORMAL, kAnswerMs, &answer))
      ++reader.unanswered;
    return static_cast<LRESULT>(answer);
  };
  ask(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  const LRESULT answers[] = {ask(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)),
                             ask(PBM_GETRANGE, TRUE, 0), ask(PBM_GETRANGE, FALSE, 0)};
  reader.notProgressBar += answers[0] != 65536 + 13 || answers[1] != 0 || answers[2] != 100;
  reader.positions.push_back(ask(PBM_GETPOS, 0, 0));
  // A click sent from outside while the run answers must not start a
  // second run (its agreement dialog would hold this one up).
  if (!reader.clicked && reader.positions.back() > 0) {
    reader.clicked = true;
    SendMessageTimeoutA(reader.next, BM_CLICK, 0, 0, SMTO_NORMAL, 20000, nullptr);
  }
}

// A screen reader is running for the test's length (the system's flag).
struct ScreenReaderOn {
  ScreenReaderOn() {
    SystemParametersInfoA(SPI_GETSCREENREADER, 0, &was, 0);
    EXPECT_TRUE(SystemParametersInfoA(SPI_SETSCREENREADER, TRUE, nullptr, 0));
  }
  ~ScreenReaderOn() { SystemParametersInfoA(SPI_SETSCREENREADER, was, nullptr, 0); }
  BOOL was = FALSE;
};

// While the files are copied the gauge announces each change and, with a
// screen reader running, answers every question the reader asks about it
// (from another process, each question waiting for its answer) as a
// progress bar at the percentage shown; after the run the focus is on the
// button that names the outcome, and Enter presses it.
TEST_F(Install, ScreenReaderFollowsTheCopyingAndHearsTheOutcome) {
  const ScreenReaderOn screenReader;
  const Session s(kManyFilesInstaller);
  ASSERT_TRUE(s.Up());
  s.SetTarget(Target(root_.path() + "\\KORVAN"));
  HWND d = s.OpenAgreement();
  ASSERT_NE(d, nullptr);
  AgreementDialog a(d);
  Click(a.accept);
  ASSERT_TRUE(WaitFor([&] { return Enabled(a.next); }, 5000));
  reader = Reader{};
  reader.gauge = s.m.g1;
  reader.next = s.m.btnDalej;
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                      &AskAtValueChange, s.inst.pid(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  Click(a.next);
  // The events arrive as messages of this thread.
  HWND shortcuts = nullptr;
  for (const DWORD end = GetTickCount() + 60000; !shortcuts && GetTickCount() < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    shortcuts = s.inst.FindTop(kShortcutDialogClass);
  }
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  UnhookWinEvent(hook);
  ASSERT_NE(shortcuts, nullptr) << "the run did not end; M1: " << Text(s.m.m1);

  const size_t files = ShippedFiles().size() + 200;
  std::set<LRESULT> shown;  // every percentage the run shows
  for (size_t k = 0; k <= files; ++k) shown.insert(static_cast<LRESULT>(100 * k / files));
  const std::vector<LRESULT>& positions = reader.positions;
  EXPECT_EQ(reader.changes, static_cast<int>(shown.size()) - 1) << "one announcement per change";
  EXPECT_EQ(reader.unanswered, 0) << "of " << 5 * reader.changes << " questions";
  EXPECT_EQ(reader.notProgressBar, 0) << "not the progress bar's class index and range";
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << "went back";
  EXPECT_TRUE(std::all_of(positions.begin(), positions.end(),
                          [&](LRESULT p) { return shown.count(p) > 0; }));
  EXPECT_TRUE(std::any_of(positions.begin(), positions.end(),
                          [](LRESULT p) { return p > 0 && p < 100; }))
      << "never answered while copying";
  EXPECT_EQ(AccessibleName(s.m.g1), "100%");
  EXPECT_EQ(AccessibleName(s.m.groupBox1), "Target folder:") << "a drawn group box's caption";

  Click(ShortcutDialog(shortcuts).no);
  ASSERT_TRUE(s.inst.WaitNoWindow(kShortcutDialogClass, kStepTimeoutMs));
  Settle(s.window);
  EXPECT_EQ(Focused(s.window), s.m.btnOK);
  EXPECT_EQ(AccessibleName(Focused(s.window)), "OK");
  PressKey(s.window, VK_RETURN);
  EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs)) << "Enter on \"OK\" does not end the program";
}

// Broken payloads stop the copying at their bad line; the last failing step
// names the failure. COM9 of the prefix is mapped by the fixture
// e2e_drive_root to a plain file, so a write to the device would be seen.
TEST_F(Install, BrokenPayloadStopsAtItsLine) {
  const std::string device = std::string(kWorkDir) + "\\device-com9";
  // The device case means something only if what goes to COM9 arrives in the file.
  std::string seen;
  ASSERT_TRUE(WriteBytes("\\\\.\\COM9", "probe") && ReadBytes(device, &seen) && seen == "probe")
      << "COM9 is not mapped (the fixture e2e_drive_root does that)";
  ASSERT_TRUE(WriteBytes(device, ""));
  const struct {
    const char* what;
    const char* installer;
    core::InstallResult outcome;
    const char* gauge;  // files written before the bad line, of three
    const char* present;
    const char* absent;
  } cases[] = {
      {"missing pultix.hu", kMissingHuInstaller, core::kInstallLanguageFailed, "33%", "Pultix.exe",
       "Logbix.dll"},
      {"device name COM9.txt", kDeviceNameInstaller, core::kInstallCopyingFailed, "66%",
       "Logbix.dll", "pultix.hu"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.what);
    const std::string target = Target(root_.path() + "\\" + std::to_string(i) + "\\KORVAN");
    const Session s(c.installer);
    ASSERT_NO_FATAL_FAILURE(s.RunOn(target));
    const MainWindow& m = s.m;

    EXPECT_EQ(Text(m.m1), RunText(c.outcome));
    EXPECT_EQ(s.inst.FindTop(kShortcutDialogClass), nullptr) << "no shortcuts after failure";
    ExpectFinalButtons(m, false);
    EXPECT_EQ(Focused(m.window), m.btnKoniec) << "\"Exit\" has the focus";
    EXPECT_EQ(Text(m.g1), c.gauge);
    EXPECT_TRUE(FileExists(target + "\\" + c.present));
    EXPECT_FALSE(FileExists(target + "\\" + c.absent));
    EXPECT_TRUE(ReadBytes(device, &seen) && seen.empty()) << "written to the device: " << seen;
    ExpectRegistered(target);

    Click(m.btnKoniec);
    EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs)) << "\"Exit\" does not end the program";
  }
}

// A payload file that cannot be written stops the copying and keeps its
// earlier bytes: read-only, held open without sharing, or a folder of that
// name. The earlier modules stay unless their replacements were extracted,
// so the installed program still starts.
TEST_F(Install, UnwritableFileInTargetReportsCopying) {
  enum class Block { kReadOnly, kHeldOpen, kFolder };
  const core::InstallResult copying = core::kInstallCopyingFailed;
  const core::InstallResult language = core::kInstallLanguageFailed;
  const struct {
    const char* how;
    const char* blocked;
    Block block;
    core::InstallResult outcome;
    const char* gauge;
    const char* lastWritten;
    const char* firstNotWritten;
    bool modulesReplaced;
  } cases[] = {
      {"Zeta3.def read-only", "Zeta3.def", Block::kReadOnly, copying, "72%", "Zeta2.def",
       "Zeta4.def", true},
      {"Zeta3.def held open without sharing", "Zeta3.def", Block::kHeldOpen, copying, "72%",
       "Zeta2.def", "Zeta4.def", true},
      {"a folder named Zeta3.def", "Zeta3.def", Block::kFolder, copying, "72%", "Zeta2.def",
       "Zeta4.def", true},
      {"PULTIX.HLP held open without sharing", "PULTIX.HLP", Block::kHeldOpen, language, "18%",
       "Pultix.exe", "pultix.hu", false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.how);
    const std::string target = Target(root_.path() + "\\" + std::to_string(i) + "\\KORVAN");
    ASSERT_TRUE(MakeDirs(target));
    // The modules of an earlier installation.
    ASSERT_TRUE(WriteBytes(target + "\\pultix.dll", "earlier pultix.dll"));
    ASSERT_TRUE(WriteBytes(target + "\\Logbix.dll", "earlier Logbix.dll"));
    const std::string blocked = target + "\\" + c.blocked;
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.block == Block::kFolder) {
      ASSERT_TRUE(MakeDirs(blocked));
    } else {
      ASSERT_TRUE(WriteBytes(blocked, "old"));
    }
    if (c.block == Block::kHeldOpen) {
      held = CreateFileA(blocked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    if (c.block == Block::kReadOnly) {
      ASSERT_TRUE(SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_READONLY));
      HANDLE probe = CreateFileA(blocked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
      if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
      ASSERT_EQ(probe, INVALID_HANDLE_VALUE)
          << "a read-only file opens for writing: is Wine running as root?";
    }

    const Session s;
    s.RunOn(target);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (HasFatalFailure()) return;
    const MainWindow& m = s.m;

    EXPECT_EQ(Text(m.m1), RunText(c.outcome));
    EXPECT_EQ(s.inst.FindTop(kShortcutDialogClass), nullptr);
    ExpectFinalButtons(m, false);
    EXPECT_EQ(Text(m.g1), c.gauge);
    if (c.block == Block::kFolder) {
      EXPECT_TRUE(DirExists(blocked));
    } else {
      std::string old;
      EXPECT_TRUE(ReadBytes(blocked, &old) && old == "old") << "the blocked file was changed";
    }
    EXPECT_TRUE(FileExists(target + "\\" + c.lastWritten));
    EXPECT_FALSE(FileExists(target + "\\" + c.firstNotWritten)) << "later files are not written";
    EXPECT_FALSE(FileExists(target + "\\file.lst")) << "the manifest is deleted after a failure too";
    // Renames run after a failed copy; without a replacement the earlier
    // module stays byte for byte.
    const struct {
      const char* installed;
      const char* payload;
    } modules[] = {{"pultix.dll", "pultix.hu"}, {"Logbix.dll", "Logbix.HU"}};
    for (const auto& module : modules) {
      std::string want = std::string("earlier ") + module.installed, got;
      if (c.modulesReplaced) {
        ASSERT_TRUE(ReadBytes(support::PayloadPath(module.payload), &want));
      }
      EXPECT_TRUE(ReadBytes(target + "\\" + module.installed, &got) && got == want)
          << module.installed;
    }
    for (const std::string& name : ListFiles(target))
      EXPECT_EQ(name.find(".~setup"), std::string::npos) << "partial file " << name;
    ExpectRegistered(target);

    Click(m.btnKoniec);
    EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs)) << "\"Exit\" does not end the program";
  }
}

// A name at a partial file's place that the run did not create: a link
// planted by another account before the run or while it copies (the slow
// installer's Zeta1.def of 200 MB gives the time), or a killed run's
// read-only leftover. A link is neither written through nor deleted: the
// file it names stays byte for byte and Zeta5.def fails. The leftover goes.
TEST_F(Install, NamesAtPartialFilesOfSomeoneElse) {
  enum class Plant { kReadOnlyLeftover, kHardLink, kSymbolicLink };
  const struct {
    const char* what;
    Plant plant;
    bool whileCopying;
  } cases[] = {
      {"read-only leftover", Plant::kReadOnlyLeftover, false},
      {"hard link before the run", Plant::kHardLink, false},
      {"symbolic link before the run", Plant::kSymbolicLink, false},
      {"hard link while the run copies", Plant::kHardLink, true},
      {"symbolic link while the run copies", Plant::kSymbolicLink, true},
  };
  const std::string own = "the user's own file, outside the target";
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.what);
    const std::string base = root_.path() + "\\" + std::to_string(i);
    const std::string target = Target(base + "\\KORVAN"), victim = base + "\\own.txt";
    const std::string partial = target + "\\Zeta5.def.~setup";
    ASSERT_TRUE(MakeDirs(target));
    ASSERT_TRUE(WriteBytes(victim, own));
    const auto plant = [&] {
      switch (c.plant) {
        case Plant::kReadOnlyLeftover:
          return WriteBytes(partial, "cut") &&
                 SetFileAttributesA(partial.c_str(), FILE_ATTRIBUTE_READONLY);
        case Plant::kHardLink: return CreateHardLinkA(partial.c_str(), victim.c_str(), nullptr) != 0;
        case Plant::kSymbolicLink: return MakeSymbolicLink(partial, victim);
      }
      return false;
    };
    bool planted = false;
    if (!c.whileCopying) {
      ASSERT_TRUE(planted = plant());
    }
    const Session s(c.whileCopying ? kBigZeta1Installer : kShippedInstaller);
    s.RunOn(target, [&] {
      if (!c.whileCopying) return;
      // Zeta1.def's own cleanup is over once its partial file is there.
      ASSERT_TRUE(WaitFor([&] { return FileExists(target + "\\Zeta1.def.~setup"); }, 20000, 1));
      ASSERT_TRUE(planted = plant());
      EXPECT_FALSE(FileExists(target + "\\Zeta2.def")) << "planted after the run was past Zeta1.def";
    });
    if (planted && c.plant != Plant::kReadOnlyLeftover) {
      EXPECT_EQ(ReadAll(partial), own) << "the planted name does not lead to the file";
    }
    if (HasFatalFailure()) break;
    const MainWindow& m = s.m;
    EXPECT_EQ(ReadAll(victim), own) << "the file outside was changed";
    if (c.plant == Plant::kReadOnlyLeftover) {
      EXPECT_EQ(Text(m.m1), RunText(core::kInstallSucceeded));
      ExpectInstalledFiles(target);
    } else {
      EXPECT_EQ(Text(m.m1), RunText(core::kInstallCopyingFailed));
      EXPECT_TRUE(FileExists(target + "\\Zeta4.def"));
      EXPECT_FALSE(FileExists(target + "\\Zeta5.def"));
    }
    if (c.plant == Plant::kSymbolicLink) {
      EXPECT_TRUE(RemoveSymbolicLink(partial));
    }
  }
}

// The longest target folder the final names allow: the longest name's path
// has 259 characters, its partial file's more.
TEST_F(Install, LongestTargetFolderInstallsEveryFile) {
  size_t longest = 0;
  for (const std::string& name : ShippedFiles()) longest = std::max(longest, name.size());
  const std::string prefix = root_.path() + "\\";
  const std::string target = Target(prefix + std::string(259 - 1 - longest - prefix.size(), 'L'));
  ASSERT_TRUE(MakeDirs(root_.path()));
  // CreateDirectoryA stops at 247 characters: made by the long form.
  std::vector<wchar_t> wide(L"\\\\?\\", L"\\\\?\\" + 4);
  wide.insert(wide.end(), target.begin(), target.end());
  wide.push_back(L'\0');
  ASSERT_TRUE(CreateDirectoryW(wide.data(), nullptr));
  const Session s;
  ASSERT_NO_FATAL_FAILURE(s.InstallAnsweringShortcuts(target, false));
  EXPECT_EQ(Text(s.m.m1), RunText(core::kInstallSucceeded));
  ExpectInstalledFiles(target);
  Click(s.m.btnOK);
  EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs));
}

// S: is a file system of 512 KB, mounted by the fixture e2e_small_disk. The
// second payload's Zeta3.def does not fit: the disk fills up while it is
// written, and the first run's Zeta3.def must stay whole.
TEST_F(Install, FullDiskOnReinstallKeepsTheEarlierFile) {
  ASSERT_TRUE(DirExists("S:\\")) << "S: is not mapped (the fixture e2e_small_disk does that)";
  const std::string target = Target("S:\\KORVAN");
  RemoveTree(target);
  const struct {
    const char* installer;
    core::InstallResult outcome;
  } runs[] = {
      {kShippedInstaller, core::kInstallSucceeded},
      {kBigZeta3Installer, core::kInstallCopyingFailed},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.installer);
    const Session s(r.installer);
    ASSERT_NO_FATAL_FAILURE(s.RunOn(target));
    const MainWindow& m = s.m;
    if (!core::Succeeded(r.outcome)) {
      EXPECT_EQ(Text(m.m1), RunText(r.outcome));
      Click(m.btnKoniec);
    } else {
      HWND sd = s.inst.FindTop(kShortcutDialogClass);
      ASSERT_NE(sd, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
      Click(ShortcutDialog(sd).no);
      ASSERT_TRUE(s.inst.WaitNoWindow(kShortcutDialogClass, kStepTimeoutMs));
      Click(m.btnOK);
    }
    EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs));
    // Every file of the first run, Zeta3.def whole, and no scrap.
    ExpectInstalledFiles(target);
  }
  RemoveTree(target);
}

// Deletes the files in a drive root; the root itself must stay.
void ClearRoot(const std::string& root) {
  for (const std::string& name : ListFiles(root)) DeleteFileA((root + name).c_str());
}

// R: is mapped by the CTest fixture e2e_drive_root to an empty folder.
TEST_F(Install, DriveRootTargetRegistersWithOneBackslash) {
  const std::string root = "R:\\";
  ASSERT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED))
      << "R: is not mapped (the fixture e2e_drive_root does that)";
  ClearRoot(root);
  // Either form of the value name is removed afterwards.
  Target("R:");
  Target("R:\\");
  const Session s;
  ASSERT_NO_FATAL_FAILURE(s.InstallAnsweringShortcuts(root, false));

  DWORD type = 0;
  std::string data;
  EXPECT_TRUE(ReadLocale("R:\\pultix.exe", &type, &data) && data == "DLL")
      << "no value R:\\pultix.exe";
  EXPECT_FALSE(ReadLocale("R:\\\\pultix.exe", &type, &data)) << "doubled backslash";
  EXPECT_TRUE(FileExists("R:\\pultix.dll"));
  EXPECT_TRUE(FileExists("R:\\Zeta5.def"));
  EXPECT_FALSE(FileExists("R:\\file.lst"));
  Click(s.m.btnOK);
  EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs));
  ClearRoot(root);
}

// The installed program finds its registry value by its own full long path;
// a short or dotted target text is registered and linked in that form.
TEST_F(Install, ShortOrDottedTargetRegistersAndLinksTheLongPath) {
  const std::string folder = Target(root_.path() + "\\Long Folder Name\\KORVAN");
  ASSERT_TRUE(MakeDirs(folder));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), folder) << "no short name to test with";
  for (const std::string& typed : {std::string(shortName), folder + "."}) {
    SCOPED_TRACE(typed);
    RemoveLinks();
    DeleteLocale(folder + "\\pultix.exe");
    const Session s;
    ASSERT_NO_FATAL_FAILURE(s.InstallAnsweringShortcuts(typed, true));
    EXPECT_EQ(s.inst.FindTop(kMessageBoxClass), nullptr) << "an error box appeared";
    ExpectRegistered(folder);
    DWORD type = 0;
    std::string data;
    EXPECT_FALSE(ReadLocale(typed + "\\pultix.exe", &type, &data)) << "a name never looked up";
    ExpectLink(DesktopLink(), folder);
    ExpectLink(StartMenuLink(), folder);
    ExpectInstalledFiles(folder);
    Click(s.m.btnOK);
    EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs));
  }
}

char FreeDriveLetter() {
  const DWORD used = GetLogicalDrives();
  for (char d = 'Q'; d <= 'Y'; ++d) {
    if (!(used & (1u << (d - 'A')))) return d;
  }
  return 0;
}

TEST_F(Install, UncreatableTargetShowsErrorAndStaysInWelcome) {
  const char drive = FreeDriveLetter();
  ASSERT_NE(drive, 0) << "no free drive letter";
  ASSERT_TRUE(MakeDirs(root_.path()));
  const std::string file = root_.path() + "\\plain.txt";
  ASSERT_TRUE(WriteBytes(file, "x"));
  const struct {
    const char* why;
    std::string target;
  } cases[] = {
      {"drive that does not exist", std::string(1, drive) + ":\\Vorlen\\KORVAN"},
      {"folder under a file", file + "\\KORVAN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Session s;
    ASSERT_TRUE(s.Up());
    const Installer* inst = &s.inst;
    const MainWindow& m = s.m;
    s.SetTarget(c.target);
    HWND d = s.OpenAgreement();
    ASSERT_NE(d, nullptr);
    ASSERT_NO_FATAL_FAILURE(Accept(AgreementDialog(d)));

    HWND box = inst->WaitWindow(kMessageBoxClass);
    ASSERT_NE(box, nullptr) << "no error box; M1: " << Text(m.m1);
    Settle(box);
    const MessageBoxInfo info = ReadMessageBox(box);
    EXPECT_EQ(info.title, "Error");
    EXPECT_EQ(info.text, wizard::FolderUnusableMessage(c.target));
    EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(inst->WaitNoWindow(kMessageBoxClass, kStepTimeoutMs))
        << "Enter does not close the box";
    Settle(s.window);

    ExpectWelcomeState(m);
    EXPECT_EQ(Text(m.edit1), c.target);
    EXPECT_EQ(inst->FindTop(kShortcutDialogClass), nullptr);

    // The accepted agreement is still accepted on the next "Next".
    HWND again = s.OpenAgreement();
    ASSERT_NE(again, nullptr);
    Settle(again);
    AgreementDialog a(again);
    EXPECT_EQ(CheckState(a.accept), BST_CHECKED);
    EXPECT_TRUE(Enabled(a.next));
  }
}

}  // namespace
}  // namespace e2e

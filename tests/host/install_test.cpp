#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/error.h"
#include "core/install.h"
#include "core/names.h"
#include "core/path.h"
#include "fake_platform.h"
#include "wizard/LicencjaETexts.h"
#include "wizard/Unit2Texts.h"

namespace {

using testing_fake::FakePlatform;
using testing_fake::RecordingGauge;

const char kTarget[] = "C:\\Vorlen\\KORVAN";
const std::vector<std::string> kShipped = {
    "Pultix.cnt", "Pultix.exe", "PULTIX.HLP", "pultix.hu", "Logbix.HU", "file.lst",
    "Zeta1.def",  "Zeta2.def",  "Zeta3.def",  "Zeta4.def", "Zeta5.def"};

void AddPayload(FakePlatform& fake) {
  std::string manifest;
  for (const auto& f : kShipped) {
    manifest += f + "\r\n";
    if (f != "file.lst") fake.AddResource(core::ResourceName(f), f + " bytes");
  }
  fake.AddResource("FILE_LST", manifest + "2.00.001\r\n");
}

// The target folder with an earlier installation's active modules.
void AddEarlierModules(FakePlatform& fake) {
  fake.AddDir("C:\\Vorlen");
  fake.AddDir(kTarget);
  fake.AddFile("C:\\Vorlen\\KORVAN\\Pultix.dll", "old pultix");
  fake.AddFile("C:\\Vorlen\\KORVAN\\Logbix.dll", "old logbix");
}

std::string RegistryValue(const FakePlatform& fake, const std::string& name) {
  auto it = fake.Registry().find(testing_fake::Key(std::string(core::kLocalesKey) + "|" + name));
  return it == fake.Registry().end() ? std::string("<none>") : it->second;
}

TEST(Install, FreshInstallationActivatesTheHungarianModules) {
  FakePlatform fake;
  core::Run run(fake);
  AddPayload(fake);
  RecordingGauge gauge;
  ASSERT_TRUE(core::PrepareTargetFolder(run, kTarget));
  bool heldWhileWriting = false;
  fake.SetBeforeCreate([&](const std::string&) { heldWhileWriting = fake.IsHeldFolder(kTarget); });
  const core::InstallResult result = core::InstallFiles(run, kTarget, gauge).result;
  EXPECT_TRUE(heldWhileWriting);
  EXPECT_FALSE(fake.IsHeldFolder(kTarget)) << "held after the run";
  EXPECT_EQ(result, core::kInstallSucceeded);
  EXPECT_TRUE(core::Succeeded(result));
  EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\pultix.dll"), "pultix.hu bytes");
  EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\Logbix.dll"), "Logbix.HU bytes");
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\pultix.hu"));
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\file.lst"));
  EXPECT_EQ(fake.FileNames().size(), 10u);
  EXPECT_EQ(RegistryValue(fake, "C:\\Vorlen\\KORVAN\\pultix.exe"), "DLL");
}

TEST(Install, SecondRunOverAnEarlierInstallationSucceedsAndRemovesOldFiles) {
  FakePlatform fake;
  core::Run run(fake);
  AddPayload(fake);
  fake.AddDir("C:\\Vorlen");
  fake.AddDir(kTarget);
  const char* old[] = {"Pultox.dll", "Logbox.dll", "Pultox.cnt", "Pultox.hlp", "PULTIX.DLL",
                       "logbix.dll"};
  for (const char* f : old) fake.AddFile(std::string(kTarget) + "\\" + f, "old");
  RecordingGauge gauge;
  EXPECT_EQ(core::InstallFiles(run, kTarget, gauge).result, core::kInstallSucceeded);
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\Pultox.dll"));
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\Pultox.hlp"));
  EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\pultix.dll"), "pultix.hu bytes");
  EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\Logbix.dll"), "Logbix.HU bytes");
}

// An earlier module is deleted only when its replacement was extracted, so a
// run that stops early leaves the installed program able to start.
TEST(Install, StoppedCopyingKeepsTheEarlierModules) {
  const struct {
    const char* what;
    const char* heldOpen;         // a payload file the run cannot replace
    const char* missingResource;  // or a payload file the build lacks
    const char* pultixDll;        // expected afterwards
    const char* logbixDll;
  } cases[] = {
      {"PULTIX.HLP held open", "PULTIX.HLP", nullptr, "old pultix", "old logbix"},
      {"Pultix.cnt held open", "Pultix.cnt", nullptr, "old pultix", "old logbix"},
      {"Pultix.exe held open", "Pultix.exe", nullptr, "old pultix", "old logbix"},
      {"Logbix.HU missing", nullptr, "LOGBIX_HU", "pultix.hu bytes", "old logbix"},
      // A pultix.hu this run did not write is no replacement.
      {"pultix.hu missing, an earlier one left", nullptr, "PULTIX_HU", "old pultix", "old logbix"},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    core::Run run(fake);
    AddPayload(fake);
    AddEarlierModules(fake);
    if (c.heldOpen) {
      const std::string held = std::string(kTarget) + "\\" + c.heldOpen;
      fake.AddFile(held, "held");
      fake.SetReadOnly(held);
    }
    if (c.missingResource) fake.RemoveResource(c.missingResource);
    fake.AddFile("C:\\Vorlen\\KORVAN\\pultix.hu", "left pultix.hu");
    RecordingGauge gauge;
    // The rename of the file that was not extracted still fails.
    EXPECT_EQ(core::InstallFiles(run, kTarget, gauge).result, core::kInstallLanguageFailed)
        << c.what;
    EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\Pultix.dll"), c.pultixDll) << c.what;
    EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\Logbix.dll"), c.logbixDll) << c.what;
  }
}

// A run killed after any number of changes to the disk leaves each module
// name with the earlier module or with its successor, never empty.
TEST(Install, AKillAtAnyStepLeavesEveryModuleName) {
  int changes = 0;
  for (int stop = 0; stop == 0 || stop <= changes; ++stop) {
    SCOPED_TRACE("stopped after " + std::to_string(stop) + " changes");
    FakePlatform fake;
    core::Run run(fake);
    AddPayload(fake);
    AddEarlierModules(fake);
    if (stop > 0) fake.StopAfter(stop);
    RecordingGauge gauge;
    core::InstallFiles(run, kTarget, gauge);
    if (stop == 0) changes = fake.Changes();
    for (const auto& [module, earlier, successor] :
         {std::tuple{"Pultix.dll", "old pultix", "pultix.hu bytes"},
          std::tuple{"Logbix.dll", "old logbix", "Logbix.HU bytes"}}) {
      const std::string data = fake.FileData(std::string(kTarget) + "\\" + module);
      EXPECT_TRUE(data == earlier || data == successor) << module << ": '" << data << "'";
    }
  }
  EXPECT_GT(changes, 20);
}

enum Fault : unsigned {
  kNone = 0,
  kCopyFault = 1,      // a .def file cannot be written
  kPultixMissing = 2,  // the payload lacks pultix.hu
  kLogbixBlocked = 4,  // Logbix.dll exists read-only, so its rename is refused
  kRegistryFault = 8,
  kHeldBriefly = 16,   // a scanner holds Zeta3.def's new copy for two tries
  kHeldLong = 32,      // ... and for longer than the run waits
  kPultixSwapped = 64,  // pultix.hu is a link by the time it is activated
};

struct OutcomeCase {
  unsigned faults;
  core::InstallResult result;
  const char* errorLine;
};

// Every step runs; the last failing one in step order names the failure.
TEST(Install, OutcomeOfEveryCombinationOfFailures) {
  const OutcomeCase cases[] = {
      {kNone, core::kInstallSucceeded, nullptr},
      {kCopyFault, core::kInstallCopyingFailed, "Errors encountered during copying."},
      {kPultixMissing, core::kInstallLanguageFailed,
       "Errors encountered during installing language files."},
      {kLogbixBlocked, core::kInstallLanguageFailed,
       "Errors encountered during installing language files."},
      {kCopyFault | kLogbixBlocked, core::kInstallLanguageFailed,
       "Errors encountered during installing language files."},
      {kRegistryFault, core::kInstallRegistryFailed,
       "Errors encountered during creating registry keys."},
      {kCopyFault | kRegistryFault, core::kInstallRegistryFailed,
       "Errors encountered during creating registry keys."},
      {kPultixMissing | kRegistryFault, core::kInstallRegistryFailed,
       "Errors encountered during creating registry keys."},
      {kCopyFault | kPultixMissing | kLogbixBlocked | kRegistryFault,
       core::kInstallRegistryFailed, "Errors encountered during creating registry keys."},
      {kHeldBriefly, core::kInstallSucceeded, nullptr},
      {kHeldLong, core::kInstallCopyingFailed, "Errors encountered during copying."},
      {kPultixSwapped, core::kInstallLanguageFailed,
       "Errors encountered during installing language files."},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    core::Run run(fake);
    AddPayload(fake);
    fake.AddDir("C:\\Vorlen");
    fake.AddDir(kTarget);
    if (c.faults & kCopyFault) {
      fake.AddFile("C:\\Vorlen\\KORVAN\\Zeta3.def", "locked");
      fake.SetReadOnly("C:\\Vorlen\\KORVAN\\Zeta3.def");
    }
    if (c.faults & kPultixMissing) fake.RemoveResource("PULTIX_HU");
    if (c.faults & kLogbixBlocked) {
      fake.AddFile("C:\\Vorlen\\KORVAN\\Logbix.dll", "locked");
      fake.SetReadOnly("C:\\Vorlen\\KORVAN\\Logbix.dll");
    }
    fake.SetRegistryFails(c.faults & kRegistryFault);
    if (c.faults & (kHeldBriefly | kHeldLong))
      fake.SetHeld("C:\\Vorlen\\KORVAN\\Zeta3.def.~setup", c.faults & kHeldLong ? 1000 : 2);
    if (c.faults & kPultixSwapped) {
      fake.SetBeforeCreate([&fake](const std::string& creating) {
        if (creating == "C:\\Vorlen\\KORVAN\\Zeta1.def.~setup")
          fake.SetNotPlain("C:\\Vorlen\\KORVAN\\pultix.hu");
      });
    }
    RecordingGauge gauge;
    const core::InstallResult result = core::InstallFiles(run, kTarget, gauge).result;
    EXPECT_EQ(result, c.result) << "faults " << c.faults;
    EXPECT_LE(fake.WaitedMs(), core::kHoldPatienceMs) << "faults " << c.faults;
    EXPECT_EQ(fake.WaitedMs() > 0, (c.faults & (kHeldBriefly | kHeldLong)) != 0)
        << "faults " << c.faults;
    EXPECT_EQ(core::Succeeded(result), c.errorLine == nullptr) << "faults " << c.faults;
    if (c.errorLine) {
      EXPECT_EQ(wizard::FailureLines(result),
                (std::vector<std::string>{c.errorLine, "Setup failed."}))
          << "faults " << c.faults;
    }
    // The registry is written whatever the extraction gave.
    EXPECT_EQ(RegistryValue(fake, "C:\\Vorlen\\KORVAN\\pultix.exe"),
              (c.faults & kRegistryFault) ? "<none>" : "DLL")
        << "faults " << c.faults;
  }
}

TEST(Install, MissingLanguageLibraryStopsCopyingButReportsTheLanguageFiles) {
  FakePlatform fake;
  core::Run run(fake);
  AddPayload(fake);
  fake.RemoveResource("PULTIX_HU");
  fake.AddDir("C:\\Vorlen");
  fake.AddDir(kTarget);
  RecordingGauge gauge;
  EXPECT_EQ(core::InstallFiles(run, kTarget, gauge).result, core::kInstallLanguageFailed);
  // Extraction stopped at pultix.hu: the later files were never written.
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\Zeta1.def"));
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\Logbix.dll"));
}

TEST(Install, FullDiskEndsInTheCopyingFailureNeverInSuccess) {
  FakePlatform fake;
  core::Run run(fake);
  AddPayload(fake);
  fake.AddDir("C:\\Vorlen");
  fake.AddDir(kTarget);
  fake.AddFile("C:\\Vorlen\\KORVAN\\Zeta2.def", "earlier Zeta2");
  // The disk fills up during Zeta2.def, after the language files were written.
  const long long before = 5 * 15 + 3 + static_cast<long long>(fake.ReadResource("FILE_LST").size);
  fake.SetFreeSpace(before + 15 + 5);
  RecordingGauge gauge;
  const core::InstallResult result = core::InstallFiles(run, kTarget, gauge).result;
  EXPECT_EQ(result, core::kInstallCopyingFailed);
  EXPECT_TRUE(fake.HasFile("C:\\Vorlen\\KORVAN\\Zeta1.def"));
  EXPECT_EQ(fake.FileData("C:\\Vorlen\\KORVAN\\Zeta2.def"), "earlier Zeta2");
  EXPECT_FALSE(fake.HasFile("C:\\Vorlen\\KORVAN\\Zeta2.def.~setup"));
  EXPECT_EQ(wizard::FailureLines(result),
            (std::vector<std::string>{"Errors encountered during copying.", "Setup failed."}));
}

// The installed program looks its own full long path up; the value must be
// named so whatever form the target text has.
TEST(Install, RegistersTheProgramsFullLongPath) {
  const struct {
    const char* target;
    const char* fullLong;  // what the system resolves the target to
    const char* valueName;
  } cases[] = {
      {"C:\\Vorlen\\KORVAN", "C:\\Vorlen\\KORVAN", "C:\\Vorlen\\KORVAN\\pultix.exe"},
      {"C:\\", "C:\\", "C:\\pultix.exe"},
      {"C:\\Vorlen\\KORVAN.", "C:\\Vorlen\\KORVAN", "C:\\Vorlen\\KORVAN\\pultix.exe"},
      {"C:\\PROGRA~1\\VORLEN~1", "C:\\Program Files\\Vorlen Tools",
       "C:\\Program Files\\Vorlen Tools\\pultix.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    FakePlatform fake;
    core::Run run(fake);
    AddPayload(fake);
    fake.SetFullLongPath(c.target, c.fullLong);
    ASSERT_TRUE(core::PrepareTargetFolder(run, c.target));
    RecordingGauge gauge;
    const core::Installed installed = core::InstallFiles(run, c.target, gauge);
    EXPECT_EQ(installed.result, core::kInstallSucceeded);
    // The links name the program by the same path.
    EXPECT_EQ(installed.linkedProgram, core::JoinPath(c.fullLong, "\\Pultix.exe"));
    EXPECT_EQ(fake.Registry().size(), 1u);
    EXPECT_EQ(RegistryValue(fake, c.valueName), "DLL");
    // The files go where the text names, as before.
    EXPECT_EQ(fake.FileData(core::JoinPath(c.target, "\\pultix.dll")), "pultix.hu bytes");
  }
}

TEST(Install, TargetFolderPreparation) {
  {
    FakePlatform fake;
    core::Run run(fake);
    EXPECT_TRUE(core::PrepareTargetFolder(run, "C:\\new\\nested\\folder"));
    EXPECT_TRUE(fake.HasDir("C:\\new\\nested"));
  }
  {
    FakePlatform fake;  // no drive Q:
    core::Run run(fake);
    EXPECT_FALSE(core::PrepareTargetFolder(run, "Q:\\x\\y"));
  }
  {
    FakePlatform fake;  // there, but another program keeps it from being held
    core::Run run(fake);
    fake.AddDir("C:\\a");
    fake.RefuseDir("C:\\a");
    EXPECT_FALSE(core::PrepareTargetFolder(run, "C:\\a"));
  }
  {
    FakePlatform fake;
    core::Run run(fake);
    fake.RefuseDir("C:\\a\\b");
    EXPECT_FALSE(core::PrepareTargetFolder(run, "C:\\a\\b\\c"));
    EXPECT_TRUE(fake.HasDir("C:\\a"));  // the levels above stay
  }
  {
    FakePlatform fake;
    core::Run run(fake);
    EXPECT_THROW(core::PrepareTargetFolder(run, "relative\\path"), core::Error);
    EXPECT_THROW(core::PrepareTargetFolder(run, ""), core::Error);
  }
}

// Ticked alone, the desktop gets its link; a desktop link that cannot be
// made raises before the Start menu's is tried.
TEST(Install, LinksAsTicked) {
  FakePlatform fake;
  const core::Installed installed{core::kInstallSucceeded, "C:\\V", "", "C:\\V\\Pultix.exe"};
  core::CreateLinks(fake, installed, true, false);
  EXPECT_EQ(fake.links, std::vector<bool>{true});
  fake.desktopLinkFails = true;
  EXPECT_THROW(core::CreateLinks(fake, installed, true, true), core::Error);
  EXPECT_EQ(fake.links, std::vector<bool>{true});
}

TEST(Install, Texts) {
  EXPECT_EQ(wizard::WelcomeLines("2.00.001"),
            (std::vector<std::string>{" ", " ", "This will install service software",
                                      "of security system control panel", " ", "Vorlen KORVAN",
                                      " ", "- Pultix -", " ", "version 2.00.001 Hungarian"}));
  FakePlatform fake;
  EXPECT_EQ(wizard::AgreementText(fake), "The licence agreement text is missing.");
  EXPECT_EQ(wizard::FolderUnusableMessage("Q:\\x"),
            "Unable to create folder: Q:\\x. \rChose another one.");
  EXPECT_EQ(wizard::CopyingText(), (std::vector<std::string>{" ", " ", " ", " ",
                                                           "Copy files to target folder..."}));
  EXPECT_EQ(wizard::SuccessText(), (std::vector<std::string>{" ", " ", " ", " ",
                                                           "PULTIX installed successfully."}));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "core/names.h"
#include "core/payload.h"
#include "fake_platform.h"

namespace {

using testing_fake::FakePlatform;
using testing_fake::RecordingGauge;

const char kTarget[] = "C:\\Target";

std::string Manifest(const std::vector<std::string>& files, const std::string& version = "2.00.001") {
  std::string text;
  for (const auto& f : files) text += f + "\r\n";
  return text + version + "\r\n";
}

// A payload whose resources hold "<name> bytes" for every listed file.
void Install(FakePlatform& fake, const std::vector<std::string>& files) {
  fake.AddResource("FILE_LST", Manifest(files));
  for (const auto& f : files) {
    if (f != "file.lst") fake.AddResource(core::ResourceName(f), f + " bytes");
  }
  fake.AddDir(kTarget);
}

const std::vector<std::string> kShipped = {
    "Pultix.cnt", "Pultix.exe", "PULTIX.HLP", "pultix.hu", "Logbix.HU", "file.lst",
    "Zeta1.def",  "Zeta2.def",  "Zeta3.def",  "Zeta4.def", "Zeta5.def"};

// Every file is written under a partial name first; none may stay behind.
bool HasPartialFile(const FakePlatform& fake) {
  for (const auto& name : fake.FileNames()) {
    if (name.find(core::kPartialSuffix) != std::string::npos) return true;
  }
  return false;
}

TEST(ExtractPayload, WritesEveryListedFileAndRemovesTheManifestCopy) {
  FakePlatform fake;
  Install(fake, kShipped);
  RecordingGauge gauge;
  ASSERT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_EQ(fake.Writes().size(), 11u);
  EXPECT_FALSE(fake.HasFile("C:\\Target\\file.lst"));
  EXPECT_EQ(fake.FileNames().size(), 10u);
  EXPECT_EQ(fake.FileData("C:\\Target\\Logbix.HU"), "Logbix.HU bytes");
  EXPECT_EQ(gauge.MaxValue(), 11);
  EXPECT_EQ(gauge.PercentDone(), 100);
}

TEST(ExtractPayload, ShowsTheWholePercentageAfterEachFile) {
  FakePlatform fake;
  Install(fake, kShipped);
  RecordingGauge gauge;
  ASSERT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  // After the maximum is set to 11: floor(100 * k / 11) for k = 1..11.
  const std::vector<int> expected = {0, 9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 100};
  EXPECT_EQ(gauge.shown, expected);
}

TEST(ExtractPayload, MissingResourceStopsAtItsLineAndKeepsEarlierFiles) {
  FakePlatform fake;
  Install(fake, kShipped);
  fake.RemoveResource("PULTIX_HU");
  fake.AddFile("C:\\Target\\file.lst", "old copy");
  RecordingGauge gauge;
  EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_TRUE(fake.HasFile("C:\\Target\\PULTIX.HLP"));
  EXPECT_FALSE(fake.HasFile("C:\\Target\\Logbix.HU"));
  EXPECT_EQ(gauge.Progress(), 3);
  // The manifest copy is removed after an early stop too.
  EXPECT_FALSE(fake.HasFile("C:\\Target\\file.lst"));
}

struct StopCase {
  const char* what;
  std::vector<std::string> files;
  int writtenBeforeStop;
};

TEST(ExtractPayload, UnusableLinesStopTheRunLikeAMissingFile) {
  const StopCase cases[] = {
      {"empty line", {"a.txt", "", "b.txt"}, 1},
      {"climbs out", {"a.txt", "..\\evil.dll", "b.txt"}, 1},
      {"absolute", {"\\windows\\evil.dll", "b.txt"}, 0},
      {"drive", {"a.txt", "D:evil.dll"}, 1},
      {"stream", {"a.txt:ads"}, 0},
      {"device", {"a.txt", "nul.txt", "b.txt"}, 1},
      {"device folder", {"COM1\\a.txt"}, 0},
      {"device with blanks and dots", {"a.txt", "b.txt", "CONOUT$ . txt. ."}, 2},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    Install(fake, c.files);
    // Install() gave every name a resource, so only the name check stops it.
    RecordingGauge gauge;
    EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge)) << c.what;
    EXPECT_EQ(static_cast<int>(fake.Writes().size()), c.writtenBeforeStop) << c.what;
    for (const auto& w : fake.Writes()) EXPECT_EQ(w.rfind("C:\\Target\\", 0), 0u) << w;
  }
}

TEST(ExtractPayload, ReadOnlyTargetFileStopsTheRun) {
  FakePlatform fake;
  Install(fake, kShipped);
  fake.AddFile("C:\\Target\\PULTIX.HLP", "old");
  fake.SetReadOnly("C:\\Target\\pultix.hlp");
  RecordingGauge gauge;
  EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_EQ(fake.FileData("C:\\Target\\PULTIX.HLP"), "old");
  EXPECT_TRUE(fake.HasFile("C:\\Target\\Pultix.exe"));
  EXPECT_EQ(gauge.Progress(), 2);
  EXPECT_FALSE(HasPartialFile(fake));
}

TEST(ExtractPayload, WriteThatFailsHalfWayKeepsTheEarlierFile) {
  FakePlatform fake;
  Install(fake, {"a.txt", "b.txt"});
  fake.AddFile("C:\\Target\\a.txt", "earlier");
  fake.SetFreeSpace(9);  // "a.txt bytes" is 11 bytes
  RecordingGauge gauge;
  EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_EQ(fake.FileData("C:\\Target\\a.txt"), "earlier");
  EXPECT_FALSE(fake.HasFile("C:\\Target\\b.txt"));
  EXPECT_FALSE(HasPartialFile(fake));
}

TEST(ExtractPayload, PartialFilesOfAKilledRunAreRemoved) {
  FakePlatform fake;
  Install(fake, kShipped);
  fake.AddFile("C:\\Target\\Zeta3.def", "earlier");
  fake.AddFile("C:\\Target\\Pultix.exe.~setup", "cut");
  fake.AddFile("C:\\Target\\zeta3.DEF.~SETUP", "cut");
  // The run stops at PULTIX.HLP, before it reaches Zeta3.def.
  fake.AddFile("C:\\Target\\PULTIX.HLP", "held");
  fake.SetReadOnly("C:\\Target\\PULTIX.HLP");
  RecordingGauge gauge;
  EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_FALSE(HasPartialFile(fake));
  EXPECT_EQ(fake.FileData("C:\\Target\\Pultix.exe"), "Pultix.exe bytes");
  EXPECT_EQ(fake.FileData("C:\\Target\\Zeta3.def"), "earlier");
  EXPECT_EQ(fake.FileData("C:\\Target\\PULTIX.HLP"), "held");
}

TEST(ExtractPayload, OnlyTheVersionLineWritesNothingButStillRemovesTheManifest) {
  FakePlatform fake;
  Install(fake, {});
  fake.AddFile("C:\\Target\\file.lst", "left over");
  RecordingGauge gauge;
  EXPECT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_TRUE(fake.Writes().empty());
  EXPECT_EQ(gauge.MaxValue(), 0);
  EXPECT_FALSE(fake.HasFile("C:\\Target\\file.lst"));
}

TEST(ExtractPayload, MissingOrEmptyManifestFailsBeforeWritingAnything) {
  for (bool empty : {false, true}) {
    FakePlatform fake;
    fake.AddDir(kTarget);
    if (empty) fake.AddResource("FILE_LST", "");
    fake.AddFile("C:\\Target\\file.lst", "left over");
    RecordingGauge gauge;
    EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge)) << empty;
    EXPECT_TRUE(fake.Writes().empty());
    // The failure comes before the manifest copy would be removed.
    EXPECT_TRUE(fake.HasFile("C:\\Target\\file.lst")) << empty;
  }
}

TEST(ExtractPayload, SixteenBitLimits) {
  {
    // 65,535 file lines plus the version line is the most accepted...
    FakePlatform fake;
    std::vector<std::string> files(65535, "same.txt");
    Install(fake, files);
    RecordingGauge gauge;
    EXPECT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
    EXPECT_EQ(fake.Writes().size(), 65535u);
  }
  {
    // ...one more fails before the first file.
    FakePlatform fake;
    std::vector<std::string> files(65536, "same.txt");
    Install(fake, files);
    RecordingGauge gauge;
    EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
    EXPECT_TRUE(fake.Writes().empty());
  }
  {
    // A name of 65,536 characters fails at its line; earlier files stay and
    // the manifest copy is not removed.
    FakePlatform fake;
    const std::string longName(65536, 'n');
    Install(fake, {"a.txt", "file.lst", longName, "b.txt"});
    RecordingGauge gauge;
    EXPECT_FALSE(core::ExtractPayload(fake, kTarget, gauge));
    EXPECT_TRUE(fake.HasFile("C:\\Target\\a.txt"));
    EXPECT_TRUE(fake.HasFile("C:\\Target\\file.lst"));
    EXPECT_FALSE(fake.HasFile("C:\\Target\\b.txt"));
  }
  {
    FakePlatform fake;
    const std::string longest(65535, 'n');
    fake.AddDir(kTarget);
    fake.AddResource("FILE_LST", Manifest({longest}));
    fake.AddResource(longest, "x");
    RecordingGauge gauge;
    EXPECT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  }
}

TEST(ExtractPayload, SubFoldersAreCreatedAndLookedUpByResourceName) {
  FakePlatform fake;
  Install(fake, {"docs\\deep\\a.txt"});
  RecordingGauge gauge;
  ASSERT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_TRUE(fake.HasDir("C:\\Target\\docs\\deep"));
  EXPECT_EQ(fake.FileData("C:\\Target\\docs\\deep\\a.txt"), "docs\\deep\\a.txt bytes");
}

TEST(ExtractPayload, DriveRootTargetUsesOneSeparator) {
  FakePlatform fake;
  Install(fake, {"Pultix.exe"});
  RecordingGauge gauge;
  ASSERT_TRUE(core::ExtractPayload(fake, "C:\\", gauge));
  ASSERT_EQ(fake.Writes().size(), 1u);
  EXPECT_EQ(fake.Writes()[0], std::string("C:\\Pultix.exe") + core::kPartialSuffix);
  EXPECT_EQ(fake.FileNames(), std::vector<std::string>{"C:\\Pultix.exe"});
}

TEST(ExtractPayload, RerunOverwritesEveryFile) {
  FakePlatform fake;
  Install(fake, {"a.txt"});
  fake.AddFile("C:\\Target\\A.TXT", "old");
  RecordingGauge gauge;
  ASSERT_TRUE(core::ExtractPayload(fake, kTarget, gauge));
  EXPECT_EQ(fake.FileData("C:\\Target\\a.txt"), "a.txt bytes");
}

TEST(LoadResourceList, ReadsLinesAndNamesTheMissingResource) {
  FakePlatform fake;
  fake.AddResource("FILE_LST", "x\r\n2.00.001\r\n");
  EXPECT_EQ(core::LoadResourceList(fake, "file_lst"), (std::vector<std::string>{"x", "2.00.001"}));
  try {
    core::LoadResourceList(fake, "nothing_here");
    FAIL() << "no error raised";
  } catch (const core::Error& e) {
    EXPECT_STREQ(e.what(), "Resource nothing_here not found");
  }
}

TEST(ForceDirectories, CreatesMissingParentsFromTheTop) {
  FakePlatform fake;
  EXPECT_TRUE(core::ForceDirectories(fake, "C:\\a\\b\\c\\"));
  EXPECT_TRUE(fake.HasDir("C:\\a"));
  EXPECT_TRUE(fake.HasDir("C:\\a\\b\\c"));
  EXPECT_TRUE(core::ForceDirectories(fake, "C:\\a\\b"));  // existing is fine
}

TEST(ForceDirectories, ReportsFoldersItCannotCreate) {
  FakePlatform fake;
  fake.RefuseDir("C:\\a\\b");
  EXPECT_FALSE(core::ForceDirectories(fake, "C:\\a\\b\\c"));
  EXPECT_TRUE(fake.HasDir("C:\\a"));  // levels above the failure stay
  EXPECT_FALSE(fake.HasDir("C:\\a\\b\\c"));
  // A missing drive cannot be created either.
  EXPECT_FALSE(core::ForceDirectories(fake, "Q:\\x"));
}

TEST(ForceDirectories, RaisesForPathsItCannotHandle) {
  FakePlatform fake;
  const char* raising[] = {"", "abc\\def", "abc"};
  for (const char* dir : raising) {
    EXPECT_THROW(core::ForceDirectories(fake, dir), core::Error) << dir;
  }
  // A first relative level of fewer than three characters is taken as given.
  EXPECT_FALSE(core::ForceDirectories(fake, "ab\\cd"));
}

TEST(Gauge, ClampsAndRejectsAMaximumBelowTheMinimum) {
  RecordingGauge gauge;
  gauge.SetMaxValue(10);
  gauge.SetProgress(15);
  EXPECT_EQ(gauge.Progress(), 10);
  gauge.SetProgress(-3);
  EXPECT_EQ(gauge.Progress(), 0);
  try {
    gauge.SetMaxValue(-1);
    FAIL() << "no error raised";
  } catch (const core::Error& e) {
    EXPECT_STREQ(e.what(), "Value must be between 0 and 2147483647");
  }
  EXPECT_EQ(gauge.MaxValue(), 10);
  gauge.SetProgress(7);
  gauge.SetMaxValue(5);  // a lower maximum pulls the progress down
  EXPECT_EQ(gauge.Progress(), 5);
  gauge.SetMaxValue(0);
  EXPECT_EQ(gauge.PercentDone(), 0);
}

TEST(Gauge, RepaintsOnlyWhenThePercentageMoves) {
  RecordingGauge gauge;
  gauge.SetMaxValue(1000);
  gauge.shown.clear();
  for (int i = 1; i <= 25; ++i) gauge.SetProgress(i);
  EXPECT_EQ(gauge.shown, (std::vector<int>{1, 2}));
  gauge.SetMaxValue(2147483647);
  gauge.SetProgress(2147483647);
  EXPECT_EQ(gauge.PercentDone(), 100);
}

}  // namespace

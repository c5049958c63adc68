#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/filesystem.h"
#include "core/names.h"
#include "core/path.h"
#include "core/payload.h"
#include "fake_platform.h"
#include "tests/support/shipped.h"

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

const std::vector<std::string> kShipped = support::ShippedFiles();


const std::optional<std::string> kAbsent;

// One run of ExtractPayload: the payload Install() makes of `listed` (a
// resource "<name> bytes" per name), changed by `change`, extracted to
// `target`.
struct ExtractCase {
  const char* what;
  std::vector<std::string> listed;
  std::function<void(FakePlatform&)> change;
  bool result;
  size_t writes;     // paths handed to a write
  int done, max;     // the gauge afterwards
  size_t filesAfter;  // files in the fake afterwards
  // Files below the target and their bytes afterwards (kAbsent: none).
  std::vector<std::pair<std::string, std::optional<std::string>>> files;
  // Every percentage the gauge showed, where a row names them.
  std::vector<int> shown = {};
  const char* target = kTarget;
  int durable = -1;  // writes flushed before replacing a file, where a row names them
};

// Someone else's file planted at the partial name the run is about to
// create, after that name's cleanup.
void PlantBeforeCreating(FakePlatform& f, const std::string& partial) {
  f.SetBeforeCreate([&f, partial](const std::string& creating) {
    if (creating == partial) f.AddFile(partial, "planted");
  });
}

void NoChange(FakePlatform&) {}

TEST(ExtractPayload, Cases) {
  const std::string longName(65536, 'n'), longest(65535, 'n');
  const ExtractCase cases[] = {
      // After the maximum is set to 11: floor(100 * k / 11) for k = 1..11.
      {"shipped payload", kShipped, NoChange, true, 11, 11, 11, 10,
       {{"Logbix.HU", "Logbix.HU bytes"}, {"Zeta5.def", "Zeta5.def bytes"}, {"file.lst", kAbsent}},
       {0, 9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 100}, kTarget, 0},
      {"missing resource: stops at its line, removes the manifest copy", kShipped,
       [](FakePlatform& f) {
         f.RemoveResource("PULTIX_HU");
         f.AddFile("C:\\Target\\file.lst", "old copy");
       },
       false, 3, 3, 11, 3,
       {{"PULTIX.HLP", "PULTIX.HLP bytes"}, {"Logbix.HU", kAbsent}, {"file.lst", kAbsent}}},
      // Install() gave every name a resource, so only the name check stops these.
      {"empty line", {"a.txt", "", "b.txt"}, NoChange, false, 1, 1, 3, 1, {{"b.txt", kAbsent}}},
      {"climbs out", {"a.txt", "..\\evil.dll", "b.txt"}, NoChange, false, 1, 1, 3, 1,
       {{"b.txt", kAbsent}}},
      {"absolute", {"\\windows\\evil.dll", "b.txt"}, NoChange, false, 0, 0, 2, 0, {}},
      {"drive", {"a.txt", "D:evil.dll"}, NoChange, false, 1, 1, 2, 1, {}},
      {"stream", {"a.txt:ads"}, NoChange, false, 0, 0, 1, 0, {}},
      {"device", {"a.txt", "nul.txt", "b.txt"}, NoChange, false, 1, 1, 3, 1, {}},
      {"device folder", {"COM1\\a.txt"}, NoChange, false, 0, 0, 1, 0, {}},
      {"device with blanks and dots", {"a.txt", "b.txt", "CONOUT$ . txt. ."}, NoChange, false,
       2, 2, 3, 2, {}},
      {"read-only target file: stops there, keeps its bytes", kShipped,
       [](FakePlatform& f) {
         f.AddFile("C:\\Target\\PULTIX.HLP", "old");
         f.SetReadOnly("C:\\Target\\pultix.hlp");
       },
       false, 3, 2, 11, 3, {{"PULTIX.HLP", "old"}, {"Pultix.exe", "Pultix.exe bytes"}}},
      {"write that fails half-way keeps the earlier file", {"a.txt", "b.txt"},
       [](FakePlatform& f) {
         f.AddFile("C:\\Target\\a.txt", "earlier");
         f.SetFreeSpace(9);  // "a.txt bytes" is 11 bytes
       },
       false, 1, 0, 2, 1, {{"a.txt", "earlier"}, {"b.txt", kAbsent}}},
      {"partial files of a killed run, read-only ones too, are removed", kShipped,
       [](FakePlatform& f) {
         f.AddFile("C:\\Target\\Zeta3.def", "earlier");
         f.AddFile("C:\\Target\\Pultix.exe.~setup", "cut");
         f.AddFile("C:\\Target\\zeta3.DEF.~SETUP", "cut");
         f.AddFile("C:\\Target\\Zeta4.def.~setup", "cut");
         f.SetReadOnly("C:\\Target\\Zeta4.def.~setup");
       },
       true, 11, 11, 11, 10,
       {{"Pultix.exe", "Pultix.exe bytes"}, {"Zeta3.def", "Zeta3.def bytes"},
        {"Zeta4.def", "Zeta4.def bytes"}}},
      // Partial files go before the first file is written: the run stops at
      // PULTIX.HLP, before it reaches Zeta3.def.
      {"a run that stops has removed the partial files of names it did not reach", kShipped,
       [](FakePlatform& f) {
         f.AddFile("C:\\Target\\Zeta3.def.~setup", "cut");
         f.AddFile("C:\\Target\\PULTIX.HLP", "held");
         f.SetReadOnly("C:\\Target\\PULTIX.HLP");
       },
       false, 3, 2, 11, 3, {{"Zeta3.def.~setup", kAbsent}, {"PULTIX.HLP", "held"}}},
      {"the room a killed run's last partial file took is free for the first file", kShipped,
       [](FakePlatform& f) {
         f.AddFile("C:\\Target\\Zeta5.def.~setup", std::string(1000, 'c'));
         f.SetFreeSpace(0);
       },
       true, 11, 11, 11, 10, {{"Zeta5.def.~setup", kAbsent}, {"Pultix.cnt", "Pultix.cnt bytes"}}},
      {"a file planted at a partial name after its cleanup fails its file and stays", kShipped,
       [](FakePlatform& f) { PlantBeforeCreating(f, "C:\\Target\\Zeta2.def.~setup"); },
       false, 8, 7, 11, 7, {{"Zeta2.def.~setup", "planted"}, {"Zeta3.def", kAbsent}}},
      {"only the version line: nothing written, the manifest copy removed", {},
       [](FakePlatform& f) { f.AddFile("C:\\Target\\file.lst", "left over"); }, true, 0, 0, 0,
       0, {{"file.lst", kAbsent}}},
      // The failure comes before the manifest copy would be removed.
      {"missing manifest", {},
       [](FakePlatform& f) {
         f.RemoveResource("FILE_LST");
         f.AddFile("C:\\Target\\file.lst", "left over");
       },
       false, 0, 0, 100, 1, {{"file.lst", "left over"}}},
      {"empty manifest", {},
       [](FakePlatform& f) {
         f.AddResource("FILE_LST", "");
         f.AddFile("C:\\Target\\file.lst", "left over");
       },
       false, 0, 0, 100, 1, {{"file.lst", "left over"}}},
      {"65,535 file lines, the most accepted", std::vector<std::string>(65535, "same.txt"),
       NoChange, true, 65535, 65535, 65535, 1, {{"same.txt", "same.txt bytes"}}},
      {"65,536 file lines fail before the first file",
       std::vector<std::string>(65536, "same.txt"), NoChange, false, 0, 0, 65536, 0, {}},
      // Earlier files stay and the manifest copy is not removed.
      {"a name of 65,536 characters fails at its line", {"a.txt", "file.lst", longName, "b.txt"},
       NoChange, false, 2, 2, 4, 2,
       {{"a.txt", "a.txt bytes"}, {"file.lst", Manifest({"a.txt", "file.lst", longName, "b.txt"})}, {"b.txt", kAbsent}}},
      {"a name of 65,535 characters", {longest}, NoChange, true, 1, 1, 1, 1,
       {{longest, longest + " bytes"}}},
      {"sub-folders are created, the resource looked up by its name", {"docs\\deep\\a.txt"},
       NoChange, true, 1, 1, 1, 1, {{"docs\\deep\\a.txt", "docs\\deep\\a.txt bytes"}}},
      {"a drive root target uses one separator", {"Pultix.exe"}, NoChange, true, 1, 1, 1, 1,
       {{"Pultix.exe", "Pultix.exe bytes"}}, {}, "C:\\"},
      {"a rerun overwrites every file, flushing it first", {"a.txt"},
       [](FakePlatform& f) { f.AddFile("C:\\Target\\A.TXT", "an older and longer a.txt"); },
       true, 1, 1, 1, 1, {{"a.txt", "a.txt bytes"}}, {}, kTarget, 1},
  };
  for (const ExtractCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakePlatform fake;
    Install(fake, c.listed);
    c.change(fake);
    RecordingGauge gauge;
    core::Run run(fake);
    EXPECT_EQ(core::ExtractPayload(run, c.target, gauge), c.result);
    EXPECT_EQ(fake.Writes().size(), c.writes);
    EXPECT_EQ(gauge.Progress(), c.done);
    EXPECT_EQ(gauge.MaxValue(), c.max);
    if (!c.shown.empty()) EXPECT_EQ(gauge.shown, c.shown);
    if (c.durable >= 0) EXPECT_EQ(fake.DurableWrites().size(), static_cast<size_t>(c.durable));
    EXPECT_EQ(fake.FileNames().size(), c.filesAfter);
    const std::string base = core::JoinPath(c.target, "\\");
    for (const auto& w : fake.Writes()) {
      EXPECT_EQ(w.rfind(base, 0), 0u) << w;
      EXPECT_EQ(w.find("\\\\"), std::string::npos) << "doubled separator: " << w;
    }
    // Partial files stay behind only where a row names them.
    for (const auto& name : fake.FileNames()) {
      if (name.find(core::kPartialSuffix) == std::string::npos) continue;
      const bool named = std::any_of(c.files.begin(), c.files.end(), [&](const auto& f) {
        return f.second && testing_fake::Key(base + f.first) == testing_fake::Key(name);
      });
      EXPECT_TRUE(named) << "partial file " << name;
    }
    for (const auto& [name, bytes] : c.files) {
      SCOPED_TRACE(name.substr(0, 40));
      EXPECT_EQ(fake.HasFile(base + name), bytes.has_value());
      if (bytes) EXPECT_EQ(fake.FileData(base + name), *bytes);
    }
  }
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

TEST(CreateFolderWithParents, CreatesMissingParentsFromTheTop) {
  FakePlatform fake;
  EXPECT_TRUE(core::CreateFolderWithParents(fake, "C:\\a\\b\\c\\"));
  EXPECT_TRUE(fake.HasDir("C:\\a"));
  EXPECT_TRUE(fake.HasDir("C:\\a\\b\\c"));
  EXPECT_TRUE(core::CreateFolderWithParents(fake, "C:\\a\\b"));  // existing is fine
}

TEST(CreateFolderWithParents, ReportsFoldersItCannotCreate) {
  FakePlatform fake;
  fake.RefuseDir("C:\\a\\b");
  EXPECT_FALSE(core::CreateFolderWithParents(fake, "C:\\a\\b\\c"));
  EXPECT_TRUE(fake.HasDir("C:\\a"));  // levels above the failure stay
  EXPECT_FALSE(fake.HasDir("C:\\a\\b\\c"));
  // A missing drive cannot be created either.
  EXPECT_FALSE(core::CreateFolderWithParents(fake, "Q:\\x"));
}

TEST(CreateFolderWithParents, RaisesForPathsItCannotHandle) {
  FakePlatform fake;
  const char* raising[] = {"", "abc\\def", "abc"};
  for (const char* dir : raising) {
    EXPECT_THROW(core::CreateFolderWithParents(fake, dir), core::Error) << dir;
  }
  // A first relative level of fewer than three characters is taken as given.
  EXPECT_FALSE(core::CreateFolderWithParents(fake, "ab\\cd"));
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

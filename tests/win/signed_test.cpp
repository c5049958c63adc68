// A signed installer still carries its payload intact: its own extraction
// code, run on the signed file's resources, writes every file byte for byte,
// and the signed program still starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/payload.h"
#include "tests/support/support.h"
#include "tools/MyTools.h"
#include "wizard/ControlIds.h"

namespace {

std::string g_signed;  // the signed installer, from the command line

class Gauge : public core::Gauge {};

TEST(SignedInstaller, PayloadExtractsByteForByte) {
  HMODULE image = LoadLibraryExA(g_signed.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr) << g_signed;
  const support::TempDir dir;
  tools::Win32Platform platform(image);
  Gauge gauge;
  core::Run run(platform);
  EXPECT_TRUE(core::ExtractPayload(run, dir.path(), gauge));
  for (const auto& name : support::KeptFiles())
    EXPECT_EQ(support::ReadAll(dir.path() + "\\" + name), support::PayloadFile(name)) << name;
  FreeLibrary(image);
}

TEST(SignedInstaller, StillStartsAndShowsItsWindow) {
  e2e::Installer inst(e2e::Installer::InPlace{g_signed, ""});
  ASSERT_TRUE(inst.started()) << inst.error();
  HWND main = inst.WaitWindow(wizard::kMainWindowClass, 30000);
  EXPECT_NE(main, nullptr);
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  inst.WaitExit(20000);  // the destructor ends it otherwise
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_signed = argv[1];
  return RUN_ALL_TESTS();
}

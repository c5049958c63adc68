// A signed installer still carries its payload intact: its own extraction
// code, run on the signed file's resources, writes every file byte for byte,
// and the signed program still starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/payload.h"
#include "tools/MyTools.h"

namespace {

std::string g_signed;  // the signed installer, from the command line

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string PayloadFile(const std::string& name) {
  std::string dir = SETUP_PAYLOAD_DIR_Z;
  for (char& c : dir) {
    if (c == '/') c = '\\';
  }
  return ReadAll(dir + "\\" + name);
}

class Gauge : public core::Gauge {};

TEST(SignedInstaller, PayloadExtractsByteForByte) {
  HMODULE image = LoadLibraryExA(g_signed.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr) << g_signed;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "signed_test_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);

  tools::Win32Platform platform(image);
  Gauge gauge;
  EXPECT_TRUE(core::ExtractPayload(platform, dir, gauge));
  const std::vector<std::string> kept = {"Pultix.cnt", "Pultix.exe", "PULTIX.HLP", "pultix.hu",
                                         "Logbix.HU",  "Zeta1.def",  "Zeta2.def",  "Zeta3.def",
                                         "Zeta4.def",  "Zeta5.def"};
  for (const auto& name : kept) {
    const std::string path = dir + "\\" + name;
    EXPECT_EQ(ReadAll(path), PayloadFile(name)) << name;
    DeleteFileA(path.c_str());
  }
  RemoveDirectoryA(dir.c_str());
  FreeLibrary(image);
}

TEST(SignedInstaller, StillStartsAndShowsItsWindow) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + g_signed + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  HWND main = nullptr;
  for (int i = 0; i < 300 && !main; ++i) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "TForm2", nullptr))) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi.dwProcessId && IsWindowVisible(w)) main = w;
    }
    if (!main) Sleep(100);
  }
  EXPECT_NE(main, nullptr);
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_signed = argv[1];
  return RUN_ALL_TESTS();
}

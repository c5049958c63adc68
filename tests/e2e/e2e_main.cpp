// The end-to-end tests' program: GoogleTest, or the screenshot walk.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/e2e_common.h"

int main(int argc, char** argv) {
  SetProcessDPIAware();  // measure in physical pixels at any DPI
  CoInitialize(nullptr);
  if (argc == 4 && std::strcmp(argv[1], "--shots") == 0) return e2e::RunShots(argv[2], argv[3]);
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  CoUninitialize();
  return rc;
}

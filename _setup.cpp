// Program entry.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "The installer's windows are not built yet.", "_setup", MB_OK);
  return 0;
}

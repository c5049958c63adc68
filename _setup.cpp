// Program entry: start-up, the three windows, the message loop.
#include <windows.h>

#include <exception>

#include "forms/AppError.h"
#include "forms/Application.h"
#include "forms/Form.h"
#include "wizard/Artwork.h"
#include "wizard/LicencjaE.h"
#include "wizard/Unit2.h"
#include "wizard/Unit3.h"

namespace {

// Before anything else loads a DLL: never from the download folder. The
// call is missing on old systems, hence the run-time look-up.
void RestrictDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto setDirs = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDirs) setDirs(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

// The windows live from start-up to the end of the program.
struct Wizard {
  wizard::TForm2 form2{form3, formLicencjaE};
  wizard::TForm3 form3{form2};
  wizard::TFormLicencjaE formLicencjaE;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  ComApartment com;
  try {
    forms::ApplicationWindow app;
    app.Create(IDI_SETUP ? LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP))
                         : LoadIconA(nullptr, IDI_APPLICATION));
    Wizard w;
    app.SetMainForm(&w.form2);
    w.form2.SetMainForm(true);
    w.form2.Create(app.Handle());
    w.form3.Create(w.form2.Handle());
    w.formLicencjaE.Create(w.form2.Handle());
    w.form2.Show();
    return forms::RunMessageLoop();
  } catch (const std::exception& e) {
    forms::ShowErrorBox(e.what());
  }
  return 1;
}

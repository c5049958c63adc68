// Program entry: start-up, the three windows, the message loop.
#include <windows.h>

#include <exception>

#include "forms/AppError.h"
#include "forms/Application.h"
#include "forms/Form.h"
#include "resources/resource_ids.h"
#include "win32/DllSearch.h"
#include "win32/Prefetch.h"
#include "tools/MyTools.h"
#include "win32/ScopedWin.h"
#include "tools/SingleInstance.h"
#include "wizard/LicencjaE.h"
#include "wizard/Unit2.h"
#include "wizard/Unit3.h"

namespace {

const char kInstanceName[] = "PultixSetup";
// How long a later copy waits for the first copy's window: it may be
// starting still.
constexpr DWORD kFirstWindowWaitMs = 3000;

// The windows live from start-up to the end of the program; every one
// reaches the system through the one platform.
struct Wizard {
  tools::Win32Platform platform;
  wizard::TForm2 form2{platform, form3, formLicencjaE};
  wizard::TForm3 form3{platform};
  wizard::TFormLicencjaE formLicencjaE{platform};
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  win32::RestrictDllSearch();  // before anything can load a DLL
  win32::EnableRedirectionGuard();
  // A target on an empty card reader or DVD drive fails like any other
  // folder, without the system's "no disk" box.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  tools::SingleInstance instance(kInstanceName);
  if (!instance.IsFirst()) {
    if (instance.ActivateFirst(kFirstWindowWaitMs)) return 0;
    // Ending in silence would look like a crash to the user.
    forms::ShowErrorBox("Setup is already running.");
    return 1;
  }
  win32::ScopedCom com;
  try {
    forms::ApplicationWindow app;
    app.Create(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP)));
    const tools::SingleInstance::Mark mark(instance, app.Handle());
    Wizard w;
    app.SetMainForm(&w.form2);
    w.form2.SetMainForm(true);
    w.form2.Create(app.Handle());
    w.form3.Create(w.form2.Handle());
    w.form2.Show();
    // The agreement is first needed at "Next": the main window is drawn
    // before it is built, not after.
    UpdateWindow(w.form2.Handle());
    // Drawn first: the read-ahead takes nothing from the first window.
    win32::PrefetchInBackground(win32::ResourceSpan(GetModuleHandleA(nullptr)));
    w.formLicencjaE.Create(w.form2.Handle());
    return forms::RunMessageLoop();
  } catch (const std::exception& e) {
    forms::ShowErrorBox(e.what());
  }
  return 1;
}

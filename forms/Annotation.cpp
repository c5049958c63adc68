#include "forms/Annotation.h"

// The annotation service's GUIDs are defined here: the program links no
// oleacc, COM loads it.
#include <initguid.h>
#include <oleacc.h>

#include "win32/DllSearch.h"
#include "win32/ScopedWin.h"
#include "win32/Utf8.h"

namespace forms {

bool SetAccessibleDescription(HWND control, const std::string& text) {
  // Loaded from the system folder first: COM then takes the loaded module,
  // even where its registration names no folder and the system lacks the
  // search flags (a copy beside the installer would come first).
  win32::LoadSystemLibrary("oleacc.dll");
  win32::ComPtr<IAccPropServices> services;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices,
                              reinterpret_cast<void**>(services.receive()))))
    return false;
  return SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                            CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                            win32::Utf16(text, CP_ACP).data()));
}

}  // namespace forms

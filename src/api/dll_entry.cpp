// Start-up of the Windows DLL: a runtime invalid-parameter handler that does
// nothing, so that a bad argument reaching the C runtime returns an error
// to the toolbox instead of ending the host's process. Nothing else happens
// at load.
#if defined(_WIN32)
#include <windows.h>

#include <cstdlib>

namespace {

void IgnoreInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int,
                            uintptr_t) {}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) _set_invalid_parameter_handler(IgnoreInvalidParameter);
  return TRUE;
}
#endif

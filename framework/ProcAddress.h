// GetProcAddress hands back one generic function pointer type; the caller
// knows the export's real type. Going through void* tells the compiler the
// change of type is meant.
#pragma once
#include <windows.h>

template <typename Function>
Function GetProcAddressAs(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

#include "framework/OleApartment.h"

#include <ole2.h>

OleApartment::~OleApartment() {}

HRESULT OleApartment::Initialize() { return ::OleInitialize(NULL); }

void OleApartment::Uninitialize() { ::OleUninitialize(); }

OleApartment& PlatformOleApartment() {
  static OleApartment platform;
  return platform;
}

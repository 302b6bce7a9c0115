#include "operations/DialogSettings.h"

void ReadDialogSetting(HostSettings* settings, const char* key, char* out) {
  out[0] = '\0';
  if (settings && key) settings->ReadValue(ScribbitToolNumber, key, out);
}

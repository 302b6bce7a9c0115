// Settings reads of the memo operations' dialogs. A dialog holds only the
// host's settings interface, not the tool object, so it names the tool's
// settings section itself.
#pragma once
#include "plugin/HostContract.h"
#include "core/SettingKeys.h"

// Reads key into out (SettingValueSize bytes); out is empty when nothing is
// stored, when no settings were given or when there is no such key.
void ReadDialogSetting(HostSettings* settings, const char* key, char* out);

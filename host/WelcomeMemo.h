// The memo a first start finds waiting in the tool's own folder, so that the
// panel has something to show before the user has written anything.
#pragma once
#include <string>

// Makes the tool's folder 1 in dataFolder with the welcome memo in it, unless
// the folder is there already: one the user emptied stays empty.
void PutWelcomeMemo(const std::string& dataFolder);

// PLACEHOLDER until the host search lands.
#include "ToolPanel.h"
int ToolPanel::SearchMemos(SearchRequest*, const char*) { return 0; }

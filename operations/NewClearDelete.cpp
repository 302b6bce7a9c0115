// PLACEHOLDER until the memo operations land.
#include "ToolPanel.h"
void ToolPanel::OnNewMemo() {}
void ToolPanel::OnClearMemo() {}
void ToolPanel::OnDeleteMemo() {}
int ToolPanel::OnRenameMemo() { return 0; }
int ToolPanel::OnFilesDropped() { return 0; }
void ToolPanel::OnExtendedEdit() {}

#include <windows.h>

#include <new>

#include "generated/ScribbitVersion.h"
#include "plugin/ToolPanel.h"

namespace {

// Revision history, oldest first, as the host shows it in its tool list. The
// newest line is made from the project's version.
const char* const revisionHistory[] = {
    "[2006.01.01 ｽｸﾘﾋﾞｯﾄ Ver.0001.000] 初版リリース",
    "[2006.02.11 ｽｸﾘﾋﾞｯﾄ Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
    "[2006.02.13 ｽｸﾘﾋﾞｯﾄ Ver.0001.101] HTMLの読込み、表示可能に",
    "[2006.02.13 ｽｸﾘﾋﾞｯﾄ Ver.0001.111] 新規メモ作成時の不具合修正",
    "[2008.04.26 ｽｸﾘﾋﾞｯﾄ Ver.0001.121] メモ名変更時の不具合修正",
    "[2010.02.25 ｽｸﾘﾋﾞｯﾄ Ver.0001.122] Jotbook Ver.6.1対応",
    SCRIBBIT_HISTORY_LINE,
};

}  // namespace

// The host finds the tool by this name; C linkage keeps it undecorated.
extern "C" __declspec(dllexport) ToolBase* NewJotbookTool(CWnd* parent, HostSettings* settings) {
  ToolPanel* tool = new (std::nothrow) ToolPanel(parent);
  if (!tool) return NULL;
  tool->hostSettings = settings;
  for (const char* line : revisionHistory) tool->history.SetAtGrow(tool->history.GetSize(), line);
  return tool;
}

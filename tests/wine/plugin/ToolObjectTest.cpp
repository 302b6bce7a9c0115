// The tool object as the host sees it: the export, the public fields, and
// the seven operations reached by their slot numbers.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "ToolHarness.h"

namespace {

// Calls a virtual operation by its slot number, as a host built by another
// compiler does: through the object's table, with the this-call convention.
template <typename Result, typename... Args>
Result CallSlot(void* object, int slot, Args... args) {
  typedef Result(__attribute__((thiscall)) * Operation)(void*, Args...);
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Operation>(table[slot])(object, args...);
}

std::string Hex(const char* text) {
  std::string hex;
  char byte[4];
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    snprintf(byte, sizeof(byte), "%02X ", *p);
    hex += byte;
  }
  return hex;
}

TEST(ToolObject, FactoryFillsTheFieldsTheHostReads) {
  ToolHarness harness;
  ASSERT_TRUE(ToolHarness::Library());
  ToolHarness::NewToolFunction newTool = ToolHarness::Factory();
  ASSERT_TRUE(newTool);
  ToolBase* tool = newTool(harness.hostObject.AsWnd(), &harness.settings);
  ASSERT_TRUE(tool);

  const char* expected[] = {
      "[2006.01.01 ｽｸﾘﾋﾞｯﾄ Ver.0001.000] 初版リリース",
      "[2006.02.11 ｽｸﾘﾋﾞｯﾄ Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
      "[2006.02.13 ｽｸﾘﾋﾞｯﾄ Ver.0001.101] HTMLの読込み、表示可能に",
      "[2006.02.13 ｽｸﾘﾋﾞｯﾄ Ver.0001.111] 新規メモ作成時の不具合修正",
      "[2008.04.26 ｽｸﾘﾋﾞｯﾄ Ver.0001.121] メモ名変更時の不具合修正",
      "[2010.02.25 ｽｸﾘﾋﾞｯﾄ Ver.0001.122] Jotbook Ver.6.1対応",
  };
  // The lines of earlier releases stay as they were; the newest is the next test's.
  ASSERT_EQ(7, tool->history.GetSize());
  for (int i = 0; i < 6; ++i) EXPECT_STREQ(expected[i], tool->history[i]) << i;
  // Half-width katakana are single bytes: ｽｸﾘﾋﾞｯﾄ is BD B8 D8 CB DE AF C4.
  EXPECT_EQ("5B 32 30 30 36 2E 30 31 2E 30 31 20 BD B8 D8 CB DE AF C4 ", Hex(tool->history[0]).substr(0, 57));

  EXPECT_EQ(harness.hostObject.AsWnd(), tool->hostWindow);
  EXPECT_EQ(&harness.settings, tool->hostSettings);
  EXPECT_EQ(19, tool->toolNumber);
  EXPECT_STREQ("Scribbit", tool->toolName);
  EXPECT_EQ(1, tool->attrA);
  EXPECT_EQ(4624, tool->attrB);
  EXPECT_EQ(0, tool->modalFlag);
  EXPECT_EQ(-1, static_cast<ToolPanel*>(tool)->currentSelection);
  EXPECT_TRUE(!static_cast<ToolPanel*>(tool)->Memo().IsOpen());
  // The module is named Scribbit.dll, so both tool pictures load.
  EXPECT_TRUE(tool->toolPicture);
  EXPECT_TRUE(tool->toolMask);
  BITMAP picture;
  ASSERT_TRUE(::GetObjectA(tool->toolPicture, sizeof(picture), &picture));
  EXPECT_EQ(32, picture.bmWidth);
  EXPECT_EQ(32, picture.bmHeight);
  delete tool;
}

TEST(ToolObject, NewestHistoryLineNamesTheProjectVersion) {
  ToolHarness harness;
  ToolBase* tool = ToolHarness::Factory()(harness.hostObject.AsWnd(), &harness.settings);
  ASSERT_TRUE(tool);
  ASSERT_EQ(7, tool->history.GetSize());
  const std::string newest(static_cast<const char*>(tool->history[6]));
  const std::string previous(static_cast<const char*>(tool->history[5]));
  delete tool;

  // "1.200" is written Ver.0001.200, as the older lines write theirs.
  int major = -1, minor = -1;
  ASSERT_EQ(2, sscanf(SCRIBBIT_PROJECT_VERSION, "%d.%d", &major, &minor));
  char version[48];
  snprintf(version, sizeof(version), " ｽｸﾘﾋﾞｯﾄ Ver.%04d.%03d] ", major, minor);
  // "[yyyy.mm.dd" + version + what changed.
  const size_t dateEnd = 11;
  ASSERT_GT(newest.size(), dateEnd + strlen(version)) << newest;
  EXPECT_EQ('[', newest[0]);
  EXPECT_EQ(version, newest.substr(dateEnd, strlen(version)));
  const std::string date = newest.substr(1, 10);
  for (size_t i = 0; i < date.size(); ++i)
    EXPECT_TRUE(i == 4 || i == 7 ? date[i] == '.' : isdigit(static_cast<unsigned char>(date[i]))) << date;
  // Newest last: its date is not before the line above it.
  EXPECT_GE(date, previous.substr(1, 10));
}

TEST(ToolObject, OnlyExportIsTheFactory) {
  HMODULE module = ToolHarness::Library();
  ASSERT_TRUE(module);
  const BYTE* base = reinterpret_cast<const BYTE*>(module);
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(0u, directory.VirtualAddress);
  const IMAGE_EXPORT_DIRECTORY* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  ASSERT_EQ(1u, exports->NumberOfNames);
  EXPECT_EQ(1u, exports->NumberOfFunctions);
  const DWORD* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  EXPECT_STREQ("NewJotbookTool", reinterpret_cast<const char*>(base + names[0]));
}

TEST(ToolObject, OperationsSitAtSlots52To58) {
  // With this compiler a pointer to a virtual member holds 1 + its byte offset in the table.
  auto slotOf = [](auto member) {
    ptrdiff_t raw;
    memcpy(&raw, &member, sizeof(raw));
    return static_cast<int>((raw - 1) / static_cast<ptrdiff_t>(sizeof(void*)));
  };
  EXPECT_EQ(52, slotOf(&ToolBase::SaveState));
  EXPECT_EQ(53, slotOf(&ToolBase::SearchMemos));
  EXPECT_EQ(54, slotOf(&ToolBase::GetDisplayName));
  EXPECT_EQ(55, slotOf(&ToolBase::CreateToolWindow));
  EXPECT_EQ(56, slotOf(&ToolBase::StartTool));
  EXPECT_EQ(57, slotOf(&ToolBase::GetTemplateId));
  EXPECT_EQ(58, slotOf(&ToolBase::RunSettings));
  // The dialogs' own operation is the first after the dialog's.
  EXPECT_EQ(52, slotOf(&SettingsDialog::DoModalWithSettings));
  EXPECT_EQ(52, slotOf(&MemoNameDialog::DoModalWithSettings));
  EXPECT_EQ(52, slotOf(&ExtEditDialog::DoModalWithSettings));
}

TEST(ToolObject, HostReachesEveryOperationBySlot) {
  ToolHarness harness;
  ToolHarness::NewToolFunction newTool = ToolHarness::Factory();
  harness.tool = newTool(harness.hostObject.AsWnd(), &harness.settings);
  void* tool = harness.tool;

  const char* name = CallSlot<const char*>(tool, 54);
  EXPECT_STREQ("スクリビット", name);
  EXPECT_EQ("83 58 83 4E 83 8A 83 72 83 62 83 67 ", Hex(name));
  EXPECT_EQ(149u, CallSlot<UINT>(tool, 57));
  // Before the panel exists there is no position to store and no memo to write.
  EXPECT_EQ(0, CallSlot<int>(tool, 52));
  EXPECT_EQ(0, (CallSlot<int, SearchRequest*, const char*>(tool, 53, nullptr, "x")));

  CallSlot<void>(tool, 56);
  ASSERT_TRUE(PumpUntil([&] { return harness.host.Count(WM_TOOL_READY) > 0; }));
  ASSERT_TRUE(harness.PanelWindow());
  // The same text on every call, before and after the window exists.
  EXPECT_EQ(name, CallSlot<const char*>(tool, 54));
  EXPECT_STREQ("スクリビット", CallSlot<const char*>(tool, 54));
  EXPECT_EQ(0, CallSlot<int>(tool, 52));
  EXPECT_EQ("0", harness.settings.Get("WndPosX"));

  // Slot 58 from the host's thread runs the settings dialog on the panel's thread.
  DialogAnswerer answer(harness.PanelThreadId(), IDCANCEL, harness.PanelWindow());
  EXPECT_EQ(0, (CallSlot<LRESULT, WPARAM, LPARAM>(tool, 58, 0, 0)));
  EXPECT_TRUE(answer.Wait());
  EXPECT_EQ("スクリビットの設定", answer.caption);
  EXPECT_EQ(0, harness.tool->modalFlag);
}

}  // namespace

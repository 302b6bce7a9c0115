// Byte layouts that callers built by another compiler rely on.
#include <gtest/gtest.h>

#include <cstddef>

#include "ToolHarness.h"

namespace {

ptrdiff_t OffsetIn(const void* object, const void* member) { return static_cast<const char*>(member) - static_cast<const char*>(object); }

TEST(LayoutContract, WindowHandleSitsAtOffset28) {
  CWnd window;
  EXPECT_EQ(28, OffsetIn(&window, &window.m_hWnd));
  // A host window object read through the same layout yields its handle.
  FakeHostWindowObject host;
  host.handle = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(host.handle, host.AsWnd()->m_hWnd);
}

TEST(LayoutContract, SearchRequestFields) {
  SearchRequest request;
  EXPECT_EQ(0, OffsetIn(&request, &request.resultWindow));
  EXPECT_EQ(4, OffsetIn(&request, &request.searchMode));
  EXPECT_EQ(2u, sizeof(request.searchMode));
  EXPECT_EQ(12, OffsetIn(&request, const_cast<int*>(&request.stopFlag)));
}

TEST(LayoutContract, StringObjectIsOnePointerToItsText) {
  CString text("メモ");
  ASSERT_EQ(sizeof(char*), sizeof(CString));
  const char* const* member = reinterpret_cast<const char* const*>(&text);
  EXPECT_EQ(text.GetString(), *member);
  EXPECT_STREQ("\x83\x81\x83\x82", *member);
}

TEST(LayoutContract, HostSettingsTableHasThreeSlots) {
  struct Probe : HostSettings {
    void ReadValue(int, const char*, char* out) override { out[0] = 'r'; }
    void WriteValue(int, const char*, const char*) override { wrote = true; }
    const char* GetHostPath(int, int) override { return "p"; }
    bool wrote = false;
  } probe;
  typedef void(__attribute__((thiscall)) * Read)(void*, int, const char*, char*);
  typedef void(__attribute__((thiscall)) * Write)(void*, int, const char*, const char*);
  typedef const char*(__attribute__((thiscall)) * Path)(void*, int, int);
  void** table = *reinterpret_cast<void***>(&probe);
  char out[4] = "";
  reinterpret_cast<Read>(table[0])(&probe, 19, "k", out);
  reinterpret_cast<Write>(table[1])(&probe, 19, "k", "v");
  EXPECT_EQ('r', out[0]);
  EXPECT_TRUE(probe.wrote);
  EXPECT_STREQ("p", reinterpret_cast<Path>(table[2])(&probe, 1, 0));
}

}  // namespace

// Opening a 200,000-byte text memo into the pane and writing it back, through
// the real panel, against a bare CreateFile/ReadFile/CloseHandle and a bare
// CreateFile/WriteFile/CloseHandle of the same file in the same process. Best
// of five each; the goal is at most 2 ms for each panel figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "Timing.h"
#include "ToolHarness.h"

namespace {

const size_t memoBytes = 200000;
const int runs = 5;

// Best of five in milliseconds: prepare (untimed), then the timed work.
double Best(const std::function<void()>& prepare, const std::function<void()>& work) { return 1000.0 * BestOfFivePrepared(prepare, work); }

// CP932 memo text in lines ending with CR LF, as the pane keeps it.
std::string MemoText() {
  const std::string line = "メモの一行です。Scribbit memo line 0123456789\r\n";
  std::string text;
  while (text.size() + line.size() <= memoBytes) text += line;
  text.append(memoBytes - text.size(), 'x');
  return text;
}

std::string BareRead(const std::string& path) {
  std::string bytes(memoBytes + 1, '\0');
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  DWORD got = 0;
  ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, NULL);
  ::CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

void BareWrite(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  ::CloseHandle(file);
}

void Report(const char* what, double ms, double baseline, const char* baselineName) {
  printf("%-52s %7.3f ms  ratio %6.2f to %s%s\n", what, ms, ms / baseline, baselineName, ms <= 2.0 ? "" : "  (over 2 ms)");
}

}  // namespace

int main() {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  const std::string text = MemoText();
  const std::string big = harness.Folder1() + "\\big.txt";
  WriteFileBytes(big, text);
  WriteFileBytes(harness.Folder1() + "\\small.txt", "");
  if (!harness.Start()) return 1;
  ToolPanel* panel = harness.Panel();
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  int bigIndex = -1, smallIndex = -1;
  harness.OnPanelThread([&] {
    for (int i = 0; i < panel->memoList->GetCount(); ++i) {
      char title[CVardenListBox::TextBufferSize];
      panel->memoList->GetText(i, title);
      (std::string(title) == "big" ? bigIndex : smallIndex) = i;
    }
  });
  auto select = [&](int index) { panel->memoList->SetCurSel(index); };

  double bareRead = Best([] {}, [&] { BareRead(big); });
  double bareWrite = Best([] {}, [&] { BareWrite(big, text); });

  // Selecting the memo closes the small one (unedited: nothing written) and opens it.
  double open = 0;
  harness.OnPanelThread([&] { open = Best([&] { select(smallIndex); }, [&] { select(bigIndex); }); });
  bool shown = ::SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(memoBytes);

  // The host's SaveState from its own thread: sent to the panel, which writes the pane.
  int saved = 0;
  double saveState = Best([] {}, [&] { saved += harness.tool->SaveState(); });

  // Closing the edited memo by selecting another writes it; opening the empty one is part of the figure.
  double close = 0;
  harness.OnPanelThread([&] {
    close = Best(
        [&] {
          select(bigIndex);
          ::SendMessageA(pane, EM_SETMODIFY, TRUE, 0);
        },
        [&] { select(smallIndex); });
  });
  bool written = ReadFileBytes(big) == text;

  // The pieces of those figures that the platform's edit control costs by
  // itself: under Wine, taking 200,000 bytes into the multi-line pane lays out
  // every line and costs far more than the whole read.
  std::string readBack(memoBytes + 1, '\0');
  double setText = 0, getText = 0, emptyText = 0;
  harness.OnPanelThread([&] {
    select(bigIndex);
    setText = Best([] {}, [&] { ::SetWindowTextA(pane, text.c_str()); });
    getText = Best([] {}, [&] { ::GetWindowTextA(pane, &readBack[0], static_cast<int>(readBack.size())); });
    emptyText = Best([&] { ::SetWindowTextA(pane, text.c_str()); }, [&] { ::SetWindowTextA(pane, ""); });
  });

  printf("memo of %u bytes, best of %d\n", static_cast<unsigned>(memoBytes), runs);
  printf("%-52s %7.3f ms\n", "bare read (CreateFile/ReadFile/CloseHandle)", bareRead);
  printf("%-52s %7.3f ms\n", "bare write (CreateFile/WriteFile/CloseHandle)", bareWrite);
  Report("open: select the memo (read, pane filled)", open, bareRead, "bare read");
  Report("write: SaveState from the host's thread", saveState, bareWrite, "bare write");
  Report("write: close of the edited memo (selecting another)", close, bareWrite, "bare write");
  printf("%-52s %7.3f ms  ratio %6.2f to bare read\n", "  of which: pane SetWindowTextA", setText, setText / bareRead);
  printf("%-52s %7.3f ms  ratio %6.2f to bare write\n", "  of which: pane GetWindowTextA", getText, getText / bareWrite);
  printf("%-52s %7.3f ms  ratio %6.2f to bare write\n", "  of which: pane emptied (SetWindowTextA \"\")", emptyText, emptyText / bareWrite);
  if (!shown || saved != runs || !written) {
    printf("check failed: shown %d, saved %d of %d, written back %d\n", shown, saved, runs, written);
    return 1;
  }
  return 0;
}

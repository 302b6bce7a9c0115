// Opening a 200,000-byte text memo into the pane and writing it back, through
// the real panel, against a bare read, a bare write and a bare atomic write
// (temporary file, flush, rename) of the same file in the same process. Best
// of five each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "store/MemoFile.h"
#include "store/MemoHistory.h"
#include "Timing.h"
#include "ToolHarness.h"
#include "framework/WideText.h"

namespace {

const size_t memoBytes = 200000;
const int runs = 5;

// Best of five in milliseconds: prepare (untimed), then the timed work.
double Best(const std::function<void()>& prepare, const std::function<void()>& work) { return 1000.0 * BestOfFivePrepared(prepare, work); }

// CP932 memo text in lines ending with CR LF, as the pane keeps it.
std::string PlainMemoText() {
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

std::string Utf8Of(const std::string& cp932) {
  std::wstring wide(cp932.size(), L'\0');
  wide.resize(::MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &wide[0], static_cast<int>(wide.size())));
  std::string utf8(3 * wide.size(), '\0');
  utf8.resize(
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], static_cast<int>(utf8.size()), NULL, NULL));
  return utf8;
}

// What an atomic save must do at the least: a temporary file beside the
// memo, written, flushed to the disk, closed, and renamed over the memo.
void BareAtomicWrite(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".bench-tmp";
  HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
  ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// A Unicode edit control of the pane's exact styles, size, font, limit and margins,
// in a hidden window of its own on the calling thread, as the pane sits in the hidden panel.
HWND BareEditLikePane(HWND pane) {
  RECT rect;
  ::GetWindowRect(pane, &rect);
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 650, NULL, NULL, NULL, NULL);
  DWORD style = static_cast<DWORD>(::GetWindowLongA(pane, GWL_STYLE)) & ~(ES_READONLY | WS_DISABLED);
  HWND bare = ::CreateWindowExW(static_cast<DWORD>(::GetWindowLongA(pane, GWL_EXSTYLE)), L"EDIT", L"", style, 0, 0, rect.right - rect.left,
                                rect.bottom - rect.top, parent, NULL, NULL, NULL);
  ::SendMessageA(bare, WM_SETFONT, ::SendMessageA(pane, WM_GETFONT, 0, 0), FALSE);
  ::SendMessageA(bare, EM_LIMITTEXT, ::SendMessageA(pane, EM_GETLIMITTEXT, 0, 0), 0);
  DWORD margins = static_cast<DWORD>(::SendMessageA(pane, EM_GETMARGINS, 0, 0));
  ::SendMessageA(bare, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(LOWORD(margins), HIWORD(margins)));
  return bare;
}

// Milliseconds per character of keystrokes into the pane, as the pane
// handles WM_CHAR.
double Keystrokes(HWND pane, int count) {
  int end = ::GetWindowTextLengthW(pane);
  ::SendMessageW(pane, EM_SETSEL, end, end);
  return 1000.0 * Seconds([&] {
           for (int i = 0; i < count; ++i) ::SendMessageW(pane, WM_CHAR, i % 10 == 9 ? L'\x3042' : L'a' + i % 10, 1);
         }) /
         count;
}

void Report(const char* what, double ms, double baseline, const char* baselineName) {
  printf("%-52s %7.3f ms  ratio %6.2f to %s%s\n", what, ms, ms / baseline, baselineName, ms <= 2.0 ? "" : "  (over 2 ms)");
}

}  // namespace

int main() {
  ToolHarness harness;
  ::CreateDirectoryA(harness.Folder1().c_str(), NULL);
  const std::string text = PlainMemoText();
  const std::string big = harness.Folder1() + "\\big.txt";
  WriteFileBytes(big, text);
  WriteFileBytes(harness.Folder1() + "\\small.txt", "");
  // The same text as a UTF-8 memo without a byte order mark: detected, then
  // converted for the pane.
  WriteFileBytes(harness.Folder1() + "\\big8.txt", Utf8Of(text));
  if (!harness.Start()) return 1;
  ToolPanel* panel = harness.Panel();
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  int bigIndex = -1, smallIndex = -1, utf8Index = -1;
  harness.OnPanelThread([&] {
    for (int i = 0; i < panel->memoList->GetCount(); ++i) {
      char title[CVardenListBox::TextBufferSize];
      panel->memoList->GetText(i, title);
      std::string name = title;
      (name == "big" ? bigIndex : name == "big8" ? utf8Index : smallIndex) = i;
    }
  });
  auto select = [&](int index) { panel->memoList->SetCurSel(index); };

  double bareRead = Best([] {}, [&] { BareRead(big); });
  double bareWrite = Best([] {}, [&] { BareWrite(big, text); });

  // Selecting the memo closes the small one (unedited: nothing written) and opens it.
  double open = 0;
  harness.OnPanelThread([&] { open = Best([&] { select(smallIndex); }, [&] { select(bigIndex); }); });
  bool shown = ::SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(memoBytes);

  // The whole open side by side with what the platform's edit control costs
  // alone: the same text into an edit control made like the pane, on the
  // panel's thread, emptied before each run as the pane is.
  double sideOpen = 0, bareSet = 0;
  harness.OnPanelThread([&] {
    HWND bare = BareEditLikePane(pane);
    const std::u16string wideText = WideFromCp932(text.c_str());
    for (int run = 0; run < runs; ++run) {
      select(smallIndex);
      double opening = Seconds([&] { select(bigIndex); });
      ::SetWindowTextW(bare, L"");
      double setting = Seconds([&] { ::SetWindowTextW(bare, WidePointer(wideText)); });
      sideOpen = run ? std::min(sideOpen, opening) : opening;
      bareSet = run ? std::min(bareSet, setting) : setting;
    }
    ::DestroyWindow(::GetParent(bare));
  });
  sideOpen *= 1000.0;
  bareSet *= 1000.0;

  // The UTF-8 memo's open side by side with the CP932 memo's.
  double openUtf8 = 0, openCp932 = 0;
  bool utf8Shown = false;
  harness.OnPanelThread([&] {
    for (int run = 0; run < runs; ++run) {
      select(smallIndex);
      double cp932 = Seconds([&] { select(bigIndex); });
      select(smallIndex);
      double utf8 = Seconds([&] { select(utf8Index); });
      openCp932 = run ? std::min(openCp932, cp932) : cp932;
      openUtf8 = run ? std::min(openUtf8, utf8) : utf8;
    }
    utf8Shown = ::GetWindowTextLengthA(pane) == static_cast<int>(memoBytes) && !(::GetWindowLongA(pane, GWL_STYLE) & ES_READONLY);
  });
  openUtf8 *= 1000.0;
  openCp932 *= 1000.0;

  const std::string bare = harness.Folder1() + "\\bare.bin";
  // The host's SaveState from its own thread over an edited pane: sent to the
  // panel, which checks the file and saves the pane atomically; side by side
  // with the bare atomic sequence.
  int saved = 0;
  double saveState = 0, bareAtomic = 0;
  for (int run = 0; run < runs; ++run) {
    ::SendMessageA(pane, EM_SETMODIFY, TRUE, 0);
    double saving = Seconds([&] { saved += harness.tool->SaveState(); });
    double bareSaving = Seconds([&] { BareAtomicWrite(bare, text); });
    saveState = run ? std::min(saveState, saving) : saving;
    bareAtomic = run ? std::min(bareAtomic, bareSaving) : bareSaving;
  }
  saveState *= 1000.0;
  bareAtomic *= 1000.0;
  // The session's durable save alone, as every writer of a memo makes it:
  // the check of the file by its bytes, then the atomic save with its folder
  // flush; side by side with the bare durable sequence of as many bytes.
  double unitSave = 0, bareDurable = 0;
  MemoSession session;
  session.Open(harness.Folder1() + "\\", "big", MemoKindText);
  session.Load();
  const std::u16string wideText = WideFromCp932(text.c_str());
  BestOfFiveSideBySide([&] { session.Write(wideText, true, MemoWriter::Host); },
                       [&] {
                         BareAtomicWrite(bare, text);
                         FlushFolderOf(PlatformMemoFileOps(), bare.c_str());
                       },
                       unitSave, bareDurable);
  unitSave *= 1000.0;
  bareDurable *= 1000.0;
  // A save that first keeps the bytes it replaces as a version, side by
  // side with the same save without: on one volume the version is a second
  // name of the old file, and costs a link and a folder flush.
  double historySave = 0, plainSave = 0;
  {
    MemoHistory history(PlatformMemoFileOps());
    history.SetPath(harness.Folder1() + "\\History\\");
    const std::string kept = harness.Folder1() + "\\kept.txt", plain = harness.Folder1() + "\\plain.txt";
    const std::string texts[2] = {text, text + "!"};
    MemoFileStamp stamp;
    int keptTurn = 0, plainTurn = 0;
    SaveMemoFile(PlatformMemoFileOps(), kept.c_str(), texts[0], stamp);
    BestOfFiveSideBySide(
        [&] {
          history.Keep(kept.c_str(), texts[keptTurn++ % 2]);
          SaveMemoFile(PlatformMemoFileOps(), kept.c_str(), texts[keptTurn % 2], stamp);
        },
        [&] { SaveMemoFile(PlatformMemoFileOps(), plain.c_str(), texts[++plainTurn % 2], stamp); }, historySave, plainSave);
    historySave *= 1000.0;
    plainSave *= 1000.0;
  }
  // The check before a save, reading the file whole, alone.
  double checkOnly = 1000.0 * BestOfFive([&] { session.Check(true); });

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

  // A keystroke into the pane, whose edits the panel keeps for recovery,
  // and into an edit made like it that nothing watches, in turns on the
  // panel's thread, best of fifteen.
  double withRecovery = 0, withoutRecovery = 0;
  const int keystrokes = 200;
  HWND unwatched = NULL;
  harness.OnPanelThread([&] {
    select(bigIndex);
    unwatched = BareEditLikePane(pane);
  });
  // Each turn starts from the text just set, as the edit control lays it out
  // afresh then; one turn a call, since a turn takes seconds under Wine.
  for (int run = 0; run < 3 * runs; ++run) {
    harness.OnPanelThread([&] {
      ::SetWindowTextA(pane, text.c_str());
      double on = Keystrokes(pane, keystrokes);
      ::SetWindowTextA(unwatched, text.c_str());
      double off = Keystrokes(unwatched, keystrokes);
      withRecovery = run ? std::min(withRecovery, on) : on;
      withoutRecovery = run ? std::min(withoutRecovery, off) : off;
    });
  }
  harness.OnPanelThread([&] { ::DestroyWindow(::GetParent(unwatched)); });

  // The recovery record of the edited memo, written as the panel's timer
  // writes it, side by side with a bare atomic write of as many bytes.
  double recoveryWrite = 0, bareRecordSized = 0;
  std::string recordBytes;
  harness.OnPanelThread([&] {
    select(bigIndex);
    ::SetWindowTextA(pane, (text + "!").c_str());
    ::SendMessageA(pane, EM_SETMODIFY, TRUE, 0);
    // The record is written once the typing has paused.
    ::Sleep(1500);
    HWND window = harness.PanelWindow();
    ::SendMessageA(window, WM_TIMER, RecoveryTimer, 0);
    for (const std::string& name : FileNames(harness.recoveryFolder))
      if (name.find(".rcv") != std::string::npos) recordBytes = ReadFileBytes(harness.recoveryFolder + name);
    BestOfFiveSideBySide([&] { ::SendMessageA(window, WM_TIMER, RecoveryTimer, 0); }, [&] { BareAtomicWrite(bare, recordBytes); },
                         recoveryWrite, bareRecordSized);
    select(smallIndex);
  });
  recoveryWrite *= 1000.0;
  bareRecordSized *= 1000.0;
  bool recordWritten = recordBytes.size() > memoBytes;

  // The folder flush that makes a save's rename durable, alone.
  double folderFlush = 1000.0 * BestOfFive([&] { FlushFolderOf(PlatformMemoFileOps(), big.c_str()); });

  printf("memo of %u bytes, best of %d\n", static_cast<unsigned>(memoBytes), runs);
  printf("%-52s %7.3f ms\n", "bare read (CreateFile/ReadFile/CloseHandle)", bareRead);
  printf("%-52s %7.3f ms\n", "bare write (CreateFile/WriteFile/CloseHandle)", bareWrite);
  Report("open: select the memo (read, pane filled)", open, bareRead, "bare read");
  printf("%-52s %7.3f ms\n", "bare durable write (temp, write, flush, rename, folder)", bareDurable);
  printf("%-52s %7.3f ms  ratio %6.2f to the bare durable write%s\n", "save: the session's check, then its durable save", unitSave,
         unitSave / bareDurable, unitSave <= 1.3 * bareDurable ? "" : "  (over 1.3)");
  printf("%-52s %7.3f ms  ratio %6.2f to the bare atomic write\n", "save: SaveState of the edited memo, whole", saveState,
         saveState / bareAtomic);
  Report("write: close of the edited memo (selecting another)", close, bareWrite, "bare write");
  printf("%-52s %7.3f ms\n", "  of which: the check, reading the file whole", checkOnly);
  printf("%-52s %7.3f ms\n", "save without keeping a version", plainSave);
  printf("%-52s %7.3f ms  ratio %6.2f to the save without%s\n", "save keeping the bytes it replaces as a version", historySave,
         historySave / plainSave, historySave <= 1.2 * plainSave ? "" : "  (over 1.2)");
  printf("%-52s %7.3f ms\n", "the folder flush alone, nothing to commit", folderFlush);
  printf("%-52s %7.4f ms\n", "keystroke into the memo, recovery off", withoutRecovery);
  printf("%-52s %7.4f ms  ratio %6.3f to recovery off%s\n", "keystroke into the memo, recovery on", withRecovery,
         withRecovery / withoutRecovery, withRecovery <= 1.05 * withoutRecovery ? "" : "  (over 1.05)");
  printf("%-52s %7.3f ms\n", "bare atomic write of the record's size", bareRecordSized);
  printf("%-52s %7.3f ms  ratio %6.2f to the bare atomic write%s\n", "recovery record of the edited memo", recoveryWrite,
         recoveryWrite / bareRecordSized, recoveryWrite <= 1.5 * bareRecordSized ? "" : "  (over 1.5)");
  printf("%-52s %7.3f ms\n", "bare SetWindowTextW into an edit made like the pane", bareSet);
  printf("%-52s %7.3f ms  ratio %6.2f to the bare set%s\n", "open, side by side with it", sideOpen, sideOpen / bareSet,
         sideOpen <= 1.1 * bareSet ? "" : "  (over 1.1)");
  printf("%-52s %7.3f ms\n", "open the memo as CP932, side by side", openCp932);
  printf("%-52s %7.3f ms  ratio %6.2f to the CP932 open%s\n", "open the same text as a UTF-8 memo", openUtf8, openUtf8 / openCp932,
         openUtf8 <= 1.2 * openCp932 ? "" : "  (over 1.2)");
  printf("%-52s %7.3f ms  ratio %6.2f to bare read\n", "  of which: pane SetWindowTextA", setText, setText / bareRead);
  printf("%-52s %7.3f ms  ratio %6.2f to bare write\n", "  of which: pane GetWindowTextA", getText, getText / bareWrite);
  printf("%-52s %7.3f ms  ratio %6.2f to bare write\n", "  of which: pane emptied (SetWindowTextA \"\")", emptyText, emptyText / bareWrite);
  if (!shown || !utf8Shown || saved != runs || !written || !recordWritten) {
    printf("check failed: shown %d, UTF-8 shown %d, saved %d of %d, written back %d, record written %d\n", shown, utf8Shown, saved, runs,
           written, recordWritten);
    return 1;
  }
  return 0;
}

// Runs each memo operation once through the real panel, between two lookups
// of files that do not exist, "MARK-begin~<expected>~<name>" in every folder
// the operation writes and "MARK-end~~<name>" after it has returned: the
// crash-state checker cuts the system call trace there. The memos span a few
// 4 KB blocks, so that a crash may keep part of a write.
#include <functional>

#include "OperationsFixture.h"

namespace {

std::string Text(size_t size, char fill) {
  std::string text;
  while (text.size() + 12 <= size) text += std::string(10, fill) + "\r\n";
  return text;
}

const std::string oldText = Text(9000, 'o');
const std::string newText = Text(10000, 'n');

class CrashStateDriver : public OperationsTest {
public:
  void SetUp() override {
    OperationsTest::SetUp();
    harness.settings.Set("ScribbitFolderPath2", second.Path());
    WriteFileBytes(source / "dropped.txt", newText);
    // The memo's history, made by a first save, is watched with every operation.
    Reset();
    OpenMemo("memo");
    TypeIntoPane("first");
    SaveState(0);
  }

  // The folders of the memos' histories: a version must be on the disk
  // before the text it keeps leaves its memo.
  std::vector<std::string> HistoryFolders() {
    std::vector<std::string> folders;
    for (const std::string& name : FolderNames(harness.historyFolder)) folders.push_back(harness.historyFolder + name);
    return folders;
  }

  // Folder 1 holds "memo" and "other" as they were, folder 2 nothing; the
  // list shows folder 1 with no memo open.
  void Reset() {
    // Away from folder 1 first, so that the open memo is closed before its file goes.
    harness.settings.Set("ScribbitFolderPath5", spare.Path());
    harness.Click(IDC_PANEL_FOLDER5);
    for (const std::string& folder : {harness.Folder1(), second.Path()})
      for (const std::string& name : FileNames(folder)) ::DeleteFileA((folder + "\\" + name).c_str());
    ASSERT_TRUE(WriteFileBytes(MemoPath("memo.txt"), oldText) && WriteFileBytes(MemoPath("other.txt"), "o"));
    harness.Click(IDC_PANEL_FOLDER1);
    harness.settings.Set("ScribbitFolderPath5", "");
  }

  // The host's SaveState, and the messages it shows after it returned.
  int SaveState(size_t messages) {
    int result = -1;
    std::vector<Answer> answers(messages, Press(IDOK));
    EXPECT_EQ(messages, Answering(answers, [&] { result = harness.tool->SaveState(); }).size());
    return result;
  }

  static void Mark(const std::string& folder, const std::string& name) { ::GetFileAttributesA((folder + "\\MARK-" + name).c_str()); }

  TempFolder second;
  TempFolder source;
};

typedef std::function<void(CrashStateDriver&)> Step;

// How the memo stands when the operation starts.
void Closed(CrashStateDriver&) {}
void Opened(CrashStateDriver& d) { d.OpenMemo("memo"); }
void Edited(CrashStateDriver& d) {
  d.OpenMemo("memo");
  d.TypeIntoPane(newText);
}
void EditedAndChangedOutside(CrashStateDriver& d) {
  Edited(d);
  WriteFileBytes(d.MemoPath("memo.txt"), Text(5000, 'x'));
}

// Writes a file the way an editor that does no better would: the old text is
// gone before the new one is on the disk.
void WriteInPlace(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(file, newText.data(), static_cast<DWORD>(newText.size()), &written, NULL));
  ::CloseHandle(file);
}

// The atomic replace, with the folder flushed after the rename or not.
void WriteReplacing(const std::string& folder, bool flushFolder) {
  std::string path = folder + "\\memo.txt", temporary = path + ".tmp";
  HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(file, newText.data(), static_cast<DWORD>(newText.size()), &written, NULL) && ::FlushFileBuffers(file));
  ::CloseHandle(file);
  EXPECT_TRUE(::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  if (!flushFolder) return;
  HANDLE handle = ::CreateFileA(folder.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, NULL);
  EXPECT_TRUE(::FlushFileBuffers(handle));
  ::CloseHandle(handle);
}

std::string Folder1(CrashStateDriver& d) { return d.harness.Folder1(); }
std::string Folder2(CrashStateDriver& d) { return d.second.Path(); }
std::string Recovery(CrashStateDriver& d) { return d.harness.recoveryFolder.substr(0, d.harness.recoveryFolder.size() - 1); }

struct Operation {
  const char* name;
  // What the checker must find. Nothing for the panel's operations; the
  // deliberately bad protocols name the faults they must be caught with.
  const char* expected;
  void (*prepare)(CrashStateDriver&);
  Step act;  // returns once the operation has
  // The folder it writes, watched as folder 1 is.
  std::string (*folder)(CrashStateDriver&);
  // What it leaves there: this file holds these bytes, or none when it is
  // gone; no file when the act checks for itself.
  const char* file;
  const std::string* holds;
};

TEST_F(CrashStateDriver, PlaysEveryOperation) {
  const std::string empty;
  const Operation operations[] = {
      {"save via SaveState", "", Edited, [](CrashStateDriver& d) { EXPECT_EQ(1, d.SaveState(0)); }, Folder1, "memo.txt", &newText},
      {"save via a switch", "", Edited, [](CrashStateDriver& d) { d.OpenMemo("other"); }, Folder1, "memo.txt", &newText},
      {"new", "", Closed, [](CrashStateDriver& d) { d.ClickAnswering(IDC_PANEL_NEW, {TypeTitle("new memo")}); }, Folder1, "new memo.txt",
       &empty},
      {"rename", "", Opened,
       [](CrashStateDriver& d) { d.Answering({TypeTitle("renamed")}, [&] { ::SendMessageA(d.harness.List(), WM_KEYDOWN, VK_F2, 0); }); },
       Folder1, "renamed.txt", &oldText},
      {"move to folder 2", "", Opened,
       [](CrashStateDriver& d) {
         d.ClickAnswering(IDC_PANEL_EXT_EDIT, {[](HWND dialog) {
                            ::SendDlgItemMessageA(dialog, IDC_EXT_FOLDERS, CB_SETCURSEL, 1, 0);
                            PressDialogButton(dialog, IDC_EXT_MOVE);
                          }});
       },
       Folder2, "memo.txt", &oldText},
      {"delete", "", Opened, [](CrashStateDriver& d) { d.ClickAnswering(IDC_PANEL_DELETE, {Press(IDYES)}); }, Folder1, "memo.txt", nullptr},
      {"import", "", Closed, [](CrashStateDriver& d) { d.Drop({d.source / "dropped.txt"}, {Press(IDYES)}); }, Folder1, "dropped.txt",
       &newText},
      {"conflict copy", "", EditedAndChangedOutside, [](CrashStateDriver& d) { EXPECT_EQ(1, d.SaveState(1)); }, Folder1, "memo (2).txt",
       &newText},
      {"recovery write", "", Opened,
       [](CrashStateDriver& d) {
         d.TypeIntoPane(newText);
         // What the pane tells the panel as the user types.
         ::SendMessageA(d.harness.PanelWindow(), WM_COMMAND, MAKEWPARAM(IDC_PANEL_TEXT, EN_CHANGE),
                        reinterpret_cast<LPARAM>(d.harness.Item(IDC_PANEL_TEXT)));
         EXPECT_TRUE(PumpUntil([&] {
           for (const std::string& name : FileNames(Recovery(d)))
             if (name.find(".rcv") != std::string::npos) return true;
           return false;
         }));
         // The record's folder flush has finished.
         d.harness.Sync();
       },
       Recovery, nullptr, nullptr},
      {"probe truncate and write in place", "torn", Closed, [](CrashStateDriver& d) { WriteInPlace(d.MemoPath("memo.txt")); }, Folder1,
       "memo.txt", &newText},
      {"probe delete, then write anew", "missing", Closed,
       [](CrashStateDriver& d) {
         ::DeleteFileA(d.MemoPath("memo.txt").c_str());
         WriteFileBytes(d.MemoPath("memo.txt"), newText);
       },
       Folder1, "memo.txt", &newText},
      {"probe replace without a folder flush", "not-durable", Closed,
       [](CrashStateDriver& d) { WriteReplacing(d.harness.Folder1(), false); }, Folder1, "memo.txt", &newText},
      {"probe replace with a folder flush", "", Closed, [](CrashStateDriver& d) { WriteReplacing(d.harness.Folder1(), true); }, Folder1,
       "memo.txt", &newText},
  };
  for (const Operation& operation : operations) {
    SCOPED_TRACE(operation.name);
    Reset();
    operation.prepare(*this);
    std::vector<std::string> watched = {harness.Folder1()};
    if (operation.folder(*this) != watched[0]) watched.push_back(operation.folder(*this));
    for (const std::string& history : HistoryFolders()) watched.insert(watched.end() - 1, history);
    for (const std::string& folder : watched) Mark(folder, std::string("begin~") + operation.expected + "~" + operation.name);
    operation.act(*this);
    Mark(watched[0], std::string("end~~") + operation.name);
    if (!operation.file) continue;
    std::string file = watched.back() + "\\" + operation.file;
    EXPECT_EQ(operation.holds != nullptr, FileExists(file));
    if (operation.holds) {
      EXPECT_EQ(*operation.holds, ReadFileBytes(file));
    }
  }
}

}  // namespace

// Another program changes the open memo's file: the panel never writes over
// that change. An unedited pane takes the new text; edits go to a memo of
// their own beside it, and a message says where.
#include "OperationsFixture.h"

namespace {

const char keptBeside[] = "このメモはほかのプログラムで書き換えられていました。\nパネルで編集した内容は、新しいメモ「%s」に保存しました。";

std::string KeptMessage(const char* title) {
  char message[512];
  snprintf(message, sizeof(message), keptBeside, title);
  return message;
}

class OutsideChange : public OperationsTest {
public:
  // The panel activated from another program, as when the user comes back from an editor.
  // The check it brings is posted: Answering waits for the box it shows.
  std::vector<Shown> Activate(const std::vector<Answer>& answers) {
    return Answering(answers, [this] { ::SendMessageA(harness.PanelWindow(), WM_ACTIVATE, WA_ACTIVE, 0); });
  }
  // The user clicks into the pane, as on coming back from another program.
  std::vector<Shown> FocusPane(const std::vector<Answer>& answers) {
    return Answering(answers, [this] {
      harness.OnPanelThread([this] {
        ::SetFocus(NULL);
        ::SetFocus(harness.Item(IDC_PANEL_TEXT));
      });
    });
  }
  std::vector<Shown> SaveState(const std::vector<Answer>& answers, int expected) {
    int result = -1;
    std::vector<Shown> shown = Answering(answers, [&] { result = harness.tool->SaveState(); });
    EXPECT_EQ(expected, result);
    return shown;
  }
};

TEST_F(OutsideChange, IsNeverOverwritten) {
  const struct {
    const char* name;
    bool edited;
    // What brings the panel to look at the file.
    std::function<std::vector<Shown>(OutsideChange&, const std::vector<Answer>&)> act;
    const char* keptAs;  // the edits' new memo
  } cases[] = {
      {"unedited, SaveState", false, [](OutsideChange& t, const std::vector<Answer>& a) { return t.SaveState(a, 1); }, ""},
      {"unedited, activation", false, [](OutsideChange& t, const std::vector<Answer>& a) { return t.Activate(a); }, ""},
      {"unedited, into the pane", false, [](OutsideChange& t, const std::vector<Answer>& a) { return t.FocusPane(a); }, ""},
      {"edited, close", true, [](OutsideChange& t, const std::vector<Answer>& a) { return t.Answering(a, [&] { t.OpenMemo("other"); }); },
       "memo (4)"},
      {"edited, SaveState", true, [](OutsideChange& t, const std::vector<Answer>& a) { return t.SaveState(a, 1); }, "memo (4)"},
      {"edited, activation", true, [](OutsideChange& t, const std::vector<Answer>& a) { return t.Activate(a); }, "memo (4)"},
      {"edited, into the pane", true, [](OutsideChange& t, const std::vector<Answer>& a) { return t.FocusPane(a); }, "memo (4)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Memos of the first numbered titles exist already, of either HTML kind.
    WriteMemos({{"memo.txt", "loaded"}, {"memo (2).htm", "<p>taken</p>"}, {"memo (3).html", "<p>taken</p>"}, {"other.txt", ""}});
    OpenMemo("memo");
    if (c.edited) TypeIntoPane("loaded and edited");
    ASSERT_TRUE(WriteFileBytes(MemoPath("memo.txt"), "changed by another program"));
    std::vector<Shown> shown = c.act(*this, c.edited ? std::vector<Answer>{Press(IDOK)} : std::vector<Answer>{});

    EXPECT_EQ("changed by another program", ReadFileBytes(MemoPath("memo.txt")));
    if (c.edited) {
      ASSERT_EQ(1u, shown.size());
      EXPECT_EQ(KeptMessage(c.keptAs), shown[0].text);
      EXPECT_EQ(Information, shown[0].type);
      EXPECT_EQ("loaded and edited", ReadFileBytes(MemoPath(std::string(c.keptAs) + ".txt")));
      EXPECT_NE(-1, IndexOf(c.keptAs));
    } else {
      EXPECT_TRUE(shown.empty());
      EXPECT_FALSE(FileExists(MemoPath("memo (3).txt")));
    }
    // A memo still open shows the file's text, with nothing left to write.
    if (harness.OpenTitle() == "memo") {
      EXPECT_EQ("changed by another program", PaneText());
      EXPECT_FALSE(PaneModified());
    }
    ::DeleteFileA(MemoPath("memo (4).txt").c_str());
  }
}

// Copy tools keep the file's time, and a coarse clock gives a change the
// same one: a change of the same size is found all the same.
TEST_F(OutsideChange, OfTheSameSizeIsFoundWhateverTheTime) {
  const struct {
    const char* what;
    bool edited;
    LONGLONG timeShift;  // in 100 ns, from the time the file had
    std::function<std::vector<Shown>(OutsideChange&, const std::vector<Answer>&)> act;
  } cases[] = {
      {"the same time, before a write", true, 0, [](OutsideChange& t, const std::vector<Answer>& a) { return t.SaveState(a, 1); }},
      {"one tick later, on activation", false, 1, [](OutsideChange& t, const std::vector<Answer>& a) { return t.Activate(a); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteMemos({{"memo.txt", "loaded"}, {"other.txt", ""}});
    OpenMemo("memo");
    if (c.edited) TypeIntoPane("loaded and edited");
    RewriteKeepingTime(MemoPath("memo.txt"), "LOADED");
    HANDLE file =
        ::CreateFileA(MemoPath("memo.txt").c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    FILETIME time;
    ::GetFileTime(file, NULL, NULL, &time);
    ULARGE_INTEGER shifted = {{time.dwLowDateTime, time.dwHighDateTime}};
    shifted.QuadPart += c.timeShift;
    time = {shifted.LowPart, shifted.HighPart};
    ::SetFileTime(file, NULL, NULL, &time);
    ::CloseHandle(file);
    std::vector<Shown> shown = c.act(*this, c.edited ? std::vector<Answer>{Press(IDOK)} : std::vector<Answer>{});
    EXPECT_EQ("LOADED", ReadFileBytes(MemoPath("memo.txt")));
    EXPECT_EQ("LOADED", PaneText());
    EXPECT_EQ(c.edited ? 1u : 0u, shown.size());
    if (c.edited) {
      EXPECT_EQ("loaded and edited", ReadFileBytes(MemoPath("memo (2).txt")));
    }
    ::DeleteFileA(MemoPath("memo (2).txt").c_str());
  }
}

// A box of the panel is up: a change found meanwhile waits for its end, and
// the host's SaveState then keeps nothing twice.
TEST_F(OutsideChange, WaitsForTheBoxUpAndIsKeptOnce) {
  WriteMemos({{"memo.txt", "loaded"}, {"other.txt", ""}});
  OpenMemo("memo");
  TypeIntoPane("loaded and edited");
  ASSERT_TRUE(WriteFileBytes(MemoPath("memo.txt"), "changed by another program"));
  int saved = -1;
  bool keptDuringQuestion = true;
  Answer question = [&](HWND box) {
    ::PostMessageA(harness.PanelWindow(), WM_PANEL_CHECK_DISK, 0, 0);
    harness.OnPanelThread([] {});
    keptDuringQuestion = FileExists(MemoPath("memo (2).txt"));
    PressDialogButton(box, IDNO);
  };
  // The message that the edits were kept: the host saves while it is up.
  Answer kept = [&](HWND box) {
    saved = harness.tool->SaveState();
    PressDialogButton(box, IDOK);
  };
  std::vector<Shown> shown = Answering({question}, [this] { harness.Click(IDC_PANEL_DELETE); });
  EXPECT_FALSE(keptDuringQuestion) << "the disk was checked under the question";
  shown = Answering({kept}, [this] { OpenMemo("other"); });
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(1, saved);
  EXPECT_EQ("loaded and edited", ReadFileBytes(MemoPath("memo (2).txt")));
  EXPECT_FALSE(FileExists(MemoPath("memo (3).txt")));
}

TEST_F(OutsideChange, TouchedFileWithTheSameBytesTakesTheEdits) {
  WriteMemos({{"memo.txt", "same"}});
  OpenMemo("memo");
  TypeIntoPane("same and more");
  ASSERT_TRUE(WriteFileBytes(MemoPath("memo.txt"), "same"));
  EXPECT_TRUE(SaveState({}, 1).empty());
  EXPECT_EQ("same and more", ReadFileBytes(MemoPath("memo.txt")));
  EXPECT_EQ(1u, Titles().size());
}

TEST_F(OutsideChange, VanishedFileIsWrittenBackFromThePane) {
  WriteMemos({{"memo.txt", "last copy"}, {"other.txt", ""}});
  for (bool edited : {false, true}) {
    OpenMemo("memo");
    if (edited) TypeIntoPane("last copy, edited");
    ::DeleteFileA(MemoPath("memo.txt").c_str());
    EXPECT_TRUE(Answering({}, [&] { OpenMemo("other"); }).empty());
    EXPECT_EQ(edited ? "last copy, edited" : "last copy", ReadFileBytes(MemoPath("memo.txt")));
  }
}

// The editor that the panel starts saves the memo; back in the panel the
// memo shows what the editor saved, or, when the pane was edited meanwhile,
// both texts are kept.
TEST_F(OutsideChange, ExternalEditorsSaveComesBackIntoThePanel) {
  char module[MAX_PATH];
  ::GetModuleFileNameA(NULL, module, sizeof(module));
  std::string editor = module;
  harness.settings.Set("ScribbitEditorPath", editor.substr(0, editor.rfind('\\')) + "\\record_args.exe");
  TempFolder records;
  const std::string record = records / "launches.txt";
  ::SetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", record.c_str());
  ::SetEnvironmentVariableA("SCRIBBIT_EDITOR_APPENDS", " + editor");
  for (bool editedMeanwhile : {false, true}) {
    SCOPED_TRACE(editedMeanwhile ? "edited meanwhile" : "left alone");
    WriteMemos({{"memo.txt", "text"}});
    ::DeleteFileA(record.c_str());
    OpenMemo("memo");
    TypeIntoPane("text + panel");
    harness.Click(IDC_PANEL_OPEN_EDITOR);
    // The editor records its start once it has saved.
    ASSERT_TRUE(PumpUntil([&] { return !ReadFileBytes(record).empty(); }));
    if (editedMeanwhile) TypeIntoPane("text + panel + more");
    std::vector<Shown> shown = Activate(editedMeanwhile ? std::vector<Answer>{Press(IDOK)} : std::vector<Answer>{});
    EXPECT_EQ("text + panel + editor", ReadFileBytes(MemoPath("memo.txt")));
    EXPECT_EQ("text + panel + editor", PaneText());
    EXPECT_EQ(editedMeanwhile ? 1u : 0u, shown.size());
    if (editedMeanwhile) {
      EXPECT_EQ("text + panel + more", ReadFileBytes(MemoPath("memo (2).txt")));
    }
  }
  ::SetEnvironmentVariableA("SCRIBBIT_RECORD_ARGS", NULL);
  ::SetEnvironmentVariableA("SCRIBBIT_EDITOR_APPENDS", NULL);
}

// The pane's text set as typing leaves it: in UTF-16, marked edited.
void TypeWide(HWND pane, const std::wstring& text) {
  ::SendMessageW(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageW(pane, EM_SETMODIFY, TRUE, 0);
}

// The question whether a code page 932 memo may become UTF-8 is up, and
// another program rewrites the memo meanwhile, with the host's SaveState or
// without: the answer meets the file as it is then. Its text stays, the
// edits go beside it once, and nothing writes the pane's old text over it.
TEST_F(OutsideChange, DuringTheUtf8QuestionIsNeverOverwritten) {
  char module[MAX_PATH];
  ::GetModuleFileNameA(NULL, module, sizeof(module));
  std::string bin = module;
  harness.settings.Set("ScribbitEditorPath", bin.substr(0, bin.rfind('\\')) + "\\record_args.exe");
  const struct {
    const char* name;
    bool hostSaves;
    std::function<void(OutsideChange&)> write;
  } cases[] = {
      {"close", false, [](OutsideChange& t) { t.OpenMemo("other"); }},
      {"close, the host saving", true, [](OutsideChange& t) { t.OpenMemo("other"); }},
      {"editor", false, [](OutsideChange& t) { t.harness.Click(IDC_PANEL_OPEN_EDITOR); }},
      {"editor, the host saving", true, [](OutsideChange& t) { t.harness.Click(IDC_PANEL_OPEN_EDITOR); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& name : FileNames(harness.Folder1())) ::DeleteFileA(MemoPath(name).c_str());
    WriteMemos({{"memo.txt", "価格"}, {"other.txt", ""}});
    OpenMemo("memo");
    TypeWide(harness.Item(IDC_PANEL_TEXT), L"価格 100€");
    int saved = -1;
    Answer question = [&](HWND box) {
      WriteFileBytes(MemoPath("memo.txt"), "changed by another program");
      if (c.hostSaves) saved = harness.tool->SaveState();
      PressDialogButton(box, IDYES);
    };
    std::vector<Answer> answers = {question, Press(IDOK)};
    // The host's SaveState keeps the edits beside the memo while the question is up: its message comes after it.
    std::vector<Shown> shown = Answering(answers, [&] { c.write(*this); });
    EXPECT_EQ("changed by another program", ReadFileBytes(MemoPath("memo.txt")));
    EXPECT_EQ("\xEF\xBB\xBF\xE4\xBE\xA1\xE6\xA0\xBC 100\xE2\x82\xAC", ReadFileBytes(MemoPath("memo (2).txt")));
    EXPECT_FALSE(FileExists(MemoPath("memo (3).txt")));
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(KeptMessage("memo (2)"), shown[1].text);
    if (c.hostSaves) {
      EXPECT_EQ(1, saved);
    }
  }
}

// A UTF-8 memo without its mark whose edits would read back as code page
// 932 gets the mark wherever the edits go: beside the memo too.
TEST_F(OutsideChange, AUtf8MemoKeptBesideReadsBackAsEdited) {
  WriteMemos({{"memo.txt", "\xE6\x97\xA5\xE6\x9C\xAC"}, {"other.txt", ""}});
  OpenMemo("memo");
  TypeWide(harness.Item(IDC_PANEL_TEXT), L"R = 100 Ω / 6 ÷ 2 = 3");
  ASSERT_TRUE(WriteFileBytes(MemoPath("memo.txt"), "changed by another program"));
  ASSERT_EQ(1u, SaveState({Press(IDOK)}, 1).size());
  OpenMemo("memo (2)");
  HWND pane = harness.Item(IDC_PANEL_TEXT);
  wchar_t text[64] = L"";
  ::GetWindowTextW(pane, text, 64);
  EXPECT_EQ(std::wstring(L"R = 100 Ω / 6 ÷ 2 = 3"), text);
}

}  // namespace

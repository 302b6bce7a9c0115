// The memo operations driven through the real panel as a user does: memos
// in folder 1, buttons pressed, and every dialog and message box answered
// from another thread in the order they come.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ToolHarness.h"

// Types a title into the memo name dialog and presses OK.
Answer TypeTitle(const std::string& title);
// Sets the text of a control of a dialog from outside its thread.
void SetItemText(HWND dialog, int id, const std::string& text);

class OperationsTest : public ::testing::Test {
public:
  void SetUp() override;

  ToolPanel* Panel() { return harness.Panel(); }
  std::string MemoPath(const std::string& fileName) { return harness.Folder1() + "\\" + fileName; }
  // Writes memo files into folder 1 and lists it.
  void WriteMemos(const std::vector<std::pair<std::string, std::string>>& files);
  // Switches to a spare folder and back, as a user does: the open memo is
  // closed and the current folder listed anew.
  void Relist();
  std::vector<std::string> Titles();
  int IndexOf(const std::string& title);
  // Selects an entry as a click does; the selection events open it.
  void Select(int index);
  void OpenMemo(const std::string& title) { Select(IndexOf(title)); }
  // Selects the entry of that title and kind.
  void OpenMemo(const std::string& title, DWORD kind);
  std::string PaneText();
  // Shown within the panel, which the host never shows in these tests.
  bool PaneShown();
  bool PaneModified();
  // Replaces the pane's text as typing does: the pane is marked modified.
  void TypeIntoPane(const std::string& text);

  // Drops the files on the list as a file browser does.
  std::vector<Shown> Drop(const std::vector<std::string>& paths, const std::vector<Answer>& answers);
  // The same by names in any script.
  std::vector<Shown> Drop(const std::vector<std::wstring>& paths, const std::vector<Answer>& answers);

  // Runs action, answering the dialogs and boxes the panel shows with answers
  // in turn, as BoxAnswerer does: each answer's box must come, during the
  // action or after it, and any other fails the test.
  std::vector<Shown> Answering(const std::vector<Answer>& answers, const std::function<void()>& action);
  // Runs action, pressing OK in whatever boxes come.
  std::vector<Shown> AnsweringAny(const std::function<void()>& action);
  std::vector<Shown> ClickAnswering(int id, const std::vector<Answer>& answers) {
    return Answering(answers, [&] { harness.Click(id); });
  }

  ToolHarness harness;
  TempFolder spare;
};

// The title shown while no memo is open.
const char noMemoTitle[] = " (No files opened!) ";

// A memo longer than the pane holds, in short lines so the pane takes it quickly.
std::string TooLongForThePane();

// Writes a file as copy tools do: its last write time stays what it was.
void RewriteKeepingTime(const std::string& path, const std::string& bytes);

// Message box types.
const UINT Stop = MB_ICONSTOP;
const UINT Exclamation = MB_ICONEXCLAMATION;
const UINT Information = MB_ICONINFORMATION;
const UINT QuestionYesNo = MB_ICONQUESTION | MB_YESNO;
const UINT ExclamationYesNo = MB_ICONEXCLAMATION | MB_YESNO;

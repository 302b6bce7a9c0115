// Prints how long filling the memo list with ten thousand items and painting
// it takes, against a bare FindFirstFileA/FindNextFileA loop over as many
// files: the panel lists a memo folder that way right before filling the list.
#include <cstdio>
#include <string>

#include "Timing.h"
#include "components/vardenlist/VardenListBox.h"
#include "framework/Wnd.h"

namespace {

const int itemCount = 10000;
const int runs = 5;

template <class Work>
double BestOfRuns(Work work) {
  return 1000.0 * BestOfFive(work);
}

std::string FileName(const std::string& folder, int index) {
  char name[32];
  sprintf(name, "\\メモ%05d.txt", index);
  return folder + name;
}

std::string CreateFolderOfFiles() {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof(temp), temp);
  std::string folder = std::string(temp) + "listbox_bench";
  ::CreateDirectoryA(folder.c_str(), NULL);
  for (int i = 0; i < itemCount; ++i) {
    HANDLE file = ::CreateFileA(FileName(folder, i).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ::CloseHandle(file);
  }
  return folder;
}

void RemoveFolderOfFiles(const std::string& folder) {
  for (int i = 0; i < itemCount; ++i) ::DeleteFileA(FileName(folder, i).c_str());
  ::RemoveDirectoryA(folder.c_str());
}

int ListFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*.txt").c_str(), &found);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE) return count;
  do ++count;
  while (::FindNextFileA(find, &found));
  ::FindClose(find);
  return count;
}

void FillAndPaint(CVardenListBox* list) {
  list->ResetContent();
  char title[32];
  for (int i = 0; i < itemCount; ++i) {
    sprintf(title, "メモ%05d", i);
    list->SetItemData(list->AddString(title), 116);
  }
  ::UpdateWindow(list->GetSafeHwnd());
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

}  // namespace

int main() {
  CWnd parent(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 700, NULL, NULL, NULL, NULL));
  CVardenListBox* list = CVardenListBox::NewVardenCtrl(&parent, "", RECT{15, 100, 195, 585}, 0);
  list->SetColumnLabel(0, "メモ一覧");
  list->SetActive(1);
  list->SetItemHeight(18);
  PumpMessages();

  std::string folder = CreateFolderOfFiles();
  int listed = 0;
  double listing = BestOfRuns([&] { listed = ListFiles(folder); });
  RemoveFolderOfFiles(folder);

  double filling = BestOfRuns([&] {
    FillAndPaint(list);
    PumpMessages();
  });

  printf("file listing (FindFirstFileA/FindNextFileA, %d files): %.2f ms, best of %d\n", listed, listing, runs);
  printf("list fill and paint (ResetContent, %d AddString + SetItemData, UpdateWindow): %.2f ms, best of %d\n", list->GetCount(), filling,
         runs);
  printf("fill and paint / file listing: %.3f\n", filling / listing);

  list->Teardown();
  delete list;
  ::DestroyWindow(parent.m_hWnd);
  return 0;
}

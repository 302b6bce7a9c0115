// HistoryDialog: the open memo's kept versions, the newest first, with the
// date and time each was replaced, its size and its first line; a read-only
// preview of the one selected; and 「この版に戻す」, which ends the dialog
// with that version chosen.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dialog.h"

class HistoryDialog : public CDialog {
public:
  struct Entry {
    uint64_t time;  // FILETIME ticks, UTC
    uint64_t size;
    std::u16string text;  // decoded as the memo is
  };

  explicit HistoryDialog(CWnd* parent = NULL);

  std::vector<Entry> entries;
  // Whether a version may be brought back: the pane takes edits.
  bool mayRestore;
  // After IDOK, the entry chosen.
  int chosen;

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  int Selected() const;
  void ShowPreview();
};

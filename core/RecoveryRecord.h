#pragma once
// A recovery record: the open memo's edits as the text pane holds them,
// kept outside the memo folders until they reach the memo's file, with what
// is needed to put them back there after the host died.
#include <cstdint>
#include <string>

#include "core/MemoEncoding.h"

struct RecoveryRecord {
  // The tool instance that writes it; empty once no running tool holds it.
  std::string owner;
  // Grows with every write of one owner: its newest record wins.
  uint32_t serial = 0;
  // The memo folder path, ending in a backslash, and the memo's title.
  std::string folder;
  std::string title;
  // Folder 1 of the tool that wrote it, ending in a backslash: the
  // installation its edits belong to, which another host's tool under the
  // same Windows profile must leave them to. Empty in records of before.
  std::string home;
  MemoEncoding encoding = MemoEncoding::Cp932;
  // The memo file the edits started from.
  bool baseExists = false;
  uint64_t baseSize = 0;
  uint64_t baseLastWrite = 0;
  uint64_t baseChecksum = 0;
  // The pane's text, every character it holds.
  std::u16string text;
};

std::string FormatRecoveryRecord(const RecoveryRecord& record);
// False for anything but a whole record, as FormatRecoveryRecord writes it.
bool ParseRecoveryRecord(const std::string& bytes, RecoveryRecord& record);

// The platform's file calls, one of a save's made to fail on purpose.
#pragma once
#include "store/MemoFile.h"

class FailingMemoFileOps : public MemoFileOps {
public:
  // The call of a save, counted from 1 since the last Reset, that fails with
  // this error; 0: none.
  void FailAt(int call, DWORD error = ERROR_DISK_FULL) {
    failAt = call;
    failure = error;
    saveCalls = 0;
  }
  int SaveCalls() const { return saveCalls; }
  // Every read fails.
  bool failReads = false;

  HANDLE CreateTemporary(const char* folder, char* path) override {
    return Fails() ? INVALID_HANDLE_VALUE : MemoFileOps::CreateTemporary(folder, path);
  }
  BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written) override {
    return Fails() ? FALSE : MemoFileOps::Write(file, data, size, written);
  }
  BOOL Flush(HANDLE file) override { return Fails() ? FALSE : MemoFileOps::Flush(file); }
  // A failed close still lets the handle go, as the platform does.
  BOOL Close(HANDLE file) override {
    BOOL closed = MemoFileOps::Close(file);
    return Fails() ? FALSE : closed;
  }
  BOOL Rename(const char* temporary, const char* target, bool replaceExisting) override {
    return Fails() ? FALSE : MemoFileOps::Rename(temporary, target, replaceExisting);
  }
  BOOL Read(HANDLE file, void* buffer, DWORD size, DWORD* read) override {
    if (!failReads) return MemoFileOps::Read(file, buffer, size, read);
    *read = 0;
    ::SetLastError(ERROR_CRC);
    return FALSE;
  }

private:
  bool Fails() {
    if (++saveCalls != failAt) return false;
    ::SetLastError(failure);
    return true;
  }
  int failAt = 0;
  int saveCalls = 0;
  DWORD failure = ERROR_DISK_FULL;
};

// CWinThread and AfxBeginThread: a worker or user-interface thread whose
// object the framework deletes when the thread procedure returns.
#pragma once
#include <windows.h>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
  CWinThread(AFX_THREADPROC procedure, LPVOID parameter);
  virtual ~CWinThread();

  HANDLE m_hThread;
  DWORD m_nThreadID;
  AFX_THREADPROC procedure;
  LPVOID parameter;
};

// Returns NULL when the thread cannot be started.
CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = NULL);

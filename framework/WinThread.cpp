#include "framework/WinThread.h"

#include <process.h>

CWinThread::CWinThread(AFX_THREADPROC threadProc, LPVOID threadParameter)
    : m_hThread(NULL), m_nThreadID(0), procedure(threadProc), parameter(threadParameter) {}

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
}

namespace {

unsigned __stdcall ThreadEntry(void* argument) {
  CWinThread* thread = static_cast<CWinThread*>(argument);
  UINT exitCode = thread->procedure(thread->parameter);
  delete thread;
  return exitCode;
}

}  // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES security) {
  CWinThread* thread = new CWinThread(procedure, parameter);
  // Start suspended so the object is complete before the procedure can end and delete it.
  unsigned id = 0;
  uintptr_t handle = _beginthreadex(security, stackSize, ThreadEntry, thread, CREATE_SUSPENDED, &id);
  if (!handle) {
    delete thread;
    return NULL;
  }
  thread->m_hThread = reinterpret_cast<HANDLE>(handle);
  thread->m_nThreadID = id;
  ::SetThreadPriority(thread->m_hThread, priority);
  if (!(createFlags & CREATE_SUSPENDED)) ::ResumeThread(thread->m_hThread);
  return thread;
}

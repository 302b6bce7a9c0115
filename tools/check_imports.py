#!/usr/bin/env python3
"""Checks that Windows XP SP3, the oldest Windows the tool runs on, can load
the given DLLs and programs: they import only from DLLs that XP has, none of
the functions later Windows added that compilers' runtimes are known to
reach for, and their headers ask for no system newer than 5.1.

    check_imports.py FILE...

Reads each file's headers and import table with objdump. Prints every fault
it finds and ends non-zero when there is one.
"""

import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
OLDEST = (5, 1)

XP_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll", "version.dll", "winmm.dll",
}

# By the DLL that exports them, from Windows Vista on.
NEWER = {
    "kernel32.dll": """
        AcquireSRWLockExclusive AcquireSRWLockShared AddDllDirectory CancelIoEx CancelSynchronousIo
        CompareStringEx CompareStringOrdinal CopyFile2 CreateEventExA CreateEventExW CreateFile2
        CreateFileTransactedA CreateFileTransactedW CreateMutexExA CreateMutexExW CreateSemaphoreExA
        CreateSemaphoreExW CreateSymbolicLinkA CreateSymbolicLinkW CreateThreadpoolTimer CreateThreadpoolWait
        CreateThreadpoolWork CreateWaitableTimerExW EnumSystemLocalesEx FlsAlloc FlsFree FlsGetValue FlsSetValue
        GetCurrentProcessorNumber GetDynamicTimeZoneInformation GetErrorMode GetFileInformationByHandleEx
        GetFinalPathNameByHandleA GetFinalPathNameByHandleW GetLocaleInfoEx GetLogicalProcessorInformationEx
        GetOverlappedResultEx GetProcessIdOfThread GetQueuedCompletionStatusEx GetSystemDefaultLocaleName
        GetSystemTimePreciseAsFileTime GetThreadErrorMode GetThreadId GetTickCount64 GetTimeZoneInformationForYear
        GetUserDefaultLocaleName InitializeConditionVariable InitializeCriticalSectionEx InitializeSRWLock
        InitOnceBeginInitialize InitOnceComplete InitOnceExecuteOnce InitOnceInitialize IsValidLocaleName
        LCIDToLocaleName LCMapStringEx LocaleNameToLCID MoveFileTransactedA MoveFileTransactedW
        QueryFullProcessImageNameA QueryFullProcessImageNameW QueryThreadCycleTime RaiseFailFastException
        ReleaseSRWLockExclusive ReleaseSRWLockShared ResolveLocaleName SetDefaultDllDirectories
        SetFileInformationByHandle SetThreadErrorMode SetThreadStackGuarantee SleepConditionVariableCS
        SleepConditionVariableSRW SubmitThreadpoolWork TryAcquireSRWLockExclusive TryAcquireSRWLockShared
        TrySubmitThreadpoolCallback WakeAllConditionVariable WakeConditionVariable
    """,
    "user32.dll": """
        AddClipboardFormatListener ChangeWindowMessageFilter ChangeWindowMessageFilterEx GetDpiForSystem
        GetDpiForWindow IsProcessDPIAware RegisterPowerSettingNotification RemoveClipboardFormatListener
        SetProcessDPIAware SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext ShutdownBlockReasonCreate
        ShutdownBlockReasonDestroy
    """,
    "shell32.dll": """
        SHCreateItemFromIDList SHCreateItemFromParsingName SHGetIDListFromObject SHGetKnownFolderIDList
        SHGetKnownFolderPath SHGetStockIconInfo SetCurrentProcessExplicitAppUserModelID
    """,
    # XP's comctl32 6.0 exports GetWindowSubclass by ordinal only, so an import by name
    # fails to load there; SetWindowSubclass and DefSubclassProc it exports by name.
    "comctl32.dll": "GetWindowSubclass LoadIconMetric LoadIconWithScaleDown TaskDialog TaskDialogIndirect",
    "advapi32.dll": """
        RegCopyTreeA RegCopyTreeW RegDeleteKeyExA RegDeleteKeyExW RegDeleteTreeA RegDeleteTreeW RegGetValueA
        RegGetValueW RegLoadMUIStringA RegLoadMUIStringW RegSetKeyValueA RegSetKeyValueW
    """,
}
NEWER = {dll: set(names.split()) for dll, names in NEWER.items()}


def newer_msvcrt(name):
    """XP's msvcrt.dll has neither the secure functions (..._s) nor the ones
    taking a locale (..._l): both came with Vista's."""
    return name.endswith("_s") or name.endswith("_l")


def imports(dump):
    """{DLL name in lower case: [imported function names]} from objdump -p."""
    table = {}
    current = None
    for line in dump.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            current = table.setdefault(named.group(1).lower(), [])
        elif current is not None:
            entry = re.match(r"\s*[0-9a-f]+\s+\d+\s+(\S+)", line)
            if entry:
                current.append(entry.group(1))
            elif not line.strip():
                current = None
    return table


def versions(dump):
    fields = dict(re.findall(r"^(M\w+Version)\s+(\d+)", dump, re.M))
    return {kind: (int(fields["Major%sVersion" % kind]), int(fields["Minor%sVersion" % kind]))
            for kind in ("OSystem", "Subsystem")}


def faults_of(path, dump):
    faults = []
    for kind, version in versions(dump).items():
        if version > OLDEST:
            faults.append("%s asks for %s version %d.%d, newer than Windows XP's %d.%d" % ((path, kind) + version + OLDEST))
    for dll, names in imports(dump).items():
        if dll not in XP_DLLS:
            faults.append("%s imports from %s, which Windows XP may not have" % (path, dll))
        for name in names:
            if name in NEWER.get(dll, ()) or (dll == "msvcrt.dll" and newer_msvcrt(name)):
                faults.append("%s imports %s from %s, which Windows XP does not have" % (path, name, dll))
    return faults


def faults(path):
    return faults_of(path, subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True, check=True).stdout)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    found = [fault for path in argv[1:] for fault in faults(path)]
    for fault in found:
        print("import check FAILED: " + fault)
    if found:
        sys.exit(1)
    print("import check: Windows XP SP3 has every function %s imports" % " and ".join(argv[1:]))


if __name__ == "__main__":
    main(sys.argv)

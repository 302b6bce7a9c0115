#include "Keyboard.h"

#include <vector>

bool FocusControl(HWND control) {
  DWORD self = ::GetCurrentThreadId();
  DWORD owner = ::GetWindowThreadProcessId(control, NULL);
  // Focus belongs to a thread's input state: share it for the moment of the change.
  ::AttachThreadInput(self, owner, TRUE);
  ::SetForegroundWindow(::GetAncestor(control, GA_ROOT));
  ::SetFocus(control);
  ::AttachThreadInput(self, owner, FALSE);
  return FocusedControl(owner) == control;
}

HWND FocusedControl(DWORD threadId) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : NULL;
}

namespace {

void AddKey(std::vector<INPUT>& inputs, WORD virtualKey, WORD character) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  if (virtualKey) {
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  } else {
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  inputs.push_back(input);
  input.ki.dwFlags |= KEYEVENTF_KEYUP;
  inputs.push_back(input);
}

}  // namespace

void TypeKeys(const std::wstring& keys) {
  std::vector<INPUT> inputs;
  for (wchar_t key : keys) {
    if (key == L'\r')
      AddKey(inputs, VK_RETURN, 0);
    else if (key == L'\x1b')
      AddKey(inputs, VK_ESCAPE, 0);
    else
      AddKey(inputs, 0, key);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressKey(WORD virtualKey, bool control, bool shift) {
  std::vector<INPUT> inputs;
  if (control) AddKey(inputs, VK_CONTROL, 0);
  if (shift) AddKey(inputs, VK_SHIFT, 0);
  const size_t held = inputs.size();
  AddKey(inputs, virtualKey, 0);
  // Each key held down, the key down and up, then each let go: the last one's first.
  std::vector<INPUT> ordered;
  for (size_t i = 0; i < held; i += 2) ordered.push_back(inputs[i]);
  ordered.insert(ordered.end(), inputs.begin() + held, inputs.end());
  for (size_t i = held; i > 0; i -= 2) ordered.push_back(inputs[i - 1]);
  ::SendInput(static_cast<UINT>(ordered.size()), ordered.data(), sizeof(INPUT));
}

void MoveMouseTo(POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(INPUT));
}

# Sourced by the run and test scripts: a private 32-bit Wine prefix inside
# the build folder, with the Japanese code page.
BUILD=${BUILD:-$(pwd)/build}
export WINEPREFIX="$BUILD/wineprefix" WINEARCH=win32 WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
# Runs "$@" with a display: the current one, or a private Xvfb.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; fi
}
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    with_display sh -c 'wineboot -i >/dev/null 2>&1; wineserver -w'
  fi
  # Xvfb runs no window manager: a managed window that hides or closes makes
  # Wine wait two seconds for a state change that never comes. Unmanaged
  # windows close at once, and Wine draws their frames itself.
  if [ ! -f "$WINEPREFIX/.unmanaged-windows" ]; then
    with_display sh -c 'wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1; wineserver -w'
    touch "$WINEPREFIX/.unmanaged-windows"
  fi
  # A test program that crashes must end at once. Wine would start winedbg,
  # whose crash dialog nobody answers; without the dialog, winedbg attaching to
  # a program that is exiting (a thread crashed as the tests ended) hangs and
  # holds the test's output open. With no debugger the program ends on the
  # crash, after Wine's one-line report of it.
  if [ ! -f "$WINEPREFIX/.no-crash-debugger" ]; then
    with_display sh -c 'wine reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug" /v Debugger /d "" /f >/dev/null 2>&1
      wineserver -w'
    touch "$WINEPREFIX/.no-crash-debugger"
  fi
  # The dialogs are laid out for the narrow proportional Japanese system font;
  # the IPA proportional Gothic is its closest match on Debian.
  if [ ! -f "$WINEPREFIX/.font-replacements" ]; then
    with_display sh -c 'for face in "ＭＳ Ｐゴシック" "ＭＳＰゴシック"; do
        wine reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "$face" /d "IPAPGothic" /f >/dev/null 2>&1
      done; wineserver -w'
    touch "$WINEPREFIX/.font-replacements"
  fi
  # The caption buttons of the windows Wine frames itself are letters of the
  # Marlett font; without it they show as "0 1 r". Debian's fonts-wine ships
  # it outside the prefix, where this Wine does not look.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -e "$fonts/marlett.ttf" ]; then
    local marlett
    marlett=$(dpkg -L fonts-wine | grep -m1 '/marlett\.ttf$')
    mkdir -p "$fonts"
    ln -sf "$marlett" "$fonts/marlett.ttf"
    with_display sh -c 'wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts" /v "Marlett (TrueType)" /d marlett.ttf /f >/dev/null 2>&1; wineserver -w'
  fi
}

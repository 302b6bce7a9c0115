#!/usr/bin/env bash
# Sets up the machine, builds, and makes the pictures of the user's guide in
# docs/images/: the stand-in host runs under a private Xvfb in a Wine desktop,
# with a few Japanese memos and settings made afresh each time;
# screenshot_driver.exe plays each scene and asks for its picture, which this
# script takes once the screen holds still, cut to the window shown
# (tools/screenshots/play_scenes.sh). Run it
# again after a change to the user interface: every picture is made anew.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/prepare.sh
images=$(pwd)/docs/images
mkdir -p "$images"

# The memos and settings live on drive C of the prefix, so the pictures show
# plain Windows paths. Memo text and the INI file are code page 932.
home="$WINEPREFIX/drive_c/Jotbook"
rm -rf "$home"
memo() {  # folder, title, text
  mkdir -p "$1"
  printf '%b' "$3" | iconv -f UTF-8 -t CP932 >"$1/$2.txt"
}
mine="$home/Data/Scribbit"
memo "$mine" "買い物リスト" '牛乳\r\n卵 1パック\r\n食パン\r\nコーヒー豆（深煎り）\r\n'
memo "$mine" "会議メモ" '12月8日 10:00 定例会議\r\n\r\n・来年度の予算案を確認する\r\n・資料は前日までに共有する\r\n・次回は12月15日\r\n\r\n[確認済み]\r\n'
memo "$mine" "読みたい本" '・吾輩は猫である\r\n・坊っちゃん\r\n・こころ\r\n'
memo "$mine" "旅行の計画" '行き先：京都\r\n日程：3月の連休\r\n宿は駅の近くで探す。\r\n'
memo "$mine" "アイデア" 'メモに色を付けられると便利かもしれない。\r\n'
memo "$home/仕事" "週報" '今週：会議資料の作成、見積もりの確認\r\n来週：客先訪問\r\n'
memo "$home/仕事" "電話番号" '総務課 内線 1234\r\n'
printf '%b' '[19]\r\nWndPosX=0\r\nWndPosY=0\r\nScribbitFolderPath2=C:\\Jotbook\\仕事\r\nScribbitFolderName2=仕事\r\n'\
'ScribbitFolderPath3=C:\\Jotbook\\趣味\r\nScribbitFolderName3=趣味\r\nScribbitEditorPath=C:\\windows\\notepad.exe\r\n'\
'ScribbitStamp=[確認済み]\r\n' | iconv -f UTF-8 -t CP932 >"$home/JotbookHost.ini"
mkdir -p "$home/趣味"

requests=$BUILD/screenshot-requests
rm -rf "$requests"
mkdir -p "$requests"

scenes=(--ini "$home/JotbookHost.ini" --data "$home/Data" --open "会議メモ" --new-title "打ち合わせメモ"
  --search "会議 牛乳" --replace "予算案" "予算")
xvfb-run -a -s "-screen 0 1280x1024x24" bash tools/screenshots/play_scenes.sh "$requests" "$images" "${scenes[@]}"

# The panel with the memo open at 120 and 144 dots per inch, as Windows'
# display scaling sets them; the prefix goes back to 96 after.
logPixels() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
for dpi in 120 144; do
  logPixels $dpi
  rm -f "$requests"/*
  xvfb-run -a -s "-screen 0 1280x1024x24" bash tools/screenshots/play_scenes.sh "$requests" "$images" "${scenes[@]}" \
    --memo-only "memo-${dpi}dpi" || { logPixels 96; exit 1; }
done
logPixels 96

#!/usr/bin/env bash
# Makes tenvoll-<version>-windows-x64.zip from a Windows build with the windows:
# the four programs, the Qt DLLs and plugins they load, the compiler's runtime
# DLLs, qt.conf, Qt's Japanese translation, the manual and はじめに.txt.
# Usage: package.sh BUILD_DIR [OUT_DIR]
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$(cd "$1" && pwd)"
out="$(mkdir -p "${2:-$1}" && cd "${2:-$1}" && pwd)"
export LC_ALL=C.UTF-8

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="tenvoll-$version-windows-x64"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"

cp "$build/app/tenvoll.exe" "$build/app/tenvoll-batch.exe" "$build/app/tenvoll-batch-draw.exe" \
    "$build/tools/sample-league/sample-league.exe" "$stage/"
# The build's debugging information stays in the build.
"$TENVOLL_MINGW-strip" --strip-debug "$stage"/*.exe
cp "$TENVOLL_QT_DIR/bin/Qt6Core.dll" "$TENVOLL_QT_DIR/bin/Qt6Gui.dll" \
    "$TENVOLL_QT_DIR/bin/Qt6Widgets.dll" "$stage/"
# The Windows platform for the windows; offscreen for the drawing helper's graphs.
cp "$TENVOLL_QT_DIR/plugins/platforms/qwindows.dll" \
    "$TENVOLL_QT_DIR/plugins/platforms/qoffscreen.dll" "$stage/platforms/"
cp "$TENVOLL_QT_DIR/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
# shellcheck disable=SC2046
cp $(mingw_runtime_dlls) "$stage/"
# Debian's Japanese Qt texts are the same 6.4 catalogue, for every platform.
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"
cp -r "$TENVOLL_ROOT/docs/manual" "$stage/manual"

# Plugins and translations beside the program, wherever it was unpacked.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"

# The first text a user opens, in Notepad's own cp932 with CR LF.
iconv -f UTF-8 -t CP932 <<'TEXT' | sed 's/$/\r/' >"$stage/はじめに.txt"
ボルタナ選手名鑑 (tenvoll) Windows 版

■ 始め方
このフォルダを好きな場所 (例: ドキュメントの中) に置き、tenvoll.exe を
ダブルクリックしてください。
初めて起動したときは、サンプルリーグを作るか、このフォルダをプログラム
フォルダ (Tenvoll.ini とリーグのフォルダを置くフォルダ) として使うかを
選べます。ゲームのリーグのフォルダがあるときは、それをこのフォルダに
コピーしてください。

■ 入っているもの
  tenvoll.exe        選手名鑑 (ウィンドウ)
  tenvoll-batch.exe  コマンドライン版 (tenvoll-batch --help で使い方を表示)
  tenvoll-batch-draw.exe  コマンドライン版がグラフを描くときに使うプログラム
  sample-league.exe  サンプルリーグを作るプログラム
  manual\index.html  説明書
  そのほかの .dll と platforms, styles, translations のフォルダは
  プログラムが使う部品です。消さないでください。

■ 注意
チームファイルや CSV ファイルを他のプログラム (エディタや表計算) で
開いたままにすると、保存できないことがあります。そのときは他の
プログラムで閉じてから、もう一度保存してください。
TEXT

(cd "$out" && rm -f "$name.zip" && zip -q -r -X "$name.zip" "$name")
echo "$out/$name.zip"

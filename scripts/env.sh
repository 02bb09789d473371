# Shared settings of the scripts: the build folder and its private Wine prefix. Sourced, not run.
BRIVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BRIVANE_BUILD=${BRIVANE_BUILD:-$BRIVANE_ROOT/build}
export WINEPREFIX=${WINEPREFIX_OVERRIDE:-$BRIVANE_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

brivane_configure_and_build() {
  "$BRIVANE_ROOT/scripts/bootstrap"
  cmake -S "$BRIVANE_ROOT" -B "$BRIVANE_BUILD" -DCMAKE_TOOLCHAIN_FILE="$BRIVANE_ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$BRIVANE_BUILD" -j"$(nproc)" "$@"
}

# The display scale (LogPixels, dots per inch) that scripts/wine-dpi sets for one program's run. The
# value found before and the setter's process id are noted in the prefix until the value is put back;
# no value means Wine's 96.
BRIVANE_DESKTOP_KEY='HKCU\Control Panel\Desktop'
BRIVANE_LOGPIXELS_NOTE=.brivane-logpixels
brivane_save_logpixels() {
  local value
  value=$(wine reg query "$BRIVANE_DESKTOP_KEY" /v LogPixels 2>/dev/null </dev/null |
    awk '$1 == "LogPixels" && $2 == "REG_DWORD" { print $3 }' | tr -d '\r' || true)
  printf '%s %s\n' "${value:-none}" "$$" >"$WINEPREFIX/$BRIVANE_LOGPIXELS_NOTE"
}
brivane_restore_logpixels() {
  local note="$WINEPREFIX/$BRIVANE_LOGPIXELS_NOTE" value owner
  [ -f "$note" ] || return 0
  read -r value owner <"$note"
  if [ "$value" = none ]; then
    wine reg delete "$BRIVANE_DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1 </dev/null || true
  else
    wine reg add "$BRIVANE_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$((value))" /f >/dev/null 2>&1 </dev/null || true
  fi
  rm -f "$note"
}

# Creates the prefix once (about ten seconds) and keeps it between runs.
brivane_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Xvfb has no window manager: Wine would wait two seconds for each managed window it hides and leave its
  # frame undrawn. Unmanaged windows get Wine's own caption and frame and close at once.
  if [ ! -f "$WINEPREFIX/.brivane-unmanaged" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null &&
      touch "$WINEPREFIX/.brivane-unmanaged"
    # Let this server end: one started here has no display, and windows made under it later would fail.
    wineserver -w
  fi
  # A crashing test program ends at once: Wine's debugger, which the system would start for it, waits
  # for a console that nobody reads and holds the test until CTest's timeout.
  if [ ! -f "$WINEPREFIX/.brivane-nodebugger" ]; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d 'brivane-no-debugger' /f \
      >/dev/null 2>&1 </dev/null && touch "$WINEPREFIX/.brivane-nodebugger"
    wineserver -w
  fi
  # A run of scripts/wine-dpi that was killed left its scale behind; one still running keeps it.
  if [ -f "$WINEPREFIX/$BRIVANE_LOGPIXELS_NOTE" ]; then
    local value owner
    read -r value owner <"$WINEPREFIX/$BRIVANE_LOGPIXELS_NOTE" || true
    if [ -z "$owner" ] || ! kill -0 "$owner" 2>/dev/null; then brivane_restore_logpixels; fi
  fi
  # The prefix never starts BrivaneUpdater.exe on its own: every test that loads Brivane.dll releases an
  # extension object, whose update schedule would otherwise start the updater, which goes to the network.
  # The updater's own tests set the schedule they need.
  if [ ! -f "$WINEPREFIX/.brivane-no-automatic-updates" ]; then
    wine reg add 'HKCU\Software\Brivane' /v AutomaticUpdatesInterval /t REG_BINARY /d 00000000 /f >/dev/null 2>&1 </dev/null &&
      touch "$WINEPREFIX/.brivane-no-automatic-updates"
    wineserver -w
  fi
}

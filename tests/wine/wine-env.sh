#!/usr/bin/env bash
# The Wine side of the test suite: one Xvfb per test run, one ready prefix per Windows version and
# bitness (made once per build tree), and a fresh copy of it for every test case. Nothing here
# touches the user's own ~/.wine or home: each prefix gets a throwaway HOME.
#
#   wine-env.sh start                 start the run's Xvfb (a no-op when it runs)
#   wine-env.sh stop                  stop it and every wineserver of the run
#   wine-env.sh template VER BITS     make the ready prefix for VER (win10, win81, win7, vista, winxp)
#   wine-env.sh run [--version VER] [--bits 32|64] [--dpi N] [--name NAME] [--unprivileged]
#                   -- PROGRAM ARGS...
#                                     run a Windows program in a fresh copy of that prefix;
#                                     --unprivileged runs it as the test user, in a prefix of
#                                     that user's own, where file permissions hold (Wine run
#                                     by root ignores them)
#   wine-env.sh shell [...] -- CMD    the same for a Unix command (wine, reg, ...) with the
#                                     case's environment
#   wine-env.sh demo PROGRAM PNG      run PROGRAM in the lasting demo prefix: on the user's display
#                                     when there is one, else on Xvfb with a screenshot into PNG
set -euo pipefail

state=${TYX_WINE_STATE:-$(cd "$(dirname "$0")/../.." && pwd)/build/wine}
mkdir -p "$state"

base_env() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # A Czech locale gives Wine the ANSI code page 1250, as on the machines the tools are for.
  # (No locale needs generating: Wine reads the name alone, so the shell's complaint is dropped.)
  { export LC_ALL=cs_CZ.UTF-8; } 2>/dev/null
  # Debian keeps wine64 and wineserver beside the loader, off PATH.
  export PATH="/usr/lib/wine:$PATH"
  unset WINELOADER WINESERVER
}

display_of_run() {
  [ -f "$state/display" ] && cat "$state/display"
}

cmd_start() {
  local d
  if d=$(display_of_run) && [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    return 0
  fi
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 < /dev/null &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" > "$state/display"; return 0; }
      sleep 0.1
    done
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  done
  echo "wine-env: no Xvfb display could be started" >&2
  return 1
}

cmd_stop() {
  local p
  base_env
  for p in "$state"/cases/*/prefix "$state"/templates/*; do
    [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true
  done
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

wine_for_bits() { if [ "$1" = 64 ]; then echo wine64; else echo wine; fi; }

cmd_template() {
  local ver=$1 bits=$2 dir="$state/templates/$1-$2"
  [ -d "$dir" ] && return 0
  mkdir -p "$state/templates"
  exec 9>"$state/templates/.lock"
  flock 9
  [ -d "$dir" ] && return 0
  base_env
  local tmp="$dir.tmp" wine
  rm -rf "$tmp"
  export HOME="$state/templates/home-$ver-$bits" WINEPREFIX="$tmp"
  mkdir -p "$HOME"
  wine=$(wine_for_bits "$bits")
  if [ "$bits" = 64 ]; then export WINEARCH=win64; else export WINEARCH=win32; fi
  unset DISPLAY
  $wine wineboot -i >/dev/null 2>&1
  $wine winecfg -v "$ver" >/dev/null 2>&1
  # A virtual desktop: windows get real captions and frames, and activation and z-order are
  # Wine's own, as on Windows, instead of the X server's.
  $wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  # Wine's own TrueType fonts (Tahoma for the dialogs, Marlett for the caption buttons, ...)
  # are not found where Debian puts them; in the prefix's Fonts folder they are.
  if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$tmp/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # The shell folders come up as links into HOME; real folders keep every case's desktop inside
  # its own copy of the prefix.
  local link
  for link in "$tmp"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link"; mkdir "$link"; fi
  done
  mv "$tmp" "$dir"
}

# Parses the common options into ver, bits, dpi, name; leaves the command in "$@" via cmd_args.
parse_case() {
  ver=win10 bits=64 dpi= name= as_user=
  while [ $# -gt 0 ]; do
    case $1 in
      --unprivileged) as_user=${TYX_TEST_USER:-tyxtest}; shift ;;
      --version) ver=$2; shift 2 ;;
      --bits) bits=$2; shift 2 ;;
      --dpi) dpi=$2; shift 2 ;;
      --name) name=$2; shift 2 ;;
      --) shift; break ;;
      *) echo "wine-env: unknown option $1" >&2; exit 2 ;;
    esac
  done
  cmd_args=("$@")
  [ -n "$name" ] || name="case-$$"
}

prepare_case() {
  cmd_start
  cmd_template "$ver" "$bits"
  base_env
  case_dir="$state/cases/$name"
  rm -rf "$case_dir"
  mkdir -p "$case_dir/home"
  cp -a "$state/templates/$ver-$bits" "$case_dir/prefix"
  export HOME="$case_dir/home" WINEPREFIX="$case_dir/prefix" DISPLAY
  DISPLAY=$(display_of_run)
  if [ "$bits" = 64 ]; then export WINEARCH=win64; else export WINEARCH=win32; fi
  export TYX_CASE_DIR="$case_dir"
  run_as=()
  if [ -n "$as_user" ] && [ "$(id -u)" -eq 0 ]; then
    if ! id "$as_user" >/dev/null 2>&1; then
      echo "wine-env: no user $as_user (scripts/install-deps.sh makes it)" >&2
      exit 1
    fi
    # Before any wineserver runs for it: the server's own directory must be the user's too.
    # The prefix names the directory its server used last (in the file "wineserver"); that
    # one is root's, so the user's server makes its own.
    rm -f "$case_dir/prefix/wineserver"
    chown -R "$as_user:" "$case_dir"
    run_as=(setpriv --reuid="$(id -u "$as_user")" --regid="$(id -g "$as_user")" --clear-groups)
  fi
  if [ -n "$dpi" ]; then
    "${run_as[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    "${run_as[@]}" wineserver -k 2>/dev/null || true
    "${run_as[@]}" wineserver -w
  fi
}

finish_case() {
  local rc=$1
  "${run_as[@]}" wineserver -k 2>/dev/null || true
  "${run_as[@]}" wineserver -w 2>/dev/null || true
  if [ "$rc" -eq 0 ] && [ -z "${TYX_KEEP_CASES:-}" ]; then
    rm -rf "$case_dir"
  else
    echo "wine-env: case kept in $case_dir" >&2
  fi
  return "$rc"
}

cmd_run() {
  parse_case "$@"
  prepare_case
  local rc=0
  "${run_as[@]}" wine "${cmd_args[@]}" || rc=$?
  finish_case "$rc"
}

cmd_shell() {
  parse_case "$@"
  prepare_case
  local rc=0
  "${cmd_args[@]}" || rc=$?
  finish_case "$rc"
}

display_usable() {
  [ -n "${DISPLAY:-}" ] && xwd -root -silent >/dev/null 2>&1
}

cmd_demo() {
  local program=$1 shot=$2 prefix="$state/demo-prefix"
  cmd_template win10 64
  base_env
  if [ ! -d "$prefix" ]; then
    cp -a "$state/templates/win10-64" "$prefix.tmp"
    mv "$prefix.tmp" "$prefix"
  fi
  mkdir -p "$state/demo-home"
  export HOME="$state/demo-home" WINEPREFIX="$prefix" WINEARCH=win64
  if display_usable; then
    echo "wine-env: starting $program on $DISPLAY"
    wine "$program"
    return
  fi
  cmd_start
  DISPLAY=$(display_of_run)
  export DISPLAY
  wine "$program" &
  local pid=$!
  # The window is up once the screen holds more than the desktop's single colour.
  for _ in $(seq 1 100); do
    sleep 0.3
    import -window root "$shot" 2>/dev/null || continue
    [ "$(convert "$shot" -format '%k' info: 2>/dev/null || echo 1)" -gt 100 ] && break
  done
  sleep 1
  import -window root "$shot"
  wineserver -k 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  cmd_stop
  echo "wine-env: no display; screenshot of the running tool: $shot"
}

command=${1:-}
shift || true
case $command in
  start) cmd_start ;;
  stop) cmd_stop ;;
  template) cmd_template "$@" ;;
  run) cmd_run "$@" ;;
  shell) cmd_shell "$@" ;;
  demo) cmd_demo "$@" ;;
  *) sed -n '2,16p' "$0" >&2; exit 2 ;;
esac

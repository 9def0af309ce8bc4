#!/usr/bin/env bash
# Installs the build into throwaway prefixes and plays the installed game as
# users would: through the launcher, in a virtual X display, quitting with
# Escape. Settings must land in each user's own folder, survive a reinstall
# elsewhere, and nothing may be written under the prefix.
# Usage: install_test.sh CMAKE_COMMAND BUILD_DIR
set -u
cmake=$1
build=$2
source "$(dirname "$0")/../support/x_session.sh"
require_tools Xvfb xdotool
make_work_folder install
app=io.github.runeblock.runeblock

install_into() {
  "$cmake" --install "$build" --prefix "$1" >"$work/install.log" 2>&1 || {
    cat "$work/install.log"
    fail "cmake --install into $1 failed"
  }
}

# Sizes and modification times of everything under a prefix.
listing() {
  (cd "$1" && find . -printf '%p %y %s %T@ %l\n' | sort)
}

install_into "$work/prefix"
prefix=$work/prefix
media=$prefix/share/runeblock/Media
for file in bin/runeblock libexec/runeblock/runeblock; do
  [ -x "$prefix/$file" ] || fail "$file is not installed as a program"
done
for file in bmp/sys/list.txt bmp/sys/font.bmp bmp/char/list.txt bmp/en/list.txt wav/list.txt map/list.txt; do
  [ -s "$media/$file" ] || fail "the media lack $file"
done
if find "$media" -name '*.tmp*' | grep -q .; then fail "temporary files were installed"; fi
[ -f "$prefix/share/applications/$app.desktop" ] || fail "no desktop entry"
[ -f "$prefix/share/metainfo/$app.metainfo.xml" ] || fail "no metainfo file"
for size in 64 128; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app.png
  [ -s "$icon" ] || fail "no ${size}x$size icon"
  if command -v identify >/dev/null; then
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] || fail "$icon is not a ${size}x$size PNG"
  fi
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate rejects the entry"
  echo "desktop-file-validate: passed"
else
  echo "SKIPPED desktop-file-validate: not installed"
fi
if command -v appstreamcli >/dev/null; then
  notes=$(appstreamcli validate --pedantic --no-net "$prefix/share/metainfo/$app.metainfo.xml" 2>&1) ||
    fail "appstreamcli rejects the metainfo file: $notes"
  # Even its pedantic notes (a letter, a colon, then the finding) count.
  if grep -q '^[EWIP]: ' <<<"$notes"; then fail "appstreamcli has notes on the metainfo file: $notes"; fi
else
  echo "SKIPPED appstreamcli validate: not installed"
fi

start_xvfb

# play PREFIX VAR=VALUE...: runs the installed launcher with that environment,
# quits with Escape and expects a clean exit.
play() {
  local launcher=$1/bin/runeblock
  shift
  # SDL 2 under the compatibility layer keeps a few allocations of its X11
  # and D-Bus code to the end; this test is about the install, not those.
  (cd "$work" && exec env -u XDG_DATA_HOME "$@" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS=detect_leaks=0 "$launcher" >"$work/game.out" 2>&1) &
  game_pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --pid "$game_pid" 2>/dev/null | head -n 1)
  [ -n "$window" ] || { cat "$work/game.out"; fail "no game window appeared"; }
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool key Escape
  wait_for_game 15
  [ -n "$status" ] || fail "the game did not quit on Escape"
  [ "$status" -eq 0 ] || { cat "$work/game.out"; fail "the game exited with status $status"; }
}

# expect_user_folder FOLDER PREFIX: the folder's media point into that
# install and its config was written.
expect_user_folder() {
  local folder=$1 installed
  installed=$(cd "$2/share/runeblock/Media" && pwd -P)
  for part in bmp wav map; do
    [ -L "$folder/Media/$part" ] || fail "$folder/Media/$part is not a link"
    [ "$(readlink "$folder/Media/$part")" = "$installed/$part" ] ||
      fail "$folder/Media/$part points at $(readlink "$folder/Media/$part"), not $installed/$part"
  done
  [ -f "$folder/Media/data/config" ] || fail "no config in $folder/Media/data"
  [ "$(head -n 1 "$folder/Media/data/config")" = "#" ] || fail "the config in $folder does not start with '#'"
}

user=$work/xdg/runeblock
before=$(listing "$prefix")
play "$prefix" XDG_DATA_HOME="$work/xdg" HOME="$work/home"
expect_user_folder "$user" "$prefix"
[ ! -e "$work/home/.local" ] || fail "the launcher used HOME although XDG_DATA_HOME was set"
[ "$before" = "$(listing "$prefix")" ] || {
  diff <(echo "$before") <(listing "$prefix")
  fail "the game changed files under the prefix"
}
echo "first run: config in $user/Media/data, prefix unchanged"

# A setting of the user's own, then a reinstall elsewhere: the links follow
# the new install and the setting stays.
printf 'kept_setting\t\t\t\tyes\n' >>"$user/Media/data/config"
install_into "$work/moved"
rm -rf "$prefix"
before=$(listing "$work/moved")
play "$work/moved" XDG_DATA_HOME="$work/xdg" HOME="$work/home"
expect_user_folder "$user" "$work/moved"
grep -q '^kept_setting[[:space:]]*yes$' "$user/Media/data/config" || fail "the user's setting was lost on reinstall"
[ "$before" = "$(listing "$work/moved")" ] || fail "the game changed files under the new prefix"
echo "after a reinstall to another prefix: links repointed, setting kept"

# Another user, without XDG_DATA_HOME: their own folder under HOME.
play "$work/moved" HOME="$work/other"
expect_user_folder "$work/other/.local/share/runeblock" "$work/moved"
grep -q '^kept_setting' "$work/other/.local/share/runeblock/Media/data/config" &&
  fail "the second user sees the first user's settings"
grep -q '^kept_setting' "$user/Media/data/config" || fail "the second user's run touched the first user's settings"
echo "second user: own folder under HOME/.local/share"
echo "PASS"

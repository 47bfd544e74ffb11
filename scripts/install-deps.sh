#!/usr/bin/env bash
# Installs, from Debian 12's own packages, whatever Morvane needs to build,
# run and test that is not yet on this machine. A second run finds
# everything present and returns at once.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
  libsqlite3-dev libxcb1-dev libxcb-xfixes0-dev qtkeychain-qt6-dev
  # the desktop's layers on Wayland: the client library and its code
  # generator, the toolkit's native handles, its Wayland platform
  libwayland-dev qt6-base-private-dev qt6-wayland
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # end-to-end runs and screenshots
  xvfb xauth x11-utils openbox trayer xdotool imagemagick sqlite3
  # a session bus of its own and a status-notifier panel written for the test
  dbus-bin dbus-daemon python3-dbus python3-gi
  # compositors started by the tests: an X11 compositing manager, and a
  # Wayland compositor with its X server for older programs
  xcompmgr weston xwayland x11-xserver-utils
  # compositors with the desktop's layers (a wlroots one with its
  # screenshots and typed keys, and KDE's)
  sway grim wtype kwin-wayland
  # GNOME's compositor, without desktop layers
  mutter
  # alarm sound: an audio server for the end-to-end run and Qt Multimedia's
  # GStreamer back end with its WAV reader and PulseAudio output
  pulseaudio pulseaudio-utils gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-pulseaudio
  # Japanese text on screen, also in the toolkit's file and colour dialogs
  fonts-noto-cjk qt6-translations-l10n
  # iCalendar files, and a real calendar program to read ours back
  libical-dev calcurse
  # a CalDAV server for the sync's end-to-end runs, and other clients of it
  radicale curl openssl vdirsyncer khal
  # a secret store for the sync password in a private session
  gnome-keyring
  # a spreadsheet that opens our CSV files in the test
  libreoffice-calc-nogui
  # install and package: the scalable icon, the Debian package's library
  # dependencies, and the validators of the desktop entry and metainfo
  qt6-svg-dev dpkg-dev file desktop-file-utils appstream librsvg2-bin
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

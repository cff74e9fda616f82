#!/usr/bin/env bash
# Installs the Debian packages Torvane needs. "build" for running, "test" adds the test tools.
# Quick when nothing is missing: only absent packages reach apt-get.
set -euo pipefail

build_pkgs=(g++ cmake make pkg-config qt6-base-dev libsdl2-mixer-dev libcurl4-openssl-dev
  libjpeg62-turbo-dev libgif-dev fonts-wqy-zenhei)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool openbox x11-utils
  x11-xserver-utils imagemagick sox libx11-dev libxfixes-dev libxtst-dev libxdamage-dev python3
  qt6-svg-dev)

want=("${build_pkgs[@]}")
[ "${1:-build}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
dpkg-query -W -f='${Status}' xdg-utils 2>/dev/null | grep -q 'install ok installed' || need_xdg=1
[ ${#missing[@]} -eq 0 ] && [ -z "${need_xdg:-}" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
[ ${#missing[@]} -gt 0 ] && $sudo apt-get install -y -qq "${missing[@]}"
[ -n "${need_xdg:-}" ] && $sudo apt-get install -y -qq --no-install-recommends xdg-utils
exit 0

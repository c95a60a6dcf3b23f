#!/usr/bin/env bash
# Installs what building and testing Corvane needs on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  ca-certificates cmake make g++ pkg-config file dpkg-dev \
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools \
  qt6-httpserver-dev qt6-websockets-dev libgl-dev \
  libqt6svg6 qt6-qpa-plugins fonts-dejavu-core xdg-utils

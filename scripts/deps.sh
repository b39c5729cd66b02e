#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Packages already present are not fetched again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Qt Charts' CMake files need the OpenGL module's, which Debian ships apart.
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libasound2-dev libcpp-httplib-dev
  clang libclang-rt-14-dev
  xvfb xauth poppler-utils python3 fonts-dejavu-core
  # The certificates that verify today's site over HTTPS.
  ca-certificates
  file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, skipping those already present.
set -euo pipefail

# clang and its runtimes build the fuzz targets (libFuzzer, ASan, UBSan); ccache lets a new build
# folder reuse what an earlier build compiled.
packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev libcadical-dev qt6-base-dev qt6-svg-dev
          libgraphviz-dev pkgconf fonts-dejavu-core clang libclang-rt-14-dev ccache
          nlohmann-json3-dev)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

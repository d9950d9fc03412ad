#!/usr/bin/env bash
# Installs the Debian 12 packages Zorvan needs to build, run and test, but only
# the ones that are missing, so repeated runs cost a single dpkg query.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev libjpeg62-turbo-dev zlib1g-dev
    # The ZIP container of Word documents.
    libzip-dev
    breeze-icon-theme libqt6svg6 xvfb xauth
    poppler-utils
    # Spell checking: the library the program stands on and the Czech dictionary; Hunspell's
    # library only for the benchmark that compares the two (bench/SpellingBenchmark.cpp).
    libnuspell-dev hunspell-cs libhunspell-dev
    # The layout of the sources is checked with this version (scripts/check-format.sh).
    clang-format-14
    # Faces with the metrics of Times New Roman, Arial and Courier New, which
    # most documents from Windows name: lines and pages then break as there.
    fonts-liberation2
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_prefix=()
[[ $(id -u) -eq 0 ]] || sudo_prefix=(sudo)
"${sudo_prefix[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_prefix[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

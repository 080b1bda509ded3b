#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Leadwright and starts it or runs its tests.
#   ./build.sh start    install what is missing, build, start the program
#   ./build.sh test     install what is missing, build, run the tests
#   ./build.sh install PACKAGE...   install those of the Debian packages that are missing
# Both builds are the ci preset of CMakePresets.json, in build/: optimised, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset ci >/dev/null
    cmake --build --preset ci
}

case "${1:-}" in
    start)
        install_missing "${packages[@]}"
        build
        exec ./build/app/leadwright
        ;;
    test)
        install_missing "${packages[@]}"
        build
        ctest --preset ci -j "$(nproc)"
        ;;
    install)
        shift
        install_missing "$@"
        ;;
    *)
        echo "usage: $0 start|test|install PACKAGE..." >&2
        exit 2
        ;;
esac

#!/usr/bin/env bash
# Set up, build and run Bivalo.
#   ./run.sh        build (Release, build/) and open the example pair
#   ./run.sh test   build with sanitizers (build-test/) and run the whole test suite, which
#                   replays every fuzz target's corpus (fuzz/run.sh searches for new inputs)
#   ./run.sh soak   build optimised (build-soak/) and run the long soak tests only
#   ./run.sh random [SECONDS]  build optimised (build-soak/) and drive the window with random
#                   steps for SECONDS (600); ./run.sh test runs a few fixed seeds of it
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ ccache qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core xvfb xauth diffutils time
          libqt6svg6 desktop-file-utils appstream git clang libclang-rt-14-dev
          weston qt6-wayland python3 xdotool)

source scripts/packages.sh

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}

install_missing_packages "${packages[@]}"
jobs=$(nproc)

case "${1:-run}" in
    test)
        configure_and_build build-test -DCMAKE_BUILD_TYPE=Check \
            -DBIVALO_SANITIZE=ON -DBIVALO_WERROR=ON -DBIVALO_TESTS=ON
        ctest --test-dir build-test -j"$jobs" --output-on-failure -LE soak
        ;;
    soak)
        configure_and_build build-soak -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=ON
        /usr/bin/time -v ctest --test-dir build-soak -L soak --output-on-failure --verbose
        ;;
    random)
        configure_and_build build-soak -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=ON
        BIVALO_RANDOM_SECONDS=${2:-600} ctest --test-dir build-soak -L random --output-on-failure --verbose
        ;;
    run)
        configure_and_build build -DCMAKE_BUILD_TYPE=Release -DBIVALO_TESTS=OFF
        left=examples/calc_v1.c
        right=examples/calc_v2.c
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            ./build/bivalo "$left" "$right"
        else
            ./build/bivalo --report "$left" "$right" || [ $? -eq 1 ]
        fi
        ;;
    *)
        echo "usage: $0 [test|soak|random [SECONDS]]" >&2
        exit 2
        ;;
esac

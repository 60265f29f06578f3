#!/usr/bin/env bash
# Builds the program and runs its main job headless (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" -j "$(nproc)" --target pelk
mkdir -p "$build_dir/documents"
"$build_dir/app/pelk" --headless --documents "$build_dir/documents" --png "$build_dir/pelk.png"

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          # The platform layer: drawing, text, the window, its font, the
          # ciphers of the floor-plan file, and the window tests under Xvfb
          # (xwininfo of x11-utils finds the program's window).
          libcairo2-dev libpango1.0-dev libgtk-3-dev fonts-dejavu-core nettle-dev
          xvfb xdotool xauth x11-utils
          # localedef for the test that formats under a German locale.
          locales
          # Clipper 1 serves only the polygon bench as a yardstick.
          libpolyclipping-dev)

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A German locale (decimal comma) for the tests that check number text ignores the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not generate de_DE.UTF-8; locale tests will skip" >&2
fi

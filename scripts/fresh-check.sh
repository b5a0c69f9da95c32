#!/usr/bin/env bash
# Runs the README's two commands on a fresh Debian 12 root that holds only the
# committed tree and nothing installed by hand, as a new user would. A package
# missing from the set-up scripts fails here even where this machine has it.
#   scripts/fresh-check.sh [FRESH_MACHINE_SCRIPT]
# The default script is the shared tool beside the checkout.
set -euo pipefail
cd "$(dirname "$0")/.."

fresh=${1:-../shared/tools/fresh-machine.sh}
[ -x "$fresh" ] || [ -f "$fresh" ] || { echo "fresh-check: $fresh not found" >&2; exit 2; }

mapfile -t commands < <(scripts/readme-commands.sh)
if ((${#commands[@]} != 2)); then
  echo "fresh-check: expected the README's two commands, found ${#commands[@]}" >&2
  exit 2
fi
bash "$fresh" "$PWD" "${commands[@]}"

#!/usr/bin/env bash
# Prints the README's two commands (set-up plus the sample replay, and the
# test command), one a line, exactly as a new user reads them: the first two
# `sh` blocks under "## Two commands". CI runs what this prints on a fresh
# machine, so the README and the check cannot drift apart.
set -euo pipefail
cd "$(dirname "$0")/.."

awk '
  /^## / { inside = ($0 == "## Two commands") }
  inside && /^```sh$/ { block = 1; next }
  inside && block && /^```$/ { block = 0; if (++found == 2) exit; next }
  inside && block { print }
' README.md

#!/usr/bin/env bash
# Above the platform door (demo/, binding/, toolkit/, palette/) code reaches
# the platform only through platform/win32.h and platform/gl.h: never a
# stand-in header, nor the system's own windows.h or GL headers. Prints each
# include that breaks the rule and fails when there is one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
broken=$(git ls-files 'demo/*' 'binding/*' 'toolkit/*' 'palette/*' | grep -E '\.(cpp|h)$' |
  xargs grep -nE '^\s*#\s*include\s*["<](platform/|windows\.h|windowsx\.h|GL/)' |
  grep -vE '["<]platform/(win32|gl)\.h[">]' || true)
if [ -n "$broken" ]; then
  echo "Includes past the platform door (use platform/win32.h or platform/gl.h):" >&2
  echo "$broken" >&2
  exit 1
fi

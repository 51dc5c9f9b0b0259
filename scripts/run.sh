#!/usr/bin/env bash
# Builds Marrowby (installing what it needs) and starts it with the given arguments.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/setup.sh" >&2
exec "$here/build/src/marrowby" "$@"

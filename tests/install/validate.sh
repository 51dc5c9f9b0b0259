#!/usr/bin/env bash
# Checks one of the installed data files with the desktop's own validator: validate.sh
# desktop|metainfo FILE, or validate.sh manpage FILE MARROWBY (every option that
# `marrowby --help` lists must be described too). Any complaint fails.
set -uo pipefail
kind=$1 file=$2
[ -f "$file" ] || { echo "missing: $file"; exit 1; }

status=0
case $kind in
  desktop) output=$(desktop-file-validate "$file" 2>&1) || status=$? ;;
  # --strict fails on anything above a pedantic hint; success prints a summary line.
  metainfo) output=$(appstreamcli validate --no-net --strict "$file" 2>&1) || status=$? ;;
  manpage)
    output=$(groff -ww -man -z "$file" 2>&1) || status=$?
    for option in $("$3" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
      grep -q -- "${option//-/\\\\-}" "$file" || output+=$'\n'"option $option is not described"
    done ;;
  *) echo "unknown kind $kind"; exit 1 ;;
esac
if [ "$status" -ne 0 ] || { [ "$kind" != metainfo ] && [ -n "$output" ]; }; then
  echo "$file:"
  echo "$output"
  exit 1
fi

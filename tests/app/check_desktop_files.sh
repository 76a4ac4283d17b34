#!/usr/bin/env bash
# Checks the files that tell the desktop about Semestra: the launcher entry
# passes the freedesktop validator, the MIME package compiles and maps
# *.semestra to our type (a kind of SQLite database), and the icon is
# well-formed SVG. Usage: check_desktop_files.sh RESOURCES_FOLDER
set -euo pipefail

resources=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

desktop-file-validate "$resources/semestra.desktop"
grep -qx 'Exec=semestra %f' "$resources/semestra.desktop"
grep -qx 'MimeType=application/x-semestra;' "$resources/semestra.desktop"

mkdir -p "$work/mime/packages"
cp "$resources/semestra-mime.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null
grep -qx '50:application/x-semestra:\*\.semestra' "$work/mime/globs2"
grep -qx 'application/x-semestra application/vnd.sqlite3' "$work/mime/subclasses"

xmllint --noout "$resources/semestra.svg"

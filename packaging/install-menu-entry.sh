#!/usr/bin/env bash
# Adds FragDocker to the desktop's application menu, for the folder this script lies in.
set -euo pipefail
app_dir=$(cd "$(dirname "$0")" && pwd)
menu_dir="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$menu_dir"
sed "s|@APP_DIR@|$app_dir|g" "$app_dir/fragdocker.desktop.in" > "$menu_dir/fragdocker.desktop"
echo "Menu entry written: $menu_dir/fragdocker.desktop"

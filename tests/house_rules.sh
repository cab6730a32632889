#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The house rules the build enforces:
# 1. only src/platform/ includes SDL, Xlib, Wayland, FreeType, fontconfig, libpng,
#    libjpeg or stb_image headers:
#    the game reaches the machine only through the seams (the tests' stand-ins
#    that hand events to SDL itself, tests/support/sdl_*.cpp, are the exception);
# 2. the folders of src/ are layers, and a file includes headers of its own
#    layer or of layers below it, never above;
# 3. the rooms of src/platform/ do not include each other.
#   tests/house_rules.sh [ROOT]
root=${1:-.}
status=0

hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](SDL|SDL2/|X11/|wayland-|ft2build|freetype|fontconfig|png\.h|jpeglib\.h|stb/)' \
         "$root/src" "$root/tools" "$root/tests" "$root/bench" 2>/dev/null \
       | grep -v -e "^$root/src/platform/" -e "^$root/tests/support/sdl_[a-z_]*\.cpp:")
if [ -n "$hits" ]; then
  echo "platform headers included outside src/platform/:"
  echo "$hits"
  status=1
fi

# The stack, bottom to top, as CMakeLists.txt builds it.
read -r -a layers < <(sed -nE 's/^set\(TIEFSCHACHT_LAYERS (.*)\)$/\1/p' "$root/CMakeLists.txt")
if [ ${#layers[@]} -eq 0 ]; then
  echo "CMakeLists.txt does not list TIEFSCHACHT_LAYERS"
  exit 1
fi
rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

for dir in "$root"/src/*/; do
  layer=$(basename "$dir")
  own=$(rank "$layer")
  if [ "$own" -lt 0 ]; then
    echo "src/$layer/ is not one of the layers (${layers[*]}): add it to the stack"
    status=1
    continue
  fi
  while IFS=: read -r file line text; do
    target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)\/.*/\1/p' <<<"$text")
    [ -n "$target" ] || continue
    other=$(rank "$target")
    if [ "$other" -lt 0 ]; then
      echo "${file#"$root"/}:$line: includes $target/, which is not a layer"
      status=1
    elif [ "$other" -gt "$own" ]; then
      echo "${file#"$root"/}:$line: $layer/ includes $target/, a layer above it"
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -r "$dir" --include='*.cpp' --include='*.hpp')
done

# 3. The platform layer's rooms (software/, sdl/, headless/) stand beside each
#    other: a room includes what all share at src/platform/, never another
#    room; only platform_layer.cpp, which assembles them, sees every room.
while IFS=: read -r file line text; do
  room=$(sed -nE 's|^.*/src/platform/([a-z_]+)/[^/]*$|\1|p' <<<"$file")
  target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform\/([a-z_]+)\/.*/\1/p' <<<"$text")
  [ -n "$target" ] || continue
  if [ -z "$room" ]; then
    [ "$(basename "$file")" = platform_layer.cpp ] && continue
    echo "${file#"$root"/}:$line: src/platform/ includes its room $target/ (only platform_layer.cpp assembles the rooms)"
    status=1
  elif [ "$target" != "$room" ]; then
    echo "${file#"$root"/}:$line: platform/$room/ includes platform/$target/, another room"
    status=1
  fi
done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/' -r "$root/src/platform" --include='*.cpp' --include='*.hpp')

[ "$status" -eq 0 ] && echo "house rules: ok"
exit "$status"

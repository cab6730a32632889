#!/usr/bin/env bash
# Fails when code outside src/platform/ includes an SDL, FreeType or
# fontconfig header: the game logic reaches the machine only through the seams.
root=${1:-.}
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](SDL|SDL2/|ft2build|freetype|fontconfig)' \
         "$root/src" "$root/tools" "$root/tests" "$root/bench" 2>/dev/null \
       | grep -v "^$root/src/platform/")
if [ -n "$hits" ]; then
  echo "platform headers included outside src/platform/:"
  echo "$hits"
  exit 1
fi
echo "house rules: ok"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every skin rectangle the product draws comes from the skin table: no SkinTexels(...) call and no
# literal SkinRect outside gui/SkinPieces.h (and the type's own header).
#   skin_literals_test.sh SOURCE_DIR
cd "$1" || exit 1
found=$(grep -rnE 'SkinTexels\(|SkinRect [A-Za-z_]+ *(= *)?\{ *[-0-9]' --include=*.cpp --include=*.h \
          app common link gui eq panels modes | grep -v -e '^gui/SkinPieces.h:' -e '^gui/GUIWnd.h:')
if [ -n "$found" ]; then
  echo "skin rectangles outside gui/SkinPieces.h:"
  echo "$found"
  exit 1
fi
echo "every skin rectangle comes from gui/SkinPieces.h"

#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Cuts each free font the page ships down to the characters the page uses, as WOFF2.
#   make-fonts.sh WEB_FONT_LIST CHARACTERS_FILE FOLDER
# Each line of the list is a file name and a fontconfig pattern, tab-separated; fontconfig
# finds the installed font (fonts-liberation2, fonts-dejavu-core, fonts-comic-neue), and
# fonttools' subsetter, with Brotli, writes it.
set -eu
list=$1 characters=$2 folder=$3
tab=$(printf '\t')
while IFS="$tab" read -r file pattern; do
  source=$(fc-match -f '%{file}' "$pattern")
  family=$(fc-match -f '%{family[0]}' "$pattern")
  wanted=${pattern%%:*}
  if [ "$family" != "$wanted" ]; then
    echo "make-fonts.sh: the font $wanted is not installed (fontconfig offers $family)" >&2
    exit 1
  fi
  pyftsubset "$source" --text-file="$characters" --flavor=woff2 --layout-features='kern,liga' \
    --no-hinting --desubroutinize --drop-tables+=FFTM --output-file="$folder/$file"
done <"$list"

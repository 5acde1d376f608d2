#!/usr/bin/env bash
# Draws the program's images with ImageMagick's convert: the 16 toolbar
# buttons, the five tab images and the program icon, each at its normal size
# and at twice that size under the "@2x" name Qt picks on high-DPI screens.
#
# Every image is described once on a grid of its normal size in pixels, with
# pixel k spanning k..k+1 (so a one-pixel line lies on k.5); the affine
# transform below maps that grid onto ImageMagick's pixel centres at either
# scale, which keeps straight lines sharp at both sizes.
#
# Run from anywhere: scripts/make-icons.sh. The PNGs are committed; run this
# again only after changing a drawing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/resources

ink='#2b2b2b'
paper='#ffffff'
blue='#3a66c4'
navy='#1d3570'
red='#cf3a2c'
green='#2e9a48'
lines='#7f93b8'

# render FILE SIZE SCALE PRIMITIVES
render() {
  local file=$1 size=$2 scale=$3 primitives=$4
  local pixels=$((size * scale))
  convert -size "${pixels}x${pixels}" xc:none \
    -draw "affine $scale,0,0,$scale,-0.5,-0.5 $primitives" \
    -depth 8 -strip "PNG32:$file"
}

# image DIR NAME SIZE PRIMITIVES: NAME.png and NAME@2x.png
image() {
  local dir=$out/$1 name=$2 size=$3 primitives=$4
  mkdir -p "$dir"
  render "$dir/$name.png" "$size" 1 "$primitives"
  render "$dir/$name@2x.png" "$size" 2 "$primitives"
}

# Text lines on a page: x from, x to, then the y of each line.
text_lines() {
  local x1=$1 x2=$2 colour=$3
  shift 3
  local y result="stroke '$colour' stroke-width 1 fill none"
  for y in "$@"; do
    result+=" line $x1,$y.5 $x2,$y.5"
  done
  echo "$result"
}

toolbar() { image toolbar "$1" 16 "$2"; }

# ---- Toolbar, in the order of the buttons ----------------------------------

toolbar new "
  fill '$paper' stroke '$ink' stroke-width 1
  path 'M 3.5,1.5 L 9.5,1.5 L 12.5,4.5 L 12.5,14.5 L 3.5,14.5 Z'
  fill '#d8d8d8' path 'M 9.5,1.5 L 9.5,4.5 L 12.5,4.5 Z'
  stroke none fill '#f2b619'
  path 'M 13,8 L 14,10 L 16,11 L 14,12 L 13,14 L 12,12 L 10,11 L 12,10 Z'"

toolbar open "
  stroke '#7a5a12' stroke-width 1
  fill '#e0a82e' path 'M 0.5,2.5 L 5.5,2.5 L 6.5,3.5 L 12.5,3.5 L 12.5,13.5 L 0.5,13.5 Z'
  fill '#f7d36b' path 'M 0.5,13.5 L 3.5,6.5 L 15.5,6.5 L 12.5,13.5 Z'"

toolbar save "
  stroke '$navy' stroke-width 1
  fill '$blue' path 'M 1.5,1.5 L 13.5,1.5 L 14.5,2.5 L 14.5,14.5 L 1.5,14.5 Z'
  fill '#dfe6f2' rectangle 4.5,1.5 11.5,6.5
  stroke none fill '$blue' rectangle 9,3 10,6
  stroke '$navy' fill '$paper' rectangle 3.5,9.5 12.5,14.5
  $(text_lines 5 11 "$lines" 11 12)"

toolbar cut "
  stroke '$ink' stroke-width 1.4 fill none
  line 5,10 11.5,1.5  line 11,10 4.5,1.5
  stroke '$red' stroke-width 1.6
  circle 4.5,12.5 6.5,13.5  circle 11.5,12.5 13.5,13.5
  stroke none fill '$ink' rectangle 7,6 9,8"

toolbar copy "
  fill '$paper' stroke '$ink' stroke-width 1
  rectangle 1.5,1.5 9.5,11.5
  $(text_lines 3 8 "$lines" 3 5 7)
  fill '$paper' stroke '$ink' rectangle 6.5,4.5 14.5,14.5
  $(text_lines 8 13 "$lines" 6 8 10 12)"

# A screen showing the dump, and the page its text goes to.
toolbar screencopy "
  fill '#e6eefb' stroke '$ink' stroke-width 1
  rectangle 0.5,0.5 12.5,9.5
  stroke none fill '$blue' rectangle 1,1 12,3
  fill '$ink' rectangle 5,10 8,11  rectangle 3,11 10,12
  fill '$ink' rectangle 2,4 4,5  rectangle 5,4 7,5  rectangle 2,6 4,7  rectangle 5,6 7,7
  stroke '$ink' stroke-width 1 fill '$paper'
  rectangle 8.5,6.5 15.5,15.5
  $(text_lines 10 14 "$red" 8 10 12 14)"

toolbar paste "
  stroke '#5e3d15' stroke-width 1 fill '#b07a3a'
  rectangle 1.5,2.5 11.5,14.5
  stroke '$ink' fill '#c9c9c9' rectangle 4.5,1.5 8.5,4.5
  fill '$paper' rectangle 6.5,6.5 14.5,15.5
  $(text_lines 8 13 "$lines" 8 10 12)"

# A hooked arrow back to the left; redo is its mirror image.
toolbar undo "
  stroke '$blue' stroke-width 2 fill none
  path 'M 13,14 L 13,9.5 C 13,7 11.5,6 9,6 L 5,6'
  stroke '$navy' stroke-width 1 fill '$blue'
  path 'M 0.5,6 L 5.5,1.5 L 5.5,10.5 Z'"
toolbar redo "
  stroke '$blue' stroke-width 2 fill none
  path 'M 3,14 L 3,9.5 C 3,7 4.5,6 7,6 L 11,6'
  stroke '$navy' stroke-width 1 fill '$blue'
  path 'M 15.5,6 L 10.5,1.5 L 10.5,10.5 Z'"

toolbar findnext "
  stroke '#6b4518' stroke-width 2.6 fill none line 9.5,9.5 14,14
  stroke '$ink' stroke-width 1.4 fill '#dff0ff' circle 6,6 6,10.2
  stroke none fill '$green' path 'M 12,1 L 16,4.5 L 12,8 Z'"

# Two pages side by side; the line they differ in is red on both.
toolbar compare "
  fill '$paper' stroke '$ink' stroke-width 1
  rectangle 0.5,1.5 6.5,14.5  rectangle 9.5,1.5 15.5,14.5
  $(text_lines 2 5 "$lines" 3 5 9 11)
  $(text_lines 11 14 "$lines" 3 5 9 11)
  $(text_lines 2 5 "$red" 7)
  $(text_lines 11 14 "$red" 7)
  stroke none fill '$ink' rectangle 7,6 9,7  rectangle 7,9 9,10"

toolbar template "
  fill '$paper' stroke '$ink' stroke-width 1
  rectangle 0.5,2.5 15.5,13.5
  stroke none fill '$blue' rectangle 1,3 15,6
  stroke '$ink' fill none
  line 6.5,3 6.5,13  line 1,6.5 15,6.5  line 1,9.5 15,9.5
  $(text_lines 8 13 "$lines" 8 11)"

ribbon() { # x of the left edge, height
  echo "path 'M $1.5,1.5 L $(($1 + 6)).5,1.5 L $(($1 + 6)).5,$2.5 L $(($1 + 3)).5,$(($2 - 3)).5 L $1.5,$2.5 Z'"
}

toolbar mark "
  stroke '#7d1a12' stroke-width 1 fill '$red'
  path 'M 4.5,1.5 L 11.5,1.5 L 11.5,14.5 L 8,11 L 4.5,14.5 Z'"

toolbar nextmark "
  stroke '#7d1a12' stroke-width 1 fill '$red' $(ribbon 1 12)
  stroke none fill '$green' rectangle 11,2 14,9
  path 'M 9,9 L 16,9 L 12.5,14.5 Z'"

toolbar prevmark "
  stroke '#7d1a12' stroke-width 1 fill '$red' $(ribbon 1 12)
  stroke none fill '$green' rectangle 11,8 14,15
  path 'M 9,8 L 16,8 L 12.5,2.5 Z'"

# The question mark comes from DejaVu Sans Bold (package fonts-dejavu-core).
toolbar help "
  stroke '$navy' stroke-width 1 fill '$blue' circle 8,8 8,15.5
  stroke none fill '$paper' font 'DejaVu-Sans-Bold' font-size 13 text 4.3,12.9 '?'"

# ---- Tab images: the mark of a modified document ---------------------------

image tabs tab0 6 "stroke none fill '$red' circle 3,3 3,5.6"
image tabs tab1 6 "stroke none fill '#e98a15' path 'M 3,0 L 6,3 L 3,6 L 0,3 Z'"
image tabs tab2 6 "stroke none fill '$blue' rectangle 0.5,0.5 5.5,5.5"
image tabs tab3 6 "stroke none fill '$green' path 'M 0,6 L 3,0 L 6,6 Z'"
image tabs tab4 6 "stroke none fill '$ink' rectangle 2,0 4,6  rectangle 0,2 6,4"

# ---- The program icon: a dump of byte cells with the caret on one -----------

cells=""
for row in 0 1 2; do
  for column in 0 1 2 3; do
    x=$((6 + column * 6))
    y=$((12 + row * 6))
    cells+=" rectangle $x,$y $((x + 4)),$((y + 4))"
  done
done
icon="
  stroke '$navy' stroke-width 1 fill '#2f55a8'
  roundrectangle 1.5,1.5 30.5,30.5 5,5
  stroke none fill '#f2f5fb' rectangle 4,4 28,9
  fill '$blue' rectangle 5,5 10,8
  fill '#cfdcf5' $cells
  fill '#f2b619' rectangle 18,18 22,22"
mkdir -p "$out/icons"
render "$out/icons/vexel16.png" 16 1 "scale 0.5,0.5 $icon"
image icons vexel 32 "$icon"
# The further sizes of the desktop's icon theme; only installed, not built in.
render "$out/icons/vexel48.png" 48 1 "scale 1.5,1.5 $icon"
render "$out/icons/vexel128.png" 32 4 "$icon"
render "$out/icons/vexel256.png" 32 8 "$icon"

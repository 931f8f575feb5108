#!/bin/sh
# Draws the browser's pictures for the Windows tests (output committed):
# plain colours, so a test can tell from one pixel which picture it sees.
#   audio.jpg        100 x 75, blue (0, 0, 200)
#   frame.png        110 x 85, red (200, 0, 0) border of 5, clear window
#   frame_hover.png  110 x 85, green (0, 160, 0) border of 5, clear window
#   video.png        20 x 14, amber (255, 200, 0)
set -e
cd "$(dirname "$0")"
convert -size 100x75 xc:'rgb(0,0,200)' -quality 100 audio.jpg
convert -size 110x85 xc:'rgb(200,0,0)' -alpha set -region 100x75+5+5 -alpha transparent +region PNG32:frame.png
convert -size 110x85 xc:'rgb(0,160,0)' -alpha set -region 100x75+5+5 -alpha transparent +region PNG32:frame_hover.png
convert -size 20x14 xc:'rgb(255,200,0)' PNG32:video.png

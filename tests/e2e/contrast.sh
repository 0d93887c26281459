#!/usr/bin/env bash
# High contrast as the desktop's settings (the XDG desktop portal) ask for it, read back from the
# screen's pixels. With it off, the windows show their own colours: black backgrounds, magenta
# frame captions, the pink slogan, the red footer. With it on, the desktop's: the window and text
# colours of the palette the platform gives, or where it gives none, black on white or white on
# black as the colour scheme prefers; every caption and label is drawn in the text colour and the
# blends of it with the window colour only. A stand-in portal on the test's private session bus
# answers for the desktop, and changes the setting while the windows are open.
#   contrast.sh          the standard "contrast" key, no palette, light scheme: off, turned on,
#                        turned off
#   contrast.sh gnome    GNOME's own high-contrast switch (a portal without the standard key,
#                        such as Debian 12's), no palette, dark scheme: on from the start
#   contrast.sh kde      the standard key, and the palette of KDE's settings (navy on yellow,
#                        which Qt's KDE theme reads from kdeglobals): off, turned on, the
#                        palette changed (white on dark green), turned off
# E2E_SHOT_DIR, when set, keeps a screenshot of the windows in high contrast there.
source "$(dirname "$0")/reader-lib.sh"
command -v import >/dev/null ||
  { echo "SKIP: ImageMagick is not installed"; exit 77; }

variant=${1:-standard}
case $variant in
  standard)
    settings=(org.freedesktop.appearance/contrast=u:0 org.freedesktop.appearance/color-scheme=u:2)
    window=#FFFFFF text=#000000 ;;
  gnome)
    settings=(org.gnome.desktop.a11y.interface/high-contrast=b:true
      org.freedesktop.appearance/color-scheme=u:1)
    window=#000000 text=#FFFFFF ;;
  kde)
    settings=(org.freedesktop.appearance/contrast=u:0)
    window=#FFFF00 text=#000080
    mkdir "$e2e_dir/config"
    kde_colours() {
      printf '[Colors:%s]\nBackgroundNormal=%s\nForegroundNormal=%s\n\n' \
        Window "$1" "$2" View "$1" "$2" Button "$1" "$2" >"$e2e_dir/config/kdeglobals"
    }
    kde_colours 255,255,0 0,0,128
    e2e_program_env=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
      XDG_CONFIG_HOME="$e2e_dir/config") ;;
  *) fail "no such variant: $variant" ;;
esac

# Client-area rectangles (x y width height) of what is checked in the main window: the first
# frame's caption band, the slogan, the footer's shown part. Pixels of 15 twips, from the
# window's description.
frame_caption=(32 88 120 18)
slogan=(152 24 433 65)
footer=(104 488 449 31)

screen=$e2e_dir/screen.ppm
# The colours on the screen now, one line a part: the main window's background, the category
# window's, then the frame caption, the slogan and the footer.
shoot() {
  import -window root -depth 8 "$screen"
  mapfile -t seen < <("$READER_PYTHON" "$reader_dir/screen_colours.py" "$screen" \
    $((main_x + 2)) $((main_y + 2)) 1 1 $((category_x + 2)) $((category_y + 2)) 1 1 \
    $((main_x + frame_caption[0])) $((main_y + frame_caption[1])) "${frame_caption[@]:2}" \
    $((main_x + slogan[0])) $((main_y + slogan[1])) "${slogan[@]:2}" \
    $((main_x + footer[0])) $((main_y + footer[1])) "${footer[@]:2}")
}

has() {
  [[ " $1 " == *" $2 "* ]]
}

# Whether the colour lies between the window and the text colour, as smoothed text blends them:
# the same share of the way in every channel, give or take rounding.
between() {
  local colour=$1 i c w t part share=""
  for i in 1 3 5; do
    c=$((16#${colour:i:2})) w=$((16#${window:i:2})) t=$((16#${text:i:2}))
    if [ "$w" -eq "$t" ]; then
      ((c >= w - 3 && c <= w + 3)) || return 1
      continue
    fi
    part=$(((c - w) * 255 / (t - w)))
    ((part >= -3 && part <= 258)) || return 1
    [ -n "$share" ] || share=$part
    ((part - share <= 6 && share - part <= 6)) || return 1
  done
}

# Drawn in the text colour, and in no colour but the blends of it with the window colour.
in_contrast() {
  local colour
  has "$1" "$text" || return 1
  for colour in $1; do
    between "$colour" || return 1
  done
}

looks_its_own() {
  shoot
  [ "${seen[0]}" = "#000000" ] && [ "${seen[1]}" = "#000000" ] && has "${seen[2]}" "#FF00FF" &&
    has "${seen[3]}" "#FFC0FF" && has "${seen[4]}" "#FF0000"
}

looks_high_contrast() {
  shoot
  [ "${seen[0]}" = "$window" ] && [ "${seen[1]}" = "$window" ] && in_contrast "${seen[2]}" &&
    in_contrast "${seen[3]}" && in_contrast "${seen[4]}"
}

# Waits until the screen looks so; where it never does, says what the screen shows.
wait_until() {
  local what=$1 deadline=$((SECONDS + E2E_TIMEOUT))
  until "$2"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "   main window's background ${seen[0]}, category window's ${seen[1]}," \
        "frame caption's colours: $(cut -d' ' -f1-8 <<<"${seen[2]}")"
      echo "   slogan: $(cut -d" " -f1-8 <<<"${seen[3]}"); footer: $(cut -d" " -f1-8 <<<"${seen[4]}")"
      fail "timed out waiting for $what"
    fi
    sleep 0.1
  done
}

reader_start_bus
portal_ready=$e2e_dir/portal.ready
reader_background "$READER_PYTHON" "$reader_dir/fake_portal.py" "$portal_ready" "${settings[@]}"
portal_pid=${e2e_helper_pids[-1]}
e2e_wait_for "the stand-in portal" test -s "$portal_ready"
e2e_start
e2e_step "a category window beside the main window"
category_id=$(e2e_open_category Form2)
# Beside, not over, the main window: no window manager places it.
xdotool windowmove "$category_id" 620 0
read -r main_x main_y _ _ < <(e2e_geometry "$main_id")
category_x=620 category_y=0

if [ "$variant" != gnome ]; then
  e2e_step "off: the windows' own colours"
  wait_until "the windows' own colours" looks_its_own
  kill -USR1 "$portal_pid"
fi
e2e_step "on: the desktop's colours, $text on $window"
wait_until "the desktop's colours in every open window" looks_high_contrast
if [ -n "${E2E_SHOT_DIR:-}" ]; then
  mkdir -p "$E2E_SHOT_DIR" && convert "$screen" "$E2E_SHOT_DIR/linux-high-contrast-$variant.png"
fi
if [ "$variant" = kde ]; then
  # Tab twice, from the first picture over its button to the second picture, which then shows
  # the focus cue: drawn in the two colours only (where black and white dashes would show before).
  e2e_step "the focus cue of a picture box, in the desktop's colours"
  cp "$screen" "$e2e_dir/before-tab.ppm"
  e2e_key "$category_id" Tab
  e2e_key "$category_id" Tab
  cue_in_contrast() {
    import -window root -depth 8 "$screen"
    cue=$("$READER_PYTHON" "$reader_dir/screen_colours.py" --changed "$e2e_dir/before-tab.ppm" \
      "$screen" "$category_x" "$category_y" 660 560)
    has "$cue" "$window" && in_contrast "$cue"
  }
  e2e_wait_for "the focus cue in the desktop's colours" cue_in_contrast
  e2e_step "the desktop's palette changes: white on dark green"
  kde_colours 0,100,0 255,255,255
  window=#006400 text=#FFFFFF
  kill -USR2 "$portal_pid"
  wait_until "the desktop's new colours in every open window" looks_high_contrast
fi
kill -USR1 "$portal_pid"
e2e_step "turned off again: the windows' own colours"
wait_until "the windows' own colours again" looks_its_own
echo "PASS"

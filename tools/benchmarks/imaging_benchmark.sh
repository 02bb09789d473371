#!/usr/bin/env bash
# The imaging benchmark, on demand: makes COUNT (default 100) 4000 x 3000 JPEGs and as many 2000 x 1500
# PNGs in FOLDER (default build/imaging-benchmark; kept between runs), then in one run times Brivane
# (imaging_benchmark.exe under Wine: resize to 50 %, convert the PNGs to JPEG, a "Fill Page, 4x6" album
# without optimisation) and, on the same files, ImageMagick's `convert -resize 50%`, `convert` to JPEG
# and img2pdf. Prints pictures per second, the ratios, peak memory, and the album's size.
#   tools/benchmarks/imaging_benchmark.sh [COUNT] [FOLDER]
set -euo pipefail
source "$(dirname "$0")/../../scripts/env.sh"
count=${1:-100}
work=$(realpath -m "${2:-$BRIVANE_BUILD/imaging-benchmark}")

cmake --build "$BRIVANE_BUILD" -j2 --target imaging_benchmark >/dev/null
mkdir -p "$work/jpg" "$work/png"

# Pictures: one plasma photo, shifted differently for each file so that every file is its own.
if [ ! -f "$work/base.jpg" ]; then
  convert -size 4000x3000 plasma:fractal -blur 0x1 -quality 90 "$work/base.jpg"
fi
for i in $(seq -w 1 "$count"); do
  [ -f "$work/jpg/photo$i.jpg" ] || convert "$work/base.jpg" -roll "+$((10#$i * 37))+$((10#$i * 23))" -quality 90 "$work/jpg/photo$i.jpg"
  [ -f "$work/png/picture$i.png" ] || convert "$work/base.jpg" -resize 50% -roll "+$((10#$i * 17))+0" "$work/png/picture$i.png"
done
rm -rf "$work/jpg/brivane-50" "$work/png/brivane-jpeg" "$work/magick-50" "$work/magick-jpeg"
mkdir -p "$work/magick-50" "$work/magick-jpeg"

echo "== Brivane (under Wine)"
brivane_prefix
wine "$BRIVANE_BUILD/tools/imaging_benchmark.exe" "$(winepath -w "$work")" | tee "$work/brivane.txt"

# ImageMagick, one convert per picture as a user's script would run it; /usr/bin/time gives each run's
# peak resident size.
measure() {  # label, then the command for one file with {} for its name, then the files
  local label=$1 template=$2 start end peak=0 file
  shift 2
  start=$(date +%s.%N)
  for file in "$@"; do
    local rss
    rss=$( { /usr/bin/time -f "%M" bash -c "${template//\{\}/$file}" >/dev/null; } 2>&1 | tail -1)
    [ "$rss" -gt "$peak" ] && peak=$rss
  done
  end=$(date +%s.%N)
  awk -v l="$label" -v n=$# -v s="$start" -v e="$end" -v p="$peak" \
    'BEGIN { t = e - s; printf "%s: %d pictures in %.2f s, %.2f pictures/s; peak resident %.0f MiB\n", l, n, t, n / t, p / 1024 }'
}
echo "== ImageMagick and img2pdf (host)"
cd "$work"
measure "imagemagick convert -resize 50%" 'convert "{}" -resize 50% "magick-50/$(basename "{}")"' jpg/photo*.jpg | tee magick.txt
measure "imagemagick convert to JPEG" 'convert "{}" "magick-jpeg/$(basename "{}" .png).jpg"' png/picture*.png | tee -a magick.txt
start=$(date +%s.%N)
/usr/bin/time -f "%M" -o img2pdf.rss img2pdf jpg/photo*.jpg -o img2pdf.pdf
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v p="$(cat img2pdf.rss)" -v b="$(stat -c %s img2pdf.pdf)" \
  'BEGIN { printf "img2pdf: %.2f s, PDF %d bytes; peak resident %.0f MiB\n", e - s, b, p / 1024 }' | tee -a magick.txt

echo "== Ratios (Brivane / ImageMagick pictures per second; img2pdf time / Brivane album time)"
rate() { grep -o '[0-9.]* pictures/s' "$1" | sed -n "$2p" | cut -d' ' -f1; }
awk -v br="$(rate brivane.txt 1)" -v mr="$(rate magick.txt 1)" -v bc="$(rate brivane.txt 2)" -v mc="$(rate magick.txt 2)" \
    -v ba="$(grep -o '4x6: [0-9]* JPEGs in [0-9.]* s' brivane.txt | cut -d' ' -f5)" \
    -v ia="$(grep -o 'img2pdf: [0-9.]* s' magick.txt | cut -d' ' -f2)" \
  'BEGIN { printf "resize %.2f, convert %.2f, album %.2f\n", br / mr, bc / mc, ia / ba }'

#!/usr/bin/env bash
# Plays a tone effect, then a looping Ogg song fading in, with the sound probe on SDL's disk
# audio driver, and measures the raw output (44100 Hz, stereo, signed 16-bit) with sox:
#   - the effect's level on the left follows its volume (0.5 is -6.05 dB of the file's tone),
#   - its right side is 6 dB down for a pan of -600, and its pitch is an octave up,
#   - the output lasts as long as the probe played,
#   - no 50 ms window of the song after its fade-in, across its loop points, is below -60 dBFS.
# Usage: sound_probe_disk.sh SOUND_PROBE MAKE_TEST_OGG
set -euo pipefail

probe=$1
make_test_ogg=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=44100
raw_format=(-t raw -r $rate -e signed -b 16 -c 2)
volume=0.5
pan=-600
pitch=12
fade_speed=0.05
song_seconds=2.5

# One second of a 441 Hz tone at half scale; at an octave up it plays for half a second.
sox -n -r $rate -c 1 -b 16 "$work/tone.wav" synth 1.0 sine 441 vol 0.5
# One second of 441 Hz, a whole number of cycles, so that its loop is seamless.
"$make_test_ogg" "$work/song.ogg" 2 $rate $rate 441 0.5

fail() { echo "FAIL: $*"; exit 1; }
# Whether a figure lies in [low, high].
within() { awk -v x="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(x >= lo && x <= hi) }'; }
stat_of() { sed -n "s/^$1: *//p"; }
db() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", 20 * log(a / b) / log(10) }'; }

cd "$work"
status=0
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" \
  "$probe" tone $volume $pan $pitch song.ogg $fade_speed $song_seconds > probe.out 2> probe.err || status=$?
cat probe.out
[ "$status" = 0 ] || { cat probe.err; fail "the probe exited with status $status"; }
sound_played=$(sed -n 's/^sound: \([0-9.]*\) s.*/\1/p' probe.out)
song_played=$(sed -n 's/^song: \([0-9.]*\) s.*/\1/p' probe.out)

# Length.
length=$(sox "${raw_format[@]}" out.raw -n stat 2>&1 | stat_of 'Length (seconds)')
played=$(awk -v a="$sound_played" -v b="$song_played" 'BEGIN { print a + b }')
echo "length: ${length} s of output for ${played} s played"
within "$length" "$(awk -v p="$played" 'BEGIN { print p - 0.1 }')" "$(awk -v p="$played" 'BEGIN { print p + 0.3 }')" \
  || fail "the output is ${length} s long"

# The level in 10 ms steps of each 50 ms window (both sides together), as "start_s dBFS".
sox "${raw_format[@]}" out.raw -t dat - | awk -v frames=$((rate / 100)) '
  /^;/ { next }
  { energy[int(n / frames)] += ($2 * $2 + $3 * $3) / 2; ++n }
  END {
    blocks = int(n / frames)
    for (b = 0; b + 5 <= blocks; ++b) {
      sum = 0
      for (k = 0; k < 5; ++k) sum += energy[b + k]
      rms = sqrt(sum / (5 * frames))
      printf "%.2f %.2f\n", b / 100, (rms > 0 ? 20 * log(rms) / log(10) : -200)
    }
  }' > windows.txt

# The effect starts with the first window that is not silent.
onset=$(awk '$2 > -60 { print $1; exit }' windows.txt)
[ -n "$onset" ] || fail "the output is silent"
echo "onset: the effect starts at ${onset} s"

# The effect, away from its edges.
effect=(trim "$(awk -v t="$onset" 'BEGIN { print t + 0.1 }')" 0.3)
source_rms=$(sox tone.wav -n stat 2>&1 | stat_of 'RMS     amplitude')
left=$(sox "${raw_format[@]}" out.raw -n "${effect[@]}" remix 1 stat 2>&1)
right_rms=$(sox "${raw_format[@]}" out.raw -n "${effect[@]}" remix 2 stat 2>&1 | stat_of 'RMS     amplitude')
left_rms=$(stat_of 'RMS     amplitude' <<< "$left")
frequency=$(stat_of 'Rough   frequency' <<< "$left")
level=$(db "$left_rms" "$source_rms")
balance=$(db "$right_rms" "$left_rms")
echo "level: left RMS ${left_rms} against ${source_rms} in the file: ${level} dB at volume ${volume} (expected -6.05)"
echo "balance: right against left ${balance} dB at pan ${pan} (expected -6.00)"
echo "pitch: ${frequency} Hz from a 441 Hz tone at ${pitch} semitones (expected 882)"
sox "${raw_format[@]}" out.raw -n "${effect[@]}" stats 2>&1 | grep -E '^(RMS lev dB|Pk lev dB)' | sed 's/^/effect (both, left, right): /'
within "$level" -6.55 -5.55 || fail "the effect's level is ${level} dB"
within "$balance" -6.5 -5.5 || fail "the balance is ${balance} dB"
within "$frequency" 860 905 || fail "the effect's frequency is ${frequency} Hz"

# The song starts when the effect ends and reaches full volume after 1 / fade_speed updates
# of 10 ms; its loop points are each second after its start. Its last 150 ms are left out:
# the device may stop during them.
song_start=$(awk -v t="$onset" -v s="$sound_played" 'BEGIN { print t + s }')
scan_from=$(awk -v t="$song_start" -v f=$fade_speed 'BEGIN { print t + 0.01 / f + 0.1 }')
scan_to=$(awk -v l="$length" 'BEGIN { print l - 0.2 }')
loops=$(awk -v t="$song_start" -v end="$scan_to" 'BEGIN { for (l = t + 1; l + 0.05 <= end; ++l) printf "%.2f ", l }')
echo "song: starts at ${song_start} s, full from ${scan_from} s, loop points at ${loops}s"
[ -n "$loops" ] || fail "no loop point lies in the song's scanned part"
read -r quiet_at quietest < <(awk -v from="$scan_from" -v to="$scan_to" \
  '$1 >= from && $1 <= to && (q == "" || $2 < q) { q = $2; at = $1 } END { print at, q }' windows.txt)
sox "${raw_format[@]}" out.raw -n trim "$scan_from" =$scan_to stats 2>&1 | grep -E '^(RMS lev dB|Pk lev dB)' \
  | sed 's/^/song (both, left, right): /'
echo "quietest 50 ms window of the song from ${scan_from} s to ${scan_to} s: ${quietest} dBFS at ${quiet_at} s"
within "$quietest" -60 0 || fail "a 50 ms window of the song is at ${quietest} dBFS"
echo "passed"

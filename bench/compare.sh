#!/usr/bin/env bash
# Whole-file speed of tarvoss-cli against the tools a user would pick instead,
# measured side by side with hyperfine on the same files (warm page cache,
# the commands taking turns), and printed as the ratios the speed targets are
# stated in:
#   1. copy mode, 1 GiB file, encrypt and decrypt: time / `cp`, and / `age -e`;
#      copies are on the disk before they take their name, so also / `cp && sync`
#   2. in place, 1 GiB file, encrypt and decrypt (durable: every window goes
#      through the recovery journal and is flushed): time / `cp && sync`, on
#      the work folder's file system and, where a btrfs image can be made and
#      mounted from a loop device (root, mkfs.btrfs), on that image too, where
#      whole pages are shared from the journal instead of written twice; the
#      copy there is made with `cp --reflink=never`, so that it writes too
#   3. copy mode, a tree of 10,000 files of 4 KiB: time / `cp -r`, and / `cp -r && sync`
#   4. cipher alone, one core: fastest many-block path / one block at a time
#   5. peak resident memory encrypting 1 GiB minus encrypting 1 KiB
# Targets 1 and 2 also time the transforms alone (tarvoss_transform_bench,
# bench/TransformBench.cpp), which shows what the batch run around them costs.
#
# Usage: bench/compare.sh [WORK_DIR]   (default /tmp/tarvoss-bench; needs about
# 4 GiB free there). RUNS (default 10) sets the rounds: in each, every command
# of a target runs once, in turn, after one untimed round. A ratio is the
# median of the ratios of the rounds: a virtual machine that slows down for a
# while slows the commands of one round alike, and the median keeps a round
# it slowed unevenly from counting.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-/tmp/tarvoss-bench}
runs=${RUNS:-10}
build=$root/build-bench

# The measuring tools are needed only here, not by the build or the tests.
need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
command -v age >/dev/null || need+=(age)
[ -x /usr/bin/time ] || need+=(time)
command -v python3 >/dev/null || need+=(python3)
if ((${#need[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${need[@]}"
fi
"$root/scripts/install-deps.sh"

echo "== Building a release binary in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOSS_BUILD_GUI=OFF \
  -DTARVOSS_BUILD_TESTS=OFF -DTARVOSS_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tarvoss-cli tarvoss_cipher_bench tarvoss_transform_bench -j "$(nproc)" >/dev/null
cli=$build/bin/tarvoss-cli
# The transforms alone, without the command line's batch run around them.
alone=$build/bin/tarvoss_transform_bench
key=12345678-90123456-78901234-56789012-34567890

echo "== Making the test files in $work"
mkdir -p "$work"
cd "$work"
rm -rf out tree.out place enc trash
mkdir -p out tree.out place enc trash
[ -f big.bin ] && [ "$(stat -c %s big.bin)" -eq $((1 << 30)) ] || head -c 1G /dev/urandom >big.bin
head -c 1024 /dev/urandom >small.bin
if [ ! -d tree ] || [ "$(find tree -type f | wc -l)" -ne 10000 ]; then
  rm -rf tree
  for d in $(seq -w 0 99); do
    mkdir -p "tree/d$d"
    for f in $(seq -w 0 99); do head -c 4096 /dev/urandom >"tree/d$d/f$f"; done
  done
fi
"$cli" encrypt --quiet --to enc --key "$key" big.bin
cp big.bin place/big.bin
[ -f age.key ] || age-keygen -o age.key 2>/dev/null
recipient=$(age-keygen -y age.key)
sync
cat big.bin enc/big.bin place/big.bin >/dev/null
find tree -type f -exec cat {} + >/dev/null

# rounds NAME ARGS...: runs hyperfine ARGS (names, commands, --prepare) once
# per round and keeps every round's times in NAME.json.
rounds() {
  local name=$1 round
  shift
  for ((round = 0; round <= runs; round++)); do
    hyperfine -N --runs 1 --style none --export-json "$name.$round.json" "$@" >/dev/null
  done
  python3 -c '
import json, sys
rounds = [[x["mean"] for x in json.load(open(f"{sys.argv[1]}.{r}.json"))["results"]]
          for r in range(1, int(sys.argv[2]) + 1)]
json.dump(rounds, open(sys.argv[1] + ".json", "w"))' "$name" "$runs"
  rm -f "$name".*.json
}
# The median time of every command of NAME.json, in order.
median() { python3 -c '
import json, statistics, sys
rounds = json.load(open(sys.argv[1]))
print(" ".join("%.3f" % statistics.median(c) for c in zip(*rounds)))' "$1"; }
# ratio NAME I J: the median over the rounds of command I's time / command J's.
ratio() { python3 -c '
import json, statistics, sys
rounds, i, j = json.load(open(sys.argv[1])), int(sys.argv[2]), int(sys.argv[3])
print(f"{statistics.median(r[i] / r[j] for r in rounds):.2f}")' "$1.json" "$2" "$3"; }
# Every run starts with no dirty pages waiting to be written out, so that no
# command pays for the writes of the one before, and writes a copy that does
# not exist yet (replacing a file makes ext4 flush the new one at once). Old
# trees are moved aside rather than deleted: creating files right after many
# were deleted costs ext4 extra inode-table reads. The sources are read once
# more before every run: a kernel that pages out what it saw idle for a
# while (DAMON's pageout, on some virtual machines) may have dropped one, and
# a run that found its source on disk would time the disk. Last, 1.25 GiB
# are written into the page cache in large pieces and dropped: a virtual
# machine that hands memory left free for a few seconds back to its host gets
# it back page by page, at several times the cost of copying into it, and a
# run would pay that or not by chance of how long the memory it writes into
# lay free (1 GiB written into the page cache took 0.2 s or 2 s that way).
# Large pieces, so that the file system takes the same large blocks of
# memory as the commands do.
warm_memory="dd if=/dev/zero of=out/warm bs=1M count=1280 status=none; rm -f out/warm"
fresh_copy="sh -c 'rm -f out/big.bin out/big.age && sync && cat big.bin enc/big.bin place/big.bin >/dev/null; $warm_memory'"
fresh_tree="sh -c 'if [ -d tree.out/tree ]; then mv tree.out/tree \"\$(mktemp -d trash/t.XXXXXX)\"; fi; sync; find tree -type f -exec cat {} + >/dev/null; $warm_memory'"

echo "== 1. Copy mode, 1 GiB"
rounds copy --prepare "$fresh_copy" \
  -n cp "cp big.bin out/big.bin" \
  -n "encrypt --to" "$cli encrypt --quiet --to out --key $key big.bin" \
  -n "decrypt --to" "$cli decrypt --quiet --to out --key $key enc/big.bin" \
  -n "age -e" "age -e -r $recipient -o out/big.age big.bin" \
  -n "encrypt to copy, transform alone" "$alone encrypt big.bin out/big.bin" \
  -n "decrypt to copy, transform alone" "$alone decrypt enc/big.bin out/big.bin" \
  -n "cp && sync" "sh -c 'cp big.bin out/big.bin && sync'"
read -r cp_t enc_t dec_t age_t enc_alone dec_alone cps_t <<<"$(median copy.json)"

echo "== 2. In place, 1 GiB, against a copy made durable (each encryption is undone by the decryption after it)"
rounds place --prepare "$fresh_copy" \
  -n "cp && sync" "sh -c 'cp big.bin out/big.bin && sync'" \
  -n "encrypt --in-place" "$cli encrypt --quiet --in-place --key $key place/big.bin" \
  -n "decrypt --in-place" "$cli decrypt --quiet --in-place --key $key place/big.bin" \
  -n "encrypt in place, transform alone" "$alone encrypt place/big.bin" \
  -n "decrypt in place, transform alone" "$alone decrypt place/big.bin"
read -r cp2_t enc2_t dec2_t enc2_alone dec2_alone <<<"$(median place.json)"
cmp -s big.bin place/big.bin || { echo "in place: the file did not come back" >&2; exit 1; }

# In place on a btrfs image in the work folder, the state folder (and so the
# journals) on it too: only then can a file share blocks with its journal.
btrfs_place=""
if [ "$(id -u)" -eq 0 ] && command -v mkfs.btrfs >/dev/null && [ -e /dev/loop-control ]; then
  mkdir -p btrfs
  mountpoint -q btrfs && umount btrfs
  rm -f btrfs.img
  truncate -s 4G btrfs.img
  if mkfs.btrfs -q btrfs.img >/dev/null 2>&1 && mount -o loop btrfs.img btrfs; then
    trap 'umount '"$work"'/btrfs 2>/dev/null || true' EXIT
    mkdir -p btrfs/out btrfs/state
    cp --reflink=never big.bin btrfs/big.bin
    cp --reflink=never big.bin btrfs/place.bin
    sync
    fresh_btrfs="sh -c 'rm -f btrfs/out/big.bin && sync && cat btrfs/big.bin btrfs/place.bin >/dev/null; $warm_memory'"
    echo "== 2b. In place, 1 GiB, on a btrfs image, against a copy made durable on the same image"
    rounds btrfs --prepare "$fresh_btrfs" \
      -n "cp --reflink=never && sync" "sh -c 'cp --reflink=never btrfs/big.bin btrfs/out/big.bin && sync'" \
      -n "encrypt --in-place" "env XDG_STATE_HOME=$work/btrfs/state $cli encrypt --quiet --in-place --key $key btrfs/place.bin" \
      -n "decrypt --in-place" "env XDG_STATE_HOME=$work/btrfs/state $cli decrypt --quiet --in-place --key $key btrfs/place.bin"
    read -r cpb_t encb_t decb_t <<<"$(median btrfs.json)"
    cmp -s big.bin btrfs/place.bin || { echo "in place on btrfs: the file did not come back" >&2; exit 1; }
    btrfs_place=yes
  else
    echo "== 2b. skipped: the btrfs image could not be made or mounted"
  fi
else
  echo "== 2b. skipped: a btrfs image needs root, mkfs.btrfs and loop devices"
fi

echo "== 3. Copy mode, 10,000 files of 4 KiB"
rounds tree --prepare "$fresh_tree" \
  -n "cp -r" "cp -r tree tree.out/tree" \
  -n "encrypt --to" "$cli encrypt --quiet --to tree.out --key $key tree" \
  -n "cp -r && sync" "sh -c 'cp -r tree tree.out/tree && sync'"
read -r cpr_t tree_t cprs_t <<<"$(median tree.json)"

echo "== 4. Cipher alone, one core"
"$build/bin/tarvoss_cipher_bench" --benchmark_min_time=0.5 --benchmark_format=json >cipher.json
cipher_ratio=$(python3 -c '
import json
b = {x["name"]: x["bytes_per_second"] for x in json.load(open("cipher.json"))["benchmarks"] if "bytes_per_second" in x}
one = b["BlockEncrypt/OneBlockAtATime/1MiB"]
best = max(v for k, v in b.items() if k.startswith("EncryptBlocks/"))
print(f"{best / one:.1f} ({best / 1e9:.2f} GB/s against {one / 1e6:.0f} MB/s)")')

echo "== 5. Peak resident memory"
peak() { /usr/bin/time -f %M "$cli" encrypt --quiet --to out --key "$key" "$1" 2>&1 >/dev/null | tail -1; }
big_kb=$(peak big.bin)
small_kb=$(peak small.bin)

rm -rf out tree.out trash
if [ -n "$btrfs_place" ]; then
  umount btrfs
  rm -f btrfs.img
fi
echo
echo "Targets (medians of $runs rounds, the commands of a target taking turns):"
echo "1. encrypt --to / cp:          $(ratio copy 1 0)  (at most 1.5)"
echo "   decrypt --to / cp:          $(ratio copy 2 0)  (at most 1.5)"
echo "   encrypt --to / age -e:      $(ratio copy 1 3)  (below 1)"
echo "   the transforms alone / cp:  $(ratio copy 4 0) encrypting, $(ratio copy 5 0) decrypting"
echo "   encrypt --to / cp && sync:  $(ratio copy 1 6), decrypt --to: $(ratio copy 2 6)  (both on disk at the end)"
echo "2. encrypt --in-place / cp && sync:  $(ratio place 1 0)  (at most 2)"
echo "   decrypt --in-place / cp && sync:  $(ratio place 2 0)  (at most 2)"
echo "   the transforms alone / cp && sync: $(ratio place 3 0) encrypting, $(ratio place 4 0) decrypting"
if [ -n "$btrfs_place" ]; then
  echo "   on btrfs, encrypt --in-place / cp --reflink=never && sync:  $(ratio btrfs 1 0)  (at most 1.3)"
  echo "   on btrfs, decrypt --in-place / cp --reflink=never && sync:  $(ratio btrfs 2 0)  (at most 1.3)"
  echo "   (btrfs times: cp --reflink=never && sync $cpb_t, encrypt --in-place $encb_t, decrypt --in-place $decb_t)"
fi
echo "3. tree encrypt --to / cp -r:  $(ratio tree 1 0)  (at most 3)"
echo "   tree encrypt --to / cp -r && sync: $(ratio tree 1 2)  (both on disk at the end)"
echo "4. cipher per core / one block at a time: $cipher_ratio  (at least 10)"
echo "5. peak memory, 1 GiB - 1 KiB: $(((big_kb - small_kb) / 1024)) MiB ($big_kb KiB against $small_kb KiB; a few MiB at most)"
echo "Times in seconds: cp $cp_t, encrypt --to $enc_t, decrypt --to $dec_t, age -e $age_t," \
  "alone $enc_alone and $dec_alone; cp && sync $cp2_t, encrypt --in-place $enc2_t, decrypt --in-place $dec2_t," \
  "alone $enc2_alone and $dec2_alone; cp -r $cpr_t, tree $tree_t; cp && sync $cps_t, cp -r && sync $cprs_t"

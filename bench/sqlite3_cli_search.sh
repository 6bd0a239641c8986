#!/bin/sh
# Times the sqlite3 command-line tool on a Quillane.MDB-style SQLite file: the postal search for a
# two-syllable town name, and "SELECT 1" (process start and open only) for comparison.
# Prints the median wall time of RUNS runs of each.
#   bench/sqlite3_cli_search.sh build/bench/zip50k.sqlite [RUNS]
set -eu
file=${1:?usage: sqlite3_cli_search.sh DATABASE [RUNS]}
runs=${2:-21}
search="Select * from qx_ZipCode  Where Dong like '%역삼%' or Ri like '%역삼%' order by Seq"

median_ms() {
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        sqlite3 "$file" "$1" >/dev/null
        end=$(date +%s%N)
        echo $(((end - start) / 1000))
    done | sort -n | awk '{ t[NR] = $1 } END { printf "%.2f", t[int((NR + 1) / 2)] / 1000 }'
}

echo "sqlite3 CLI, postal search: median $(median_ms "$search") ms over $runs runs"
echo "sqlite3 CLI, SELECT 1:      median $(median_ms "SELECT 1") ms over $runs runs"

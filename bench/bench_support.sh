# Sourced by the benchmark scripts: the clock, the median, and processor time and
# peak memory read one way (GNU time, from the kernel's usage of the command).

now() { echo "$EPOCHREALTIME"; }
median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

# measure OUT ERR COMMAND...: runs COMMAND with standard output to OUT and standard
# error to ERR; sets WALL and CPU (user + system, every thread) in seconds and
# PEAK_KIB (the largest resident size). Returns the command's exit status.
measure() {
  local out=$1 err=$2 usage status s e
  shift 2
  usage=$(mktemp)
  s=$EPOCHREALTIME
  /usr/bin/time -f '%U %S %M' -o "$usage" "$@" >"$out" 2>"$err" && status=0 || status=$?
  e=$EPOCHREALTIME
  WALL=$(echo "$e - $s" | bc)
  local user sys
  # After a failure GNU time puts a line of its own first.
  read -r user sys PEAK_KIB < <(tail -n 1 "$usage")
  CPU=$(echo "$user + $sys" | bc)
  rm -f "$usage"
  return "$status"
}

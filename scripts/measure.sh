# Sourced by the timing scripts: needs $runs (how many runs) and $work (a scratch folder).

# measure CMD...: the median wall seconds and the median peak resident KiB of $runs runs of
# CMD, as "SECONDS KIB". The last run's standard output is left in $work/stdout.
measure() {
  local times=() mems=()
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/t" "$@" > "$work/stdout" 2> /dev/null
    read -r t m < "$work/t"
    times+=("$t"); mems+=("$m")
  done
  local mt mm
  mt=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(( (runs + 1) / 2 ))p")
  mm=$(printf '%s\n' "${mems[@]}" | sort -g | sed -n "$(( (runs + 1) / 2 ))p")
  echo "$mt $mm"
}

# Sourced by the compare scripts.
# Prints "wall cpu": the medians in seconds of five runs of the command given,
# its output thrown away.
measure() {
  local walls=() cpus=() t
  for _ in 1 2 3 4 5; do
    t=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>/dev/null; } 2>&1 )
    read -r real user sys <<<"$t"
    walls+=("$real")
    cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')")
  done
  echo "$(printf '%s\n' "${walls[@]}" | sort -g | sed -n 3p) $(printf '%s\n' "${cpus[@]}" | sort -g | sed -n 3p)"
}

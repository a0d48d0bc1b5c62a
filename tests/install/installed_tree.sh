#!/usr/bin/env bash
# cmake --install --strip into a temporary prefix, then the installed tree: both
# programs without their debug information, man pages that name every option
# and have FILES, ENVIRONMENT and EXAMPLES, a desktop entry that validates,
# its icon, and a bash completion that completes commands, options and values.
#   installed_tree.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" --strip >/dev/null || fail "cmake --install --strip"
cli=$prefix/bin/velmora-cli
for path in bin/velmora bin/velmora-cli share/man/man1/velmora.1 share/man/man1/velmora-cli.1 \
  share/bash-completion/completions/velmora-cli share/applications/velmora.desktop \
  share/icons/hicolor/scalable/apps/velmora.svg; do
  [ -s "$prefix/$path" ] || fail "$path is not installed"
done

for program in velmora velmora-cli; do
  ! readelf -S "$prefix/bin/$program" | grep -q '\.debug_info' || fail "$program keeps its debug information"
  for section in ENVIRONMENT FILES EXAMPLES; do
    grep -q "^\.SH $section\$" "$prefix/share/man/man1/$program.1" || fail "$program.1 has no $section section"
  done
done

# The window program answers --help and --version without a window system.
for option in --help --version; do
  first=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/velmora" $option | head -1)
  [[ $first == "Usage: velmora "* || $first == "velmora "[0-9]* ]] || fail "velmora $option: '$first'"
done

# Every command's options, as its help lists them; each is in the man page.
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]\+\).*/\1/p')
[ -n "$commands" ] || fail "no commands in velmora-cli --help"
words() { sort -u | paste -sd' ' -; }   # one line, sorted, as the cases write it
options_of() { "$cli" help "$1" | sed -n '/^Options:/,/^$/p' | grep -o -- '--[a-z0-9-]\+' | words; }
page=$(sed 's/\\-/-/g' "$prefix/share/man/man1/velmora-cli.1")
for command in $commands; do
  grep -q "^\.SS $command\$" <<<"$page" || fail "velmora-cli.1 has no section for $command"
  for option in $(options_of "$command"); do
    grep -q -- "$option" <<<"$page" || fail "velmora-cli.1 does not name $command $option"
  done
done
window_page=$(sed 's/\\-/-/g' "$prefix/share/man/man1/velmora.1")
for word in --help --version "velmora $("$cli" --version | cut -d' ' -f2)"; do
  grep -q -- "$word" <<<"$window_page" || fail "velmora.1 does not name $word"
done

desktop-file-validate "$prefix/share/applications/velmora.desktop" || fail "the desktop entry does not validate"
grep -qx "Icon=velmora" "$prefix/share/applications/velmora.desktop" || fail "the desktop entry names another icon"

# Completion: the words before, the word being completed, and what it offers.
source "$prefix/share/bash-completion/completions/velmora-cli" || fail "the completion does not source"
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _velmora_cli
  printf '%s\n' "${COMPREPLY[@]}" | words
}
files=$(mktemp -d -p "$prefix")
touch "$files/a1.txt" "$files/a2.txt" "$files/b.txt"
while IFS='|' read -r words current expected; do
  # shellcheck disable=SC2086  # the words split as a command line does
  got=$(complete_words $words "$current")
  [ "$got" = "$expected" ] || fail "completing '$words': '$got', expected '$expected'"
done <<EOF2
velmora-cli|im|import
velmora-cli --catalogue x.sqlite|du|dump
velmora-cli|--v|--version
velmora-cli help|c|check clear convert
velmora-cli dump --format||csv json tsv
velmora-cli dump --format =|j|json
velmora-cli dump|Structure_M|Structure_Member_Flags Structure_Members
velmora-cli import --dry-run|$files/a|$files/a1.txt $files/a2.txt
velmora-cli import --emit-json|$files/b|$files/b.txt
velmora-cli check|$files/a|$files/a1.txt $files/a2.txt
velmora-cli use|$files/b|$files/b.txt
velmora-cli import --class|DirectS|DirectSetup DirectSound
velmora-cli import --update --class|Direct3D|Direct3D\ Immediate\ Mode Direct3D\ Retained\ Mode
EOF2
# The options each command's help lists, no more, no fewer.
for command in $commands; do
  got=$(complete_words velmora-cli "$command" -- | tr ' ' '\n' | grep -- '^--' | words)
  [ "$got" = "$(options_of "$command")" ] || fail "completing '$command --': '$got', its help: '$(options_of "$command")'"
done

[ $failures -eq 0 ] && echo "installed tree: all checks passed"
exit $((failures > 0))

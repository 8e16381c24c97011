#!/usr/bin/env bash
# test_shell_completion.sh SOURCE_DIR CLI: the completions of bash (with
# Debian's bash-completion), zsh and fish, each loaded the way its shell finds
# an installed one, offer the same words: commands, the options that fit the
# command, --ext values from the window's settings file, and paths; zsh and
# fish describe them in the tool's language.
set -euo pipefail
src=$(cd "${1:?usage: test_shell_completion.sh SOURCE_DIR CLI}" && pwd)
cli=${2:?usage: test_shell_completion.sh SOURCE_DIR CLI}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# The tool beside a settings file of its own, as a portable copy keeps it.
mkdir -p "$work/bin" "$work/home" "$work/site/info"
cp "$cli" "$work/bin/glyphwright-cli"
printf '[Ext]\n.HTM=1\n.XYZ=0\n.SHTML=0\n' >"$work/bin/glyphwright.ini"
touch "$work/site/index.htm"
export PATH="$work/bin:$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config"

# The scripts where each shell looks for installed ones.
share="$work/share"
mkdir -p "$share/bash-completion/completions" "$share/zsh/vendor-completions" \
  "$share/fish/vendor_completions.d"
cp "$src/cli/completion/glyphwright-cli.bash" "$share/bash-completion/completions/glyphwright-cli"
cp "$src/cli/completion/_glyphwright-cli" "$share/zsh/vendor-completions/"
cp "$src/cli/completion/glyphwright-cli.fish" "$share/fish/vendor_completions.d/"
export XDG_DATA_DIRS="$share"

complete_bash() {
  bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    _completion_loader glyphwright-cli
    # Split as readline does, where "=" is a word of its own.
    read -ra COMP_WORDS <<<"${1//=/ = }"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$1
    COMP_POINT=${#COMP_LINE}
    $(complete -p glyphwright-cli | sed "s/.*-F \([^ ]*\) .*/\1/") glyphwright-cli \
      "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$1" 2>/dev/null
}

complete_zsh() {
  rm -f "$work/zsh.out"
  zsh -f "$src/tests/cli/complete-zsh.zsh" "$share/zsh/vendor-completions" "$work/zsh.out" "$1" &&
    cat "$work/zsh.out"
}

complete_fish() {
  fish -c "complete -C '$1'"
}

# The words alone, as the shells differ in how much of the line they repeat:
# after the last "/" or ",", without "--ext=" or a trailing "/", an option
# without the "=" bash puts after it; sorted, unique.
words() {
  cut -f1 | sed -e 's|/$||' -e 's|.*/||' -e 's|.*,||' -e 's|^--ext=||' -e 's|^\(--[a-z-]*\)=$|\1|' \
    -e '/^$/d' | sort -u | tr '\n' ' ' | sed 's/ $//'
}

check() {
  local line=$1 expected=$2 shell got
  for shell in bash zsh fish; do
    got=$("complete_$shell" "$line" | words) || got="(failed)"
    if [ "$got" != "$expected" ]; then
      echo "test_shell_completion: $shell, \"$line\": got \"$got\", expected \"$expected\"" >&2
      status=1
    fi
  done
}

check "glyphwright-cli " "decode encode restore"
check "glyphwright-cli re" "restore"
check "glyphwright-cli encode --no-b" "--no-backup"
check "glyphwright-cli restore --k" "--keep"
check "glyphwright-cli encode --k" ""
check "glyphwright-cli restore --ch" ""
check "glyphwright-cli decode --ch" "--check"
check "glyphwright-cli encode -e .x" ".xyz"
check "glyphwright-cli encode --ext .htm,.s" ".shtml"
check "glyphwright-cli restore --ext=.h" ".htm"
check "glyphwright-cli encode $work/site/in" "index.htm info"
check "glyphwright-cli restore --jo" "--jobs"
check "glyphwright-cli decode --eol " "crlf keep lf"
check "glyphwright-cli restore --nu" "--null"
check "glyphwright-cli encode -j " "$(printf '%s\n' 1 "$(nproc)" | sort -u | tr '\n' ' ' | sed 's/ $//')"

# describes LINE TEXT VARIABLE=VALUE...: under these locale variables alone,
# zsh and fish show TEXT in a description.
describes() {
  local shell got
  for shell in zsh fish; do
    got=$(unset LANGUAGE LC_ALL LC_MESSAGES LANG && export "${@:3}" && "complete_$shell" "$1" | cut -sf2) ||
      got="(failed)"
    if ! grep -qF -- "$2" <<<"$got"; then
      echo "test_shell_completion: $shell, ${*:3} \"$1\": got \"$got\", expected \"$2\" in it" >&2
      status=1
    fi
  done
}

describes "glyphwright-cli --ex" "extensions for folders" LANG=en_US.UTF-8
describes "glyphwright-cli --ex" "Endungen für Ordner" LANGUAGE=de LANG=en_US.UTF-8

[ $status -eq 0 ] && echo "test_shell_completion: bash, zsh and fish complete alike"
exit $status

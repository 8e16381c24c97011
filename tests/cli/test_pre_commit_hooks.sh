#!/usr/bin/env bash
# test_pre_commit_hooks.sh SOURCE_DIR CLI: the hooks of .pre-commit-hooks.yaml,
# run by the pre-commit framework on a fresh git repository of pages, as a
# user's .pre-commit-config.yaml names them: the check fails while a page
# needs converting, the encode hook converts the pages (their characters and
# nothing else: LF stays LF, a page with nothing to change is not touched),
# then the check passes, and a commit of a raw page is refused.
set -euo pipefail
src=$(cd "${1:?usage: test_pre_commit_hooks.sh SOURCE_DIR CLI}" && pwd)
cli=${2:?usage: test_pre_commit_hooks.sh SOURCE_DIR CLI}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Nothing of the machine's own git or pre-commit set-up takes part.
export HOME="$work/home" PRE_COMMIT_HOME="$work/cache" GIT_CONFIG_NOSYSTEM=1
export GIT_AUTHOR_NAME=test GIT_AUTHOR_EMAIL=test@example.org
export GIT_COMMITTER_NAME=test GIT_COMMITTER_EMAIL=test@example.org
export PATH="$(cd "$(dirname "$cli")" && pwd):$PATH"
mkdir "$HOME"
fail() {
  echo "test_pre_commit_hooks: $*" >&2
  exit 1
}

# The hooks' repository: this tree's hook file, committed.
hooks="$work/hooks"
git init -q "$hooks"
cp "$src/.pre-commit-hooks.yaml" "$hooks/"
git -C "$hooks" add .pre-commit-hooks.yaml
git -C "$hooks" commit -q -m hooks
rev=$(git -C "$hooks" rev-parse HEAD)

# A site under git.
site="$work/site"
git init -q "$site"
cd "$site"
mkdir inc
printf 'Gr\xfc\xdfe\n' >index.html
printf '<?php echo "K\xc3\xb6ln"; ?>\n' >Seite.PHP
printf 'Men\xfc\r\n' >inc/menu.inc
printf 'caf&eacute;\r\n' >done.htm
printf 'Notiz \xe4\n' >notes.txt
printf '<p>ok</p>\n' >ok.html
touch -d @1000000000 done.htm ok.html
cat >.pre-commit-config.yaml <<CONFIG
repos:
  - repo: $hooks
    rev: $rev
    hooks: [{id: glyphwright-check}, {id: glyphwright-encode}]
CONFIG
git add -A
pages="index.html Seite.PHP inc/menu.inc done.htm notes.txt ok.html"
before=$(sha1sum $pages)
untouched=$(stat -c '%n %i %.9Y' done.htm ok.html)

if pre-commit run glyphwright-check --all-files >"$work/out" 2>&1; then
  cat "$work/out"
  fail "the check passed on unconverted pages"
fi
for page in index.html Seite.PHP inc/menu.inc; do
  grep -qx "$page" "$work/out" || { cat "$work/out"; fail "the check did not list $page"; }
done
for other in done.htm notes.txt ok.html; do
  ! grep -q "$other" "$work/out" || { cat "$work/out"; fail "the check listed $other"; }
done
[ "$(sha1sum $pages)" = "$before" ] ||
  fail "the check changed a file"

# The framework reports the files the hook changed as a failure of its own.
pre-commit run glyphwright-encode --all-files >"$work/out" 2>&1 || true
same() { cmp -s "$1" <(printf "$2") || fail "$1 holds $(od -c "$1" | head -3)"; }
same index.html 'Gr&uuml;&szlig;e\n'
same Seite.PHP '<?php echo "K&ouml;ln"; ?>\n'
same inc/menu.inc 'Men&uuml;\r\n'
same done.htm 'caf&eacute;\r\n'
same ok.html '<p>ok</p>\n'
[ "$(stat -c '%n %i %.9Y' done.htm ok.html)" = "$untouched" ] || fail "a page with nothing to change was rewritten"
[ "$(cat notes.txt)" = $'Notiz \xe4' ] || fail "notes.txt was changed"
[ -z "$(find . -name '*._backup_')" ] || fail "the encode hook left backups"

git add -A
pre-commit run glyphwright-check --all-files >"$work/out" 2>&1 ||
  { cat "$work/out"; fail "the check failed on converted pages"; }

# Installed as the git hook, the check refuses a commit of a raw page.
pre-commit install >/dev/null
git commit -q -m converted >"$work/out" 2>&1 || { cat "$work/out"; fail "a clean commit was refused"; }
printf '\xe9t\xe9\n' >ete.htm
git add ete.htm
if git commit -q -m raw >"$work/out" 2>&1; then
  fail "a commit of a raw page went through"
fi
echo "test_pre_commit_hooks: both hooks work"

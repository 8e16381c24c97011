#!/usr/bin/env zsh
# complete-zsh.zsh FPATH_DIR OUT LINE: types LINE and Tab into an interactive
# zsh that loads completions from FPATH_DIR, and writes the matches it offers
# to OUT, one per line, with the descriptions it shows after a tab (OUT appears
# once the completion has finished).
zmodload zsh/zpty
local dir=$1 out=$2 line=$3
: >$out.part
zpty gw zsh -f -i
zpty -w gw "fpath=(${(q)dir} \$fpath); autoload -Uz compinit; compinit -u -D"
# Every match goes through compadd; the ones that fill arrays only are not offered.
# A list of descriptions shown beside the matches (-d) follows them, each after a tab.
zpty -w gw "compadd() { if [[ \${@[1,(i)(-|--)]} == *-(O|A|D)\\ * ]]; then builtin compadd \"\$@\"; return; fi; local -a m; builtin compadd -A m \"\$@\"; (( \$#m )) && print -rl -- \$m >>${(q)out}.part; (( \$#m && \${@[(i)-d]} < \$# )) && print -rl -- \$'\\t'\${^\${(P)@[\${@[(i)-d]}+1]}} >>${(q)out}.part; builtin compadd \"\$@\"; }"
zpty -w gw "__gw_done() { mv ${(q)out}.part ${(q)out}; }; comppostfuncs=(__gw_done)"
zpty -w -n gw "$line"$'\t'
for i in {1..600}; do
  [[ -e $out ]] && break
  sleep 0.1
done
zpty -d gw
[[ -e $out ]]

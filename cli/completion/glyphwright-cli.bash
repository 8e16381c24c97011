# bash completion for glyphwright-cli                      -*- shell-script -*-
# Uses the helpers of Debian's bash-completion package (_init_completion, _filedir).

# The entries of the window's extension list, in lower case (--ext and
# --settings exclude each other). $1: the command.
_glyphwright_cli_extensions()
{
    "$1" --list-ext 2>/dev/null | tr 'A-Z' 'a-z'
}

_glyphwright_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --) break ;;
            encode | decode | restore)
                command=${words[i]}
                break
                ;;
        esac
    done

    case $prev in
        -e | --ext)
            # The last piece of a comma-separated list.
            local done="" piece=$cur
            if [[ $cur == *,* ]]; then
                done=${cur%,*},
                piece=${cur##*,}
            fi
            local IFS=$'\n'
            COMPREPLY=($(compgen -P "$done" -W "$(_glyphwright_cli_extensions "$1")" -- "$piece"))
            compopt -o nospace
            return
            ;;
        --settings)
            _filedir
            return
            ;;
        --eol)
            COMPREPLY=($(compgen -W "keep crlf lf" -- "$cur"))
            return
            ;;
        -j | --jobs)
            # A count of workers; the online CPUs are the usual choice.
            COMPREPLY=($(compgen -W "1 $(nproc 2>/dev/null)" -- "$cur"))
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        local options="-e --ext= --settings= -n --dry-run -z --null --sync -j --jobs= -q --quiet -h --help --version --list-ext"
        case $command in
            restore) options+=" --keep" ;;
            encode | decode) options+=" --check --no-backup --utf8 --cp1252 --eol=" ;;
            *) options+=" --check --no-backup --utf8 --cp1252 --eol= --keep" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "encode decode restore" -- "$cur"))
        return
    fi
    _filedir
} &&
    complete -F _glyphwright_cli glyphwright-cli

# ex: filetype=sh

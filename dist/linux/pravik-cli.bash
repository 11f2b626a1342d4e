# bash completion for pravik-cli                           -*- shell-script -*-

# What each command takes: its options, and the extension of its file
# arguments. A new command is one entry in each table. (-g: this file may
# be sourced inside a function by the completion loader.)
declare -gA _pravik_cli_options=(
    [counts]=""
    [dump]="--raw --format"
    [resave]=""
    [check]="--raw --format"
    [lint]="--raw --format"
    [generate]="--source --header --date"
    [config]=""
    [preview]="--count --format --encoding"
    [export]="--encoding"
    [import]="--encoding"
    [send]="--sml --body --count --repeat --window --format"
    [serve]="--sml --seconds --messages --no-auto-reply --format"
)
declare -gA _pravik_cli_extension=(
    [counts]=sml
    [dump]=sml
    [resave]=sml
    [check]=sml
    [lint]=sml
    [generate]=sml
    [config]=cfg
    [preview]=sml
    [export]=sml
    [import]=txt
    [send]=cfg
    [serve]=cfg
)

# Folders, and files with the extension $1, that begin with $cur.
_pravik_cli_files() {
    local IFS=$'\n'
    COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X "!*.$1" -- "$cur"))
    compopt -o filenames 2>/dev/null
}

_pravik_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command= i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} != -* ]]; then
            command=${COMP_WORDS[i]}
            break
        fi
    done
    COMPREPLY=()
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "${!_pravik_cli_extension[*]} help" -- "$cur"))
        fi
        return
    fi
    if [[ $command == help ]]; then
        ((i == COMP_CWORD - 1)) && COMPREPLY=($(compgen -W "${!_pravik_cli_extension[*]}" -- "$cur"))
        return
    fi
    [[ -v _pravik_cli_extension[$command] ]] || return
    case $prev in
    --format)
        if [[ $command == lint ]]; then
            COMPREPLY=($(compgen -W "text gcc json" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "text json" -- "$cur"))
        fi
        return
        ;;
    --encoding)
        if [[ $command == import ]]; then
            COMPREPLY=($(compgen -W "auto utf-8 cp949 utf-16le utf-16be" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "utf-8 cp949" -- "$cur"))
        fi
        return
        ;;
    --source) _pravik_cli_files cpp; return ;;
    --header) _pravik_cli_files h; return ;;
    --sml) _pravik_cli_files sml; return ;;
    --body) _pravik_cli_files txt; return ;;
    --date | --count | --repeat | --window | --seconds | --messages) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${_pravik_cli_options[$command]} --help" -- "$cur"))
        return
    fi
    _pravik_cli_files "${_pravik_cli_extension[$command]}"
}
complete -F _pravik_cli pravik-cli

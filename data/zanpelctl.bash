# bash completion for zanpelctl: commands, options, and the months of the
# data folder's files for the commands that take a month.

# The data folder zanpelctl would use for the words typed so far: --data-dir,
# else $ZANPEL_DATA_DIR, else the program's folder when it is a portable
# installation, else $XDG_DATA_HOME/zanpel.
_zanpelctl_data_dir()
{
    local i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == --data-dir ]]; then
            printf '%s\n' "${words[i + 1]/#\~/$HOME}"
            return
        fi
    done
    if [[ -n ${ZANPEL_DATA_DIR-} ]]; then
        printf '%s\n' "$ZANPEL_DATA_DIR"
        return
    fi
    local program
    program=$(type -P "${words[0]}" 2>/dev/null)
    if [[ -n $program ]]; then
        local folder=${program%/*}
        if [[ -w $folder && ( -e $folder/zanpel.ini || -e $folder/zanpel.wk2 ) ]]; then
            printf '%s\n' "$folder"
            return
        fi
    fi
    local base=${XDG_DATA_HOME-}
    [[ $base == /* ]] || base=$HOME/.local/share
    printf '%s\n' "$base/zanpel"
}

# The months (YYYYMM) that have a file in the data folder, newest first.
_zanpelctl_months()
{
    local folder file name
    folder=$(_zanpelctl_data_dir)
    for file in "$folder"/[0-9][0-9][0-9][0-9][0-9][0-9].dat; do
        [[ -f $file ]] || continue
        name=${file##*/}
        printf '%s\n' "${name%.dat}"
    done | sort -r
}

_zanpelctl()
{
    local cur prev words cword
    _init_completion || return

    local commands='today export summary report rewrite check match why rules settings journal sync autostart gnome-extension help'
    case $prev in
        --data-dir | --directory)
            _filedir -d
            return
            ;;
        --file)
            _filedir
            return
            ;;
        --now)
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'csv json' -- "$cur"))
            return
            ;;
        --period)
            COMPREPLY=($(compgen -W 'month day week range' -- "$cur"))
            return
            ;;
        --output)
            _filedir
            return
            ;;
        --flags | --day | --from | --to | --last)
            return
            ;;
    esac

    # The command is the first word that is neither an option nor its value.
    local i command='' arguments=0
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --data-dir | --now | --format | --file | --directory | --period | --output | \
                --flags | --day | --from | --to | --last) ((i++)) ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${words[i]}
                else
                    ((arguments++))
                fi
                ;;
        esac
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--data-dir --now --version --help' -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local options='' months=0
    case $command in
        export) options='--format' months=2 ;;
        summary) months=2 ;;
        report)
            options='--memo --categories --period-memos --subtotals --by-date --flags --period'
            options+=' --day --from --to --output'
            months=1
            ;;
        rewrite) months=1 ;;
        why) options='--last' ;;
        journal) options='--file --directory' months=1 ;;
        sync) options='--file --directory' months=1 ;;
        autostart)
            ((arguments == 0)) && COMPREPLY=($(compgen -W 'on off status' -- "$cur"))
            return
            ;;
        gnome-extension)
            ((arguments == 0)) && COMPREPLY=($(compgen -W 'install status' -- "$cur"))
            return
            ;;
        help)
            ((arguments == 0)) && COMPREPLY=($(compgen -W 'match' -- "$cur"))
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif ((arguments < months)); then
        COMPREPLY=($(compgen -W "$(_zanpelctl_months)" -- "$cur"))
    fi
} &&
    complete -F _zanpelctl zanpelctl

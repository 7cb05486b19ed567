# bash completion for mousecfgctl (and mousecfgctl-sim)
_mousecfgctl()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        --appdir)
            _filedir -d
            return
            ;;
        --sim-fault)
            COMPREPLY=($(compgen -W 'asleep cable fail-writes= drop-answers= corrupt-echo= unplug-after=' -- "$cur"))
            [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
            return
            ;;
    esac

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --appdir | --sim-fault) ((i++)) ;;
            -*) ;;
            *)
                command=${words[i]}
                break
                ;;
        esac
    done

    local options='--appdir --trace --verbose --help --version'
    [[ ${words[0]} == *-sim ]] && options+=' --simulate --sim-fault'
    case $command in
        "")
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "$options" -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'status apply export' -- "$cur"))
            fi
            ;;
        status)
            COMPREPLY=($(compgen -W "--json $options" -- "$cur"))
            ;;
        apply)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--all $options" -- "$cur"))
            else
                _filedir conf
            fi
            ;;
        export)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "$options" -- "$cur"))
            else
                _filedir conf
            fi
            ;;
    esac
}
complete -F _mousecfgctl mousecfgctl mousecfgctl-sim

# bash completion for quillonctl
_quillonctl()
{
    local cur prev words cword
    _init_completion || return

    local commands="discover set batch web doctor"
    local search="--adapter --all-adapters --wait --repeat --directed --verbose --help"
    local settings="--ip --port --mask --gateway --server --server-port"
    local credentials="--user --password --password-file"

    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --adapter)
            COMPREPLY=($(compgen -W "$(ls /sys/class/net 2>/dev/null)" -- "$cur"))
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W "table json csv" -- "$cur"))
            return
            ;;
        --password-file | --report)
            _filedir
            return
            ;;
        --ip | --port | --mask | --gateway | --server | --server-port | --user | --password | --wait | \
            --repeat | --timeout | --confirm-wait | --parallel | --start-ip | --step | --set | --ntp)
            return
            ;;
    esac

    local options
    case ${words[1]} in
        discover) options="$search --ip --format" ;;
        set) options="$search $settings $credentials --timeout --confirm-wait" ;;
        batch)
            options="$search $settings $credentials --start-ip --step --parallel --report --timeout --confirm-wait"
            ;;
        web)
            if [[ $cword -eq 3 ]]; then
                COMPREPLY=($(compgen -W "datetime upload" -- "$cur"))
                return
            fi
            if [[ ${words[3]} == upload && $cword -eq 4 ]]; then
                _filedir
                return
            fi
            options="$search $credentials --set --sync-pc --ntp --no-ntp --timeout"
            ;;
        doctor) options="$search" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ ${words[1]} == batch ]]; then
        _filedir csv
    fi
} &&
    complete -F _quillonctl quillonctl

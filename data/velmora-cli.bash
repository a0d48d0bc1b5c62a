# bash completion for velmora-cli                          -*- shell-script -*-
# Commands, their options, --format and --class values, table and command names, files.

_velmora_cli_options()
{
    case $1 in
        init) echo "--database --postgres" ;;
        import) echo "--class --dry-run --update --emit-json" ;;
        dump) echo "--format" ;;
        clear) echo "--yes" ;;
        convert) echo "--header --output -o --utf8 --log" ;;
    esac
}

_velmora_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="init use import check dump clear convert verify help"
    # --option=value: bash splits at the "=", so the option is one word further back.
    if [[ $cur == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 1]}
        cur=
    elif [[ $prev == = && COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi

    # The command is the first word that is neither an option nor --catalogue's value.
    local i command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --catalogue) ((i++)) ;;
            -* | =) ;;
            *)
                command=${COMP_WORDS[i]}
                break
                ;;
        esac
    done

    COMPREPLY=()
    case $prev in
        --format)
            COMPREPLY=($(compgen -W "tsv csv json" -- "$cur"))
            return
            ;;
        --class)
            # The foundation classes every catalogue holds; their spaces escaped.
            local IFS=$'\n' classes="DirectDraw
DirectSound
DirectInput
DirectPlay
DirectSetup
Direct3D Immediate Mode
Direct3D Retained Mode"
            COMPREPLY=($(compgen -W "$classes" -- "${cur//\\ / }"))
            COMPREPLY=("${COMPREPLY[@]// /\\ }")
            return
            ;;
        --postgres)
            return
            ;;
        --catalogue | --database | --emit-json | --header | --output | -o | --log)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--catalogue --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_velmora_cli_options "$command") --help" -- "$cur"))
        return
    fi
    case $command in
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        dump) COMPREPLY=($(compgen -W "Structures Structure_Members Structure_Member_Flags Foundation_Classes" -- "$cur")) ;;
        import | check | convert | use)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            ;;
    esac
}

complete -F _velmora_cli velmora-cli

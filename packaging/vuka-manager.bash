# Bash completion for vuka-manager: its options, and .ini files for --catalogue and FILE.
_vuka_manager() {
  # shellcheck disable=SC2034 # words and cword are set by _init_completion
  local cur prev words cword
  _init_completion || return

  case "$prev" in
    --get | --set | --unset)
      return # a name of the file, or NAME=VALUE: nothing to offer
      ;;
  esac
  if [[ "$cur" == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W '--help --help-all --version --check --get --set
      --unset --catalogue --strict --verbose --quiet' -- "$cur")
    return
  fi
  _filedir ini
}
complete -F _vuka_manager vuka-manager

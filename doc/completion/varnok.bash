# bash completion for varnok, clockpare and formremap.

_varnok() {
  local cur prev
  cur="${COMP_WORDS[COMP_CWORD]}"
  prev="${COMP_WORDS[COMP_CWORD-1]}"
  case "$prev" in
    -abs) COMPREPLY=($(compgen -W "xtra incl cvxhull lu" -- "$cur")); return ;;
    -sync) COMPREPLY=($(compgen -W "diag enum" -- "$cur")); return ;;
    -COMPACT|-C) COMPREPLY=($(compgen -W "1 2" -- "$cur")); return ;;
    -step|-s|-j|-FORW|-STACK|-CONTROL|-H|-ALLPATHS|-INIT|-I|-REACH|-R|-prefix) COMPREPLY=(); return ;;
    -init|-i|-reach|-r) COMPREPLY=($(compgen -f -X '!*.tctl' -- "$cur") $(compgen -d -- "$cur")); return ;;
    -out) COMPREPLY=($(compgen -f -X '!*.tg' -- "$cur")); return ;;
  esac
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "-compact -c -Act -ta -sync -sd -se -out -tck -CONTROL
      -formula -f -back -init -i -INIT -I -reach -r -REACH -R -Inv -step -s
      -forw -DFS -FULLDFS -abs -ax -ai -ac -alu -j -reachable
      -allpaths -ALLPATHS -run -dot -svg
      -verdict -q -stats -progress -verbose -v -history -h -prefix -COMPACT -C -H
      --help --version -FORW -STACK" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -X '!*.@(tg|tctl|tck)' -- "$cur") $(compgen -d -- "$cur"))
  fi
}

_clockpare() {
  local cur="${COMP_WORDS[COMP_CWORD]}"
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "-s -S -l -A -E -a -d -e -r -g -h --help --version" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -X '!*.tg' -- "$cur") $(compgen -d -- "$cur"))
  fi
}

_formremap() {
  local cur="${COMP_WORDS[COMP_CWORD]}"
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "-r -h --help --version" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -X '!*.@(tctl|opt)' -- "$cur") $(compgen -d -- "$cur"))
  fi
}

complete -F _varnok varnok
complete -F _clockpare clockpare
complete -F _formremap formremap

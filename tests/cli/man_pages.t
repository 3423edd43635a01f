Every option that a program's --help names is in its man page, and every
option of the man page is in --help: the option words of both, compared
(in the page's source, \- is a dash and font changes are dropped).

  $ man_dir=$TESTDIR/../../doc/man
  $ options() { sed 's/\\-/-/g; s/\\f[BIRP]//g' | grep -oE '(^|[][ ,("|])--?[A-Za-z][A-Za-z_]*' | sed 's/^[^-]*//' | sort -u; }
  $ for p in varnok clockpare formremap; do
  >   $p --help | options > help.$p; options < $man_dir/$p.1 > man.$p
  >   diff help.$p man.$p && echo "$p: $(wc -l < help.$p) options, the same"; done
  varnok: 56 options, the same
  clockpare: 15 options, the same
  formremap: 4 options, the same

The bash completion offers exactly the options of the option lines of
--help (their first column).

  $ completion=$TESTDIR/../../doc/completion/varnok.bash
  $ for p in varnok clockpare formremap; do
  >   $p --help | grep '^  -' | sed 's/   .*//' | options > listed.$p
  >   bash -c "source $completion; COMP_WORDS=($p -); COMP_CWORD=1; _$p; printf '%s\n' \"\${COMPREPLY[@]}\"" | sort -u > offered.$p
  >   diff listed.$p offered.$p && echo "$p: $(wc -l < offered.$p) options offered"; done
  varnok: 55 options offered
  clockpare: 13 options offered
  formremap: 4 options offered

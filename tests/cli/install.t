make install: the programs, the man pages, the bash completion and the
examples go under the prefix, inside DESTDIR; the installed programs run.

  $ build=$(dirname "$(command -v varnok)"); root=$PWD/root
  $ DESTDIR=$root cmake --install "$build" --prefix /opt/vk > install.log; echo "status $?"
  status 0
  $ cd root/opt/vk && find . -type f -o -type l | grep -v '/examples/' | sort
  ./bin/clockpare
  ./bin/formremap
  ./bin/varnok
  ./share/bash-completion/completions/clockpare
  ./share/bash-completion/completions/formremap
  ./share/bash-completion/completions/varnok
  ./share/doc/varnok/README.md
  ./share/man/man1/clockpare.1
  ./share/man/man1/formremap.1
  ./share/man/man1/varnok.1
  $ ls share/doc/varnok/examples | head -3
  fischer.tg
  fischer_enter.tctl
  fischer_enter_fast.tctl
  $ for p in varnok clockpare formremap; do cmp share/man/man1/$p.1 $TESTDIR/../../doc/man/$p.1 && echo "$p.1 installed"; done
  varnok.1 installed
  clockpare.1 installed
  formremap.1 installed
  $ cd $OLDPWD

The installed programs: the version, and a bundled example run from a copy.

  $ $root/opt/vk/bin/varnok --version; echo "status $?"
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  status 0
  $ mkdir run && cd run && cp $root/opt/vk/share/doc/varnok/examples/train_gate* .
  $ $root/opt/vk/bin/varnok train_gate train_gate_safe > out; echo "status $?"
  status 1
  $ ls train_gate_safe.eval
  train_gate_safe.eval
  $ $root/opt/vk/bin/clockpare --version && $root/opt/vk/bin/formremap --version
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  formremap: release 2.4.3 (i686) date ????/??/?? (glob)

The completion file defines the completion of the three programs, and
completes the options and the parameters of -abs.

  $ bash -c "source $root/opt/vk/share/bash-completion/completions/varnok; complete -p" | grep -E 'varnok|clockpare|formremap'
  complete -F _varnok varnok
  complete -F _clockpare clockpare
  complete -F _formremap formremap
  $ bash -c "source $root/opt/vk/share/bash-completion/completions/varnok; COMP_WORDS=(varnok -abs ''); COMP_CWORD=2; _varnok; echo \${COMPREPLY[*]}"
  xtra incl cvxhull lu
  $ bash -c "source $root/opt/vk/share/bash-completion/completions/varnok; COMP_WORDS=(varnok -ver); COMP_CWORD=1; _varnok; echo \${COMPREPLY[*]}"
  -verdict -verbose

The Makefile's install passes PREFIX and DESTDIR on.

  $ make -n -C $TESTDIR/../.. install BUILD=/b PREFIX=/p DESTDIR=/d | grep -- '--install'
  DESTDIR=/d cmake --install /b --prefix /p

Every option that --help lists (every alias, with a value where the help
names one) is taken by its program: no "unknown option" line, no refused
value, no usage error. -ta... runs an external command and is left out.

  $ printf '#states 1 #trans 1 #clocks 1 x\nstate: 0 prop: INIT invar: x <= 2 trans:\nx <= 1 => a ; reset{ x } ; goto 0\n' > m.tg
  $ echo "init impl AB x <= 2" > f.tctl
  $ python3 $TESTDIR/help_options.py
  varnok: 58 options checked
  clockpare: 13 options checked
  formremap: 4 options checked

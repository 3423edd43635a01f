clockpare and formremap write their files as varnok does: a file that
cannot be written completely is reported, never said to be dumped, the run
ends with status 1 and no temporary is left.

  $ cat > m.tg <<'TG'
  > #states 2 #trans 2 #clocks 3 x y z
  > #sync go
  > state: 0 prop: init invar: z <= 4 trans: x >= 1 and z >= 2 => go ; reset{ } x:=y ; goto 1
  > state: 1 invar: x <= 3 and y <= 3 trans: true => back ; reset{ y z } ; goto 0
  > TG
  $ clockpare m > /dev/null
  $ for s in act.init act equ ren opt opt.tg; do
  >   ln -sf /dev/full m.$s
  >   clockpare -daerg m | grep -e "m\.$s dumped" -e write; echo "status ${PIPESTATUS[0]}"
  >   rm m.$s
  > done
  clockpare: computing clock activity ...clockpare: cannot write file m.act.init
  status 1
  clockpare: cannot write file m.act
  status 1
  clockpare: cannot write file m.equ
  status 1
  clockpare: cannot write file m.ren
  status 1
  clockpare: cannot write file m.opt
  status 1
  clockpare: cannot write file m.opt.tg
  status 1
  $ ls -a | grep -c tmp
  0
  [1]

A complete run writes them all.

  $ clockpare -daerg m | grep -e dumped; ls m.*
  clockpare: file m.act dumped
  clockpare: file m.equ dumped
  clockpare: file m.ren dumped
  clockpare: file m.opt.tg dumped
  m.act
  m.act.init
  m.equ
  m.lab
  m.opt
  m.opt.tg
  m.prop
  m.reg
  m.ren
  m.tg
  m.vnk

formremap's listing of the renaming likewise, and the listing left by the
earlier run is kept as it was.

  $ echo 'init impl (p EU{<5} q)' > f.tctl
  $ cp m.ren before.ren; rm m.ren; ln -s /dev/full m.ren
  $ formremap -r f m | tail -1; echo "status ${PIPESTATUS[0]}"
  formremap: cannot write file m.ren
  status 1
  $ rm m.ren; ls -a | grep -c tmp
  0
  [1]
  $ formremap -r f m | tail -1; echo "status ${PIPESTATUS[0]}"
  formremap: file m.ren dumped
  status 0
  $ ls f.*
  f.tctl

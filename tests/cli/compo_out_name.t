The written product never replaces one of the models it is made of: a
product name that reaches a model's text or compiled files, whatever its
spelling (-out, -prefix, "./", a link), is refused in one line on standard
error before anything is written.

  $ run() { varnok "$@" > out 2> err; s=$?; tail -n +2 out | grep -v -e "syntax analysis" -e "reading file"; cat err; echo "status $s"; }
  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ rail="rail_train rail_gate rail_controller"

The models are not compiled yet: only their texts are at stake.

  $ run -out rail_train $rail
  varnok: the product cannot be written as rail_train.tg: it is the file rail_train.tg of model rail_train
  status 255
  $ ls
  err
  out
  rail_controller.tg
  rail_gate.tg
  rail_train.tg

Compiled, the models keep their texts and their compiled files.

  $ varnok $rail > /dev/null 2>&1; rm _out.*
  $ md5sum rail_* > sums
  $ run -prefix rail -out _train $rail
  varnok: the product cannot be written as rail_train.tg: it is the file rail_train.tg of model rail_train
  status 255
  $ run -out ./rail_gate.tg $rail
  varnok: the product cannot be written as ./rail_gate.tg: it is the file rail_gate.tg of model rail_gate
  status 255
  $ mkdir sub; cd sub
  $ run -out ../rail_controller ../rail_train.tg ../rail_gate ../rail_controller.tg
  varnok: the product cannot be written as ../rail_controller.tg: it is the file ../rail_controller.tg of model ../rail_controller
  status 255
  $ cd ..; ln -s rail_gate.tg gate_link.tg
  $ run -out gate_link $rail
  varnok: the product cannot be written as gate_link.tg: it is the file rail_gate.tg of model rail_gate
  status 255
  $ md5sum -c --quiet sums
  $ ls | grep -v -e "^rail_" -e "^sums$"
  err
  gate_link.tg
  out
  sub

A name of its own is written as before.

  $ run -prefix rail -out _product $rail
  varnok: file rail_train.vnk already exists 
  varnok: file rail_gate.vnk already exists 
  varnok: file rail_controller.vnk already exists 
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files rail_product.[tg,vnk,lab,prop,reg] created.
  status 1
  $ md5sum -c --quiet sums

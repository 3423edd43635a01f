--help prints every option, grouped, on standard output alone, with status
0 and no banner; --version prints the banner line, status 0. Either one
anywhere among the arguments wins over the rest, model files included.

  $ varnok --help > out 2> err; echo "status $?"; wc -c < err
  status 0
  0
  $ grep -E '^[A-Z][a-z ]+:$' out
  Models:
  Questions:
  Searches and abstractions:
  Evidence:
  Output:
  Limits:
  $ grep -c '^  -' out
  43
  $ grep -E '^  -(abs lu|run|dot|prefix|out|compact|allpaths|ALLPATHS|H|COMPACT|back|ta|verdict|q|stats|progress)\b' out | cut -c1-22
    -compact, -c        
    -ta...              
    -out NAME           
    -back               
    -abs lu, -alu       
    -allpaths           
    -ALLPATHS N         
    -run                
    -dot                
    -verdict            
    -q                  
    -stats              
    -progress           
    -prefix P           
    -COMPACT N, -C N    
    -H N                
  $ varnok -v nothere.tg --help -nope | head -1
  usage: varnok [options] model[.tg] [model2[.tg] ...] [formula[.tctl] | "text"]
  $ ls
  err
  out
  $ varnok --version; echo "status $?"
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  status 0
  $ varnok --version --help | head -1
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)

A wrong option, an unknown -abs or -sync parameter, a missing value and a
depth-first search without a goal are named in one line on standard error,
before the usage text, which is unchanged, with its status.

  $ varnok > usage.txt; tail -n +2 usage.txt > usage.ref
  $ for a in "-xyz" "--nope" "-abs foo" "-sync" "-sync bar" "-FORW" "-DFS m" "-STACK 4 m" "-FULLDFS m"; do
  >   varnok $a > out 2> err; s=$?; tail -n +2 out | cmp -s - usage.ref && u=usage || u=other
  >   echo "$a: $s $u $(cat err)"; done
  -xyz: 255 usage varnok: unknown option -xyz
  --nope: 255 usage varnok: unknown option --nope
  -abs foo: 255 usage varnok: -abs takes xtra, incl, cvxhull or lu, not foo
  -sync: 255 usage varnok: -sync needs a value
  -sync bar: 255 usage varnok: -sync takes diag or enum, not bar
  -FORW: 255 usage varnok: -FORW needs a value
  -DFS m: 255 usage varnok: -DFS, -FULLDFS and -STACK need a goal (-r or -R)
  -STACK 4 m: 255 usage varnok: -DFS, -FULLDFS and -STACK need a goal (-r or -R)
  -FULLDFS m: 255 usage varnok: -DFS, -FULLDFS and -STACK need a goal (-r or -R)

A value that is not a number is named and read as the conversion reads it
(no digits: 0, trailing garbage ignored), so the run goes on as before; a
number below 1, which has its documented default, is quiet.

  $ varnok -FORW abc -CONTROL 12x -step '' -COMPACT two -ALLPATHS 0 -H -3 -s ' +7' > out; echo "status $?"
  varnok: -FORW needs a positive number, not abc
  varnok: -CONTROL needs a positive number, not 12x
  varnok: -step needs a positive number, not 
  varnok: -COMPACT needs 1 or 2, not two
  status 0
  $ cmp <(tail -n +2 out) usage.ref && echo same usage
  same usage

A bad value named, the run itself is the one of the value read: -FORW abc
is -FORW 0, the default limit of 1000 states (the timings of the two runs
may differ in their last digit, so they are masked; the model is dated an
hour back, so that both runs find its compiled files up to date).

  $ cp $EXAMPLES/train_gate.tg . && touch -d '-1 hour' train_gate.tg && varnok train_gate > /dev/null
  [1]
  $ varnok -FORW abc -R INSIDE train_gate > a.out 2> a.err; echo "status $?"
  status 1
  $ varnok -FORW 0 -R INSIDE train_gate > b.out 2> b.err; echo "status $?"
  status 1
  $ cat a.err
  varnok: -FORW needs a positive number, not abc
  $ wc -c < b.err; cmp <(sed -E 's/[0-9]+\.[0-9]+s/T/g' a.out) <(sed -E 's/[0-9]+\.[0-9]+s/T/g' b.out) && echo same run
  0
  same run

clockpare and formremap: the same --help and --version, and a wrong option
named before their usage line.

  $ clockpare --help > out 2> err; echo "status $?"; wc -c < err; grep -E '^[A-Z][a-z]+:$' out
  status 0
  0
  Models:
  Analyses:
  Output:
  $ grep -c '^  -' out
  12
  $ clockpare --version nothere; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  status 0
  $ clockpare -ax m; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: unknown option -ax
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  status 255
  $ formremap --help > out 2> err; echo "status $?"; wc -c < err; grep -c '^  -' out
  status 0
  0
  4
  $ formremap --version; echo "status $?"
  formremap: release 2.4.3 (i686) date ????/??/?? (glob)
  status 0
  $ formremap -rx f m; echo "status $?"
  formremap: release 2.4.3 (i686) date ????/??/?? (glob)
  formremap: unknown option -rx
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  status 255

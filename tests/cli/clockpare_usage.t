Command line of the clock-reduction tool: letter groups, exactly one model.

  $ clockpare > out; echo "status $?"
  status 255
  $ cat out
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]

A letter outside the table refuses the whole group; a third file parameter
is refused at once, two are refused after reading.

  $ clockpare -ax m; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: unknown option -ax
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  status 255
  $ clockpare a b c; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  status 255
  $ clockpare a b; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  status 255
  $ clockpare -a -; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  status 255

The letter h anywhere prints the help and stops before any file is read.

  $ clockpare -ah nothere; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  usage: clockpare [-h] [-s] [-aergAE] file[.tg]
  \t\t -h: print this information and exit (esc)
  \t\t -s: consider the timed graph a simulation graph (esc)
  \t\t -l: consider linear relations between clocks (esc)
  \t\t -a: print the activity table (esc)
  \t\t -e: print the equality table (esc)
  \t\t -r: print the local renamings (esc)
  \t\t -g: generate the optimized timed graph (esc)
  \t\t -A: compute the renaming without activity (esc)
  \t\t -E: compute the renaming without equality (esc)
  status 1
  $ clockpare nothere -h | tail -1; ls
  \t\t -E: compute the renaming without equality (esc)
  out

A missing model.

  $ clockpare nothere.tg; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: cannot open file nothere.tg 
  status 1

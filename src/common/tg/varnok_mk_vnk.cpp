#include "common/tg/varnok_mk_vnk.h"

#include <cstdio>

#include "common/tg/tg_constants.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/util/my_files.h"

int mk_vnk() {
  FILE *tg = my_fopen(".tg", "r");
  if (tg == nullptr) {
    printf("%s: cannot open file %s.tg \n", tool, my_filename);
    return 0;
  }
  FILE *vnk = my_fopen(".vnk", "r");
  if (vnk != nullptr && my_stat(tg, vnk)) {
    printf("%s: file %s.vnk already exists \n", tool, my_filename);
    READ_STRUCT = 1;
    fclose(vnk);
    fclose(tg);
    return 1;
  }
  bool existed = vnk != nullptr;
  if (vnk != nullptr) fclose(vnk);
  vnk = my_fopen(".vnk", "w");
  if (vnk == nullptr) {
    printf("%s: cannot open file %s.vnk \n", tool, my_filename);
    fclose(tg);
    return 0;
  }
  FILE *err = my_fopen(".err", "w");
  if (err == nullptr) {
    printf("%s: cannot open file %s.err \n", tool, my_filename);
    fclose(vnk);
    fclose(tg);
    return 0;
  }
  printf("%s: %s file %s.vnk...\n", tool, existed ? "updating" : "creating", my_filename);
  fclose(vnk);  // the writer reopens the compiled files by name
  int parsed = tg_to_smc(tg, nullptr, err);
  READ_STRUCT = 0;
  fclose(tg);
  if (parsed == 0 && ftell(err) == 0) {
    fclose(err);
    my_unlink(".err");
    printf("%s: file %s.[vnk,lab,prop,reg] %s\n", tool, my_filename, existed ? "updated" : "created");
    return 1;
  }
  fclose(err);
  my_unlink(".vnk");
  printf("%s: syntax error: file %s.err dumped\n", tool, my_filename);
  return 0;
}

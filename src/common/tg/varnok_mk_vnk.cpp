#include "common/tg/varnok_mk_vnk.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tg/tg_constants.h"
#include "common/tg/tg_to_smc_main.h"
#include "common/util/my_files.h"

namespace {

// Whether two status records describe the same file contents as far as the
// system tells: same file, size and modification time.
bool same_file(const struct stat &a, const struct stat &b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// The .tg file was replaced or changed while it was compiled: the compiled
// files (made from the text read) get a modification time no later than
// that of either text, so that the next run compiles the saved text again.
void mark_out_of_date(const struct stat &read, bool exists, const struct stat &now) {
  struct timespec when = read.st_mtim;
  if (exists && (now.st_mtim.tv_sec < when.tv_sec ||
                 (now.st_mtim.tv_sec == when.tv_sec && now.st_mtim.tv_nsec < when.tv_nsec)))
    when = now.st_mtim;
  struct timespec times[2] = {when, when};
  for (const char *suffix : {".prop", ".lab", ".reg", ".vnk"}) {
    std::string path = std::string(my_filename) + suffix;
    utimensat(AT_FDCWD, path.c_str(), times, 0);
  }
  printf("%s: file %s.tg changed while it was compiled: its compiled files are left out of date\n", tool,
         my_filename);
}

}  // namespace

int mk_vnk() {
  FILE *tg = my_fopen(".tg", "r");
  if (tg == nullptr) {
    printf("%s: cannot open file %s.tg \n", tool, my_filename);
    return 0;
  }
  struct stat read_st;
  if (fstat(fileno(tg), &read_st) != 0 || S_ISDIR(read_st.st_mode)) {
    fclose(tg);
    tg_cannot_read();
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
  // The four compiled files are replaced as one set, the .vnk last: without
  // a .vnk, files left by a compile cut short are never taken as up to date.
  my_unlink(".vnk");
  vnk = my_fopen_output(".vnk", "wb");
  if (vnk == nullptr) {
    printf("%s: cannot open file %s.vnk \n", tool, my_filename);
    fclose(tg);
    return 0;
  }
  discard_output(vnk);  // the writer makes the compiled files itself
  FILE *err = my_fopen_output(".err", "w");
  if (err == nullptr) {
    printf("%s: cannot open file %s.err \n", tool, my_filename);
    fclose(tg);
    return 0;
  }
  const std::string err_path = std::string(my_filename) + ".err";
  remove_at_exit(err_path.c_str());
  printf("%s: %s file %s.vnk...\n", tool, existed ? "updating" : "creating", my_filename);
  int parsed = tg_to_smc(tg, nullptr, err);
  READ_STRUCT = 0;
  fclose(tg);
  forget_at_exit(err_path.c_str());
  if (parsed == 0 && ftell(err) == 0) {
    discard_output(err);
    my_unlink(".err");
    printf("%s: file %s.[vnk,lab,prop,reg] %s\n", tool, my_filename, existed ? "updated" : "created");
    struct stat now_st;
    bool exists = stat((std::string(my_filename) + ".tg").c_str(), &now_st) == 0;
    if (!exists || !same_file(read_st, now_st)) mark_out_of_date(read_st, exists, now_st);
    return 1;
  }
  my_unlink(".vnk");
  close_output(err);
  printf("%s: syntax error: file %s.err dumped\n", tool, my_filename);
  return 0;
}

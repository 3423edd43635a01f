#include "common/tg/tg_clocks.h"

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "common/util/my_files.h"
#include "common/zone/zone.h"

clock_affect *affect_set[3] = {nullptr, nullptr, nullptr};

// The records of affect_set by mode and vector, so that sharing a record does
// not walk a chain that may hold one record per transition.
static std::unordered_map<std::string, clock_affect *> &affect_index =
    *new std::unordered_map<std::string, clock_affect *>;

static std::string affect_key(const clock_affect *a) {
  std::string key(1, static_cast<char>(a->mode));
  key.append(reinterpret_cast<const char *>(a->affect.data()), a->affect.size() * sizeof(uint16_t));
  return key;
}

void open_affect_set(int n) {
  AFFECT_SIZE = static_cast<uint16_t>(n + 1);
  for (auto &head : affect_set) head = nullptr;
  affect_index.clear();
}

clock_affect *new_clock_affect() {
  auto *a = new clock_affect;
  a->mode = AFFECT_NONE;
  a->affect.resize(AFFECT_SIZE);
  for (int i = 0; i < AFFECT_SIZE; i++) a->affect[i] = static_cast<uint16_t>(i);
  a->next = nullptr;
  return a;
}

void free_clock_affect(clock_affect *a) { delete a; }

static const char *clock_name(int i) { return clocks_names != nullptr ? clocks_names[i] : "?"; }

static void warn_affected_twice(int x) {
  fprintf(stderr, "%s: Warning: clock %s is affected twice\n", tool, clock_name(x));
}

void add_reset(clock_affect *a, int x) {
  int old = a->affect[x];
  if (old != x && old != 0) warn_affected_twice(x);
  a->affect[x] = 0;
  if (a->mode == AFFECT_NONE) a->mode = AFFECT_RESET;
}

void add_affect(clock_affect *a, int x, int y) {
  if (x == y) fprintf(stderr, "%s: Warning: clock %s is self-affected\n", tool, clock_name(x));
  int old = a->affect[x];
  if (old != x && old != y) warn_affected_twice(x);
  a->affect[x] = static_cast<uint16_t>(y);
  if (y == 0 && a->mode == AFFECT_NONE) a->mode = AFFECT_RESET;
  else if (x != y) a->mode = AFFECT_ASSIGN;
}

clock_affect *insert_affect(clock_affect *r) {
  auto [it, added] = affect_index.emplace(affect_key(r), r);
  if (!added) {
    delete r;
    return it->second;
  }
  r->next = affect_set[r->mode];
  affect_set[r->mode] = r;
  return r;
}

clock_affect *get_affect(int mode) { return affect_set[mode]; }

void free_affect_set() {
  affect_index.clear();
  for (auto &head : affect_set) {
    while (head != nullptr) {
      clock_affect *next = head->next;
      delete head;
      head = next;
    }
  }
}

void fprint_clock_affect(FILE *stream, const clock_affect *a) {
  int n = static_cast<int>(a->affect.size());
  switch (a->mode) {
    case AFFECT_NONE: fputs("RESET{} ; ", stream); return;
    case AFFECT_RESET:
    case AFFECT_ASSIGN:
      fputs("RESET{ ", stream);
      for (int i = 1; i < n; i++)
        if (a->affect[i] == 0) fprintf(stream, "%s ", clock_name(i));
      if (a->mode == AFFECT_RESET) {
        fputs("} ; ", stream);
        return;
      }
      fputs("}, ", stream);
      for (int i = 1; i < n; i++)
        if (a->affect[i] != 0 && a->affect[i] != i)
          fprintf(stream, "%s:=%s ", clock_name(i), clock_name(a->affect[i]));
      fputs("; ", stream);
      return;
    default:
      fprintf(stderr, "ERROR (tg_clocks): affect_mode_unknown\n");
      exit(-1);
  }
}

// File-name suffix helpers: every file of a run is a base name plus a suffix.
#pragma once

// Cuts `suffix` off the end of `name` in place when `name` ends with it;
// otherwise leaves `name` unchanged. Only the last occurrence is removed.
void delete_suffix(char *name, const char *suffix);

// Writes `base` followed by `suffix` into `out` (which may be `base` itself);
// returns the number of characters written. `out` must be large enough.
int append_suffix(const char *base, const char *suffix, char *out);

// Copies `name` into `out`, removes the suffix `old_suffix`, appends `new_suffix`.
void replace_suffix(char *out, const char *name, const char *old_suffix, const char *new_suffix);

// Whether two path names reach the same file, whatever their spelling.
#pragma once

// 1 when a and b name the same file: when both exist, the same device and
// inode (links followed); otherwise the same place once their folders and
// links are resolved. Neither path needs to exist.
bool same_file(const char *a, const char *b);

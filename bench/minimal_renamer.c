/* The unavoidable work of renaming tagged MPEG audio files, and nothing else:
 * per file open, read the head, read the last 128 bytes, close, rename
 * without replacing, write the two report lines. The yardstick Norvel is
 * measured against.
 *
 *   minimal_renamer DIR           renames every *.mp3 below DIR
 *   minimal_renamer -r FILE       reads FILE in 1 MiB blocks (throughput yardstick)
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

static void trim(char *text) {
  size_t n = strlen(text);
  while (n > 0 && text[n - 1] == ' ') text[--n] = '\0';
}

static void rename_file(const char *dir, const char *name) {
  char path[4096], target[4096], artist[31] = {0}, title[31] = {0};
  unsigned char head[4096], tag[128];
  snprintf(path, sizeof path, "%s/%s", dir, name);
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat facts;
  ssize_t got = read(fd, head, sizeof head);
  /* An ID3v2 block is skipped by its declared size to reach the audio. */
  if (got >= 10 && memcmp(head, "ID3", 3) == 0) {
    long size = (head[6] << 21) | (head[7] << 14) | (head[8] << 7) | head[9];
    got = pread(fd, head, sizeof head, 10 + size);
  }
  int tagged = fstat(fd, &facts) == 0 && facts.st_size > 128 &&
               pread(fd, tag, 128, facts.st_size - 128) == 128 && memcmp(tag, "TAG", 3) == 0;
  close(fd);
  printf("%s", path);
  if (got < 4 || head[0] != 0xFF || !tagged) {
    printf(" ... NO MPEG HEADER\n");
    return;
  }
  memcpy(title, tag + 3, 30);
  memcpy(artist, tag + 33, 30);
  trim(title);
  trim(artist);
  for (char *c = artist; *c; ++c)
    if (*c >= 'a' && *c <= 'z') *c -= 32;
  snprintf(target, sizeof target, "%s/%s - %s.mp3", dir, artist, title);
  printf("\n => %s", target);
  if (syscall(SYS_renameat2, AT_FDCWD, path, AT_FDCWD, target, RENAME_NOREPLACE) != 0)
    printf(" (ERROR)");
  printf("\n");
}

/* Names are collected before any file is renamed, as a renamer must. */
static void walk(const char *dir) {
  DIR *stream = opendir(dir);
  if (!stream) return;
  size_t count = 0, capacity = 64;
  char **files = malloc(capacity * sizeof *files);
  char **dirs = malloc(capacity * sizeof *dirs);
  size_t dirCount = 0, dirCapacity = 64;
  struct dirent *entry;
  while ((entry = readdir(stream)) != NULL) {
    if (entry->d_name[0] == '.') continue;
    if (entry->d_type == DT_DIR) {
      if (dirCount == dirCapacity) dirs = realloc(dirs, (dirCapacity *= 2) * sizeof *dirs);
      dirs[dirCount++] = strdup(entry->d_name);
      continue;
    }
    size_t n = strlen(entry->d_name);
    if (n < 4 || strcasecmp(entry->d_name + n - 4, ".mp3") != 0) continue;
    if (count == capacity) files = realloc(files, (capacity *= 2) * sizeof *files);
    files[count++] = strdup(entry->d_name);
  }
  closedir(stream);
  for (size_t i = 0; i < count; ++i) {
    rename_file(dir, files[i]);
    free(files[i]);
  }
  for (size_t i = 0; i < dirCount; ++i) {
    char sub[4096];
    snprintf(sub, sizeof sub, "%s/%s", dir, dirs[i]);
    walk(sub);
    free(dirs[i]);
  }
  free(files);
  free(dirs);
}

static int read_loop(const char *path) {
  static unsigned char block[1 << 20];
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 1;
  unsigned long long total = 0, sum = 0;
  ssize_t got;
  while ((got = read(fd, block, sizeof block)) > 0) {
    total += (unsigned long long)got;
    sum += block[0];
  }
  close(fd);
  printf("%llu bytes (%llu)\n", total, sum);
  return 0;
}

int main(int argc, char **argv) {
  if (argc == 3 && strcmp(argv[1], "-r") == 0) return read_loop(argv[2]);
  if (argc != 2) {
    fprintf(stderr, "usage: minimal_renamer DIR | minimal_renamer -r FILE\n");
    return 2;
  }
  walk(argv[1]);
  return 0;
}

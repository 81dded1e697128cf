/* Runs a command and prints its peak resident memory in KiB on standard
 * error. A small launcher, so that the figure is the command's own and not
 * that of a large parent it was forked from.
 *
 *   peak_rss PROGRAM [ARGS...]
 */
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: peak_rss PROGRAM [ARGS...]\n");
    return 2;
  }
  pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) < 0) return 2;
  fprintf(stderr, "%ld\n", usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

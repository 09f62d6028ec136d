// SPDX-License-Identifier: GPL-3.0-or-later

/*
 * mapwait: starts a program and reports how long it takes to put its first
 * top-level window on the screen, and how much memory it holds a moment later.
 *
 *   mapwait [-t TIMEOUT_S] [-s SAMPLE_MS] PROGRAM [ARG...]
 *
 * Prints one line: "<startup ms> <VmRSS KiB>" on success; on failure a
 * message on stderr and exit status 1.
 *
 * How it works:
 *  - Before starting the program it selects SubstructureNotifyMask on the root
 *    window of $DISPLAY, so the X server tells it about every window created
 *    or mapped as a direct child of the root, i.e. every top-level window
 *    (on a bare Xvfb there is no window manager reparenting them).
 *  - The clock starts just before fork(); the child puts itself in a process
 *    group of its own and calls execvp(). A close-on-exec pipe tells the
 *    parent whether the exec failed.
 *  - The clock stops at the first MapNotify for a top-level window that
 *    belongs to the program: its _NET_WM_PID names the child or one of its
 *    descendants. Toolkits that do not set _NET_WM_PID (plain Xt programs
 *    such as xcalc) are matched by the rule "first non-override-redirect
 *    top-level window mapped after the start", which is exact on a private
 *    X server where nothing else is running.
 *  - The program's standard output and error go to /dev/null.
 *  - SAMPLE_MS later (default 1000) it reads VmRSS from /proc/PID/status,
 *    then sends SIGTERM to the program's process group, and SIGKILL to what
 *    is left after a short grace period.
 */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* A window may vanish between its MapNotify and our property query. */
static int ignore_x_errors(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

/* The parent pid of PID, from /proc/PID/stat; 0 if unknown. */
static pid_t parent_of(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
  FILE* file = fopen(path, "r");
  if (!file) return 0;
  char buffer[512];
  size_t length = fread(buffer, 1, sizeof buffer - 1, file);
  fclose(file);
  buffer[length] = '\0';
  /* The command name is in parentheses and may hold blanks: skip past it. */
  const char* after_name = strrchr(buffer, ')');
  int ppid = 0;
  if (!after_name || sscanf(after_name + 1, " %*c %d", &ppid) != 1) return 0;
  return (pid_t)ppid;
}

static int descends_from(pid_t pid, pid_t ancestor) {
  for (int depth = 0; pid > 1 && depth < 64; ++depth) {
    if (pid == ancestor) return 1;
    pid = parent_of(pid);
  }
  return 0;
}

/* The window's _NET_WM_PID, or -1 when it has none. */
static long window_pid(Display* display, Window window, Atom net_wm_pid) {
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = NULL;
  long pid = -1;
  if (XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &remaining, &data) == Success &&
      data && type == XA_CARDINAL && format == 32 && count == 1) {
    pid = (long)*(unsigned long*)data;
  }
  if (data) XFree(data);
  return pid;
}

static int belongs_to(Display* display, Window window, pid_t child, Atom net_wm_pid) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 0;
  long pid = window_pid(display, window, net_wm_pid);
  if (pid > 0) return descends_from((pid_t)pid, child);
  return !attributes.override_redirect;
}

static long resident_kib(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* file = fopen(path, "r");
  if (!file) return -1;
  char line[256];
  long kib = -1;
  while (fgets(line, sizeof line, file)) {
    if (sscanf(line, "VmRSS: %ld kB", &kib) == 1) break;
  }
  fclose(file);
  return kib;
}

static void sleep_ms(long ms) {
  struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

static void stop_group(pid_t child) {
  kill(-child, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(child, NULL, WNOHANG) == child) break;
    sleep_ms(10);
  }
  kill(-child, SIGKILL); /* children that ignored SIGTERM, or the program itself */
  waitpid(child, NULL, 0);
}

static void usage(void) {
  fprintf(stderr, "usage: mapwait [-t TIMEOUT_S] [-s SAMPLE_MS] PROGRAM [ARG...]\n");
  exit(2);
}

int main(int argc, char** argv) {
  double timeout_ms = 30000;
  long sample_ms = 1000;
  int opt;
  while ((opt = getopt(argc, argv, "+t:s:")) != -1) {
    if (opt == 't') timeout_ms = atof(optarg) * 1000;
    else if (opt == 's') sample_ms = atol(optarg);
    else usage();
  }
  if (optind >= argc) usage();

  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "mapwait: cannot open display %s\n", XDisplayName(NULL));
    return 1;
  }
  XSetErrorHandler(ignore_x_errors);
  Atom net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  int exec_report[2];
  if (pipe(exec_report) != 0 || fcntl(exec_report[1], F_SETFD, FD_CLOEXEC) != 0) {
    perror("mapwait: pipe");
    return 1;
  }
  const double started = now_ms();
  pid_t child = fork();
  if (child < 0) {
    perror("mapwait: fork");
    return 1;
  }
  if (child == 0) {
    setpgid(0, 0);
    close(exec_report[0]);
    close(ConnectionNumber(display));
    /* The program's own chatter must not mix with our one-line report. */
    int null_device = open("/dev/null", O_WRONLY);
    if (null_device >= 0) {
      dup2(null_device, STDOUT_FILENO);
      dup2(null_device, STDERR_FILENO);
      close(null_device);
    }
    execvp(argv[optind], argv + optind);
    int error = errno;
    if (write(exec_report[1], &error, sizeof error) < 0) _exit(127);
    _exit(127);
  }
  setpgid(child, child); /* also here, so the group exists before we may kill it */
  close(exec_report[1]);
  int exec_error = 0;
  if (read(exec_report[0], &exec_error, sizeof exec_error) == (ssize_t)sizeof exec_error) {
    fprintf(stderr, "mapwait: cannot run %s: %s\n", argv[optind], strerror(exec_error));
    waitpid(child, NULL, 0);
    return 1;
  }
  close(exec_report[0]);

  double mapped_at = -1;
  while (mapped_at < 0) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      const double seen_at = now_ms(); /* before the round trips of the ownership check */
      if (event.type == MapNotify && !event.xmap.override_redirect &&
          belongs_to(display, event.xmap.window, child, net_wm_pid)) {
        mapped_at = seen_at;
        break;
      }
    }
    if (mapped_at >= 0) break;
    if (waitpid(child, NULL, WNOHANG) == child) {
      fprintf(stderr, "mapwait: %s ended before mapping a window\n", argv[optind]);
      return 1;
    }
    const double left = timeout_ms - (now_ms() - started);
    if (left <= 0) {
      fprintf(stderr, "mapwait: %s mapped no window within %.0f s\n", argv[optind],
              timeout_ms / 1000);
      stop_group(child);
      return 1;
    }
    struct pollfd x_connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&x_connection, 1, left < 20 ? (int)left + 1 : 20);
  }

  sleep_ms(sample_ms);
  const long kib = resident_kib(child);
  stop_group(child);
  XCloseDisplay(display);
  if (kib < 0) {
    fprintf(stderr, "mapwait: %s ended before its memory was sampled\n", argv[optind]);
    return 1;
  }
  printf("%.1f %ld\n", mapped_at - started, kib);
  return 0;
}

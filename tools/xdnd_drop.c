/* Host tool: drops files on an X window the way a file manager does, through the XDND
 * protocol (enter, position, drop, with the text/uri-list data). It moves no pointer. */
#define _DEFAULT_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/time.h>

static const char kUsage[] =
    "usage: xdnd-drop [--at X Y | --title TEXT] [--timeout-ms N] FILE...\n"
    "  --at X Y       drop at root coordinates X, Y (default: the centre of the window found by title)\n"
    "  --title TEXT   find the top-level window whose title (_NET_WM_NAME or WM_NAME) is TEXT\n"
    "Exit code 0 when the target accepted the drop and reported it finished.\n";

typedef struct {
  Display* display;
  Window root, source, target;
  long version;
  Atom aware, selection, enter, position, status, drop, finished, leave, actionCopy, uriList, targets;
  char* data;  /* the text/uri-list payload */
  int timeoutMs;
} Drag;

static long NowMs(void) {
  struct timeval tv;
  gettimeofday(&tv, NULL);
  return tv.tv_sec * 1000L + tv.tv_usec / 1000;
}

static int HasAware(Drag* d, Window w, long* version) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* value = NULL;
  if (XGetWindowProperty(d->display, w, d->aware, 0, 1, False, AnyPropertyType, &type, &format, &count,
                         &after, &value) != Success)
    return 0;
  int found = value && count == 1 && format == 32;
  if (found) *version = *(long*)value;
  if (value) XFree(value);
  return found;
}

/* The outermost window under the root point that announces XdndAware. */
static Window FindAwareWindowAt(Drag* d, int x, int y) {
  Window w = d->root;
  for (;;) {
    int cx, cy;
    Window child = None;
    if (!XTranslateCoordinates(d->display, d->root, w, x, y, &cx, &cy, &child) || child == None) return None;
    long version;
    if (HasAware(d, child, &version)) {
      d->version = version;
      return child;
    }
    w = child;
  }
}

static int TitleMatches(Drag* d, Window w, const char* title) {
  Atom utf8 = XInternAtom(d->display, "UTF8_STRING", False);
  Atom netName = XInternAtom(d->display, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* value = NULL;
  int match = 0;
  if (XGetWindowProperty(d->display, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                         &value) == Success && value) {
    match = strcmp((char*)value, title) == 0;
    XFree(value);
    if (match) return 1;
  }
  char* name = NULL;
  if (XFetchName(d->display, w, &name) && name) {
    match = strcmp(name, title) == 0;
    XFree(name);
  }
  return match;
}

static Window FindByTitle(Drag* d, Window w, const char* title) {
  Window rootReturn, parent, *children = NULL;
  unsigned int count = 0;
  if (TitleMatches(d, w, title)) return w;
  if (!XQueryTree(d->display, w, &rootReturn, &parent, &children, &count)) return None;
  Window found = None;
  for (unsigned int i = count; i-- > 0 && found == None;) found = FindByTitle(d, children[i], title);
  if (children) XFree(children);
  return found;
}

static void SendClient(Drag* d, Atom type, long l1, long l2, long l3, long l4) {
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.display = d->display;
  e.xclient.window = d->target;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)d->source;
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[2] = l2;
  e.xclient.data.l[3] = l3;
  e.xclient.data.l[4] = l4;
  XSendEvent(d->display, d->target, False, NoEventMask, &e);
  XFlush(d->display);
}

static void AnswerSelectionRequest(Drag* d, XSelectionRequestEvent* r) {
  XEvent reply;
  memset(&reply, 0, sizeof reply);
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = r->display;
  reply.xselection.requestor = r->requestor;
  reply.xselection.selection = r->selection;
  reply.xselection.target = r->target;
  reply.xselection.time = r->time;
  reply.xselection.property = None;
  Atom property = r->property != None ? r->property : r->target;
  if (r->target == d->uriList) {
    XChangeProperty(d->display, r->requestor, property, d->uriList, 8, PropModeReplace,
                    (unsigned char*)d->data, (int)strlen(d->data));
    reply.xselection.property = property;
  } else if (r->target == d->targets) {
    Atom offered[2] = {d->targets, d->uriList};
    XChangeProperty(d->display, r->requestor, property, XA_ATOM, 32, PropModeReplace, (unsigned char*)offered, 2);
    reply.xselection.property = property;
  }
  XSendEvent(d->display, r->requestor, False, NoEventMask, &reply);
  XFlush(d->display);
}

/* Serves selection requests until a client message of the wanted type arrives from the
 * target; returns 1 with the event, 0 on timeout. */
static int WaitFor(Drag* d, Atom wanted, XClientMessageEvent* out) {
  long deadline = NowMs() + d->timeoutMs;
  int fd = ConnectionNumber(d->display);
  for (;;) {
    while (XPending(d->display)) {
      XEvent e;
      XNextEvent(d->display, &e);
      if (e.type == SelectionRequest) {
        AnswerSelectionRequest(d, &e.xselectionrequest);
      } else if (e.type == ClientMessage && e.xclient.message_type == wanted) {
        *out = e.xclient;
        return 1;
      }
    }
    long left = deadline - NowMs();
    if (left <= 0) return 0;
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(fd, &fds);
    struct timeval tv = {left / 1000, (left % 1000) * 1000};
    select(fd + 1, &fds, NULL, NULL, &tv);
  }
}

/* "file://" + the absolute path with every byte outside the unreserved set escaped,
 * each line ended by CR LF as text/uri-list asks. */
static char* BuildUriList(int count, char** paths) {
  size_t capacity = 1, used = 0;
  for (int i = 0; i < count; ++i) capacity += 16 + 3 * (strlen(paths[i]) + PATH_MAX);
  char* out = malloc(capacity);
  if (!out) return NULL;
  for (int i = 0; i < count; ++i) {
    char absolute[PATH_MAX];
    const char* path = realpath(paths[i], absolute) ? absolute : paths[i];
    used += (size_t)sprintf(out + used, "file://");
    for (const unsigned char* p = (const unsigned char*)path; *p; ++p) {
      if ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z') || (*p >= '0' && *p <= '9') || strchr("-._~/", *p))
        out[used++] = (char)*p;
      else
        used += (size_t)sprintf(out + used, "%%%02X", *p);
    }
    out[used++] = '\r';
    out[used++] = '\n';
  }
  out[used] = '\0';
  return out;
}

int main(int argc, char** argv) {
  Drag d;
  memset(&d, 0, sizeof d);
  d.timeoutMs = 5000;
  int haveAt = 0, x = 0, y = 0;
  const char* title = NULL;
  int i = 1;
  for (; i < argc && strncmp(argv[i], "--", 2) == 0; ++i) {
    if (strcmp(argv[i], "--at") == 0 && i + 2 < argc) {
      x = atoi(argv[++i]);
      y = atoi(argv[++i]);
      haveAt = 1;
    } else if (strcmp(argv[i], "--title") == 0 && i + 1 < argc) {
      title = argv[++i];
    } else if (strcmp(argv[i], "--timeout-ms") == 0 && i + 1 < argc) {
      d.timeoutMs = atoi(argv[++i]);
    } else {
      fputs(kUsage, stderr);
      return 2;
    }
  }
  if (i >= argc || (!haveAt && !title)) {
    fputs(kUsage, stderr);
    return 2;
  }

  d.display = XOpenDisplay(NULL);
  if (!d.display) {
    fprintf(stderr, "xdnd-drop: cannot open display\n");
    return 1;
  }
  d.root = DefaultRootWindow(d.display);
  d.aware = XInternAtom(d.display, "XdndAware", False);
  d.selection = XInternAtom(d.display, "XdndSelection", False);
  d.enter = XInternAtom(d.display, "XdndEnter", False);
  d.position = XInternAtom(d.display, "XdndPosition", False);
  d.status = XInternAtom(d.display, "XdndStatus", False);
  d.drop = XInternAtom(d.display, "XdndDrop", False);
  d.finished = XInternAtom(d.display, "XdndFinished", False);
  d.leave = XInternAtom(d.display, "XdndLeave", False);
  d.actionCopy = XInternAtom(d.display, "XdndActionCopy", False);
  d.uriList = XInternAtom(d.display, "text/uri-list", False);
  d.targets = XInternAtom(d.display, "TARGETS", False);

  if (title) {
    Window w = FindByTitle(&d, d.root, title);
    if (w == None) {
      fprintf(stderr, "xdnd-drop: no window titled \"%s\"\n", title);
      return 1;
    }
    if (!haveAt) {
      XWindowAttributes attributes;
      Window child;
      XGetWindowAttributes(d.display, w, &attributes);
      XTranslateCoordinates(d.display, w, d.root, attributes.width / 2, attributes.height / 2, &x, &y, &child);
    }
  }
  d.target = FindAwareWindowAt(&d, x, y);
  if (d.target == None) {
    fprintf(stderr, "xdnd-drop: no XdndAware window at %d,%d\n", x, y);
    return 1;
  }
  if (d.version > 5) d.version = 5;

  d.data = BuildUriList(argc - i, argv + i);
  if (!d.data) return 1;
  d.source = XCreateSimpleWindow(d.display, d.root, 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(d.display, d.selection, d.source, CurrentTime);
  if (XGetSelectionOwner(d.display, d.selection) != d.source) {
    fprintf(stderr, "xdnd-drop: cannot own XdndSelection\n");
    return 1;
  }

  XClientMessageEvent reply;
  SendClient(&d, d.enter, d.version << 24, (long)d.uriList, None, None);
  SendClient(&d, d.position, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime, (long)d.actionCopy);
  if (!WaitFor(&d, d.status, &reply)) {
    fprintf(stderr, "xdnd-drop: no XdndStatus from window 0x%lx\n", d.target);
    return 1;
  }
  if (!(reply.data.l[1] & 1)) {
    SendClient(&d, d.leave, 0, 0, 0, 0);
    fprintf(stderr, "xdnd-drop: window 0x%lx refused the drop at %d,%d\n", d.target, x, y);
    return 1;
  }
  SendClient(&d, d.drop, 0, CurrentTime, 0, 0);
  if (!WaitFor(&d, d.finished, &reply)) {
    fprintf(stderr, "xdnd-drop: no XdndFinished from window 0x%lx\n", d.target);
    return 1;
  }
  free(d.data);
  XDestroyWindow(d.display, d.source);
  XCloseDisplay(d.display);
  return 0;
}

/* delay_relay: a TCP relay that puts a node far away, for warden's benchmarks (loopback only).
 *
 * Every chunk read on one side is written to the other side DELAY_MS later, in each direction,
 * and the connect to the far side starts one round trip (2 x DELAY_MS) after the near side was
 * accepted, as a TCP handshake across that distance would take. Nothing is read from the near
 * side before the far side is connected, since nothing could have been sent before. An end of
 * stream goes on as a half-close, delayed like the data; an error on either side resets both.
 *
 * Every chunk waits the same delay, so one queue in arrival order is also in order of delivery;
 * likewise for the connects. One thread, epoll, and a timerfd set to the next due time.
 *
 *   delay_relay DELAY_MS LISTEN_IP:PORT=TARGET_IP:PORT [...]
 * Prints "ready" once every listener is up; runs until it is ended.
 *
 * Build: gcc -O2 -o delay_relay delay_relay.c
 */
#define _GNU_SOURCE
#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

enum kind { LISTENER, NEAR, FAR, TIMER };

struct watch {
    enum kind kind;
    void *owner;
};

struct listener {
    struct watch watch;
    int fd;
    struct sockaddr_in target;
};

struct link {
    struct watch near_watch, far_watch;
    int near, far;
    struct sockaddr_in target;
    int ended;   /* directions whose end of stream went on */
    int queued;  /* chunks and connects still referring to this link */
    int dead;
    struct link *next_dead;
};

struct chunk {  /* data (or, with size 0, an end of stream) from one side of a link */
    struct chunk *next;
    struct timespec due;
    struct link *link;
    int from_near;
    size_t size;
    unsigned char data[];
};

static int epfd, timer;
static struct timespec delay;
static struct chunk *first, *last;                  /* chunks, in order of arrival and delivery */
static struct chunk *connect_first, *connect_last;  /* connects to start, as size-0 entries */
static struct link *dead_links;                     /* freed once nothing refers to them */

static struct timespec now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

static struct timespec later(struct timespec t, struct timespec by) {
    t.tv_sec += by.tv_sec;
    t.tv_nsec += by.tv_nsec;
    if (t.tv_nsec >= 1000000000L) { t.tv_sec++; t.tv_nsec -= 1000000000L; }
    return t;
}

static int due(const struct timespec *at, const struct timespec *t) {
    return at->tv_sec < t->tv_sec || (at->tv_sec == t->tv_sec && at->tv_nsec <= t->tv_nsec);
}

static void watch_fd(int fd, uint32_t events, struct watch *w, int op) {
    struct epoll_event ev = {.events = events, .data.ptr = w};
    epoll_ctl(epfd, op, fd, &ev);
}

static void bury(struct link *l) {
    l->dead = 1;
    l->next_dead = dead_links;
    dead_links = l;
}

/* Frees the dead links nothing refers to any more: only between batches of events, since a
 * batch may still hold an event for a link that died earlier in it. */
static void free_dead_links(void) {
    for (struct link **at = &dead_links; *at;) {
        struct link *l = *at;
        if (l->queued) { at = &l->next_dead; continue; }
        *at = l->next_dead;
        free(l);
    }
}

static void reset(struct link *l) {
    if (l->dead) return;
    struct linger hard = {1, 0};
    for (int i = 0; i < 2; i++) {
        int fd = i ? l->far : l->near;
        if (fd < 0) continue;
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        close(fd);
    }
    l->near = l->far = -1;
    bury(l);
}

static void enqueue(struct chunk **head, struct chunk **tail, struct chunk *c, struct timespec wait) {
    c->due = later(now(), wait);
    c->next = NULL;
    if (*tail) (*tail)->next = c; else *head = c;
    *tail = c;
    c->link->queued++;
}

static struct chunk *dequeue(struct chunk **head, struct chunk **tail) {
    struct chunk *c = *head;
    *head = c->next;
    if (!*head) *tail = NULL;
    c->link->queued--;
    return c;
}

static void arm_timer(void) {
    struct timespec next = {0, 0};
    if (first) next = first->due;
    if (connect_first && (!first || due(&connect_first->due, &next))) next = connect_first->due;
    if (!first && !connect_first) return;
    struct itimerspec timeout = {.it_value = next};
    if (timeout.it_value.tv_sec == 0 && timeout.it_value.tv_nsec == 0) timeout.it_value.tv_nsec = 1;
    timerfd_settime(timer, TFD_TIMER_ABSTIME, &timeout, NULL);
}

/* Writes all of it; a sink that takes nothing for a second resets its link. */
static int write_all(int fd, const unsigned char *data, size_t size) {
    while (size) {
        ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
        if (n > 0) { data += n; size -= n; continue; }
        if (n < 0 && errno == EAGAIN) {
            struct pollfd p = {.fd = fd, .events = POLLOUT};
            if (poll(&p, 1, 1000) == 1) continue;
        }
        return -1;
    }
    return 0;
}

static void deliver(struct chunk *c) {
    struct link *l = c->link;
    if (l->dead) return;
    int sink = c->from_near ? l->far : l->near;
    if (c->size) {
        if (write_all(sink, c->data, c->size)) reset(l);
        return;
    }
    shutdown(sink, SHUT_WR);
    if (++l->ended == 2) {
        close(l->near);
        close(l->far);
        l->near = l->far = -1;
        bury(l);
    }
}

static void start_connect(struct link *l) {
    if (l->dead) return;
    l->far = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    int one = 1;
    setsockopt(l->far, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (l->far < 0 || (connect(l->far, (struct sockaddr *)&l->target, sizeof l->target) < 0 && errno != EINPROGRESS)) {
        reset(l);
        return;
    }
    watch_fd(l->far, EPOLLOUT, &l->far_watch, EPOLL_CTL_ADD);
}

static void connected(struct link *l) {
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(l->far, SOL_SOCKET, SO_ERROR, &error, &size);
    if (error) { reset(l); return; }
    watch_fd(l->far, EPOLLIN, &l->far_watch, EPOLL_CTL_MOD);
    watch_fd(l->near, EPOLLIN, &l->near_watch, EPOLL_CTL_ADD);
}

static void readable(struct link *l, int from_near) {
    int fd = from_near ? l->near : l->far;
    struct chunk *c = malloc(sizeof *c + 65536);
    ssize_t n = recv(fd, c->data, 65536, 0);
    if (n < 0 && errno == EAGAIN) { free(c); return; }
    if (n < 0) { free(c); reset(l); return; }
    if (n == 0) epoll_ctl(epfd, EPOLL_CTL_DEL, fd, NULL);  /* nothing more from this side */
    c->link = l;
    c->from_near = from_near;
    c->size = (size_t)n;
    enqueue(&first, &last, c, delay);
}

static void accept_from(struct listener *s) {
    for (;;) {
        int fd = accept4(s->fd, NULL, NULL, SOCK_NONBLOCK);
        if (fd < 0) return;
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        struct link *l = calloc(1, sizeof *l);
        l->near_watch = (struct watch){NEAR, l};
        l->far_watch = (struct watch){FAR, l};
        l->near = fd;
        l->far = -1;
        l->target = s->target;
        struct chunk *c = calloc(1, sizeof *c);
        c->link = l;
        enqueue(&connect_first, &connect_last, c, later(delay, delay));
    }
}

static int parse_address(const char *text, size_t length, struct sockaddr_in *a) {
    char host[64];
    const char *colon = memrchr(text, ':', length);
    if (!colon || colon - text >= (long)sizeof host) return -1;
    memcpy(host, text, colon - text);
    host[colon - text] = 0;
    memset(a, 0, sizeof *a);
    a->sin_family = AF_INET;
    a->sin_port = htons(atoi(colon + 1));
    return inet_pton(AF_INET, host, &a->sin_addr) == 1 ? 0 : -1;
}

int main(int argc, char **argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: delay_relay DELAY_MS LISTEN_IP:PORT=TARGET_IP:PORT [...]\n");
        return 2;
    }
    double ms = atof(argv[1]);
    delay.tv_sec = (time_t)(ms / 1000);
    delay.tv_nsec = (long)((ms - delay.tv_sec * 1000.0) * 1e6);
    epfd = epoll_create1(0);
    timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK);
    static struct watch timer_watch = {TIMER, NULL};
    watch_fd(timer, EPOLLIN, &timer_watch, EPOLL_CTL_ADD);
    for (int i = 2; i < argc; i++) {
        struct listener *s = calloc(1, sizeof *s);
        const char *equals = strchr(argv[i], '=');
        struct sockaddr_in listen_at;
        if (!equals || parse_address(argv[i], equals - argv[i], &listen_at) ||
            parse_address(equals + 1, strlen(equals + 1), &s->target)) {
            fprintf(stderr, "delay_relay: bad route %s\n", argv[i]);
            return 2;
        }
        s->watch = (struct watch){LISTENER, s};
        s->fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        int one = 1;
        setsockopt(s->fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (bind(s->fd, (struct sockaddr *)&listen_at, sizeof listen_at) || listen(s->fd, 1024)) {
            perror("delay_relay: listen");
            return 1;
        }
        watch_fd(s->fd, EPOLLIN, &s->watch, EPOLL_CTL_ADD);
    }
    printf("ready\n");
    fflush(stdout);

    struct epoll_event events[256];
    for (;;) {
        arm_timer();
        int n = epoll_wait(epfd, events, 256, -1);
        for (int i = 0; i < n; i++) {
            struct watch *w = events[i].data.ptr;
            struct link *l = w->owner;
            switch (w->kind) {
            case LISTENER: accept_from(w->owner); break;
            case TIMER: { uint64_t expired; (void)!read(timer, &expired, sizeof expired); break; }
            case NEAR: if (!l->dead) readable(l, 1); break;
            case FAR:
                if (l->dead) break;
                if (events[i].events & EPOLLOUT) connected(l); else readable(l, 0);
                break;
            }
        }
        struct timespec t = now();
        while (connect_first && due(&connect_first->due, &t)) {
            struct chunk *c = dequeue(&connect_first, &connect_last);
            start_connect(c->link);
            free(c);
        }
        while (first && due(&first->due, &t)) {
            struct chunk *c = dequeue(&first, &last);
            deliver(c);
            free(c);
        }
        free_dead_links();
    }
}

/* Watches the X screen for the benchmark, one pixel at a time, with as little delay as Xlib
 * allows. Times are CLOCK_MONOTONIC nanoseconds, the clock Python's time.monotonic_ns() reads.
 *   xprobe wait X Y RRGGBB TIMEOUT_MS
 *       polls the screen pixel until it has that colour (with !RRGGBB: until it has another);
 *       prints the time it first did
 *   xprobe click CX CY X Y RRGGBB TIMEOUT_MS
 *       clicks at CX,CY and polls X,Y for the colour; prints the time from the click to it
 * Exits with 1 on timeout. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

static long long Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

static unsigned long Pixel(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

/* The time at which the pixel first shows the colour (or, if `other`, any other colour), or -1
 * after the timeout. */
static long long WaitForColour(Display* display, int x, int y, unsigned long colour, int other,
                               long long deadline)
{
    for (;;) {
        long long now = Now();
        if ((Pixel(display, x, y) == colour) != other)
            return now;
        if (now > deadline)
            return -1;
        usleep(500);
    }
}

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    if (!display || argc < 2) {
        fprintf(stderr, "usage: xprobe wait X Y RRGGBB MS | click CX CY X Y RRGGBB MS\n");
        return 2;
    }
    if (argc == 6 && argv[1][0] == 'w') {
        long long deadline = Now() + atoll(argv[5]) * 1000000LL;
        int other = argv[4][0] == '!';
        long long seen = WaitForColour(display, atoi(argv[2]), atoi(argv[3]),
                                       strtoul(argv[4] + other, NULL, 16), other, deadline);
        if (seen < 0)
            return 1;
        printf("%lld\n", seen);
        return 0;
    }
    if (argc == 8 && argv[1][0] == 'c') {
        XTestFakeMotionEvent(display, -1, atoi(argv[2]), atoi(argv[3]), CurrentTime);
        XSync(display, False);
        long long clicked = Now();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XSync(display, False);
        long long deadline = clicked + atoll(argv[7]) * 1000000LL;
        long long seen = WaitForColour(display, atoi(argv[4]), atoi(argv[5]),
                                       strtoul(argv[6], NULL, 16), 0, deadline);
        if (seen < 0)
            return 1;
        printf("%lld\n", seen - clicked);
        return 0;
    }
    fprintf(stderr, "xprobe: bad arguments\n");
    return 2;
}

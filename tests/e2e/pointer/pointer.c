/* A pointer for end-to-end runs on wlroots compositors, which have no X
 * server to send events through: it moves, presses and releases a virtual
 * pointer as its arguments say, one step every 100 ms.
 *
 *   pointer WIDTH HEIGHT STEP...
 *     STEP: move X Y | press left|right | release left|right | wait MS
 */
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#define BUTTON_LEFT 0x110
#define BUTTON_RIGHT 0x111

static struct zwlr_virtual_pointer_manager_v1* manager;

static void announce(void* data, struct wl_registry* registry, uint32_t name,
                     const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void withdraw(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {announce, withdraw};

static uint32_t now_ms(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

static void pause_ms(long ms)
{
    struct timespec delay = {ms / 1000, (ms % 1000) * 1000000};
    nanosleep(&delay, NULL);
}

static uint32_t button_of(const char* name)
{
    return strcmp(name, "right") == 0 ? BUTTON_RIGHT : BUTTON_LEFT;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: pointer WIDTH HEIGHT STEP...\n");
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fprintf(stderr, "pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    const uint32_t width = (uint32_t)atoi(argv[1]);
    const uint32_t height = (uint32_t)atoi(argv[2]);
    for (int i = 3; i < argc; ++i) {
        if (strcmp(argv[i], "move") == 0 && i + 2 < argc) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), (uint32_t)atoi(argv[i + 1]),
                                                    (uint32_t)atoi(argv[i + 2]), width, height);
            i += 2;
        } else if ((strcmp(argv[i], "press") == 0 || strcmp(argv[i], "release") == 0) &&
                   i + 1 < argc) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), button_of(argv[i + 1]),
                                           strcmp(argv[i], "press") == 0
                                               ? WL_POINTER_BUTTON_STATE_PRESSED
                                               : WL_POINTER_BUTTON_STATE_RELEASED);
            i += 1;
        } else if (strcmp(argv[i], "wait") == 0 && i + 1 < argc) {
            pause_ms(atol(argv[i + 1]));
            i += 1;
            continue;
        } else {
            fprintf(stderr, "pointer: cannot read step %s\n", argv[i]);
            return 2;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        pause_ms(100);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}

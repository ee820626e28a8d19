// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Gives a headless sway's seat a pointer, so that `swaymsg seat - cursor`
// reaches the programs under test: a seat without one offers them none. It
// asks wlroots' virtual-pointer manager for a pointer and keeps it until it
// is killed. Only the one request is described here; libwayland needs no
// more to send it.
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const wl_interface virtualPointer = {"zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr};
const wl_interface* createTypes[] = {&wl_seat_interface, &virtualPointer};
const wl_message managerRequests[] = {{"create_virtual_pointer", "?on", createTypes}};
const wl_interface manager = {"zwlr_virtual_pointer_manager_v1", 1, 1, managerRequests, 0, nullptr};

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

const wl_registry_listener registryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
        std::uint32_t) {
        auto* globals = static_cast<Globals*>(data);
        if (std::strcmp(interface, "wl_seat") == 0 && !globals->seat)
            globals->seat =
                static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (std::strcmp(interface, manager.name) == 0)
            globals->manager =
                static_cast<wl_proxy*>(wl_registry_bind(registry, name, &manager, 1));
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("virtual-pointer: no Wayland display\n", stderr);
        return 1;
    }
    Globals globals;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.manager) {
        std::fputs("virtual-pointer: the compositor offers no virtual pointers\n", stderr);
        return 1;
    }
    wl_proxy_marshal_constructor(globals.manager, 0, &virtualPointer, globals.seat, nullptr);
    wl_display_roundtrip(display);
    std::puts("ready");
    std::fflush(stdout);
    while (wl_display_dispatch(display) != -1) { }
    return 0;
}

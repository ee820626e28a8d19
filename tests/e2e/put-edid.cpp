// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puts the bytes of FILE on the EDID property of the X server's RandR output
// OUTPUT, as a monitor's driver would. Usage: put-edid FILE OUTPUT
#include <xcb/randr.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: put-edid FILE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<char> bytes(std::istreambuf_iterator<char>(file), {});
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("put-edid: no X display\n", stderr);
        return 1;
    }
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 4, "EDID"), nullptr),
        &std::free);
    const std::unique_ptr<xcb_randr_get_screen_resources_current_reply_t, decltype(&std::free)>
        resources(xcb_randr_get_screen_resources_current_reply(connection,
                      xcb_randr_get_screen_resources_current(connection, root->root), nullptr),
            &std::free);
    if (!atom || !resources)
        return 1;
    const xcb_randr_output_t* outputs =
        xcb_randr_get_screen_resources_current_outputs(resources.get());
    for (int i = 0; i < xcb_randr_get_screen_resources_current_outputs_length(resources.get());
         ++i) {
        auto* info = xcb_randr_get_output_info_reply(connection,
            xcb_randr_get_output_info(connection, outputs[i], resources->config_timestamp),
            nullptr);
        const bool named = info &&
            std::string_view(reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info)),
                std::size_t(xcb_randr_get_output_info_name_length(info))) == argv[2];
        std::free(info);
        if (!named)
            continue;
        const xcb_void_cookie_t done = xcb_randr_change_output_property_checked(connection,
            outputs[i], atom->atom, XCB_ATOM_INTEGER, 8, XCB_PROP_MODE_REPLACE,
            std::uint32_t(bytes.size()), bytes.data());
        if (xcb_generic_error_t* error = xcb_request_check(connection, done)) {
            std::fprintf(stderr, "put-edid: the server refused it (error %d)\n", error->error_code);
            std::free(error);
            return 1;
        }
        xcb_disconnect(connection);
        return 0;
    }
    std::fprintf(stderr, "put-edid: no output %s\n", argv[2]);
    xcb_disconnect(connection);
    return 1;
}

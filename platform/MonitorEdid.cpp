// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/MonitorEdid.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/randr.h>

#include <cstdlib>
#include <memory>

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply> Owned<Reply> owned(Reply* reply)
{
    return Owned<Reply>(reply, &std::free);
}

std::optional<Edid> randrEdid(xcb_connection_t* connection, const QString& name)
{
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!root)
        return std::nullopt;
    const auto atom = owned(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, 4, "EDID"), nullptr));
    const auto resources = owned(xcb_randr_get_screen_resources_current_reply(
        connection, xcb_randr_get_screen_resources_current(connection, root->root), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE || !resources)
        return std::nullopt;
    const xcb_randr_output_t* outputs =
        xcb_randr_get_screen_resources_current_outputs(resources.get());
    for (int i = 0; i < xcb_randr_get_screen_resources_current_outputs_length(resources.get());
         ++i) {
        const auto info = owned(xcb_randr_get_output_info_reply(connection,
            xcb_randr_get_output_info(connection, outputs[i], resources->config_timestamp),
            nullptr));
        if (!info ||
            QString::fromUtf8(
                reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
                xcb_randr_get_output_info_name_length(info.get())) != name)
            continue;
        // 128 blocks of 128 bytes, counted in 32-bit units: more than any monitor has.
        const auto property = owned(xcb_randr_get_output_property_reply(connection,
            xcb_randr_get_output_property(
                connection, outputs[i], atom->atom, XCB_ATOM_ANY, 0, 128 * 128 / 4, 0, 0),
            nullptr));
        if (!property || property->format != 8)
            return std::nullopt;
        return Edid::parse(QByteArray(
            reinterpret_cast<const char*>(xcb_randr_get_output_property_data(property.get())),
            xcb_randr_get_output_property_data_length(property.get())));
    }
    return std::nullopt;
}

} // namespace

std::optional<Edid> kernelEdid(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name.contains('/'))
        return std::nullopt;
    const QStringList cards = QDir(folder).entryList(
        {QStringLiteral("card*-") + name}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& card : cards) {
        QFile file(folder + '/' + card + QStringLiteral("/edid"));
        if (file.open(QIODevice::ReadOnly))
            if (std::optional<Edid> edid = Edid::parse(file.read(128 * 256)))
                return edid;
    }
    return std::nullopt;
}

std::optional<Edid> monitorEdid(const QScreen& screen)
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 && x11->connection())
        if (std::optional<Edid> edid = randrEdid(x11->connection(), screen.name()))
            return edid;
    const QString folder =
        qEnvironmentVariable("KIJELZOR_DRM_FOLDER", QStringLiteral("/sys/class/drm"));
    return kernelEdid(folder, screen.name());
}

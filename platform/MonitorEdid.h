// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Edid.h"

#include <QString>

#include <optional>

class QScreen;

// The EDID of the monitor that shows `screen`: on X11 its RandR output's EDID
// property, else (and where that is missing) the kernel's copy,
// DRM/card*-NAME/edid, NAME being the screen's connector name.
// KIJELZOR_DRM_FOLDER stands in for /sys/class/drm.
std::optional<Edid> monitorEdid(const QScreen& screen);

// The kernel's copy for connector `name` under `folder`.
std::optional<Edid> kernelEdid(const QString& folder, const QString& name);

// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/programicons.h"

#include <array>

namespace ostrevo {

namespace {

struct IconSource {
    ProgramIcon icon;
    const char* themeName; // a freedesktop.org icon name
    const char* resource;
};

constexpr std::array<IconSource, 9> kIcons = {{
    {ProgramIcon::Start, "media-playback-start", ":/icons/start.svg"},
    {ProgramIcon::Stop, "media-playback-stop", ":/icons/stop.svg"},
    {ProgramIcon::Commands, "application-menu", ":/icons/commands.svg"},
    {ProgramIcon::Open, "document-open", ":/icons/open.svg"},
    {ProgramIcon::Save, "document-save", ":/icons/save.svg"},
    {ProgramIcon::WebSite, "internet-web-browser", ":/icons/website.svg"},
    {ProgramIcon::Refresh, "view-refresh", ":/icons/refresh.svg"},
    {ProgramIcon::DateFilter, "view-filter", ":/icons/datefilter.svg"},
    {ProgramIcon::Search, "system-search", ":/icons/search.svg"},
}};

const IconSource& sourceOf(ProgramIcon icon)
{
    return kIcons[static_cast<std::size_t>(icon)];
}

} // namespace

QIcon bundledIcon(ProgramIcon icon)
{
    return QIcon(QString::fromLatin1(sourceOf(icon).resource));
}

QIcon programIcon(ProgramIcon icon)
{
    return QIcon::fromTheme(QString::fromLatin1(sourceOf(icon).themeName), bundledIcon(icon));
}

} // namespace ostrevo

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace vespera {

// What the site says of itself: the installed app in the launcher and the app list, the page
// to a search engine, under its link.
inline constexpr std::string_view kAppDescription =
    "Il diametro di una stella dalla temperatura, dalla magnitudine apparente e dalla distanza.";

// The files of the site that the page generator writes beside the page itself.

// The program's window icon (the desktop's XPM) as SVG, square pixels kept square.
std::string iconSvg();
int iconPixels();  // its width and height

// The web app manifest: name, icons, colours, so that the page installs as an app.
std::string webManifest();

// The page's own look, from the tables: where each control stands, its font and its own
// colours, and the web fonts that stand in for the desktop's.
std::string layoutCss();

// The web fonts to make, one a line: the file name under fonts/, a tab, and the
// fontconfig pattern of the free font it is cut from ("Liberation Sans:weight=80").
std::string webFontList();

// Every character the page shows, and those a user types: what the web fonts must hold.
std::string pageCharacters();

}  // namespace vespera

// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/app_identity.h"
#include "form/about_layout.h"
#include "form/manual_layout.h"
#include "web/page_assets.h"
#include "web/page_json.h"
#include "web/page_markup.h"

namespace vespera {
namespace {

// What only the page says: the names of the close boxes a desktop's window frame draws,
// and what ESCI leaves where the browser keeps the tab open.
constexpr std::string_view kCloseBox = "Chiudi";
constexpr std::string_view kEndedNotice =
    "Vespera \u00E8 chiuso: le misure non salvate sono state cancellate. Puoi chiudere "
    "questa scheda del browser.";
constexpr std::string_view kReopen = "Riapri Vespera";
constexpr std::string_view kNewVersion =
    "\u00C8 disponibile una nuova versione di Vespera. Ricarica la pagina per usarla: i valori "
    "non salvati andranno persi.";
constexpr std::string_view kReload = "Ricarica";
constexpr std::string_view kNeedsScript =
    "Vespera calcola nel browser: attiva JavaScript e WebAssembly per usarlo.";

// No script but the site's own files, no eval ('wasm-unsafe-eval' compiles the module), no
// request beyond the site, no form sent anywhere.
constexpr std::string_view kContentSecurityPolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
    "img-src 'self'; font-src 'self'; connect-src 'self'; manifest-src 'self'; "
    "worker-src 'self'; object-src 'none'; base-uri 'none'; form-action 'none'";

std::string head() {
  return R"(<!DOCTYPE html>
<html lang="it">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content=")" +
         std::string(kContentSecurityPolicy) + R"(">
<meta name="color-scheme" content="light dark">
<meta name="description" content=")" +
         escapeHtml(kAppDescription) + R"(">
<title>)" +
         escapeHtml(kFormTitle) +
         R"(</title>
<link rel="manifest" href="vespera.webmanifest">
<link rel="icon" href="icon.svg" type="image/svg+xml">
<link rel="stylesheet" href="vespera.css">
<link rel="stylesheet" href="layout.css">
<link rel="preload" href="vespera-core.wasm" as="fetch" type="application/wasm" crossorigin>
<link rel="modulepreload" href="vespera-core.mjs">
<script type="module" src="vespera-page.mjs"></script>
</head>
<body>
)";
}

// The menu bar, as a menu bar with pull-down menus for a screen reader; the access keys open
// the menus, and the page's script walks them with the arrow keys.
std::string menuBar() {
  std::string html = R"(<div class="menubar" role="menubar">)";
  std::string_view open;
  for (const MenuRow& row : formMenus()) {
    if (row.menuControl != open) {
      if (!open.empty()) html += "</div></div>";
      open = row.menuControl;
      const AccessCaption caption = accessCaption(row.menuCaption);
      const std::string menu(row.menuControl);
      html += R"(<div class="menu" role="none"><button type="button" class="menu-title")"
              R"( role="menuitem" aria-haspopup="menu" aria-expanded="false" tabindex="-1")";
      html += attribute("id", menu + "-title");
      html += attribute("aria-controls", menu);
      if (caption.key) html += attribute("accesskey", std::string(1, *caption.key));
      html += '>';
      html += caption.html;
      html += R"(</button><div class="items" role="menu")";
      html += attribute("id", menu);
      html += attribute("aria-labelledby", menu + "-title");
      html += " hidden>";
    }
    const AccessCaption item = accessCaption(row.itemCaption);
    html += R"(<button type="button" role="menuitem" tabindex="-1" data-press)";
    html += attribute("id", row.itemControl);
    if (item.key) html += attribute("data-key", std::string(1, *item.key));
    html += '>' + item.html + "</button>";
  }
  return html + "</div></div></div>\n";
}

std::string linesPicture() {
  const PixelRect area = pixelRect(kClientArea);
  std::string html = R"(<svg id="Form1Lines" class="lines" aria-hidden="true" width=")" +
                     std::to_string(area.width) + R"(" height=")" + std::to_string(area.height) +
                     "\">";
  for (const LineRow& line : formLines()) {
    // Through the middle of the pixels, as a one-pixel pen draws.
    const auto at = [](int twips) { return std::to_string(pixels(twips)) + ".5"; };
    html += R"(<line id=")" + std::string(line.control) + R"(" x1=")" + at(line.from.x) +
            R"(" y1=")" + at(line.from.y) + R"(" x2=")" + at(line.to.x) + R"(" y2=")" +
            at(line.to.y) + "\"/>";
  }
  return html + "</svg>\n";
}

std::string mainWindow() {
  std::string html = R"(<main id=")" + std::string(kFormControl) +
                     R"(" class="window" aria-label=")" + escapeHtml(kFormTitle) + "\">\n" +
                     menuBar() + R"(<div id=")" + std::string(kFormControl) +
                     R"(Canvas" class="client">)" + "\n" + linesPicture();
  bool focused = false;
  for (const PageItem& item : mainWindowItems()) {
    std::string element = item.html;
    // The window opens on the first control in tab order.
    const bool takesFocus = element.starts_with("<input") || element.starts_with("<button");
    if (takesFocus && !focused) {
      element.insert(element.find(' '), " autofocus");
      focused = true;
    }
    html += element + '\n';
  }
  return html + "</div>\n</main>\n";
}

// A window of its own: a title bar with a close box over its client area.
std::string dialog(std::string_view control, std::string_view title, const std::string& client,
                   WindowCommand opensOn, std::string_view role = "dialog") {
  const std::string id(control);
  std::string html = "<dialog" + attribute("id", id) + R"( class="window")" +
                     attribute("role", role) + attribute("aria-labelledby", id + "-title");
  if (role == "alertdialog") html += attribute("aria-describedby", id + "-prompt");
  if (opensOn != WindowCommand::None) html += attribute("data-command", commandName(opensOn));
  html +=
      ">\n<div class=\"titlebar\"><span" + attribute("id", id + "-title") + R"( class="title">)";
  html += escapeHtml(title);
  html += R"(</span><button type="button" class="close" data-closes)" +
          attribute("aria-label", kCloseBox) + ">\u00D7</button></div>\n<div class=\"client\">\n";
  return html + client + "</div>\n</dialog>\n";
}

std::string manual() {
  const std::string label = std::string(kManualControl) + '-' + std::string(kManualLabelControl);
  return dialog(
      kManualControl, kManualTitle,
      "<p" + attribute("id", label) + R"( class="label">)" + escapeHtml(kManualText) + "</p>\n",
      WindowCommand::OpenManual);
}

std::string aboutBox() {
  std::string client;
  for (const PageItem& item : aboutBoxItems()) client += item.html + '\n';
  return dialog(kAboutControl, aboutTitle(), client, WindowCommand::OpenAbout);
}

// The desktop's message box: a title, an icon, the prompt and the OK button; the script
// fills it in for each box a handler shows.
std::string messageBox() {
  return dialog("runtimeMessageBox", kApplicationTitle,
                R"(<svg class="icon critical" viewBox="0 0 32 32" aria-hidden="true">)"
                R"(<circle cx="16" cy="16" r="15"/><path d="M10 10L22 22M22 10L10 22"/></svg>)"
                R"(<svg class="icon information" viewBox="0 0 32 32" aria-hidden="true">)"
                R"(<circle cx="16" cy="16" r="15"/><path d="M16 14V24M16 8V10"/></svg>)"
                R"(<p id="runtimeMessageBox-prompt" class="prompt"></p>)"
                R"(<button type="button" id="runtimeMessageBox-ok" class="button" data-closes)"
                R"( data-default autofocus>OK</button>)"
                "\n",
                WindowCommand::None, "alertdialog");
}

// Where the page says that a new version has come, once it has, and what a press has written
// (announced, not shown): live regions from the start, so that a screen reader reads what
// appears in them.
std::string liveRegions() {
  return R"(<div id="announce" class="announce" role="status"></div>)"
         R"(<div id="update" class="update" role="status"></div><template id="update-notice"><p>)" +
         escapeHtml(kNewVersion) +
         R"(</p><button type="button" id="update-reload" class="button")" + " data-reload>" +
         escapeHtml(kReload) + "</button></template>\n";
}

std::string ended() {
  return R"(<div id="ended" class="ended" hidden><p>)" + escapeHtml(kEndedNotice) +
         R"(</p><button type="button" id="reopen" class="button" data-reload>)" +
         escapeHtml(kReopen) + "</button></div>\n<noscript><p>" + escapeHtml(kNeedsScript) +
         "</p></noscript>\n<div id=\"no-core\" class=\"ended\" hidden><p>" +
         escapeHtml(kNeedsScript) + "</p></div>\n";
}

}  // namespace

std::string pageHtml() {
  return head() + mainWindow() + manual() + aboutBox() + messageBox() + liveRegions() + ended() +
         "</body>\n</html>\n";
}

}  // namespace vespera

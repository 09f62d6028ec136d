// SPDX-License-Identifier: GPL-3.0-or-later

// The page's glue to the calculator in vespera-core.wasm. It calculates nothing and holds no
// text or table: index.html and layout.css are drawn from the window's tables at build time,
// and every press runs the desktop's own handler in the module, whose outcome (fields,
// message boxes, saved files, window commands) this script replays in the page.
import createCore from './vespera-core.mjs';

// The module compiles in the background while the language's data loads.
const loading = Promise.resolve().then(createCore);
// The decimal separator of the browser's language, as the desktop takes the system's.
const separator = new Intl.NumberFormat().formatToParts(1.5)
  .find((part) => part.type === 'decimal').value;
const main = document.querySelector('main');
// A module that cannot load (a host that refuses .wasm, a browser without WebAssembly) leaves
// no buttons that do nothing: the page says what it needs instead.
const core = await loading.catch((error) => {
  main.remove();
  document.getElementById('no-core').hidden = false;
  throw error;
});
const start = core.cwrap('vespera_start', null, ['string']);
const setTextFromHeap = core.cwrap('vespera_set_text', 'number', ['string', 'number']);
const pressInCore = core.cwrap('vespera_press', 'string', ['string']);
start(separator);

// A box's text goes in through the module's heap, which grows to hold whatever a box holds, as
// the desktop's boxes take a text of any length: a 'string' argument is copied onto the
// module's stack (64 KiB in newer emscriptens), which a long paste overruns, wrecking the
// module's memory for every press after it.
function setText(control, text) {
  const size = core.lengthBytesUTF8(text) + 1;
  const copy = core._malloc(size);
  try {
    core.stringToUTF8(text, copy, size);
    setTextFromHeap(control, copy);
  } finally {
    core._free(copy);
  }
}

const boxes = [...main.querySelectorAll('input')];
const messageBox = document.getElementById('runtimeMessageBox');
const announcer = document.getElementById('announce');

// The fields the handler changed (the module sends no other).
function showFields(fields) {
  for (const [control, text] of Object.entries(fields)) document.getElementById(control).value = text;
}

// Tells a screen reader what a press wrote, each box by its name: the name a box carries
// itself, or its heading's.
function announce(fields) {
  const named = (control) => {
    const box = document.getElementById(control);
    return box.getAttribute('aria-label') ?? box.labels[0]?.textContent.trim();
  };
  announcer.textContent = Object.entries(fields).filter(([, text]) => text)
    .map(([control, text]) => `${named(control)}: ${text}`).join('; ');
}

// One of the handler's message boxes, modal as on the desktop; resolves when it is closed.
function showMessage({ prompt, title, icon }) {
  messageBox.querySelector('.title').textContent = title;
  messageBox.querySelector('.prompt').textContent = prompt;
  messageBox.dataset.icon = icon;
  messageBox.showModal();
  return new Promise((resolve) => messageBox.addEventListener('close', resolve, { once: true }));
}

// The measurement file's bytes as they are, written where the user chooses. Where the
// browser lets the page write a file (the File System Access API), the handler's box follows
// once the bytes are written, a cancel ends the save in silence and a failure shows the
// desktop's failure box; elsewhere the browser downloads the file, and the box says just that.
// Resolves to the step's box to show, if any.
async function save(step) {
  const { name, hex } = step.download;
  const bytes = Uint8Array.from(hex.match(/../g) ?? [], (pair) => parseInt(pair, 16));
  if (!window.showSaveFilePicker) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    return step.handed;
  }
  let file;
  try {
    file = await window.showSaveFilePicker({ suggestedName: name });
  } catch (error) {
    return error.name === 'AbortError' ? null : step.failed;
  }
  let writable;
  try {
    writable = await file.createWritable();
    await writable.write(bytes);
    await writable.close();
    return step.written;
  } catch {
    await writable?.abort().catch(() => {});
    return step.failed;
  }
}

function openWindow(command) {
  const shown = document.querySelector(`dialog[data-command="${command}"]`);
  if (!shown.open) shown.show();
  (shown.querySelector('[data-default]') ?? shown.querySelector('[data-closes]')).focus();
}

// ESCI: the page closes itself where the browser lets it (an installed app's window, a tab a
// script opened); elsewhere it ends as the program does, its fields gone, and says so.
function exitProgram() {
  for (const open of document.querySelectorAll('dialog[open]')) open.close();
  window.close();
  if (window.closed) return;
  main.remove();
  const ended = document.querySelector('.ended');
  ended.hidden = false;
  ended.querySelector('button').focus();
}

const commands = {
  exit: exitProgram,
  print: () => window.print(),
  manual: () => openWindow('manual'),
  about: () => openWindow('about'),
};

// While a press is under way (its message boxes open, a file being saved), the window says
// so; whatever happens, it is over when the press ends.
async function press(control) {
  if (main.ariaBusy === 'true') return;
  main.ariaBusy = 'true';
  const focused = document.activeElement;
  let outcome = {};
  try {
    for (const box of boxes) setText(box.id, box.value);
    outcome = JSON.parse(pressInCore(control));
    for (const step of outcome.steps) {
      const box = step.download ? await save(step) : step.box;
      if (!box) continue;
      showFields(step.fields);
      await showMessage(box);
    }
    showFields(outcome.fields);
    announce(outcome.fields);
  } finally {
    main.ariaBusy = 'false';
  }
  if (focused?.isConnected && !focused.closest('[role="menu"]')) focused.focus();
  commands[outcome.command]?.();
}

// The menus: the access keys (accesskey) open them, the arrows walk them, Esc closes them and
// gives the focus back to the control that had it.
let beforeMenu = null;
document.addEventListener('focusin', (event) => {
  if (!event.target.closest('.menubar')) beforeMenu = event.target;
});
function closeMenus() {
  for (const title of document.querySelectorAll('[aria-expanded="true"]')) {
    title.setAttribute('aria-expanded', 'false');
    document.getElementById(title.getAttribute('aria-controls')).hidden = true;
  }
}
function openMenu(title) {
  closeMenus();
  title.setAttribute('aria-expanded', 'true');
  const items = document.getElementById(title.getAttribute('aria-controls'));
  items.hidden = false;
  items.querySelector('button').focus();
}
function leaveMenus() {
  closeMenus();
  beforeMenu?.focus();
}

function walkMenu(event, menu) {
  const items = [...menu.querySelectorAll('[role="menuitem"]')];
  const at = items.indexOf(event.target);
  const titles = [...document.querySelectorAll('.menu-title')];
  const title = titles.indexOf(document.getElementById(menu.getAttribute('aria-labelledby')));
  const key = event.key;
  if (key === 'ArrowDown' || key === 'ArrowUp') {
    items[(at + (key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
  } else if (key === 'ArrowRight' || key === 'ArrowLeft') {
    openMenu(titles[(title + (key === 'ArrowRight' ? 1 : titles.length - 1)) % titles.length]);
  } else if (key === 'Escape' || key === 'Tab') {
    leaveMenus();
  } else {
    const item = items.find((candidate) => candidate.dataset.key === key.toLowerCase());
    if (!item) return;
    item.click();
  }
  event.preventDefault();
}

document.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (!button) {
    if (!event.target.closest('.menubar')) closeMenus();
    return;
  }
  if (button.getAttribute('aria-haspopup') === 'menu') {
    if (button.getAttribute('aria-expanded') === 'true') leaveMenus(); else openMenu(button);
    return;
  }
  if (button.closest('[role="menu"]')) leaveMenus(); else closeMenus();
  if (button.hasAttribute('data-closes')) button.closest('dialog').close();
  else if (button.hasAttribute('data-press')) press(button.id);
  else if (button.hasAttribute('data-reload')) window.location.reload();
});

document.addEventListener('keydown', (event) => {
  const menu = event.target.closest?.('[role="menu"]');
  if (menu) {
    walkMenu(event, menu);
  } else if (event.key === 'Escape') {
    // A box with a default button (About's OK) takes Esc as a press of it; the manual none.
    event.target.closest?.('dialog:not(:modal)')?.querySelector('[data-default]')?.click();
  }
});

// The service worker keeps the site for use offline. It looks for a new version past the
// HTTP cache, and when one takes over while the page is open, the page says so in its live
// region, with a button that reloads: it never reloads by itself, and loses nothing typed.
const siteVersion = () => fetch('site-files.js').then((answer) => answer.text())
  .then((text) => text.match(/SITE_VERSION = "(\w+)"/)?.[1]).catch(() => null);
if ('serviceWorker' in navigator) {
  const ownVersion = siteVersion();
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).then((registration) => {
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible') registration.update().catch(() => {});
    });
  }).catch(() => {});
  navigator.serviceWorker.addEventListener('controllerchange', async () => {
    const [before, now] = await Promise.all([ownVersion, siteVersion()]);
    const notice = document.getElementById('update');
    if (before && now && before !== now && !notice.childElementCount) {
      notice.append(document.getElementById('update-notice').content.cloneNode(true));
    }
  });
}
document.documentElement.dataset.ready = '';
performance.mark('vespera-ready');

// The page's side of the web back end, run before the program starts: the
// canvas drawn on, the keys, pointer, clipboard and input method queued for
// the program, and window.dotwise, which speaks the driver's protocol in
// the driven build (?driver in the address).
"use strict";

// The address's DOTWISE_LOCALE_* parameters replace the browser's number format,
// and DOTWISE_CONTRAST (high or normal) its contrast, as the variables of those
// names do on the desktop. The address is anyone's to write: a contrast that is
// neither leaves the browser's wish in force, where the desktop would refuse to start.
// The interface's language, as the desktop reads LANGUAGE, decided by the page
// before the program loads: ?lang=zh or ?lang=en in the address outright;
// otherwise the first of the browser's languages the program has, English
// where it has none of them, and Chinese, its own, where the browser names none.
const dotwiseLanguage = window.dotwiseLanguage || "zh";

// The WebAssembly under the name the build gave it.
Module.locateFile = (path) => (path.endsWith(".wasm") && window.dotwiseFiles ? window.dotwiseFiles.wasm : path);

// A character of each part of the dialog font the language shows, as the page chose it.
const fontSample = () => window.dotwiseFontSample || "A";

// A program that cannot be fetched or started is said so in the page, and so is
// one that aborts once it runs (see stop below for a trap).
Module.onAbort = () => { if (window.dotwiseFailed) window.dotwiseFailed(runtimeInitialized ? "stopped" : "fetch"); };

// What the page says of itself follows: its language, title and description.
(() => {
  const texts = {
    zh: { lang: "zh-CN", title: "Dotwise - 像素密度与容量计算",
          description: "由分辨率和对角线长度计算屏幕的像素密度 (PPI), 并换算硬盘在电脑中显示的实际容量。" },
    en: { lang: "en", title: "Dotwise - Pixel Density and Capacity",
          description: "Work out a screen's pixel density (PPI) from its resolution and diagonal, and the size a computer shows for a disk." },
  }[dotwiseLanguage];
  document.documentElement.lang = texts.lang;
  document.title = texts.title;
  const description = document.querySelector('meta[name="description"]');
  if (description) description.setAttribute("content", texts.description);
  const about = document.getElementById("dotwise-about");
  if (about) about.textContent = texts.description;
})();

Module.preRun = [].concat(Module.preRun || [], () => {
  // The dialog is measured in its font, so the program starts once the font is ready (or known not to be):
  // the parts its language needs, the Chinese only for the dialog in Chinese.
  if (document.fonts && document.fonts.load) {
    addRunDependency("dotwise-font");
    (window.dotwiseFontReady || document.fonts.load('12px "Dotwise Song"', fontSample()))
      .catch(() => {}).then(() => removeRunDependency("dotwise-font"));
  }
  ENV.LANGUAGE = dotwiseLanguage === "zh" ? "zh_CN" : "en";
  new URLSearchParams(location.search).forEach((value, name) => {
    if (/^DOTWISE_LOCALE_[A-Z]+$/.test(name)) ENV[name] = value;
    else if (name === "DOTWISE_CONTRAST" && (value === "high" || value === "normal")) ENV[name] = value;
    else if (name === "DOTWISE_CONTRAST") console.warn(`DOTWISE_CONTRAST takes high or normal, not ${JSON.stringify(value)}: ignored`);
  });
});

Module.dotwisePage = (() => {
  const canvas = document.getElementById("dotwise");
  const ctx = canvas.getContext("2d", { alpha: false });
  // The mirror of the program's accessibility model: an element for each dialog, control,
  // text and menu item, laid over the canvas where it is drawn, and the program's focus
  // the page's. Keys and the input method's text arrive at the focused one.
  const ariaRoot = document.getElementById("dotwise-a11y");
  // Where the results are said once the user pauses in typing: a polite live region.
  const results = document.getElementById("dotwise-results");
  const queue = [];
  let wake = null;
  let fontCss = "12px serif";
  let ratio = 1;
  let ended = false;
  const waiting = [];  // the driver's callers, each with its resolve and reject
  let stopped = null;  // the error the program stopped on, if it did
  let answered = "";
  let firstFrame = false;  // the page's, marked for timing
  let runShown = false;  // this run's first frame is on screen
  const measurer = document.createElement("canvas").getContext("2d");
  let fontPixels = 0;
  let fontAscent = 0;

  // Events the program takes, in order: [type, a, b, c, d, text].
  const Event = { keyDown: 1, keyUp: 2, text: 3, mouseDown: 4, mouseUp: 5, mouseMove: 6, mouseLeave: 7, line: 8, paste: 9, end: 10, focus: 11, wheel: 12, enter: 13, shown: 14 };
  // A lone surrogate has no UTF-8: on its way into the program it would take the
  // character after it along. It becomes U+FFFD here, as the desktop's decoding makes it.
  const wellFormed = (text) => text.replace(/[\ud800-\udbff](?![\udc00-\udfff])|(?<![\ud800-\udbff])[\udc00-\udfff]/g, "\ufffd");
  function push(type, a = 0, b = 0, c = 0, d = 0, text = "") {
    if (ended || stopped) return;
    if (type === Event.keyDown || type === Event.text || type === Event.mouseDown || type === Event.paste) userActed = true;
    queue.push([type, a, b, c, d, wellFormed(text)]);
    if (wake) {
      const w = wake;
      wake = null;
      w();
    }
  }

  // The desktop's virtual-key codes, from the physical key where the letter or digit is.
  const named = {
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Home: 36, End: 35, Insert: 45, Delete: 46,
    Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, Escape: 27, Space: 32, ContextMenu: 93,
    ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18,
    Period: 190, NumpadDecimal: 190, Comma: 188, Minus: 189, NumpadSubtract: 189, Equal: 187, NumpadAdd: 187,
  };
  function virtualKey(event) {
    const code = event.code || "";
    let m;
    if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^(?:Digit|Numpad)([0-9])$/.exec(code))) return 48 + Number(m[1]);
    if ((m = /^F([0-9]{1,2})$/.exec(code)) && Number(m[1]) >= 1 && Number(m[1]) <= 12) return 111 + Number(m[1]);
    return named[code] || 0;
  }
  function modifiers(event) { return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0); }

  ariaRoot.addEventListener("keydown", (event) => {
    if (event.isComposing || event.keyCode === 229) return;  // the input method has it
    const vk = virtualKey(event);
    if (vk === 0) return;
    // Tab from the dialog's last control, or Shift+Tab from its first, leaves the dialog for the page,
    // as from a dialog in a page; the browser moves the focus on.
    if (vk === 9 && !event.ctrlKey && !event.altKey && tabEdge.includes(event.shiftKey ? "F" : "L")) return;
    push(Event.keyDown, vk, modifiers(event));
    const printable = event.key.length === 1 && !event.ctrlKey && !event.altKey;
    const paste = (event.ctrlKey && !event.altKey && vk === 86) || (event.shiftKey && vk === 45);
    const field = event.target.tagName === "INPUT";
    // In a field a printable key comes back as text input, and Ctrl+V as the paste event; elsewhere
    // (a button, a menu) it is typed here, as the browser would not; the rest is the program's alone.
    if (printable && !field) push(Event.text, 0, 0, 0, 0, event.key);
    if (!(printable && field) && !(paste && field)) event.preventDefault();
  });
  ariaRoot.addEventListener("keyup", (event) => {
    const vk = virtualKey(event);
    if (vk !== 0) push(Event.keyUp, vk, modifiers(event));
  });
  // What the browser put into a field is text typed; the field then shows its text again,
  // as the program has it, until the program's next frame.
  ariaRoot.addEventListener("input", (event) => {
    if (event.isComposing) return;
    if (event.inputType === "insertFromPaste" || event.inputType === "insertFromDrop") {
      showField(shownField);
      return;
    }
    const typed = event.data || inserted(shownField ? shownField.text : "", event.target.value);
    if (typed) push(Event.text, 0, 0, 0, 0, typed);
    showField(shownField);
  });
  // A phone's keyboard may delete with no key event the page can read (its keys
  // come as "Unidentified"): the deletion is Backspace or Delete all the same.
  ariaRoot.addEventListener("beforeinput", (event) => {
    if (event.isComposing) return;
    // Typed text goes to the program without passing through the element: what it took
    // in would stay in its undo history, a node a character, for as long as the page is open.
    if (event.inputType === "insertText" && event.data) {
      event.preventDefault();
      push(Event.text, 0, 0, 0, 0, event.data);
      return;
    }
    const key = { deleteContentBackward: 8, deleteContentForward: 46 }[event.inputType];
    if (!key) return;
    event.preventDefault();
    push(Event.keyDown, key, 0);
    push(Event.keyUp, key, 0);
  });
  ariaRoot.addEventListener("compositionstart", () => { composing = true; });
  ariaRoot.addEventListener("compositionend", (event) => {
    composing = false;
    if (event.data) push(Event.text, 0, 0, 0, 0, event.data);
    showField(shownField);
  });
  // A paste is the program's, as Ctrl+V is in its fields. The browser still pastes into the
  // element (a page must not refuse a paste); the field then shows the program's text again.
  ariaRoot.addEventListener("paste", (event) => {
    push(Event.paste, 0, 0, 0, 0, event.clipboardData ? event.clipboardData.getData("text/plain") : "");
  });
  // The dialog has the keyboard while one of its elements has the focus: moving between them
  // is the program's own focus moving, and an element taken away with the focus is not a loss.
  let removing = false;
  ariaRoot.addEventListener("focusin", (event) => { if (!ariaRoot.contains(event.relatedTarget)) push(Event.focus, 1); });
  ariaRoot.addEventListener("focusout", (event) => { if (!removing && !ariaRoot.contains(event.relatedTarget)) push(Event.focus, 0); });
  // The element of the program's focus takes the browser's where the dialog has it, or where
  // the page gives it to the dialog (`claimFocus`): as it opens, and on a click on it.
  let claimFocus = true;
  function focusElement(node) {
    const active = document.activeElement;
    if (!node || active === node || !(claimFocus || ariaRoot.contains(active))) return;
    claimFocus = false;
    node.focus({ preventScroll: true });
  }
  function focusDialog() {
    claimFocus = true;
    focusElement(ariaRoot.querySelector('[tabindex="0"]'));
  }

  // The pointer, in the canvas's device pixels.
  function x(event) { return Math.floor((event.clientX - canvas.getBoundingClientRect().left) * ratio); }
  function y(event) { return Math.floor((event.clientY - canvas.getBoundingClientRect().top) * ratio); }
  canvas.addEventListener("mousedown", (event) => {
    event.preventDefault();
    focusDialog();
    if (event.button === 0 || event.button === 2) push(Event.mouseDown, x(event), y(event), event.button, event.detail);
  });
  window.addEventListener("mouseup", (event) => {
    if (event.button === 0 || event.button === 2) push(Event.mouseUp, x(event), y(event), event.button);
  });
  window.addEventListener("mousemove", (event) => push(Event.mouseMove, x(event), y(event)));
  canvas.addEventListener("mouseleave", (event) => { if (event.buttons === 0) push(Event.mouseLeave); });
  // The wheel goes to the program, and the page still scrolls where it is taller than
  // the window. A notch is 120, as on the desktop: three lines, or a hundred pixels.
  canvas.addEventListener("wheel", (event) => {
    const perUnit = [1.2, 40, 120][event.deltaMode] || 1.2;
    const delta = Math.round(-event.deltaY * perUnit);
    if (delta !== 0) push(Event.wheel, x(event), y(event), delta);
  }, { passive: true });
  // A long press of a finger asks for the context menu, as the right button does; so does a
  // tap of two fingers together. The browser's own long press (a contextmenu event) is taken
  // too where it comes first; one touch opens one menu.
  let lastPointer = "mouse";
  let touch = null;  // where the touch began, when, and whether it has opened the menu
  canvas.addEventListener("pointerdown", (event) => { lastPointer = event.pointerType; });
  function touchMenu(at) {
    if (touch) {
      if (touch.opened) return;
      touch.opened = true;
      clearTimeout(touch.timer);
    }
    focusDialog();
    push(Event.mouseDown, x(at), y(at), 2, 1);
    push(Event.mouseUp, x(at), y(at), 2);
  }
  canvas.addEventListener("contextmenu", (event) => {
    event.preventDefault();
    if (lastPointer !== "touch") return;  // a mouse's right button has been given already
    touchMenu(event);
  });
  const middle = (t) => ({ clientX: (t[0].clientX + t[t.length - 1].clientX) / 2, clientY: (t[0].clientY + t[t.length - 1].clientY) / 2 });
  canvas.addEventListener("touchstart", (event) => {
    if (touch) clearTimeout(touch.timer);
    const t = event.touches;
    touch = t.length > 2 ? null : Object.assign(middle(t), { fingers: t.length, at: event.timeStamp, opened: false });
    if (touch && t.length === 1) touch.timer = setTimeout(() => touchMenu(touch), 500);
  }, { passive: true });
  canvas.addEventListener("touchmove", (event) => {
    // A finger that travels scrolls, or two pinch: no menu.
    const m = middle(event.touches);
    if (touch && !touch.opened && Math.hypot(m.clientX - touch.clientX, m.clientY - touch.clientY) > 10) {
      clearTimeout(touch.timer);
      touch = null;
    }
  }, { passive: true });
  canvas.addEventListener("touchend", (event) => {
    if (!touch || event.touches.length > 0) return;
    clearTimeout(touch.timer);
    // The finger that opened the menu lifts without a click on what lies under it.
    if (touch.opened) event.preventDefault();
    else if (touch.fingers === 2 && event.timeStamp - touch.at < 500) touchMenu(touch);
    touch = null;
  });
  canvas.addEventListener("touchcancel", () => {
    if (touch) clearTimeout(touch.timer);
    touch = null;
  }, { passive: true });

  // The focused field's element holds its text, caret and selection as the program has
  // them, where screen readers and the input method read them.
  let tabEdge = "";  // "L" where Tab leaves the dialog, "F" where Shift+Tab does
  let shownField = null;
  let composing = false;
  function showField(field) {
    shownField = field;
    // The input method's text stays until it is committed.
    if (!field || composing) return;
    const input = field.node;
    if (input.value !== field.text) input.value = field.text;
    if (document.activeElement !== input) return;
    // Characters to the element's UTF-16 units.
    const units = (characters) => Array.from(field.text).slice(0, characters).join("").length;
    const backward = field.caret === field.start && field.start !== field.end;
    input.setSelectionRange(units(field.start), units(field.end), backward ? "backward" : "forward");
  }
  // What was put in: the part of `after` between the beginning and the end it shares with `before`.
  function inserted(before, after) {
    let head = 0;
    while (head < before.length && head < after.length && before[head] === after[head]) ++head;
    let tail = 0;
    while (tail < before.length - head && tail < after.length - head && before[before.length - 1 - tail] === after[after.length - 1 - tail]) ++tail;
    return after.slice(head, after.length - tail);
  }

  // A line of the program's accessibility model: id, parent, role, name, states (letters),
  // text, caret, selection's start and end (in characters), control id, description, and
  // where it is drawn (left, top, width and height in the canvas's pixels).
  function readNode(line) {
    const f = line.split("\t");
    return { id: f[0], parent: f[1], role: f[2], name: f[3], states: f[4], value: f[5], caret: Number(f[6]), start: Number(f[7]),
             end: Number(f[8]), control: Number(f[9]), description: f[10], place: f.slice(11, 15).map(Number) };
  }
  // The node's element, made where there is none, under its parent's, laid over the canvas
  // where the node is drawn, in the page's pixels from its parent's corner.
  function mirrorNode(n, places) {
    let node = document.getElementById(n.id);
    // A window's id may come back as another's once it has gone, and be of another kind.
    if (!node || node.dataset.role !== n.role) {
      if (node) dropElement(node);
      node = mirrorElement(n.role, n.control);
      node.id = n.id;
    }
    const home = (n.parent && document.getElementById(n.parent)) || ariaRoot;
    if (node.parentNode !== home) home.appendChild(node);
    const [left, top, width, height] = n.place;
    places[n.id] = [left, top];
    const from = places[n.parent] || [0, 0];
    node.style.left = `${(left - from[0]) / ratio}px`;
    node.style.top = `${(top - from[1]) / ratio}px`;
    node.style.width = `${width / ratio}px`;
    node.style.height = `${height / ratio}px`;
    if (n.role === "text" && node.textContent !== n.name) node.textContent = n.name;
    return node;
  }
  // A control's name, description and states as its element's; a field's text where the user is not typing in it.
  function describeControl(node, n) {
    if (node.tagName !== "BUTTON") node.setAttribute("aria-label", n.name);
    else if (node.textContent !== n.name) node.textContent = n.name;
    if (n.description) node.setAttribute("aria-description", n.description);
    else node.removeAttribute("aria-description");
    const flag = (attribute, on) => (on ? node.setAttribute(attribute, "true") : node.removeAttribute(attribute));
    flag("aria-disabled", n.states.includes("d"));
    if (n.role === "radio") node.setAttribute("aria-checked", n.states.includes("c") ? "true" : "false");
    if (n.role === "dialog" || n.role === "alertdialog") flag("aria-modal", n.states.includes("a"));
    if (n.role === "textbox") {
      node.readOnly = n.states.includes("r");
      if (node !== document.activeElement && node.value !== n.value) node.value = n.value;
    }
    node.tabIndex = n.states.includes("f") ? 0 : -1;
  }

  // The focus goes with an element taken away, to where the program puts it next.
  function dropElement(node) {
    if (node.contains(document.activeElement)) claimFocus = true;
    removing = true;
    node.remove();
    removing = false;
  }

  // An element of the role: native ones where HTML has them, so that the browser treats
  // a field as a field (the phone's keyboard for its kind, the input method, selection).
  function mirrorElement(role, control) {
    let node;
    if (role === "textbox") {
      node = document.createElement("input");
      node.type = "text";
      node.autocomplete = "off";
      node.spellcheck = false;
      node.setAttribute("autocapitalize", "off");
      node.enterKeyHint = "done";
      // A phone's keyboard for the field: digits and the decimal separator for the diagonal, digits for the rest.
      node.inputMode = control === 1004 ? "decimal" : "numeric";
    } else if (role === "button") {
      node = document.createElement("button");
      node.type = "button";
    } else {
      node = document.createElement("div");
      if (role !== "text") node.setAttribute("role", role);
    }
    node.dataset.role = role;
    // The control's number, as the program knows it: for automation and the page's tests.
    if (control > 0) node.dataset.control = String(control);
    return node;
  }

  // The results are told once the typing pauses, as the desktop's screen readers hear them:
  // the figure the user typed to, not one for each key on the way, and only those that changed.
  let resultValues = null;  // each result's name and value, by its id, as last seen
  const changedResults = new Set();
  let resultsTimer = 0;
  function sayResults(now) {
    const before = resultValues;
    resultValues = now;
    if (!before) return;  // what the dialog opens with is shown, not news
    for (const id of Object.keys(now)) if (!before[id] || before[id][1] !== now[id][1]) changedResults.add(id);
    if (!changedResults.size) return;
    clearTimeout(resultsTimer);
    resultsTimer = setTimeout(() => {
      const told = [...changedResults].filter((id) => resultValues && resultValues[id] && resultValues[id][1]);
      changedResults.clear();
      if (told.length) results.textContent = told.map((id) => resultValues[id].join(" ")).join(", ");
    }, 600);
  }
  function forgetResults() {
    clearTimeout(resultsTimer);
    changedResults.clear();
    resultValues = null;
    results.textContent = "";
  }
  // The dialog is gone: its picture and its mirror go with it.
  function removeDialog() {
    showField(null);
    removing = true;
    ariaRoot.replaceChildren();
    removing = false;
    forgetResults();
    canvas.hidden = true;
  }

  function color(rgb) { return "#" + (rgb & 0xffffff).toString(16).padStart(6, "0"); }
  // What the page shows once the dialog has closed: a line saying so, and a button that opens it again.
  const closed = document.getElementById("dotwise-closed");
  const reopen = document.getElementById("dotwise-reopen");
  let reopenWith = null;
  document.getElementById("dotwise-closed-text").textContent =
    dotwiseLanguage === "zh" ? "Dotwise 已关闭。" : "Dotwise has closed.";
  reopen.textContent = dotwiseLanguage === "zh" ? "重新打开 Dotwise" : "Open Dotwise again";
  reopen.addEventListener("click", () => { if (reopenWith) reopenWith(); });

  const stage = document.getElementById("dotwise-stage");
  // A word to the user that comes and goes: how to paste where the browser keeps the clipboard to itself.
  const hint = document.getElementById("dotwise-hint");
  let hintTimer = 0;
  const status = document.getElementById("dotwise-status");

  // Fitting the page. The dialog is drawn anew, not stretched, when the scale it
  // needs changes: the browser's zoom, a turned phone, a narrower window. So is
  // it when the contrast the user asks for changes. The program then runs anew
  // with the fields' values carried in the address, as typed input.
  let naturalWidth = 459;  // the dialog's width at scale 1, until a run measures it
  let runningScale = 0;
  let restarting = false;
  function fittedScale() {
    const dpr = window.devicePixelRatio || 1;
    const room = Math.max(1, document.documentElement.clientWidth - 16);
    const fit = Math.min(dpr, (dpr * room) / naturalWidth);
    return Math.min(8, Math.max(0.5, Math.floor(fit * 4) / 4));
  }
  function restart() {
    if (ended || restarting || stopped) return;
    restarting = true;
    push(Event.end);
  }
  let resizing = 0;
  window.addEventListener("resize", () => {
    clearTimeout(resizing);
    resizing = setTimeout(() => { if (runningScale && fittedScale() !== runningScale) restart(); }, 150);
  });
  (function watchPixelRatio() {
    matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`).addEventListener("change", () => {
      watchPixelRatio();
      if (runningScale && fittedScale() !== runningScale) restart();
    }, { once: true });
  })();
  for (const wish of ["(forced-colors: active)", "(prefers-contrast: more)"]) matchMedia(wish).addEventListener("change", restart);

  // The inputs in the address: ?x=1920&y=1080&d=24&gb=500. Each run enters them
  // into their fields as typed input once the dialog is up, and the address
  // follows what the user types. The address is anyone's to write: a value that
  // is not a plain number of its field's kind is passed over, and none is shown
  // as anything but a field's text.
  const shared = { x: [1000, /^[0-9]{1,5}$/], y: [1001, /^[0-9]{1,5}$/], d: [1004, /^[0-9]{1,4}(\.[0-9]{1,3})?$/], gb: [1016, /^[0-9]{1,4}$/] };
  let freshRun = true;  // until the first picture of a run
  let entering = false;  // from then until the address's inputs are in
  let userActed = false;
  function enterInputs() {
    const address = new URLSearchParams(location.search);
    const entries = [];
    for (const name of Object.keys(shared)) {
      const control = shared[name][0], form = shared[name][1];
      const value = address.get(name);
      if (value === null) continue;
      if (!form.test(value)) {
        console.warn(`${name}=${JSON.stringify(value).slice(0, 40)} in the address is not a value for its field: ignored`);
        continue;
      }
      entries.push([control, value]);
    }
    if (!entries.length) return;
    entering = true;
    // Each field given the focus and its value typed, then the focus back on OK; each
    // answered once the program has taken it, so the last, once all are in.
    let last = null;
    for (const entry of [...entries, [1, ""]]) {
      if (last) last.catch(() => {});
      last = ask(Event.enter, entry[1], entry[0]);
    }
    last.then(() => { entering = false; }, () => { entering = false; });
  }
  // The diagonal as the address writes it: digits and a full stop, whatever the number format shows.
  function plainNumber(shown) {
    const format = formatValues || numberFormat();
    let text = shown;
    if (format.DOTWISE_LOCALE_STHOUSAND) text = text.split(format.DOTWISE_LOCALE_STHOUSAND).join("");
    return text.split(format.DOTWISE_LOCALE_SDECIMAL || ".").join(".").replace(/[^0-9.]/g, "");
  }
  function shareInputs(values) {
    if (entering || !userActed || !(1000 in values)) return;
    const address = new URLSearchParams(location.search);
    for (const name of Object.keys(shared)) {
      const control = shared[name][0];
      const value = control === 1004 ? plainNumber(values[control] || "") : values[control] || "";
      if (value) address.set(name, value);
      else address.delete(name);
    }
    const search = `?${address}`;
    if (search !== location.search) history.replaceState(history.state, "", search);
  }

  const scratch = document.createElement("canvas");
  const scratchCtx = scratch.getContext("2d");

  const page = {
    // The scale the program draws at: the screen's pixel ratio, or less where the
    // dialog would be wider than the page, so that it fits the width and each
    // canvas pixel is still one of the screen's.
    pixelRatio() {
      ratio = window.devicePixelRatio || 1;
      runningScale = fittedScale();
      return runningScale;
    },
    // The dialog font at a pixel size, and its ascent; the font is loaded once, measured on a canvas of its own.
    setFont(pixels) {
      if (fontPixels !== pixels) {
        const family = getComputedStyle(canvas).fontFamily || "serif";
        fontCss = `${pixels}px ${family}`;
        measurer.font = fontCss;
        const m = measurer.measureText(fontSample());
        fontAscent = Math.round(m.fontBoundingBoxAscent !== undefined ? m.fontBoundingBoxAscent : pixels * 0.86);
        fontPixels = pixels;
      }
      return fontAscent;
    },
    measure(text) { return Math.round(measurer.measureText(text).width); },
    resize(width, height) {
      canvas.width = width;
      canvas.height = height;
      canvas.style.width = `${width / ratio}px`;
      canvas.style.height = `${height / ratio}px`;
      // The place kept for the dialog becomes its size; what it is at scale 1 is learnt for the next fitting.
      stage.style.width = canvas.style.width;
      stage.style.aspectRatio = `${width} / ${height}`;
      naturalWidth = width / runningScale;
      if (fittedScale() !== runningScale) restart();
      ctx.textBaseline = "alphabetic";
      ctx.font = fontCss;
      ctx.save();
      claimFocus = true;
    },
    fill(x, y, w, h, rgb) {
      ctx.fillStyle = color(rgb);
      ctx.fillRect(x, y, w, h);
    },
    text(x, y, text, rgb) {
      ctx.fillStyle = color(rgb);
      ctx.fillText(text, x, y);
    },
    pixels(x, y, w, h, argb) {
      const image = new ImageData(w, h);
      for (let i = 0; i < argb.length; ++i) {
        const p = argb[i];
        image.data[i * 4] = (p >>> 16) & 255;
        image.data[i * 4 + 1] = (p >>> 8) & 255;
        image.data[i * 4 + 2] = p & 255;
        image.data[i * 4 + 3] = p >>> 24;
      }
      // Drawn over what is there, so that clear pixels leave it.
      scratch.width = w;
      scratch.height = h;
      scratchCtx.putImageData(image, 0, 0);
      ctx.drawImage(scratch, x, y);
    },
    clip(x, y, w, h) {
      ctx.restore();
      ctx.save();
      if (w >= 0) {
        ctx.beginPath();
        ctx.rect(x, y, w, h);
        ctx.clip();
      }
    },
    wantsContrast() { return matchMedia("(forced-colors: active)").matches || matchMedia("(prefers-contrast: more)").matches; },
    pointer(shape) { canvas.style.cursor = ["default", "text", "pointer"][shape] || "default"; },
    copy(text) {
      if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).catch(() => {});
    },
    // The system clipboard's text for a Paste chosen from a menu: its length in UTF-16 units,
    // the text in `clipboardText`; -1, with a word on how to paste, where the browser refuses.
    readClipboard() {
      const refused = () => {
        hint.textContent = dotwiseLanguage === "zh" ? "浏览器不让本页读取剪贴板: 请按 Ctrl+V 粘贴。"
                                                    : "The browser does not let the page read the clipboard: press Ctrl+V to paste.";
        hint.hidden = false;
        clearTimeout(hintTimer);
        hintTimer = setTimeout(() => { hint.hidden = true; }, 8000);
        return -1;
      };
      if (!navigator.clipboard || !navigator.clipboard.readText) return Promise.resolve(refused());
      // A browser that asks the user waits for the answer; one that neither answers nor refuses is taken as refusing.
      const unanswered = new Promise((resolve) => setTimeout(() => resolve(null), 10000));
      return Promise.race([navigator.clipboard.readText(), unanswered]).catch(() => null).then((text) => {
        if (typeof text !== "string") return refused();
        // No field holds more than a line: a clipboard of megabytes is not copied into the program whole.
        page.clipboardText = text.slice(0, 65536);
        return page.clipboardText.length;
      });
    },
    clipboardText: "",
    nextEvent(fields) {
      const event = queue.shift();
      if (!event) return 0;
      HEAP32[fields] = event[1];
      HEAP32[fields + 1] = event[2];
      HEAP32[fields + 2] = event[3];
      HEAP32[fields + 3] = event[4];
      page.eventText = event[5];
      HEAP32[fields + 4] = lengthBytesUTF8(event[5]);
      return event[0];
    },
    eventText: "",
    // A frame was drawn, the part of the canvas given, which goes to whoever watches
    // the frames (the benchmark).
    frame(x, y, w, h) {
      status.hidden = true;
      // Once a run's first frame is on screen (the page's first is marked for timing),
      // the program describes the dialog for the accessible mirror: done before, it
      // would delay that frame. Not in the frame's callback either, whose work the
      // browser finishes before it paints: in the task after, once the frame is out.
      if (!runShown) {
        runShown = true;
        requestAnimationFrame(() => {
          if (!firstFrame) performance.mark("dotwise-first-frame");
          firstFrame = true;
          setTimeout(() => push(Event.shown), 0);
        });
      }
      if (window.dotwise.onFrame) window.dotwise.onFrame(x, y, w, h);
    },
    // The program's accessibility model, one node a line (see `readNode`): each node's
    // element made or brought up to date, the focus given, the rest dropped.
    aria(text) {
      const nodes = text.split("\n").filter(Boolean).map(readNode);
      const seen = new Set(nodes.map((n) => n.id));
      const places = {};
      const described = {};  // a dialog's own texts, by the dialog's id
      const values = {};
      const said = {};  // the results' names and values, by id
      let focused = null;
      let menu = null;
      let field = null;
      tabEdge = "";
      for (const n of nodes) {
        const node = mirrorNode(n, places);
        if (n.role === "text") {
          if (!n.states.includes("n") && n.parent) (described[n.parent] = described[n.parent] || []).push(n.id);
          continue;
        }
        describeControl(node, n);
        if (n.role === "textbox") values[n.control] = n.value;
        if (n.role === "textbox" && node.readOnly) said[n.id] = [n.name, n.value];
        if (n.role === "menu") menu = node;
        if (!n.states.includes("f")) continue;
        focused = node;
        tabEdge = (n.states.includes("L") ? "L" : "") + (n.states.includes("F") ? "F" : "");
        if (n.role === "textbox") field = { node, text: n.value, caret: n.caret, start: n.start, end: n.end };
      }
      // A dialog is described by its texts that name no field: a message box by its message, the About box by its lines.
      for (const node of ariaRoot.querySelectorAll('[role="dialog"], [role="alertdialog"]')) {
        if (described[node.id]) node.setAttribute("aria-describedby", described[node.id].join(" "));
        else node.removeAttribute("aria-describedby");
      }
      for (const node of Array.from(ariaRoot.querySelectorAll("[id]"))) if (!seen.has(node.id) && node.isConnected) dropElement(node);
      // An open menu has the keyboard: its highlighted item, or itself while none is.
      if (menu && !(focused && menu.contains(focused))) {
        if (focused) focused.tabIndex = -1;
        focused = menu;
        menu.tabIndex = 0;
        field = null;
      }
      focusElement(focused);
      showField(field);
      if (freshRun) forgetResults();
      sayResults(said);
      if (freshRun) {
        freshRun = false;
        enterInputs();
      }
      shareInputs(values);
    },
    numberFormat(name) {
      if (!formatValues) formatValues = numberFormat();
      return formatValues[name];
    },
    wait(milliseconds) {
      return new Promise((resolve) => {
        if (queue.length) return resolve();
        wake = resolve;
        if (milliseconds >= 0) setTimeout(() => { if (wake === resolve) wake = null; resolve(); }, milliseconds);
      });
    },
    // The program is idle: everything asked so far is answered.
    answers(text) {
      answered += text;
      if (queue.length) return;
      const callers = waiting.splice(0);
      for (const caller of callers) caller.resolve(answered.replace(/\n$/, ""));
      if (callers.length) answered = "";
    },
    ended(exitCode) {
      ended = true;
      if (restarting) {
        queue.length = 0;
        return;
      }
      for (const caller of waiting.splice(0)) caller.resolve(answered.replace(/\n$/, ""));
      answered = "";
      queue.length = 0;
      document.body.dataset.exitCode = String(exitCode);
      // The dialog is gone, and the page says so.
      removeDialog();
      closed.hidden = false;
      reopen.focus({ preventScroll: true });
    },
    // Resolves when the user asks for the dialog again; the program then runs anew.
    reopened() {
      freshRun = true;
      runShown = false;
      if (restarting) {
        restarting = false;
        ended = false;
        return Promise.resolve();
      }
      return new Promise((resolve) => {
        reopenWith = () => {
          reopenWith = null;
          closed.hidden = true;
          canvas.hidden = false;
          ended = false;
          delete document.body.dataset.exitCode;
          resolve();
        };
      });
    },
  };

  // The user's number format from Intl.NumberFormat, as the seven values the
  // desktop's locale query gives. Intl has no default number of decimals for
  // plain numbers (it always allows three): that one is the desktop's usual 2.
  function numberFormat() {
    const format = new Intl.NumberFormat(undefined, { useGrouping: true, maximumFractionDigits: 3 });
    const parts = (n) => format.formatToParts(n);
    const part = (n, type) => (parts(n).find((p) => p.type === type) || {}).value;
    const integers = parts(123456789012).filter((p) => p.type === "integer").map((p) => p.value.length);
    // Group sizes from the right: "3;0" repeats threes, "3;2;0" is a three then twos, "0" none.
    let grouping = "0";
    if (integers.length > 1) {
      const first = integers[integers.length - 1];
      const second = integers.length > 2 ? integers[integers.length - 2] : first;
      grouping = second === first ? `${first};0` : `${first};${second};0`;
    }
    const negative = parts(-1).map((p) => p.type).join(" ");
    // Where the sign stands: before or after the number, with or without a space between.
    const shapes = { "minusSign integer": "1", "minusSign literal integer": "2", "integer minusSign": "3", "integer literal minusSign": "4" };
    const mode = /^\(.*\)$/.test(format.format(-1)) ? "0" : shapes[negative] || "1";
    return {
      DOTWISE_LOCALE_SDECIMAL: part(1.5, "decimal") || ".",
      DOTWISE_LOCALE_STHOUSAND: part(123456789, "group") || "",
      DOTWISE_LOCALE_SGROUPING: grouping,
      DOTWISE_LOCALE_IDIGITS: "2",
      DOTWISE_LOCALE_ILZERO: format.format(0.5).replace(/[^0-9]/g, "").startsWith("0") ? "1" : "0",
      DOTWISE_LOCALE_INEGNUMBER: mode,
      DOTWISE_LOCALE_SNEGATIVESIGN: part(-1, "minusSign") || "-",
    };
  }
  let formatValues = null;

  // Calls take turns in the order they were made, so that each gets the answers to
  // its own line; once the program has ended, a call fails, as a write to its closed
  // input would on the desktop.
  let turn = Promise.resolve();
  function ask(type, text, number = 0) {
    const answer = turn.then(() => new Promise((resolve, reject) => {
      if (stopped) return reject(stoppedError());
      if (ended) return reject(new Error("Dotwise has ended: it takes no more driver commands"));
      waiting.push({ resolve, reject });
      push(type, number, 0, 0, 0, text);
    }));
    turn = answer.catch(() => {});
    return answer;
  }
  // A fault in the program (a trap in its WebAssembly) leaves nothing that can go on
  // or start again in this page: in place of a dialog that no longer answers, the page
  // says so, and the driver's callers learn it at once.
  const stoppedError = () => new Error(`Dotwise stopped on an error (${stopped.message}): reload the page`);
  function stop(error) {
    if (stopped || !(error instanceof WebAssembly.RuntimeError)) return;
    stopped = error;
    for (const caller of waiting.splice(0)) caller.reject(stoppedError());
    removeDialog();
    closed.hidden = true;
    status.hidden = false;
    if (window.dotwiseFailed) window.dotwiseFailed("stopped");
  }
  window.addEventListener("error", (event) => stop(event.error));
  window.addEventListener("unhandledrejection", (event) => stop(event.reason));

  // The driver's protocol: one line in, the answers it brought out.
  window.dotwise = {
    driver(line) {
      if (!(window.dotwiseFiles && window.dotwiseFiles.driven))
        return Promise.reject(new Error("This page is built without the driver: open it with ?driver in its address"));
      return ask(Event.line, String(line));
    },
    // The end of the driver's input: the dialogs close as their close boxes would.
    end() { return ask(Event.end, ""); },
    get ended() { return ended; },
    // Called with each frame's drawn rectangle, in the canvas's pixels, where set.
    onFrame: null,
  };
  // While the browser fetches and compiles the program, the number format and the font,
  // each slow the first time a page asks, are made ready for it.
  setTimeout(() => {
    if (!formatValues) formatValues = numberFormat();
    page.setFont(Math.round(12 * fittedScale()));
  }, 0);
  return page;
})();

// The page where people meet it: on a phone and at high zoom, with inputs in
// the address, a phone keyboard's deletions, and the ways it can fail to load.
//   node page_uses_test.mjs SITE-FOLDER
import { mkdtempSync, cpSync, readdirSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { checks, launchBrowser, serve, withoutDialogFace } from "./browser.mjs";

const [site] = process.argv.slice(2);
if (!site) {
  console.error("usage: node page_uses_test.mjs SITE-FOLDER");
  process.exit(2);
}
const { expect, finish } = checks();
const up = (page) => page.waitForFunction(() => window.dotwise !== undefined && !window.dotwise.ended && document.getElementById("dotwise").width > 1);
const ask = (page, line) => page.evaluate((l) => window.dotwise.driver(l), line);
// What the page people load shows of a control, with no driver to ask: its element's value.
const shown = (page, control) => page.evaluate((c) => { const e = document.querySelector(`#dotwise-a11y [data-control="${c}"]`); return e ? e.value : null; }, control);
// Where the canvas stands in the page, and whether all of it can be reached by scrolling.
const placement = (page) => page.evaluate(() => {
  const r = document.getElementById("dotwise").getBoundingClientRect();
  return { left: r.left + scrollX, right: r.right + scrollX, width: r.width, pageWidth: document.documentElement.clientWidth,
           sharp: document.getElementById("dotwise").width === Math.round(r.width * devicePixelRatio) };
});

const server = await serve(site);
const browser = await launchBrowser();
try {
  // A phone, 390 x 844 CSS pixels at three device pixels each, with touch.
  const phone = await browser.newPage();
  await phone.emulate({ viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
                        userAgent: "Mozilla/5.0 (Linux; Android 14) Mobile" });
  await phone.goto(`${server.url}/index.html?driver&lang=en`);
  await up(phone);
  let seen = await placement(phone);
  expect("on a 390-pixel phone the dialog starts on the page", seen.left >= 0, true);
  expect("and ends on it", seen.right <= seen.pageWidth, true);
  expect("drawn one canvas pixel to a screen pixel", seen.sharp, true);
  // A tap focuses a field and places the caret; the phone shows its number keyboard.
  // Where a control (at a character of its text, if given) is on the screen, in CSS pixels.
  const touchPoint = async (id, index) => {
    const [x, y] = (await ask(phone, index === undefined ? `point ${id}` : `point ${id} ${index}`)).split(" ").map(Number);
    const box = await phone.$eval("#dotwise", (c) => { const r = c.getBoundingClientRect(); return { left: r.left, top: r.top }; });
    const ratio = await phone.evaluate(() => devicePixelRatio);
    return { x: box.left + x / ratio, y: box.top + y / ratio };
  };
  const tap = async (id, index) => {
    const at = await touchPoint(id, index);
    await phone.touchscreen.tap(at.x, at.y);
  };
  await ask(phone, "focus 1004");
  await tap(1004, 1);
  expect("a tap in the focused diagonal places the caret where it landed", await ask(phone, "sel 1004"), "1 1");
  expect("the keyboard asked for there", await phone.evaluate(() => `${document.activeElement.inputMode} ${document.activeElement.enterKeyHint}`), "decimal done");
  await tap(1000);
  expect("a tap on another field focuses it", await ask(phone, "focused"), "1000");
  expect("with the keyboard for whole numbers", await phone.evaluate(() => document.activeElement.inputMode), "numeric");
  // A phone keyboard's Backspace comes as a deletion with no key the page can read.
  await ask(phone, "key End");
  await phone.evaluate(() => document.activeElement.dispatchEvent(new InputEvent("beforeinput", { inputType: "deleteContentBackward", cancelable: true, bubbles: true })));
  expect("a deletion alone is Backspace", await ask(phone, "text 1000"), '"128"');
  // The field's menu, with no right button: a long press, or two fingers tapped together.
  const touch = await phone.target().createCDPSession();
  const menuIsOpen = () => phone.waitForFunction(() => document.activeElement.getAttribute("role") === "menu", { timeout: 5000 }).then(() => true, () => false);
  const closeMenu = async () => {
    await ask(phone, "key Escape");
    await phone.waitForFunction(() => document.activeElement.getAttribute("role") !== "menu");
  };
  // A finger held down until the menu shows, then lifted: the menu stays, with nothing clicked.
  let at = await touchPoint(1001);
  await touch.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x: at.x, y: at.y, id: 1 }] });
  const held = await menuIsOpen();
  await touch.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  expect("a long press opens the field's menu", held, true);
  await ask(phone, "focused");  // the program has taken whatever the lifted finger gave
  expect("and lifting the finger leaves it open", held && await menuIsOpen(), true);
  if (held) await closeMenu();
  at = await touchPoint(1004);
  await touch.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x: at.x - 6, y: at.y, id: 1 }, { x: at.x + 6, y: at.y, id: 2 }] });
  await touch.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  const tapped = await menuIsOpen();
  expect("and so does a tap of two fingers", tapped, true);
  if (tapped) await closeMenu();
  expect("the menu was the field's it opened over", await ask(phone, "focused"), "1004");

  // The browser zoomed to 400 % on a 1280-pixel desktop: 320 CSS pixels at four device pixels each.
  const zoomed = await browser.newPage();
  await zoomed.setViewport({ width: 320, height: 200, deviceScaleFactor: 4 });
  await zoomed.goto(`${server.url}/index.html?driver`);
  await up(zoomed);
  seen = await placement(zoomed);
  expect("at 400 % the dialog fits the width", seen.left >= 0 && seen.right <= seen.pageWidth, true);
  expect("and is drawn sharp", seen.sharp, true);
  // Zoomed out again after load: drawn anew for the new pixel ratio, the values kept.
  await ask(zoomed, "focus 1000");
  await zoomed.keyboard.type("1920");
  await zoomed.setViewport({ width: 800, height: 700, deviceScaleFactor: 1 });
  await zoomed.waitForFunction(() => document.getElementById("dotwise").width === 459);
  await up(zoomed);
  expect("drawn anew at 100 %, the field keeps what was typed", await ask(zoomed, "text 1000"), '"1920"');
  expect("and the result with it (1920 x 720 at 4.5 inches)", await ask(zoomed, "text 1005"), '"455"');

  // The contrast the user asks for, changed after load: the dialog is drawn anew in it.
  const contrast = await browser.newPage();
  await contrast.goto(`${server.url}/index.html?driver`);
  await up(contrast);
  const normalGrey = await ask(contrast, "color 1002");
  const emulation = await contrast.target().createCDPSession();
  await emulation.send("Emulation.setEmulatedMedia", { features: [{ name: "forced-colors", value: "active" }] });
  await contrast.waitForFunction(async () => (await window.dotwise.driver("color 1002")) === "#00FF00");
  expect("forced colours turned on after load", `${normalGrey} -> ${await ask(contrast, "color 1002")}`, "#808080 -> #00FF00");
  await contrast.close();

  // Inputs in the address are typed in once the dialog is up, in the page people load, which has no
  // driver; bad ones are passed over, never shown as markup.
  const shared = await browser.newPage();
  await shared.goto(`${server.url}/index.html?x=1920&y=1080&d=24&gb=500`);
  await up(shared);
  await shared.waitForFunction(() => (document.querySelector('#dotwise-a11y [data-control="1010"]') || {}).value === "465.66 GB");
  expect("an address's inputs give their results", [await shown(shared, 1005), await shown(shared, 1006), await shown(shared, 1010)].join(" "), "91 35 465.66 GB");
  expect("and the focus is where a new dialog has it", await shared.$eval('#dotwise-a11y [tabindex="0"]', (e) => e.dataset.control), "1");
  expect("the page people load refuses the driver, saying why",
         await shared.evaluate(() => window.dotwise.driver("focused").then(() => "answered", (e) => e.message)),
         "This page is built without the driver: open it with ?driver in its address");
  expect("and fetched only its own program",
         await shared.evaluate(() => performance.getEntriesByType("resource").filter((r) => /dotwise-driven/.test(r.name)).length), 0);
  await shared.goto(`${server.url}/index.html?x=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E&y=-5&d=1e9&gb=500`);
  await up(shared);
  await shared.waitForFunction(() => (document.querySelector('#dotwise-a11y [data-control="1010"]') || {}).value === "465.66 GB");
  expect("bad values leave their fields as they were", [await shown(shared, 1000), await shown(shared, 1001), await shown(shared, 1004)].join(" "), "1280 720 4.5");
  expect("and nothing of them is in the page", await shared.evaluate(() => document.querySelectorAll("img").length), 0);
  // The address follows what the user types (in the driven page, to give Y the focus).
  await shared.goto(`${server.url}/index.html?driver&x=1920&y=1080&d=4.5&gb=500`);
  await up(shared);
  await shared.waitForFunction(async () => (await window.dotwise.driver("text 1000")) === '"1920"');
  await ask(shared, "focus 1001");
  await shared.keyboard.type("1200");
  await shared.waitForFunction(() => new URLSearchParams(location.search).get("y") === "1200");
  expect("the address after typing 1200 into Y", await shared.evaluate(() => location.search), "?driver=&x=1920&y=1200&d=4.5&gb=500");

  // Tab moves within the dialog, and from its last control out of it, as from a dialog in a page.
  const tabbing = await browser.newPage();
  await tabbing.goto(`${server.url}/index.html?driver`);
  await up(tabbing);
  // Where the program's focus is, and whether the dialog has lost the browser's focus since last asked.
  await tabbing.evaluate(() => {
    const mirror = document.getElementById("dotwise-a11y");
    mirror.addEventListener("focusout", (event) => { if (!mirror.contains(event.relatedTarget)) window.leftPage = true; });
  });
  const where = async () => `${await ask(tabbing, "focused")} ${await tabbing.evaluate(() => { const left = window.leftPage; window.leftPage = false; return left ? "left" : "stayed"; })}`;
  const shiftTab = async () => {
    await tabbing.keyboard.down("Shift");
    await tabbing.keyboard.press("Tab");
    await tabbing.keyboard.up("Shift");
  };
  await ask(tabbing, "focus 1000");
  await tabbing.keyboard.press("Tab");
  expect("Tab from X", await where(), "1001 stayed");
  await shiftTab();
  expect("Shift+Tab back", await where(), "1000 stayed");
  await ask(tabbing, "focus 1016");
  await tabbing.keyboard.press("Tab");
  expect("Tab from the last control leaves the dialog, which keeps its focus", await where(), "1016 left");
  await tabbing.evaluate(() => document.querySelector('#dotwise-a11y [tabindex="0"]').focus());
  await ask(tabbing, "focus 1");
  await shiftTab();
  expect("Shift+Tab from the first control leaves it too", await where(), "1 left");
  await tabbing.close();

  // Typing leaves nothing behind in the page: 400 keys, and the page has as many nodes as before.
  const typing = await browser.newPage();
  await typing.goto(`${server.url}/index.html?driver`);
  await up(typing);
  const metrics = await typing.target().createCDPSession();
  await metrics.send("Performance.enable");
  const nodes = async () => {
    await metrics.send("HeapProfiler.collectGarbage");
    return (await metrics.send("Performance.getMetrics")).metrics.find((m) => m.name === "Nodes").value;
  };
  await ask(typing, "focus 1000");
  await ask(typing, "key End");
  await typing.$eval("#dotwise-a11y", (k) => {
    window.typedIn = 0;
    k.addEventListener("beforeinput", (event) => { if (event.inputType === "insertText") ++window.typedIn; });
  });
  const nodesBefore = await nodes();
  for (let i = 0; i < 200; ++i) {
    await typing.keyboard.press("Digit1");
    await typing.keyboard.press("Backspace");
  }
  await typing.keyboard.press("Digit5");
  expect("the page took 201 typed characters", await typing.evaluate(() => window.typedIn), 201);
  expect("and the field has the last", await ask(typing, "text 1000"), '"12805"');
  expect("the page's nodes after 400 keys", (await nodes()) - nodesBefore, 0);
  await typing.close();

  // A message box waits for the browser inside the data exchange, deep in the program: X emptied by
  // real keys opens one, Enter closes it, and the dialog calculates on. A wait that passed through
  // code built not to wait would stop the driven page instead.
  const deep = await browser.newPage();
  await deep.goto(`${server.url}/index.html?driver&lang=en`);
  await up(deep);
  const alertText = () => deep.waitForFunction(() => document.querySelector('#dotwise-a11y [role="alertdialog"]') || document.body.dataset.failed)
    .then(() => deep.evaluate(() => {
      const box = document.querySelector('#dotwise-a11y [role="alertdialog"]');
      return box ? document.getElementById(box.getAttribute("aria-describedby")).textContent : document.getElementById("dotwise-status").textContent;
    }));
  const selectAll = async () => {
    await deep.keyboard.down("Control");
    await deep.keyboard.press("KeyA");
    await deep.keyboard.up("Control");
  };
  await ask(deep, "focus 1000");
  await selectAll();
  await deep.keyboard.press("Backspace");
  expect("X emptied: the data exchange's message box", await alertText(), "Please enter a positive whole number.");
  await deep.keyboard.press("Enter");
  await deep.waitForFunction(() => !document.querySelector('#dotwise-a11y [role="alertdialog"]'));
  await selectAll();
  await deep.keyboard.type("2560");
  await deep.waitForFunction(async () => (await window.dotwise.driver("text 1005")) === '"590"');
  expect("closed, the dialog calculates on (2560 x 720 at 4.5 inches)", await ask(deep, "text 1005"), '"590"');
  // A fault in the program stops it: the page says so in place of a dialog that no longer answers,
  // and the driver's callers hear of it rather than wait.
  expect("a fault stops the program, and the driver says so",
         await deep.evaluate(() => window.dotwise.driver("trap").then(() => "answered", (e) => e.message)),
         "Dotwise stopped on an error (unreachable): reload the page");
  expect("the page says so", await deep.$eval("#dotwise-status", (s) => `${s.hidden ? "hidden" : s.getAttribute("role")}: ${s.textContent}`),
         "alert: Dotwise stopped on an error. Reload the page to start it again.");
  expect("with no dialog left in it", await deep.evaluate(() => `${document.getElementById("dotwise").hidden} ${document.querySelectorAll("#dotwise-a11y *").length}`), "true 0");
  expect("and a later line is refused at once", await deep.evaluate(() => window.dotwise.driver("focused").then(() => "answered", (e) => e.message)),
         "Dotwise stopped on an error (unreachable): reload the page");
  await deep.close();

  // Seen once, the page opens and calculates with the network off.
  const offline = await browser.newPage();
  await offline.goto(`${server.url}/index.html`);
  await up(offline);
  await offline.evaluate(() => navigator.serviceWorker.ready);
  await offline.reload();
  await offline.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await offline.setOfflineMode(true);
  await offline.goto(`${server.url}/index.html?x=2560&y=1440`);
  await up(offline);
  await offline.waitForFunction(() => (document.querySelector('#dotwise-a11y [data-control="1005"]') || {}).value === "652");
  expect("offline, 2560 x 1440 at 4.5 inches", await shown(offline, 1005), "652");
  await offline.setOfflineMode(false);
  const manifest = await offline.evaluate(() => fetch("manifest.webmanifest").then((r) => r.json()));
  expect("the manifest's display and icons", `${manifest.display} ${manifest.icons.map((i) => i.sizes).join(",")}`, "standalone 192x192,512x512,16x16 32x32");

  // The page's icon is served.
  expect("the page's icon", await shared.evaluate(() => fetch("favicon.ico").then((r) => `${r.status} ${r.headers.get("content-type")}`)), "200 image/x-icon");
} finally {
  await browser.close();
  server.close();
}

// On a system without the dialog's face, as most are, the page fetches its own: in Chinese both
// parts, in English only the Latin one, even with the About box and a message box shown.
const fonts = withoutDialogFace();
const fontServer = await serve(site);
const faceless = await launchBrowser({ env: fonts.env });
try {
  for (const [language, want] of [["zh", "dotwise-song-cjk.woff2 dotwise-song-latin.woff2"], ["en", "dotwise-song-latin.woff2"]]) {
    const page = await faceless.newPage();
    await page.goto(`${fontServer.url}/index.html?driver&lang=${language}`);
    await up(page);
    for (const line of ["key Alt+Space", "key A"]) await ask(page, line);
    await page.waitForFunction(() => document.querySelectorAll('#dotwise-a11y [role="dialog"]').length === 2);
    await ask(page, "key Escape");
    await page.keyboard.press("F1");
    await page.waitForFunction(() => document.querySelector('#dotwise-a11y [role="alertdialog"]') !== null);
    const fetched = await page.evaluate(() => performance.getEntriesByType("resource").map((r) => r.name.split("/").pop()).filter((n) => n.endsWith(".woff2")).sort().join(" "));
    expect(`the font the page in ${language === "zh" ? "Chinese" : "English"} fetched`, fetched, want);
    await page.close();
  }
} finally {
  await faceless.close();
  fontServer.close();
  rmSync(fonts.folder, { recursive: true, force: true });
}

// A page that cannot load its program says so, in the page.
const broken = mkdtempSync(join(tmpdir(), "dotwise-site-"));
cpSync(site, broken, { recursive: true });
for (const file of readdirSync(broken)) if (file.endsWith(".wasm")) rmSync(join(broken, file));
const brokenServer = await serve(broken);
const second = await launchBrowser({ args: ["--lang=en-US", "--accept-lang=en-US"] });
try {
  const page = await second.newPage();
  const message = () => page.$eval("#dotwise-status", (s) => `${s.hidden ? "hidden" : s.getAttribute("role")}: ${s.textContent}`);
  await page.goto(`${brokenServer.url}/index.html`);
  await page.waitForFunction(() => document.body.dataset.failed);
  expect("with its .wasm missing", await message(), "alert: Dotwise's program could not be loaded. Check the connection, then reload the page.");
  await page.goto(`file://${resolve(site, "index.html")}`);
  await page.waitForFunction(() => document.body.dataset.failed);
  expect("opened from a file", await message(),
         "alert: Dotwise cannot run from a file: the browser will not let the page load its program. In this folder, run python3 -m http.server 8000 and open http://localhost:8000/.");
  await page.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await page.goto(`${brokenServer.url}/index.html`);
  await page.waitForFunction(() => document.body.dataset.failed);
  expect("in a browser without WebAssembly", await message(), "alert: This browser cannot run WebAssembly, which Dotwise needs.");
  const noScript = await second.newPage();
  await noScript.setJavaScriptEnabled(false);
  await noScript.goto(`${brokenServer.url}/index.html`);
  expect("without JavaScript", await noScript.$eval("noscript", (n) => n.textContent.includes("Dotwise needs JavaScript to run.")), true);
} finally {
  await second.close();
  brokenServer.close();
  rmSync(broken, { recursive: true, force: true });
}
finish();

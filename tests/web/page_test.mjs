// The page as a person uses it, in Debian's Chromium: the fields clicked and
// typed into with the browser's own key events, the result read back, the
// number format taken from the browser, and a screenshot of the dialog for
// comparing with the Linux window's.
//   node page_test.mjs SITE-FOLDER SCREENSHOT.png
import { checks, launchBrowser, serve } from "./browser.mjs";

const [site, shot] = process.argv.slice(2);
if (!site || !shot) {
  console.error("usage: node page_test.mjs SITE-FOLDER SCREENSHOT.png");
  process.exit(2);
}
const { expect, finish } = checks();

const server = await serve(site);
const browser = await launchBrowser();
await browser.defaultBrowserContext().overridePermissions(server.url, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
try {
  const page = await browser.newPage();
  // The program's own language, as the Linux window it is compared with speaks.
  await page.goto(`${server.url}/index.html?driver&lang=zh`);
  await page.waitForFunction(() => window.dotwise !== undefined);
  const driver = (line) => page.evaluate((l) => window.dotwise.driver(l), line);
  // The page point of a control, from the canvas's device pixels.
  const click = async (id, count = 1) => {
    const answer = await driver(`point ${id}`);
    const [x, y] = answer.split(" ").map(Number);
    if (Number.isNaN(y)) throw new Error(`point ${id} answered ${JSON.stringify(answer)}`);
    const box = await page.$eval("#dotwise", (c) => {
      const r = c.getBoundingClientRect();
      return { left: r.left, top: r.top, ratio: window.devicePixelRatio };
    });
    await page.mouse.click(box.left + x / box.ratio, box.top + y / box.ratio, { clickCount: count });
  };

  // A key pressed with a modifier held.
  const chord = async (modifier, key) => {
    await page.keyboard.down(modifier);
    await page.keyboard.press(key);
    await page.keyboard.up(modifier);
  };

  expect("the dialog is up", await driver("dialogs"), "102");
  // Screen readers in the browser: the dialog's controls as ARIA, and the focus the program's.
  // A mirror element's role (native elements have theirs from HTML), name, whether read-only, and text.
  const aria = (selector) => page.$eval(selector, (n) => [n.getAttribute("role") || { INPUT: "textbox", BUTTON: "button" }[n.tagName],
    n.getAttribute("aria-label") || n.textContent, n.readOnly ? "true" : "", n.tagName === "INPUT" ? n.value : ""].join("|")).catch(() => "missing");
  expect("the diagonal as a text box named by its label", await aria('#dotwise-a11y [aria-label="矩阵的对角线长度(Inch):"]'), "textbox|矩阵的对角线长度(Inch):||4.5");
  expect("the PPI as a read-only text box", await aria('#dotwise-a11y [aria-label="当前屏幕的 PPI [图像的 DPI ](点/平方英寸):"]'), "textbox|当前屏幕的 PPI [图像的 DPI ](点/平方英寸):|true|0");
  expect("OK as a button", await aria('#dotwise-a11y button[data-role=button]'), "button|确定||");
  expect("a badge as an image named apart from the two others", await aria("#dotwise-a11y [role=img]"), "img|织唛相关图像处理程序图标||");
  expect("described by the tooltip they share", await page.$eval("#dotwise-a11y [role=img]", (n) => n.getAttribute("aria-description")), "Marvo个人程序...(联系方式从略)");
  // Calls made together take turns: each gets the answer to its own line.
  expect("two driver calls made at once",
         JSON.stringify(await page.evaluate(() => Promise.all([window.dotwise.driver("text 1000"), window.dotwise.driver("text 1001")]))),
         JSON.stringify(['"1280"', '"720"']));
  // A lone surrogate becomes U+FFFD on its way in, and takes nothing after it along:
  // in a driver line, and in pasted text (put into the browser's own paste event).
  expect("a lone surrogate in a driver line", await page.evaluate(() => window.dotwise.driver("setclipboard \ud800" + "1234").then(() => window.dotwise.driver("clipboard"))),
         '"\ufffd1234"');
  await driver("focus 1005");
  await page.evaluate(() => window.addEventListener("paste", (event) => {
    event.stopImmediatePropagation();
    event.preventDefault();
    const data = new DataTransfer();
    data.setData("text/plain", "\udc00" + "99");
    event.target.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true, cancelable: true }));
  }, { capture: true, once: true }));
  await chord("Control", "KeyV");
  expect("a lone surrogate in pasted text", await driver("clipboard"), '"\ufffd99"');
  // The program's focus is the browser's: a focused field is the focused element, with its
  // text, caret and selection, where screen readers read them, and so is a focused button.
  // The role and name as the browser's accessibility tree gives them to screen readers.
  const focusedField = async () => {
    const focused = await page.evaluateHandle(() => document.activeElement);
    const node = await page.accessibility.snapshot({ root: focused, interestingOnly: false });
    return [node.role, node.name, ...(await focused.evaluate((k) => [k.value, k.selectionStart, k.selectionEnd]))].join("|");
  };
  const focusedName = async () => {
    const node = await page.accessibility.snapshot({ root: await page.evaluateHandle(() => document.activeElement), interestingOnly: false });
    return `${node.role}|${node.name}`;
  };
  await driver("focus 1004");
  expect("the focused diagonal, all of it selected", await focusedField(), "textbox|矩阵的对角线长度(Inch):|4.5|0|3");
  await page.keyboard.press("End");
  await chord("Shift", "ArrowLeft");
  expect("its selection after End and Shift+Left", await focusedField(), "textbox|矩阵的对角线长度(Inch):|4.5|2|3");
  await driver("focus 1");
  expect("the focus on OK is the focused element", await focusedName(), "button|确定");
  // Clicking a field selects its text, as on the desktop; typing replaces it.
  await click(1000);
  await page.keyboard.type("1920");
  expect("the text typed is the field's, caret after it", await focusedField(), "textbox|矩阵的 X 方向像素(Pixel):|1920|4|4");
  await click(1001);
  await page.keyboard.type("1080");
  expect("PPI for 1920 x 1080 at 4.5 inches, typed with the browser's keys", await driver("text 1005"), '"489"');
  expect("PPC", await driver("text 1006"), '"192"');
  // Editing keys and a selection with Shift.
  await click(1004);
  await page.keyboard.press("End");
  await chord("Shift", "Home");
  await page.keyboard.type("5");
  expect("the diagonal after End, Shift+Home and 5", await driver("text 1004"), '"5.0"');
  expect("PPI at 5 inches", await driver("text 1005"), '"440"');
  // The number format is the browser's (English here): a comma groups thousands.
  await driver("focus 1004");
  await page.keyboard.type("1234");
  expect("the diagonal shows the browser's grouping", await driver("shown 1004"), '"1,234.0"');
  // The system clipboard both ways: Ctrl+V pastes what the browser's paste event brings, Ctrl+C copies.
  await page.evaluate(() => navigator.clipboard.writeText("1200"));
  await driver("focus 1001");
  await chord("Control", "KeyV");
  expect("Y pasted from the system clipboard", await driver("text 1001"), '"1200"');
  await driver("focus 1005");
  await chord("Control", "KeyC");
  const ppi = (await driver("text 1005")).replace(/"/g, "");
  expect("PPI copied to the system clipboard", await page.evaluate(() => navigator.clipboard.readText()), ppi);
  // The field menu's Paste reads the system clipboard where the browser allows it.
  await page.evaluate(() => navigator.clipboard.writeText("1366"));
  await driver("rclick 1000");
  await driver('menu "粘贴(P)"');
  expect("X pasted from the system clipboard by the field's menu", await driver("text 1000"), '"1366"');
  // Text an input method commits comes as text input, not as keys.
  await driver("focus 1001");
  await page.keyboard.sendCharacter("7");
  expect("a committed text reaches the field", await driver("text 1001"), '"7"');
  // A composition shows in the focused element after the field's text, and reaches the
  // field once committed.
  const ime = await page.target().createCDPSession();
  await driver("settext 1001 1080");
  await driver("focus 1001");
  await page.keyboard.press("End");
  await ime.send("Input.imeSetComposition", { text: "89", selectionStart: 2, selectionEnd: 2 });
  expect("while composing, the field is as it was", await driver("text 1001"), '"1080"');
  expect("and the composition shows after its text", await page.evaluate(() => document.activeElement.value), "108089");
  await ime.send("Input.insertText", { text: "89" });
  expect("the committed composition reaches the field", await driver("text 1001"), '"108089"');
  await driver("settext 1001 1080");
  // The hand over a badge, its tooltip, and its message box on a click.
  const [bx, by] = (await driver("point 1017")).split(" ").map(Number);
  const box = await page.$eval("#dotwise", (c) => c.getBoundingClientRect().toJSON());
  await page.mouse.move(box.left + bx, box.top + by);
  expect("the pointer over a badge", await page.$eval("#dotwise", (c) => c.style.cursor), "pointer");
  // The wheel over the dialog reaches the program, which has no use for it.
  await page.mouse.wheel({ deltaY: 100 });
  expect("the wheel turned over the dialog leaves it as it was", await driver("dialogs"), "102");
  // A click on a badge brings its message box, which takes the Enter key: without
  // the box, Enter would be the dialog's OK and end the program.
  await page.mouse.click(box.left + bx, box.top + by);
  await page.keyboard.press("Enter");
  expect("a badge's message box took Enter, and the dialog stays", await driver("dialogs"), "102");
  // Alt+Space opens the system menu; A the About box; Enter closes it.
  await click(1000);
  await chord("Alt", "Space");
  await page.keyboard.press("KeyA");
  expect("Alt+Space, A opens the About box", await driver("dialogs"), "102 100");
  await page.keyboard.press("Enter");
  expect("Enter closes it", await driver("dialogs"), "102");
  // The state the Linux window's picture is taken in: the fields as at start, the focus on OK.
  for (const line of ["settext 1000 1280", "settext 1001 720", "settext 1004 4.5", "focus 1"]) await driver(line);
  const canvas = await page.$("#dotwise");
  await canvas.screenshot({ path: shot });

  // As a screen reader meets the page, through Chromium's accessibility tree: each Tab moves
  // the focused node, each element lies over the control it stands for, a message box is
  // described by its message, and the results are a live region told once typing pauses.
  const reader = await browser.newPage();
  await reader.goto(`${server.url}/index.html?driver&lang=zh`);
  await reader.waitForFunction(() => window.dotwise !== undefined);
  const tellReader = (line) => reader.evaluate((l) => window.dotwise.driver(l), line);
  const ax = await reader.target().createCDPSession();
  await ax.send("Accessibility.enable");
  const axNodes = async () => (await ax.send("Accessibility.getFullAXTree")).nodes;
  const axProperty = (node, name) => ((node.properties || []).find((p) => p.name === name) || { value: {} }).value.value;
  const axFocused = async () => {
    // The document is focused too; the element is the last focused node, the deepest.
    const node = (await axNodes()).filter((n) => axProperty(n, "focused") === true && n.role.value !== "RootWebArea").pop();
    lastFocused = node ? node.backendDOMNodeId : 0;
    return node ? `${node.role.value}|${node.name.value}` : "none";
  };
  let lastFocused = 0;  // the element of the last focused node, which a focus change replaces
  const focusMoved = (from) => reader.waitForFunction((f) => document.activeElement.id !== f, {}, from);
  await tellReader("focus 1000");
  await reader.waitForFunction(() => document.activeElement.getAttribute("aria-label") === "矩阵的 X 方向像素(Pixel):");
  expect("the focused node where the program's focus is", await axFocused(), "textbox|矩阵的 X 方向像素(Pixel):");
  for (const name of ["矩阵的 Y 方向像素(Pixel):", "矩阵的对角线长度(Inch):"]) {
    const from = await reader.evaluate(() => document.activeElement.id);
    const node = lastFocused;
    await reader.keyboard.press("Tab");
    await focusMoved(from);
    expect("Tab moves the focused node", await axFocused(), `textbox|${name}`);
    expect("to another element, a focus change a reader announces", lastFocused !== node, true);
  }
  const [px, py] = (await tellReader("point 1004")).split(" ").map(Number);
  expect("the focused element lies over its field on the canvas", await reader.evaluate((x, y) => {
    const c = document.getElementById("dotwise").getBoundingClientRect();
    const r = document.activeElement.getBoundingClientRect();
    const at = { x: c.left + x / devicePixelRatio, y: c.top + y / devicePixelRatio };
    return at.x >= r.left && at.x <= r.right && at.y >= r.top && at.y <= r.bottom;
  }, px, py), true);
  await reader.keyboard.press("F1");
  await reader.waitForFunction(() => document.querySelector('#dotwise-a11y [role="alertdialog"]') !== null);
  const alert = (await axNodes()).find((n) => n.role.value === "alertdialog");
  expect("a message box is described by its message", alert && alert.description ? alert.description.value : "none", "本程序没有帮助文件。");
  expect("and its button has the focus", await axFocused(), "button|确定");
  await reader.keyboard.press("Enter");
  await reader.waitForFunction(() => document.activeElement.getAttribute("aria-label") === "矩阵的对角线长度(Inch):");
  expect("closed, the focus is back on the field", await axFocused(), "textbox|矩阵的对角线长度(Inch):");
  // A field's menu is focus: the menu as it opens, then the item the arrows highlight.
  await reader.keyboard.down("Shift");
  await reader.keyboard.press("F10");
  await reader.keyboard.up("Shift");
  await reader.waitForFunction(() => document.activeElement.getAttribute("role") === "menu");
  expect("a field's menu as it opens", await axFocused(), "menu|上下文");
  await reader.keyboard.press("ArrowDown");
  await reader.waitForFunction(() => document.activeElement.getAttribute("role") === "menuitem");
  expect("and its item the arrow highlights", (await axFocused()).split("|")[0], "menuitem");
  await reader.keyboard.press("Escape");
  await reader.waitForFunction(() => document.activeElement.getAttribute("aria-label") === "矩阵的对角线长度(Inch):");
  // Four keys change the PPI four times; the live region says the last once.
  await reader.evaluate(() => {
    window.resultsTold = [];
    const region = document.getElementById("dotwise-results");
    new MutationObserver(() => window.resultsTold.push(region.textContent)).observe(region, { childList: true, characterData: true, subtree: true });
  });
  await tellReader("focus 1000");
  await reader.keyboard.type("1920");
  await reader.waitForFunction(() => window.resultsTold.length > 0);
  expect("the results told once typing paused", await reader.evaluate(() => window.resultsTold.join(" / ")),
         "当前屏幕的 PPI [图像的 DPI ](点/平方英寸): 455, 当前屏幕的 PPC [图像的 DPC ](点/平方厘米): 179");
  // The region's text is its child's, a text node.
  const nodes = await axNodes();
  const textOf = (node) => [node.name ? node.name.value : "", ...(node.childIds || []).map((id) => textOf(nodes.find((n) => n.nodeId === id)))].join("");
  const live = nodes.filter((n) => axProperty(n, "live") === "polite").map(textOf);
  expect("in a polite live region", live.some((text) => text.includes(": 455")), true);
  await reader.close();

  // Where the browser keeps the clipboard from the page, the menu's Paste says how to paste, and pastes nothing.
  const refusing = await (await browser.createIncognitoBrowserContext()).newPage();
  await refusing.goto(`${server.url}/index.html?driver&lang=en`);
  await refusing.waitForFunction(() => window.dotwise !== undefined);
  const tellRefusing = (line) => refusing.evaluate((l) => window.dotwise.driver(l), line);
  await tellRefusing("rclick 1000");
  await tellRefusing('menu "Paste"');
  expect("a refused Paste leaves the field", await tellRefusing("text 1000"), '"1280"');
  expect("and the page says how to paste", await refusing.evaluate(() => document.getElementById("dotwise-hint").textContent),
         "The browser does not let the page read the clipboard: press Ctrl+V to paste.");
  await refusing.close();

  // Closing the dialog does not kill the page: it says so and opens the dialog again
  // on Enter, with a fresh program that calculates as before.
  const again = await browser.newPage();
  await again.goto(`${server.url}/index.html?driver&lang=en`);
  await again.waitForFunction(() => window.dotwise !== undefined);
  const tell = (line) => again.evaluate((l) => window.dotwise.driver(l), line);
  await tell("quit");
  expect("after the close box, the page says", await again.evaluate(() => [document.getElementById("dotwise-closed-text").textContent,
    document.activeElement.textContent, document.getElementById("dotwise").hidden].join("|")), "Dotwise has closed.|Open Dotwise again|true");
  await again.keyboard.press("Enter");
  await again.waitForFunction(() => !window.dotwise.ended);
  for (const line of ["focus 1000", "type 1920", "focus 1001", "type 1080"]) await tell(line);
  expect("reopened, 1920 x 1080 at 4.5 inches", await tell("text 1005"), '"489"');
  // The new run's dialog is mirrored too, once its first frame is on screen.
  const mirrored = await again.waitForFunction(() => document.activeElement.dataset.control === "1001", { timeout: 10000 }).then(() => true, () => false);
  expect("with its accessible elements, the focus on Y", mirrored && await again.evaluate(() => document.activeElement.getAttribute("aria-label")), "Resolution down, Y (pixels):");
  // Fifty more rounds of closing and opening: the program's memory and the page's nodes stay as they were.
  const cdp = await again.target().createCDPSession();
  const measure = async () => {
    await cdp.send("HeapProfiler.collectGarbage");
    return again.evaluate(() => ({ wasm: HEAP8.length, nodes: document.getElementsByTagName("*").length }));
  };
  const round = async () => {
    await again.evaluate(() => window.dotwise.driver("quit"));
    await again.evaluate(() => document.getElementById("dotwise-reopen").click());
    await again.waitForFunction(() => !window.dotwise.ended);
    await tell("focus 1000");
    // Counted once the new run's mirror is made, which follows its first frame.
    await again.waitForFunction(() => document.activeElement.dataset.control === "1000");
  };
  await round();
  const before = await measure();
  const heapBefore = (await cdp.send("Runtime.getHeapUsage")).usedSize;
  for (let i = 0; i < 50; ++i) await round();
  const after = await measure();
  const heapAfter = (await cdp.send("Runtime.getHeapUsage")).usedSize;
  console.log(`note: 50 rounds of closing and opening: WebAssembly memory ${before.wasm} -> ${after.wasm} bytes, ` +
              `JavaScript heap ${heapBefore} -> ${heapAfter} bytes, DOM elements ${before.nodes} -> ${after.nodes}`);
  expect("WebAssembly memory after 50 more rounds", after.wasm, before.wasm);
  expect("DOM elements after 50 more rounds", after.nodes, before.nodes);
  expect("the JavaScript heap grows by less than 1 MiB over 50 rounds", heapAfter - heapBefore < 1 << 20, true);
  await again.close();

  // The browser's own high contrast (forced colours) chooses the high-contrast scheme.
  const dark = await browser.newPage();
  const session = await dark.target().createCDPSession();
  await session.send("Emulation.setEmulatedMedia", { features: [{ name: "forced-colors", value: "active" }] });
  await dark.goto(`${server.url}/index.html?driver`);
  await dark.waitForFunction(() => window.dotwise !== undefined);
  expect("a disabled label under forced colours", await dark.evaluate(() => window.dotwise.driver("color 1002")), "#00FF00");
  // A contrast in the address that is neither high nor normal leaves the browser's wish in force.
  for (const value of ["bogus", ""]) {
    await dark.goto(`${server.url}/index.html?driver&DOTWISE_CONTRAST=${value}`);
    await dark.waitForFunction(() => window.dotwise !== undefined);
    expect(`forced colours with DOTWISE_CONTRAST=${JSON.stringify(value)} in the address`, await dark.evaluate(() => window.dotwise.driver("color 1002")), "#00FF00");
  }
  // Once the program has ended, a driver call fails instead of answering nothing.
  await dark.evaluate(() => window.dotwise.end());
  expect("a driver call after the end", await dark.evaluate(() => window.dotwise.driver("dialogs").then(() => "answered", (e) => e.message)),
         "Dotwise has ended: it takes no more driver commands");

  // A German browser: ',' is the decimal separator, typed as such and by the keypad's decimal key.
  const german = await browser.newPage();
  const de = await german.target().createCDPSession();
  await de.send("Emulation.setLocaleOverride", { locale: "de-DE" });
  await german.goto(`${server.url}/index.html?driver`);
  await german.waitForFunction(() => window.dotwise !== undefined);
  const ask = (line) => german.evaluate((l) => window.dotwise.driver(l), line);
  expect("the diagonal in a German browser", await ask("shown 1004"), '"4,5"');
  await ask("focus 1004");
  await german.keyboard.type("23,8");
  expect("23,8 typed in a German browser", await ask("shown 1004"), '"23,8"');
  expect("PPI for 1280 x 720 at 23,8 inches", await ask("text 1005"), '"61"');
  await ask("focus 1004");
  // The keypad with Num Lock on, as a German layout has it (puppeteer's keypad is the US one with Num Lock off).
  const keypad = async (code, text, keyCode) => {
    await de.send("Input.dispatchKeyEvent", { type: "keyDown", code, key: text, text, windowsVirtualKeyCode: keyCode, location: 3 });
    await de.send("Input.dispatchKeyEvent", { type: "keyUp", code, key: text, windowsVirtualKeyCode: keyCode, location: 3 });
  };
  await keypad("Numpad1", "1", 97);
  await keypad("Numpad2", "2", 98);
  await keypad("NumpadDecimal", ",", 110);
  await keypad("Numpad5", "5", 101);
  expect("12,5 with the keypad's decimal key of a German layout", await ask("shown 1004"), '"12,5"');
} finally {
  await browser.close();
}

// An English browser gets the English interface, the page's language, title
// and description with it; ?lang=zh in the address gives Chinese all the same.
for (const [language, query, want] of [
  ["en-US", "", { lang: "en", title: "Dotwise - Pixel Density and Capacity", caption: "Dotwise - Pixel Density and Capacity (Dotwise team, 2026)" }],
  ["en-US", "?lang=zh", { lang: "zh-CN", title: "Dotwise - 像素密度与容量计算", caption: "Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)" }],
  ["zh-CN", "", { lang: "zh-CN", title: "Dotwise - 像素密度与容量计算", caption: "Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)" }],
  ["fr-FR", "", { lang: "en", title: "Dotwise - Pixel Density and Capacity", caption: "Dotwise - Pixel Density and Capacity (Dotwise team, 2026)" }],
]) {
  // Headless Chromium takes the languages it tells pages from --accept-lang, where a desktop one takes --lang.
  const other = await launchBrowser({ args: [`--lang=${language}`, `--accept-lang=${language}`] });
  try {
    const page = await other.newPage();
    await page.goto(`${server.url}/index.html${query ? `${query}&driver` : "?driver"}`);
    await page.waitForFunction(() => window.dotwise !== undefined);
    const seen = await page.evaluate(async () => ({
      lang: document.documentElement.lang,
      title: document.title,
      described: document.querySelector('meta[name="description"]').content !== "",
      caption: (await window.dotwise.driver("labels")).split("\n")[0],
      ok: (await window.dotwise.driver("labels")).split("\n")[1],
    }));
    const where = `with --lang=${language}${query ? ` and ${query}` : ""}`;
    expect(`the page's language ${where}`, seen.lang, want.lang);
    expect(`its title ${where}`, seen.title, want.title);
    expect(`its description ${where}`, seen.described, true);
    expect(`the dialog's caption ${where}`, seen.caption, `caption ${JSON.stringify(want.caption)}`);
    expect(`its OK button ${where}`, seen.ok, want.lang === "en" ? '1 "OK"' : '1 "确定"');
  } finally {
    await other.close();
  }
}
server.close();
finish();

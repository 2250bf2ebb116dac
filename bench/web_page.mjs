// The page against its floors, in headless Chromium on this machine, runs
// interleaved, medians and ratios from the same run:
// - start: navigation to the first painted dialog, against three floors: the
//   canvas drawn by an empty WebAssembly program fetched and started as
//   Dotwise is (built beside the site, in bench/; the goal is measured against
//   it), the same program with what the dialog cannot start without (the
//   number format, and its face fetched with one line drawn in it), a plain
//   page of one canvas of the dialog's size drawn at once, and that page
//   asking Intl.NumberFormat what the page must ask;
// - transfer: what a first visit fetches (the page, its script, its
//   WebAssembly, its icon and, where the build made one, its font), raw,
//   gzip- and brotli-compressed, in Chinese and in English;
// The page is opened in Chinese, in a browser that has the system's fonts but
// not the dialog's face, so that it fetches its font as most first visits do.
// - on a slow phone network (1.6 Mbps down, 150 ms of latency, nothing
//   cached, brotli as the page's server sends it): when the page first shows
//   something (its loading line) and when the dialog is painted, against the
//   empty WebAssembly program's canvas, served the same way;
// - per key: from a key's keydown to the frame that shows it, against a plain
//   <input> on the same page (keydown to the frame after its input event), and
//   the share of the canvas a digit repaints.
//   node bench/web_page.mjs [SITE-FOLDER] [RUNS]   (build/web/site, 15)
// Needs the browser tests' puppeteer-core (tests/web: npm ci).
import { copyFile, mkdtemp, readdir, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";
import { launchBrowser, serve, withoutDialogFace } from "../tests/web/browser.mjs";

const site = process.argv[2] || "build/web/site";
const runs = Number(process.argv[3] || 15);
const median = (values) => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

// The floors: the same size of canvas, drawn by an inline script with nothing to fetch,
// then with the number format asked as well, then by an empty WebAssembly program.
const folder = await mkdtemp(join(tmpdir(), "dotwise-bench-"));
// The page's files as a first visit finds them: no service worker yet, so none is copied.
const siteFiles = (await readdir(site)).filter((file) => file !== "sw.js" && !/\.(gz|br)$/.test(file));
for (const file of siteFiles) await copyFile(join(site, file), join(folder, file));
const programFloor = join(site, "..", "bench");
for (const file of ["web_floor_program.js", "web_floor_program.wasm"]) await copyFile(join(programFloor, file), join(folder, file));
const floorPage = (script) => `<!doctype html><html><head><meta charset="utf-8"><title>floor</title></head>
<body style="margin:0;background:#3a6ea5"><canvas id="c" width="459" height="422"></canvas>${script}</body></html>`;
const paint = `const ctx = document.getElementById("c").getContext("2d", { alpha: false });
ctx.fillStyle = "#d4d0c8"; ctx.fillRect(0, 0, 459, 422);
requestAnimationFrame(() => performance.mark("dotwise-first-frame"));`;
await writeFile(join(folder, "floor.html"), floorPage(`<script>${paint}</script>`));
await writeFile(join(folder, "floor-intl.html"), floorPage(`<script>
window.parts = new Intl.NumberFormat(undefined, { maximumFractionDigits: 3 }).formatToParts(-123456789.5);
${paint}</script>`));
await writeFile(join(folder, "floor-program.html"), floorPage(`<script src="web_floor_program.js"></script>`));
// What no page of this dialog can start without, on the empty program: the number
// format asked, and the dialog's face fetched, as the page fetches it, and one of its
// lines drawn. Where the build made no font, the face falls back to the system's.
await writeFile(join(folder, "floor-needs.html"), floorPage(`<style>
@font-face { font-family: "Dotwise Song"; src: url("dotwise-song-latin.woff2") format("woff2"); unicode-range: U+0000-2E7F; }
@font-face { font-family: "Dotwise Song"; src: url("dotwise-song-cjk.woff2") format("woff2"); unicode-range: U+2E80-FFFF; }
</style><script>
window.parts = new Intl.NumberFormat(undefined, { maximumFractionDigits: 3 }).formatToParts(-123456789.5);
var Module = {
  preRun: [() => { addRunDependency("font"); document.fonts.load('12px "Dotwise Song"', "A\u56fd").finally(() => removeRunDependency("font")); }],
  postRun: [() => {
    const ctx = document.getElementById("c").getContext("2d");
    ctx.font = '12px "Dotwise Song", serif';
    ctx.fillStyle = "#000";
    ctx.fillText("\u5f53\u524d\u5c4f\u5e55\u7684 PPI [\u56fe\u50cf\u7684 DPI ](\u70b9/\u5e73\u65b9\u82f1\u5bf8): 489", 8, 20);
  }],
};
</script><script src="web_floor_program.js"></script>`));

// The browser sees the system's fonts but not the dialog's face, as on most systems.
const fonts = withoutDialogFace();

const server = await serve(folder);
const browser = await launchBrowser({ env: fonts.env });
const firstFrame = async (path) => {
  const page = await browser.newPage();
  await page.goto(`${server.url}/${path}`);
  await page.waitForFunction(() => performance.getEntriesByName("dotwise-first-frame").length > 0);
  const at = await page.evaluate(() => performance.getEntriesByName("dotwise-first-frame")[0].startTime);
  await page.close();
  return at;
};
// The page in Chinese, its own language, which needs all of its font.
const pages = { floor: "floor.html", intl: "floor-intl.html", program: "floor-program.html", needs: "floor-needs.html", page: "index.html?lang=zh" };
const starts = Object.fromEntries(Object.keys(pages).map((name) => [name, []]));
for (const path of Object.values(pages)) await firstFrame(path);
for (let i = 0; i < runs; ++i) for (const [name, path] of Object.entries(pages)) starts[name].push(await firstFrame(path));

// A slow phone network: both served compressed, the floor's files too, so that neither is flattered.
for (const file of await readdir(folder)) {
  if (/\.(gz|br)$/.test(file)) continue;
  const body = await readFile(join(folder, file));
  await writeFile(join(folder, `${file}.br`), brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }));
}
const slowServer = await serve(folder, { compressed: true });
const overSlowNetwork = async (path) => {
  const slow = await browser.newPage();
  const cdp = await slow.target().createCDPSession();
  await cdp.send("Network.enable");
  await cdp.send("Network.setCacheDisabled", { cacheDisabled: true });
  await cdp.send("Network.emulateNetworkConditions", { offline: false, latency: 150, downloadThroughput: 200000, uploadThroughput: 93750 });
  await slow.goto(`${slowServer.url}/${path}`);
  await slow.waitForFunction(() => performance.getEntriesByName("dotwise-first-frame").length > 0, { timeout: 60000 });
  const times = await slow.evaluate(() => [performance.getEntriesByName("first-contentful-paint")[0]?.startTime ?? NaN,
    performance.getEntriesByName("dotwise-first-frame")[0].startTime]);
  await slow.close();
  return times;
};
const slowRuns = Math.max(3, Math.round(runs / 3));
const slow = { program: [], needs: [], page: [], pageText: [] };
for (let i = 0; i < slowRuns; ++i) {
  slow.program.push((await overSlowNetwork("floor-program.html"))[1]);
  slow.needs.push((await overSlowNetwork("floor-needs.html"))[1]);
  const [text, frame] = await overSlowNetwork("index.html?lang=zh");
  slow.pageText.push(text);
  slow.page.push(frame);
}
slowServer.close();

// Keys: a digit and Backspace in turn into the diagonal, and the same into a plain input.
// The driven page, whose driver gives the diagonal the focus; it is the same program besides.
const page = await browser.newPage();
await page.goto(`${server.url}/index.html?driver`);
await page.waitForFunction(() => window.dotwise !== undefined);
await page.evaluate(() => window.dotwise.driver("focus 1004"));
await page.evaluate(() => {
  const input = document.createElement("input");
  input.id = "plain";
  document.body.appendChild(input);
  window.keyTimes = { page: [], plain: [], areas: [] };
  let pending = null;
  const canvas = document.getElementById("dotwise");
  document.getElementById("dotwise-a11y").addEventListener("keydown", (e) => { pending = e.timeStamp; }, true);
  window.dotwise.onFrame = (x, y, w, h) => {
    if (pending === null) return;
    const start = pending;
    pending = null;
    window.keyTimes.areas.push((w * h) / (canvas.width * canvas.height));
    requestAnimationFrame(() => window.keyTimes.page.push(performance.now() - start));
  };
  let plainStart = null;
  input.addEventListener("keydown", (e) => { plainStart = e.timeStamp; });
  input.addEventListener("input", () => {
    const start = plainStart;
    requestAnimationFrame(() => window.keyTimes.plain.push(performance.now() - start));
  });
});
const settle = () => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
for (let i = 0; i < runs * 2; ++i) {
  const key = i % 2 ? "Backspace" : "5";
  await page.evaluate(() => document.querySelector('#dotwise-a11y [tabindex="0"]').focus());
  await settle();
  await page.keyboard.press(key);
  await settle();
  await page.focus("#plain");
  await settle();
  await page.keyboard.press(key);
  await settle();
}
const keys = await page.evaluate(() => window.keyTimes);
await browser.close();
server.close();

// A first visit in Chinese fetches both parts of the font; one in English, only its Latin part.
const firstVisit = siteFiles.filter((file) => /^(index\.html|favicon\.ico|dotwise\.[0-9a-f]+\.(js|wasm)|.*\.woff2)$/.test(file));
const transfer = { raw: 0, gzip: 0, brotli: 0, chineseFont: 0 };
for (const file of firstVisit) {
  const body = await readFile(join(site, file));
  transfer.raw += body.length;
  transfer.gzip += gzipSync(body, { level: 9 }).length;
  const brotli = brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
  transfer.brotli += brotli;
  if (/-cjk\.woff2$/.test(file)) transfer.chineseFont = brotli;
}
await rm(folder, { recursive: true });
await rm(fonts.folder, { recursive: true });

const f = (n) => n.toFixed(1);
const start = Object.fromEntries(Object.entries(starts).map(([name, times]) => [name, median(times)]));
const against = (name) => (start.page / start[name]).toFixed(2);
// The goal is set against the empty WebAssembly program, which fetches and starts as the page must.
console.log(`start to the first painted frame: page ${f(start.page)} ms, an empty WebAssembly program ${f(start.program)} ms, ratio ${against("program")} (goal: at most 1.5)`);
console.log(`  the empty program with what the dialog cannot start without (the number format, its face fetched and a line drawn in it): ` +
            `${f(start.needs)} ms, ${(start.needs / start.program).toFixed(2)} x the empty program; the page is ${against("needs")} x it`);
console.log(`  other floors: a plain page ${f(start.floor)} ms (the page is ${against("floor")} x it, the empty program ${(start.program / start.floor).toFixed(2)} x), with the number format asked ${f(start.intl)} ms (${(start.intl / start.floor).toFixed(2)} x the plain page)`);
const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
console.log(`transfer of a first visit in Chinese (${firstVisit.join(", ")}): raw ${kib(transfer.raw)}, gzip -9 ${kib(transfer.gzip)}, brotli ${kib(transfer.brotli)} (goal: at most 150 KiB compressed); ` +
            `in English, without the font's Chinese part, brotli ${kib(transfer.brotli - transfer.chineseFont)}`);
console.log(`at 1.6 Mbps and 150 ms of latency: the page shows its loading line at ${f(median(slow.pageText))} ms and the dialog at ${f(median(slow.page))} ms; ` +
            `an empty WebAssembly program's canvas at ${f(median(slow.program))} ms (ratio ${(median(slow.page) / median(slow.program)).toFixed(2)}), ` +
            `with what the dialog cannot start without at ${f(median(slow.needs))} ms (ratio ${(median(slow.page) / median(slow.needs)).toFixed(2)}; medians of ${slowRuns})`);
console.log(`per key, keydown to frame: page ${f(median(keys.page))} ms, plain <input> ${f(median(keys.plain))} ms, ratio ${(median(keys.page) / median(keys.plain)).toFixed(2)} (${keys.page.length} and ${keys.plain.length} keys)`);
console.log(`per key, share of the canvas repainted: median ${(median(keys.areas) * 100).toFixed(1)} %, largest ${(Math.max(...keys.areas) * 100).toFixed(1)} %`);
console.log(`(medians of ${runs} interleaved starts each)`);

// Runs the end-to-end driver scripts of tests/e2e against the page in a real
// browser (Debian's Chromium, headless, over the DevTools protocol), through
// window.dotwise.driver, and compares the answers with the expected ones,
// as tests/e2e/run_scripts.sh does for the other builds.
//   node run_scripts.mjs SITE-FOLDER [--skip LIST] [SCRIPT...]
// The page is served from SITE-FOLDER on a port of its own; a script's
// "#env NAME VALUE" lines become the address's parameters, LANGUAGE as lang.
import { readFileSync, readdirSync, existsSync } from "node:fs";
import { basename, dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launchBrowser, serve } from "./browser.mjs";

const here = dirname(fileURLToPath(import.meta.url));
const scripts = join(here, "..", "e2e");
const args = process.argv.slice(2);
const site = args.shift();
if (!site || !existsSync(join(site, "index.html"))) {
  console.error("usage: node run_scripts.mjs SITE-FOLDER [--skip LIST] [SCRIPT...]");
  process.exit(2);
}
let skip = new Map();
if (args[0] === "--skip") {
  args.shift();
  for (const line of readFileSync(args.shift(), "utf8").split("\n")) {
    const m = /^([a-z_0-9]+): (.*)$/.exec(line);
    if (m) skip.set(m[1], m[2]);
  }
}
const names = args.length ? args : readdirSync(scripts).filter((f) => f.endsWith(".txt")).map((f) => basename(f, ".txt")).sort();

const server = await serve(site);
const browser = await launchBrowser();
let passed = 0, failed = 0, skipped = 0;
try {
  for (const name of names) {
    if (skip.has(name)) {
      console.log(`skipped: ${name} (${skip.get(name)})`);
      ++skipped;
      continue;
    }
    const lines = readFileSync(join(scripts, `${name}.txt`), "utf8").split("\n");
    if (lines[lines.length - 1] === "") lines.pop();
    // The program's own language unless the script asks for another, as the
    // desktop's tests run; the page takes its language from the address.
    const params = new URLSearchParams({ driver: "", lang: "zh" });
    for (const line of lines) {
      const m = /^#env (\S+) (.*)$/.exec(line);
      if (!m || m[1] === "LC_MESSAGES") continue;
      if (m[1] === "LANGUAGE") params.set("lang", m[2]);
      else params.set(m[1], m[2]);
    }
    const page = await browser.newPage();
    await page.goto(`${server.url}/index.html?${params}`);
    await page.waitForFunction(() => window.dotwise !== undefined);
    const answers = [];
    // A program that has ended reads no more of its script, as on the desktop.
    for (const line of lines) {
      if (await page.evaluate(() => window.dotwise.ended)) break;
      const answer = await page.evaluate((l) => window.dotwise.driver(l), line);
      if (answer !== "") answers.push(answer);
    }
    if (!(await page.evaluate(() => window.dotwise.ended))) {
      const last = await page.evaluate(() => window.dotwise.end());
      if (last !== "") answers.push(last);
    }
    await page.close();
    const actual = answers.join("\n");
    const expected = readFileSync(join(scripts, `${name}.out`), "utf8").replace(/\n$/, "");
    if (actual === expected) {
      console.log(`ok: ${name}`);
      ++passed;
    } else {
      console.log(`FAILED: ${name}`);
      const a = actual.split("\n"), e = expected.split("\n");
      for (let i = 0; i < Math.max(a.length, e.length); ++i)
        if (a[i] !== e[i]) console.log(`    line ${i + 1}: expected ${JSON.stringify(e[i])}, got ${JSON.stringify(a[i])}`);
      ++failed;
    }
  }
} finally {
  await browser.close();
  server.close();
}
console.log(`${passed} passed, ${failed} failed, ${skipped} skipped`);
process.exit(failed ? 1 : 0);

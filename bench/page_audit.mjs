// The page as auditors see it, in Debian's Chromium: Lighthouse's scores on a
// phone and on a desktop (performance, accessibility, best practices, SEO,
// and the layout shift), and the Nu HTML checker's errors in the page as
// served and in its DOM while the dialog runs.
//   node bench/page_audit.mjs [SITE-FOLDER]   (build/web/site)
// Needs tests/web's puppeteer-core and this folder's lighthouse and vnu-jar
// (npm ci in tests/web and in bench/page_audit), and a Java runtime for vnu.
import { execFileSync } from "node:child_process";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launchBrowser, serve } from "../tests/web/browser.mjs";

const here = dirname(fileURLToPath(import.meta.url));
const site = process.argv[2] || "build/web/site";
const { default: lighthouse } = await import(join(here, "page_audit/node_modules/lighthouse/core/index.js"));
const { default: desktopConfig } = await import(join(here, "page_audit/node_modules/lighthouse/core/config/desktop-config.js"));
const vnu = join(here, "page_audit/node_modules/vnu-jar/build/dist/vnu.jar");

const server = await serve(site);
const port = 9300 + Math.floor(Math.random() * 500);
const browser = await launchBrowser({ args: [`--remote-debugging-port=${port}`] });
let failed = false;
try {
  for (const [form, config] of [["phone", undefined], ["desktop", desktopConfig]]) {
    const result = await lighthouse(`${server.url}/index.html`, { port, output: "json", logLevel: "error" }, config);
    const { categories, audits } = result.lhr;
    const score = (name) => (categories[name].score === null ? "none" : Math.round(categories[name].score * 100));
    console.log(`Lighthouse, ${form}: performance ${score("performance")}, accessibility ${score("accessibility")}, ` +
                `best practices ${score("best-practices")}, SEO ${score("seo")}; layout shift ${audits["cumulative-layout-shift"].numericValue}, ` +
                `first contentful paint ${Math.round(audits["first-contentful-paint"].numericValue)} ms`);
    for (const name of ["accessibility", "best-practices", "seo"]) {
      if (categories[name].score >= 0.95) continue;
      failed = true;
      const lost = categories[name].auditRefs.filter((ref) => ref.weight > 0 && audits[ref.id].score !== null && audits[ref.id].score < 1);
      console.log(`  ${name} below 95: ${lost.map((ref) => ref.id).join(", ")}`);
    }
  }
  // The Nu checker on the page as served, then on its DOM with the dialog up (the driven
  // page's, whose driver gives the diagonal the focus).
  const page = await browser.newPage();
  await page.goto(`${server.url}/index.html?driver`);
  await page.waitForFunction(() => window.dotwise !== undefined && document.getElementById("dotwise").width > 1);
  await page.evaluate(() => window.dotwise.driver("focus 1004"));
  const dom = "<!doctype html>\n" + (await page.evaluate(() => document.documentElement.outerHTML));
  for (const [what, input, args] of [["as served", undefined, [join(site, "index.html")]], ["its DOM, running", dom, ["-"]]]) {
    try {
      execFileSync("java", ["-jar", vnu, "--errors-only", ...args], { input, stdio: ["pipe", "pipe", "pipe"] });
      console.log(`Nu HTML checker, the page ${what}: no error`);
    } catch (error) {
      failed = true;
      console.log(`Nu HTML checker, the page ${what}:\n${String(error.stderr).trim()}`);
    }
  }
} finally {
  await browser.close();
  server.close();
}
process.exit(failed ? 1 : 0);

// A picture of the page's dialog as it opens (the focus on OK), in Chinese,
// for comparing with the Linux window's.
//   node page_shot.mjs SITE-FOLDER PICTURE.png
import { launchBrowser, serve } from "./browser.mjs";

const [site, shot] = process.argv.slice(2);
if (!site || !shot) {
  console.error("usage: node page_shot.mjs SITE-FOLDER PICTURE.png");
  process.exit(2);
}
const server = await serve(site);
const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  await page.goto(`${server.url}/index.html?driver&lang=zh`);
  await page.waitForFunction(() => window.dotwise !== undefined && document.getElementById("dotwise").width > 1);
  await page.evaluate(() => window.dotwise.driver("focus 1"));
  await (await page.$("#dotwise")).screenshot({ path: shot });
} finally {
  await browser.close();
  server.close();
}

// What the browser tests share: the site served on a port of its own, and
// Debian's Chromium, headless, driven over the DevTools protocol.
import { createServer } from "node:http";
import { mkdtempSync, writeFileSync } from "node:fs";
import { readFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import puppeteer from "puppeteer-core";

const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm", ".png": "image/png", ".ico": "image/x-icon", ".webmanifest": "application/manifest+json" };

// A static server, as any would serve the folder; with `compressed`, as the
// page's own server does, a file's .br beside it where the browser takes brotli.
export function serve(folder, { compressed = false } = {}) {
  return new Promise((resolve) => {
    const server = createServer(async (request, response) => {
      const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname)).replace(/^(\.\.[/\\])+/, "");
      const file = join(folder, path === "/" ? "index.html" : path);
      try {
        const headers = { "content-type": types[extname(file)] || "application/octet-stream" };
        let body = null;
        if (compressed && /\bbr\b/.test(request.headers["accept-encoding"] || "")) {
          body = await readFile(`${file}.br`).catch(() => null);
          if (body) headers["content-encoding"] = "br";
        }
        body = body || (await readFile(file));
        response.writeHead(200, headers);
        response.end(body);
      } catch {
        response.writeHead(404);
        response.end();
      }
    });
    server.listen(0, "127.0.0.1", () => {
      server.url = `http://127.0.0.1:${server.address().port}`;
      resolve(server);
    });
  });
}

// The tests' checks: an "ok" or "FAILED" line each; finish() says how many
// failed and ends the test with that verdict.
export function checks() {
  let failures = 0;
  const expect = (what, got, wanted) => {
    const ok = got === wanted;
    console.log(`${ok ? "ok" : "FAILED"}: ${what}: ${JSON.stringify(got)}${ok ? "" : `, wanted ${JSON.stringify(wanted)}`}`);
    if (!ok) ++failures;
  };
  const finish = () => {
    console.log(failures ? `${failures} failed` : "all passed");
    process.exit(failures ? 1 : 0);
  };
  return { expect, finish };
}

// Fontconfig's settings for a browser that sees the system's fonts but not the dialog's face
// (AR PL UMing), as on most systems: the page then fetches its own copy of the face. Returns
// the environment to launch it with, and the folder to remove afterwards.
export function withoutDialogFace() {
  const folder = mkdtempSync(join(tmpdir(), "dotwise-fonts-"));
  writeFileSync(join(folder, "fonts.conf"), `<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>/usr/share/fonts</dir><cachedir>${join(folder, "cache")}</cachedir>
<selectfont><rejectfont><glob>*/arphic/*</glob></rejectfont></selectfont></fontconfig>
`);
  return { env: { FONTCONFIG_FILE: join(folder, "fonts.conf") }, folder };
}

export function launchBrowser(options = {}) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: "new",
    args: ["--no-sandbox", "--disable-gpu", "--font-render-hinting=none", ...(options.args || [])],
    defaultViewport: options.viewport || { width: 800, height: 700, deviceScaleFactor: 1 },
    env: { ...process.env, ...(options.env || {}) },
  });
}

// Recordings watched by their link in Firefox ESR (for watch_across.py): End at
// once, and the last frame must be the PNG given, pixel for pixel.
//
// node watch_link.mjs SITE_URL RECORDING PNG [RECORDING PNG]...
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { FIREFOX, Failed, wait, sleep } from "./firefox_test.mjs";

const link = (bytes) => bytes.toString("base64url");

async function watchToEnd(page, site, bytes, png) {
  await page.goto("about:blank");
  await page.goto(`${site}#watch=${link(bytes)}`);
  await wait("watching the link", () => page.evaluate(() => {
    const s = window.CF && CF.watchState && CF.watchState();
    return s && s.watching;
  }), 30);
  await page.keyboard.press("End");
  const state = await wait("End on the last frame", () => page.evaluate(() => {
    const s = CF.watchState();
    return s && !s.playing && s.position >= s.duration ? s : null;
  }), 30);
  await sleep(300);
  const want = `data:image/png;base64,${png.toString("base64")}`;
  const same = await page.evaluate(async (urls) => {
    const pixels = await Promise.all(urls.map(async (url) => {
      const img = new Image();
      img.src = url;
      await img.decode();
      const c = document.createElement("canvas");
      c.width = img.width;
      c.height = img.height;
      c.getContext("2d").drawImage(img, 0, 0);
      return Array.from(c.getContext("2d").getImageData(0, 0, c.width, c.height).data);
    }));
    return pixels[0].length === pixels[1].length && pixels[0].every((v, i) => v === pixels[1][i]);
  }, [want, await page.evaluate(() => CF.pictureDataURL())]);
  if (!same) throw new Failed("the last frame is not cairnfall-replay's");
  return state;
}

async function main() {
  const [site, ...pairs] = process.argv.slice(2);
  if (!site || pairs.length === 0 || pairs.length % 2) {
    console.error("usage: node watch_link.mjs SITE_URL RECORDING PNG...");
    return 2;
  }
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "cairnfall-firefox-"));
  const browser = await puppeteer.launch({ browser: "firefox", executablePath: FIREFOX, headless: true,
    userDataDir: profile, defaultViewport: { width: 1024, height: 768 } });
  let failed = false;
  try {
    const page = await browser.newPage();
    for (let i = 0; i < pairs.length; i += 2) {
      const bytes = fs.readFileSync(pairs[i]);
      const t = Date.now();
      try {
        const state = await watchToEnd(page, site, bytes, fs.readFileSync(pairs[i + 1]));
        console.log(`${path.basename(pairs[i])}: End shows cairnfall-replay's last frame at ` +
          `${(state.position / 1000).toFixed(1)} s, pixel for pixel (${((Date.now() - t) / 1000).toFixed(1)} s)`);
      } catch (e) {
        failed = true;
        console.log(`${path.basename(pairs[i])}: ${e.message.split("\n")[0]}`);
      }
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  return failed ? 1 : 0;
}

process.exitCode = await main();

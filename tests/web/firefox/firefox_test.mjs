// The page in Firefox ESR, driven over WebDriver BiDi by puppeteer-core (no
// geckodriver, no browser download: Debian's firefox-esr): the intro and the
// first run, the options by keys, a game by keys and clicks, the settings
// across a reload, and the page started again with the server stopped.
// Headless Firefox keeps Web Audio suspended, so sound is not required. The
// same screens and checks as browser_test.py's.
//
// node firefox_test.mjs SITE_DIR        (npm ci in this folder first)
import http from "node:http";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const FIREFOX = "/usr/bin/firefox-esr";
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
  ".webmanifest": "application/manifest+json", ".png": "image/png", ".bin": "application/octet-stream" };

// The board at level 1 and the menu's first button, as browser_test.py has them.
const LEFT_X = 375, BOTTOM_Y = 574, CELL = 50, COLS = 5, ROWS = 7;
const NEW_GAME_BUTTON = [100, 317];
const SIGNS = {
  options: [[445, 62, 120, 26, "gold", 15, 101]],
  "high scores": [[280, 80, 440, 40, "blue", 30, 101]],
  paused: [[15, 512, 170, 30, "red", 20, 101]],
  game: [[15, 512, 170, 30, "red", 0, 5], [282, 182, 86, 136, "blue", 0, 5],
    [375, 224, 250, 350, "saturated", 35, 101]],
};

class Failed extends Error {}

function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://x").pathname);
    const file = path.join(folder, name.endsWith("/") ? name + "index.html" : name);
    if (!file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { "Content-Type": TYPES[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function wait(what, condition, seconds) {
  const end = Date.now() + seconds * 1000;
  for (;;) {
    let value = null;
    try {
      value = await condition();
    } catch (e) {
      value = null;  // the page between two loads
    }
    if (value) return value;
    if (Date.now() > end) throw new Failed(`${what}: not after ${seconds} s`);
    await sleep(100);
  }
}

// Share of pixels of a kind in each rectangle [x, y, w, h, kind] of the game's last picture.
function shares(page, rects) {
  return page.evaluate(async (rects) => {
    const kinds = {
      gold: (r, g, b) => r > 170 && g > 120 && b < 110,
      blue: (r, g, b) => b > 140 && b > r + 60,
      red: (r, g, b) => r > 150 && g < 90 && b < 90,
      saturated: (r, g, b) => Math.max(r, g, b) - Math.min(r, g, b) > 60,
    };
    const url = window.CF && CF.pictureDataURL();
    if (!url) return null;
    const img = new Image();
    img.src = url;
    await img.decode();
    const c = document.createElement("canvas");
    c.width = 800;
    c.height = 600;
    const g = c.getContext("2d");
    g.drawImage(img, 0, 0);
    const d = g.getImageData(0, 0, 800, 600).data;
    return rects.map(([x0, y0, w, h, kind]) => {
      let n = 0, k = 0;
      for (let y = y0; y < y0 + h; ++y) for (let x = x0; x < x0 + w; ++x) {
        const i = (y * 800 + x) * 4;
        ++n;
        if (kinds[kind](d[i], d[i + 1], d[i + 2])) ++k;
      }
      return (100 * k) / n;
    });
  }, rects);
}

async function isScreen(page, name) {
  const signs = SIGNS[name];
  const got = await shares(page, signs.map((s) => s.slice(0, 5)));
  return got !== null && signs.every((s, i) => s[5] <= got[i] && got[i] < s[6]);
}

const waitScreen = (page, name) => wait(`the ${name} screen`, () => isScreen(page, name), 10);

async function gap(page) {
  const cells = [];
  for (let r = 0; r < ROWS; ++r) for (let c = 0; c < COLS; ++c) cells.push([r, c]);
  const got = await shares(page, cells.map(([r, c]) =>
    [LEFT_X + CELL * c + 10, BOTTOM_Y - CELL * (r + 1) + 10, 30, 30, "saturated"]));
  let best = 0;
  got.forEach((v, i) => { if (v < got[best]) best = i; });
  return got[best] < 20 ? cells[best] : null;
}

async function click(page, x, y) {
  // Where the page shows the picture point, through the game's composition.
  const p = await page.evaluate((x, y) => CF.pagePoint(x, y), x, y);
  await page.mouse.click(p[0], p[1]);
}

async function keys(page, ...names) {
  for (const name of names) {
    await page.keyboard.press(name);
    await sleep(150);
  }
}

const saved = (page, name) => page.evaluate((name) =>
  CF.storage.get("saves", name).then((v) => v && Array.from(v)), name);

async function intro(page, url) {
  await page.goto(url);
  const ms = await wait("the game's first picture", () => page.evaluate(() => window.cairnfallFirstPicture || null), 30);
  await wait("the intro", async () => (await shares(page, [[0, 0, 800, 600, "saturated"]]))[0] > 1, 5);
  await keys(page, "Escape");
  await waitScreen(page, "options");
  return `first picture ${Math.round(ms)} ms after navigation; Esc skips to the options screen`;
}

async function game(page) {
  await keys(page, "ArrowDown", "ArrowRight", "ArrowRight", "ArrowDown", "ArrowLeft", "ArrowLeft",
    "ArrowDown", "ArrowLeft");
  await click(page, ...NEW_GAME_BUTTON);
  await waitScreen(page, "game");
  let at = await wait("the gap on the board", () => gap(page), 5);
  // A move may complete a row below the gap, whose clearing drops the gap by a
  // row: so the gap in the column wanted, at its row or lower, once it stays put.
  const expect = async (where, how) => {
    at = await wait(`the gap at ${where} after ${how} (it was at ${at})`, async () => {
      const got = await gap(page);
      if (!got || got[1] !== where[1] || got[0] > where[0]) return null;
      await sleep(600);
      return String(await gap(page)) === String(got) ? got : null;
    }, 3);
  };
  for (let i = 0; i < 4; ++i) {
    const [row, col] = at;
    if (col + 1 < COLS && (i % 2 === 0 || col === 0)) {
      await keys(page, "ArrowLeft");
      await expect([row, col + 1], "Left");
    } else {
      await keys(page, "ArrowRight");
      await expect([row, col - 1], "Right");
    }
  }
  for (let i = 0; i < 2; ++i) {
    const [row, col] = at;
    const stone = col > 0 ? [row, col - 1] : [row, col + 1];
    await click(page, LEFT_X + CELL * stone[1] + CELL / 2, BOTTOM_Y - CELL * stone[0] - CELL / 2);
    await expect(stone, `a click on the stone at ${stone}`);
  }
  await keys(page, " ");
  await waitScreen(page, "paused");
  const audio = await page.evaluate(() => CF.audioState().context);
  return `4 arrow moves and 2 clicks moved the gap; Space paused; audio ${audio} (not required)`;
}

async function reload(page) {
  await page.reload();
  await wait("the first picture after the reload", () => page.evaluate(() => window.cairnfallFirstPicture || null), 30);
  await sleep(300);
  await keys(page, "Escape");
  await waitScreen(page, "high scores");
  const want = [0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0];
  const got = await saved(page, "profile.dat");
  if (String(got) !== String(want)) throw new Failed(`profile.dat holds ${got}, not ${want}`);
  return "profile.dat holds the options chosen by keys; after a reload the intro leads to the high scores";
}

// After one visit the page starts with the network off: the service worker's
// copy in control, the server stopped, a reload shows the game's first picture.
async function offline(page, server, url) {
  await wait("the service worker in control", async () => {
    if (await page.evaluate(() => !!navigator.serviceWorker.controller)) return true;
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    await page.reload();
    return null;
  }, 20);
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  const answered = await fetch(url).then(() => true, () => false);
  if (answered) throw new Failed("the server still answers");
  await page.reload();
  const ms = await wait("the first picture offline",
    () => page.evaluate(() => window.cairnfallFirstPicture || null), 30);
  if (!(await page.evaluate(() => !!navigator.serviceWorker.controller))) {
    throw new Failed("the page started offline without its service worker");
  }
  return `with the server stopped, a reload shows the first picture after ${Math.round(ms)} ms`;
}

async function main() {
  if (process.argv.length !== 3) {
    console.error("usage: node firefox_test.mjs SITE_DIR");
    return 2;
  }
  const folder = path.resolve(process.argv[2]);
  const started = Date.now();
  const server = await serve(folder);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "cairnfall-firefox-"));
  let browser;
  try {
    browser = await puppeteer.launch({ browser: "firefox", executablePath: FIREFOX, headless: true,
      userDataDir: profile, defaultViewport: { width: 1024, height: 768 } });
  } catch (e) {
    console.log(`FAIL start: ${FIREFOX} over WebDriver BiDi: ${e.message}`);
    server.close();
    return 1;
  }
  const errors = [];
  let failed = false;
  try {
    const page = await browser.newPage();
    page.on("pageerror", (e) => errors.push(e.message));
    for (const [name, check] of [["intro", () => intro(page, url)], ["game", () => game(page)],
      ["reload", () => reload(page)], ["offline", () => offline(page, server, url)]]) {
      const t = Date.now();
      try {
        console.log(`ok   ${name}: ${await check()} (${((Date.now() - t) / 1000).toFixed(1)} s)`);
      } catch (e) {
        failed = true;
        console.log(`FAIL ${name}: ${e.message.split("\n")[0]}`);
        break;
      }
    }
    if (!failed && errors.length) {
      failed = true;
      console.log(`FAIL errors: the page threw ${errors.join("; ")}`);
    }
  } finally {
    await browser.close();
    server.closeAllConnections();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${failed ? "FAILED" : "all passed"} in ${Math.round((Date.now() - started) / 1000)} s`);
  return failed ? 1 : 0;
}

process.exitCode = await main();

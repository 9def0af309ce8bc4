// Plays the browser build in headless Chromium as a player would, through
// its DevTools protocol on a pipe (node only, no packages): the title, a
// started game and a walk in level 1, a volume change and a ranking that
// survive a reload, name entry, the touch buttons on a phone's screen held
// either way, and Escape's play-again state. Writes its
// screenshots to OUT_DIR and prints the page's frame time.
// Usage: node page_test.mjs SITE_DIR OUT_DIR
// Exits 0 with a SKIP line when Chromium cannot start.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const [siteArg, outDir] = process.argv.slice(2);
if (!siteArg || !outDir) {
  console.error('usage: node page_test.mjs SITE_DIR OUT_DIR');
  process.exit(2);
}
fs.mkdirSync(outDir, {recursive: true});
const siteDir = path.resolve(siteArg);

function fail(message) {
  console.error('FAIL: ' + message);
  process.exit(1);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A static server, as any web host would be.
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.data': 'application/octet-stream'};
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
  const file = path.join(siteDir, name === '/' ? 'index.html' : path.normalize(name));
  fs.readFile(file, (error, data) => {
    if (error || !file.startsWith(siteDir + path.sep)) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
    response.end(data);
  });
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

// Chromium, talking over fds 3 (commands in) and 4 (replies out).
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'runeblock-chromium-'));
const browserPath = ['chromium', 'chromium-browser', 'google-chrome'].map((name) =>
  (process.env.PATH || '').split(':').map((dir) => path.join(dir, name)).find((file) => fs.existsSync(file))).find(Boolean);
function skip(reason) {
  console.log('SKIP: the browser test did not run: ' + reason);
  process.exit(0);
}
if (!browserPath) skip('no Chromium is installed');
const args = ['--headless=new', '--remote-debugging-pipe', `--user-data-dir=${profile}`, '--window-size=1100,900',
              '--autoplay-policy=no-user-gesture-required', '--mute-audio', '--no-first-run', '--disable-gpu', '--no-proxy-server'];
if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
const browser = spawn(browserPath, [...args, 'about:blank'], {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
let browserLog = '';
browser.stderr.on('data', (data) => { browserLog += data; });
let started = false;
browser.on('exit', (code) => {
  if (!started) skip(`Chromium exited (${code}) before it answered: ${browserLog.slice(-400)}`);
});
process.on('exit', () => {
  browser.kill('SIGKILL');
  try {
    fs.rmSync(profile, {recursive: true, force: true, maxRetries: 5});
  } catch {
    // A profile Chromium is still writing is left to the system's cleaning.
  }
});

let nextId = 1;
const waiting = new Map();
const listeners = [];
let buffered = '';
browser.stdio[4].on('data', (data) => {
  buffered += data;
  let end;
  while ((end = buffered.indexOf('\0')) >= 0) {
    const message = JSON.parse(buffered.slice(0, end));
    buffered = buffered.slice(end + 1);
    if (message.id && waiting.has(message.id)) {
      const {resolve, reject} = waiting.get(message.id);
      waiting.delete(message.id);
      if (message.error) reject(new Error(JSON.stringify(message.error)));
      else resolve(message.result);
    } else {
      for (const listener of listeners) listener(message);
    }
  }
});
function send(method, params = {}, sessionId = undefined) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + '\0');
  return new Promise((resolve, reject) => waiting.set(id, {resolve, reject}));
}

const version = await Promise.race([send('Browser.getVersion'), sleep(30000).then(() => null)]);
if (!version) skip('Chromium did not answer on its DevTools pipe within 30 s');
started = true;
console.log(`browser: ${version.product}`);

const {targetId} = await send('Target.createTarget', {url: 'about:blank'});
const {sessionId} = await send('Target.attachToTarget', {targetId, flatten: true});
const page = (method, params) => send(method, params, sessionId);
const consoleLines = [];
listeners.push((message) => {
  if (message.sessionId === sessionId && message.method === 'Runtime.consoleAPICalled')
    consoleLines.push(message.params.args.map((arg) => arg.value ?? arg.description).join(' '));
  if (message.sessionId === sessionId && message.method === 'Runtime.exceptionThrown')
    consoleLines.push('exception: ' + JSON.stringify(message.params.exceptionDetails).slice(0, 400));
});
await page('Runtime.enable');
await page('Page.enable');
// A headless page never has the focus a player's click gives it.
await page('Emulation.setFocusEmulationEnabled', {enabled: true});

async function evaluate(expression) {
  const {result, exceptionDetails} = await page('Runtime.evaluate', {expression, returnByValue: true});
  if (exceptionDetails) return undefined;
  return result.value;
}
async function waitFor(what, expression, seconds) {
  for (let waited = 0; waited < seconds * 10; waited++) {
    const value = await evaluate(expression);
    if (value) return value;
    await sleep(100);
  }
  console.error(consoleLines.slice(-30).join("\n"));
  console.error('page: ' + await evaluate('JSON.stringify({href: location.href, ready: document.readyState, state: typeof state === "string" && state, cover: document.getElementById("cover") && document.getElementById("cover").textContent, probe: typeof _ProbeGame})'));
  fail(`timed out after ${seconds} s waiting for ${what}`);
}
const probe = async () => JSON.parse(await evaluate('UTF8ToString(_ProbeGame())'));

// Keys as a player's: trusted events with the codes the game's SDL reads.
const keys = {
  Enter: {code: 'Enter', keyCode: 13}, ArrowRight: {code: 'ArrowRight', keyCode: 39}, '-': {code: 'Minus', keyCode: 189},
  c: {code: 'KeyC', keyCode: 67}, v: {code: 'KeyV', keyCode: 86}, z: {code: 'KeyZ', keyCode: 90},
  Escape: {code: 'Escape', keyCode: 27}, a: {code: 'KeyA', keyCode: 65},
};
async function key(type, name) {
  const {code, keyCode} = keys[name];
  await page('Input.dispatchKeyEvent', {type, key: name, code, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode});
}
// The game reads the keyboard's state once a frame: a tap is held a moment.
async function tap(name, holdMs = 100) {
  await key('keyDown', name);
  await sleep(holdMs);
  await key('keyUp', name);
  await sleep(100);
}

// The canvas as PNG, decoded: [width, height, RGBA bytes].
function decodePng(png) {
  let at = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (at < png.length) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || (body[9] !== 2 && body[9] !== 6) || body[12] !== 0) fail('unexpected PNG format');
      channels = body[9] === 6 ? 4 : 3;
    }
    if (type === 'IDAT') idat.push(body);
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const pixels = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? row[i - channels] : 0;
      const up = previous[i];
      const upLeft = i >= channels ? previous[i - channels] : 0;
      const p = left + up - upLeft;
      const paeth = Math.abs(p - left) <= Math.abs(p - up) && Math.abs(p - left) <= Math.abs(p - upLeft) ? left
                    : Math.abs(p - up) <= Math.abs(p - upLeft) ? up : upLeft;
      row[i] = (row[i] + [0, left, up, (left + up) >> 1, paeth][filter]) & 0xFF;
    }
    for (let x = 0; x < width; x++) {
      for (let c = 0; c < 3; c++) pixels[(y * width + x) * 4 + c] = row[x * channels + c];
      pixels[(y * width + x) * 4 + 3] = 255;
    }
    previous = row;
  }
  return {width, height, pixels};
}

async function shoot(name) {
  const rect = await evaluate('(() => { const r = canvas.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()');
  const clip = {x: rect[0], y: rect[1], width: rect[2], height: rect[3], scale: 640 / rect[2]};
  const {data} = await page('Page.captureScreenshot', {format: 'png', clip});
  const png = Buffer.from(data, 'base64');
  fs.writeFileSync(path.join(outDir, name + '.png'), png);
  return decodePng(png);
}

// Not blank: many colours, and a good part of the picture not black (only
// measured when `what` is null).
function checkDrawn(image, what) {
  const colours = new Set();
  let lit = 0;
  for (let i = 0; i < image.pixels.length; i += 4) {
    const [r, g, b] = [image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]];
    colours.add((r << 16) | (g << 8) | b);
    if (r + g + b > 48) lit++;
  }
  const litShare = lit / (image.width * image.height);
  if (what && (colours.size < 16 || litShare < 0.05)) fail(`${what} looks blank: ${colours.size} colours, ${(litShare * 100).toFixed(1)}% lit`);
  return {colours: colours.size, litShare};
}
function share_different(a, b) {
  let differing = 0;
  for (let i = 0; i < a.pixels.length; i += 4)
    if (Math.abs(a.pixels[i] - b.pixels[i]) + Math.abs(a.pixels[i + 1] - b.pixels[i + 1]) + Math.abs(a.pixels[i + 2] - b.pixels[i + 2]) > 30) differing++;
  return differing / (a.width * a.height);
}

const gameRunning = 'typeof _ProbeGame === "function" && state === "playing" && JSON.parse(UTF8ToString(_ProbeGame())).frames > 30';
const navigation = await page('Page.navigate', {url});
if (navigation.errorText) fail(`the page did not load from ${url}: ${navigation.errorText}`);
await waitFor("the game to start", gameRunning, 25);
// A ranking any result enters, so name entry comes at the game's end.
await evaluate(`FS.writeFile('/Media/data/sc', 'AAA 0 0 0\\nBBB 0 0 0\\nCCC 0 0 0\\nDDD 0 0 0\\nEEE 0 0 0\\n')`);
await sleep(3000);  // the title fades in
const title = await shoot('title');
checkDrawn(title, 'the title');

await tap('Enter');
await waitFor('level 1 to be played', 'JSON.parse(UTF8ToString(_ProbeGame())).playing === 1', 20);
await sleep(3000);  // the level's intro
const before = await probe();
if (before.level !== 1) fail(`Enter started level ${before.level}, not 1`);
await key('keyDown', 'ArrowRight');
await sleep(1000);
await key('keyUp', 'ArrowRight');
const after = await probe();
if (after.x <= before.x + 16) fail(`holding Right moved the player from x ${before.x} to ${after.x}`);
const level = await shoot('level');
const {data: wholePage} = await page('Page.captureScreenshot', {format: 'png'});
fs.writeFileSync(path.join(outDir, 'page.png'), Buffer.from(wholePage, 'base64'));
const drawn = checkDrawn(level, 'level 1');
const changed = share_different(title, level);
if (changed < 0.1) fail(`the level looks like the title (${(changed * 100).toFixed(1)}% of pixels differ)`);
console.log(`level 1: walked from x ${before.x} to ${after.x}; screenshot ${drawn.colours} colours, ` +
            `${(drawn.litShare * 100).toFixed(0)}% lit, ${(changed * 100).toFixed(0)}% unlike the title`);

// Frame time over a few seconds of play, as the page measures it.
const start = await probe();
const startMs = Date.now();
await sleep(3000);
const end = await probe();
const frames = end.frames - start.frames;
const fps = frames / ((Date.now() - startMs) / 1000);
console.log(`frame time: ${((end.workMs - start.workMs) / frames).toFixed(2)} ms of work a frame, ` +
            `${fps.toFixed(1)} frames a second, ${end.lateFrames - start.lateFrames} late of ${frames} (3 s of level 1)`);
if (fps < 30) fail(`the game ran at ${fps.toFixed(1)} frames a second`);

// A setting, kept once the page has written it out.
await tap('-');
await waitFor('the lowered volume to be saved in the browser',
              'FS.readFile("/Media/data/config", {encoding: "utf8"}).includes("sound_volume\\t\\t\\t\\t112") && savedStamp === dataStamp()', 10);

// Three lives given up (pause, then V) end the game in name entry.
const playing = (yes) => `JSON.parse(UTF8ToString(_ProbeGame())).playing === ${yes ? 1 : 0}`;
for (let life = 0; life < 3; life++) {
  await waitFor('a level to be played', playing(true), 20);
  await sleep(3000);  // the intro
  await tap('c');
  await sleep(300);
  await tap('v');
  await waitFor('the attempt to end', playing(false), 20);
}
await sleep(8000);  // game over, then name entry fading in
let entry = await shoot('name-entry');
for (let tries = 0; tries < 10 && checkDrawn(entry, null).litShare < 0.1; tries++) {
  await sleep(500);
  entry = await shoot('name-entry');
}
checkDrawn(entry, 'name entry');
await tap('c');
await waitFor('the ranking to be saved in the browser',
              '!FS.readFile("/Media/data/sc", {encoding: "utf8"}).startsWith("AAA 0 0 0") && savedStamp === dataStamp()', 15);
const ranking = await evaluate('FS.readFile("/Media/data/sc", {encoding: "utf8"})');

await page('Page.reload');
await sleep(500);
await waitFor('the game to start again', gameRunning, 60);
const reloaded = await probe();
if (reloaded.soundVolume !== 112) fail(`after a reload the sound volume is ${reloaded.soundVolume}, not the 112 saved`);
const rankingAfter = await evaluate('FS.readFile("/Media/data/sc", {encoding: "utf8"})');
if (rankingAfter !== ranking) fail(`the ranking did not survive the reload:\n${ranking}\n---\n${rankingAfter}`);

// A phone, held either way: the page shows a D-pad and buttons beside the
// game (below it upright), and two fingers at once walk and jump.
const centre = async (selector) => evaluate(`(() => { const r = document.querySelector('${selector}').getBoundingClientRect();
  return [r.x + r.width / 2, r.y + r.height / 2, r.left, r.right, r.top, r.bottom]; })()`);
async function touch(type, points) {
  await page('Input.dispatchTouchEvent', {type, touchPoints: points.map(([x, y], id) => ({x, y, id}))});
}
for (const [width, height, name] of [[844, 390, 'touch-landscape'], [390, 844, 'touch-upright']]) {
  await page('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: 2, mobile: true});
  await page('Emulation.setTouchEmulationEnabled', {enabled: true, maxTouchPoints: 5});
  await page('Page.reload');
  await sleep(500);
  await waitFor(`the game on a ${width} x ${height} touch screen`, gameRunning, 60);
  await waitFor('the touch buttons', 'document.body.classList.contains("touch")', 5);
  const [game, pad, buttons] = await Promise.all(['#canvas', '#dpad', '#buttons'].map(centre));
  const inside = (r) => r[2] >= 0 && r[3] <= width && r[4] >= 0 && r[5] <= height;
  if (![game, pad, buttons].every(inside)) fail(`${name}: a part of the page is off the screen: ${[game, pad, buttons]}`);
  const beside = pad[3] <= game[2] && buttons[2] >= game[3];
  const below = pad[4] >= game[5] && buttons[4] >= game[5] && pad[3] <= buttons[2];
  if (width > height ? !beside : !below) fail(`${name}: the pads are not ${width > height ? 'beside' : 'below'} the game`);
  await sleep(3000);  // the title fades in
  const z = await centre('#buttons [data-input="4"]');
  await touch('touchStart', [z]);
  await sleep(150);
  await touch('touchEnd', []);
  await waitFor('level 1 to be played from the touch buttons', playing(true), 20);
  await sleep(3000);  // the intro
  const start = await probe();
  await touch('touchStart', [await centre('#dpad [data-input="3"]'), await centre('#dpad [data-input="0"]')]);
  let highest = start.y;
  for (let i = 0; i < 10; i++) {
    await sleep(100);
    highest = Math.min(highest, (await probe()).y);
  }
  await touch('touchEnd', []);
  const moved = await probe();
  if (moved.x <= start.x + 16 || highest >= start.y)
    fail(`${name}: Right and Up held together moved the player from (${start.x}, ${start.y}) to x ${moved.x}, ` +
         `highest y ${highest}`);
  const {data: phone} = await page('Page.captureScreenshot', {format: 'png'});
  fs.writeFileSync(path.join(outDir, name + '.png'), Buffer.from(phone, 'base64'));
  console.log(`${name}: the touch buttons walked from x ${start.x} to ${moved.x} and jumped to y ${highest} from ${start.y}`);
}
await page('Emulation.setTouchEmulationEnabled', {enabled: false});
await page('Emulation.clearDeviceMetricsOverride');

await tap('Escape');
await waitFor('the play-again page', 'state === "ended" && !cover.hidden && cover.textContent.includes("play again")', 10);
await shoot('ended');

console.log('PASS: title, level 1 walked, name entry and play-again drawn; volume and ranking kept across a reload; ' +
            'touch buttons walked and jumped at 844 x 390 and 390 x 844');
process.exit(0);

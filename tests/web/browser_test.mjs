// SPDX-License-Identifier: MIT
// Torvex's page played in a real browser: Debian's Chromium, headless,
// driven through puppeteer-core.
//
//   node browser_test.mjs URL CHROMIUM CLASSIC_9X9_MAP
//
// Opens a map of its own that the game refuses and dismisses the game's
// notice on the page. Picks Classic 9x9 from the page's list, turns
// question marks off on the title, takes the pointer, starts a game with
// F1, moves and opens a cell, checking each step from the canvas's pixels;
// gives the pointer back and takes it again; switches fullscreen with F11;
// reloads the page and checks that the option came back from the browser's
// storage. Then it plays the
// largest map to measure the passes, and prints the figures the page
// reports from the browser's own clock (they are reported, not judged).
//
// The picture's geometry is the game's: 640x480, the option lines of the
// title at x 50, y 400 (question marks) and y 420 (sound), 12 pixels high,
// with nothing but the title's background left of them.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

const [url, chromium, classicMapPath] = process.argv.slice(2);
const Width = 640;
const Height = 480;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'torvex-chromium-'));
let browser = null;
let step = 'starting Chromium';
let stepStarted = Date.now();
const stepTimes = [];

// The next step: what a failure names, and where the time went.
function begin(name) {
    stepTimes.push(`${step} ${Date.now() - stepStarted} ms`);
    step = name;
    stepStarted = Date.now();
}

function fail(message) {
    throw new Error(`${step}: ${message}`);
}

function check(condition, message) {
    if (!condition) fail(message);
}

const sleep = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

async function waitFor(what, condition, milliseconds = 20000) {
    const end = Date.now() + milliseconds;
    for (;;) {
        const result = await condition();
        if (result) return result;
        if (Date.now() > end) fail(`gave up waiting for ${what}`);
        await sleep(100);
    }
}

// --- the canvas's pixels ---------------------------------------------------------

class Picture {
    constructor(rgba) {
        this.rgba = rgba;
    }
    colour(x, y) {
        const at = (y * Width + x) * 4;
        return (this.rgba[at] << 16) | (this.rgba[at + 1] << 8) | this.rgba[at + 2];
    }
    meanBrightness() {
        let sum = 0;
        for (let at = 0; at < this.rgba.length; at += 4) {
            sum += this.rgba[at] + this.rgba[at + 1] + this.rgba[at + 2];
        }
        return sum / (3 * 255 * Width * Height);
    }
    region(left, top, right, bottom) {
        const rows = [];
        for (let y = top; y < bottom; ++y) {
            rows.push(this.rgba.subarray((y * Width + left) * 4, (y * Width + right) * 4));
        }
        return Buffer.concat(rows);
    }
    // The commonest colour of a rectangle, and its share of it.
    dominant(left, top, right, bottom) {
        const counts = new Map();
        for (let y = top; y < bottom; ++y) {
            for (let x = left; x < right; ++x) {
                const colour = this.colour(x, y);
                counts.set(colour, (counts.get(colour) || 0) + 1);
            }
        }
        let best = 0;
        let bestCount = 0;
        for (const [colour, count] of counts) {
            if (count > bestCount) [best, bestCount] = [colour, count];
        }
        return { colour: best, share: bestCount / ((right - left) * (bottom - top)) };
    }
    count(colour) {
        let count = 0;
        for (let y = 0; y < Height; ++y) {
            for (let x = 0; x < Width; ++x) if (this.colour(x, y) === colour) ++count;
        }
        return count;
    }
    firstInRow(colour, y) {
        for (let x = 0; x < Width; ++x) if (this.colour(x, y) === colour) return x;
        return -1;
    }
}

async function picture(page) {
    const base64 = await page.evaluate(() => {
        const canvas = document.getElementById('canvas');
        const data = canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
        let text = '';
        for (let at = 0; at < data.length; at += 0x8000) {
            text += String.fromCharCode.apply(null, data.subarray(at, at + 0x8000));
        }
        return btoa(text);
    });
    return new Picture(Buffer.from(base64, 'base64'));
}

// The title is mostly light; an empty canvas, or the board on black, is not.
const titleShows = async (page) => (await picture(page)).meanBrightness() > 0.35;

// The text of an option line, without the title's background, which
// scrolls: every pixel in a colour of the background (as the margin left of
// the lines shows it) counts as background.
function titleText(shown, top) {
    const background = new Set();
    for (let y = 380; y < 470; ++y) {
        for (let x = 0; x < 44; ++x) background.add(shown.colour(x, y));
    }
    const text = [];
    for (let y = top - 2; y < top + 14; ++y) {
        for (let x = 50; x < 240; ++x) {
            const colour = shown.colour(x, y);
            text.push(background.has(colour) ? -1 : colour);
        }
    }
    return JSON.stringify(text);
}
const questionMarkLine = (shown) => titleText(shown, 400);
const soundLine = (shown) => titleText(shown, 420);

// --- the page's state ---------------------------------------------------------------

const pageState = (page) =>
    page.evaluate(() => {
        const hint = document.getElementById('hint');
        const audio = Module.torvexAudio;
        return {
            locked: document.pointerLockElement === document.getElementById('canvas'),
            fullscreen: document.fullscreenElement ? document.fullscreenElement.id : '',
            hint: hint.hidden ? '' : hint.textContent,
            canvasWidth: parseFloat(document.getElementById('canvas').style.width),
            gameWidth: document.getElementById('game').clientWidth,
            gameHeight: document.getElementById('game').clientHeight,
            audio: audio ? audio.context.state : 'none',
            soundsStarted: audio ? audio.started : 0,
            address: location.search,
            storage: Object.entries(localStorage),
        };
    });

// Waits for a new board: the field around the cross, where the covered
// cells' face fills most of the picture in the blue of the cells' steel.
// Returns the picture and that colour.
function boardShown(page) {
    return waitFor('the board', async () => {
        const shown = await picture(page);
        const face = shown.dominant(220, 140, 420, 340);
        const blue = face.colour & 0xff;
        const red = face.colour >> 16;
        return !(await titleShows(page)) && face.share > 0.4 && blue > red + 20
            ? { shown, face: face.colour }
            : null;
    });
}

// Waits for the board's left edge in `row` to stand at `expected`: a frame
// drawn while the movement was still arriving may show part of it.
async function waitForEdge(page, face, row, expected) {
    let last = null;
    try {
        return await waitFor(`the board's edge at x ${expected}`, async () => {
            const shown = await picture(page);
            last = shown.firstInRow(face, row);
            return last === expected ? shown : null;
        });
    } catch (error) {
        fail(`the board's edge stands at x ${last}, not at ${expected}`);
    }
}

async function canvasCentre(page) {
    const box = await (await page.$('#canvas')).boundingBox();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2, scale: box.width / Width };
}

// FNV-1a, 64 bits, as the page names a map's entry.
function mapHash(bytes) {
    let hash = 0xcbf29ce484222325n;
    for (const byte of bytes) {
        hash ^= BigInt(byte);
        hash = (hash * 0x100000001b3n) & 0xffffffffffffffffn;
    }
    return hash.toString(16).padStart(16, '0');
}

async function measurePasses(page, centre, seconds) {
    // Movement in every frame, so every pass composes and draws a new picture.
    await page.evaluate(() => window.torvexPassTimes(true));
    const end = Date.now() + seconds * 1000;
    let direction = 1;
    while (Date.now() < end) {
        await page.mouse.move(centre.x + direction * 3 * centre.scale, centre.y, { steps: 12 });
        direction = -direction;
    }
    return page.evaluate(() => window.torvexPassTimes(false));
}

function describeTimes(label, times) {
    const line = (kind, summary) =>
        `${kind} ${summary.count} passes: median ${summary.median.toFixed(3)} ms, ` +
        `95th percentile ${summary.p95.toFixed(3)} ms, slowest ${summary.max.toFixed(3)} ms`;
    console.log(`pass times on ${label} (performance.now around each pass, main thread):`);
    console.log(`  ${line('drawing', times.drawing)}`);
    console.log(`  ${line('all', times.all)}`);
}

// --- the game -----------------------------------------------------------------------

async function run() {
    browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        defaultViewport: { width: 1800, height: 1100 },
        args: [
            '--headless=new',
            '--no-sandbox',
            '--disable-gpu',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
            '--window-size=1800,1100',
            `--user-data-dir=${profile}`,
        ],
    });
    const page = await browser.newPage();
    const problems = [];
    page.on('pageerror', (error) => problems.push(error.message));
    page.on('console', (message) => {
        if (message.type() === 'error' && !/favicon/.test(message.text())) {
            problems.push(message.text());
        }
    });

    begin('opening the page');
    await page.goto(url, { waitUntil: 'load' });
    const maps = await page.$$eval('#map-list .map', (buttons) =>
        buttons.map((button) => ({
            name: button.dataset.map,
            preview: button.querySelector('.preview').textContent,
        }))
    );
    check(maps.length === 13, `the page lists ${maps.length} maps, not the 13 shipped`);
    check(
        maps.every((map) => /[█▀▄]/.test(map.preview)),
        'a map without its preview'
    );
    await waitFor('the map choice', async () => /Choose a map/.test((await pageState(page)).hint));

    begin('opening a map of our own that the game refuses');
    const broken = path.join(profile, 'broken.tvm');
    fs.writeFileSync(broken, 'Broken,0,5,1,');
    await (await page.$('#open-map')).uploadFile(broken);
    const notice = await waitFor('the notice', () =>
        page.evaluate(() => {
            const box = document.getElementById('notice');
            return box.hidden
                ? null
                : {
                      caption: document.getElementById('notice-caption').textContent,
                      text: document.getElementById('notice-text').textContent,
                  };
        })
    );
    check(notice.caption === 'Cannot Open !', `the notice says "${notice.caption}"`);
    check(
        notice.text === '/opened/broken.tvm\nThe map is 0 cells wide; a map is 1 to 300 cells wide.',
        `the notice's text is "${notice.text}"`
    );
    await page.click('#notice-ok');
    await waitFor('the map choice again', async () =>
        /Choose a map/.test((await pageState(page)).hint)
    );

    begin('choosing Classic 9x9');
    await page.click('#map-list .map[data-map="classic-9x9"]');
    await waitFor('the title screen', () => titleShows(page));
    let state = await pageState(page);
    check(state.address === '?map=classic-9x9', `the address is "${state.address}"`);
    check(/Click the picture/.test(state.hint), `the hint is "${state.hint}"`);
    check(state.canvasWidth === 2 * Width, `the canvas is ${state.canvasWidth} wide, not 1280`);
    await sleep(300);
    const withMarks = await picture(page);

    begin('turning question marks off with F2 on the title');
    await page.keyboard.press('F2');
    const withoutMarks = await waitFor('the option line to change', async () => {
        const shown = await picture(page);
        return questionMarkLine(shown) === questionMarkLine(withMarks) ? null : shown;
    });
    check(
        soundLine(withoutMarks) === soundLine(withMarks),
        'the sound line changed with it'
    );
    const key = `torvex-settings classic-9x9.tvm ${mapHash(fs.readFileSync(classicMapPath))}`;
    state = await waitFor('the stored entry', async () => {
        const current = await pageState(page);
        return current.storage.length > 0 ? current : null;
    });
    check(
        JSON.stringify(state.storage) ===
            JSON.stringify([[key, '? OFF,SOUND ON,ANIMATION ON,999999,NO NAME,,']]),
        `the page stored ${JSON.stringify(state.storage)}`
    );

    begin('taking the pointer');
    let centre = await canvasCentre(page);
    await page.mouse.click(centre.x, centre.y);
    // The lock, and the game told of it (the hint gone).
    state = await waitFor('the pointer lock', async () => {
        const current = await pageState(page);
        return current.locked && current.hint === '' ? current : null;
    });
    check(state.audio === 'running', `the sound is ${state.audio} after the first click`);
    await sleep(300);
    check(await titleShows(page), 'the click that took the pointer did more: the title is gone');

    begin('starting a game with F1');
    const soundsBefore = state.soundsStarted;
    await page.keyboard.press('F1');
    const board = await boardShown(page);
    state = await pageState(page);
    check(state.soundsStarted > soundsBefore, 'no sound started with the new game');

    begin('moving two cells to the right');
    const row = 250;
    const edgeBefore = board.shown.firstInRow(board.face, row);
    check(edgeBefore > 0, 'no covered cell in the row through the cross');
    await page.mouse.move(centre.x + 64 * centre.scale, centre.y, { steps: 16 });
    const moved = await waitForEdge(page, board.face, row, edgeBefore - 64);

    begin('opening the cell under the cross');
    const coveredBefore = moved.count(board.face);
    centre = await canvasCentre(page);
    await page.mouse.down();
    await sleep(100);
    await page.mouse.up();
    const opened = await waitFor('a cell to open', async () => {
        await sleep(500); // the cover breaks open over a few tenths of a second
        const shown = await picture(page);
        // An opened cell loses its face; the cursor box, drawn half a cell
        // up and left of the cross, already hides part of it.
        return coveredBefore - shown.count(board.face) >= 250 ? shown : null;
    });
    const nearCross = (shown) => shown.region(288, 208, 352, 272);
    check(
        !nearCross(opened).equals(nearCross(moved)),
        'the cells around the cross look as before'
    );

    begin('holding Tab for the overview of the field');
    // Classic 9x9 is drawn with cells of 49 pixels from (99, 19): the top
    // right cell becomes one block of colour, where the normal picture shows
    // the black beyond the board's edge. Tab stays with the game: the focus
    // does not move on through the page.
    const topRightBlock = (shown) => shown.dominant(496, 24, 536, 64);
    const isBlock = (block) => block.share === 1 && block.colour !== 0;
    await page.keyboard.down('Tab');
    await waitFor('the overview', async () => isBlock(topRightBlock(await picture(page))));
    const focused = await page.evaluate(() => document.activeElement.id);
    check(focused === 'canvas', `Tab moved the focus to "${focused}"`);
    await page.keyboard.up('Tab');
    await waitFor('the board again', async () => !isBlock(topRightBlock(await picture(page))));

    begin('giving the pointer back (the browser releases it)');
    await page.evaluate(() => document.exitPointerLock());
    state = await waitFor('the pause', async () => {
        const current = await pageState(page);
        return /Paused/.test(current.hint) ? current : null;
    });
    await page.keyboard.press('F1'); // the game is in the background: not its key
    await sleep(300);
    await page.mouse.click(centre.x, centre.y);
    await waitFor('the pointer lock again', async () => (await pageState(page)).locked);
    await sleep(500);
    const resumed = await picture(page);
    check(
        resumed.count(board.face) <= opened.count(board.face),
        'F1 while paused dealt a new board, or the opened cell is gone'
    );

    begin('switching fullscreen with F11');
    await page.keyboard.press('F11');
    state = await waitFor('fullscreen', async () => {
        const current = await pageState(page);
        return current.fullscreen === 'game' ? current : null;
    });
    const scale = state.canvasWidth / Width;
    check(
        Number.isInteger(scale) && scale >= 1,
        `the picture is scaled by ${scale}, not a whole number`
    );
    await sleep(500); // the browser's own switch settles first

    begin('leaving fullscreen with F11');
    // Headless Chromium takes many seconds to leave fullscreen while the
    // pointer is locked (and a few even without it, on a busy machine); the
    // pointer is given back first.
    await page.evaluate(() => document.exitPointerLock());
    await page.keyboard.press('F11');
    await waitFor(
        'the end of fullscreen',
        async () => (await pageState(page)).fullscreen === '',
        60000
    );

    begin('reloading the page');
    await page.reload({ waitUntil: 'load' });
    await waitFor('the title again', () => titleShows(page));
    await sleep(300);
    const reloaded = await picture(page);
    check(
        questionMarkLine(reloaded) === questionMarkLine(withoutMarks) &&
            questionMarkLine(reloaded) !== questionMarkLine(withMarks),
        'question marks are on again after the reload'
    );

    begin('measuring the passes on Classic 9x9');
    centre = await canvasCentre(page);
    await page.mouse.click(centre.x, centre.y);
    await waitFor('the pointer lock', async () => (await pageState(page)).locked);
    await page.keyboard.press('F1');
    await sleep(500);
    describeTimes('Classic 9x9', await measurePasses(page, centre, 4));

    begin('measuring the passes on the 300 x 300 map');
    await page.evaluate(() => document.exitPointerLock());
    await page.click('#map-list .map[data-map="marathon-300x300"]');
    await waitFor('its title', async () => {
        const current = await pageState(page);
        return current.address === '?map=marathon-300x300' && (await titleShows(page));
    });
    centre = await canvasCentre(page);
    await page.mouse.click(centre.x, centre.y);
    await waitFor('the pointer lock', async () => (await pageState(page)).locked);
    await page.keyboard.press('F1');
    await sleep(300);
    await page.mouse.down();
    await page.mouse.up(); // opens a region, whose cells animate
    await sleep(200);
    describeTimes('Marathon, 300 x 300', await measurePasses(page, centre, 4));

    begin('playing where the browser refuses the pointer lock');
    const refusing = await browser.newPage();
    refusing.on('pageerror', (error) => problems.push(error.message));
    await refusing.evaluateOnNewDocument(() => {
        Element.prototype.requestPointerLock = function () {
            setTimeout(() => document.dispatchEvent(new Event('pointerlockerror')), 0);
        };
    });
    await refusing.goto(url + '?map=classic-9x9', { waitUntil: 'load' });
    await waitFor('the title', () => titleShows(refusing));
    centre = await canvasCentre(refusing);
    await refusing.mouse.click(centre.x, centre.y);
    state = await waitFor('the game to take the pointer without the lock', async () => {
        const current = await pageState(refusing);
        return current.hint === '' ? current : null;
    });
    check(!state.locked, 'the lock was refused, yet it is there');
    await refusing.keyboard.press('F1');
    const freeBoard = await boardShown(refusing);
    const freeEdge = freeBoard.shown.firstInRow(freeBoard.face, row);
    await refusing.mouse.move(centre.x + 64 * centre.scale, centre.y, { steps: 16 });
    await waitForEdge(refusing, freeBoard.face, row, freeEdge - 64);
    await refusing.keyboard.press('Escape'); // gives the free pointer back all the same
    await waitFor('the pause', async () => /Paused/.test((await pageState(refusing)).hint));
    await refusing.close();

    begin('looking for errors on the page');
    check(problems.length === 0, problems.join('\n'));
    begin('done');
    console.log(`steps: ${stepTimes.join(', ')}`);
    console.log('the page played as a player would play it');
}

try {
    await run();
} catch (error) {
    console.error(`browser test failed: ${error.message}`);
    process.exitCode = 1;
} finally {
    if (browser) await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
}

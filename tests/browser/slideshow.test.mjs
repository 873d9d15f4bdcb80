// Opens the pages that makepages wrote in Debian's Chromium and checks that
// each one shows and plays its slides, fits small screens, and keeps to the
// reader's settings. Usage: node slideshow.test.mjs FOLDER
import { chromium } from 'playwright-core';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const root = process.argv[2];
let passed = 0;
let failed = 0;

function check(condition, what) {
  if (condition) { passed++; return; }
  failed++;
  console.log(`FAIL: ${what}`);
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
});

const cases = Object.fromEntries(readdirSync(root).sort().map((name) => {
  const folder = join(root, name);
  const manifest = JSON.parse(readFileSync(join(folder, 'manifest.json'), 'utf8'));
  return [name, { name, manifest, url: pathToFileURL(join(folder, 'SlideShow.htm')).href }];
}));

// A fresh context per use; every console error, page error and failed load is an error of the page.
async function withPage(url, options, body) {
  const errors = [];
  const context = await browser.newContext(options);
  const page = await context.newPage();
  const loaded = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('requestfailed', (request) => errors.push(`request failed: ${request.url()}`));
  page.on('request', (request) => loaded.push(decodeURIComponent(request.url())));
  await page.goto(url, { waitUntil: 'load' });
  try {
    await body(page, loaded);
  } catch (error) {
    check(false, `${url}: ${String(error).split('\n')[0]}`);
  } finally {
    check(errors.length === 0, `${url}: errors: ${errors.join(' | ')}`);
    await context.close();
  }
}

async function waitForPicture(page) {
  await page.waitForFunction(() => document.getElementsByName('PictureBox')[0].complete);
  return page.evaluate(() => {
    const image = document.getElementsByName('PictureBox')[0];
    return { width: image.naturalWidth, src: image.getAttribute('src'), alt: image.alt };
  });
}

async function shows(page, manifest, n, how) {
  const count = manifest.slides.length;
  const slide = manifest.slides[n - 1];
  const picture = await waitForPicture(page);
  const caption = await page.textContent('#CaptionBox');
  check(caption === slide.caption, `${how}: slide ${n} caption is ${JSON.stringify(caption)}, not ${JSON.stringify(slide.caption)}`);
  check(picture.width > 0, `${how}: slide ${n} image ${slide.file} is not loaded`);
  check(decodeURIComponent(picture.src) === slide.file, `${how}: slide ${n} shows ${picture.src}`);
  check((await page.textContent('#Position')) === `${n} / ${count}`, `${how}: position of slide ${n}`);
  check(picture.alt === slide.caption, `${how}: alt text of slide ${n}`);
}

async function pause(page) {
  if ((await page.textContent('#PlayButton')) === 'Pause') await page.click('#PlayButton');
}

// Every case: readable without script, then every slide reached by buttons and keys.
for (const { name, manifest, url } of Object.values(cases)) {
  const count = manifest.slides.length;
  console.log(`# ${name}: ${count} slides`);
  await withPage(url, { javaScriptEnabled: false }, async (page) => {
    const caption = (await page.textContent('#CaptionBox')).trim();
    check(caption === manifest.name.trim(), `${name} without script: caption cell shows ${JSON.stringify(caption)}`);
    if (count > 0) check((await waitForPicture(page)).width > 0, `${name} without script: first picture not loaded`);
  });

  await withPage(url, {}, async (page, loaded) => {
    check(await page.title() === manifest.name.trim(), `${name}: page title is ${JSON.stringify(await page.title())}`);
    check((await page.textContent('#ShowName')) === manifest.name.trim(), `${name}: heading shows the name`);
    check(await page.locator('main').count() === 1, `${name}: one main landmark`);
    if (count === 0) {
      check((await page.textContent('#CaptionBox')).trim() === manifest.name.trim(), `${name}: empty page shows the name`);
      check(await page.isDisabled('#NextButton'), `${name}: nothing to move to`);
      return;
    }
    const steps = Math.min(count, 10);
    if (count > 10) {
      // A long show fetches only the photo on show and the next one.
      await page.waitForTimeout(300);
      const photos = loaded.filter((file) => file.endsWith('.jpg')).map((file) => file.split('/').pop());
      check(JSON.stringify([...new Set(photos)]) === JSON.stringify(['p0001.jpg', 'p0002.jpg']),
            `${name}: photos fetched on opening: ${[...new Set(photos)].slice(0, 5).join(', ')} (${photos.length})`);
    }
    await pause(page);
    check((await page.textContent('#PlayButton')) === 'Play', `${name}: autoplay pauses`);
    await shows(page, manifest, 1, `${name} start`);
    for (let n = 2; n <= steps; n++) {
      await page.click('#NextButton');
      await shows(page, manifest, n, `${name} Next`);
    }
    await page.keyboard.press('Home');
    check(await page.isDisabled('#PreviousButton') === (count < 2), `${name}: Previous enabled only with two slides or more`);
    if (count > 1) await page.click('#PreviousButton'); else await page.keyboard.press('ArrowLeft');
    await shows(page, manifest, count, `${name} Previous wraps`);
    await page.keyboard.press('ArrowRight');
    await shows(page, manifest, 1, `${name} ArrowRight wraps`);
    await page.keyboard.press('End');
    await shows(page, manifest, count, `${name} End`);
    await page.keyboard.press('ArrowLeft');
    await shows(page, manifest, Math.max(1, count - 1), `${name} ArrowLeft`);
  });
}

// Small and large screens, both ways round: nothing scrolls sideways, and the
// photo, its caption and every control are on screen at once, none clipped or wrapped.
const screens = [[320, 568], [390, 844], [844, 390], [568, 320], [1366, 768]];
for (const name of ['plain', 'tricky-text', 'tricky-names', 'thumbnails']) {
  for (const [width, height] of screens) {
    await withPage(cases[name].url, { viewport: { width, height }, hasTouch: width < 900, isMobile: width < 900 },
                   async (page) => {
      await pause(page);
      for (const n of [1, 2, 3]) {
        await page.evaluate((slide) => { location.hash = `#${slide}`; }, n);
        await waitForPicture(page);
        const layout = await page.evaluate(() => {
          const box = (element) => element.getBoundingClientRect().toJSON();
          const lines = (element) => {
            const range = document.createRange();
            range.selectNodeContents(element);
            return new Set([...range.getClientRects()].map((r) => Math.round(r.top))).size;
          };
          const buttons = [...document.querySelectorAll('button')].filter((b) => b.offsetParent !== null).map((b) => ({
            id: b.id, box: box(b), clipped: b.scrollWidth > b.clientWidth,
            lines: lines(b) }));
          const caption = document.getElementById('CaptionBox');
          return { scrollWidth: document.documentElement.scrollWidth, innerWidth, innerHeight, buttons,
                   picture: box(document.getElementsByName('PictureBox')[0]), caption: box(caption),
                   hint: getComputedStyle(document.querySelector('.Hint')).display };
        });
        const where = `${name} at ${width}x${height}, slide ${n}`;
        // A phone widens its layout to the page, so the screen's own size is the measure.
        const inside = (b) => b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height;
        check(layout.scrollWidth <= width && layout.innerWidth === width, `${where}: page is ${layout.scrollWidth} px wide`);
        for (const button of layout.buttons) {
          check(inside(button.box), `${where}: ${button.id} at ${JSON.stringify(button.box)} is off screen`);
          check(!button.clipped && button.lines === 1, `${where}: ${button.id} is clipped or wrapped`);
        }
        check(inside(layout.picture) && layout.picture.height >= 120, `${where}: photo ${JSON.stringify(layout.picture)}`);
        check(layout.caption.top < height && layout.caption.bottom > 0, `${where}: caption off screen`);
        check((layout.hint === 'none') === (width < 900), `${where}: key hint display ${layout.hint}`);
      }
    });
  }
}

// Keys and links: Space or Enter presses the focused button; a hash opens its slide;
// moving replaces the address without adding to the history; the caption is what is announced.
{
  const { manifest, url } = cases.plain;
  await withPage(`${url}#2`, {}, async (page) => {
    await shows(page, manifest, 2, 'opened at #2');
    check((await page.textContent('#PlayButton')) === 'Play', 'a link to one slide does not play');
    const history = await page.evaluate(() => history.length);
    await page.focus('#NextButton');
    await page.keyboard.press(' ');
    await shows(page, manifest, 3, 'Space on Next');
    check((await page.textContent('#PlayButton')) === 'Play', 'Space on Next does not start playing');
    check(await page.evaluate(() => location.hash) === '#3', 'the address follows the slide');
    await page.focus('#PreviousButton');
    await page.keyboard.press('Enter');
    await shows(page, manifest, 2, 'Enter on Previous');
    check(await page.evaluate(() => history.length) === history, 'moving does not fill the history');
    await page.evaluate(() => { location.hash = '#1'; });
    await shows(page, manifest, 1, 'hash changed to #1');
    const live = await page.evaluate(() => [document.getElementById('CaptionBox').getAttribute('aria-live'),
                                            document.getElementById('Position').getAttribute('aria-live')]);
    check(live[0] === 'polite' && live[1] === null, `caption announced, counter not: ${live}`);
    await page.evaluate(() => document.activeElement.blur());
    await page.keyboard.press(' ');
    check((await page.textContent('#PlayButton')) === 'Pause', 'Space elsewhere starts playing');
    await page.waitForFunction(() => location.hash === '#2', null, { timeout: 20000 }).catch(() => {});
    await shows(page, manifest, 2, 'autoplay');
  });
  await withPage(`${url}#99`, {}, async (page) => { await shows(page, manifest, 1, 'a hash beyond the show'); });
}

// Less motion: no autoplay, no fade.
await withPage(cases.plain.url, { reducedMotion: 'reduce' }, async (page) => {
  check((await page.textContent('#PlayButton')) === 'Play', 'reduced motion: autoplay does not start');
  const fade = await page.evaluate(() => getComputedStyle(document.getElementsByName('PictureBox')[0]).transitionDuration);
  check(fade === '0s', `reduced motion: picture fades for ${fade}`);
  await page.waitForTimeout(3500);
  check((await page.textContent('#Position')) === '1 / 3', 'reduced motion: still on the first slide');
});

// Thumbnails: the grid opens by button and G only where they exist; a thumbnail opens its slide.
await withPage(cases.thumbnails.url, {}, async (page, loaded) => {
  const { manifest } = cases.thumbnails;
  await pause(page);
  check(await page.isVisible('#GridButton'), 'thumbnails: the Photos button shows');
  check(!loaded.some((file) => file.includes('/SlideShow-thumbnails/')), 'thumbnails: none loaded before the grid opens');
  await page.keyboard.press('g');
  check(await page.isVisible('#Thumbnails'), 'thumbnails: G opens the grid');
  const images = await page.evaluate(() => [...document.querySelectorAll('#Grid img')].map((i) => [i.loading, i.getAttribute('src')]));
  check(JSON.stringify(images) === JSON.stringify([['lazy', 'SlideShow-thumbnails/t1.jpg'], ['lazy', 'SlideShow-thumbnails/t2.jpg'],
                                                   ['lazy', 'SlideShow-thumbnails/t3.jpg']]), `thumbnails: grid ${JSON.stringify(images)}`);
  check(await page.evaluate(() => document.activeElement.getAttribute('data-slide')) === '1', 'thumbnails: focus on the current slide');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  await shows(page, manifest, 2, 'thumbnail reached by Tab and Enter');
  check(!(await page.isVisible('#Thumbnails')), 'thumbnails: choosing one closes the grid');
  await page.click('#GridButton');
  await page.click('#Grid button[data-slide="3"]');
  await shows(page, manifest, 3, 'thumbnail clicked');
});
await withPage(cases.plain.url, {}, async (page) => {
  check(!(await page.isVisible('#GridButton')), 'no thumbnails: no Photos button');
  await page.keyboard.press('g');
  check(!(await page.isVisible('#Thumbnails')), 'no thumbnails: G opens nothing');
});

await browser.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);

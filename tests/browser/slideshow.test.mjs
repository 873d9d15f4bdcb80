// Opens the pages that makepages wrote in Debian's Chromium and checks that
// each one shows and plays its slides, fits small screens, and keeps to the
// reader's settings. Usage: node slideshow.test.mjs FOLDER
import { chromium } from 'playwright-core';
import { readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const root = process.argv[2];
let passed = 0;
let failed = 0;

function check(condition, what) {
  if (condition) passed++; else { failed++; console.log(`FAIL: ${what}`); }
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
});

const cases = Object.fromEntries(readdirSync(root).sort().map((name) => {
  const manifest = JSON.parse(readFileSync(join(root, name, 'manifest.json'), 'utf8'));
  return [name, { name, manifest, url: pathToFileURL(join(root, name, 'SlideShow.htm')).href }];
}));

// A fresh context per use; every console error, page error and failed load is an error of the page.
// options.languages stands in for the reader's list of languages.
async function withPage(url, { languages, ...options }, body) {
  const errors = [], loaded = [];
  const context = await browser.newContext(options);
  if (languages) await context.addInitScript((list) => Object.defineProperty(Navigator.prototype, 'languages', { get: () => list }), languages);
  const page = await context.newPage();
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  // A load the page itself abandons (the first picture replaced by a linked slide) is no fault.
  page.on('requestfailed', (request) => request.failure()?.errorText.includes('ERR_ABORTED')
    || errors.push(`request failed: ${request.url()} (${request.failure()?.errorText})`));
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
}

// The slide on show: its photo loaded, caption, alt text and counter.
async function shows(page, manifest, n, how) {
  const slide = manifest.slides[n - 1];
  await waitForPicture(page);
  const seen = await page.evaluate(() => {
    const image = document.getElementsByName('PictureBox')[0];
    return { width: image.naturalWidth, src: decodeURIComponent(image.getAttribute('src')), alt: image.alt,
             caption: document.getElementById('CaptionBox').textContent,
             position: document.getElementById('Position').textContent };
  });
  check(seen.width > 0 && seen.src === slide.file && seen.caption === slide.caption && seen.alt === slide.caption
        && seen.position === `${n} / ${manifest.slides.length}`, `${how}: slide ${n} shows ${JSON.stringify(seen).slice(0, 300)}`);
}

const playButton = (page) => page.textContent('#PlayButton');
const pause = async (page) => (await playButton(page)) === 'Pause' && page.click('#PlayButton');

// Every case: readable without script; named, every slide reached by Next, and the ends wrap by buttons and keys.
for (const { name, manifest, url } of Object.values(cases)) {
  const count = manifest.slides.length;
  const showName = manifest.name.trim();
  await withPage(url, { javaScriptEnabled: false }, async (page) => {
    if (count > 0) await waitForPicture(page);
    const seen = [(await page.textContent('#CaptionBox')).trim(), await page.evaluate(() => document.getElementsByName('PictureBox')[0].naturalWidth)];
    check(seen[0] === showName && (count === 0 || seen[1] > 0), `${name} without script: caption and picture ${seen}`);
  });
  await withPage(url, {}, async (page, loaded) => {
    check(await page.title() === showName && (await page.textContent('#ShowName')) === showName
          && await page.locator('main').count() === 1, `${name}: title, heading or main landmark`);
    if (count === 0) {
      const text = await page.evaluate(() => document.body.innerText);
      check(text.split(showName).length === 2 && await page.isDisabled('#NextButton') && !(await page.isVisible('#PlayButton')),
            `${name}: an empty page shows its name once, nothing to move to and nothing to play: ${text}`);
      return;
    }
    if (count > 10) {
      // A long show fetches only the photo on show and the next one.
      await page.waitForTimeout(300);
      const photos = [...new Set(loaded.filter((file) => file.endsWith('.jpg')).map((file) => file.split('/').pop()))];
      check(JSON.stringify(photos) === '["p0001.jpg","p0002.jpg"]', `${name}: photos fetched: ${photos.slice(0, 5)}`);
    }
    await pause(page);
    check((await playButton(page)) === 'Play', `${name}: autoplay pauses`);
    await shows(page, manifest, 1, `${name} start`);
    for (let n = 2; n <= Math.min(count, 10); n++) {
      await page.click('#NextButton');
      await shows(page, manifest, n, `${name} Next`);
    }
    await page.keyboard.press('End');
    await shows(page, manifest, count, `${name} End`);
    await page.keyboard.press('ArrowRight');
    await shows(page, manifest, 1, `${name} ArrowRight wraps`);
    check(await page.isDisabled('#PreviousButton') === (count < 2), `${name}: Previous enabled only with two slides or more`);
    if (count > 1) await page.click('#PreviousButton'); else await page.keyboard.press('ArrowLeft');
    await shows(page, manifest, count, `${name} Previous wraps`);
    await page.keyboard.press('ArrowLeft');
    await shows(page, manifest, Math.max(1, count - 1), `${name} ArrowLeft`);
  });
}

// Phones both ways round and a laptop: nothing scrolls sideways, and the photo,
// its caption and every control are on screen at once, none clipped or wrapped.
for (const name of ['plain', 'tricky-text', 'tricky-names', 'thumbnails']) {
  // The French and German texts, longer than the English, fit too.
  for (const [width, height, locale] of [[320, 568], [320, 568, 'fr-FR'], [390, 844], [844, 390], [568, 320], [568, 320, 'de-DE'], [1366, 768]]) {
    const phone = width < 900;
    await withPage(cases[name].url, { viewport: { width, height }, hasTouch: phone, isMobile: phone, locale }, async (page) => {
      await pause(page);
      for (const n of [1, 2, 3]) {
        await page.evaluate((slide) => { location.hash = `#${slide}`; }, n);
        await waitForPicture(page);
        const layout = await page.evaluate(() => {
          const box = (element) => element.getBoundingClientRect().toJSON();
          const range = document.createRange();
          const lines = (element) => { range.selectNodeContents(element); return new Set([...range.getClientRects()].map((r) => Math.round(r.top))).size; };
          const buttons = [...document.querySelectorAll('button')].filter((b) => b.offsetParent !== null)
            .map((b) => ({ id: b.id, ...box(b), clipped: b.scrollWidth > b.clientWidth || lines(b) !== 1 }));
          return { scrollWidth: document.documentElement.scrollWidth, innerWidth, buttons,
                   picture: box(document.getElementsByName('PictureBox')[0]), caption: box(document.getElementById('CaptionBox')),
                   hint: getComputedStyle(document.querySelector('.Hint')).display };
        });
        // A phone widens its layout to the page, so the screen's own size is the measure.
        const inside = (b) => b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height;
        const off = layout.buttons.filter((b) => !inside(b) || b.clipped).map((b) => b.id);
        check(layout.scrollWidth <= width && layout.innerWidth === width && off.length === 0
              && inside(layout.picture) && layout.picture.height >= 120
              && layout.caption.top < height && layout.caption.bottom > 0 && (layout.hint === 'none') === phone,
              `${name} at ${width}x${height} ${locale ?? ''}, slide ${n}: ${JSON.stringify({ ...layout, buttons: off })}`);
      }
    });
  }
}

// Keys and links: Space presses the focused button; a hash opens its slide;
// moving replaces the address without adding to the history.
{
  const { manifest, url } = cases.plain;
  await withPage(`${url}#2`, {}, async (page) => {
    await shows(page, manifest, 2, 'opened at #2');
    check((await playButton(page)) === 'Play', 'a link to one slide does not play');
    const history = await page.evaluate(() => history.length);
    await page.focus('#NextButton');
    await page.keyboard.press(' ');
    await shows(page, manifest, 3, 'Space on Next');
    check((await playButton(page)) === 'Play', 'Space on Next does not start playing');
    check(await page.evaluate(() => location.hash) === '#3', 'the address follows the slide');
    check(await page.evaluate(() => history.length) === history, 'moving does not fill the history');
    await page.evaluate(() => { location.hash = '#1'; });
    await shows(page, manifest, 1, 'hash changed to #1');
    await page.evaluate(() => document.activeElement.blur());
    await page.keyboard.press(' ');
    check((await playButton(page)) === 'Pause', 'Space elsewhere starts playing');
    await page.waitForFunction(() => location.hash === '#2', null, { timeout: 20000 }).catch(() => {});
    await shows(page, manifest, 2, 'autoplay');
  });
  await withPage(`${url}#99`, {}, async (page) => { await shows(page, manifest, 1, 'a hash beyond the show'); });
}

// Less motion: no autoplay, no fade.
await withPage(cases.plain.url, { reducedMotion: 'reduce' }, async (page) => {
  const fade = await page.evaluate(() => getComputedStyle(document.getElementsByName('PictureBox')[0]).transitionDuration);
  await page.waitForTimeout(3500);
  check((await playButton(page)) === 'Play' && fade === '0s' && (await page.textContent('#Position')) === '1 / 3',
        `reduced motion: autoplay started or the picture fades for ${fade}`);
});

// Thumbnails: the grid opens by G only where they exist, loads lazily, and a thumbnail opens its slide.
await withPage(cases.thumbnails.url, {}, async (page, loaded) => {
  await pause(page);
  check(!loaded.some((file) => file.includes('/SlideShow-thumbnails/')), 'thumbnails: none loaded before the grid opens');
  await page.keyboard.press('g');
  const images = await page.evaluate(() => [...document.querySelectorAll('#Grid img')].map((i) => `${i.loading} ${i.getAttribute('src')}`));
  check(JSON.stringify(images) === JSON.stringify([1, 2, 3].map((n) => `lazy SlideShow-thumbnails/t${n}.jpg`)), `thumbnails: grid ${images}`);
  check(await page.evaluate(() => document.activeElement.getAttribute('data-slide')) === '1', 'thumbnails: focus on the current slide');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  await shows(page, cases.thumbnails.manifest, 2, 'thumbnail reached by Tab and Enter');
  check(!(await page.isVisible('#Thumbnails')), 'thumbnails: choosing one closes the grid');
  await page.click('#GridButton');
  check(await page.isVisible('#Thumbnails'), 'thumbnails: the Photos button opens the grid');
  // Each photo whole in its shape, with the first line of its caption, cut short with an ellipsis when it is long.
  await page.waitForFunction(() => [...document.querySelectorAll('#Grid img')].every((i) => i.complete));
  const cells = await page.evaluate(() => [...document.querySelectorAll('#Grid button')].map((button) => {
    const label = button.querySelector('.Label'), image = button.querySelector('img');
    const inside = (a, b) => a.left >= b.left - 1 && a.top >= b.top - 1 && a.right <= b.right + 1 && a.bottom <= b.bottom + 1;
    return { label: label.textContent, cut: label.scrollWidth > label.clientWidth && getComputedStyle(label).textOverflow === 'ellipsis',
             whole: ['contain', 'scale-down'].includes(getComputedStyle(image).objectFit)
               && inside(image.getBoundingClientRect(), button.getBoundingClientRect()),
             portrait: image.naturalHeight > image.naturalWidth, srcset: image.getAttribute('srcset') };
  }));
  check(JSON.stringify(cells.map((c) => c.label)) === JSON.stringify(['First, with a caption far too long for its place in the grid', 'Second', 'Third'])
        && cells[0].cut && !cells[1].cut && cells.every((c) => c.whole) && cells[1].portrait
        && cells.every((c, i) => c.srcset === `SlideShow-thumbnails/t${i + 1}.jpg 1x, SlideShow-thumbnails/2x/t${i + 1}.jpg 2x`),
        `thumbnails: grid cells ${JSON.stringify(cells)}`);
  // Arrow keys move through the grid; Enter opens the slide.
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  check(await page.evaluate(() => document.activeElement.getAttribute('data-slide')) === '3', 'thumbnails: arrow keys move the focus');
  await page.keyboard.press('Enter');
  await shows(page, cases.thumbnails.manifest, 3, 'thumbnail reached by arrow keys and Enter');
});
// On a screen of twice the density the grid shows the 640 px thumbnails.
await withPage(cases.thumbnails.url, { deviceScaleFactor: 2 }, async (page) => {
  await pause(page);
  await page.keyboard.press('g');
  await page.waitForFunction(() => [...document.querySelectorAll('#Grid img')].every((i) => i.complete && i.currentSrc));
  const sources = await page.evaluate(() => [...document.querySelectorAll('#Grid img')].map((i) => `${decodeURIComponent(i.currentSrc).split('/').slice(-2).join('/')} ${i.naturalWidth}`));
  // At twice the density an image is half its pixels wide: the 640 px thumbnails (never enlarged) of 320, 230 and 400 px photos.
  check(JSON.stringify(sources) === JSON.stringify(['2x/t1.jpg 160', '2x/t2.jpg 115', '2x/t3.jpg 200']), `thumbnails at 2x: ${sources}`);
});
await withPage(cases.plain.url, {}, async (page) => {
  await page.keyboard.press('g');
  check(!(await page.isVisible('#GridButton')) && !(await page.isVisible('#Thumbnails')), 'no thumbnails: no Photos button, G opens nothing');
});

// The page's own texts follow the first of the reader's languages that it has, else English; captions stay as written,
// each in its own direction.
for (const [languages, next, photos, hint, empty] of [
  [['de-DE'], 'Weiter', 'Fotos', ', G f\u00fcr alle Fotos.', 'Noch keine Bilder'],
  [['es-ES', 'fr'], 'Suivant', 'Photos', ', G pour toutes les photos.', 'Pas encore de diapositives'],
  [['EN-gb', 'de'], 'Next', 'Photos', ', G for all photos.', 'No slides yet'],
  [['pt-BR'], 'Next', 'Photos', ', G for all photos.', 'No slides yet']]) {
  await withPage(cases.thumbnails.url, { languages }, async (page) => {
    const seen = await page.evaluate(() => [document.querySelector('#NextButton').innerText.replace(/\s*\u25b6$/, ''),
      document.querySelector('#GridButton').innerText, document.querySelector('.Hint').innerText, document.getElementById('CaptionBox').textContent]);
    check(seen[2].endsWith(hint) && JSON.stringify(seen) === JSON.stringify([next, photos, seen[2], cases.thumbnails.manifest.slides[0].caption]),
          `${languages}: ${JSON.stringify(seen)}`);
  });
  await withPage(cases.empty.url, { languages }, async (page) => {
    check((await page.textContent('#Position')) === empty, `${languages}: an empty page says ${await page.textContent('#Position')}`);
  });
}
await withPage(`${cases['tricky-text'].url}#5`, {}, async (page) => {
  const direction = () => page.evaluate(() => getComputedStyle(document.getElementById('CaptionBox')).direction);
  const rtl = await direction();
  await page.keyboard.press('Home');
  check(rtl === 'rtl' && await direction() === 'ltr', `captions run each in its own direction: ${rtl}`);
});

// No accessibility faults axe-core finds, in English and German, on a laptop and a phone, with the grid shut and open.
const axe = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
for (const [name, grid] of [['thumbnails', false], ['thumbnails', true], ['empty', false]]) {
  for (const locale of ['en-US', 'de-DE']) {
    for (const [width, height] of [[1366, 768], [390, 844]]) {
      await withPage(cases[name].url, { locale, viewport: { width, height }, reducedMotion: 'reduce' }, async (page) => {
        if (grid) await page.keyboard.press('g');
        await page.addScriptTag({ path: axe });
        const found = await page.evaluate(() => axe.run({ runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] } }));
        check(found.violations.length === 0, `axe: ${name}${grid ? ' with the grid' : ''}, ${locale}, ${width}x${height}: `
              + found.violations.map((v) => `${v.id} at ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`).join('; '));
      });
    }
  }
}

// A page opened while its slides are still being added says so.
{
  const unfinished = join(root, 'plain', 'Unfinished.htm');
  const text = readFileSync(join(root, 'plain', 'SlideShow.htm'), 'latin1');
  writeFileSync(unfinished, text.slice(0, text.indexOf('\r\n</script>', text.indexOf('var Picture'))), 'latin1');
  for (const [languages, notice] of [[undefined, 'still being made'], [['de-DE', 'en'], 'gerade erstellt'], [['es', 'fr'], 'en cours de']]) {
    await withPage(pathToFileURL(unfinished).href, { languages }, async (page) => {
      const said = await page.evaluate(() => getComputedStyle(document.body, '::before').content);
      check(said.includes(notice), `a page mid-batch says what it is, ${languages}: ${said}`);
    });
  }
}

await browser.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);

// Opens the pages that makepages wrote in Debian's Chromium and checks that
// each one shows and plays its slides. Usage: node slideshow.test.mjs FOLDER
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

async function openPage(context, url, errors) {
  const page = await context.newPage();
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('requestfailed', (request) => errors.push(`request failed: ${request.url()}`));
  await page.goto(url, { waitUntil: 'load' });
  return page;
}

async function pictureState(page) {
  return page.evaluate(() => {
    const image = document.getElementsByName('PictureBox')[0];
    return { complete: image.complete, width: image.naturalWidth, src: image.getAttribute('src'),
             alt: image.alt, fit: getComputedStyle(image).objectFit };
  });
}

async function waitForPicture(page) {
  await page.waitForFunction(() => {
    const image = document.getElementsByName('PictureBox')[0];
    return image.complete;
  });
  return pictureState(page);
}

async function shows(page, manifest, n, how) {
  const count = manifest.slides.length;
  const slide = manifest.slides[n - 1];
  const picture = await waitForPicture(page);
  const caption = await page.textContent('#CaptionBox');
  const position = await page.textContent('#Position');
  check(caption === slide.caption, `${how}: slide ${n} caption is ${JSON.stringify(caption)}, not ${JSON.stringify(slide.caption)}`);
  check(picture.width > 0, `${how}: slide ${n} image ${slide.file} is not loaded`);
  check(decodeURIComponent(picture.src) === slide.file, `${how}: slide ${n} shows ${picture.src}`);
  check(position === `${n} / ${count}`, `${how}: position reads ${JSON.stringify(position)}`);
  check(picture.alt === slide.caption, `${how}: alt text of slide ${n}`);
}

for (const name of readdirSync(root).sort()) {
  const folder = join(root, name);
  const manifest = JSON.parse(readFileSync(join(folder, 'manifest.json'), 'utf8'));
  const url = pathToFileURL(join(folder, 'SlideShow.htm')).href;
  const count = manifest.slides.length;
  console.log(`# ${name}: ${count} slides`);

  // Without script: the first picture and the slide show's name are on show.
  {
    const errors = [];
    const context = await browser.newContext({ javaScriptEnabled: false });
    const page = await openPage(context, url, errors);
    const caption = (await page.textContent('#CaptionBox')).trim();
    check(caption === manifest.name.trim(), `${name} without script: caption cell shows ${JSON.stringify(caption)}`);
    if (count > 0) {
      const picture = await waitForPicture(page);
      check(picture.width > 0, `${name} without script: first picture not loaded`);
    }
    check(errors.length === 0 || count === 0, `${name} without script: errors ${errors.join(' | ')}`);
    await context.close();
  }

  // With script: every slide is reached by buttons and keys.
  const errors = [];
  const context = await browser.newContext();
  const page = await openPage(context, url, errors);
  check(await page.title() === manifest.name.trim(), `${name}: page title is ${JSON.stringify(await page.title())}`);
  check((await page.textContent('#ShowName')) === manifest.name.trim(), `${name}: heading shows the name`);
  if (count === 0) {
    check((await page.textContent('#CaptionBox')).trim() === manifest.name.trim(), `${name}: empty page shows the name`);
    check(await page.isDisabled('#NextButton'), `${name}: nothing to move to`);
  } else {
    if ((await page.textContent('#PlayButton')) === 'Pause') await page.click('#PlayButton');
    check((await page.textContent('#PlayButton')) === 'Play', `${name}: autoplay pauses`);
    check((await pictureState(page)).fit === 'contain', `${name}: images keep their proportions`);
    await shows(page, manifest, 1, `${name} start`);
    for (let n = 2; n <= count; n++) {
      await page.click('#NextButton');
      await shows(page, manifest, n, `${name} Next`);
    }
    await page.click('#NextButton');
    await shows(page, manifest, 1, `${name} Next wraps`);
    await page.click('#PreviousButton');
    await shows(page, manifest, count, `${name} Previous wraps`);
    await page.keyboard.press('Home');
    await shows(page, manifest, 1, `${name} Home`);
    for (let n = 2; n <= count; n++) {
      await page.keyboard.press('ArrowRight');
      await shows(page, manifest, n, `${name} ArrowRight`);
    }
    await page.keyboard.press('ArrowLeft');
    await shows(page, manifest, Math.max(1, count - 1), `${name} ArrowLeft`);
    await page.keyboard.press('End');
    await shows(page, manifest, count, `${name} End`);

    if (count > 1) {
      await page.keyboard.press('Home');
      await page.keyboard.press(' ');
      check((await page.textContent('#PlayButton')) === 'Pause', `${name}: space starts playing`);
      await page.waitForFunction(() => document.getElementById('Position').textContent.startsWith('2 /'),
                                 null, { timeout: 20000 }).catch(() => {});
      await shows(page, manifest, 2, `${name} autoplay`);
    }
  }
  check(errors.length === 0, `${name}: console errors: ${errors.join(' | ')}`);
  await context.close();
}

await browser.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);

// The page as a whole: no network request once loaded, keyboard access, accessible names
// equal to the desktop captions, and 200 % zoom.
import { readFileSync, statSync } from 'node:fs';
import { expect, test } from '@playwright/test';
import { answerAll, example, loadFiles, openPage, pageFile, saveDownload } from './helpers';

test('no network request after the page has loaded', async ({ page }) => {
  const requests: string[] = [];
  await openPage(page);
  page.on('request', (r) => {
    if (!r.url().startsWith('data:') && !r.url().startsWith('blob:')) requests.push(r.url());
  });
  await loadFiles(page, [example('servo_tamb4_dcc.hex')]);
  await answerAll(page);
  await page.getByRole('button', { name: 'HEX Info', exact: true }).click();
  await page.getByRole('button', { name: 'Fenster schliessen', exact: true }).click();
  await page.getByRole('button', { name: 'Hilfe zu diesem Decoder', exact: true }).click();
  await page.getByRole('button', { name: 'Fenster schliessen', exact: true }).click();
  await saveDownload(page);
  expect(requests).toEqual([]);
});

test('the desktop captions are the accessible names, and the keyboard reaches everything', async ({ page }) => {
  await openPage(page);
  for (const name of ['HEX laden', 'speichern', 'HEX Info', 'Vorherige HEX-Datei', 'Nächste HEX-Datei', 'Rückgängig', 'Wiederholen'])
    await expect(page.getByRole('button', { name, exact: true })).toBeAttached();
  await loadFiles(page, [example('tollet_mot.hex')]);
  await answerAll(page);
  // each row's address field is named by its caption
  await expect(page.getByRole('textbox', { name: 'Weiche', exact: true })).toHaveValue('12');
  await expect(page.getByRole('button', { name: 'R/G Weiche', exact: true })).toBeVisible();
  // Ctrl+S opens the save with the keyboard alone; Escape cancels it
  await page.getByRole('textbox', { name: 'Weiche', exact: true }).focus();
  await page.keyboard.press('Control+s');
  await expect(page.locator('dialog.box-filename')).toBeVisible();
  await page.keyboard.press('Escape');
  await expect(page.locator('dialog.box-filename')).toHaveCount(0);
  // Tab walks from the rows to the buttons
  const seen = new Set<string>();
  for (let i = 0; i < 40; i++) {
    await page.keyboard.press('Tab');
    seen.add((await page.evaluate(() => document.activeElement?.getAttribute('aria-label') ?? document.activeElement?.textContent ?? '')) ?? '');
  }
  expect([...seen]).toEqual(expect.arrayContaining(['Weiche', 'HEX laden', 'speichern']));
});

test('at 200 % zoom nothing runs off the side and every button is reachable', async ({ page }) => {
  await page.setViewportSize({ width: 1280, height: 800 });
  await openPage(page);
  await page.evaluate(() => ((document.body.style as CSSStyleDeclaration & { zoom: string }).zoom = '2'));
  for (const file of ['servo_tamb4_dcc.hex', 'relais8_dcc.hex']) {
    await loadFiles(page, [example(file)]);
    await answerAll(page);
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
    expect(overflow, file).toBeLessThanOrEqual(0);
    for (const name of ['HEX laden', 'speichern', 'HEX Info']) {
      const button = page.getByRole('button', { name, exact: true });
      await button.scrollIntoViewIfNeeded();
      await expect(button).toBeInViewport();
    }
  }
});

// The time from opening the file to the page ready, and to an example loaded and shown, as
// the browser measures it; printed for the README's figure. The goal is 1 s on the 2-core
// machine; the bound here only catches a page that hangs, since a busy machine is slower.
test('page ready with an example loaded: timing', async ({ page }) => {
  await openPage(page);
  const ready = Number(await page.locator('body').getAttribute('data-ready-ms'));
  const t0 = await page.evaluate(() => performance.now());
  await loadFiles(page, [example('servo_tamb4_dcc.hex')]);
  await answerAll(page);
  await expect(page.locator('#editor canvas.curve')).toBeVisible();
  const loaded = (await page.evaluate(() => performance.now())) - t0;
  const core = Number(await page.locator('body').getAttribute('data-load-ms'));
  console.log(`page ready: ${ready} ms after navigation; servo_tamb4_dcc.hex: load sequence ${core} ms, picked, loaded and shown ${Math.round(loaded)} ms`);
  expect(ready).toBeGreaterThan(0);
  expect(ready + loaded).toBeLessThan(20000);
});

test('the servo raster and the last file name stay in the browser across a reload', async ({ page }) => {
  await openPage(page);
  await loadFiles(page, [example('servo_tamb4_dcc.hex')]);
  await answerAll(page);
  await page.getByRole('combobox', { name: 'Raster X', exact: true }).selectOption('5');
  await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
  await page.getByRole('combobox', { name: 'Raster Y', exact: true }).selectOption('2');
  await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
  await openPage(page);
  const kept = await page.evaluate(() => JSON.parse(localStorage.getItem('korrin.settings') ?? '{}'));
  expect(kept).toEqual({ lastFileName: 'servo_tamb4_dcc.hex', rasterX: 5, rasterY: 2 });
  await loadFiles(page, [example('servo_tamb4_dcc.hex')]);
  await answerAll(page);
  await expect(page.getByRole('combobox', { name: 'Raster X', exact: true })).toHaveValue('5');
  await expect(page.getByRole('combobox', { name: 'Raster Y', exact: true })).toHaveValue('2');
  // loading the file gave no undo step
  await expect(page.getByRole('button', { name: 'Rückgängig', exact: true })).toBeDisabled();
});

test('korrin.html is one file of at most 2.5 MB that needs no other file', async () => {
  const html = readFileSync(pageFile, 'utf8');
  expect(statSync(pageFile).size).toBeLessThanOrEqual(2.5 * 1024 * 1024);
  // no script, style sheet or image comes from beside it
  expect(html).not.toMatch(/<script[^>]+src=|<link[^>]+href=|<img[^>]+src="(?!data:)/);
});

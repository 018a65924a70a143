// Drawing with mouse and touch: a stroke over a blink pattern strip and a servo curve dragged
// by mouse and by touch. Each stroke is one undo step, and the saved file is the one korrin-cli
// set writes for the values the stroke left.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { expect, test, type Page } from '@playwright/test';
import { answerAll, example, loadFiles, openPage, runCli, saveDownload, tempDir } from './helpers';

async function settingValue(page: Page, key: string): Promise<string> {
  return page.evaluate((k) => (document.querySelector(`#editor input[data-key="${k}"]`) as HTMLInputElement | null)?.value ?? '', key);
}

async function expectSavedAsCli(page: Page, file: string, sets: string[]): Promise<void> {
  const out = join(tempDir(), 'out.hex');
  const cli = runCli(['set', example(file), '-o', out, ...sets.flatMap((s) => ['--set', s])]);
  expect(cli.status, cli.stderr).toBe(0);
  const apply = page.getByRole('button', { name: 'Übernehmen', exact: true });
  if (await apply.isEnabled()) await apply.click();
  expect((await saveDownload(page)).equals(readFileSync(out))).toBe(true);
}

test('a stroke over a pattern strip paints every cell it passes, as one step', async ({ page }) => {
  await openPage(page);
  await loadFiles(page, [example('blinkmuster_mot.hex')]);
  await answerAll(page);
  const cells = page.locator('#editor [data-key="muster2.ausgang1"]');
  await expect(cells).toHaveCount(4);
  const box = async (i: number) => (await cells.nth(i).boundingBox())!;
  const first = await box(1);
  const last = await box(3);
  await page.mouse.move(first.x + first.width / 2, first.y + first.height / 2);
  await page.mouse.down();
  await page.mouse.move(last.x + last.width / 2, last.y + last.height / 2, { steps: 6 });
  await page.mouse.up();
  await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
  const cellsOn = async () => Promise.all([0, 1, 2, 3].map(async (i) => (await cells.nth(i).getAttribute('aria-pressed')) === 'true'));
  await expect.poll(cellsOn).toEqual([true, true, true, true]);
  // one undo takes the whole stroke back
  await page.getByRole('button', { name: 'Rückgängig', exact: true }).click();
  await expect.poll(cellsOn).toEqual([true, false, false, false]);
  await page.getByRole('button', { name: 'Wiederholen', exact: true }).click();
  await expect.poll(cellsOn).toEqual([true, true, true, true]);
  await expectSavedAsCli(page, 'blinkmuster_mot.hex', ['muster2.ausgang1=XXXX']);
});

for (const input of ['mouse', 'touch'] as const) {
  test(`the servo curve follows a ${input} drag`, async ({ browser }) => {
    const context = await browser.newContext({ hasTouch: input === 'touch', acceptDownloads: true });
    const page = await context.newPage();
    await openPage(page);
    await loadFiles(page, [example('servo_tamb4_dcc.hex')]);
    await answerAll(page);
    const curve = page.locator('#editor canvas.curve');
    await expect(curve).toBeVisible();
    const selected = await page.evaluate(() => document.querySelector('#editor canvas.curve')?.getAttribute('aria-label') ?? '');
    const n = /(\d+)/.exec(selected)![1];
    const key = `kurve${n}.punkte`;
    const before = await settingValue(page, key);
    const b = (await curve.boundingBox())!;
    // from the middle of the curve straight up to near the top
    const x = b.x + b.width * 0.5;
    const from = { x, y: b.y + b.height * 0.5 };
    const to = { x, y: b.y + b.height * 0.1 };
    if (input === 'mouse') {
      await page.mouse.move(from.x, from.y);
      await page.mouse.down();
      await page.mouse.move(to.x, to.y, { steps: 8 });
      await page.mouse.up();
    } else {
      const cdp = await context.newCDPSession(page);
      const touch = (type: 'touchStart' | 'touchMove' | 'touchEnd', p: { x: number; y: number }[]) =>
        cdp.send('Input.dispatchTouchEvent', { type, touchPoints: p.map((q) => ({ x: q.x, y: q.y })) });
      await touch('touchStart', [from]);
      for (let i = 1; i <= 8; i++) await touch('touchMove', [{ x, y: from.y + ((to.y - from.y) * i) / 8 }]);
      await touch('touchEnd', []);
    }
    await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
    await expect.poll(() => settingValue(page, key)).not.toBe(before);
    const after = await settingValue(page, key);
    await expectSavedAsCli(page, 'servo_tamb4_dcc.hex', [`${key}=${after}`]);
    await context.close();
  });
}

test('"Vorschau" plays the selected pattern and stops again', async ({ page }) => {
  await openPage(page);
  await loadFiles(page, [example('blinkmuster_mot.hex')]);
  await answerAll(page);
  await page.getByRole('button', { name: 'Muster 2', exact: true }).click();
  await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
  const preview = page.getByRole('button', { name: 'Vorschau', exact: true });
  await preview.click();
  const lamps = page.locator('#editor .preview-show .lamp');
  await expect(lamps).toHaveCount(4);
  // pattern 2 runs one lit output along the four; its lamps change as it plays
  const seen = new Set<string>();
  const deadline = Date.now() + 6000;
  while (seen.size < 2 && Date.now() < deadline) {
    seen.add((await lamps.evaluateAll((ls) => ls.map((l) => (l.classList.contains('on') ? 'X' : '.')).join(''))) as string);
    await page.waitForTimeout(100);
  }
  expect(seen.size).toBeGreaterThanOrEqual(2);
  await preview.click();
  await expect(preview).toHaveText(/\u25B6/);
});

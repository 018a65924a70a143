// Editing in the page: an edit of each editor kind, saved as a download, is byte for byte the
// file korrin-cli set writes for the same edit; a refused value shows the desktop message and
// changes nothing; undo and redo by keys and buttons.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { expect, test, type Page } from '@playwright/test';
import { answerAll, cliMessages, example, loadFiles, openPage, runCli, saveDownload, tempDir } from './helpers';

// Sets one editor setting through its control: a check box is ticked, a strip is painted
// point by point, any other field is typed into and taken with Enter.
async function setThroughPage(page: Page, key: string, value: string): Promise<void> {
  const control = page.locator(`#editor [data-key="${key}"]`);
  await expect(control.first()).toBeAttached();
  const count = await control.count();
  if (count > 1) {
    // a strip: one cell per point
    for (let i = 0; i < count; i++) {
      const cell = control.nth(i);
      const on = (await cell.getAttribute('aria-pressed')) === 'true';
      if (on !== (value[i] === 'X')) {
        await cell.click();
        await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
      }
    }
    return;
  }
  if ((await control.getAttribute('type')) === 'checkbox') {
    await control.setChecked(value === '1');
  } else {
    await control.fill(value);
    await control.press('Enter');
  }
  await expect(page.locator('#app')).toHaveAttribute('aria-busy', 'false');
}

interface EditCase {
  kind: string;
  file: string;
  sets: [string, string][];
  rows?: { row: number; address: string; green?: boolean }[];
}

const cases: EditCase[] = [
  { kind: 'cv', file: 'fenwik_18324_cv.hex', sets: [['cv29', '38'], ['cv1', '120']] },
  { kind: 'options', file: 'relais8_dcc.hex', sets: [['modus.bit7', '1'], ['abschaltzeit', '40']] },
  { kind: 'options (time-out)', file: 'tollet_mot.hex', sets: [['timeout', '99']] },
  { kind: 'blink', file: 'blinkmuster_mot.hex', sets: [['muster2.ausgang3', 'XX.X']] },
  { kind: 'led-blink', file: 'led_blinkmuster_dcc.hex', sets: [['muster4.ausgang9.verwenden', '0']] },
  { kind: 'servo curve', file: 'servo_tamb4_dcc.hex', sets: [['kurve1.punkte', '0,50,100,120']] },
  { kind: 'servo assignment', file: 'servo_tamb4_dcc.hex', sets: [['adresse3.servo', '2']] },
  { kind: 'rows', file: 'tollet_mot.hex', sets: [], rows: [{ row: 1, address: '44', green: false }, { row: 2, address: '45' }] },
];

test.describe('an edit saved in the page is the file korrin-cli set writes', () => {
  for (const c of cases) {
    test(c.kind, async ({ page }) => {
      const out = join(tempDir(), 'out.hex');
      const args = ['set', example(c.file), '-o', out];
      for (const [k, v] of c.sets) args.push('--set', `${k}=${v}`);
      for (const r of c.rows ?? []) args.push('--row', `${r.row}=${r.address}${r.green === undefined ? '' : r.green ? 'g' : 'r'}`);
      const cli = runCli(args);
      expect(cli.status, cli.stderr).toBe(0);

      await openPage(page);
      await loadFiles(page, [example(c.file)]);
      await answerAll(page);
      for (const [k, v] of c.sets) await setThroughPage(page, k, v);
      for (const r of c.rows ?? []) {
        const field = page.locator(`#row-${r.row}-address`);
        await field.fill(r.address);
        await field.press('Enter');
        if (r.green !== undefined && (await field.evaluate((e) => e.classList.contains('green'))) !== r.green)
          await page.locator(`#row-${r.row}-address ~ button.rg`).click();
      }
      const apply = page.getByRole('button', { name: 'Übernehmen', exact: true });
      if ((await apply.count()) > 0 && (await apply.isEnabled())) await apply.click();
      const saved = await saveDownload(page);
      expect(saved.equals(readFileSync(out))).toBe(true);
    });
  }
});

test('a refused value shows the desktop message and changes nothing', async ({ page }) => {
  const out = join(tempDir(), 'out.hex');
  const cli = runCli(['set', example('fenwik_18324_cv.hex'), '-o', out, '--set', 'cv29=300']);
  expect(cli.status).toBe(1);
  const expected = cliMessages(cli.stderr);
  expect(expected.length).toBe(1);
  await openPage(page);
  await loadFiles(page, [example('fenwik_18324_cv.hex')]);
  await answerAll(page);
  const field = page.locator('#editor [data-key="cv29"]');
  const before = await field.inputValue();
  await field.fill('300');
  await field.press('Enter');
  expect(await answerAll(page)).toEqual(expected);
  await expect(page.locator('#editor [data-key="cv29"]')).toHaveValue(before);
  // nothing was changed: the save writes the file as it was loaded
  const same = join(tempDir(), 'same.hex');
  expect(runCli(['set', example('fenwik_18324_cv.hex'), '-o', same]).status).toBe(0);
  expect((await saveDownload(page)).equals(readFileSync(same))).toBe(true);
});

test('undo and redo by keys and by buttons', async ({ page }) => {
  await openPage(page);
  await loadFiles(page, [example('fenwik_18324_cv.hex')]);
  await answerAll(page);
  const cv29 = () => page.locator('#editor [data-key="cv29"]');
  const undo = page.getByRole('button', { name: 'Rückgängig', exact: true });
  const redo = page.getByRole('button', { name: 'Wiederholen', exact: true });
  await expect(undo).toBeDisabled();
  const before = await cv29().inputValue();
  await cv29().fill('38');
  await cv29().press('Enter');
  await expect(cv29()).toHaveValue('38');
  await expect(undo).toBeEnabled();
  await page.keyboard.press('Control+z');
  await expect(cv29()).toHaveValue(before);
  await page.keyboard.press('Control+y');
  await expect(cv29()).toHaveValue('38');
  await undo.click();
  await expect(cv29()).toHaveValue(before);
  await redo.click();
  await expect(cv29()).toHaveValue('38');
  // a row typed and left is one step too
  await loadFiles(page, [example('tollet_mot.hex')]);
  await answerAll(page);
  const row = page.locator('#row-1-address');
  const old = await row.inputValue();
  await row.fill('77');
  await row.press('Enter');
  await page.keyboard.press('Control+z');
  await expect(row).toHaveValue(old);
  await page.keyboard.press('Control+Shift+z');
  await expect(row).toHaveValue('77');
});

// Loading files in the page: every example shows what korrin-cli info shows, a file that does
// not load shows the desktop program's message and leaves the page working, the malformed
// fixtures of the core's tests never stop the page, and stepping through a folder.
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { expect, test } from '@playwright/test';
import { answerAll, cliInfo, cliLoadMessages, example, examples, fixtures, loadFiles, openPage, repo } from './helpers';

const exampleFiles = readdirSync(examples).filter((f) => f.endsWith('.hex')).sort();

test.describe('every example shows what korrin-cli info shows', () => {
  for (const name of exampleFiles) {
    test(name, async ({ page }) => {
      const info = cliInfo(example(name));
      await openPage(page);
      await loadFiles(page, [example(name)]);
      expect(await answerAll(page)).toEqual(cliLoadMessages(example(name)));
      // type (the header), PIC, protocol and version in the status bar
      if (info.title) await expect(page.locator('#header')).toHaveText(info.title);
      const status = (await page.locator('#status').innerText()).replace(/\s+/g, ' ');
      expect(status).toContain(String(info.pic));
      expect(status).toContain(`V ${info.version.toFixed(2)}`);
      expect(status).toContain(info.protocol);
      expect(status).toContain(name);
      // the rows: caption and address text of each shown row, in order
      for (const row of info.rows) {
        const field = page.getByRole('textbox', { name: row.caption.trim(), exact: true }).first();
        await expect(field).toBeVisible();
        if (row.address !== null) await expect(field).toHaveValue(String(row.address));
        if (row.green !== undefined) await expect(field).toHaveClass(row.green ? /green/ : /red/);
      }
      // the editor of the type
      if (info.editor) {
        await expect(page.locator('#editor')).toBeVisible();
        const first = Object.values(info.editor.settings)[0]?.[0];
        if (first) await expect(page.locator(`#editor [data-key="${first.key}"]`).first()).toBeAttached();
      } else {
        await expect(page.locator('#editor')).toBeHidden();
      }
    });
  }
});

// Files the core refuses or warns about: the page shows exactly the messages korrin-cli
// prints for them (the same core, the same texts), one in-page dialog each, and afterwards
// the page still loads a good file.
test('malformed files show the core messages and never stop the page', async ({ page }, testInfo) => {
  test.setTimeout(300_000);
  const corpus = join(repo, 'fuzz/corpus/hex_reader');
  const made: [string, string | Buffer][] = [
    ['not-hex.hex', ':10000000ZZ\r\n'],
    ['extended-address.hex', ':020000040000FB\r\n'],
    ['record-type-6.hex', ':0200000612345A\r\n'],
    ['binary.hex', Buffer.from(Array.from({ length: 300 }, (_, i) => (i * 97 + 13) % 256))],
    ['empty.hex', ''],
  ];
  const files = [
    ...readdirSync(fixtures).filter((f) => f.endsWith('.hex')).sort().map((f) => join(fixtures, f)),
    ...readdirSync(corpus).sort().map((f) => join(corpus, f)),
    ...made.map(([name, content]) => {
      const path = testInfo.outputPath(name);
      writeFileSync(path, content);
      return path;
    }),
  ];
  // A fresh page for each file: the reader keeps the record addresses of the file before (as
  // the desktop window does), and korrin-cli starts fresh each time.
  for (const file of files) {
    await openPage(page);
    await loadFiles(page, [file]);
    expect(await answerAll(page), file).toEqual(cliLoadMessages(file));
  }
  await loadFiles(page, [example('tollet_mot.hex')]);
  await expect(page.locator('#header')).toHaveText('Tollet');
});

test('a file that does not load shows the reader message; the page goes on', async ({ page }, info) => {
  const path = info.outputPath('zeile.hex');
  writeFileSync(path, ':0200000612345A\r\n');
  const expected = cliLoadMessages(path);
  expect(expected).toHaveLength(1);
  await openPage(page);
  await loadFiles(page, [example('tollet_mot.hex')]);
  await answerAll(page);
  await loadFiles(page, [path]);
  expect(await answerAll(page)).toEqual(expected);
  await loadFiles(page, [example('relais8_dcc.hex')]);
  expect(await answerAll(page)).toEqual([]);
  await expect(page.locator('#header')).toHaveText(cliInfo(example('relais8_dcc.hex')).title ?? '');
});

test('"<" and ">" step through several files chosen at once, in name order, wrapping', async ({ page }) => {
  const chosen = ['tollet_mot.hex', 'relais8_dcc.hex', 'blinkmuster_mot.hex'];
  const order = [...chosen].sort(); // blinkmuster, relais8, tollet
  await openPage(page);
  await loadFiles(page, chosen.map(example));
  const status = page.locator('#status-3');
  // the first chosen file opens
  await expect(status).toContainText('tollet_mot.hex');
  const next = page.getByRole('button', { name: 'Nächste HEX-Datei', exact: true });
  const prev = page.getByRole('button', { name: 'Vorherige HEX-Datei', exact: true });
  await next.click();
  await expect(status).toContainText(order[0]);
  await next.click();
  await expect(status).toContainText(order[1]);
  await prev.click();
  await expect(status).toContainText(order[0]);
  await prev.click();
  await expect(status).toContainText(order[2]);
  // Alt+Left and Alt+Right, as in the desktop window
  await page.keyboard.press('Alt+ArrowLeft');
  await expect(status).toContainText(order[1]);
  await page.keyboard.press('Alt+ArrowRight');
  await expect(status).toContainText(order[2]);
  // a single file chosen later, not among them, ends the stepping
  await loadFiles(page, [example('fenwik_18324_cv.hex')]);
  await expect(status).toContainText('fenwik_18324_cv.hex');
  await expect(next).toBeDisabled();
});

test('a file dropped on the page opens', async ({ page }) => {
  await openPage(page);
  const content = readFileSync(example('relais8_dcc.hex'), 'latin1');
  const transfer = await page.evaluateHandle((text) => {
    const dt = new DataTransfer();
    dt.items.add(new File([text], 'relais8_dcc.hex', { type: 'text/plain' }));
    return dt;
  }, content);
  await page.dispatchEvent('#window', 'dragenter', { dataTransfer: transfer });
  await expect(page.locator('#drop-hint')).toBeVisible();
  await page.dispatchEvent('#window', 'drop', { dataTransfer: transfer });
  await expect(page.locator('#drop-hint')).toBeHidden();
  await answerAll(page);
  await expect(page.locator('#header')).toHaveText(cliInfo(example('relais8_dcc.hex')).title ?? '');
  await expect(page.locator('#status-3')).toContainText('relais8_dcc.hex');
});

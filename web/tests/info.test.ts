// "HEX Info" and the comparison with a second file: the dumps and the comparison's lines with
// their counts are those korrin-cli dump and compare print.
import { expect, test } from '@playwright/test';
import { answerAll, example, loadFiles, openPage, runCli } from './helpers';

const pairs: [string, string][] = [
  ['tollet_mot.hex', 'relais8_dcc.hex'],
  ['servo_tamb4_dcc.hex', 'servo_tamb4_dcc.hex'],
  ['fenwik_18324_cv.hex', 'blinkmuster_mot.hex'],
];

test.describe('the comparison gives the lines and counts of korrin-cli compare', () => {
  for (const [a, b] of pairs) {
    test(`${a} with ${b}`, async ({ page }) => {
      const cli = runCli(['compare', example(a), example(b)]);
      expect([0, 1]).toContain(cli.status);
      await openPage(page);
      await loadFiles(page, [example(a)]);
      await answerAll(page);
      await page.getByRole('button', { name: 'HEX Info', exact: true }).click();
      const dialog = page.getByRole('dialog', { name: 'HEX File Information' });
      await expect(dialog).toBeVisible();
      // on opening: the dumps of korrin-cli dump
      const dump = runCli(['dump', example(a)]).stdout;
      const eeprom = dialog.getByRole('textbox', { name: 'EEprom', exact: true });
      expect(dump).toContain((await eeprom.textContent()) ?? '<none>');
      const chooser = page.waitForEvent('filechooser');
      await dialog.getByRole('button', { name: 'vergleiche mit 2. HEX-File', exact: true }).click();
      await (await chooser).setFiles(example(b));
      await expect(dialog.locator('.info-status')).toContainText('File 2');
      const shown = `${await eeprom.textContent()}\n${await dialog.getByRole('textbox', { name: 'ROM', exact: true }).textContent()}`;
      const cliLines = cli.stdout.split('\n').slice(2).join('\n');
      expect(cliLines.startsWith(shown)).toBe(true);
      // the counts in particular
      const counts = cli.stdout.split('\n').filter((l) => /Unterschied/.test(l));
      expect(counts.length).toBeGreaterThan(0);
      for (const line of counts.filter((l) => !l.includes('→'))) expect(shown).toContain(line);
      await dialog.getByRole('button', { name: 'Fenster schliessen', exact: true }).click();
      await expect(dialog).toBeHidden();
    });
  }
});

// Shared steps of the page tests: opening the single-file page from disk, loading files
// through the file picker, answering the in-page dialogs, and asking korrin-cli for the
// expected results, so that the page and the command line are held to the same core.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { expect, type Page } from '@playwright/test';

export const repo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const buildWeb = resolve(repo, process.env.KORRIN_BUILD_WEB ?? 'build-web');
export const pageFile = join(buildWeb, 'korrin.html');
export const cli = resolve(repo, process.env.KORRIN_CLI ?? 'build/src/korrin-cli');
export const examples = join(repo, 'examples');
export const fixtures = join(repo, 'tests/fixtures');

export function example(name: string): string {
  return join(examples, name);
}

export function tempDir(): string {
  return mkdtempSync(join(tmpdir(), 'korrin-page-'));
}

// Runs korrin-cli; returns stdout, stderr and the exit status without throwing.
export function runCli(args: string[]): { stdout: string; stderr: string; status: number } {
  try {
    const stdout = execFileSync(cli, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, LANG: 'C.UTF-8' } });
    return { stdout, stderr: '', status: 0 };
  } catch (e) {
    const err = e as { stdout?: string; stderr?: string; status?: number };
    return { stdout: err.stdout ?? '', stderr: err.stderr ?? '', status: err.status ?? -1 };
  }
}

export interface CliInfo {
  title: string | null;
  pic: string;
  protocol: string;
  version: number;
  id: string;
  rows: { row: number; caption: string; address: string | number | null; green?: boolean; function?: number }[];
  frame: string | null;
  editor: { frame: string; settings: Record<string, { key: string; caption: string; value: string }[]> } | null;
  messages: { kind: string; text: string }[];
}

export function cliInfo(file: string): CliInfo {
  const r = runCli(['info', file, '--json']);
  return JSON.parse(r.stdout) as CliInfo;
}

// The messages korrin-cli printed to stderr, without their "warning: " / "error: " / "info: "
// prefix; a message may run over several lines.
export function cliMessages(stderr: string): string[] {
  const messages: string[] = [];
  for (const line of stderr.replace(/\r\n|\r/g, '\n').replace(/\n$/, '').split('\n')) {
    const m = /^(warning|error|info): (.*)$/.exec(line);
    if (m) messages.push(m[2]);
    else if (messages.length > 0) messages[messages.length - 1] += `\n${line}`;
  }
  return messages;
}

export async function openPage(page: Page): Promise<void> {
  await page.goto(`file://${pageFile}`);
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
}

// Loads files through "HEX laden" and the browser's file picker (several at once make a folder).
export async function loadFiles(page: Page, files: string[]): Promise<void> {
  const chooser = page.waitForEvent('filechooser');
  await page.getByRole('button', { name: 'HEX laden', exact: true }).click();
  await (await chooser).setFiles(files);
  // the load has ended, or waits for an answer in a dialog
  await expect(page.locator('#app[aria-busy="false"], dialog[open]').first()).toBeAttached();
}

// The messages of a load as korrin-cli info --json reports them (line breaks as \n).
export function cliLoadMessages(file: string): string[] {
  return cliInfo(file).messages.map((m) => m.text.replace(/\r\n|\r/g, '\n'));
}

// The in-page message box now open: its text, answered with the first of the given button
// captions that it has (by default as korrin-cli answers: Ignore, else OK, else its button).
export async function answerDialog(page: Page, buttons = ['Ignorieren', 'OK']): Promise<string> {
  const box = page.locator('dialog[open]').last();
  await expect(box).toBeVisible();
  const text = (await box.locator('.box-text').textContent()) ?? '';
  for (const name of buttons) {
    const b = box.getByRole('button', { name, exact: true });
    if ((await b.count()) > 0) {
      await b.click();
      return text;
    }
  }
  await box.getByRole('button').first().click();
  return text;
}

// Answers every message box until the page is idle again; returns their texts in order.
export async function answerAll(page: Page, buttons = ['Ignorieren', 'OK']): Promise<string[]> {
  const texts: string[] = [];
  for (;;) {
    const open = page.locator('dialog[open] .box-text');
    const busy = await page.locator('#app').getAttribute('aria-busy');
    if ((await open.count()) > 0) {
      texts.push(await answerDialog(page, buttons));
      continue;
    }
    if (busy === 'false') {
      // A dialog may follow right after the last one closed; look once more.
      await page.waitForTimeout(50);
      if ((await page.locator('dialog[open] .box-text').count()) === 0 && (await page.locator('#app').getAttribute('aria-busy')) === 'false') return texts;
      continue;
    }
    await page.waitForTimeout(20);
  }
}

// Saves through "speichern", confirming the name; returns the downloaded bytes.
export async function saveDownload(page: Page): Promise<Buffer> {
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'speichern', exact: true }).click();
  const nameBox = page.locator('dialog.box-filename');
  await expect(nameBox).toBeVisible();
  await nameBox.getByRole('button', { name: 'Speichern', exact: true }).click();
  const d = await download;
  const path = await d.path();
  return readFileSync(path);
}

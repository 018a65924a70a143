// "HEX Info": configuration and ID words, the EEPROM and program-memory dumps, and the
// comparison with a second HEX file; and the help page of the loaded type. The texts are the
// core's; the page lays them out as the desktop dialog does.
import type { Core } from './core';
import { panel } from './dialogs';
import { pickFiles } from './files';

function memo(caption: string, hint: string, lines: string): { box: HTMLElement; pre: HTMLPreElement } {
  const box = document.createElement('div');
  const id = `memo-${caption}`;
  const label = document.createElement('label');
  label.textContent = caption;
  label.htmlFor = id;
  const pre = document.createElement('pre');
  pre.className = 'memo';
  pre.id = id;
  pre.tabIndex = 0;
  pre.title = hint;
  pre.setAttribute('role', 'textbox');
  pre.setAttribute('aria-readonly', 'true');
  pre.setAttribute('aria-multiline', 'true');
  pre.setAttribute('aria-label', caption);
  pre.textContent = lines;
  box.append(label, pre);
  return { box, pre };
}

function words(caption: string, values: string[]): HTMLElement {
  const box = document.createElement('div');
  box.className = 'words';
  const label = document.createElement('span');
  label.textContent = caption;
  box.append(label);
  values.forEach((v, i) => {
    const input = document.createElement('input');
    input.type = 'text';
    input.readOnly = true;
    input.value = v;
    input.size = 8;
    input.setAttribute('aria-label', `${caption} ${i + 1}`);
    box.append(' ', input);
  });
  return box;
}

export async function showInfo(core: Core, lastFileName: string): Promise<void> {
  const texts = core.infoTexts();
  void lastFileName;
  const content = document.createElement('div');
  const top = document.createElement('div');
  top.className = 'editor-head';
  top.append(words('Config Value:', texts.config), words('ID-Value:', texts.id));
  const ee = memo('EEprom', 'Anzeige der EEprom Daten\nFür den Normal-Bediener uninteressant!', texts.eeprom.join('\n'));
  const rom = memo('ROM', 'Anzeige der Register\nFür den Normal-Bediener uninteressant!', texts.rom.join('\n'));
  const grid = document.createElement('div');
  grid.className = 'info-grid';
  grid.append(ee.box, rom.box);
  const bottom = document.createElement('div');
  bottom.className = 'editor-head';
  const count = document.createElement('span');
  count.className = 'rom-count';
  count.textContent = texts.romCount;
  const compare = document.createElement('button');
  compare.type = 'button';
  compare.textContent = 'vergleiche mit 2. HEX-File';
  compare.title = 'das geladenen HEX wird mit einer 2. Datei verglichen';
  const status = document.createElement('div');
  status.className = 'info-status';
  status.setAttribute('role', 'status');
  const file1 = document.createElement('span');
  const file2 = document.createElement('span');
  status.append(file1, ' ', file2);
  compare.addEventListener('click', async () => {
    ee.pre.textContent = '';
    rom.pre.textContent = '';
    const [file] = await pickFiles('.hex,.txt,*', false);
    if (!file) return;
    if (file.size > core.doc.fileSizeLimit()) {
      core.doc.refuseLargeFile(file.name, file.size, 'hex');
      await core.dialogs.drained();
      return;
    }
    const result = core.compare(file.name, new Uint8Array(await file.arrayBuffer()));
    await core.dialogs.drained();
    if (!result.fileRead) return;
    file1.textContent = result.statusFile1;
    file2.textContent = result.statusFile2;
    ee.pre.textContent = result.eepromLines.join('\n');
    rom.pre.textContent = result.romLines.join('\n');
  });
  bottom.append(count, compare);
  content.append(top, grid, bottom, status);
  await panel('HEX File Information', content);
}

// The help page of the loaded type (or of the program), generated from the decoder catalogue
// at build time: shown in a sandboxed frame inside the page, since the page works offline.
export async function showHelp(core: Core, html: string, title: string): Promise<void> {
  const frame = document.createElement('iframe');
  frame.className = 'help-frame';
  frame.title = title;
  // Scripts stay off; the page reads the frame to follow links between help pages itself,
  // since the pages live inside the core, not on a server.
  frame.setAttribute('sandbox', 'allow-same-origin');
  const follow = (e: MouseEvent) => {
    const a = (e.target as Element | null)?.closest?.('a');
    const href = a?.getAttribute('href');
    if (!href || href.startsWith('#')) return;
    e.preventDefault();
    if (/^[a-z]+:/i.test(href)) return; // outside addresses: the page makes no network request
    const page = core.doc.helpFile(href.split('#')[0]);
    if (page) frame.srcdoc = page;
  };
  frame.addEventListener('load', () => frame.contentDocument?.addEventListener('click', follow));
  frame.srcdoc = html;
  await panel(title, frame);
}

// The page: the rows, the editor, the buttons and the status bar over the core's document.
// Every user action becomes a call of the core; after it the page renders the core's state.
import './style.css';
import { Core } from './core';
import type { DocumentStateJson, EditorActionJson, EditorCall } from './core-api';
import { askFileName, dialogOpen, messageBox } from './dialogs';
import { EditorView, type PreviewFrame } from './editor';
import { type PageFile, canPickDirectory, download, fromFile, pickDirectory, pickFiles, writeOver } from './files';
import { showHelp, showInfo } from './info';
import { RowsView } from './rows';
import { readSettings, writeSettings } from './settings';

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

const ui = {
  app: $('app'),
  header: $('header'),
  rows: $('rows'),
  editor: $('editor'),
  prev: $<HTMLButtonElement>('btn-prev'),
  load: $<HTMLButtonElement>('btn-load'),
  next: $<HTMLButtonElement>('btn-next'),
  folder: $<HTMLButtonElement>('btn-folder'),
  save: $<HTMLButtonElement>('btn-save'),
  info: $<HTMLButtonElement>('btn-info'),
  undo: $<HTMLButtonElement>('btn-undo'),
  redo: $<HTMLButtonElement>('btn-redo'),
  progress: $<HTMLProgressElement>('progress'),
  logo: $<HTMLButtonElement>('logo'),
  help: $<HTMLButtonElement>('btn-help'),
  status: [0, 1, 2, 3].map((i) => $(`status-${i}`)),
  dropHint: $('drop-hint'),
};

let core: Core;
let state: DocumentStateJson | null = null;
let settings = readSettings();
// The files of the folder the user opened (or chose at once), for "<" and ">".
let folder: PageFile[] = [];
// The file shown now, as the page can read (and perhaps write) it again.
let current: PageFile | null = null;
let busy = false;

function render(): void {
  const s = core.state();
  state = s;
  ui.header.hidden = s.header === '';
  ui.header.textContent = s.header;
  rows.render(s.rows);
  editor.render(s.editor, s.view);
  ui.save.disabled = !s.saveEnabled;
  ui.undo.disabled = !s.undo.enabled;
  ui.redo.disabled = !s.redo.enabled;
  ui.undo.title = `${s.undo.text} (Strg+Z)`;
  ui.redo.title = `${s.redo.text} (Strg+Y)`;
  ui.help.textContent = s.helpPage || 'Web';
  ui.help.disabled = s.helpPage === '';
  s.statusPanels.forEach((text, i) => (ui.status[i].textContent = text));
  ui.prev.disabled = s.prevFileName === '';
  ui.next.disabled = s.nextFileName === '';
  if (s.focus) rows.focus(s.focus.row, s.focus.field);
  // The servo raster is kept in the browser, as the desktop window keeps it in its ini file.
  const servo = s.view?.kind === 'servo' ? s.view : null;
  if (servo && (servo.rasterX !== settings.rasterX || servo.rasterY !== settings.rasterY)) {
    settings = { ...settings, rasterX: servo.rasterX, rasterY: servo.rasterY };
    writeSettings(settings);
  }
}

// Runs one user action at a time. The core's boxes are answered before the action counts as
// ended; whatever escapes ends only this action, as the desktop window's error display does.
async function run(action: () => Promise<unknown> | unknown): Promise<void> {
  if (busy) return;
  busy = true;
  ui.app.setAttribute('aria-busy', 'true');
  try {
    await action();
    await core.dialogs.drained();
  } catch (e) {
    await core.dialogs.drained();
    await messageBox('error', e instanceof Error ? e.message : String(e), ['ok']);
  } finally {
    render();
    busy = false;
    ui.app.setAttribute('aria-busy', 'false');
  }
}

async function openFile(file: PageFile): Promise<void> {
  if (file.size > core.doc.fileSizeLimit()) {
    // Refused before it is read into memory, with the core's message.
    core.doc.refuseLargeFile(file.name, file.size, 'hex');
    return;
  }
  const bytes = await file.read();
  current = file;
  const t0 = performance.now();
  await core.doc.load(file.name, bytes);
  document.body.dataset.loadMs = String(Math.round(performance.now() - t0));
  // The servo editor takes the raster kept from the last time.
  const view = JSON.parse(core.doc.view()) as { kind?: string; rasterX?: number; rasterY?: number } | null;
  if (view?.kind === 'servo' && (view.rasterX !== settings.rasterX || view.rasterY !== settings.rasterY))
    core.doc.editor({ call: 'raster', x: settings.rasterX, y: settings.rasterY });
  settings = { ...settings, lastFileName: file.name };
  writeSettings(settings);
}

// One file opens by itself; several chosen at once become the folder "<" and ">" step through.
async function openChosen(files: PageFile[]): Promise<void> {
  if (files.length === 0) return;
  if (files.length > 1 || !folder.some((f) => f.name === files[0].name)) {
    folder = files;
    core.doc.setFolder(files.map((f) => f.name));
  }
  await openFile(files[0]);
}

async function step(target: string): Promise<void> {
  const file = folder.find((f) => f.name === target || target.endsWith(`/${f.name}`));
  if (file) await openFile(file);
}

async function save(): Promise<void> {
  const result = await core.doc.save();
  await core.dialogs.drained();
  if (result !== 'saved') return;
  const bytes = core.doc.savedBytes();
  const name = core.doc.savedName();
  if (current?.handle && name === current.name) {
    const answer = await messageBox('warning', `"${name}" überschreiben?`, ['yes', 'no']);
    if (answer === 'yes') {
      await writeOver(current.handle, bytes);
      return;
    }
  }
  download(name, bytes);
}

// Curve and set files of the servo editor: loaded from a picked file, saved as a download.
async function fileAction(a: EditorActionJson): Promise<void> {
  const setFile = a.key.startsWith('servo.set');
  if (a.key.endsWith('speichern')) {
    const preset = setFile ? 'servo.set' : `${a.key.split('.')[0]}.cur`;
    const name = await askFileName(a.description, preset);
    if (!name) return;
    core.doc.set(a.key, name);
    await core.dialogs.drained();
    const bytes = setFile ? core.doc.setFileBytes() : core.doc.curveFileBytes();
    if (bytes.length > 0) download(name, bytes);
    return;
  }
  const [file] = await pickFiles(setFile ? '.set' : '.cur', false);
  if (!file) return;
  if (file.size > core.doc.fileSizeLimit()) {
    core.doc.refuseLargeFile(file.name, file.size, setFile ? 'set' : 'curve');
    return;
  }
  const bytes = new Uint8Array(await file.arrayBuffer());
  if (setFile) core.doc.loadSetFile(file.name, bytes);
  else {
    const curve = Number(a.key.match(/^kurve(\d+)/)?.[1] ?? '0');
    if (curve > 0) core.doc.editor({ call: 'selectCurve', curve: curve - 1 });
    core.doc.loadCurveFile(file.name, bytes);
  }
}

const rows = new RowsView(ui.rows, {
  address: (r, t) => core.doc.setRowAddress(r, t),
  func: (r, t) => core.doc.setRowFunction(r, t),
  toggle: (r) => void run(() => core.doc.toggleRowColour(r)),
  commit: () => {
    if (core.doc.commit()) render();
  },
});

function preview(kind: 'pattern' | 'servo', timeMs: number): PreviewFrame | null {
  const v = state?.view as { selected?: number } | null;
  if (!v || v.selected === undefined) return null;
  const text = kind === 'pattern' ? core.doc.patternPreview(v.selected, timeMs) : core.doc.servoPreview(v.selected, timeMs);
  return JSON.parse(text) as PreviewFrame;
}

const editor = new EditorView(ui.editor, {
  set: (key, value) => run(() => core.doc.set(key, value)),
  call: async (call: EditorCall, commit: boolean) => {
    if (commit) return run(() => core.doc.editor(call));
    // A move while dragging: the drawing follows without rebuilding the editor.
    core.doc.editor(call);
    editor.repaint(JSON.parse(core.doc.view()));
  },
  preview,
  apply: () => run(() => core.doc.apply()),
  discard: () => run(() => core.doc.discard()),
  fileAction: (a) => run(() => fileAction(a)),
});

function wire(): void {
  ui.load.addEventListener('click', () =>
    void run(async () => openChosen((await pickFiles('.hex,.txt,*', true)).map((f) => fromFile(f)))),
  );
  ui.folder.hidden = !canPickDirectory();
  ui.folder.addEventListener('click', () =>
    void run(async () => {
      const files = await pickDirectory();
      if (!files || files.length === 0) return;
      folder = files;
      core.doc.setFolder(files.map((f) => f.name));
      const hex = files.filter((f) => f.name.toLowerCase().endsWith('.hex'));
      // The first file in the core's order: the neighbour after a name that sorts before all.
      core.doc.setFolder(files.map((f) => f.name));
      const first = hex.map((f) => f.name).sort()[0];
      const file = files.find((f) => f.name === first);
      if (file) await openFile(file);
    }),
  );
  ui.prev.addEventListener('click', () => void run(() => step(state?.prevFileName ?? '')));
  ui.next.addEventListener('click', () => void run(() => step(state?.nextFileName ?? '')));
  ui.save.addEventListener('click', () => void run(save));
  ui.info.addEventListener('click', () => void run(() => showInfo(core, current?.name ?? '')));
  ui.undo.addEventListener('click', () => void run(() => core.doc.undo()));
  ui.redo.addEventListener('click', () => void run(() => core.doc.redo()));
  ui.help.addEventListener('click', () => void run(() => showHelp(core, core.doc.helpPage(), ui.help.textContent ?? '')));
  ui.logo.addEventListener('click', () => void run(() => showHelp(core, core.doc.helpFile('index.html'), 'Korrin')));

  document.addEventListener('keydown', (e) => {
    if (dialogOpen() || busy) return;
    const ctrl = e.ctrlKey || e.metaKey;
    const key = e.key.toLowerCase();
    let button: HTMLButtonElement | null = null;
    if (ctrl && !e.altKey && key === 'o') button = ui.load;
    else if (ctrl && !e.altKey && key === 's') button = ui.save;
    else if (ctrl && !e.altKey && key === 'i') button = ui.info;
    else if (e.altKey && !ctrl && e.key === 'ArrowLeft') button = ui.prev;
    else if (e.altKey && !ctrl && e.key === 'ArrowRight') button = ui.next;
    else if (ctrl && !e.altKey && ((key === 'z' && e.shiftKey) || key === 'y')) button = ui.redo;
    else if (ctrl && !e.altKey && key === 'z') button = ui.undo;
    if (!button) return;
    e.preventDefault();
    if (button === ui.undo || button === ui.redo) {
      // A value typed into an editor field is taken first, as when the field is left; typing
      // into a row becomes its own step.
      if (e.target instanceof HTMLInputElement && e.target.closest('#editor')) e.target.dispatchEvent(new Event('change'));
      core.doc.commit();
      render();
    }
    if (!button.disabled && !button.hidden) button.click();
  });

  // A file dropped on the page opens, as one dropped on the desktop window does.
  let depth = 0;
  document.addEventListener('dragenter', (e) => {
    if (!e.dataTransfer?.types.includes('Files')) return;
    depth++;
    ui.dropHint.hidden = false;
  });
  document.addEventListener('dragleave', () => {
    depth = Math.max(0, depth - 1);
    if (depth === 0) ui.dropHint.hidden = true;
  });
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    depth = 0;
    ui.dropHint.hidden = true;
    const files = Array.from(e.dataTransfer?.files ?? []);
    if (files.length > 0) void run(() => openChosen(files.map((f) => fromFile(f))));
  });
}

async function start(): Promise<void> {
  try {
    core = await Core.create();
  } catch (e) {
    // Without the core the page can do nothing; say why instead of showing dead buttons.
    ui.app.setAttribute('aria-busy', 'false');
    await messageBox('error', `Der Programmkern konnte nicht gestartet werden: ${e instanceof Error ? e.message : String(e)}`, ['ok']);
    return;
  }
  wire();
  render();
  ui.app.setAttribute('aria-busy', 'false');
  // How long the page took to get ready (the README's figure is measured from it).
  document.body.dataset.readyMs = String(Math.round(performance.now()));
  document.body.dataset.ready = 'true';
}

void start();

// The WebAssembly binding under Node, against korrin-cli (the native build of the same core):
// what the page reads and writes through the binding must be what the command-line tool
// shows and writes. Run by scripts/web --test (KORRIN_CORE: build-web/korrin-core.js,
// KORRIN_CLI: build/src/korrin-cli).
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const corePath = process.env.KORRIN_CORE ?? path.join(root, 'build-web/korrin-core.js');
const cliPath = process.env.KORRIN_CLI ?? path.join(root, 'build/src/korrin-cli');
const examples = path.join(root, 'examples');
const fixtures = path.join(root, 'tests/fixtures');
const hexFiles = (dir) => fs.readdirSync(dir).filter((n) => n.endsWith('.hex')).sort();

const require = createRequire(import.meta.url);
let core;
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'korrin-web-'));

before(async () => {
  assert.ok(fs.existsSync(corePath), `${corePath} fehlt (scripts/web baut es)`);
  assert.ok(fs.existsSync(cliPath), `${cliPath} fehlt (scripts/web --test baut es)`);
  core = await require(corePath)();
});
after(() => fs.rmSync(tmp, { recursive: true, force: true }));

// korrin-cli with its output; status 1 (a difference, a load ended early) is no failure here.
function cli(...args) {
  const r = spawnSync(cliPath, args, { encoding: 'utf8' });
  assert.ok(r.status === 0 || r.status === 1, `korrin-cli ${args.join(' ')}: ${r.stderr}`);
  return r.stdout;
}

// A document whose questions are answered from a table by button set (korrin-cli's rules
// unless told otherwise); every box is recorded.
function open(answers = {}, saveName = (title, preset) => preset) {
  const shown = [];
  const rules = { ok: 'ok', cancel: 'cancel', 'cancel-ignore': 'ignore', 'yes-ignore': 'ignore', 'yes-no': 'yes', ...answers };
  const doc = new core.KorrinDocument({
    dialog: async (kind, text, buttons) => {
      shown.push({ kind, text, buttons });
      await new Promise((resolve) => setTimeout(resolve, 1));  // a real wait, as a dialog is
      return rules[buttons];
    },
    saveName: async (title, preset) => {
      shown.push({ kind: 'save', text: title, buttons: preset });
      return saveName(title, preset);
    },
  });
  return { doc, shown, state: () => JSON.parse(doc.state()) };
}

async function loadFile(d, dir, name) {
  return d.doc.load(name, fs.readFileSync(path.join(dir, name)));
}

describe('a load shows what korrin-cli info shows', () => {
  const cases = [...hexFiles(examples).map((n) => [examples, n]), ...hexFiles(fixtures).map((n) => [fixtures, n])];
  for (const [dir, name] of cases) {
    test(path.basename(dir) + '/' + name, async () => {
      const expected = JSON.parse(cli('info', '--json', path.join(dir, name)));
      const d = open();
      await loadFile(d, dir, name);
      const info = d.state().info;
      // Messages name the file: korrin-cli by its path, the page by its name.
      const norm = (m) => m.map((x) => ({ ...x, text: x.text.split(path.join(dir, name)).join(name) }));
      assert.deepEqual({ ...info, messages: norm(info.messages) }, { ...expected, messages: norm(expected.messages) });
      // Each box reached the page once, with the same text.
      assert.deepEqual(d.shown.map((m) => m.text), expected.messages.map((m) => norm([m])[0].text));
    });
  }
});

describe('questions of the load wait for the answer', () => {
  test('Cancel on the missing ID ends the load; Ignore and Yes load it', async () => {
    const cancelled = open({ 'cancel-ignore': 'cancel' });
    assert.equal(await loadFile(cancelled, fixtures, 'no_id_no_config.hex'), 'cancelled');
    const questions = (d) => d.shown.filter((m) => m.buttons !== 'ok');
    assert.deepEqual(questions(cancelled).map((m) => [m.text, m.buttons]), [
      ['In dem HEX-File wurde kein Wert für die ID gefunden.', 'cancel-ignore'],
    ]);
    assert.equal(cancelled.state().saveEnabled, false);

    const yes = open({ 'yes-ignore': 'yes' });
    assert.equal(await loadFile(yes, fixtures, 'no_id_no_config.hex'), 'loaded');
    assert.deepEqual(questions(yes).map((m) => m.buttons), ['cancel-ignore', 'yes-ignore']);
    const ignore = open();
    await loadFile(ignore, fixtures, 'no_id_no_config.hex');
    // Yes writes the default configuration, Ignore zeros: the answer reached the core.
    assert.notDeepEqual(yes.state().info.config, ignore.state().info.config);
    assert.deepEqual(ignore.state().info.config, ['0000', '0000', '0000', '0000']);
  });

  test('a file that does not load changes nothing and says why', async () => {
    const d = open();
    await loadFile(d, examples, 'tollet_mot.hex');
    const before = d.state();
    d.shown.length = 0;
    d.doc.refuseLargeFile('riesig.hex', 5 * 1024 * 1024, 'hex');
    assert.equal(d.shown.length, 1);
    assert.equal(d.shown[0].kind, 'error');
    assert.match(d.shown[0].text, /^Die Datei "riesig\.hex" kann nicht gelesen werden: Sie ist 5242880 Bytes groß.*HEX-Datei/);
    d.doc.refuseLargeFile('riesig.cur', 5 * 1024 * 1024, 'curve');
    assert.match(d.shown[1].text, /Kurven-Datei ist viel kleiner/);
    assert.equal(d.doc.fileSizeLimit(), 4 * 1024 * 1024);
    assert.deepEqual(d.state().rows, before.rows);
    for (const bad of ['', '.', '..', 'a/b.hex']) assert.throws(() => d.doc.load(bad, new Uint8Array()), /Dateiname/);
  });
});

// One edit per editor kind, saved through the binding, against korrin-cli set with the same edit.
describe('an edit saves the bytes korrin-cli set writes', () => {
  const cases = [
    ['tollet_mot.hex', 'row', '1=44', (doc) => doc.setRowAddress(1, '44')],
    ['relais8_dcc.hex', 'set', 'modus=2', (doc) => doc.set('modus', '2')],
    ['fenwik_18324_cv.hex', 'set', 'cv15=5', (doc) => doc.set('cv15', '5')],
    ['blinkmuster_mot.hex', 'set', 'muster2.dehnung=60', (doc) => doc.set('muster2.dehnung', '60')],
    ['led_blinkmuster_dcc.hex', 'set', 'muster1.anzahl=7', (doc) => doc.set('muster1.anzahl', '7')],
    ['servo_tamb4_dcc.hex', 'set', 'kurve2.erzeugen=sin:20', (doc) => doc.set('kurve2.erzeugen', 'sin:20')],
  ];
  for (const [name, kind, edit, apply] of cases) {
    test(`${name}: ${edit}`, async () => {
      const out = path.join(tmp, 'cli-' + name);
      execFileSync(cliPath, ['set', path.join(examples, name), kind === 'row' ? '--row' : '--set', edit, '-o', out]);
      const d = open();
      await loadFile(d, examples, name);
      const result = apply(d.doc);
      if (typeof result === 'string') assert.equal(result, 'done');
      // korrin-cli applies a pending working copy; the window asks first ("Ja" here).
      assert.equal(await d.doc.save(), 'saved');
      assert.equal(d.doc.savedName(), name);
      assert.deepEqual(Buffer.from(d.doc.savedBytes()), fs.readFileSync(out));
    });
  }
});

describe('the save sequence', () => {
  test('"Nein" to the pending changes saves nothing; a cancelled name neither', async () => {
    const d = open({ 'yes-no': 'no' });
    await loadFile(d, examples, 'blinkmuster_mot.hex');
    assert.equal(d.doc.set('muster1.anzahl', '5'), 'done');
    assert.equal(d.state().editor.pending, true);
    assert.equal(await d.doc.save(), 'not-applied');
    assert.deepEqual(d.shown.map((m) => m.text), ['Geänderte Werte übernehmen?']);

    const c = open({}, () => null);
    await loadFile(c, examples, 'tollet_mot.hex');
    assert.equal(await c.doc.save(), 'cancelled');
    assert.equal(c.doc.savedBytes().length, 0);
  });

  test('a refused row value gives the desktop message and no file', async () => {
    const expected = spawnSync(cliPath, ['set', path.join(examples, 'tollet_mot.hex'), '--row', '1=99999', '-o', path.join(tmp, 'x.hex')], { encoding: 'utf8' });
    assert.equal(expected.status, 1);
    const d = open();
    await loadFile(d, examples, 'tollet_mot.hex');
    d.doc.setRowAddress(1, '99999');
    assert.equal(await d.doc.save(), 'row-error');
    assert.equal(d.shown.length, 1);
    assert.ok(expected.stderr.includes(d.shown[0].text.split('\n')[0]), expected.stderr);
    assert.deepEqual(d.state().focus, { row: 1, field: 'address' });
  });

  test('the saved name is a plain name in the page folder', async () => {
    const d = open({}, () => '../../etc/neu.hex');
    await loadFile(d, examples, 'tollet_mot.hex');
    assert.equal(await d.doc.save(), 'saved');
    assert.equal(d.doc.savedName(), 'neu.hex');
  });
});

describe('undo and redo', () => {
  test('a setting and a row are steps with names; undo restores both, redo again', async () => {
    const d = open();
    await loadFile(d, examples, 'fenwik_18324_cv.hex');
    const original = d.state().info.eeprom;
    assert.equal(d.state().undo.enabled, false);
    d.doc.set('cv15', '5');
    const changed = d.state().info.eeprom;
    assert.notEqual(changed, original);
    assert.match(d.state().undo.text, /^Rückgängig: /);
    assert.equal(d.doc.undo(), true);
    assert.equal(d.state().info.eeprom, original);
    assert.match(d.state().redo.text, /^Wiederholen: /);
    assert.equal(d.doc.redo(), true);
    assert.equal(d.state().info.eeprom, changed);
    // A new load clears the history.
    await loadFile(d, examples, 'fenwik_18324_cv.hex');
    assert.equal(d.state().undo.enabled, false);
  });
});

describe('info, comparison, configuration, help', () => {
  test('the dump equals korrin-cli dump', async () => {
    const d = open();
    await loadFile(d, examples, 'tollet_mot.hex');
    const t = JSON.parse(d.doc.infoTexts());
    const text = `Config: ${t.config.join(' ')}\nID: ${t.id.join(' ')}\n${t.romCount}\n\nEEPROM:\n${t.eeprom.map((l) => l + '\n').join('')}\nROM:\n${t.rom.map((l) => l + '\n').join('')}`;
    assert.equal(text, cli('dump', path.join(examples, 'tollet_mot.hex')));
  });

  test('the comparison gives the lines and counts of korrin-cli compare', async () => {
    const d = open();
    await loadFile(d, examples, 'tollet_mot.hex');
    const second = path.join(examples, 'fdekoder_mot.hex');
    const c = JSON.parse(d.doc.compare('fdekoder_mot.hex', fs.readFileSync(second)));
    assert.equal(c.completed, true);
    const lines = cli('compare', path.join(examples, 'tollet_mot.hex'), second).split('\n');
    assert.deepEqual([...c.eepromLines, ...c.romLines], lines.slice(2, -1));
    assert.ok(c.eeDifferences + c.romDifferences > 0);
  });

  test('export equals korrin-cli export; apply takes it back', async () => {
    const file = path.join(examples, 'servo_tamb4_dcc.hex');
    const d = open();
    await loadFile(d, examples, 'servo_tamb4_dcc.hex');
    const exported = d.doc.exportConfig();
    assert.equal(exported + '\n', cli('export', file));
    d.doc.set('kurve1.erzeugen', 'lin:10');
    d.doc.apply();
    assert.notEqual(d.doc.exportConfig(), exported);
    assert.deepEqual(JSON.parse(d.doc.applyConfig(exported)), { ok: true, text: '' });
    d.doc.apply();
    assert.equal(d.doc.exportConfig(), exported);
    const bad = JSON.parse(d.doc.applyConfig('{"format": '));
    assert.equal(bad.ok, false);
    assert.match(bad.text, /^Konfiguration ist kein gültiges JSON \(Byte \d+\)/);
  });

  test('the help page is the generated page of the type', async () => {
    const d = open();
    await loadFile(d, examples, 'tollet_mot.hex');
    const page = d.state().helpPage;
    const html = d.doc.helpPage();
    assert.match(html, /^<!DOCTYPE html>/i);
    assert.ok(html.includes('Tollet'));
    assert.equal(d.doc.helpFile(page), html);
    assert.equal(d.doc.helpFile('gibt-es-nicht.html'), '');
  });
});

describe('numbers without a locale', () => {
  // The texts come from the one number conversion of the core; the WebAssembly C++ library
  // has no floating-point to_chars of its own.
  test('pattern and servo time texts, a decimal scale with a comma', async () => {
    const d = open();
    await loadFile(d, examples, 'blinkmuster_mot.hex');
    d.doc.set('muster1.dehnung', '10');
    assert.equal(d.state().view.rasterText, 'Zeit-Raster = 200 ms');
    d.doc.set('muster1.dehnung', '65');
    assert.equal(d.state().view.rasterText, 'Zeit-Raster = 1.3000 s');

    const s = open();
    await loadFile(s, examples, 'servo_tamb4_dcc.hex');
    s.doc.set('kurve1.erzeugen', 'lin:11');
    const before = s.state().view.curve.points.map((p) => p.y);
    assert.equal(s.doc.editor({ call: 'scaleText', text: '0,5' }), true);
    assert.equal(s.doc.editor({ call: 'scale' }), true);
    const after = s.state().view.curve.points.map((p) => p.y);
    assert.notDeepEqual(after, before);
    assert.deepEqual(s.shown, []);
  });
});

describe('folder stepping', () => {
  test('the neighbours of a file among the names of its folder', async () => {
    const d = open();
    d.doc.setFolder(['b.hex', 'a.HEX', 'notes.txt', 'c.hex']);
    await d.doc.load('b.hex', fs.readFileSync(path.join(examples, 'tollet_mot.hex')));
    const s = d.state();
    assert.deepEqual([s.prevFileName, s.nextFileName], ['a.HEX', 'c.hex']);
  });
});

// The editor beside the rows, rendered from the core's editor state: every setting by its key,
// caption and value, every action by its key and the form of its value. A change is sent to the
// core by the same key korrin-cli takes; the core validates it, shows its own message when it
// refuses, and the page renders the state that follows. Pattern rows are strips of cells painted
// by clicking and dragging; point lists are curves dragged by mouse or touch.
import type {
  EditorActionJson as ActionState,
  EditorCall,
  EditorJson as EditorState,
  EditorSettingJson,
  OptionsViewJson,
  ServoViewJson,
} from './core-api';

// What a running preview shows at a time: lamps (patterns) or a servo position and the relay.
export interface PreviewFrame {
  lit?: boolean[];
  used?: boolean[];
  position?: number;
  relay?: boolean;
  ended: boolean;
}

// A setting, with the range and the kind of control where the page knows them.
type SettingState = EditorSettingJson & { min?: number; max?: number; control?: string };

export interface EditorEvents {
  set(key: string, value: string): Promise<void>;
  call(call: EditorCall, commit: boolean): Promise<void>;
  preview(kind: 'pattern' | 'servo', timeMs: number): PreviewFrame | null;
  apply(): Promise<void>;
  discard(): Promise<void>;
  fileAction(action: ActionState): Promise<void>;
}

const FRAME_TITLES: Record<string, string> = {
  options: 'Parameter',
  blink: 'Blinkmuster',
  'led-blink': 'LED-Blinkmuster',
  servo: 'Servo',
  cv: 'CV-Register',
};

// Settings whose value is one character per point ("X" lit, "." dark) become strips.
function isStrip(s: SettingState): boolean {
  return s.elements !== undefined && s.elements.length > 0 && s.elements.every((e) => e.length === 1) && !s.value.includes(',');
}

function isCheck(s: SettingState): boolean {
  return s.control === 'check';
}

let uid = 0;

export class EditorView {
  private busy = false;

  constructor(private host: HTMLElement, private events: EditorEvents) {}

  private previewTimer = 0;
  private paintCurve: ((c: ServoViewJson['curve']) => void) | null = null;
  private paintRelay: ((r: ServoViewJson['relay']) => void) | null = null;

  // While a drawing is dragged only the drawings are painted again, not the whole editor.
  repaint(view: unknown): void {
    const v = view as ServoViewJson | null;
    if (v?.kind !== 'servo') return;
    this.paintCurve?.(v.curve);
    this.paintRelay?.(v.relay);
  }

  render(editor: EditorState | null, view: unknown = null): void {
    const kind = (view as { kind?: string } | null)?.kind;
    const checks = new Map<string, string>();
    if (kind === 'options') {
      const v = view as OptionsViewJson;
      for (const b of [v.modeBit6, v.modeBit7, v.timeOutMarker, ...v.boxes]) if (b.key) checks.set(b.key, b.hint);
    }
    // Keep the focus where it was: the control with the same key, after the rebuild.
    const active = document.activeElement as HTMLElement | null;
    const focusKey = active && this.host.contains(active) ? active.dataset.key ?? null : null;
    const focusIndex = active?.dataset.index ?? null;
    if (this.previewTimer) cancelAnimationFrame(this.previewTimer);
    this.previewTimer = 0;
    this.paintCurve = this.paintRelay = null;
    this.host.replaceChildren();
    this.host.hidden = editor === null;
    if (!editor) return;
    const head = document.createElement('div');
    head.className = 'editor-head';
    const h = document.createElement('h2');
    h.textContent = FRAME_TITLES[editor.frame ?? ''] ?? 'Editor';
    head.append(h);
    // Only the editors with a working copy have "Übernehmen" and "Verwerfen".
    if (view !== null && typeof view === 'object' && ('applyEnabled' in view || 'pending' in view)) {
      const apply = this.button('Übernehmen', () => this.events.apply());
      apply.disabled = !editor.pending;
      const discard = this.button('Verwerfen', () => this.events.discard());
      discard.disabled = !editor.pending;
      head.append(apply, discard);
    }
    this.host.setAttribute('aria-label', h.textContent ?? 'Editor');
    this.host.append(head);
    if (kind === 'options') this.host.append(this.modes(view as OptionsViewJson));
    if (kind === 'servo') this.host.append(this.servoDrawing(view as ServoViewJson));
    if (kind === 'servo' || kind === 'blink' || kind === 'led-blink') {
      const v = view as { selected: number; copyEnabled: boolean[] };
      head.append(this.selector(kind === 'servo' ? 'Kurve' : 'Muster', v.selected, v.copyEnabled.length, kind === 'servo'));
      head.append(this.previewBox(kind === 'servo' ? 'servo' : 'pattern'));
    }

    for (const [section, settings] of Object.entries(editor.settings)) {
      const fs = document.createElement('fieldset');
      fs.dataset.section = section;
      const grid = document.createElement('div');
      grid.className = 'settings';
      for (const s of settings) grid.append(this.setting(checks.has(s.key) ? { ...s, control: 'check' } : s));
      fs.append(grid);
      this.host.append(fs);
    }
    // The actions, grouped by what they act on (the first part of their key), each group named
    // by what the captions of that thing's settings have in common ("Kurve 2", "Muster 3").
    const groups = new Map<string, ActionState[]>();
    for (const a of editor.actions) {
      const prefix = a.key.split('.')[0];
      groups.set(prefix, [...(groups.get(prefix) ?? []), a]);
    }
    const allSettings = Object.values(editor.settings).flat();
    for (const [prefix, actions] of groups) {
      const fs = document.createElement('fieldset');
      const legend = document.createElement('legend');
      const captions = allSettings.filter((x) => x.key.startsWith(`${prefix}.`)).map((x) => x.caption);
      legend.textContent = commonStart(captions) || 'Aktionen';
      const list = document.createElement('div');
      list.className = 'actions';
      for (const a of actions) list.append(this.action(a, legend.textContent));
      fs.append(legend, list);
      this.host.append(fs);
    }
    if (focusKey) {
      const sel = focusIndex !== null ? `[data-key="${CSS.escape(focusKey)}"][data-index="${focusIndex}"]` : `[data-key="${CSS.escape(focusKey)}"]`;
      this.host.querySelector<HTMLElement>(sel)?.focus();
    }
  }

  private button(caption: string, run: () => Promise<void>): HTMLButtonElement {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = caption;
    b.addEventListener('click', () => void this.guard(run));
    return b;
  }

  private async guard(run: () => Promise<void>): Promise<void> {
    if (this.busy) return;
    this.busy = true;
    try {
      await run();
    } finally {
      this.busy = false;
    }
  }

  private setting(s: SettingState): HTMLElement {
    if (isStrip(s)) return this.strip(s);
    const box = document.createElement('div');
    box.className = 'setting';
    const id = `set-${++uid}`;
    const label = document.createElement('label');
    label.htmlFor = id;
    label.textContent = s.caption;
    let input: HTMLInputElement;
    if (isCheck(s)) {
      input = document.createElement('input');
      input.type = 'checkbox';
      input.checked = s.value === '1';
      input.addEventListener('change', () => void this.guard(() => this.events.set(s.key, input.checked ? '1' : '0')));
    } else {
      input = document.createElement('input');
      input.type = 'text';
      input.value = s.value;
      input.autocomplete = 'off';
      input.spellcheck = false;
      if (s.elements) box.classList.add('wide');
      const send = () => {
        if (input.value !== s.value) void this.guard(() => this.events.set(s.key, input.value));
      };
      input.addEventListener('change', send);
      input.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
          // The key must not reach a message box that the value may open.
          e.preventDefault();
          send();
        }
      });
    }
    input.id = id;
    input.dataset.key = s.key;
    input.setAttribute('aria-label', s.caption);
    if (s.min !== undefined && s.max !== undefined) input.title = `${s.min}..${s.max}`;
    box.append(label, input);
    return box;
  }

  // One row of a blink pattern: a cell per point, painted by clicking and dragging (mouse,
  // pen or touch) and by Space or Enter on the focused cell. A stroke is sent as one change.
  private strip(s: SettingState): HTMLElement {
    const box = document.createElement('div');
    box.className = 'setting wide';
    const label = document.createElement('span');
    label.textContent = s.caption;
    const strip = document.createElement('div');
    strip.className = 'strip';
    strip.setAttribute('role', 'group');
    strip.setAttribute('aria-label', s.caption);
    const points = [...(s.elements ?? [])];
    const lit = points.map((p) => p !== '.');
    const cells: HTMLButtonElement[] = [];
    const paint = (i: number, on: boolean) => {
      lit[i] = on;
      cells[i].classList.toggle('on', on);
      cells[i].setAttribute('aria-pressed', String(on));
    };
    const send = () => {
      const value = lit.map((on) => (on ? 'X' : '.')).join('');
      if (value !== s.value) void this.guard(() => this.events.set(s.key, value));
    };
    let stroke: boolean | null = null;
    points.forEach((_, i) => {
      const cell = document.createElement('button');
      cell.type = 'button';
      cell.className = 'cell';
      cell.dataset.key = s.key;
      cell.dataset.index = String(i);
      cell.setAttribute('aria-label', `${s.caption}, ${s.element ?? 'Punkt'} ${i + 1}`);
      cell.addEventListener('keydown', (e) => {
        if (e.key === ' ' || e.key === 'Enter') {
          e.preventDefault();
          paint(i, !lit[i]);
          send();
        } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          e.preventDefault();
          cells[i + (e.key === 'ArrowRight' ? 1 : -1)]?.focus();
        }
      });
      cell.addEventListener('click', (e) => e.preventDefault());
      cells.push(cell);
      strip.append(cell);
      paint(i, lit[i]);
    });
    const cellAt = (x: number, y: number): number => {
      const el = document.elementFromPoint(x, y) as HTMLElement | null;
      if (!el || el.parentElement !== strip || el.dataset.index === undefined) return -1;
      return Number(el.dataset.index);
    };
    strip.addEventListener('pointerdown', (e) => {
      const i = cellAt(e.clientX, e.clientY);
      if (i < 0) return;
      e.preventDefault();
      strip.setPointerCapture(e.pointerId);
      stroke = !lit[i];
      paint(i, stroke);
    });
    strip.addEventListener('pointermove', (e) => {
      if (stroke === null) return;
      const i = cellAt(e.clientX, e.clientY);
      if (i >= 0) paint(i, stroke);
    });
    const end = () => {
      if (stroke === null) return;
      stroke = null;
      send();
    };
    strip.addEventListener('pointerup', end);
    strip.addEventListener('pointercancel', end);
    box.append(label, strip);
    return box;
  }

  // Which curve is drawn (and which curve or pattern the preview plays): one button each.
  private selector(word: string, selected: number, count: number, curve: boolean): HTMLElement {
    const box = document.createElement('span');
    box.className = 'selector';
    box.setAttribute('role', 'group');
    box.setAttribute('aria-label', word);
    for (let i = 0; i < count; i++) {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = String(i + 1);
      b.setAttribute('aria-label', `${word} ${i + 1}`);
      b.setAttribute('aria-pressed', String(i === selected));
      b.dataset.key = `select#${i}`;
      b.addEventListener('click', () =>
        void this.guard(() => this.events.call(curve ? { call: 'selectCurve', curve: i } : { call: 'selectAddress', address: i }, true)),
      );
      box.append(b);
    }
    return box;
  }

  // The operating modes of the options editor as radio buttons, as the desktop frame has them;
  // choosing one runs the core's mode reaction.
  private modes(v: OptionsViewJson): HTMLElement {
    const fs = document.createElement('fieldset');
    fs.hidden = !v.modeGroupVisible;
    const legend = document.createElement('legend');
    legend.textContent = v.modeGroupCaption;
    fs.append(legend);
    const name = `mode-${++uid}`;
    v.modes.forEach((m, i) => {
      if (!m.visible) return;
      const label = document.createElement('label');
      label.className = 'mode';
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.name = name;
      radio.checked = v.checkedMode === i;
      radio.dataset.key = `mode#${i}`;
      radio.addEventListener('change', () => void this.guard(() => this.events.call({ call: 'selectMode', radio: i }, true)));
      label.append(radio, ' ', m.caption);
      fs.append(label, document.createElement('br'));
    });
    if (v.modeTextVisible) {
      const p = document.createElement('p');
      p.textContent = v.modeText;
      fs.append(p);
    }
    return fs;
  }

  // The servo curve as the core lays it out (in the desktop frame's pixels), dragged by mouse,
  // pen or touch: the core moves the points (raster, limits) and the page draws what it says.
  // Below it the relay strip, painted the same way.
  private servoDrawing(v: ServoViewJson): HTMLElement {
    const box = document.createElement('div');
    box.className = 'servo-drawing';
    const c = v.curve;
    const canvas = document.createElement('canvas');
    canvas.className = 'curve';
    canvas.width = c.width;
    canvas.height = c.height;
    canvas.tabIndex = 0;
    canvas.dataset.key = 'curve';
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', `Kurve ${v.selected + 1}`);
    canvas.style.aspectRatio = `${c.width} / ${c.height}`;
    this.paintCurve = (cv: ServoViewJson['curve']) => paintCurve(canvas, cv);
    this.paintCurve(c);
    this.drag(canvas, c.width, c.height, (x, y) => ({ call: 'curveMove', x, y }));
    // The raster the dragged points snap to, with the choices of the desktop frame's lists.
    const raster = document.createElement('div');
    raster.className = 'editor-head';
    const rasterList = (caption: string, max: number, value: number) => {
      const label = document.createElement('label');
      const select = document.createElement('select');
      for (let i = 0; i <= max; i++) select.add(new Option(String(i), String(i), false, i === value));
      select.setAttribute('aria-label', caption);
      select.dataset.key = caption;
      label.append(caption, ' ', select);
      raster.append(label);
      return select;
    };
    const rx = rasterList('Raster X', 70, v.rasterX);
    const ry = rasterList('Raster Y', 10, v.rasterY);
    for (const sel of [rx, ry])
      sel.addEventListener('change', () =>
        void this.guard(() => this.events.call({ call: 'raster', x: Number(rx.value), y: Number(ry.value) }, true)),
      );
    box.append(raster, canvas);
    if (v.relayStripAndSw1) {
      const r = v.relay;
      const relay = document.createElement('canvas');
      relay.className = 'relay';
      relay.width = r.width;
      relay.height = r.height;
      relay.dataset.key = 'relay';
      relay.setAttribute('role', 'img');
      relay.setAttribute('aria-label', 'Relais');
      relay.style.aspectRatio = `${r.width} / ${r.height}`;
      this.paintRelay = (rv: ServoViewJson['relay']) => paintRelay(relay, rv);
      this.paintRelay(r);
      this.drag(relay, r.width, r.height, (x, y) => ({ call: 'relayMove', x, y }));
      box.append(relay);
    }
    return box;
  }

  // Pointer events on a drawing become the core's mouse calls in the drawing's own pixels:
  // press, moves while held, release (one undo step for the whole stroke).
  private drag(canvas: HTMLCanvasElement, width: number, height: number, move: (x: number, y: number) => EditorCall): void {
    let down = false;
    const at = (e: PointerEvent) => {
      const r = canvas.getBoundingClientRect();
      return [Math.round(((e.clientX - r.left) * width) / r.width), Math.round(((e.clientY - r.top) * height) / r.height)];
    };
    canvas.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      canvas.setPointerCapture(e.pointerId);
      down = true;
      const [x, y] = at(e);
      void this.events.call({ call: 'mouseDown' }, false).then(() => this.events.call(move(x, y), false));
    });
    canvas.addEventListener('pointermove', (e) => {
      if (!down) return;
      const [x, y] = at(e);
      void this.events.call(move(x, y), false);
    });
    const up = () => {
      if (!down) return;
      down = false;
      void this.events.call({ call: 'mouseUp' }, true);
    };
    canvas.addEventListener('pointerup', up);
    canvas.addEventListener('pointercancel', up);
  }

  // "Vorschau": plays the selected pattern or curve in real time at the core's timing.
  private previewBox(kind: 'pattern' | 'servo'): HTMLElement {
    const box = document.createElement('span');
    box.className = 'preview';
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = '\u25B6 Vorschau';
    button.setAttribute('aria-label', 'Vorschau');
    button.title = 'Vorschau in Echtzeit starten oder anhalten';
    const show = document.createElement('span');
    show.className = 'preview-show';
    show.setAttribute('aria-live', 'off');
    const stop = () => {
      cancelAnimationFrame(this.previewTimer);
      this.previewTimer = 0;
      button.textContent = '\u25B6 Vorschau';
    };
    button.addEventListener('click', () => {
      if (this.previewTimer) return stop();
      button.textContent = '\u25A0 Vorschau';
      const start = performance.now();
      const tick = () => {
        const f = this.events.preview(kind, performance.now() - start);
        if (!f) return stop();
        show.replaceChildren();
        if (f.lit) {
          f.lit.forEach((on, i) => {
            if (f.used && !f.used[i]) return;
            const lamp = document.createElement('span');
            lamp.className = on ? 'lamp on' : 'lamp';
            show.append(lamp);
          });
        } else if (f.position !== undefined) {
          show.textContent = `Servo ${f.position}  Relais ${f.relay ? 'EIN' : 'AUS'}`;
        }
        if (f.ended) return stop();
        this.previewTimer = requestAnimationFrame(tick);
      };
      this.previewTimer = requestAnimationFrame(tick);
    });
    box.append(button, show);
    return box;
  }

  // An action: its value typed in the form the core names, run by its button. Actions that
  // read or write a file (curve and set files) go through the page's file handling.
  private action(a: ActionState, group: string): HTMLElement {
    const box = document.createElement('div');
    box.className = 'action';
    const isFile = a.form.toUpperCase().includes('DATEI');
    const run = document.createElement('button');
    run.type = 'button';
    run.textContent = a.description;
    run.title = a.key;
    run.setAttribute('aria-label', `${group}: ${a.description}`);
    run.dataset.key = a.key;
    if (isFile) {
      run.addEventListener('click', () => void this.guard(() => this.events.fileAction(a)));
      box.append(run);
      return box;
    }
    const input = document.createElement('input');
    input.type = 'text';
    input.placeholder = a.form;
    input.setAttribute('aria-label', `${group}: ${a.description} (${a.form})`);
    input.dataset.key = `${a.key}#value`;
    const go = () => {
      if (input.value.trim() !== '') void this.guard(() => this.events.set(a.key, input.value.trim()));
    };
    run.addEventListener('click', go);
    input.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        go();
      }
    });
    box.append(input, run);
    return box;
  }
}

function paintCurve(canvas: HTMLCanvasElement, c: ServoViewJson['curve']): void {
  const g = canvas.getContext('2d');
  if (!g) return;
  g.lineWidth = 1;
  g.fillStyle = '#fff';
  g.fillRect(0, 0, c.width, c.height);
  g.fillStyle = '#e0e0e0';
  for (const x of c.gridX) g.fillRect(x, 0, 1, c.height);
  for (const y of c.gridY) g.fillRect(0, y, c.width, 1);
  if (c.thresholdY !== null) {
    g.fillStyle = '#c00000';
    g.fillRect(0, c.thresholdY, c.width, 1);
  }
  g.strokeStyle = '#1F4E79';
  g.lineWidth = 2;
  g.beginPath();
  c.points.forEach((p, i) => (i === 0 ? g.moveTo(p.x, p.y) : g.lineTo(p.x, p.y)));
  g.stroke();
  g.fillStyle = '#1F4E79';
  const m = c.markerHalfSize;
  for (const p of c.points) g.fillRect(p.x - m, p.y - m, 2 * m, 2 * m);
}

function paintRelay(canvas: HTMLCanvasElement, r: ServoViewJson['relay']): void {
  const g = canvas.getContext('2d');
  if (!g) return;
  g.fillStyle = '#fff';
  g.fillRect(0, 0, r.width, r.height);
  g.fillStyle = '#e0e0e0';
  for (const x of r.gridX) g.fillRect(x, 0, 1, r.height);
  g.fillStyle = '#c00000';
  for (const cell of r.cells) g.fillRect(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
}

// The words all captions start with ("Kurve 2" of "Kurve 2 Relais" and "Kurve 2 Anzahl Punkte").
function commonStart(captions: string[]): string {
  if (captions.length === 0) return '';
  let start = captions[0];
  for (const c of captions) while (!c.startsWith(start)) start = start.slice(0, -1);
  // whole words only, without a trailing separator
  if (!captions.every((c) => c.length === start.length || /[\s,]/.test(c[start.length] ?? ' '))) start = start.replace(/\S*$/, '');
  return start.replace(/[\s,:]+$/, '');
}

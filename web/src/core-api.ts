// The Korrin core compiled to WebAssembly (src/web/binding.cpp, built by scripts/web into
// build-web/korrin-core.js, a single file with the WebAssembly embedded). This file declares
// what the binding offers; it holds no rule of the program. Every state is a JSON text built in
// C++ by the same code korrin-cli uses for `info --json`, so the page, the desktop window and
// the command-line tool agree.
//
// Files: the core reads and writes them in Emscripten's in-memory file system, exactly as the
// desktop program reads and writes disk files. load() puts the bytes there under the file's
// name (in one folder, /korrin) and runs the core's load sequence; save() runs the core's save
// sequence (validation, encoding, writer, read-back check) into that folder and hands out the
// written bytes. Names that are no plain file name (empty, ".", "..", with '/' or NUL) are
// refused with an Error.
//
// Dialogs: the core's message boxes (src/base/dialogs.h) call the DialogHandler given to the
// KorrinDocument constructor with the kind, the exact German text (line breaks as "\n") and the
// button set. A box with one button (ok or cancel) does not wait: the core goes on with that
// answer, and the page shows the box (queue the boxes, one after another). A question (two
// buttons: cancel-ignore, yes-ignore, yes-no) is awaited: the core's load or save sequence is
// suspended with Asyncify until the handler's Promise gives the answer, so the sequence runs
// exactly as in the desktop program. Only load() and save() can ask questions (save() also
// waits for the SaveNameHandler); they return a Promise. While one of them waits for an answer, no other method of any document may be
// called (the core is suspended in the middle of the sequence); await them.
//
// Undo: every method below that changes the document records its own undo step (a drag from
// its press to its release). Typing into one field (setRowAddress, setRowFunction, an editor
// text call) merges into one step until the page calls commit() when the field is left or
// Enter is pressed.

export type BoxKind = 'warning' | 'error' | 'info';
export type ButtonSet = 'ok' | 'cancel' | 'cancel-ignore' | 'yes-ignore' | 'yes-no';
export type Answer = 'ok' | 'cancel' | 'ignore' | 'yes' | 'no';
/** The German captions of the answers, as the desktop window's buttons show them. */
export const answerCaptions: Record<Answer, string> = {
  ok: 'OK',
  cancel: 'Abbrechen',
  ignore: 'Ignorieren',
  yes: 'Ja',
  no: 'Nein',
};
/** The buttons of each set, in the order the desktop window shows them. */
export const buttonAnswers: Record<ButtonSet, Answer[]> = {
  ok: ['ok'],
  cancel: ['cancel'],
  'cancel-ignore': ['cancel', 'ignore'],
  'yes-ignore': ['yes', 'ignore'],
  'yes-no': ['yes', 'no'],
};

export type DialogHandler = (kind: BoxKind, text: string, buttons: ButtonSet) => Answer | Promise<Answer>;
/**
 * The save's file dialog: the page asks the user to confirm a file name (title "HEX-Datei
 * speichern", preset: the loaded file's name) and answers the name, or null when cancelled.
 * Only the name counts (a folder part is dropped); the file is then offered as a download or,
 * with the File System Access API, written over the opened file after asking.
 */
export type SaveNameHandler = (title: string, presetName: string) => Promise<string | null>;
export interface DocumentHandlers {
  dialog: DialogHandler;
  saveName?: SaveNameHandler;
}

export type LoadResult = 'loaded' | 'not-read' | 'reader-error' | 'cancelled' | 'no-file';
export type SaveResult = 'saved' | 'not-applied' | 'row-error' | 'checksum-error' | 'cancelled' | 'write-failed';
export type SetOutcome = 'done' | 'refused' | 'unknown-key' | 'no-editor';
export type FrameKey = 'options' | 'blink' | 'led-blink' | 'servo' | 'cv';

// ---- the JSON texts ------------------------------------------------------------------------

/** One setting of an editor, as `korrin-cli info --json` lists it under editor.settings. */
export interface EditorSettingJson {
  key: string;
  caption: string;
  value: string;
  element?: string;
  count?: number;
  elements?: string[];
}
export interface EditorActionJson {
  key: string;
  form: string;
  description: string;
}
/** `korrin-cli info --json` "editor", plus the apply state. */
export interface EditorJson {
  frame: FrameKey | null;
  settings: Record<string, EditorSettingJson[]>;
  actions: EditorActionJson[];
  /** Changes wait in a working copy ("übernehmen" and "verwerfen" are enabled). */
  pending: boolean;
}

/** One of the 48 address rows as the window shows it. */
export interface RowJson {
  row: number;
  caption: string;
  captionVisible: boolean;
  addressVisible: boolean;
  functionVisible: boolean;
  rgVisible: boolean;
  addressText: string;
  functionText: string;
  colour: 'white' | 'green' | 'red';
  addressHint: string;
  addressHintShown: boolean;
  functionHint: string;
  functionHintShown: boolean;
}

/** The info JSON of `korrin-cli info --json`, unchanged (rows: the shown rows only). */
export interface InfoJson {
  identifier: number;
  identifier_bytes: unknown;
  title: string | null;
  pic: number;
  protocol: 'Mot' | 'DCC' | 'ohne';
  version: number;
  id: string;
  config: string[];
  eeprom: string;
  rows: Array<{ row: number; caption: string; address: number | null; green?: boolean; function?: number }>;
  frame: FrameKey | null;
  editor: Omit<EditorJson, 'pending'> | null;
  /** The boxes shown since the last load started: {kind, text}. */
  messages: Array<{ kind: BoxKind; text: string }>;
}

/** state(): everything the main window shows. */
export interface DocumentStateJson {
  header: string;
  headerFontSize: number;
  decoderTitle: string;
  /** The four status panels: reader state, reader state, protocol, file name. */
  statusPanels: [string, string, string, string];
  fileName: string;
  /** Name of the help page of the loaded type (helpFile() takes it). */
  helpPage: string;
  saveEnabled: boolean;
  rgMode: boolean;
  fnMode: boolean;
  rows: RowJson[];
  /** The edit a row message was about: {row, field: 'address'|'function'}. */
  focus: { row: number; field: 'address' | 'function' } | null;
  frame: FrameKey | null;
  editor: EditorJson | null;
  /** Editor kind specific view (see the *ViewJson types), null without an editor. */
  view: OptionsViewJson | CvViewJson | PatternViewJson | ServoViewJson | null;
  undo: { enabled: boolean; name: string; text: string };
  redo: { enabled: boolean; name: string; text: string };
  /** Neighbours of the loaded file in the folder given by setFolder(); "" for none. */
  prevFileName: string;
  nextFileName: string;
  info: InfoJson | null;
}

export interface OptionsViewJson {
  kind: 'options';
  heading: { visible: boolean; text: string };
  heading3: { visible: boolean; text: string };
  modeGroupVisible: boolean;
  modeGroupCaption: string;
  modeText: string;
  modeTextVisible: boolean;
  modes: Array<{ caption: string; visible: boolean }>;
  checkedMode: number;
  modeBit6: CheckBoxJson;
  modeBit7: CheckBoxJson;
  timeOutMarker: CheckBoxJson;
  boxes: CheckBoxJson[];
  text1: { visible: boolean; text: string };
  bar: TrackBarJson;
  barTitle: { visible: boolean; text: string };
  barLeft: { visible: boolean; text: string };
  barRight: { visible: boolean; text: string };
  neon: TrackBarJson[];
  neonLabels: Array<{ visible: boolean; text: string }>;
  rows: Array<{ key: string; caption: string; hint: string; min: number; max: number; text: string; unitText: string }>;
  focus: 'none' | 'row' | 'bar' | 'neon1' | 'neon2';
  focusRow: number;
}
export interface CheckBoxJson {
  visible: boolean;
  checked: boolean;
  caption: string;
  hint: string;
  key: string;
}
export interface TrackBarJson {
  visible: boolean;
  min: number;
  max: number;
  tick: number;
  position: number;
  hint: string;
}
export interface CvViewJson {
  kind: 'cv';
  rows: Array<{ key: string; caption: string; text: string; min: 0; max: 255 }>;
  focusRow: number;
}
export interface PatternViewJson {
  kind: 'blink' | 'led-blink';
  selected: number;
  countText: string;
  stretchText: string;
  maxCount: number;
  maxStretch: number;
  loop: boolean;
  outputs: boolean[];
  rasterText: string;
  totalText: string;
  copyEnabled: boolean[];
  applyEnabled: boolean;
  /** One per output: shown, and its points (on/off). */
  strips: Array<{ visible: boolean; points: boolean[] }>;
  lastPaintPoint: number;
}
export interface ServoViewJson {
  kind: 'servo';
  selected: number;
  countText: string;
  stretchText: string;
  pointTimeText: string;
  totalTimeText: string;
  thresholdText: string;
  thresholdShown: boolean;
  scaleText: string;
  shiftText: string;
  copyEnabled: boolean[];
  rasterX: number;
  rasterY: number;
  sw1Learn: boolean;
  relayStripAndSw1: boolean;
  buttonLabels: string[];
  buttonChoices: string[][];
  buttonActions: number[];
  buttonListsVisible: boolean[];
  pending: boolean;
  /** The drawings in pixels of the desktop frame's drawings (530 x 201 and 530 x 57); the
   *  curveMove/relayMove calls take positions in the same pixels (scale the page's own). */
  curve: {
    width: number;
    height: number;
    points: Array<{ x: number; y: number }>;
    markerHalfSize: number;
    gridX: number[];
    gridY: number[];
    thresholdY: number | null;
  };
  relay: { width: number; height: number; cells: Array<{ left: number; top: number; right: number; bottom: number }>; gridX: number[] };
  /** The servo address assignment. */
  assignment: {
    servoGroups: number;
    servoAndRelayLists: boolean;
    rows: Array<{
      caption: string;
      visible: boolean;
      servoVisible: boolean;
      actionVisible: boolean;
      curveVisible: boolean;
      relayVisible: boolean;
      servo: number;
      action: number;
      curve: number;
      relay: number;
    }>;
    servos: Array<{
      visible: boolean;
      flags: { voltageOff: boolean; pulsesOff: boolean; noInterrupt: boolean; noRepeat: boolean };
      offset: number;
      factor: number;
      minimumPulseText: string;
      maximumPulseText: string;
    }>;
  };
}

/** infoTexts(): what "HEX Info" shows on opening (korrin-cli dump). */
export interface InfoTextsJson {
  config: string[];
  id: string[];
  romCount: string;
  eeprom: string[];
  rom: string[];
  eepromComplete: boolean;
}

/** compare(): the comparison with a second file (korrin-cli compare). */
export interface ComparisonJson {
  completed: boolean;
  fileRead: boolean;
  noData: boolean;
  statusFile1: string;
  statusFile2: string;
  eepromLines: string[];
  romLines: string[];
  eeDifferences: number;
  romDifferences: number;
  idDifferences: number;
  configDifferences: number;
}

/** patternPreview()/servoPreview(): the state of a running preview at a time. */
export interface PatternPreviewJson {
  point: number;
  lit: boolean[];
  used: boolean[];
  ended: boolean;
  durationMs: number;
  stepMs: number;
}
export interface ServoPreviewJson {
  position: number;
  progress: number;
  point: number;
  relay: boolean;
  ended: boolean;
  durationMs: number;
  pointMs: number;
}

/** applyConfig(): nothing failed (ok), or the failure as korrin-cli apply reports it. */
export interface ApplyConfigJson {
  ok: boolean;
  /** German; empty when the editor refused a value and has shown its own message. */
  text: string;
}

/**
 * Calls of the shown editor's reactions, by the names of the core model's methods. Each is
 * what a control of the desktop frame does; the page forwards its events here and renders
 * state() again.
 */
export type EditorCall =
  // options
  | { call: 'selectMode'; radio: number }
  | { call: 'modeBit6' | 'modeBit7' | 'timeOutMarker'; checked: boolean }
  | { call: 'optionBox'; box: number; checked: boolean }
  | { call: 'bar' | 'neon1' | 'neon2'; position: number }
  | { call: 'optionRow'; row: number; text: string }
  // cv
  | { call: 'cvRow'; row: number; text: string }
  // blink and led-blink patterns
  | { call: 'selectAddress'; address: number }
  | { call: 'countText' | 'stretchText'; text: string }
  | { call: 'loop'; checked: boolean }
  | { call: 'output'; output: number; checked: boolean }
  | { call: 'stripPress' }
  | { call: 'stripMove'; output: number; point: number; on: boolean }
  | { call: 'stripRelease' }
  | { call: 'copy'; from: number }
  // servo
  | { call: 'selectCurve'; curve: number }
  | { call: 'thresholdText' | 'scaleText' | 'shiftText'; text: string }
  | { call: 'raster'; x: number; y: number }
  | { call: 'mouseDown' | 'mouseUp' }
  | { call: 'curveMove'; x: number; y: number }
  | { call: 'relayMove'; x: number; y: number }
  | { call: 'paintPoint'; point: number; position: number }
  | { call: 'paintRelay'; point: number; on: boolean }
  | { call: 'generate'; shape: 'lin' | 'log' | 'sin' | 'sin2' }
  | { call: 'mirrorVertical' | 'mirrorHorizontal' | 'scale' | 'shift' }
  | { call: 'copyCurve'; from: number }
  | { call: 'sw1'; learn: boolean }
  | { call: 'buttonAction'; list: number; index: number }
  | { call: 'assignServo' | 'assignAction' | 'assignCurve' | 'assignRelay'; row: number; index: number }
  | { call: 'servoFlag'; servo: number; bit: number; checked: boolean }
  | { call: 'stepOffset' | 'stepFactor'; servo: number; step: number };

/** Curve files (*.cur) and set files (*.set) of the servo editor. */
export type CurveFileResult = 'done' | 'failed' | 'cancelled' | 'no-editor';

export interface KorrinDocument {
  /** Runs the load sequence on the file's bytes; the load's questions go to the dialog handler. */
  load(name: string, bytes: Uint8Array): Promise<LoadResult>;
  /** The largest file the core reads (4 MiB). Check File.size before reading a file. */
  fileSizeLimit(): number;
  /** For a file larger than fileSizeLimit(): shows the core's message for it; nothing changes. */
  refuseLargeFile(name: string, size: number, kind: 'hex' | 'curve' | 'set'): void;
  /** The folder the file came from: the names of its files (any), for "<" and ">". */
  setFolder(names: string[]): void;
  /** DocumentStateJson as text. */
  state(): string;
  /** Only the editor view (cheaper than state() while dragging). */
  view(): string;

  setRowAddress(row: number, text: string): void;
  setRowFunction(row: number, text: string): void;
  toggleRowColour(row: number): void;

  /** Sets one editor setting or runs one action by its key, as `korrin-cli set --set KEY=VALUE`. */
  set(key: string, value: string): SetOutcome;
  /** A reaction of the shown editor's frame; false when the call does not fit the editor. */
  editor(call: EditorCall): boolean;
  /** "übernehmen" / "verwerfen" of the working-copy editors. */
  apply(): void;
  discard(): void;

  /** The field was left: what was typed stays one step. True when a typed step has just ended. */
  commit(): boolean;
  undo(): boolean;
  redo(): boolean;

  /**
   * The save sequence of "speichern", as in the desktop window: commit, the question about a
   * pending working copy, the rows' validation and encoding, the writer, then the file name
   * (SaveNameHandler), the write and the read-back check. On 'saved' savedBytes() holds the
   * written file and savedName() its name.
   */
  save(): Promise<SaveResult>;
  savedBytes(): Uint8Array;
  savedName(): string;

  infoTexts(): string;
  compare(name: string, bytes: Uint8Array): string;
  patternPreview(block: number, timeMs: number): string;
  servoPreview(curve: number, timeMs: number): string;

  /** The configuration file of `korrin-cli export`. */
  exportConfig(): string;
  /** `korrin-cli apply`: ApplyConfigJson as text. The caller saves afterwards. */
  applyConfig(text: string): string;

  /** The HTML of the loaded type's help page, or of a page of the help folder by name. */
  helpPage(): string;
  helpFile(name: string): string;

  loadCurveFile(name: string, bytes: Uint8Array): CurveFileResult;
  loadSetFile(name: string, bytes: Uint8Array): CurveFileResult;
  /** The bytes of the selected curve's / both tables' file; empty when there is no servo editor. */
  curveFileBytes(): Uint8Array;
  setFileBytes(): Uint8Array;

  /** Frees the document (Embind object). */
  delete(): void;
}

export interface KorrinCoreModule {
  KorrinDocument: new (handlers: DocumentHandlers) => KorrinDocument;
}

/** The factory of build-web/korrin-core.js (a -sMODULARIZE=1 build). */
export type KorrinCoreFactory = (options?: Record<string, unknown>) => Promise<KorrinCoreModule>;

export function parseState(doc: KorrinDocument): DocumentStateJson {
  return JSON.parse(doc.state()) as DocumentStateJson;
}

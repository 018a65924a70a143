// In-page modal dialogs. The core's message boxes (kind, German text, button set) and the
// questions the page asks itself (a file name) are shown here; every dialog resolves a
// promise with the answer, so a sequence of the core can wait for it.

export type BoxKind = 'warning' | 'error' | 'information' | 'question';

// Captions of the buttons as the desktop window shows them in German.
export const BUTTON_CAPTIONS: Record<string, string> = {
  ok: 'OK',
  cancel: 'Abbrechen',
  ignore: 'Ignorieren',
  yes: 'Ja',
  no: 'Nein',
};

const KIND_TITLES: Record<BoxKind, string> = {
  warning: 'Warnung',
  error: 'Fehler',
  information: 'Information',
  question: 'Frage',
};

let openCount = 0;

// True while any in-page dialog is open (the page's shortcuts then stay quiet).
export function dialogOpen(): boolean {
  return openCount > 0;
}

function makeDialog(title: string, className: string): { dialog: HTMLDialogElement; body: HTMLDivElement; buttons: HTMLDivElement } {
  const dialog = document.createElement('dialog');
  dialog.className = `box ${className}`;
  dialog.setAttribute('aria-label', title);
  const heading = document.createElement('h2');
  heading.textContent = title;
  const body = document.createElement('div');
  body.className = 'box-body';
  const buttons = document.createElement('div');
  buttons.className = 'box-buttons';
  dialog.append(heading, body, buttons);
  document.body.append(dialog);
  return { dialog, body, buttons };
}

// A message with one or more buttons; resolves with the key of the pressed button
// ('ok', 'cancel', 'ignore', 'yes', 'no'). Escape answers with the last button that can stand
// for "no" ('cancel', else 'no'), or 'ok' for a box with OK alone, as a desktop box does.
export function messageBox(kind: BoxKind, text: string, buttons: string[]): Promise<string> {
  const { dialog, body, buttons: row } = makeDialog(KIND_TITLES[kind], `box-${kind}`);
  dialog.setAttribute('role', kind === 'information' ? 'dialog' : 'alertdialog');
  const message = document.createElement('p');
  message.className = 'box-text';
  message.textContent = text;
  body.append(message);
  const escapeAnswer = buttons.includes('cancel') ? 'cancel' : buttons.includes('no') ? 'no' : buttons[0];
  openCount++;
  return new Promise((resolve) => {
    const finish = (answer: string) => {
      dialog.close();
      dialog.remove();
      openCount--;
      resolve(answer);
    };
    for (const key of buttons) {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = BUTTON_CAPTIONS[key] ?? key;
      b.dataset.answer = key;
      b.addEventListener('click', () => finish(key));
      row.append(b);
    }
    dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      finish(escapeAnswer);
    });
    dialog.showModal();
    (row.firstElementChild as HTMLButtonElement | null)?.focus();
  });
}

// Asks for a file name, preset with the given one; null when cancelled.
export function askFileName(title: string, preset: string): Promise<string | null> {
  const { dialog, body, buttons } = makeDialog(title, 'box-filename');
  const label = document.createElement('label');
  label.textContent = 'Dateiname';
  const input = document.createElement('input');
  input.type = 'text';
  input.value = preset;
  input.spellcheck = false;
  label.append(input);
  body.append(label);
  openCount++;
  return new Promise((resolve) => {
    const finish = (name: string | null) => {
      dialog.close();
      dialog.remove();
      openCount--;
      resolve(name);
    };
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'Speichern';
    const cancel = document.createElement('button');
    cancel.type = 'button';
    cancel.textContent = 'Abbrechen';
    ok.addEventListener('click', () => finish(input.value.trim() === '' ? null : input.value.trim()));
    cancel.addEventListener('click', () => finish(null));
    input.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        ok.click();
      }
    });
    dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      finish(null);
    });
    buttons.append(ok, cancel);
    dialog.showModal();
    input.focus();
    const dot = preset.lastIndexOf('.');
    input.setSelectionRange(0, dot > 0 ? dot : preset.length);
  });
}

// A larger modal panel with free content (the info dialog, the help page); resolves when closed.
export function panel(title: string, content: HTMLElement, closeCaption = 'Fenster schliessen'): Promise<void> {
  const { dialog, body, buttons } = makeDialog(title, 'box-panel');
  body.append(content);
  openCount++;
  return new Promise((resolve) => {
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = closeCaption;
    const finish = () => {
      dialog.close();
      dialog.remove();
      openCount--;
      resolve();
    };
    close.addEventListener('click', finish);
    dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      finish();
    });
    buttons.append(close);
    dialog.showModal();
    const first = content.querySelector<HTMLElement>('button, input, select, textarea, [tabindex]');
    (first ?? close).focus();
  });
}

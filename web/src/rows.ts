// The address rows: caption, address field, function field and the R/G button of each row,
// rendered from the core's rows. A typed text goes to the core as it is typed; the core
// validates it on save, exactly as the desktop window does with its edit boxes.
import type { RowJson } from './core-api';

export interface RowEvents {
  address(row: number, text: string): void;
  func(row: number, text: string): void;
  toggle(row: number): void;
  commit(): void; // a field was left or Enter pressed: the typing becomes one undo step
}

interface RowControls {
  box: HTMLDivElement;
  label: HTMLLabelElement;
  address: HTMLInputElement;
  func: HTMLInputElement;
  rg: HTMLButtonElement;
}

export class RowsView {
  private controls: RowControls[] = [];

  constructor(private host: HTMLElement, private events: RowEvents) {}

  private ensure(count: number): void {
    while (this.controls.length < count) {
      const r = this.controls.length;
      const box = document.createElement('div');
      box.className = 'row';
      const label = document.createElement('label');
      const address = document.createElement('input');
      address.type = 'text';
      address.className = 'address';
      address.id = `row-${r}-address`;
      address.inputMode = 'numeric';
      address.autocomplete = 'off';
      address.setAttribute('aria-description', 'Adresse');
      label.htmlFor = address.id;
      const func = document.createElement('input');
      func.type = 'text';
      func.className = 'function';
      func.inputMode = 'numeric';
      func.autocomplete = 'off';
      func.title = 'Funktion Nummer';
      const rg = document.createElement('button');
      rg.type = 'button';
      rg.className = 'rg';
      rg.textContent = 'R/G';
      rg.title = 'Wechsel zwischen ROTer und GRÜNer Adresse ';
      address.addEventListener('input', () => this.events.address(r, address.value));
      func.addEventListener('input', () => this.events.func(r, func.value));
      for (const input of [address, func]) {
        input.addEventListener('change', () => this.events.commit());
        input.addEventListener('keydown', (e) => {
          if (e.key === 'Enter') {
            e.preventDefault();
            this.events.commit();
          }
        });
      }
      rg.addEventListener('click', () => this.events.toggle(r));
      box.append(label, address, func, rg);
      this.host.append(box);
      this.controls.push({ box, label, address, func, rg });
    }
  }

  render(rows: RowJson[]): void {
    this.ensure(rows.length);
    rows.forEach((row, r) => {
      const c = this.controls[r];
      const shown = row.captionVisible || row.addressVisible || row.functionVisible || row.rgVisible;
      c.box.hidden = !shown;
      c.label.textContent = row.caption;
      c.label.style.visibility = row.captionVisible ? '' : 'hidden';
      // Screen readers name a row's controls after its caption; a row without one after its number.
      const name = row.caption.trim() === '' ? `Zeile ${r}` : row.caption.trim();
      c.address.setAttribute('aria-label', name);
      c.func.setAttribute('aria-label', `Funktion ${name}`);
      c.rg.setAttribute('aria-label', `R/G ${name}`);
      c.address.style.visibility = row.addressVisible ? '' : 'hidden';
      c.address.disabled = !row.addressVisible;
      // The function field and the R/G button share one place, as in the desktop window.
      c.func.hidden = !row.functionVisible;
      c.rg.hidden = !row.rgVisible;
      if (c.address.value !== row.addressText) c.address.value = row.addressText;
      if (c.func.value !== row.functionText) c.func.value = row.functionText;
      c.address.classList.toggle('green', row.colour === 'green');
      c.address.classList.toggle('red', row.colour === 'red');
      c.address.title = row.addressHintShown ? row.addressHint : '';
      c.func.title = row.functionHintShown ? row.functionHint : 'Funktion Nummer';
    });
  }

  // Puts the input focus on a row's field, as the core asks after a refused value.
  focus(row: number, which: 'address' | 'function'): void {
    const c = this.controls[row];
    if (!c) return;
    const input = which === 'function' ? c.func : c.address;
    input.focus();
    input.select();
  }
}

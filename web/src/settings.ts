// The page's settings in the browser's local storage: the last file name and the servo
// curve editor's raster, as the desktop window keeps them in its ini file.
const KEY = 'korrin.settings';

export interface PageSettings {
  lastFileName: string;
  rasterX: number;
  rasterY: number;
}

const DEFAULTS: PageSettings = { lastFileName: '', rasterX: 0, rasterY: 0 };

export function readSettings(): PageSettings {
  try {
    const raw = localStorage.getItem(KEY);
    if (!raw) return { ...DEFAULTS };
    const parsed = JSON.parse(raw) as Partial<PageSettings>;
    return {
      lastFileName: typeof parsed.lastFileName === 'string' ? parsed.lastFileName : DEFAULTS.lastFileName,
      rasterX: Number.isInteger(parsed.rasterX) ? (parsed.rasterX as number) : DEFAULTS.rasterX,
      rasterY: Number.isInteger(parsed.rasterY) ? (parsed.rasterY as number) : DEFAULTS.rasterY,
    };
  } catch {
    // A page opened from disk may have no storage, or a broken entry: the defaults then.
    return { ...DEFAULTS };
  }
}

export function writeSettings(s: PageSettings): void {
  try {
    localStorage.setItem(KEY, JSON.stringify(s));
  } catch {
    // Storage refused (private window, file:// in some browsers): the settings are not kept.
  }
}

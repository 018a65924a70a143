// Files in the browser: the file picker, dropped files, a folder opened with the directory
// picker, downloads and the File System Access API for saving over an opened file.

// A file the page can read again (for stepping through a folder) and perhaps write back.
export interface PageFile {
  name: string;
  size: number;
  read(): Promise<Uint8Array>;
  // Present where the browser handed out a writable handle (File System Access API).
  handle?: FileSystemFileHandle;
}

export function fromFile(file: File, handle?: FileSystemFileHandle): PageFile {
  return {
    name: file.name,
    size: file.size,
    read: async () => new Uint8Array(await file.arrayBuffer()),
    handle,
  };
}

// Opens the browser's file picker; several files may be chosen at once (they become the
// folder that "<" and ">" step through).
export function pickFiles(accept: string, multiple: boolean): Promise<File[]> {
  return new Promise((resolve) => {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = accept;
    input.multiple = multiple;
    input.style.display = 'none';
    document.body.append(input);
    input.addEventListener('change', () => {
      const files = Array.from(input.files ?? []);
      input.remove();
      resolve(files);
    });
    input.addEventListener('cancel', () => {
      input.remove();
      resolve([]);
    });
    input.click();
  });
}

interface DirectoryPickerWindow {
  showDirectoryPicker?: (options?: { mode?: 'read' | 'readwrite' }) => Promise<FileSystemDirectoryHandle>;
  showSaveFilePicker?: (options?: { suggestedName?: string }) => Promise<FileSystemFileHandle>;
}

export function canPickDirectory(): boolean {
  return typeof (window as unknown as DirectoryPickerWindow).showDirectoryPicker === 'function';
}

// The files of a folder the user opens with the directory picker; null when cancelled.
export async function pickDirectory(): Promise<PageFile[] | null> {
  const w = window as unknown as DirectoryPickerWindow;
  if (!w.showDirectoryPicker) return null;
  let dir: FileSystemDirectoryHandle;
  try {
    dir = await w.showDirectoryPicker({ mode: 'read' });
  } catch {
    return null;
  }
  const files: PageFile[] = [];
  // entries() is not in every TypeScript DOM library yet.
  const entries = (dir as unknown as { values(): AsyncIterable<FileSystemHandle> }).values();
  for await (const entry of entries) {
    if (entry.kind !== 'file') continue;
    const handle = entry as FileSystemFileHandle;
    const file = await handle.getFile();
    files.push(fromFile(file, handle));
  }
  return files;
}

// Offers bytes as a download under the given name.
export function download(name: string, bytes: Uint8Array): void {
  const blob = new Blob([bytes as BlobPart], { type: 'application/octet-stream' });
  const url = URL.createObjectURL(blob);
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  a.style.display = 'none';
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// Writes bytes over a file the user opened with a writable handle. Throws when the browser
// refuses (no permission, the file went away).
export async function writeOver(handle: FileSystemFileHandle, bytes: Uint8Array): Promise<void> {
  const h = handle as FileSystemFileHandle & {
    requestPermission?: (d: { mode: 'readwrite' }) => Promise<PermissionState>;
  };
  if (h.requestPermission && (await h.requestPermission({ mode: 'readwrite' })) !== 'granted')
    throw new Error('Keine Schreiberlaubnis');
  const writable = await handle.createWritable();
  await writable.write(bytes as BlobPart);
  await writable.close();
}

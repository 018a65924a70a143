// Builds the page twice from the same sources:
//   build-web/korrin.html   one self-contained file (script, styles and the WebAssembly core
//                           inlined) that works opened from disk and offline;
//   build-web/site/         the same page as a folder for any static web server.
// The core is the Emscripten output of scripts/web (a MODULARIZE build with the WebAssembly
// embedded); it is imported as the virtual module "korrin-core".
import { readFileSync, renameSync, existsSync, rmSync } from 'node:fs';
import { resolve } from 'node:path';
import { defineConfig, type Plugin } from 'vite';
import { viteSingleFile } from 'vite-plugin-singlefile';

const buildDir = resolve(__dirname, process.env.KORRIN_BUILD_WEB ?? '../build-web');
const coreJs = resolve(buildDir, 'korrin-core.js');
const single = process.env.KORRIN_SITE !== '1';

// The Emscripten module is a classic script that assigns its factory to module.exports when
// it finds CommonJS; wrapped in a function it becomes an ES module with that factory as default.
function coreModule(): Plugin {
  const id = 'korrin-core';
  return {
    name: 'korrin-core',
    resolveId: (source) => (source === id ? `\0${id}` : null),
    load(source) {
      if (source !== `\0${id}`) return null;
      if (!existsSync(coreJs)) throw new Error(`${coreJs} fehlt: erst scripts/web bauen`);
      const code = readFileSync(coreJs, 'utf8');
      return `const module = { exports: {} }; const exports = module.exports;\n${code}\nexport default module.exports;\n`;
    },
  };
}

// The single file is written as korrin.html beside the core, not as index.html.
function renameSingleFile(): Plugin {
  return {
    name: 'korrin-single-file-name',
    closeBundle() {
      const from = resolve(buildDir, 'index.html');
      const to = resolve(buildDir, 'korrin.html');
      if (existsSync(from)) {
        rmSync(to, { force: true });
        renameSync(from, to);
      }
    },
  };
}

export default defineConfig({
  base: './',
  plugins: single ? [coreModule(), viteSingleFile({ removeViteModuleLoader: true }), renameSingleFile()] : [coreModule()],
  build: {
    outDir: single ? buildDir : resolve(buildDir, 'site'),
    emptyOutDir: !single,
    target: 'es2022',
    assetsInlineLimit: single ? 100_000_000 : 4096,
    chunkSizeWarningLimit: 4000,
    reportCompressedSize: false,
    modulePreload: false,
  },
});

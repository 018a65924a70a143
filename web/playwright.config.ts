// The page's tests in a real browser: Debian's Chromium, driven by Playwright, never a
// browser download. The page under test is the single file build-web/korrin.html, opened
// from disk as a user opens it.
import { defineConfig } from '@playwright/test';

export default defineConfig({
  testDir: 'tests',
  timeout: 60_000,
  fullyParallel: false,
  workers: 1,
  reporter: [['list']],
  use: {
    browserName: 'chromium',
    acceptDownloads: true,
    locale: 'de-DE',
    launchOptions: {
      executablePath: process.env.KORRIN_CHROMIUM ?? '/usr/bin/chromium',
      args: [
        '--no-sandbox',
        '--disable-gpu',
        '--disable-background-networking',
        '--disable-component-update',
        '--no-first-run',
      ],
    },
  },
});

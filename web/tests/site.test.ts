// The folder build for a static web server: served from this machine's loopback address, the
// page starts and loads a file like the single file does.
import { createReadStream, existsSync, statSync } from 'node:fs';
import { createServer, type Server } from 'node:http';
import type { AddressInfo } from 'node:net';
import { extname, join, normalize } from 'node:path';
import { expect, test } from '@playwright/test';
import { answerAll, buildWeb, cliInfo, example, loadFiles } from './helpers';

const site = join(buildWeb, 'site');
const types: Record<string, string> = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };

let server: Server;
let origin = '';

test.beforeAll(async () => {
  server = createServer((req, res) => {
    const path = normalize(join(site, decodeURIComponent((req.url ?? '/').split('?')[0]) === '/' ? 'index.html' : decodeURIComponent((req.url ?? '/').split('?')[0])));
    if (!path.startsWith(site) || !existsSync(path) || !statSync(path).isFile()) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'content-type': types[extname(path)] ?? 'application/octet-stream' });
    createReadStream(path).pipe(res);
  });
  await new Promise<void>((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${(server.address() as AddressInfo).port}`;
});

test.afterAll(async () => {
  await new Promise((resolve) => server.close(resolve));
});

test('the server folder works from a static web server', async ({ page }) => {
  await page.goto(`${origin}/`);
  await expect(page.locator('body')).toHaveAttribute('data-ready', 'true');
  await loadFiles(page, [example('led_blinkmuster_dcc.hex')]);
  await answerAll(page);
  await expect(page.locator('#header')).toHaveText(cliInfo(example('led_blinkmuster_dcc.hex')).title ?? '');
});

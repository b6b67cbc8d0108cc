// The example app (docs/examples/TideTable.app), installed with --install and
// used in Chromium: listed below the tweaks with its icon, its page opened,
// its switch flipped and a choice made; the values land in the app's own
// defaults file in its data container, with a key already there kept.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { fileURLToPath } from 'node:url';

import { mkdir, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import { eventually, openBrowser, plist, row, shows, startApp, tapOnScreen } from './harness.mjs';

const TIDE_TABLE = fileURLToPath(new URL('../../docs/examples/TideTable.app', import.meta.url));
// uuid5(NAMESPACE_URL, 'data:com.example.tidetable'), upper case.
const VALUES_FILE = '/var/mobile/Containers/Data/Application/79C7094F-CC2B-545B-A9A2-18C4E8714AB7'
  + '/Library/Preferences/com.example.tidetable.plist';

let browser, app, page;
before(async () => {
  browser = await openBrowser();
  const prepare = async (root) => {
    const preferences = join(root, VALUES_FILE, '..');
    await mkdir(preferences, { recursive: true });
    await writeFile(join(root, VALUES_FILE), plist('<dict><key>kept</key><integer>7</integer></dict>'));
  };
  app = await startApp({ prepare, extraArgs: ['--install', TIDE_TABLE] });
  page = await browser.newPage(app);
});
after(async () => { await app?.stop(); await browser?.close(); });

const values = async () => (await app.files())[VALUES_FILE];

test('an app\'s Settings.bundle page: listed, opened, and its values kept in its container', async () => {
  await page.goto(app.url);
  await shows(page, app, 'Tide Table');
  const icon = await row(page, 'Tide Table').locator('[data-image]:not([data-image=""])').first().getAttribute('data-image');
  assert.match(icon, /\/TideTable\.app\/AppIcon60x60@2x\.png$/);
  assert.equal((await app.get('/device' + icon)).status, 200, 'the icon is served');
  assert.deepEqual(await values(), { kept: 7 }, 'listed before anything is written');

  await tapOnScreen(page, 'Tide Table');
  await shows(page, app, 'Times are shown in the harbour\'s own time zone.');
  await row(page, 'Alerts').getByRole('switch').click();
  await eventually(async () => (await values()).alerts_enabled === 'NO', 'the switch\'s FalseValue written');

  await tapOnScreen(page, 'Units');
  await tapOnScreen(page, 'Feet');
  await eventually(async () => (await values()).units === 'ft', 'the chosen unit written');
  assert.deepEqual(await values(), { kept: 7, alerts_enabled: 'NO', units: 'ft' });
});

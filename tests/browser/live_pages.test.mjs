// A tweak's preference bundle project installed with --install as it lies on
// disk (its Root.plist standing in for its code), its page
// edited while Chromium shows it: the new label appears without a tap or a
// reload of the browser page. What a broken save shows is the reloader's
// own test's.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';

import { mkdir, mkdtemp, rename, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { eventually, openBrowser, plist, screenText, shows, startApp, tapOnScreen } from './harness.mjs';

const ROOT_PAGE = '/Library/PreferenceBundles/GardenPrefs.bundle/Root.plist';
const page = (label) => plist('<dict><key>title</key><string>Garden</string><key>items</key><array>'
  + '<dict><key>cell</key><string>PSGroupCell</string><key>label</key><string>Watering</string></dict>'
  + `<dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>${label}</string>`
  + '<key>key</key><string>sprinkler</string><key>defaults</key><string>com.example.garden</string></dict>'
  + '</array></dict>');

let browser, app, tab, project;
// As editors save: the new text in a scratch file beside the old, renamed over it.
const save = async (body) => {
  const file = join(project, 'Resources/Root.plist');
  await writeFile(`${file}.new`, body);
  await rename(`${file}.new`, file);
};

// A Theos preference bundle project as it lies on disk; its code was built for the phone alone.
before(async () => {
  project = await mkdtemp(join(tmpdir(), 'garden-prefs-'));
  await mkdir(join(project, 'Resources'), { recursive: true });
  await writeFile(join(project, 'Makefile'), 'include $(THEOS)/makefiles/common.mk\nBUNDLE_NAME = GardenPrefs\n');
  await writeFile(join(project, 'entry.plist'), plist('<dict><key>entry</key><dict><key>bundle</key><string>GardenPrefs</string>'
    + '<key>cell</key><string>PSLinkCell</string><key>label</key><string>Garden</string></dict></dict>'));
  await writeFile(join(project, 'Resources/Info.plist'), plist('<dict><key>CFBundleExecutable</key><string>GardenPrefs</string>'
    + '<key>NSPrincipalClass</key><string>GardenRootListController</string></dict>'));
  await writeFile(join(project, 'Resources/Root.plist'), page('Sprinkler'));
  browser = await openBrowser();
  app = await startApp({ extraArgs: ['--install', project] });
  tab = await browser.newPage(app);
});
after(async () => {
  await app?.stop();
  await browser?.close();
  await rm(project, { recursive: true, force: true });
});

test('each edit of the page on screen shows without a tap or a reload of the browser page', async () => {
  await tapOnScreen(tab, 'Garden');
  await shows(tab, app, 'Sprinkler');
  await tab.evaluate(() => { window.stillTheSamePage = true; });

  await save(page('Drip line'));
  await screenText(tab, 'Drip line').waitFor();
  await shows(tab, app, 'Watering');

  await save(page('Soaker hose'));
  await shows(tab, app, 'Soaker hose');
  await app.act('/api/back');
  await shows(tab, app, 'Garden');
  assert.equal(await tab.evaluate(() => window.stillTheSamePage), true, 'the browser page was never reloaded');

  const reloads = (await app.events()).filter((event) => event.kind === 'reload').map((event) => event.detail);
  assert.deepEqual(reloads, Array(2).fill(ROOT_PAGE), 'each save reloads once, naming the file on the phone');
});

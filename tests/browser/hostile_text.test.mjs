// Text from the device's files shown in Chromium: markup, script and quotes
// in the favourites, in a settings key and in the labels of Settings entries
// are shown as the very text they are, and nothing of them runs.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import { FAVORITES_FILE, PREFERENCES, SETTINGS_FILE, openBrowser, screenText, startApp } from './harness.mjs';

const HOSTILE = [
  '<img src=x onerror=alert(1)>',
  '"double" \'single\' & </pre><script>alert(2)</script>',
  '<svg onload=alert(3)>',
];
const ENTRIES = '/Library/PreferenceLoader/Preferences';

const escapeXml = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const plist = (body) => `<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n${body}\n</plist>\n`;
const strings = (texts) => texts.map((text) => `<string>${escapeXml(text)}</string>`).join('');

async function layFiles(root) {
  const preferences = join(root, PREFERENCES);
  await mkdir(preferences, { recursive: true });
  await writeFile(join(root, FAVORITES_FILE), plist(`<array>${strings(HOSTILE)}</array>`));
  await writeFile(join(root, SETTINGS_FILE),
    plist(`<dict><key>${escapeXml(HOSTILE[0])}</key>${strings([HOSTILE[1]])}<key>Enabled</key><true/></dict>`));
  await mkdir(join(root, ENTRIES), { recursive: true });
  for (const [index, label] of HOSTILE.entries()) {
    const entry = `<dict><key>entry</key><dict><key>label</key>${strings([label])}`
      + `<key>bundle</key><string>Hostile${index}</string></dict></dict>`;
    await writeFile(join(root, ENTRIES, `Hostile${index}.plist`), plist(entry));
  }
}

describe('text from the files in the browser', () => {
  let app;
  let browser;
  let page;
  const dialogs = [];
  before(async () => {
    app = await startApp({ prepare: layFiles });
    browser = await openBrowser();
    page = await browser.context.newPage();
    page.on('dialog', async (dialog) => {
      dialogs.push(dialog.message());
      await dialog.dismiss();
    });
    await page.goto(app.url);
    await page.locator('.screen .view').first().waitFor();
  });
  after(async () => {
    await browser?.close();
    await app?.stop();
  });

  // Markup that had been parsed would have made elements and run handlers.
  async function nothingRan() {
    await page.waitForTimeout(300); // an image that fails to load fires onerror after a moment
    assert.deepEqual(dialogs, [], 'no alert was raised');
    const made = await page.evaluate(() => document.querySelectorAll('img[src="x"], svg[onload], script:not([src])').length);
    assert.equal(made, 0, 'no element came from the text');
  }

  test('entry labels are drawn on the screen as their text', async () => {
    for (const label of HOSTILE) await screenText(page, label).waitFor();
    await nothingRan();
  });

  test('the files panel shows the favourites and the settings key as written', async () => {
    const shown = async (path) => page.locator(`section.file[data-path="${path}"] pre`).textContent();
    const favorites = JSON.parse(await shown(FAVORITES_FILE));
    assert.deepEqual(favorites, HOSTILE);
    const settings = JSON.parse(await shown(SETTINGS_FILE));
    assert.equal(settings[HOSTILE[0]], HOSTILE[1]);
    await nothingRan();
  });

  test('a change redraws the panel, and the text still stays text', async () => {
    await app.act('/api/tap', { text: 'Vimble' });
    await app.act('/api/tap', { switch: 'Enable' });
    await page.waitForFunction((path) => {
      const text = document.querySelector(`section.file[data-path="${path}"] pre`)?.textContent ?? '';
      return text.includes('"Enabled": false');
    }, SETTINGS_FILE);
    const settings = JSON.parse(await page.locator(`section.file[data-path="${SETTINGS_FILE}"] pre`).textContent());
    assert.equal(settings[HOSTILE[0]], HOSTILE[1], 'the other key is kept');
    await nothingRan();
  });
});

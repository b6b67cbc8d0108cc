// The configure page and its skin-tone picker in a browser.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';

import {
  SETTINGS_FILE, SKINTONE_FILE, eventually, openBrowser, row, screenText, screenshot, startApp, tap, tapOnScreen,
} from './harness.mjs';

const TONES = ['👦 👧 👨 👩', '👦🏻 👧🏻 👨🏻 👩🏻', '👦🏼 👧🏼 👨🏼 👩🏼', '👦🏽 👧🏽 👨🏽 👩🏽'];

describe('the configure page in a browser', () => {
  let app;
  let browser;
  let page;
  before(async () => {
    app = await startApp();
    browser = await openBrowser();
    page = await browser.newPage(app);
    await tapOnScreen(page, 'Vimble');
    await tapOnScreen(page, 'Configure');
    await screenText(page, 'Set Default Skin Tone').waitFor();
  });
  after(async () => {
    await browser?.close();
    await app?.stop();
  });

  // Which tone rows show the chosen mark, as "on off off ...".
  const marks = async () => {
    const states = [];
    for (const tone of TONES) {
      states.push(await row(page, tone).locator('.view[data-image$="Radio - Active.png"]').count() ? 'on' : 'off');
    }
    return states.join(' ');
  };

  test('shows its rows and the six tones, the first marked while nothing is stored', async () => {
    for (const text of ['Select Emoji', 'Set Default Skin Tone', 'Skin Tones', ...TONES]) {
      await screenText(page, text).first().waitFor();
    }
    assert.equal(await marks(), 'on off off off');
    await screenshot(page, 'configure');
  });

  test('the skin-tone switch writes the settings file and hands on its notification', async () => {
    const control = row(page, 'Set Default Skin Tone').locator('[role=switch]');
    assert.equal(await control.getAttribute('aria-checked'), 'false');
    await tap(page, control);
    await page.waitForFunction(() => document.querySelectorAll('.screen [role=switch][aria-checked=true]').length > 0);
    assert.deepEqual((await app.files())[SETTINGS_FILE], { Skintone: true });
    const log = (await app.events()).map((event) => `${event.kind} ${event.detail}`);
    assert.ok(log.includes('notification com.korvent.vimble.skintoneChanged'), log.join('\n'));
  });

  test('tapping a tone moves the mark and stores the tone', async () => {
    await tapOnScreen(page, TONES[3]);
    await eventually(async () => (await marks()) === 'off off off on', { message: 'the mark on the fourth tone' });
    assert.deepEqual((await app.files())[SKINTONE_FILE], { ST: '3', shouldUpdateSkintone: true });
    await page.locator('#files pre', { hasText: '"ST": "3"' }).waitFor();

    await tapOnScreen(page, TONES[1]);
    await page.locator('#files pre', { hasText: '"ST": "1"' }).waitFor();
    await eventually(async () => (await marks()) === 'off on off off', { message: 'the mark on the second tone' });
    await screenshot(page, 'configure-tone');
  });

  test('the stored tone is marked again when the page is opened anew', async () => {
    await tapOnScreen(page, '\u2039 Vimble');
    await tapOnScreen(page, 'Configure');
    await screenText(page, TONES[1]).waitFor();
    await eventually(async () => (await marks()) === 'off on off off', { message: 'the stored tone marked' });
  });
});

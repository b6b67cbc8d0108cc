// The Settings list and the panel's root page, used with the mouse in
// Chromium: what the screen shows, and what lands in the files and the log.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';

import {
  SETTINGS_FILE, eventually, findNode, openBrowser, row, screenText, screenshot, startApp, tap, tapLabelled, tapOnScreen,
} from './harness.mjs';

const HOST_CHANGE_BUDGET_MS = 100;

describe('the root page in a browser', () => {
  let app;
  let browser;
  let page;
  before(async () => {
    app = await startApp();
    browser = await openBrowser();
    page = await browser.newPage(app);
  });
  after(async () => {
    await browser?.close();
    await app?.stop();
  });

  const rowSwitch = (title) => row(page, title).locator('[role=switch]');
  const titleIcon = () => page.locator('.screen .view[data-image$="Branding - Small.png"]');

  test('the Settings list shows the installed bundle with its icon', async () => {
    await screenText(page, 'Settings').waitFor();
    const icon = page.locator('.screen .view[data-image$="Vimble.bundle/Icon.png"]');
    await icon.waitFor();
    const loaded = await icon.evaluate((el) => getComputedStyle(el).backgroundImage);
    assert.match(loaded, /\/device\/Library\/PreferenceBundles\/Vimble\.bundle\/Icon\.png/);
    await screenshot(page, 'settings-list');
  });

  test('tapping Vimble opens the panel, whose title icon fades in without a reload', async () => {
    await page.evaluate(() => { window.sameDocument = true; });
    await tapOnScreen(page, 'Vimble');
    await screenText(page, 'Enable').waitFor();
    await eventually(async () => (await titleIcon().evaluate((el) => getComputedStyle(el).opacity)) === '1',
      { message: 'the title icon fully shown' });
    assert.equal(await page.evaluate(() => window.sameDocument), true);
    const tint = await page.locator('.screen').evaluate((el) => el.style.getPropertyValue('--tint'));
    assert.equal(tint, 'rgba(165, 179, 206, 1)', 'the window takes the panel tint');
    await screenshot(page, 'root');
  });

  test('a change made on the host reaches the page within a tenth of a second', async () => {
    const flipped = page.waitForFunction(() => {
      const row = [...document.querySelectorAll('.screen .view.cell')].find((cell) => cell.textContent.includes('Enable'));
      return row?.querySelector('[role=switch]')?.getAttribute('aria-checked') === 'false';
    }, null, { polling: 'raf' });
    // The host has published the change when its answer arrives (the tap's
    // durable file write comes before); from then on the clock runs.
    await app.act('/api/tap', { switch: 'Enable' });
    const published = Date.now();
    await flipped;
    const elapsed = Date.now() - published;
    assert.ok(elapsed < HOST_CHANGE_BUDGET_MS, `took ${elapsed} ms`);
    await app.act('/api/tap', { switch: 'Enable' });
    await screenText(page, 'Configure').waitFor();
  });

  test('Enable off hides Configure and writes the file; on brings it back', async () => {
    await tap(page, rowSwitch('Enable'));
    await screenText(page, 'Configure').waitFor({ state: 'detached' });
    assert.equal(await rowSwitch('Enable').getAttribute('aria-checked'), 'false');
    assert.deepEqual((await app.files())[SETTINGS_FILE], { Enabled: false });
    await page.locator('#files pre', { hasText: '"Enabled": false' }).waitFor();
    await screenshot(page, 'root-disabled');

    await tap(page, rowSwitch('Enable'));
    await screenText(page, 'Configure').waitFor();
    assert.equal(await rowSwitch('Enable').getAttribute('aria-checked'), 'true');
    assert.deepEqual((await app.files())[SETTINGS_FILE], { Enabled: true });
    await page.locator('#files pre', { hasText: '"Enabled": true' }).waitFor();
  });

  test('Need Help opens the mail composer; Cancel and Send both close it', async () => {
    await tapOnScreen(page, 'Need Help');
    await screenText(page, 'To: support@korventlabs.com').waitFor();
    await screenText(page, 'Subject: Vimble Assistance').waitFor();
    await screenshot(page, 'mail-composer');
    await tapOnScreen(page, 'Cancel');
    await screenText(page, 'Subject: Vimble Assistance').waitFor({ state: 'detached' });

    await tapOnScreen(page, 'Need Help');
    await tapOnScreen(page, 'Send');
    await screenText(page, 'Subject: Vimble Assistance').waitFor({ state: 'detached' });
    const log = (await app.events()).map((event) => `${event.kind} ${event.detail}`);
    assert.deepEqual(log.filter((line) => /Mail|mail/.test(line)), [
      'present MFMailComposeViewController', 'dismiss MFMailComposeViewController',
      'present MFMailComposeViewController', 'mail to support@korventlabs.com: Vimble Assistance',
      'dismiss MFMailComposeViewController',
    ]);
    await page.locator('#events .kind-mail').waitFor();
  });

  test('the share button shows the sheet with the share text in colour emoji', async () => {
    await tapLabelled(page, 'Share');
    const line = screenText(page, '😊😛- #Vimble- Set Favorite Emojis by @KorventTeam');
    await line.waitFor();
    await screenshot(page, 'share-sheet');
    await tapOnScreen(page, 'Copy');
    await line.waitFor({ state: 'detached' });
    const kinds = (await app.events()).slice(-3).map((event) => `${event.kind} ${event.detail}`);
    assert.deepEqual(kinds, ['present UIActivityViewController', 'activity Copy', 'dismiss UIActivityViewController']);
  });

  test('the wheel and a drag scroll the page on the host', async () => {
    const offset = async () => findNode(await app.tree(), (node) => node.class === 'UITableView').contentOffset[1];
    const box = await page.locator('#screen').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.wheel(0, 40);
    await eventually(async () => (await offset()) > 0, { message: 'the wheel to scroll the table' });
    await page.mouse.down();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2 + 200, { steps: 8 });
    await page.mouse.up();
    await eventually(async () => (await offset()) === 0, { message: 'the drag to scroll back to the top' });
    await screenText(page, 'Enable').waitFor();
  });

  test('turning the phone lays the page out in landscape, banner and all', async () => {
    await page.locator('#rotate').click();
    await page.locator('#phone.landscape').waitFor();
    assert.equal(await page.locator('#screen').evaluate((el) => el.style.width), '667px');
    const banner = page.locator('.screen .view[data-image$="Vimble - Header.png"]');
    await eventually(async () => (await banner.evaluate((el) => el.style.width)) === '667px', { message: 'the banner to widen' });
    await screenshot(page, 'root-landscape');
    await page.locator('#rotate').click();
    await page.locator('#phone:not(.landscape)').waitFor();
    await eventually(async () => (await banner.evaluate((el) => el.style.width)) === '375px', { message: 'the banner to narrow' });
  });

  test('the reset button, once confirmed, wipes the files and starts Settings again', async () => {
    await page.locator('#reset').click();
    await screenText(page, 'Settings').waitFor();
    await screenText(page, 'Enable').waitFor({ state: 'detached' });
    assert.deepEqual(Object.values(await app.files()), [null, null, null]);
    await eventually(async () => (await page.locator('#files .file.missing').count()) === 3, { message: 'files shown as missing' });
    assert.equal(await page.locator('#events li').count(), 0);
  });
});

// The emoji selection page in a browser: picking favourites with the mouse,
// scrolling with the wheel, the limit of 25, taking one back, the trash.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';

import {
  FAVORITES_FILE, eventually, openBrowser, screenText, screenshot, settled, startApp, tap, tapLabelled, tapOnScreen,
} from './harness.mjs';

const LIMIT = 25;
const LIMIT_MESSAGE = 'Limit Reached, Please deselect an emoji';
const NAVIGATION_BOTTOM = 64;

describe('the emoji selection page in a browser', () => {
  let app;
  let browser;
  let page;
  const picked = [];
  before(async () => {
    app = await startApp();
    browser = await openBrowser();
    page = await browser.newPage(app);
    await tapOnScreen(page, 'Vimble');
    await tapOnScreen(page, 'Configure');
    await tapOnScreen(page, 'Select Emoji');
    await screenText(page, 'Smileys & People').waitFor();
  });
  after(async () => {
    await browser?.close();
    await app?.stop();
  });

  const favorites = async () => (await app.files())[FAVORITES_FILE];
  const rows = (mark) => page.locator('.screen .view.cell:not(:has(.view.cell))')
    .filter({ has: page.locator(`.view[data-image$="Radio - ${mark}.png"]`) });

  // The first row not yet chosen that lies wholly on screen, scrolling down with the wheel until one does.
  async function nextUnchosenRow() {
    const screen = await page.locator('#screen').boundingBox();
    for (;;) {
      await settled(page);
      for (const candidate of await rows('InActive').all()) {
        const box = await candidate.boundingBox();
        if (box && box.y >= screen.y + NAVIGATION_BOTTOM && box.y + box.height <= screen.y + screen.height) return candidate;
      }
      await page.mouse.move(screen.x + screen.width / 2, screen.y + screen.height / 2);
      await page.mouse.wheel(0, 300);
      await page.waitForTimeout(100);
    }
  }

  async function pickNext() {
    const candidate = await nextUnchosenRow();
    const emoji = await candidate.locator('.view.label > .text').first().textContent();
    await tap(page, candidate.locator('.view.label').first());
    return emoji;
  }

  // The row of `emoji` drawn with the mark `mark`.
  function markedRow(emoji, mark) {
    return rows(mark).filter({ has: screenText(page, emoji, '') });
  }

  test('a tap chooses an emoji: its mark turns and the favourites file lists it', async () => {
    for (let count = 1; count <= 3; count += 1) {
      picked.push(await pickNext());
      await markedRow(picked.at(-1), 'Active').waitFor();
      await eventually(async () => (await favorites())?.length === count, { message: `${count} favourites` });
    }
    assert.deepEqual(await favorites(), picked);
    await eventually(async () => (await rows('Active').count()) === 3, { message: 'three marks on screen' });
    await screenshot(page, 'select-emoji');
  });

  test(`up to ${LIMIT} can be chosen across the sections; one more brings the limit alert`, async () => {
    while (picked.length < LIMIT) {
      picked.push(await pickNext());
      await markedRow(picked.at(-1), 'Active').waitFor();
      await eventually(async () => (await favorites())?.length === picked.length, { message: `${picked.length} favourites` });
    }
    assert.deepEqual(await favorites(), picked);
    await pickNext();
    await screenText(page, LIMIT_MESSAGE).waitFor();
    await screenText(page, 'Vimble').waitFor();
    await screenshot(page, 'select-limit');
    await tapOnScreen(page, 'Okay');
    await screenText(page, LIMIT_MESSAGE).waitFor({ state: 'detached' });
    assert.deepEqual(await favorites(), picked, 'nothing was added past the limit');
  });

  test('a chosen emoji tapped again is taken out of the favourites', async () => {
    const last = picked.at(-1);
    await tap(page, markedRow(last, 'Active').locator('.view.label').first());
    await markedRow(last, 'InActive').waitFor();
    await eventually(async () => (await favorites())?.length === LIMIT - 1, { message: 'one favourite fewer' });
    assert.deepEqual(await favorites(), picked.slice(0, -1));
  });

  test('the trash button clears every favourite, on screen and in the file', async () => {
    await tapLabelled(page, 'Trash');
    await eventually(async () => Array.isArray(await favorites()) && (await favorites()).length === 0, { message: 'no favourites' });
    await eventually(async () => (await rows('Active').count()) === 0, { message: 'no marks on screen' });
  });

  test('Close returns to the configure page', async () => {
    await tapOnScreen(page, 'Close');
    await screenText(page, 'Set Default Skin Tone').waitFor();
  });
});

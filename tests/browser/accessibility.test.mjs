// The page as people meet it, in one walk through the panel: the fonts
// Chromium draws the texts with, the phone used with the keyboard only, what
// axe-core finds for a screen reader, and Copy reaching the browser's clipboard.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, readFile, writeFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { FAVORITES_FILE, eventually, findNode, openBrowser, plist, screenText, settled, startApp } from './harness.mjs';

const AXE = createRequire(import.meta.url).resolve('axe-core');
const EXAMPLES = fileURLToPath(new URL('../../docs/examples', import.meta.url));
const SHARE_TEXT = '😊😛- #Vimble- Set Favorite Emojis by @KorventTeam';
const LIMIT_MESSAGE = 'Limit Reached, Please deselect an emoji';
// Twenty-five favourites from the end of the catalog: the first rows on screen stay unchosen.
const FULL_FAVORITES = [...'🍏🍎🍐🍊🍋🍌🍉🍇🍓🍈🍒🍑🍍🥝🍅🍆🥑🥦🥒🌶🌽🥕🥔🍠🥐'];

describe('the page with the keyboard, a screen reader and the clipboard', () => {
  let app, browser, page, cdp;
  before(async () => {
    app = await startApp({
      prepare: async (root) => {
        const favorites = join(root, FAVORITES_FILE);
        await mkdir(join(favorites, '..'), { recursive: true });
        await writeFile(favorites, plist(`<array>${FULL_FAVORITES.map((text) => `<string>${text}</string>`).join('')}</array>`));
      },
      extraArgs: ['--install', EXAMPLES],
    });
    browser = await openBrowser();
    await browser.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: app.url.replace(/\/$/, '') });
    page = await browser.newPage(app);
    cdp = await page.context().newCDPSession(page);
    await Promise.all([cdp.send('DOM.enable'), cdp.send('CSS.enable')]);
  });
  after(async () => { await browser?.close(); await app?.stop(); });

  // "role name" of the focused element, or "page <tag> <text>" outside the phone.
  const focused = () => page.evaluate(() => {
    const el = document.activeElement;
    if (!el.closest('#screen')) return `page ${el.tagName.toLowerCase()} ${el.textContent.trim()}`;
    return `${el.getAttribute('role') ?? el.localName} ${el.getAttribute('aria-label') ?? el.textContent.trim()}`;
  });

  // Presses Tab until the focus leaves the phone; what it stopped on.
  async function tabThroughPhone() {
    const stops = [];
    for (;;) {
      await page.keyboard.press('Tab');
      const stop = await focused();
      if (stop.startsWith('page ')) return { stops, after: stop };
      stops.push(stop);
      assert.ok(stops.length < 40, stops.join('\n'));
    }
  }

  async function press(key, waitForText, state = 'visible') {
    await settled(page);
    await page.keyboard.press(key);
    if (waitForText) await screenText(page, waitForText).first().waitFor({ state });
    await settled(page);
  }

  // Texts of plain ASCII drawn, in part or whole, with an emoji font: "text: font".
  async function asciiTextsInEmojiFont() {
    const selector = '.screen .view.label > .text, .top h1, .panel h2, .panel button, legend, .apps label, .file h3, .file pre, .event > *';
    const texts = await page.$$eval(selector, (els) => els.map((el) => el.textContent));
    const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
    const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector });
    assert.equal(nodeIds.length, texts.length);
    const found = [];
    for (const [index, nodeId] of nodeIds.entries()) {
      if (!/^[\x20-\x7e\n]*[a-z0-9][\x20-\x7e\n]*$/i.test(texts[index])) continue;
      const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
      for (const font of fonts) if (/emoji/i.test(font.familyName)) found.push(`${texts[index]}: ${font.familyName}`);
    }
    return { checked: texts, found };
  }

  // Serious and critical findings of the WCAG 2 A and AA rules, as "rule: element".
  // The phone's colours are the device's: its screen is left out of the contrast rule only.
  async function axeFindings() {
    await settled(page);
    // The page's Content-Security-Policy refuses injected script tags; evaluation from the test is not a page script.
    if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(await readFile(AXE, 'utf8'));
    return page.evaluate(async () => {
      const tags = { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } };
      const all = await window.axe.run(document, { ...tags, rules: { 'color-contrast': { enabled: false } } });
      const contrast = await window.axe.run({ exclude: [['#screen']] }, { runOnly: ['color-contrast'] });
      return [...all.violations, ...contrast.violations]
        .filter((violation) => ['serious', 'critical'].includes(violation.impact))
        .flatMap((violation) => violation.nodes.map((node) => `${violation.id}: ${node.target.join(' ')}`));
    });
  }

  // The phone's texts that a reader, going through the page in its order, meets after a text lying wholly below them.
  const textsReadGoingUp = () => page.$$eval('.screen .view.label > .text', (els) => {
    const shown = els.map((el) => ({ text: el.textContent, box: el.getBoundingClientRect() })).filter(({ box }) => box.height > 0);
    return shown.slice(1).filter(({ box }, index) => box.bottom <= shown[index].box.top).map(({ text }) => text);
  });

  const hostOffset = async () => findNode(await app.tree(), (node) => node.class === 'UITableView').contentOffset[1];

  test('the Settings list and the root page: text fonts, Tab order with a ring, Enter and Space through the host', async () => {
    await screenText(page, 'Vimble').waitFor();
    await page.locator('#files .file').first().waitFor();
    const { checked, found } = await asciiTextsInEmojiFont();
    for (const text of ['Settings', 'Vimble', '9:41', 'Device', 'not written yet']) assert.ok(checked.includes(text), text);
    assert.deepEqual(found, []);
    assert.deepEqual(await axeFindings(), []);
    assert.deepEqual(await tabThroughPhone(), { stops: ['button Desk Lamp', 'button Vimble'], after: 'page button Turn to landscape' });
    await page.keyboard.press('Shift+Tab');
    const ring = page.locator('.screen .view.cell:has(> .press:focus)');
    assert.equal(await ring.evaluate((el) => `${getComputedStyle(el).outlineStyle} ${getComputedStyle(el).outlineWidth}`), 'solid 3px');

    await press('Enter', 'Enable');
    assert.equal(await focused(), 'button ‹ Settings');
    await page.keyboard.press('Shift+Tab'); // out of the phone, to come back in at its start
    assert.deepEqual(await tabThroughPhone(), {
      stops: ['button ‹ Settings', 'button Share', 'switch Enable', 'button Configure', 'button The Creators', 'button Need Help'],
      after: 'page button Turn to landscape',
    });
    assert.deepEqual((await page.locator('.screen [role=heading]').allTextContents()).sort(), ['Korvent Labs', 'Options']);
    assert.deepEqual(await textsReadGoingUp(), []);
    assert.deepEqual((await asciiTextsInEmojiFont()).found, []);
    assert.deepEqual(await axeFindings(), []);

    await page.getByRole('switch', { name: 'Enable', checked: true }).focus();
    await press('Space', 'Configure', 'detached');
    assert.equal(await page.getByRole('switch', { name: 'Enable' }).getAttribute('aria-checked'), 'false');
    assert.equal(await focused(), 'switch Enable');
    await press('Space', 'Configure');
  });

  test('the mail composer keeps the keyboard and the screen reader to itself until it is dismissed', async () => {
    await page.getByRole('button', { name: 'Need Help' }).focus();
    await press('Enter', 'Subject: Vimble Assistance');
    assert.equal(await page.getByRole('dialog', { name: 'Vimble Assistance' }).getAttribute('aria-modal'), 'true');
    await page.keyboard.press('Shift+Tab');
    assert.deepEqual(await tabThroughPhone(), { stops: ['button Cancel', 'button Send'], after: 'page button Turn to landscape' });
    assert.equal(await page.locator('.screen .view[inert]:has-text("The Creators")').count(), 1, 'the page beneath is inert');
    assert.deepEqual(await axeFindings(), []);
    await page.getByRole('button', { name: 'Cancel' }).focus();
    await press('Enter', 'Subject: Vimble Assistance', 'detached');
    assert.equal(await focused(), 'button Need Help');
  });

  test('the share sheet keeps Tab inside; Copy fills the clipboard and the focus returns to Share', async () => {
    await page.getByRole('button', { name: 'Share' }).focus();
    await press('Enter', SHARE_TEXT);
    assert.equal(await focused(), 'button Copy');
    await page.keyboard.press('Shift+Tab');
    assert.deepEqual(await tabThroughPhone(), { stops: ['button Copy', 'button Cancel'], after: 'page button Turn to landscape' });
    await page.getByRole('button', { name: 'Copy' }).focus();
    await press('Enter', SHARE_TEXT, 'detached');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), SHARE_TEXT);
    assert.equal(await focused(), 'button Share');
  });

  test('configure and selection pages: Page Down scrolls the focused table; the limit alert takes the focus and gives it back', async () => {
    await page.getByRole('button', { name: 'Configure' }).focus();
    await press('Enter', 'Set Default Skin Tone');
    assert.deepEqual(await axeFindings(), []);
    await page.getByRole('button', { name: 'Select Emoji' }).focus();
    await press('Enter', 'Smileys & People');
    assert.deepEqual(await axeFindings(), []);
    await page.getByRole('radio', { name: '😀' }).focus();
    await press('PageDown');
    await eventually(async () => (await hostOffset()) === 603 - 44, { message: 'Page Down to scroll a page' });
    assert.match(await focused(), /^radio /, 'the focus stays on a row of the table');
    await press('PageUp');
    await eventually(async () => (await hostOffset()) === 0, { message: 'back at the top' });

    await page.getByRole('radio', { name: '😀' }).focus();
    await press('Enter', LIMIT_MESSAGE);
    assert.equal(await page.getByRole('alertdialog', { name: 'Vimble' }).count(), 1);
    assert.equal(await focused(), 'button Okay');
    assert.deepEqual(await axeFindings(), []);
    await press('Enter', LIMIT_MESSAGE, 'detached');
    assert.equal(await focused(), 'radio 😀');
  });

  test('back by keyboard to the root page, then the creators page', async () => {
    await page.getByRole('button', { name: 'Close' }).focus();
    await press('Enter', 'Set Default Skin Tone');
    await page.getByRole('button', { name: '‹ Vimble' }).focus();
    await press('Enter', 'Enable');
    await page.getByRole('button', { name: 'The Creators' }).focus();
    await press('Enter', 'The Creators', 'visible');
    await page.getByRole('button', { name: '‹ Vimble' }).waitFor();
    assert.deepEqual(await axeFindings(), []);
  });

  test('a page written as a property list: its field, slider and segments in the Tab order, a segment chosen with Enter', async () => {
    await page.getByRole('button', { name: '‹ Vimble' }).focus();
    await press('Enter', 'Enable');
    await page.getByRole('button', { name: '‹ Settings' }).focus();
    await press('Enter', 'Desk Lamp');
    await page.getByRole('button', { name: 'Desk Lamp' }).focus();
    await press('Enter', 'Colour');
    assert.deepEqual(await axeFindings(), []);
    await page.keyboard.press('Shift+Tab');
    assert.deepEqual((await tabThroughPhone()).stops, ['button ‹ Settings', 'switch On', 'slider Brightness', 'radio Warm', 'radio Neutral',
      'radio Cool', 'button Turn Off After, Never', 'input Name']);
    await page.getByRole('radio', { name: 'Warm' }).focus();
    await press('Enter');
    await eventually(async () => (await page.getByRole('radio', { name: 'Warm' }).getAttribute('aria-checked')) === 'true', 'Warm chosen');
  });
});

// One journey per page in Chromium, with the mouse as a person would: the
// screen shows the host's tree, and the mouse, the side panel and the feed
// are wired to the host. What each page does is the panel's tests' business.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import {
  FAVORITES_FILE, PREFERENCES, SETTINGS_FILE, SKINTONE_FILE, emojiRows, eventually, findNode, installBrokenBundle, installEntry,
  openBrowser, picturesWanted, plist, row, screenText, shows, startApp, tap, tapOnScreen,
} from './harness.mjs';

const TONES = ['👦 👧 👨 👩', '👦🏻 👧🏻 👨🏻 👩🏻', '👦🏼 👧🏼 👨🏼 👩🏼', '👦🏽 👧🏽 👨🏽 👩🏽'];
const SHARE_TEXT = '😊😛- #Vimble- Set Favorite Emojis by @KorventTeam';
const HOSTILE = ['<img src=x onerror=alert(1)>', '"double" \'single\' & </pre><script>alert(2)</script>', '<svg onload=alert(3)>'];
const MARKED = '.screen .view.cell:not(:has(.view.cell)):has(.view[data-image$="Radio - Active.png"]) .view.label > .text';
const marked = async (page) => (await page.locator(MARKED).allTextContents()).filter(Boolean).join();

// One app for the journeys through its pages, one after the other; one browser for all.
let browser, app, page;
before(async () => { browser = await openBrowser(); app = await startApp(); page = await browser.newPage(app); });
after(async () => { await app?.stop(); await browser?.close(); });

const FEED = /\/api\/state\?/;
const enableSwitch = () => row(page, 'Enable').locator('[role=switch]');
const filesPanel = (path, text) => page.locator(`#files section.file[data-path="${path}"] pre`).filter({ hasText: text });
// The newest entries of the side panel's log, as "class: kind detail".
const shownEvents = (count) => page.locator('#events li').evaluateAll((items, n) => items.slice(0, n).map((item) =>
  `${item.className}: ${item.querySelector('.kind').textContent} ${item.querySelector('.detail').textContent}`), count);
const freeRows = async () => [...emojiRows(await app.tree())].filter(([, chosen]) => !chosen).map(([emoji]) => emoji);

test('the Settings list, then the root page: switch, mail, share, scrolling, turning, reset', async () => {
  assert.equal(await page.locator('.screen .view[data-image$="Vimble.bundle/Icon.png"]').evaluate((el) => getComputedStyle(el)
    .backgroundImage), `url("${app.url}device/Library/PreferenceBundles/Vimble.bundle/Icon.png")`);
  await shows(page, app, 'Settings', 'settings-list');
  // The title icon comes in transparent, then fades in: the screen follows the host's alpha.
  const transparent = page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 10000, false) && new MutationObserver(() =>
    document.querySelector('.screen [data-image$="Branding - Small.png"]')?.style.opacity === '0' && resolve(true))
    .observe(document.querySelector('.screen'), { subtree: true, childList: true, attributes: true })));
  await tapOnScreen(page, 'Vimble');
  assert.equal(await transparent, true, 'the title icon drawn transparent');
  await shows(page, app, 'Enable', 'root');
  assert.equal(await page.locator('.screen').evaluate((el) => el.style.getPropertyValue('--tint')), 'rgba(165, 179, 206, 1)');

  await tap(page, enableSwitch());
  await screenText(page, 'Configure').waitFor({ state: 'detached' });
  assert.deepEqual((await app.files())[SETTINGS_FILE], { Enabled: false });
  await filesPanel(SETTINGS_FILE, /^\{\n {2}"Enabled": false\n\}$/).waitFor();
  await shows(page, app, 'Enable', 'root-disabled');
  await app.act('/api/tap', { switch: 'Enable' }); // a change made elsewhere reaches the page by the feed
  await shows(page, app, 'Configure');
  assert.deepEqual(await shownEvents(2), Array(2).fill(`event kind-file: file written ${SETTINGS_FILE}`));

  await tapOnScreen(page, 'Need Help');
  await shows(page, app, 'Subject: Vimble Assistance', 'mail-composer');
  await tapOnScreen(page, 'Cancel');
  await tap(page, page.locator('.screen .view[aria-label="Share"]').last());
  await shows(page, app, SHARE_TEXT, 'share-sheet');
  await tapOnScreen(page, 'Copy');
  await screenText(page, SHARE_TEXT).waitFor({ state: 'detached' });
  await eventually(async () => (await shownEvents(3)).join() === ['event kind-dismiss: dismissed UIActivityViewController',
    'event kind-activity: share Copy', 'event kind-present: presented UIActivityViewController'].join(), 'the log panel');

  const offset = async () => findNode(await app.tree(), (node) => node.class === 'UITableView').contentOffset[1];
  const box = await page.locator('#screen').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.wheel(0, 40);
  await eventually(async () => (await offset()) > 0, 'the wheel to scroll the page down');
  await page.mouse.down();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2 + 200, { steps: 8 });
  await page.mouse.up();
  await eventually(async () => (await offset()) === 0, 'the drag to scroll back to the top');
  assert.equal(await enableSwitch().getAttribute('aria-checked'), 'true', 'a drag is no tap');

  await page.locator('#rotate').click();
  await page.locator('#phone.landscape').waitFor();
  assert.equal(await page.locator('#screen').evaluate((el) => el.style.width), '667px');
  await shows(page, app, 'Enable', 'root-landscape');
  await page.locator('#rotate').click();
  await page.locator('#phone:not(.landscape)').waitFor();

  await page.locator('#reset').click(); // confirmed by the page's dialog handler
  await screenText(page, 'Enable').waitFor({ state: 'detached' });
  await shows(page, app, 'Vimble');
  assert.deepEqual(Object.values(await app.files()), [null, null, null]);
  await eventually(async () => (await page.locator('#files .file.missing').count()) === 3, 'files shown as missing');
  assert.equal(await page.locator('#events li').count(), 0);

  // The feed's next question after a reset still counts the entries from before it: held until more came after
  // the reset than the page had shown, the answer must still replace the whole log panel.
  await app.act('/api/tap', { text: 'Vimble' });
  await app.act('/api/tap', { switch: 'Enable' });
  const held = [];
  let holding = true;
  await page.route(FEED, (route) => (holding ? held.push(route) : route.continue()));
  await app.act('/api/device', { orientation: 'landscape' });
  await eventually(async () => held.length === 1, 'the feed to ask again');
  const shownBefore = await page.locator('#events li').count();
  await app.act('/api/reset');
  await app.act('/api/tap', { text: 'Vimble' });
  for (let tap = 0; tap <= shownBefore; tap += 1) await app.act('/api/tap', { switch: 'Enable' });
  holding = false;
  await held[0].continue();
  await page.unroute(FEED);
  const logged = (await app.events()).map((event) => `event kind-${event.kind}: ${event.detail}`).reverse();
  await eventually(async () => (await page.locator('#events li').evaluateAll((items) => items.map((item) =>
    `${item.className}: ${item.querySelector('.detail').textContent}`))).join() === logged.join(), 'the log since the reset alone');
  assert.ok(logged.length > shownBefore);
  await app.act('/api/reset');
  await screenText(page, 'Enable').waitFor({ state: 'detached' });
});

test('the configure page: the tones and the mark of the chosen one', async () => {
  await tapOnScreen(page, 'Vimble');
  await tapOnScreen(page, 'Configure');
  for (const text of ['Select Emoji', 'Set Default Skin Tone', 'Skin Tones', ...TONES]) await screenText(page, text).first().waitFor();
  await shows(page, app, null, 'configure');
  assert.equal(await marked(page), TONES[0]);
  await tapOnScreen(page, TONES[3]);
  await eventually(async () => (await marked(page)) === TONES[3], 'the mark to move');
  await filesPanel(SKINTONE_FILE, '"ST": "3"').waitFor();
  await shows(page, app, null, 'configure-tone');
});

test('the emoji selection page: marks and the favourites file follow the mouse', async () => {
  await tapOnScreen(page, 'Select Emoji');
  await screenText(page, 'Smileys & People').waitFor();
  const picked = (await freeRows()).slice(0, 3);
  for (const emoji of picked) await tapOnScreen(page, emoji);
  await eventually(async () => (await marked(page)) === picked.join(), 'three marks');
  await shows(page, app, null, 'select-emoji');
  await tapOnScreen(page, picked[1]);
  await eventually(async () => (await marked(page)) === [picked[0], picked[2]].join(), 'a mark taken off');
  if (picturesWanted) { // the README's picture of the limit alert: 25 chosen by the interface, one more by the mouse
    while ((await app.files())[FAVORITES_FILE].length < 25) {
      const [emoji] = await freeRows();
      await (emoji ? app.act('/api/tap', { text: emoji }) : app.act('/api/scroll', { dy: 300 }));
    }
    await tapOnScreen(page, (await freeRows())[0]);
    await shows(page, app, 'Limit Reached, Please deselect an emoji', 'select-limit');
    await tapOnScreen(page, 'Okay');
  }
  await tapOnScreen(page, 'Close');
  await shows(page, app, 'Set Default Skin Tone');
});

test('the creators page: credits, and a profile opened in the client chosen in the side panel', async () => {
  await tapOnScreen(page, '\u2039 Vimble');
  await tapOnScreen(page, 'The Creators');
  await shows(page, app, 'Dorian K. Vale', 'creators');
  const photos = ['Dorian K. Vale', 'Milo Brandt', 'Korvent Labs'].map((name) => `.screen .view[data-image$="/${name}.png"]`);
  assert.equal(await page.locator(photos.join()).count(), 3, 'a photo for each');
  const offered = await page.locator('#apps input').evaluateAll((boxes) => boxes.map((box) => box.name));
  assert.deepEqual(offered, ['tweetbot', 'twitterrific', 'twitter'], 'the apps in the order the app gives them');
  await page.locator('#apps input[name="twitter"]').check();
  await eventually(async () => (await app.get('/api/device')).json.installedApps.join() === 'twitter', 'twitter installed');
  await tap(page, page.locator('.screen [data-class="VimbleDeveloperCell"]:has-text("Dorian K. Vale") .text', { hasText: 'Follow on Twitter' }));
  await page.locator('#banner.info', { hasText: 'Opened twitter://user?screen_name=QuillFox7' }).waitFor();
  assert.deepEqual(await shownEvents(1), ['event kind-url: address twitter://user?screen_name=QuillFox7']);
});

test('a bundle that does not load, and markup from the files, in a browser', async () => {
  const dialogs = [];
  const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  const strings = (list) => list.map((text) => `<string>${escape(text)}</string>`).join('');
  const other = await startApp({
    prepare: async (root) => {
      await installBrokenBundle(root, 'Broken');
      for (const [index, label] of HOSTILE.entries()) await installEntry(root, escape(label), `Hostile${index}`);
      await mkdir(join(root, PREFERENCES), { recursive: true });
      await writeFile(join(root, FAVORITES_FILE), plist(`<array>${strings(HOSTILE)}</array>`));
      await writeFile(join(root, SETTINGS_FILE), plist(`<dict><key>${escape(HOSTILE[0])}</key>${strings([HOSTILE[1]])}</dict>`));
    },
  });
  try {
    const otherPage = await browser.newPage(other, (dialog) => dialogs.push(dialog.message()) && dialog.dismiss());
    for (const label of HOSTILE) await screenText(otherPage, label).waitFor();
    const shownFile = async (path) => JSON.parse(await otherPage.locator(`section.file[data-path="${path}"] pre`).textContent());
    assert.deepEqual(await shownFile(FAVORITES_FILE), HOSTILE);
    assert.deepEqual(await shownFile(SETTINGS_FILE), { [HOSTILE[0]]: HOSTILE[1] });
    await otherPage.waitForTimeout(300); // an image that fails to load fires onerror after a moment
    assert.deepEqual(dialogs, [], 'no script of the text ran');
    assert.equal(await otherPage.evaluate(() => document.querySelectorAll('img, svg[onload], script:not([src])').length), 0);

    await tapOnScreen(otherPage, 'Broken');
    await screenText(otherPage, '\u201CBroken\u201D could not be opened').waitFor();
    await shows(otherPage, other, 'The bundle\'s executable /Library/PreferenceBundles/Broken.bundle/Broken is missing.', 'bundle-error');
    await tapOnScreen(otherPage, '\u2039 Settings');
    await shows(otherPage, other, 'Vimble');
  } finally {
    await other.stop();
  }
});

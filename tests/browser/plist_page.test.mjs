// The example page written as a property list (docs/examples), installed with
// --install and used in Chromium as a person would: a name typed, the
// brightness dragged and stepped with the keys, a colour and a time clicked,
// the switch flipped. The lamp's defaults file must hold exactly what was set,
// one write per change (the notification after each is the host's test's).

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { fileURLToPath } from 'node:url';

import { mkdir, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import { PREFERENCES, eventually, findNode, openBrowser, plist, row, screenText, shows, startApp, tap, tapOnScreen } from './harness.mjs';

const EXAMPLES = fileURLToPath(new URL('../../docs/examples', import.meta.url));
const LAMP_FILE = `${PREFERENCES}/com.example.desklamp.plist`;

let browser, app, page;
before(async () => {
  browser = await openBrowser();
  // Beside the example, an entry whose items are no list and one titled unlike its row.
  const prepare = async (root) => {
    const entries = join(root, 'Library/PreferenceLoader/Preferences');
    const entry = (label, rest) => plist(`<dict><key>entry</key><dict><key>label</key><string>${label}</string></dict>${rest}</dict>`);
    await mkdir(entries, { recursive: true });
    await writeFile(join(entries, 'Broken.plist'), entry('Broken Page', '<key>items</key><string>On</string>'));
    await writeFile(join(entries, 'Titled.plist'), entry('Titled', '<key>title</key><string>Its Own Title</string><key>items</key><array/>'));
  };
  app = await startApp({ prepare, extraArgs: ['--install', EXAMPLES] });
  page = await browser.newPage(app);
});
after(async () => { await app?.stop(); await browser?.close(); });

const lamp = async () => (await app.files())[LAMP_FILE] ?? {};
const written = (check, what) => eventually(async () => check(await lamp()), what);
// The texts of the rows that carry the chooser's tick.
const ticked = () => page.locator('.screen .view.cell:has([aria-label="Checkmark"]) .view.label:not([aria-label]) > .text')
  .allTextContents();

test('the desk lamp page: every control writes its key, and only its key', async () => {
  await tapOnScreen(page, 'Desk Lamp');
  await shows(page, app, 'Colour');
  assert.deepEqual(await lamp(), {}, 'opening the page writes nothing');

  // The name, typed on the computer's keyboard; a change from elsewhere meanwhile leaves the typing alone.
  const field = page.getByRole('textbox', { name: 'Name' });
  assert.equal(await field.getAttribute('placeholder'), 'Desk lamp');
  await field.click();
  await page.keyboard.type('Reading');
  await app.act('/api/slider', { row: 'Brightness', value: 25 });
  await written((file) => file.brightness === 25, 'the brightness set by row');
  await page.keyboard.type(' light');
  assert.equal((await lamp()).name, undefined, 'nothing written while typing');
  await page.keyboard.press('Enter');
  await written((file) => file.name === 'Reading light', 'the name written on Return');
  assert.equal(await field.inputValue(), 'Reading light');

  // The slider: the keyboard steps a tenth of the range; the mouse drags the knob and lets go once.
  const slider = page.getByRole('slider', { name: 'Brightness' });
  await slider.focus();
  await page.keyboard.press('ArrowRight');
  await written((file) => file.brightness === 35, 'a step of a tenth');
  await eventually(async () => (await slider.getAttribute('aria-valuenow')) === '35', 'the slider to say 35');
  const writesBefore = (await app.events()).filter((event) => event.detail === LAMP_FILE).length;
  const knob = await slider.locator('.slider-knob').boundingBox();
  const track = await slider.boundingBox();
  await page.mouse.move(knob.x + knob.width / 2, knob.y + knob.height / 2);
  await page.mouse.down();
  await page.mouse.move(track.x + track.width * 0.8, knob.y + 60, { steps: 6 }); // wandering off the row still drags
  assert.ok((await slider.locator('.slider-knob').boundingBox()).x > knob.x + 40, 'the knob follows the mouse');
  assert.equal((await lamp()).brightness, 35, 'nothing written before letting go');
  await page.mouse.up();
  const { brightness } = await written((file) => file.brightness !== 35 && file, 'the dragged brightness');
  assert.ok(brightness > 80 && brightness < 90, `dragged to ${brightness}`);
  const shown = async () => Number((await row(page, 'Brightness').locator('.view.label > .text').allTextContents())[1]);
  await eventually(async () => Math.abs((await shown()) - brightness) < 0.01, `the row to show ${brightness}`);
  const writesAfter = (await app.events()).filter((event) => event.detail === LAMP_FILE).length;
  assert.equal(writesAfter - writesBefore, 1, 'one write per drag');

  // Colour: the segments are radios; a click on one chooses it.
  assert.equal(await page.getByRole('radiogroup', { name: 'Colour' }).getByRole('radio', { checked: true }).textContent(), 'Neutral');
  await tap(page, page.getByRole('radio', { name: 'Cool' }));
  await written((file) => file.colour === 'cool', 'the colour');
  await eventually(async () => (await page.getByRole('radio', { name: 'Cool' }).getAttribute('aria-checked')) === 'true', 'Cool chosen');

  // Turn Off After: the chooser ticks the stored value, the row shows the chosen title.
  await tapOnScreen(page, 'Turn Off After');
  await shows(page, app, '15 Minutes');
  assert.deepEqual(await ticked(), ['Never']);
  await tapOnScreen(page, '1 Hour');
  await eventually(async () => (await ticked()).join() === '1 Hour', 'the tick to move');
  await tapOnScreen(page, '\u2039 Desk Lamp');
  await shows(page, app, 'Colour');
  await row(page, 'Turn Off After').filter({ has: screenText(page, '1 Hour', '') }).waitFor();

  await tap(page, row(page, 'On').getByRole('switch'));
  await written((file) => file.on === false, 'the switch');
  const { brightness: kept, ...rest } = await lamp();
  assert.deepEqual(rest, { name: 'Reading light', colour: 'cool', timer: 60, on: false });
  assert.equal(kept, brightness);
  assert.equal((await app.events()).filter((event) => event.detail === LAMP_FILE).length, 7, 'one write per change');
  await shows(page, app, null, 'desk-lamp');

  // The same controls by row through the automation interface; a row without such a control is not found.
  await app.act('/api/text', { row: 'Name', text: 'Hall lamp' });
  await app.act('/api/slider', { row: 'Brightness', value: 100 });
  assert.deepEqual(await lamp(), { name: 'Hall lamp', brightness: 100, colour: 'cool', timer: 60, on: false });
  await eventually(async () => (await field.inputValue()) === 'Hall lamp', 'the field to show the new name');
  for (const [path, body] of [['/api/text', { row: 'Brightness', text: 'x' }], ['/api/slider', { row: 'Name', value: 1 }]]) {
    const answer = await app.post(path, body);
    assert.equal(answer.status, 404, `${path} ${answer.text}`);
    assert.match(answer.json.error, /Brightness|Name/);
  }
});

test('the Settings list shows the page\'s own icon and title; a page whose items are no list opens the error page', async () => {
  await app.act('/api/reset');
  await tapOnScreen(page, 'Titled');
  await shows(page, app, 'Its Own Title');
  await app.act('/api/back');
  await shows(page, app, 'Broken Page');
  const iconPath = '/Library/PreferenceLoader/Preferences/DeskLamp@2x.png';
  assert.ok(findNode(await app.tree(), (node) => node.image === iconPath), 'the row names the icon beside its entry');
  assert.equal((await app.get(`/device${iconPath}`)).status, 200);
  await tapOnScreen(page, 'Broken Page');
  for (const text of ['\u201CBroken Page\u201D could not be opened', 'The page\'s \u201Citems\u201D is not a list.',
    'Entry: /Library/PreferenceLoader/Preferences/Broken.plist']) await shows(page, app, text);
});

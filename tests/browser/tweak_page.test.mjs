// A tweak installed as it ships: an entry, and a bundle whose code was built
// for the phone with a Root.plist in the old text form, HB cells, a child
// page, and English and German strings tables. Used in Chromium as a person
// would: the page opens from its Root.plist, every row shows as its kind,
// the switch writes, the link opens its child page, the side panel turns the
// phone to German, Japanese and Thai, drawn with fonts that have their letters.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import { PREFERENCES, eventually, findNode, installEntry, openBrowser, plist, shows, startApp, tap, tapOnScreen, walk } from './harness.mjs';

const BUNDLE = 'Library/PreferenceBundles/Shine.bundle';
const ROOT = `{
  title = TITLE;
  items = (
    { cell = PSGroupCell; label = LOOK; footerText = LOOK_FOOTER; },
    { cell = PSSwitchCell; label = ENABLED; key = enabled; defaults = com.example.shine; default = 0; },
    { cellClass = HBTwitterCell; label = "Shine's maker"; user = shinedev; },
    { cell = PSSecureEditTextCell; label = Token; key = token; defaults = com.example.shine; },
    { cell = PSLinkCell; label = MORE; detail = SHNMoreController; },
    { cellClass = SHNPreviewCell; label = Preview; },
  );
}`;

let browser, app, page;
before(async () => {
  browser = await openBrowser();
  const prepare = async (root) => {
    const bundle = join(root, BUNDLE);
    await Promise.all([installEntry(root, 'Shine', 'Shine'),
      ...['de', 'en', 'ja', 'th'].map((language) => mkdir(join(bundle, `${language}.lproj`), { recursive: true }))]);
    await writeFile(join(bundle, 'Info.plist'), plist('<dict><key>CFBundleExecutable</key><string>Shine</string>'
      + '<key>NSPrincipalClass</key><string>SHNRootListController</string></dict>'));
    // The first bytes of a phone's Mach-O library: no ELF file.
    await writeFile(join(bundle, 'Shine'), Buffer.from([0xcf, 0xfa, 0xed, 0xfe, 0x0c, 0, 0, 1]));
    await writeFile(join(bundle, 'Root.plist'), ROOT);
    await writeFile(join(bundle, 'SHNMoreController.plist'), plist('<dict><key>title</key><string>MORE</string>'
      + '<key>items</key><array><dict><key>cell</key><string>PSStaticTextCell</string><key>label</key><string>DEEP</string></dict></array></dict>'));
    const table = (entries) => Object.entries(entries).map(([key, text]) => `"${key}" = "${text}";`).join('\n');
    await writeFile(join(bundle, 'en.lproj/Root.strings'), table({ TITLE: 'Shine', LOOK: 'Look', LOOK_FOOTER: 'How it shines.', ENABLED: 'Enabled', MORE: 'More' }));
    await writeFile(join(bundle, 'de.lproj/Root.strings'), table({ TITLE: 'Glanz', ENABLED: 'Aktiviert', MORE: 'Mehr' }));
    await writeFile(join(bundle, 'ja.lproj/Root.strings'), table({ ENABLED: '有効にする' }));
    await writeFile(join(bundle, 'th.lproj/Root.strings'), table({ ENABLED: 'เปิดใช้งาน' }));
    await writeFile(join(bundle, 'en.lproj/SHNMoreController.strings'), table({ MORE: 'More', DEEP: 'Deeper settings' }));
  };
  app = await startApp({ prepare });
  page = await browser.newPage(app);
});
after(async () => { await app?.stop(); await browser?.close(); });

// The fonts Chromium drew a text of the phone's screen with.
async function fontsDrawing(page, text) {
  await page.locator('.screen .text', { hasText: text }).first().evaluate((el) => el.setAttribute('data-font-probe', ''));
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument');
  const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: '[data-font-probe]' });
  const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
  await cdp.detach();
  return fonts.map((font) => font.familyName);
}

const rowKinds = async () => Object.fromEntries(walk((await app.tree()).window).filter((node) => node.rowKind)
  .map((node) => [findNode(node, (child) => child.text)?.text, node.rowKind]));

test('a tweak built for the phone opens from its Root.plist, in English and then in German', async () => {
  await tapOnScreen(page, 'Shine');
  await shows(page, app, 'How it shines.', 'tweak-page');
  assert.ok((await app.events()).some((event) => event.kind === 'log'
    && event.detail === `Settings: /${BUNDLE}/Shine is built for another machine (the phone); `
      + `its page is built from /${BUNDLE}/Root.plist in place of its code`), 'the log says the code was stood in for');
  assert.deepEqual(await rowKinds(), { Enabled: 'PSSwitchCell', "Shine's maker": 'HBTwitterCell', Token: 'PSSecureEditTextCell',
    More: 'PSLinkCell', Preview: 'PSStaticTextCell' });

  // The secret is drawn as dots; the switch writes its key.
  const token = page.getByRole('textbox', { name: 'Token' });
  await token.click();
  await page.keyboard.type('abc');
  await page.keyboard.press('Enter');
  await eventually(async () => (await app.files())[`${PREFERENCES}/com.example.shine.plist`]?.token === 'abc', 'the token written');
  assert.equal(findNode(await app.tree(), (node) => node.field?.secure)?.field.text, '\u2022\u2022\u2022');
  await tap(page, page.getByRole('switch', { name: 'Enabled' }));
  await eventually(async () => (await app.files())[`${PREFERENCES}/com.example.shine.plist`]?.enabled === true, 'the switch written');

  // The profile button opens its address; the link opens the child page with its own table.
  await tapOnScreen(page, "Shine's maker");
  await eventually(async () => (await app.events()).some((event) => event.kind === 'url' && event.detail === 'https://twitter.com/shinedev'), 'the profile opened');
  await tapOnScreen(page, 'More');
  await shows(page, app, 'Deeper settings');
  await app.act('/api/back');

  // The side panel offers the languages the pages are written in, English first; German reopens the page in German.
  const device = (await app.get('/api/device')).json;
  assert.deepEqual([device.languages, device.language, device.systemVersion], [['en', 'de', 'ja', 'th'], 'en', device.systemVersions.at(-1)]);
  await page.locator('#language').selectOption('de');
  await eventually(async () => (await app.get('/api/device')).json.language === 'de', 'the phone in German');
  await app.act('/api/back');
  await tapOnScreen(page, 'Shine');
  await shows(page, app, 'Aktiviert');
  for (const text of ['Glanz', 'How it shines.', 'Mehr']) await shows(page, app, text);
  assert.equal((await app.post('/api/device', { language: 'xx' })).status, 404);

  // Labels in Japanese and Thai are drawn with fonts that have their letters
  // (the ones setup installs), not as empty boxes.
  for (const [language, label, font] of [['ja', '有効にする', 'Droid Sans Fallback'], ['th', 'เปิดใช้งาน', 'Noto Sans Thai']]) {
    await app.act('/api/back');
    await app.post('/api/device', { language });
    await tapOnScreen(page, 'Shine');
    await shows(page, app, label);
    assert.deepEqual(await fontsDrawing(page, label), [font], language);
  }
  assert.equal((await app.post('/api/device', { systemVersion: '99.0' })).status, 400);
});

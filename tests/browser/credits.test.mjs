// The creators page in a browser: its credits, and the profile links opened
// in whichever social client the phone has, chosen with the side panel.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';

import { openBrowser, screenText, screenshot, startApp, tap, tapOnScreen } from './harness.mjs';

// Installed apps -> the address a profile link opens, first client that can wins.
const CLIENT_CHOICES = [
  [[], 'https://mobile.twitter.com/QuillFox7'],
  [['twitter'], 'twitter://user?screen_name=QuillFox7'],
  [['twitterrific', 'twitter'], 'twitterrific:///profile?screen_name=QuillFox7'],
  [['tweetbot', 'twitterrific', 'twitter'], 'tweetbot:///user_profile/QuillFox7'],
];

describe('the creators page in a browser', () => {
  let app;
  let browser;
  let page;
  before(async () => {
    app = await startApp();
    browser = await openBrowser();
    page = await browser.newPage(app);
    await tapOnScreen(page, 'Vimble');
    await tapOnScreen(page, 'The Creators');
  });
  after(async () => {
    await browser?.close();
    await app?.stop();
  });

  const lastAddress = async () => (await app.events()).filter((event) => event.kind === 'url').at(-1);
  const developerCell = (name) =>
    page.locator('.screen .view[data-class="VimbleDeveloperCell"]').filter({ has: screenText(page, name, '') });

  test('shows the three credits with their photos', async () => {
    for (const name of ['Dorian K. Vale', 'Milo Brandt', 'Korvent Labs']) {
      await screenText(page, name).waitFor();
      const photo = page.locator(`.screen .view[data-image$="/${name}.png"]`);
      assert.equal(await photo.count(), 1, `${name}'s photo`);
    }
    await screenshot(page, 'creators');
  });

  for (const [apps, address] of CLIENT_CHOICES) {
    test(`with ${apps.length ? apps.join(', ') : 'no client'} installed a profile opens ${address.split(':')[0]}`, async () => {
      for (const box of await page.locator('#apps input').all()) {
        const wanted = apps.includes(await box.getAttribute('name'));
        if ((await box.isChecked()) !== wanted) await box.click();
      }
      await page.waitForFunction((wanted) => {
        const checked = [...document.querySelectorAll('#apps input:checked')].map((box) => box.name).sort();
        return JSON.stringify(checked) === JSON.stringify(wanted);
      }, [...apps].sort());
      assert.deepEqual((await app.get('/api/device')).json.installedApps, [...apps].sort());

      await tap(page, screenText(page, 'Follow on Twitter', '').and(developerCell('Dorian K. Vale').locator('.text')));
      await page.locator('#banner', { hasText: address }).waitFor();
      const opened = await lastAddress();
      assert.equal(opened.detail, address);
      assert.equal(opened.succeeded, true);
      await page.locator('#events .kind-url .detail', { hasText: address }).first().waitFor();
    });
  }

  test('Website opens the maker\'s site', async () => {
    await tapOnScreen(page, 'Website');
    await page.locator('#banner', { hasText: 'https://korventlabs.com' }).waitFor();
    assert.equal((await lastAddress()).detail, 'https://korventlabs.com');
  });

  test('Back returns to the root page', async () => {
    await tapOnScreen(page, '\u2039 Vimble');
    await screenText(page, 'Enable').waitFor();
  });
});

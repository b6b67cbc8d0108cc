// A bundle that cannot be loaded, opened with the mouse: the error page says why.

import { after, before, test } from 'node:test';

import { installBrokenBundle, openBrowser, screenText, screenshot, startApp, tapOnScreen } from './harness.mjs';

let app;
let browser;
before(async () => {
  app = await startApp({ prepare: (root) => installBrokenBundle(root, 'Broken') });
  browser = await openBrowser();
});
after(async () => {
  await browser?.close();
  await app?.stop();
});

test('the error page names the bundle and what is missing, and Back leads out', async () => {
  const page = await browser.newPage(app);
  await tapOnScreen(page, 'Broken');
  await screenText(page, '\u201CBroken\u201D could not be opened').waitFor();
  await screenText(page, 'The bundle\'s executable /Library/PreferenceBundles/Broken.bundle/Broken is missing.').waitFor();
  await screenshot(page, 'bundle-error');
  await tapOnScreen(page, '\u2039 Settings');
  await screenText(page, 'Vimble').waitFor();
});

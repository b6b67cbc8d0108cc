// A page of another site, open in Chromium, trying to drive the app: a JSON
// POST is stopped by the browser (the app allows no other origin), and the
// requests a browser sends without asking (a form posting JSON-like text, a
// no-cors fetch) carry their Origin and are refused by the app. Nothing on
// the phone changes.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';

import { openBrowser, startApp, texts } from './harness.mjs';

function attackerPage(appUrl) {
  const target = `${appUrl}api/tap`;
  return `<!doctype html><title>elsewhere</title>
<form id="form" method="POST" enctype="text/plain" action="${target}" target="sink">
  <input name='{"text":"Vimble","padding":"' value='"}'>
</form>
<iframe name="sink"></iframe>
<script>
  window.attempts = (async () => {
    const results = {};
    try {
      await fetch('${target}', { method: 'POST', headers: { 'Content-Type': 'application/json' }, body: '{"text":"Vimble"}' });
      results.cors = 'answered';
    } catch (error) {
      results.cors = 'blocked';
    }
    await fetch('${target}', { method: 'POST', mode: 'no-cors', body: '{"text":"Vimble"}' });
    results.noCors = 'sent';
    return results;
  })();
</script>`;
}

describe('another site in the same browser', () => {
  let app;
  let browser;
  let attacker;
  let attackerUrl;
  const requestsSeen = [];
  before(async () => {
    app = await startApp();
    attacker = http.createServer((request, response) => {
      requestsSeen.push(request.url);
      response.writeHead(200, { 'Content-Type': 'text/html' });
      response.end(attackerPage(app.url));
    });
    await new Promise((resolve) => attacker.listen(0, '127.0.0.1', resolve));
    attackerUrl = `http://127.0.0.1:${attacker.address().port}/`;
    browser = await openBrowser();
  });
  after(async () => {
    await browser?.close();
    await new Promise((resolve) => attacker?.close(resolve));
    await app?.stop();
  });

  test('cannot open the panel: fetches and a form post are all refused', async () => {
    const page = await browser.context.newPage();
    const answers = [];
    page.on('response', (response) => {
      if (response.url().startsWith(app.url)) answers.push(response.status());
    });
    await page.goto(attackerUrl);
    const results = await page.evaluate(() => window.attempts);
    assert.deepEqual(results, { cors: 'blocked', noCors: 'sent' });
    await Promise.all([page.waitForResponse((response) => response.url().startsWith(app.url)), page.locator('#form').evaluate((form) => form.submit())]);
    assert.ok(answers.length >= 2, `the app was reached (${answers})`);
    assert.ok(answers.every((status) => status === 403), `every request that reached the app was refused: ${answers}`);
    const tree = await app.tree();
    assert.ok(!texts(tree).includes('Enable'), 'the panel was not opened');
    assert.ok(texts(tree).includes('Settings'), 'the Settings list is still in front');
  });
});

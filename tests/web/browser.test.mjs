// The web terminal end to end: headless Chromium on a phone-sized viewport
// drives the test server (the start screen, whose "Ordini" opens the test
// screen) on loopback. Run through run.sh, which passes the server binary
// in GW_WEB_TEST_SERVER and the artifacts folder in GW_ARTIFACTS.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const SERVER = process.env.GW_WEB_TEST_SERVER;
const ARTIFACTS = process.env.GW_ARTIFACTS || path.resolve('artifacts');
const STORE_NAME = 'Supermercato Prova';
const TEST_TIMEOUT = 60000;
const STEP_TIMEOUT = 15000;

const scratch = mkdtempSync(path.join(tmpdir(), 'gw-web-'));
const servers = [];
let browser;

// Starts the test server on a free loopback port; resolves to its address.
function startServer(name, extra) {
  const data = path.join(scratch, name);
  mkdirSync(data, { recursive: true });
  const child = spawn(SERVER, ['--data', data, '--listen', '127.0.0.1:0', ...extra],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  servers.push(child);
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`${name}: the server did not start`)), STEP_TIMEOUT);
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
      const match = out.match(/http:\/\/127\.0\.0\.1:(\d+)\//);
      if (match) {
        clearTimeout(timer);
        resolve(match[0]);
      }
    });
    child.on('exit', (code) => reject(new Error(`${name}: the server exited (${code})`)));
  });
}

function stopServer(child) {
  if (child.exitCode !== null) return Promise.resolve();
  return new Promise((resolve) => {
    const kill = setTimeout(() => child.kill('SIGKILL'), 5000);
    child.on('exit', () => { clearTimeout(kill); resolve(); });
    child.kill('SIGTERM');
  });
}

const control = (page, name) => page.locator(`[data-name="${name}"]`);

async function text(page, name) {
  return control(page, name).evaluate((el) => (el.tagName === 'INPUT' ? el.value : el.textContent));
}

// Waits until the control shows `expected` (value or text).
async function waitText(page, name, expected) {
  await page.waitForFunction(([n, want]) => {
    const el = document.querySelector(`[data-name="${n}"]`);
    return el && (el.tagName === 'INPUT' ? el.value : el.textContent) === want;
  }, [name, expected], { timeout: STEP_TIMEOUT });
}

async function waitFocus(page, name) {
  await page.waitForFunction((n) => document.activeElement?.dataset.name === n, name,
    { timeout: STEP_TIMEOUT });
}

async function newPage(url) {
  const page = await browser.newPage();
  page.setDefaultTimeout(STEP_TIMEOUT);
  await page.goto(url);
  await control(page, 'Command3').waitFor({ state: 'visible' });
  return page;
}

// The start screen, "ACCEDI", "Ordini": the test screen with the focus in eanw.
async function openTestScreen(url) {
  const page = await newPage(url);
  await control(page, 'Command3').click();
  await control(page, 'Command12').click();
  await waitFocus(page, 'eanw');
  return page;
}

let storeUrl;
let bareUrl;

before(async () => {
  assert.ok(SERVER, 'GW_WEB_TEST_SERVER names the test server binary');
  mkdirSync(ARTIFACTS, { recursive: true });
  [storeUrl, bareUrl] = await Promise.all([
    startServer('store', ['--store', STORE_NAME]),
    startServer('bare', []),
  ]);
  browser = await chromium.launchPersistentContext(path.join(scratch, 'profile'), {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 480, height: 800 },
    hasTouch: true,
    timeout: STEP_TIMEOUT,
  });
});

after(async () => {
  if (browser) await browser.close();
  await Promise.all(servers.map(stopServer));
  rmSync(scratch, { recursive: true, force: true });
});

describe('web terminal', { timeout: 4 * 60000 }, () => {
  test('the start screen fills the width of a phone', { timeout: TEST_TIMEOUT }, async () => {
    const page = await newPage(storeUrl);
    assert.equal(await text(page, 'Command3'), 'ACCEDI');
    assert.equal(await text(page, 'Command1'), 'GESTIONE WI-FI  R.2.0');
    const title = await control(page, 'Command1').boundingBox();
    assert.ok(Math.abs(title.width - 480) < 1, `title strip ${title.width}px wide`);
    assert.equal(await control(page, 'Command1').evaluate((el) => getComputedStyle(el).backgroundColor),
      'rgb(128, 128, 255)');
    assert.equal(await control(page, 'Image1').locator('svg').count(), 1);
    assert.equal(await control(page, 'Command12').isVisible(), false);
    await page.screenshot({ path: path.join(ARTIFACTS, 'start-screen.png') });
    await page.close();
  });

  test('ACCEDI reveals the menu buttons', { timeout: TEST_TIMEOUT }, async () => {
    const page = await newPage(storeUrl);
    await control(page, 'Command3').click();
    for (const name of ['Command12', 'Command13', 'Command2', 'Command10', 'Command7']) {
      await control(page, name).waitFor({ state: 'visible' });
    }
    assert.equal((await text(page, 'Label1')).trimEnd(), STORE_NAME);
    assert.equal(await control(page, 'selfor(0)').isVisible(), false);
    assert.equal(await control(page, 'Image1').isVisible(), false);
    await page.close();
  });

  test('an engine error shows an OK box and leaves the screen usable', { timeout: TEST_TIMEOUT },
    async () => {
      const page = await newPage(bareUrl);
      for (let round = 0; round < 2; ++round) {
        await control(page, 'Command3').click();
        await page.locator('#box').waitFor({ state: 'visible' });
        assert.match(await page.locator('#box-prompt').textContent(), /quib/);
        assert.deepEqual(await page.locator('#box-buttons button').allTextContents(), ['OK']);
        await page.keyboard.press('Enter');
        await page.locator('#box').waitFor({ state: 'hidden' });
      }
      assert.equal(await control(page, 'Command3').isVisible(), true);
      await page.close();
    });

  test('a scanner burst lands complete and in order in the focused field',
    { timeout: TEST_TIMEOUT }, async () => {
      const page = await openTestScreen(storeUrl);
      assert.equal(await control(page, 'eanw').getAttribute('inputmode'), 'none');
      assert.equal(await control(page, 'quanw').getAttribute('inputmode'), 'decimal');
      await page.keyboard.type('8001234567890\n2000123000005\n8000000000017\n');
      await waitText(page, 'Label1', '8001234567890,2000123000005,8000000000017');
      await waitText(page, 'eanw', '');
      await page.close();
    });

  test('message boxes: a warning answered with Enter, Yes/No with No as default',
    { timeout: TEST_TIMEOUT }, async () => {
      const page = await openTestScreen(storeUrl);
      await page.keyboard.press('ArrowDown');
      await waitFocus(page, 'quanw');
      await page.keyboard.press('Enter');
      await page.locator('#box').waitFor({ state: 'visible' });
      assert.match(await page.locator('#box-prompt').textContent(), /manca la quantità/);
      await page.keyboard.press('Enter');
      await page.locator('#box').waitFor({ state: 'hidden' });

      await control(page, 'Command1').click();
      await page.locator('#box').waitFor({ state: 'visible' });
      assert.equal(await page.locator('#box-title').textContent(), 'Conferma');
      assert.deepEqual(await page.locator('#box-buttons button').allTextContents(), ['Sì', 'No']);
      assert.equal(await page.evaluate(() => document.activeElement.textContent), 'No');
      await page.locator('#box-buttons button', { hasText: 'Sì' }).click();
      await waitText(page, 'Label2', 'sì');
      await page.close();
    });

  test('Enter on the focused button presses it once; a double tap acts once',
    { timeout: TEST_TIMEOUT }, async () => {
      const page = await openTestScreen(storeUrl);
      await page.keyboard.press('ArrowDown');
      await page.keyboard.type('5\n');
      await waitFocus(page, 'Command2');
      await page.keyboard.press('Enter');
      await waitText(page, 'Label3', 'registrato 1');
      await control(page, 'Command2').waitFor({ state: 'hidden' });
      await waitFocus(page, 'Command6');
      assert.equal(await text(page, 'Label3'), 'registrato 1');

      const other = await openTestScreen(storeUrl);
      await control(other, 'Command2').dblclick();
      await waitText(other, 'Label3', 'registrato 1');
      await control(other, 'Command6').click();
      await waitText(other, 'Label3', 'secondo');
      await page.close();
      await other.close();
    });

  test('grid cells, frames and Esc on the Cancel button', { timeout: TEST_TIMEOUT }, async () => {
    const page = await openTestScreen(storeUrl);
    await control(page, 'flex1').locator('td[data-r="2"][data-c="1"]').click();
    await waitText(page, 'Label2', 'cella 2,1');
    assert.equal(await control(page, 'Command4').isVisible(), false);
    await control(page, 'Check1').click();
    await control(page, 'Command4').click();
    await waitText(page, 'Label2', 'riquadro');
    await page.keyboard.press('Escape');
    await control(page, 'Command12').waitFor({ state: 'visible' });
    await page.close();
  });

  test('closing the start screen ends the program and offers a new start',
    { timeout: TEST_TIMEOUT }, async () => {
      const page = await newPage(storeUrl);
      await control(page, 'Command5').click();
      await page.locator('#ended').waitFor({ state: 'visible' });
      await page.locator('#restart').click();
      await control(page, 'Command3').waitFor({ state: 'visible' });
      await page.close();
    });
});

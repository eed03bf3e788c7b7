// Walks through the real order and inventory screens in headless Chromium as a clerk does:
// taps on the buttons (found by their control name once they show their
// caption), codes typed in one burst with Enter as a scanner sends them,
// packs typed on the keyboard; then reads what the walk left in the store
// database with the sqlite3 tool. Each walk has its own data folder, made
// by the test server as `init` makes it and filled from a small fixture.
// Run through run.sh, which passes the server binary in GW_WEB_TEST_SERVER.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const SERVER = process.env.GW_WEB_TEST_SERVER;
const TEST_TIMEOUT = 90000;
const STEP_TIMEOUT = 15000;
const STORE_NAME = 'SUPERMERCATO PROVA';

const PASTA = { ean: '8001234567897', code: 1234567, name: 'PASTA DI SEMOLA 500G' };
const CAFFE = { ean: '8007654321019', code: 7654321, name: 'CAFFE MACINATO 250G' };

// The store database: the store itself, two articles with their codes and
// a working line of the butchery; the working database: the same codes and
// their prices.
const FIXTURE = {
  'quib/dati.mdb': `
INSERT INTO clienti (codcliente, dsccliente) VALUES (1, '${STORE_NAME}');
INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru)
  VALUES (${PASTA.code}, '${PASTA.name}', 24, 0.55, 10, 'PZ', 'PASTA');
INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru)
  VALUES (${CAFFE.code}, '${CAFFE.name}', 12, 2.10, 22, 'PZ', 'CAFFE');
INSERT INTO codean (eanare, codare) VALUES ('${PASTA.ean}', ${PASTA.code});
INSERT INTO codean (eanare, codare) VALUES ('${CAFFE.ean}', ${CAFFE.code});
INSERT INTO ordine (eanrig, codcasa, descrizione, colli, tipord)
  VALUES ('8000000000017', 1, 'SALAME', 2, 'M');
`,
  'vorsa/dati.mdb': `
INSERT INTO codean (eanare, codare) VALUES ('${PASTA.ean}', ${PASTA.code});
INSERT INTO codean (eanare, codare) VALUES ('${CAFFE.ean}', ${CAFFE.code});
INSERT INTO listi01 (codart, codafo, przpub, ivart, cofart)
  VALUES (${PASTA.code}, '001234567', 0.99, 10, 0.60);
INSERT INTO listi01 (codart, codafo, przpub, ivart, cofart)
  VALUES (${CAFFE.code}, '007654321', 3.49, 22, 2.10);
`,
};

// The inventory walk also needs the descriptions in the working price list
// and the type and counter of the inventory documents (last number 41 this
// year).
const INVENTORY_FIXTURE = {
  ...FIXTURE,
  'vorsa/dati.mdb': `${FIXTURE['vorsa/dati.mdb']}
UPDATE listi01 SET desart = '${PASTA.name}' WHERE codart = ${PASTA.code};
UPDATE listi01 SET desart = '${CAFFE.name}' WHERE codart = ${CAFFE.code};
INSERT INTO tipodoc (coddoc, numeratore, dscdoc) VALUES ('INVENTARIO', 'IN', 'INVENTARIO');
INSERT INTO numeri (codutente, tipo, anno, ultnum)
  VALUES (1, 'IN', CAST(strftime('%Y', 'now', 'localtime') AS INTEGER), 41);
`,
};

const scratch = mkdtempSync(path.join(tmpdir(), 'gw-walk-'));
const servers = [];
let browser;

// Starts the test server with every screen on a fresh data folder holding
// the fixture; resolves to its address and the folder.
function startStore(name, fixture = FIXTURE) {
  const data = path.join(scratch, name);
  mkdirSync(data, { recursive: true });
  const args = ['--data', data, '--listen', '127.0.0.1:0', '--screens', 'standard'];
  for (const [file, statements] of Object.entries(fixture)) {
    const sql = path.join(scratch, `${name}-${file.replace('/', '-')}.sql`);
    writeFileSync(sql, statements);
    args.push('--sql', `${file}=${sql}`);
  }
  const child = spawn(SERVER, args, { stdio: ['ignore', 'pipe', 'inherit'] });
  servers.push(child);
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`${name}: the server did not start`)), STEP_TIMEOUT);
    let out = '';
    child.stdout.on('data', (chunk) => {
      out += chunk;
      const match = out.match(/http:\/\/127\.0\.0\.1:(\d+)\//);
      if (match) {
        clearTimeout(timer);
        resolve({ url: match[0], data });
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

// The rows of a query on a database file of a data folder (the store's by
// default), as objects.
function rows(data, sql, file = 'quib/dati.mdb') {
  const out = execFileSync('sqlite3', ['-json', path.join(data, file), sql],
    { encoding: 'utf8' });
  return out.trim() ? JSON.parse(out) : [];
}

const control = (page, name) => page.locator(`[data-name="${name}"]`);

// Taps the button `name` once it shows `caption`: the same names recur from
// screen to screen, the caption tells which screen is in front.
async function tap(page, name, caption) {
  const button = control(page, name).filter({ hasText: caption });
  await button.waitFor({ state: 'visible' });
  await button.click();
}

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

// The start screen, "ACCEDI", "Ordini", "SALA", "Inserisco Articoli": the
// order entry with the focus in the code field.
async function openOrderEntry(url) {
  const page = await browser.newPage();
  page.setDefaultTimeout(STEP_TIMEOUT);
  await page.goto(url);
  await tap(page, 'Command3', 'ACCEDI');
  await tap(page, 'Command12', 'Ordini');
  await tap(page, 'Command12', 'SALA');
  await tap(page, 'Command12', 'Inserisco Articoli');
  await waitFocus(page, 'eanw');
  return page;
}

// A scan: the code and Enter in one burst; the article shows and the focus
// goes to the packs.
async function scan(page, article) {
  await waitFocus(page, 'eanw');
  await page.keyboard.type(`${article.ean}\n`);
  await waitText(page, 'descrw', article.name);
  await waitFocus(page, 'quanw');
}

before(async () => {
  assert.ok(SERVER, 'GW_WEB_TEST_SERVER names the test server binary');
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

describe('walks through the order screens', { timeout: 4 * 60000 }, () => {
  test('a scanned article with its packs is saved as a working line of SALA',
    { timeout: TEST_TIMEOUT }, async () => {
      const store = await startStore('entry');
      const page = await openOrderEntry(store.url);
      await scan(page, PASTA);
      await waitText(page, 'costow', '0,66');
      await page.keyboard.type('3');
      await waitText(page, 'quanw', '3');
      await tap(page, 'Command5', 'Conferma');
      await waitText(page, 'totqw', '3');
      await waitText(page, 'eanw', '');

      assert.deepEqual(rows(store.data,
        "SELECT eanrig, codcasa, descrizione, unitam, prezzo, colli, imballo, quantita, iva, " +
        "desfor, desgru, tipord FROM ordine WHERE tipord = 'T'"), [{
        eanrig: PASTA.ean, codcasa: PASTA.code, descrizione: PASTA.name, unitam: 'CT',
        prezzo: 0.66, colli: 3.0, imballo: 24.0, quantita: 72.0, iva: 10, desfor: '.',
        desgru: '.', tipord: 'T',
      }]);
      await page.close();
    });

  test('two articles entered, viewed and confirmed into a new order',
    { timeout: TEST_TIMEOUT }, async () => {
      const store = await startStore('order');
      const page = await openOrderEntry(store.url);
      await scan(page, PASTA);
      await page.keyboard.type('3\n');
      await waitText(page, 'totqw', '3');
      await scan(page, CAFFE);
      await page.keyboard.type('2');
      await waitText(page, 'quanw', '2');
      await tap(page, 'Command5', 'Conferma');
      await waitText(page, 'totqw', '5');
      await tap(page, 'Command1', 'Uscita');

      await tap(page, 'Command13', 'Vedo Ordine');
      const cell = (r, c) => control(page, 'ord').locator(`td[data-r="${r}"][data-c="${c}"]`);
      await cell(2, 2).waitFor({ state: 'visible' });
      assert.deepEqual(
        [await cell(1, 1).textContent(), await cell(1, 2).textContent(), await cell(1, 3).textContent()],
        [PASTA.ean, PASTA.name, '3']);
      assert.deepEqual(
        [await cell(2, 1).textContent(), await cell(2, 2).textContent(), await cell(2, 3).textContent()],
        [CAFFE.ean, CAFFE.name, '2']);
      assert.equal(await control(page, 'ord').locator('td[data-r="3"]').count(), 0);
      await waitText(page, 'totqw', '5');
      await control(page, 'Command1').click();

      await tap(page, 'Command2', 'Confermo Ordine');
      await waitText(page, 'numerow', '1');
      await tap(page, 'Command1', 'Confermi Nuovo Ordine');
      await control(page, 'Label2').filter({ hasText: "L'Ordine è stato creato" })
        .waitFor({ state: 'visible' });
      await control(page, 'Command1').waitFor({ state: 'hidden' });

      const year = new Date().getFullYear();
      assert.deepEqual(rows(store.data,
        'SELECT anno, numero, dsccliente, cliente, fl3ts FROM testa'),
      [{ anno: year, numero: 1, dsccliente: STORE_NAME.padEnd(35), cliente: 1, fl3ts: 'I' }]);
      assert.deepEqual(rows(store.data,
        'SELECT bannoc, bnumer, bns, articoli, eanrig, rtrim(descrizione) AS descrizione, ' +
        'unitam, imballo, prezzo, quantita, colli, iva FROM movimenti ORDER BY bns'), [
        { bannoc: year, bnumer: 1, bns: 1, articoli: PASTA.code, eanrig: PASTA.ean,
          descrizione: PASTA.name, unitam: 'CT', imballo: 24.0, prezzo: 0.55, quantita: 3.0,
          colli: 72.0, iva: 10 },
        { bannoc: year, bnumer: 1, bns: 2, articoli: CAFFE.code, eanrig: CAFFE.ean,
          descrizione: CAFFE.name, unitam: 'CT', imballo: 12.0, prezzo: 2.1, quantita: 2.0,
          colli: 24.0, iva: 22 },
      ]);
      assert.deepEqual(rows(store.data, 'SELECT eanrig, tipord FROM ordine'),
        [{ eanrig: '8000000000017', tipord: 'M' }]);
      await page.close();
    });
});

describe('walks through the inventory screens', { timeout: 2 * 60000 }, () => {
  test('a count entered on the keypad, confirmed, viewed and exported', { timeout: TEST_TIMEOUT },
    async () => {
      const store = await startStore('inventory', INVENTORY_FIXTURE);
      const page = await browser.newPage();
      page.setDefaultTimeout(STEP_TIMEOUT);
      await page.goto(store.url);
      await tap(page, 'Command3', 'ACCEDI');
      await tap(page, 'Command13', 'Inventario');
      await tap(page, 'Command6', '2');
      await waitText(page, 'operw', '2');
      await tap(page, 'Command12', 'Inserisco Articoli');

      await scan(page, PASTA);
      for (const [key, caption] of [['Command4', '1'], ['Command6', '2'], ['Command16', ','],
        ['Command9', '5']])
        await tap(page, key, caption);
      await waitText(page, 'quanw', '12,5');
      await tap(page, 'Command5', 'Conferma');
      await waitText(page, 'totqw', '12,5');
      await waitText(page, 'eanw', '');
      await tap(page, 'Command1', 'Uscita');

      await tap(page, 'Command2', 'Confermo Inventario');
      await tap(page, 'Command11', 'SI');
      await control(page, 'Frame1').waitFor({ state: 'hidden' });

      await tap(page, 'Command13', 'Vedo Inventario');
      const cell = (r, c) => control(page, 'ord').locator(`td[data-r="${r}"][data-c="${c}"]`);
      await cell(1, 2).waitFor({ state: 'visible' });
      assert.equal(await cell(1, 1).textContent(), PASTA.ean);
      await waitText(page, 'totqw', '12,5');
      await control(page, 'Command2').click();
      await control(page, 'Command13').filter({ hasText: 'Vedo Inventario' })
        .waitFor({ state: 'visible' });

      assert.equal(readFileSync(path.join(store.data, 'kalvor', 'inve1.dat'), 'latin1'),
        `${PASTA.ean}0013\r\n`);
      const year = new Date().getFullYear();
      const working = 'vorsa/dati.mdb';
      assert.deepEqual(rows(store.data, 'SELECT eanrig, codcasa, colli, quantita, oper FROM inventario',
        working), [{ eanrig: PASTA.ean, codcasa: PASTA.code, colli: 12.5, quantita: 12.5, oper: 2 }]);
      assert.deepEqual(rows(store.data, 'SELECT anno, numero, causa FROM invte', working),
        [{ anno: year, numero: 42, causa: 'INVENT' }]);
      assert.deepEqual(rows(store.data,
        'SELECT bns, bnumer, articoli, eanrig, quantita FROM invmo', working),
      [{ bns: 1, bnumer: 42, articoli: PASTA.code, eanrig: PASTA.ean, quantita: 12.5 }]);
      assert.deepEqual(rows(store.data, "SELECT ultnum FROM numeri WHERE tipo = 'IN'", working),
        [{ ultnum: 42 }]);
      await page.close();
    });
});

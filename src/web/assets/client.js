// The browser side of the web terminal. It draws the front screen the
// server describes, sends the clerk's actions as events numbered from 1 (a
// queue: typing ahead of an answer is sent in order, resent when a request
// fails, and the server applies each number once), and redraws from every
// answer. Each request names the state drawn last, and the answer carries
// only what changed since it; an answer that does not fit the state drawn
// makes the client ask for the whole state again. Keys are taken at
// document level and go to the control the screens gave the focus to, so a
// scan needs no tap first.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);
  const screenEl = $('screen');
  const boxEl = $('box');
  const keyboardEl = $('keyboard');
  const APP_TITLE = 'Gestione Wi-Fi';
  const TWIPS_PER_POINT = 20;
  const TITLE_TWIPS = 330;

  let session = sessionStorage.getItem('gw-session') || '';
  let needSession = true;  // ask for the state (resume or fresh) before anything else
  let state = null;        // the last state drawn
  let nextSeq = 1;
  let sent = 0;            // highest sequence number handed to a request
  let unacked = [];        // events not yet applied, in order
  let edits = {};          // text box -> text edited in the page since the last event
  let pendingAnswer = null;
  let busy = false;
  let retryDelay = 0;
  let formKey = '';
  let els = {};
  let scale = 1;
  let keyboardOn = false;
  let beepedBox = 0;

  // --- Talking to the server ----------------------------------------------

  async function call(path, body) {
    const abort = new AbortController();
    const timer = setTimeout(() => abort.abort(), 30000);
    try {
      const res = await fetch(path, {
        method: 'POST', cache: 'no-store', signal: abort.signal,
        headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body),
      });
      if (!res.ok) throw Object.assign(new Error('HTTP ' + res.status), { status: res.status });
      return await res.json();
    } finally {
      clearTimeout(timer);
    }
  }

  // One request at a time: the state first, then an answer to a message box,
  // then the queued events (or a poll while the server is still applying).
  async function pump() {
    if (busy) return;
    let path, body;
    if (needSession) {
      path = '/api/session';
      body = session ? { session } : {};
    } else if (pendingAnswer) {
      path = '/api/answer';
      body = { session, have: state ? state.version : 0, ...pendingAnswer };
    } else if (state && !state.box && !state.ended &&
               (unacked.length || state.seq < state.received)) {
      const batch = unacked.slice(0, 500);
      if (batch.length) sent = Math.max(sent, batch[batch.length - 1].seq);
      path = '/api/events';
      body = { session, have: state.version, events: batch };
    } else {
      return;
    }
    busy = true;
    try {
      const answer = await call(path, body);
      retryDelay = 0;
      $('status').hidden = true;
      needSession = false;
      if (path === '/api/answer') pendingAnswer = null;
      receive(answer);
    } catch (err) {
      if (err.status >= 400 && err.status < 500) {
        // Refused as malformed: sending it again would not help.
        if (path === '/api/answer') pendingAnswer = null;
        if (path === '/api/events') unacked = [];
        needSession = true;
      } else {
        $('status').hidden = false;
      }
      retryDelay = Math.min(Math.max(retryDelay * 2, 250), 4000);
      if (state && state.box && !pendingAnswer) drawBox(state.box);
    } finally {
      busy = false;
    }
    setTimeout(pump, retryDelay);
  }

  function receive(st) {
    if (st.changes) {
      if (!state || !state.form || st.session !== session || st.base !== state.version) {
        needSession = true;
        return;
      }
      st = merge(st);
    }
    if (st.session !== session) {
      // A fresh session: what was queued was meant for screens now gone.
      session = st.session;
      sessionStorage.setItem('gw-session', session);
      unacked = [];
      edits = {};
      sent = 0;
      nextSeq = 1;
      pendingAnswer = null;
    } else {
      unacked = unacked.filter((e) => e.seq > st.seq);
    }
    nextSeq = Math.max(nextSeq, st.received + 1);
    state = st;
    draw();
  }

  // The state drawn last with the changes of `delta` applied.
  function merge(delta) {
    const { changes, ...st } = delta;
    delete st.base;
    const form = state.form;
    Object.assign(form, changes.form);
    for (const c of form.controls) {
      if (changes.controls[c.name]) Object.assign(c, changes.controls[c.name]);
    }
    st.form = form;
    return st;
  }

  function send(ev) {
    if (!state || !state.form || (state.box && !pendingAnswer) || state.ended) return;
    const texts = edits;
    edits = {};
    const hasTexts = Object.keys(texts).length > 0;
    if (hasTexts) ev.texts = texts;
    const last = unacked[unacked.length - 1];
    if (ev.type === 'type' && !hasTexts && last && last.type === 'type' && last.seq > sent) {
      last.text += ev.text;  // a burst of keys travels as one event
    } else {
      ev.seq = nextSeq++;
      unacked.push(ev);
    }
    pump();
  }

  function control(name) {
    return state && state.form ? state.form.controls.find((c) => c.name === name) : null;
  }

  function tapped(name, ev, extra) {
    const c = control(name);
    if (!c || !c.usable) return;
    if (ev.detail >= 2 && c.dblclick) send({ type: 'dblclick', name });
    else send({ type: extra ? 'cell' : 'click', name, ...extra });
  }

  // --- Drawing ---------------------------------------------------------------

  const px = (twips) => (twips * scale) + 'px';

  function fontFamily(name) {
    return name === 'MS Sans Serif' ? 'Tahoma, Arial, sans-serif' : `"${name}", Arial, sans-serif`;
  }

  function draw() {
    const st = state;
    $('ended').hidden = !st.ended;
    if (st.ended || !st.form) {
      screenEl.replaceChildren();
      formKey = '';
      els = {};
      boxEl.hidden = true;
      keyboardEl.hidden = true;
      return;
    }
    drawForm(st.form);
    if (st.box && !pendingAnswer) drawBox(st.box);
    else boxEl.hidden = true;
    if (!st.box && !unacked.length) focusControl(st.focus);
    const f = control(st.focus);
    if (!f || f.kind !== 'textbox') keyboardOn = false;
    keyboardEl.hidden = !f || f.kind !== 'textbox' || f.locked || !!st.box;
    keyboardEl.classList.toggle('on', keyboardOn);
  }

  function drawForm(form) {
    const key = form.name + '|' + form.controls.map((c) => c.name).join(',');
    if (key !== formKey) build(form);
    const title = form.fullscreen || !form.caption ? 0 : TITLE_TWIPS;
    scale = Math.min(window.innerWidth / form.width, window.innerHeight / form.height);
    document.title = form.caption || APP_TITLE;
    document.body.style.background = form.back;
    Object.assign(screenEl.style, { width: px(form.width), height: px(form.height) });
    const bar = screenEl.querySelector('.titlebar');
    bar.hidden = !title;
    Object.assign(bar.style, { height: px(title), fontSize: px(8 * TWIPS_PER_POINT) });
    bar.textContent = form.caption;
    const client = screenEl.querySelector('.client');
    Object.assign(client.style, { top: px(title), background: form.back });
    for (const c of form.controls) if (els[c.name]) update(c, els[c.name]);
  }

  function build(form) {
    formKey = form.name + '|' + form.controls.map((c) => c.name).join(',');
    els = {};
    const root = make('div', 'form');
    root.append(make('div', 'titlebar'));
    const client = make('div', 'client');
    root.append(client);
    for (const c of form.controls) {
      const el = create(c);
      if (!el) continue;
      el.dataset.name = c.name;
      (c.container && els[c.container] ? els[c.container] : client).append(el);
      els[c.name] = el;
    }
    screenEl.replaceChildren(root);
  }

  function make(tag, cls) {
    const el = document.createElement(tag);
    if (cls) el.className = cls;
    return el;
  }

  function create(c) {
    const name = c.name;
    let el;
    switch (c.kind) {
      case 'textbox':
        el = make('input', 'c textbox');
        Object.assign(el, { type: 'text', autocomplete: 'off', spellcheck: false });
        el.setAttribute('autocorrect', 'off');
        el.setAttribute('autocapitalize', 'off');
        el.addEventListener('click', (e) => tapped(name, e));
        el.addEventListener('input', () => { edits[name] = el.value; });
        return el;
      case 'button':
        el = make('button', 'c button');
        el.type = 'button';
        el.append(make('span', 'pic'), make('span', 'cap'));
        el.addEventListener('click', (e) => tapped(name, e));
        return el;
      case 'checkbox':
        el = make('div', 'c checkbox');
        el.tabIndex = 0;
        el.append(Object.assign(make('input'), { type: 'checkbox', tabIndex: -1 }), make('span'));
        el.addEventListener('click', (e) => { e.preventDefault(); tapped(name, e); });
        return el;
      case 'label':
        el = make('div', 'c label');
        el.addEventListener('click', (e) => tapped(name, e));
        return el;
      case 'frame':
        el = make('div', 'c frame');
        el.append(make('span', 'legend'));
        return el;
      case 'image':
        el = make('div', 'c image');
        el.addEventListener('click', (e) => tapped(name, e));
        return el;
      case 'progressbar':
        el = make('div', 'c progressbar');
        el.append(make('div', 'bar'));
        return el;
      case 'grid':
        el = make('div', 'c grid');
        el.tabIndex = 0;
        el.append(make('table'));
        el.addEventListener('click', (e) => {
          const cell = e.target.closest('td, th');
          if (cell) tapped(name, e, { row: +cell.dataset.r, col: +cell.dataset.c });
        });
        return el;
      default:
        return null;  // the drive list is never seen
    }
  }

  function update(c, el) {
    Object.assign(el.style, {
      left: px(c.left), top: px(c.top), width: px(c.width), height: px(c.height),
      display: c.visible ? '' : 'none', backgroundColor: c.back, color: c.fore,
      fontFamily: fontFamily(c.font.name), fontWeight: c.font.bold ? 'bold' : 'normal',
      fontSize: Math.max(c.font.size * TWIPS_PER_POINT * scale, 9) + 'px',
    });
    el.title = c.tooltip || '';
    el.classList.toggle('disabled', !c.enabled);
    switch (c.kind) {
      case 'textbox':
        if (!(c.name in edits) && el.value !== c.text) el.value = c.text;
        el.readOnly = c.locked;
        el.disabled = !c.enabled;
        if (c.maxlength > 0) el.maxLength = c.maxlength;
        else el.removeAttribute('maxlength');
        el.style.textAlign = c.align;
        el.inputMode = keyboardOn && state.focus === c.name ? 'text' :
          { scan: 'none', numeric: 'decimal', text: 'text' }[c.keyboard];
        break;
      case 'button':
        el.disabled = !c.enabled;
        el.querySelector('.cap').textContent = c.caption;
        setPicture(el.querySelector('.pic'), c.picture);
        el.setAttribute('aria-label', c.caption || c.tooltip || c.picture);
        break;
      case 'checkbox':
        el.querySelector('input').checked = c.value === 1;
        el.querySelector('span').textContent = c.caption;
        break;
      case 'label':
        el.textContent = c.caption;
        el.style.textAlign = c.align;
        break;
      case 'frame':
        el.querySelector('.legend').textContent = c.caption;
        break;
      case 'image':
        el.style.backgroundColor = 'transparent';  // an image has no background of its own
        setPicture(el, c.picture);
        break;
      case 'progressbar': {
        const span = c.max - c.min;
        const part = span > 0 ? Math.min(Math.max((c.value - c.min) / span, 0), 1) : 0;
        el.querySelector('.bar').style.width = (part * 100) + '%';
        break;
      }
      case 'grid':
        drawGrid(c, el);
        break;
    }
  }

  function setPicture(el, picture) {
    if (el.dataset.picture === picture) return;
    el.dataset.picture = picture;
    el.innerHTML = PICTURES[picture] || '';
  }

  function drawGrid(c, el) {
    const table = el.querySelector('table');
    const key = JSON.stringify([c.widths, c.cells, scale]);
    if (el.dataset.key !== key) {
      el.dataset.key = key;
      const rowHeight = px(Math.max(240, c.font.size * TWIPS_PER_POINT * 1.5));
      const rows = c.cells.map((cells, r) => {
        const tr = make('tr');
        tr.style.height = rowHeight;
        cells.forEach((text, col) => {
          if (c.widths[col] <= 0) return;  // a width of 0 hides the column
          const cell = make(r === 0 ? 'th' : 'td', col === 0 ? 'fixed' : '');
          Object.assign(cell.dataset, { r, c: col });
          cell.style.width = cell.style.maxWidth = px(c.widths[col]);
          cell.textContent = text;
          tr.append(cell);
        });
        return tr;
      });
      table.replaceChildren(...rows);
      const width = c.widths.reduce((sum, w) => sum + Math.max(w, 0), 0);
      table.style.width = px(width);
    }
    [...table.rows].forEach((tr, r) => tr.classList.toggle('current', r > 0 && r === c.row));
  }

  function focusControl(name) {
    const el = name && els[name];
    if (!el || document.activeElement === el) return;
    el.focus({ preventScroll: true });
    if (el.tagName === 'INPUT') el.setSelectionRange(el.value.length, el.value.length);
  }

  // --- Message boxes -----------------------------------------------------------

  const BUTTON_SETS = [
    [['OK', 1]],
    [['OK', 1], ['Annulla', 2]],
    [['Interrompi', 3], ['Riprova', 4], ['Ignora', 5]],
    [['Sì', 6], ['No', 7], ['Annulla', 2]],
    [['Sì', 6], ['No', 7]],
    [['Riprova', 4], ['Annulla', 2]],
  ];
  // What Esc answers, for the sets that have a way out.
  const ESCAPE_ANSWER = [1, 2, 0, 2, 0, 2];

  function drawBox(box) {
    const set = BUTTON_SETS[box.buttons & 7] || BUTTON_SETS[0];
    const icon = box.buttons & 0x70;
    $('box-title').textContent = box.title || APP_TITLE;
    $('box-prompt').textContent = box.prompt;
    $('box-icon').innerHTML = BOX_ICONS[icon] || '';
    const buttons = set.map(([caption, answer]) => {
      const b = make('button');
      Object.assign(b, { type: 'button', textContent: caption });
      b.dataset.answer = answer;
      b.addEventListener('click', () => answerBox(answer));
      return b;
    });
    $('box-buttons').replaceChildren(...buttons);
    boxEl.hidden = false;
    keyboardEl.hidden = true;
    buttons[Math.min((box.buttons >> 8) & 3, buttons.length - 1)].focus();
    if (beepedBox !== box.id) {
      beepedBox = box.id;
      if (icon === 16) alertClerk('error');
      else if (icon === 48) alertClerk('warning');
    }
  }

  function answerBox(answer) {
    if (!state || !state.box || pendingAnswer) return;
    pendingAnswer = { box: state.box.id, answer };
    boxEl.hidden = true;
    pump();
  }

  function boxKey(e) {
    e.preventDefault();
    const buttons = [...$('box-buttons').querySelectorAll('button')];
    const at = buttons.indexOf(document.activeElement);
    if (e.key === 'Enter' || e.key === ' ') {
      const b = at >= 0 ? buttons[at] : buttons[Math.min((state.box.buttons >> 8) & 3, buttons.length - 1)];
      answerBox(+b.dataset.answer);
    } else if (e.key === 'Escape') {
      const answer = ESCAPE_ANSWER[state.box.buttons & 7];
      if (answer) answerBox(answer);
    } else if (['ArrowLeft', 'ArrowRight', 'Tab'].includes(e.key)) {
      const step = e.key === 'ArrowLeft' || (e.key === 'Tab' && e.shiftKey) ? -1 : 1;
      buttons[(Math.max(at, 0) + step + buttons.length) % buttons.length].focus();
    }
  }

  // --- Sound and vibration -------------------------------------------------------

  let audio = null;

  function wakeAudio() {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!audio && Context) audio = new Context();
    if (audio && audio.state === 'suspended') audio.resume();
  }

  // An error is two low beeps, a warning one high beep.
  function alertClerk(kind) {
    if (navigator.vibrate) navigator.vibrate(kind === 'error' ? [120, 60, 120] : [200]);
    if (!audio) return;
    const tones = kind === 'error' ? [[220, 0], [220, 0.18]] : [[880, 0]];
    for (const [frequency, at] of tones) {
      const osc = audio.createOscillator();
      const gain = audio.createGain();
      osc.type = 'square';
      osc.frequency.value = frequency;
      gain.gain.value = 0.15;
      osc.connect(gain).connect(audio.destination);
      const t = audio.currentTime + at;
      osc.start(t);
      osc.stop(t + 0.13);
    }
  }

  // --- Keys ------------------------------------------------------------------------

  function onKey(e) {
    wakeAudio();
    if (!state) return;
    if (state.ended) {
      if (e.key === 'Enter') { e.preventDefault(); restart(); }
      return;
    }
    if (state.box && !pendingAnswer) return boxKey(e);
    if (!state.form) return;
    const altGraph = e.getModifierState && e.getModifierState('AltGraph');
    if ((e.ctrlKey || e.metaKey || e.altKey) && !altGraph) return;
    const keys = {
      Enter: { type: 'key', code: 13 },
      ArrowDown: { type: 'key', code: 40 },
      Escape: { type: 'escape' },
      Backspace: { type: 'type', text: '\b' },
    };
    if (keys[e.key]) {
      e.preventDefault();
      send({ ...keys[e.key] });
    } else if (e.key === 'Tab') {
      e.preventDefault();
      tab(e.shiftKey ? -1 : 1);
    } else if ([...e.key].length === 1) {
      e.preventDefault();
      send({ type: 'type', text: e.key });
    }
  }

  // Tab moves the focus along the screen's tab order, as the form would.
  function tab(step) {
    const order = state.form.controls.filter((c) =>
      ['textbox', 'button', 'checkbox', 'grid'].includes(c.kind) && c.usable);
    if (!order.length) return;
    const at = order.findIndex((c) => c.name === state.focus);
    const next = order[(at + step + order.length) % order.length];
    send({ type: 'focus', name: next.name });
  }

  function restart() {
    session = '';
    sessionStorage.removeItem('gw-session');
    state = null;
    needSession = true;
    pump();
  }

  // The on-screen keyboard stays down on fields that are only scanned into;
  // this button calls it up on the focused field.
  keyboardEl.addEventListener('pointerdown', (e) => e.preventDefault());
  keyboardEl.addEventListener('click', () => {
    keyboardOn = !keyboardOn;
    draw();
    const el = state && els[state.focus];
    if (el && el.tagName === 'INPUT') {
      el.blur();
      el.focus({ preventScroll: true });
    }
  });

  document.addEventListener('keydown', onKey, true);
  document.addEventListener('pointerdown', () => {
    wakeAudio();
    if (matchMedia('(pointer: coarse)').matches && !document.fullscreenElement &&
        document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }, { capture: true });
  document.addEventListener('contextmenu', (e) => e.preventDefault());
  window.addEventListener('resize', () => { if (state) draw(); });
  $('restart').addEventListener('click', restart);

  // --- Pictures ------------------------------------------------------------------

  const svg = (body, box = '0 0 24 24') =>
    `<svg viewBox="${box}" xmlns="http://www.w3.org/2000/svg" aria-hidden="true">${body}</svg>`;

  const PICTURES = {
    exit: svg('<path d="M4 3h10v5h-2V5H6v14h6v-3h2v5H4z" fill="#555"/>' +
      '<path d="M15 7.5l5.5 4.5-5.5 4.5V13.5H9v-3h6z" fill="#c62828"/>'),
    confirm: svg('<path d="M2.5 12.5l3-3 4.5 4.5 9-9 3 3-12 12z" fill="#1a9e2c" stroke="#0d5c18" stroke-width=".6"/>'),
    back: svg('<path d="M10 4l-8 8 8 8v-5h12V9H10z" fill="#1f5fbf" stroke="#123a75" stroke-width=".6"/>'),
    view: svg('<path d="M12 5C6.5 5 2.5 9.5 1 12c1.5 2.5 5.5 7 11 7s9.5-4.5 11-7c-1.5-2.5-5.5-7-11-7z" ' +
      'fill="#fff" stroke="#333" stroke-width="1.5"/><circle cx="12" cy="12" r="3.8" fill="#1f5fbf"/>'),
    print: svg('<rect x="6" y="2.5" width="12" height="6" fill="#fff" stroke="#333"/>' +
      '<rect x="2" y="8.5" width="20" height="9" rx="1.5" fill="#666"/>' +
      '<rect x="6" y="14" width="12" height="7.5" fill="#fff" stroke="#333"/>' +
      '<path d="M8 17h8M8 19.5h6" stroke="#333"/>'),
    delete: svg('<path d="M5 7h14l-1.3 14.5H6.3z" fill="#c62828"/>' +
      '<rect x="3" y="4" width="18" height="2.5" fill="#c62828"/><rect x="9" y="1.8" width="6" height="2.4" fill="#c62828"/>' +
      '<path d="M9.5 10v9M14.5 10v9" stroke="#fff" stroke-width="1.5"/>'),
    plus: svg('<path d="M9.5 2.5h5v7h7v5h-7v7h-5v-7h-7v-5h7z" fill="#1a9e2c"/>'),
    minus: svg('<rect x="2.5" y="9.5" width="19" height="5" fill="#c62828"/>'),
    search: svg('<circle cx="10" cy="10" r="6.5" fill="#e8f0ff" stroke="#333" stroke-width="2.5"/>' +
      '<path d="M15 15l6.5 6.5" stroke="#333" stroke-width="3.5" stroke-linecap="round"/>'),
    logo: svg('<rect width="100" height="100" rx="14" fill="#1f5fbf"/>' +
      '<path d="M14 30h11l9 34h38l9-25H30" fill="none" stroke="#fff" stroke-width="6" stroke-linejoin="round"/>' +
      '<circle cx="40" cy="77" r="6" fill="#fff"/><circle cx="68" cy="77" r="6" fill="#fff"/>' +
      '<path d="M44 22a24 24 0 0 1 32 0M50 29a14 14 0 0 1 20 0" fill="none" stroke="#ffd600" stroke-width="5" stroke-linecap="round"/>' +
      '<circle cx="60" cy="35" r="3.5" fill="#ffd600"/>', '0 0 100 100'),
  };

  const BOX_ICONS = {
    16: svg('<circle cx="12" cy="12" r="11" fill="#d32f2f"/><path d="M7.5 7.5l9 9M16.5 7.5l-9 9" stroke="#fff" stroke-width="2.8"/>'),
    32: svg('<circle cx="12" cy="12" r="11" fill="#1f5fbf"/><text x="12" y="17.5" font-size="16" font-weight="bold" text-anchor="middle" fill="#fff" font-family="Arial">?</text>'),
    48: svg('<path d="M12 1.5L23 21.5H1z" fill="#ffc107" stroke="#8a6d00"/><rect x="10.7" y="8" width="2.6" height="7.5" fill="#000"/><rect x="10.7" y="17" width="2.6" height="2.6" fill="#000"/>'),
    64: svg('<circle cx="12" cy="12" r="11" fill="#1f5fbf"/><rect x="10.6" y="10" width="2.8" height="8" fill="#fff"/><circle cx="12" cy="6.8" r="1.7" fill="#fff"/>'),
  };

  pump();
})();

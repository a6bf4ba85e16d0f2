'use strict';
// The page around the explorer module: it maps DOM events onto the
// explorer's calls and copies its frames to the canvas. Ranges, positions,
// wrapping, the drag arithmetic, the status text and the link's reading and
// writing all live in the module; nothing here decides any of them.
(() => {
  const $ = (id) => document.getElementById(id);

  const win = $('window');
  const canvas = $('view');
  const status = $('status');
  const note = $('note');
  const bars = { h1: $('bar-h1'), h2: $('bar-h2'), v: $('bar-v') };

  let M = null;
  let explorer = null;
  let image = null;
  let drawPending = false;
  let firstFrameSeen = false;

  function showNote(text) {
    note.textContent = text;
    note.hidden = text === '';
  }

  // --- Frames -------------------------------------------------------------

  function draw() {
    drawPending = false;
    if (!explorer.showsView()) return;
    status.textContent = explorer.render();
    // A view into the module's memory: copied at once, before any other call.
    image.data.set(explorer.frame());
    canvas.getContext('2d').putImageData(image, 0, 0);
    canvas.dataset.frame = String(explorer.frameCount());
    if (!firstFrameSeen) {
      firstFrameSeen = true;
      performance.mark('tintrover-first-frame');
      win.setAttribute('aria-busy', 'false');
    }
  }

  // Pointer moves and slider drags arrive faster than the screen shows
  // them; the frame is drawn once per animation frame, from the latest state.
  function requestDraw() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => { if (drawPending) draw(); });
  }

  // --- The address --------------------------------------------------------

  // The fragment follows every change, replacing the history entry. Browsers
  // throttle replaceState, so writes come at most every 100 ms, the last
  // one always.
  const linkInterval = 100;
  let linkWritten = 0;
  let linkTimer = 0;

  function writeLink() {
    linkTimer = 0;
    linkWritten = performance.now();
    const hash = '#' + explorer.link();
    if (location.hash !== hash) history.replaceState(null, '', hash);
  }

  function linkChanged() {
    if (linkTimer) return;
    const wait = linkWritten + linkInterval - performance.now();
    if (wait <= 0) writeLink();
    else linkTimer = setTimeout(writeLink, wait);
  }

  function applyAddress() {
    if (location.hash === '#bench') return;
    showNote(explorer.applyLink(location.hash));
    showState();
    requestDraw();
    if (location.hash !== '') writeLink();
  }

  // --- Controls -----------------------------------------------------------

  const tabInputs = [];

  function buildTabs() {
    const tabs = $('tabs');
    for (let i = 0; i < M.tabCount(); ++i) {
      const input = document.createElement('input');
      input.type = 'radio';
      input.name = 'tab';
      input.id = `tab-${i}`;
      input.value = String(i);
      const label = document.createElement('label');
      label.htmlFor = input.id;
      label.textContent = M.tabCaption(i);
      tabs.append(input, label);
      tabInputs.push(input);
      input.addEventListener('change', () => {
        if (!input.checked) return;
        explorer.selectTab(i);
        changed(explorer.showsView());
      });
    }
    tabs.disabled = false;
  }

  // The settings of the Config page: each range, its value label and its
  // setting in the module.
  function settingControls() {
    const S = M.Setting;
    return [
      { setting: S.TypeCSections, range: $('csection'), value: $('csection-value') },
      { setting: S.TypeDSections, range: $('dsection'), value: $('dsection-value') },
      { setting: S.TypeDLevel, range: $('dlevel'), value: $('dlevel-value') },
    ];
  }
  let settings = [];
  const typeC = 2;
  const typeD = 3;
  const singles = [
    { tab: typeC, box: $('csingle') },
    { tab: typeD, box: $('dsingle') },
  ];

  function hexColour(rgb) {
    return '#' + rgb.toString(16).padStart(6, '0');
  }

  // Puts the explorer's state into every control.
  function showState() {
    const tab = explorer.tab();
    const view = explorer.showsView();
    tabInputs[tab].checked = true;

    canvas.hidden = !view;
    $('config').hidden = tab !== 4;
    $('about').hidden = tab !== 5;
    if (!view) status.textContent = '';

    const B = M.ViewBar;
    for (const [name, bar] of [['h1', B.H1], ['h2', B.H2], ['v', B.V]]) {
      bars[name].max = String(explorer.barMax(bar));
      bars[name].value = String(explorer.position(bar));
      bars[name].disabled = !view;
    }

    $('tools').hidden = !explorer.showsTools();
    const mode = $('mode');
    mode.textContent = explorer.modeCaption();
    mode.disabled = !explorer.modeEnabled();
    $('step-value').textContent = String(explorer.stepValue());
    $('tool-check').checked = explorer.toolChecked();

    for (const s of settings) {
      s.range.min = String(explorer.settingMin(s.setting));
      s.range.max = String(explorer.settingMax(s.setting));
      s.range.value = String(explorer.setting(s.setting));
      s.value.textContent = String(explorer.setting(s.setting));
    }
    for (const s of singles) s.box.checked = explorer.single(s.tab);

    $('background').value = hexColour(explorer.background());
    $('save').disabled = !view;
    $('save-scale').disabled = !view;
  }

  // A change of the explorer's state: controls, frame and address follow.
  function changed(render = true) {
    showState();
    if (render) requestDraw();
    linkChanged();
  }

  function wireControls() {
    const B = M.ViewBar;
    for (const [name, bar] of [['h1', B.H1], ['h2', B.H2], ['v', B.V]]) {
      bars[name].addEventListener('input', () => {
        explorer.setPosition(bar, Number(bars[name].value));
        changed();
      });
    }

    $('minus').addEventListener('click', () => { explorer.step(-1); changed(); });
    $('plus').addEventListener('click', () => { explorer.step(1); changed(); });
    $('mode').addEventListener('click', () => { explorer.toggleMode(); changed(); });
    $('tool-check').addEventListener('change', (event) => {
      explorer.setToolChecked(event.target.checked);
      changed();
    });

    // The Config page's settings take effect at the next frame of a view tab.
    for (const s of settings) {
      s.range.addEventListener('input', () => {
        explorer.setSetting(s.setting, Number(s.range.value));
        changed(false);
      });
    }
    for (const s of singles) {
      s.box.addEventListener('change', () => {
        explorer.setSingle(s.tab, s.box.checked);
        changed(false);
      });
    }

    $('background').addEventListener('input', (event) => {
      explorer.setBackground(parseInt(event.target.value.slice(1), 16));
      changed(explorer.showsView());
    });

    $('save').addEventListener('click', savePng);
    window.addEventListener('hashchange', applyAddress);
  }

  // --- Dragging in the view -------------------------------------------------

  // The pointer in CSS pixels from the canvas's top left, with the canvas's
  // shown size as the page size; none outside the canvas, where the program
  // receives no mouse messages either.
  function pointerOnPage(event) {
    const box = canvas.getBoundingClientRect();
    const x = Math.floor(event.clientX - box.left);
    const y = Math.floor(event.clientY - box.top);
    const width = Math.round(box.width);
    const height = Math.round(box.height);
    if (x < 0 || y < 0 || x >= width || y >= height) return null;
    return { x, y, width, height };
  }

  function wireDrag() {
    canvas.addEventListener('pointerdown', (event) => {
      if (event.button !== 0) return;
      const p = pointerOnPage(event);
      if (p) explorer.dragStart(p.x, p.y);
    });
    canvas.addEventListener('pointermove', (event) => {
      if ((event.buttons & 1) === 0) return;
      const p = pointerOnPage(event);
      if (!p) return;
      explorer.dragMove(p.x, p.y, p.width, p.height, event.shiftKey, event.ctrlKey);
      changed();
    });
  }

  // --- Size ---------------------------------------------------------------

  // The frame is shown at the largest whole number of device pixels per
  // frame pixel that fits the window, so that every frame pixel stays a
  // sharp square.
  function fitView() {
    const ratio = window.devicePixelRatio || 1;
    const page = $('page').getBoundingClientRect();
    const shownWidth = page.width;
    const shownHeight = page.height;
    const room = document.documentElement.clientWidth - (win.offsetWidth - shownWidth);
    const roomHeight = window.innerHeight - (win.offsetHeight - shownHeight);
    const zoom = Math.max(1, Math.floor(Math.min(room * ratio / canvas.width, roomHeight * ratio / canvas.height)));
    win.style.setProperty('--view-width', `${canvas.width * zoom / ratio}px`);
    win.style.setProperty('--view-height', `${canvas.height * zoom / ratio}px`);
  }

  function watchSize() {
    let ratioQuery = null;
    const watchRatio = () => {
      ratioQuery?.removeEventListener('change', onRatio);
      ratioQuery = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
      ratioQuery.addEventListener('change', onRatio);
    };
    const onRatio = () => { fitView(); watchRatio(); };
    watchRatio();
    window.addEventListener('resize', fitView);
    fitView();
  }

  // --- Saving ---------------------------------------------------------------

  function download(blob, name) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 60000);
  }

  // The exact frame, or the same view drawn 2x..4x as large by the export
  // tool's path.
  function savePng() {
    if (drawPending) draw();
    const scale = Number($('save-scale').value);
    const name = `tintrover-${explorer.link().replaceAll('=', '-').replaceAll('&', '_')}` +
      (scale > 1 ? `@${scale}x` : '') + '.png';
    let source = canvas;
    if (scale > 1) {
      const width = canvas.width * scale;
      const height = canvas.height * scale;
      const rgba = explorer.renderScaled(scale);
      if (rgba.length !== width * height * 4) {
        showNote(`A ${scale}x picture does not fit in this page's memory.`);
        return;
      }
      const scaled = new ImageData(width, height);
      scaled.data.set(rgba);
      source = document.createElement('canvas');
      source.width = width;
      source.height = height;
      source.getContext('2d').putImageData(scaled, 0, 0);
    }
    source.toBlob((blob) => {
      if (blob) download(blob, name);
      else showNote('The picture could not be made.');
    }, 'image/png');
  }

  // --- Benchmark mode (#bench) ---------------------------------------------

  // Each case of the module's benchmark is timed over rounds of about a
  // fifth of a second; the fastest round of five counts, as with the native
  // benchmarks on a shared machine. A first pass over every case sizes the
  // rounds and lets the browser compile the hot code fully before any timing.
  async function runBench() {
    const section = $('bench');
    section.hidden = false;
    if (typeof M.benchCount !== 'function') {
      showNote('This build has no benchmark.');
      section.dataset.done = 'true';
      return;
    }
    const pause = () => new Promise((resolve) => setTimeout(resolve, 0));
    const rows = $('bench-rows');
    const cases = [];
    for (let i = 0; i < M.benchCount(); ++i) {
      const row = rows.insertRow();
      row.insertCell().textContent = M.benchName(i);
      const time = row.insertCell();
      const hash = row.insertCell();
      time.textContent = '...';
      await pause();
      const frames = Math.min(10000, Math.max(10, Math.ceil(200 / Math.max(M.benchRun(i, 20), 0.001))));
      cases.push({ row, time, hash, frames });
    }
    for (const [i, c] of cases.entries()) {
      let best = Infinity;
      for (let round = 0; round < 5; ++round) {
        // Lets the page paint between rounds.
        await pause();
        best = Math.min(best, M.benchRun(i, c.frames));
        c.time.textContent = best.toFixed(4);
      }
      // The hash of the frame the case drew last.
      c.hash.textContent = M.benchHash(i);
      c.row.dataset.ms = String(best);
    }
    section.dataset.done = 'true';
  }

  // --- Start --------------------------------------------------------------

  async function start() {
    M = await createTintrover();
    performance.mark('tintrover-module');
    explorer = new M.Explorer();
    performance.mark('tintrover-explorer');
    if (!explorer.loaded()) {
      showNote('The colour solids could not be loaded.');
      return;
    }
    image = new ImageData(M.frameWidth(), M.frameHeight());
    canvas.width = M.frameWidth();
    canvas.height = M.frameHeight();
    for (const el of document.querySelectorAll('[data-ui]')) el.textContent = M.uiString(Number(el.dataset.ui));
    $('tool-check').setAttribute('aria-label', M.uiString(4));
    $('about').value = M.aboutText();
    settings = settingControls();

    buildTabs();
    wireControls();
    wireDrag();
    watchSize();
    applyAddress();
    showState();
    draw();
    if (location.hash === '#bench') requestAnimationFrame(() => setTimeout(runBench, 0));

    if ('serviceWorker' in navigator && window.isSecureContext) {
      navigator.serviceWorker.register('sw.js').catch((error) => console.warn('No offline copy:', error.message));
    }
  }

  start().catch((error) => {
    showNote(`The page could not start: ${error.message}`);
    throw error;
  });
})();

// The browser page's front end. It builds the window from the definition the core gives, keeps
// typed characters the core's filter refuses out of the boxes, shows notices as a modal dialog,
// and hands each click of a button to the core's press flow. It computes nothing itself.
(function () {
  'use strict';

  const page = {};
  Module.quorvelPage = page;
  Module.onRuntimeInitialized = start;

  const boxes = [];  // the five input elements, indexed as the core numbers its boxes
  let resultLabel = null;
  let definition = null;

  // --- the three operations a press reaches the page through ---

  // The box's text, with any unpaired surrogate (which no encoding can carry) as U+FFFD.
  page.boxText = (box) =>
    boxes[box].value.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g,
                             '\uFFFD');
  page.setResultText = (text) => { resultLabel.textContent = text; };
  page.showNotice = (text) => { showNotice(text); };

  // --- start-up ---

  function start() {
    document.documentElement.dataset.state = 'starting';
    definition = JSON.parse(UTF8ToString(Module._quorvel_start()));
    document.title = definition.caption;
    buildWindow();
    fitToScreen();
    addEventListener('resize', fitToScreen);
    // Both start-up notices, one after the other, before the window shows.
    let shown = Promise.resolve();
    for (const text of definition.startUpNotices) {
      shown = shown.then(() => showNotice(text));
    }
    shown.then(() => {
      document.getElementById('window').style.visibility = 'visible';
      boxes[0].focus({preventScroll: true});
      document.documentElement.dataset.state = 'idle';
    });
  }

  function buildWindow() {
    const area = document.getElementById('window');
    area.dataset.identity = definition.identity;
    area.style.width = definition.clientWidth + 'px';
    area.style.height = definition.clientHeight + 'px';
    area.style.fontSize = definition.fontPixelSize + 'px';
    for (const c of definition.controls) {
      const element = makeControl(c);
      element.id = c.name;
      element.dataset.identity = c.identity;
      Object.assign(element.style, {
        left: c.left + 'px', top: c.top + 'px', width: c.width + 'px', height: c.height + 'px',
        color: c.colour,
      });
      if (c.bold) element.style.fontWeight = '700';
      if (c.characterHeight > 0) element.style.fontSize = c.characterHeight + 'px';
      area.appendChild(element);
    }
  }

  function makeControl(c) {
    switch (c.kind) {
      case 'edit_box': {
        const input = document.createElement('input');
        input.type = 'text';
        input.value = c.text;
        input.autocomplete = 'off';
        input.spellcheck = false;
        input.setAttribute('autocapitalize', 'off');
        input.setAttribute('autocorrect', 'off');
        // A numeric keyboard on a phone: with the full stop where the box takes it.
        input.inputMode = acceptsTyped(c.filter, '.') ? 'decimal' : 'numeric';
        if (c.lengthLimit > 0) input.maxLength = c.lengthLimit;
        filterTyping(input, c.filter);
        boxes[c.box] = input;
        return input;
      }
      case 'label': {
        const label = document.createElement('div');
        label.className = c.wordWrap ? 'label wrap' : 'label';
        label.textContent = c.text.replace(/\r\n/g, '\n');
        label.style.justifyContent = c.centred ? 'center' : 'flex-start';
        label.style.textAlign = c.centred ? 'center' : 'left';
        label.style.alignItems = c.topAligned ? 'flex-start' : 'center';
        if (c.lineHeight > 0) label.style.lineHeight = c.lineHeight + 'px';
        if (c.resultLabel) {
          label.setAttribute('role', 'status');
          resultLabel = label;
        }
        return label;
      }
      case 'push_button': {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = c.text;
        button.addEventListener('click', () => Module._quorvel_press(c.button));
        return button;
      }
    }
    throw new Error('unknown control kind ' + c.kind);
  }

  // The window at its own size where it fits; scaled down as a whole where the screen is
  // narrower, so that nothing scrolls sideways. Centred in the view, as on a desktop screen.
  function fitToScreen() {
    const width = definition.clientWidth;
    const height = definition.clientHeight;
    const scale = Math.min(1, document.documentElement.clientWidth / width);
    const frame = document.getElementById('frame');
    frame.style.width = width * scale + 'px';
    frame.style.height = height * scale + 'px';
    frame.style.marginTop = Math.max(0, Math.floor((innerHeight - height * scale) / 2)) + 'px';
    document.getElementById('window').style.transform = scale === 1 ? '' : `scale(${scale})`;
  }

  // --- typed input ---

  function acceptsTyped(filter, character) {
    return Module._quorvel_accepts_typed(filter, character.codePointAt(0)) === 1;
  }

  function keptPart(filter, text) {
    let kept = '';
    for (const character of text) {
      if (acceptsTyped(filter, character)) kept += character;
    }
    return kept;
  }

  // Typed characters (keys, and what an input method commits) pass the box's filter one by
  // one; pasted or dropped text, deletions and undo are not filtered.
  function filterTyping(input, filter) {
    input.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'insertText' && event.inputType !== 'insertReplacementText') return;
      const typed = event.data ?? '';
      const kept = keptPart(filter, typed);
      if (kept === typed) return;
      event.preventDefault();
      if (kept !== '') insertTyped(input, kept);
    });
    // An input method's composition cannot be cancelled while it runs: once it commits, the
    // refused characters of what it committed are taken out again.
    let before = null;
    input.addEventListener('compositionstart', () => {
      before = {value: input.value, start: input.selectionStart, end: input.selectionEnd};
    });
    input.addEventListener('compositionend', (event) => {
      if (before === null) return;
      const committed = event.data ?? '';
      const kept = keptPart(filter, committed);
      if (kept !== committed) {
        const head = before.value.slice(0, before.start);
        const tail = before.value.slice(before.end);
        const room = input.maxLength >= 0 ? input.maxLength - head.length - tail.length : Infinity;
        const inserted = kept.slice(0, Math.max(0, room));
        input.value = head + inserted + tail;
        const caret = head.length + inserted.length;
        input.setSelectionRange(caret, caret);
      }
      before = null;
    });
  }

  // Inserts typed text at the selection as typing would, within the box's length limit.
  function insertTyped(input, text) {
    if (document.execCommand && document.execCommand('insertText', false, text)) return;
    const start = input.selectionStart;
    const end = input.selectionEnd;
    const room = input.maxLength >= 0 ? input.maxLength - (input.value.length - (end - start))
                                      : Infinity;
    input.setRangeText(text.slice(0, Math.max(0, room)), start, end, 'end');
  }

  // --- notices ---

  // A notice: the caption, the text and one button in a modal dialog, which makes the rest of
  // the page inert until it is dismissed. Notices asked for while one is open wait their turn.
  let lastNotice = Promise.resolve();

  function showNotice(text) {
    lastNotice = lastNotice.then(() => openNotice(text));
    return lastNotice;
  }

  // Each notice is a dialog of its own, removed once dismissed. Escape dismisses it too, as it
  // dismisses a message box with one OK button (the browser's own handling of Escape can be
  // held back while the page has had no click).
  function openNotice(text) {
    const dialog = document.getElementById('notice').content.firstElementChild.cloneNode(true);
    dialog.querySelector('.caption').textContent = definition.noticeCaption;
    dialog.querySelector('.text').textContent = text;
    dialog.querySelector('button').textContent = definition.noticeButton;
    dialog.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        dialog.close();
      }
    });
    document.body.appendChild(dialog);
    const state = document.documentElement.dataset.state;
    document.documentElement.dataset.state = 'notice';
    // A click on the inert page behind gives the focus to the dialog itself; it goes on to the
    // button, so that Enter and Space still dismiss the notice, as on the desktop.
    const ok = dialog.querySelector('button');
    dialog.addEventListener('focus', () => ok.focus());
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => {
        dialog.remove();
        document.documentElement.dataset.state = state;
        resolve();
      }, {once: true});
      dialog.showModal();
      ok.focus();
      performance.mark('quorvel:notice');
    });
  }
})();

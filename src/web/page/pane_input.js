// The pane's input: keys, the mouse, the clipboard and the text of on-screen
// keyboards and input methods, turned into calls of the pane's model
// (pane_view.js sends them and paints the views that answer them). What the
// browser would do itself with a key or in its rows becomes a call of the
// model instead, so that its caret and its rows never leave the model's.
'use strict';

// Keys that move the caret: [move without Ctrl, move with Ctrl], by the
// names the module knows its moves by (src/web/page_pane.cc).
const kPaneMoveKeys = Object.freeze({
  ArrowLeft: ['charBackward', 'wordBackward'],
  ArrowRight: ['charForward', 'wordForward'],
  ArrowUp: ['rowUp', null],
  ArrowDown: ['rowDown', null],
  PageUp: ['pageUp', null],
  PageDown: ['pageDown', null],
  Home: ['lineStart', 'documentStart'],
  End: ['lineEnd', 'documentEnd'],
});

// Edits the browser asks for with an input event, as calls of the model.
const kPaneInputCalls = Object.freeze({
  deleteContentBackward: 'backspace',
  deleteContentForward: 'deleteForward',
  historyUndo: 'undo',
  historyRedo: 'redo',
});

class DravelinPaneInput {
  constructor(pane) {
    this.pane = pane;
    // The text of an ended composition, until the rows are read back.
    this.composed = null;
    // A routed edit the browser makes anyway (its event could not be
    // cancelled): the rows are painted over, not read back.
    this.routedAnyway = false;
    const box = pane.rowsBox;
    pane.viewport.addEventListener('mousedown', (e) => this.onMouseDown(e));
    box.addEventListener('keydown', (e) => this.onKeyDown(e));
    box.addEventListener('copy', (e) => this.onCopy(e, false));
    box.addEventListener('cut', (e) => this.onCopy(e, true));
    box.addEventListener('paste', (e) => this.onPaste(e));
    box.addEventListener('beforeinput', (e) => this.onBeforeInput(e));
    box.addEventListener('input', () => this.onInput());
    box.addEventListener('compositionstart', () => this.onCompositionStart());
    box.addEventListener('compositionend', (e) => this.onCompositionEnd(e));
  }

  type(text) {
    if (text) this.pane.call('type', text);
  }

  // The row and cell under a point of the screen.
  cellAt(clientX, clientY) {
    // From the screen's pixels to the pane's layout pixels (the same, unless
    // something scales the pane).
    const rect = this.pane.viewport.getBoundingClientRect();
    const scale = rect.width / (this.pane.viewport.offsetWidth || rect.width) || 1;
    const x = (clientX - rect.left) / scale - kPaneMargin;
    const y = (clientY - rect.top) / scale - kPaneMargin;
    const row = this.pane.view.top + Math.floor(y / this.pane.lineHeight);
    return [Math.max(0, row), Math.max(0, Math.round(x / this.pane.charWidth))];
  }

  onMouseDown(event) {
    if (event.button !== 0) return;
    event.preventDefault();
    this.pane.focus();
    const [row, cell] = this.cellAt(event.clientX, event.clientY);
    if (event.detail === 2) this.pane.call('selectWordAt', row, cell);
    else if (event.detail >= 3) this.pane.call('selectLineAt', row, cell);
    else this.pane.call('click', row, cell, event.shiftKey);
    if (event.detail >= 2) return;
    let lastX = event.clientX;
    let lastY = event.clientY;
    const rect = this.pane.viewport.getBoundingClientRect();
    const extendTo = () => {
      const [r, c] = this.cellAt(lastX, lastY);
      this.pane.call('click', r, c, true);
    };
    const timer = setInterval(() => {
      // Dragging above or below the pane scrolls it.
      if (lastY < rect.top) this.pane.scrollBy(-1);
      else if (lastY > rect.bottom) this.pane.scrollBy(1);
      else return;
      extendTo();
    }, 50);
    const move = (e) => {
      lastX = e.clientX;
      lastY = e.clientY;
      extendTo();
    };
    const up = () => {
      clearInterval(timer);
      window.removeEventListener('mousemove', move);
      window.removeEventListener('mouseup', up);
    };
    window.addEventListener('mousemove', move);
    window.addEventListener('mouseup', up);
  }

  onKeyDown(event) {
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key;
    // Tab and Shift+Tab leave the pane, as from any other control; a key an
    // input method takes (229) reaches the pane as its text.
    if (key === 'Tab' || event.isComposing || this.pane.composing || event.keyCode === 229) return;
    const moves = kPaneMoveKeys[key];
    if (moves && !event.altKey) {
      const move = moves[ctrl ? 1 : 0];
      // (The browser's own moves would take its caret away from the model's.)
      if (move !== null) this.pane.call('move', move, event.shiftKey);
    } else if (ctrl && !event.altKey) {
      const letter = key.toLowerCase();
      if (letter === 'a') this.pane.call('selectAll');
      else if (letter === 'z' && !event.shiftKey) this.pane.call('undo');
      else if (letter === 'y' || (letter === 'z' && event.shiftKey)) this.pane.call('redo');
      else return;  // the clipboard's keys, and the page's own
    } else if (key === 'Backspace') {
      this.pane.call('backspace');
    } else if (key === 'Delete') {
      this.pane.call('deleteForward');
    } else if (key === 'Enter') {
      this.type('\n');
    } else if ([...key].length === 1 && !(event.metaKey || (event.ctrlKey && !event.altKey))) {
      // A character (AltGr, which some systems report as Ctrl+Alt, types too).
      this.type(key);
    } else {
      return;
    }
    event.preventDefault();
  }

  // The selection goes to the clipboard at once when the last view holds it
  // and no call is on its way; otherwise (a selection too long to travel
  // with every view, or a key's call not yet answered) the clipboard is
  // given the text the model hands out.
  onCopy(event, cut) {
    event.preventDefault();
    if (this.pane.view.selectedText !== null && !this.pane.busy()) {
      event.clipboardData.setData('text/plain', this.pane.view.selectedText);
    } else {
      const text = this.pane.query('selected').then((t) => t ?? '');
      const clipboard = navigator.clipboard;
      if (window.ClipboardItem && clipboard && clipboard.write) {
        clipboard.write([new ClipboardItem({
          'text/plain': text.then((t) => new Blob([t], { type: 'text/plain' })),
        })]).catch((e) => console.log('[dravelin] copy failed:', e));
      } else if (clipboard && clipboard.writeText) {
        text.then((t) => clipboard.writeText(t))
            .catch((e) => console.log('[dravelin] copy failed:', e));
      }
    }
    if (cut) this.pane.call('deleteSelection');
  }

  onPaste(event) {
    event.preventDefault();
    this.type(event.clipboardData.getData('text/plain'));
  }

  // Typing that no key press brings (an on-screen keyboard, dictation, an
  // input method's committed text, Backspace and Enter of a phone's
  // keyboard) becomes the model's edit, and the browser changes nothing. A
  // composition, and a replacement of text away from the caret (an
  // autocorrection), the browser makes in the rows itself; they are read
  // back afterwards (readBack).
  onBeforeInput(event) {
    const type = event.inputType;
    if (this.pane.composing || event.isComposing || type.includes('Composition')) return;
    const ranges = event.getTargetRanges ? event.getTargetRanges() : [];
    if (type.startsWith('insert') && !ranges.every((r) => r.collapsed)) return;
    switch (type) {
      case 'insertText':
      case 'insertReplacementText':
      case 'insertFromPaste':
      case 'insertFromDrop': {
        const data = event.data ?? (event.dataTransfer && event.dataTransfer.getData('text/plain'));
        this.type(data || '');
        break;
      }
      case 'insertLineBreak':
      case 'insertParagraph':
        this.type('\n');
        break;
      default:  // deletions and undo as calls; formatting the pane has none of
        if (Object.hasOwn(kPaneInputCalls, type)) this.pane.call(kPaneInputCalls[type]);
        break;
    }
    event.preventDefault();
    if (!event.cancelable) this.routedAnyway = true;
  }

  onInput() {
    if (this.pane.composing) return;
    if (this.routedAnyway) {
      this.routedAnyway = false;
      this.pane.paint();
      return;
    }
    const composed = this.composed;
    this.composed = null;
    this.readBack(composed);
  }

  onCompositionStart() {
    if (this.composed !== null) this.onInput();  // the last one, not yet read back
    this.pane.composing = true;
  }

  // Some browsers change the rows for the last time after this event, with
  // an "input" event; the rows are read back there, or else right after.
  onCompositionEnd(event) {
    this.pane.composing = false;
    this.composed = event.data || '';
    setTimeout(() => { if (this.composed !== null && !this.pane.composing) this.onInput(); }, 0);
  }

  // Turns what the browser changed in the rows into the model's edit, then
  // paints the rows over. One changed row: the text between its unchanged
  // start and end replaces what stood there (an insertion at the caret
  // replaces the selection, as a typed key does). Text outside every row
  // (the caret's row was out of sight) is typed at the caret; so is the
  // text of a composition that left the rows as they were.
  readBack(composed) {
    const changed = this.pane.painted.filter((p) => p.div.parentNode !== this.pane.rowsBox ||
                                               p.div.textContent !== p.text);
    const rowDivs = new Set(this.pane.painted.map((p) => p.div));
    const outside = [...this.pane.rowsBox.childNodes].filter((n) => !rowDivs.has(n))
                                                .map((n) => n.textContent).join('');
    if (changed.length === 1 && outside === '' && changed[0].div.parentNode === this.pane.rowsBox) {
      this.replaceInRow(changed[0]);
    } else if (changed.length === 0 && outside !== '') {
      this.type(outside);
    } else if (composed) {
      // Rows left as they were, or changed past reading: the composition.
      this.type(composed);
    }
    this.pane.paint();
  }

  replaceInRow({ row, div, text: before }) {
    const after = div.textContent;
    const caret = this.pane.paintedCaret && this.pane.paintedCaret.row === row ? this.pane.paintedCaret.unit
                                                                      : before.length;
    let start = 0;
    const limit = Math.min(before.length, after.length, caret);
    while (start < limit && before[start] === after[start]) ++start;
    let end = 0;
    while (end < before.length - start && end < after.length - start &&
           before[before.length - 1 - end] === after[after.length - 1 - end]) {
      ++end;
    }
    const inserted = after.slice(start, after.length - end);
    const removedTo = before.length - end;
    if (start !== caret || removedTo !== start) {
      this.pane.call('selectRowUnits', row, start, removedTo);
      if (!inserted) this.pane.call('deleteSelection');
    }
    this.type(inserted);
  }
}

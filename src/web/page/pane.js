// The text pane's view. The pane model (src/pane, compiled to a WebAssembly
// module of the page's own: src/web/pane_module.cc) holds the text, the
// rows, the caret, the selection and the undo history; this file paints the
// rows in sight, turns keys, the mouse, the wheel and the clipboard into calls
// of the model, and shows assistive technologies the rows in sight as the
// text of a multi-line text box named "Report", reading out the caret's line
// as it moves. The text box is editable, so that every way of typing reaches
// it (on-screen keyboards, input methods, dictation); what the browser would
// change in its rows becomes a call of the model instead. It also holds the
// find bar (DravelinFindBar), a view of the model's search.
'use strict';

// The model's moves, numbered as PaneMove (src/pane/pane_model.h) numbers them.
const kPaneMove = Object.freeze({
  charBackward: 0, charForward: 1, wordBackward: 2, wordForward: 3, rowUp: 4, rowDown: 5,
  pageUp: 6, pageDown: 7, lineStart: 8, lineEnd: 9, documentStart: 10, documentEnd: 11,
});

// Keys that move the caret: [move without Ctrl, move with Ctrl].
const kPaneMoveKeys = Object.freeze({
  ArrowLeft: [kPaneMove.charBackward, kPaneMove.wordBackward],
  ArrowRight: [kPaneMove.charForward, kPaneMove.wordForward],
  ArrowUp: [kPaneMove.rowUp, null],
  ArrowDown: [kPaneMove.rowDown, null],
  PageUp: [kPaneMove.pageUp, null],
  PageDown: [kPaneMove.pageDown, null],
  Home: [kPaneMove.lineStart, kPaneMove.documentStart],
  End: [kPaneMove.lineEnd, kPaneMove.documentEnd],
});

// The margin around the rows, in pixels.
const kPaneMargin = 2;
// Browsers cap an element's height: a long pane maps its rows onto a scroll
// range of at most this many pixels.
const kPaneMaxScrollPixels = 8000000;

class DravelinPane {
  // `module` is the instantiated pane module.
  constructor(element, module) {
    this.element = element;
    this.m = module;
    this.utf16 = new TextDecoder('utf-16le');
    this.utf8 = new TextEncoder();
    this.paintQueued = false;
    // Where report batches are copied into the module's memory on their way
    // into the model: one buffer kept for every batch, so that the model's
    // own memory does not take its place and every batch need not touch
    // fresh memory.
    this.batchAt = 0;
    this.batchSize = 0;
    // A test's stand-in for memory running out: the next batch fails after
    // this many lines (null: none fails).
    this.failAfterLines = null;
    // The top row that the scroll bar's position stands for, while the user
    // holds the bar there.
    this.barRow = null;
    this.wheelRows = 0;
    this.saidLine = -1;
    // The pixels at the pane's foot that the find bar covers.
    this.covered = 0;
    // The rows as last painted ({ row, div, text }) and the caret's place in
    // them ({ row, unit }), against which an edit of the browser's own is
    // read back.
    this.painted = [];
    this.paintedCaret = null;
    // While an input method composes, the browser edits the rows itself and
    // the pane does not paint over them; `composed` holds the text of an
    // ended composition until the rows are read back.
    this.composing = false;
    this.composed = null;
    // A routed edit the browser makes anyway (its event could not be
    // cancelled): the rows are painted over, not read back.
    this.routedAnyway = false;

    element.classList.add('pane');
    // The focus goes to the text box inside, not to the scrolling box.
    element.tabIndex = -1;
    this.viewport = document.createElement('div');
    this.viewport.className = 'pane-viewport';
    this.rowsBox = document.createElement('div');
    this.rowsBox.className = 'pane-rows';
    this.rowsBox.tabIndex = 0;
    this.rowsBox.setAttribute('role', 'textbox');
    this.rowsBox.setAttribute('aria-multiline', 'true');
    this.rowsBox.setAttribute('aria-label', 'Report');
    this.rowsBox.contentEditable = 'true';
    this.rowsBox.spellcheck = false;
    this.rowsBox.setAttribute('autocorrect', 'off');
    this.rowsBox.setAttribute('autocapitalize', 'off');
    this.caretBox = document.createElement('div');
    this.caretBox.className = 'pane-caret';
    this.caretBox.setAttribute('aria-hidden', 'true');
    // Reads out the caret's line when the caret comes to another line.
    this.said = document.createElement('div');
    this.said.className = 'visually-hidden';
    this.said.setAttribute('aria-live', 'polite');
    this.viewport.append(this.rowsBox, this.caretBox, this.said);
    this.spacer = document.createElement('div');
    this.spacer.className = 'pane-spacer';
    element.append(this.viewport, this.spacer);

    this.measure();
    element.addEventListener('scroll', () => this.onScroll());
    new ResizeObserver(() => { this.measure(); this.queuePaint(); }).observe(element);
    this.viewport.addEventListener('mousedown', (e) => this.onMouseDown(e));
    this.rowsBox.addEventListener('keydown', (e) => this.onKeyDown(e));
    this.rowsBox.addEventListener('copy', (e) => this.onCopy(e, false));
    this.rowsBox.addEventListener('cut', (e) => this.onCopy(e, true));
    this.rowsBox.addEventListener('paste', (e) => this.onPaste(e));
    this.rowsBox.addEventListener('beforeinput', (e) => this.onBeforeInput(e));
    this.rowsBox.addEventListener('input', () => this.onInput());
    this.rowsBox.addEventListener('compositionstart', () => this.onCompositionStart());
    this.rowsBox.addEventListener('compositionend', (e) => this.onCompositionEnd(e));
    this.rowsBox.addEventListener('focus', () => this.queuePaint());
    this.rowsBox.addEventListener('blur', () => this.queuePaint());
    element.addEventListener('wheel', (e) => this.onWheel(e));
    this.queuePaint();
  }

  // --- Text across the module's boundary ------------------------------------

  // The text the module's last call handed out, `length` UTF-16 units.
  out(length) {
    const at = this.m._dravelin_pane_out();
    return this.utf16.decode(this.m.HEAPU8.subarray(at, at + 2 * length));
  }

  // Calls call(address, length) with `bytes` copied into the module's memory.
  withBytes(bytes, call) {
    const at = this.m._malloc(bytes.length + 1);
    this.m.HEAPU8.set(bytes, at);
    try {
      return call(at, bytes.length);
    } finally {
      this.m._free(at);
    }
  }

  withText(text, call) { return this.withBytes(this.utf8.encode(text), call); }

  // Bytes from the core (a status text, a caption, a file name) as the pane
  // shows them.
  decode(bytes) {
    return this.out(this.withBytes(bytes, (at, n) => this.m._dravelin_pane_decode(at, n)));
  }

  // --- Program output --------------------------------------------------------

  // Appends report lines: `bytes` holds lines each followed by CR LF, whose
  // CRs lie at the offsets `ends`. The view then shows the output's end.
  // Returns false when memory ran out: the pane keeps the lines it took.
  appendBytes(bytes, ends) {
    const m = this.m;
    // The line ends first, then the bytes, each at a multiple of 4.
    const bytesFrom = 4 * ends.length + 4;
    const size = bytesFrom + bytes.length;
    if (size > this.batchSize) {
      m._free(this.batchAt);
      this.batchAt = m._malloc(size);
      this.batchSize = this.batchAt ? size : 0;
    }
    let taken = false;
    if (this.batchAt) {
      m.HEAPU32.set(ends, this.batchAt >> 2);
      m.HEAPU8.set(bytes, this.batchAt + bytesFrom);
      const count = Math.min(ends.length, this.failAfterLines ?? ends.length);
      taken = m._dravelin_pane_append(this.batchAt + bytesFrom, this.batchAt, count) &&
              count === ends.length;
    }
    this.failAfterLines = null;
    m._dravelin_pane_show_output_end();
    this.queuePaint();
    return taken;
  }

  clear() {
    this.m._dravelin_pane_clear();
    this.queuePaint();
  }

  // --- What assistive technologies and the tests read ------------------------

  lineCount() { return this.m._dravelin_pane_line_count(); }
  line(i) { return this.out(this.m._dravelin_pane_line_text(i)); }
  characterCount() { return this.m._dravelin_pane_character_count(); }
  // The text between two offsets (UTF-16 units, one per line break).
  textBetween(from, to) { return this.out(this.m._dravelin_pane_text_between(from, to)); }
  text() { return this.textBetween(0, this.characterCount()); }
  caretOffset() { return this.m._dravelin_pane_caret_offset(); }
  // The selection's offsets, from its start to its end (equal: none).
  selection() {
    const caret = this.caretOffset();
    const anchor = this.m._dravelin_pane_anchor_offset();
    return [Math.min(caret, anchor), Math.max(caret, anchor)];
  }
  selectedText() { return this.out(this.m._dravelin_pane_selected_text()); }

  // --- The view --------------------------------------------------------------

  measure() {
    const probe = document.createElement('span');
    probe.className = 'pane-probe';
    probe.setAttribute('aria-hidden', 'true');
    probe.textContent = 'M'.repeat(100);
    this.rowsBox.append(probe);
    // Layout pixels, not the screen's: the page may scale the window down.
    this.charWidth = probe.offsetWidth / 100 || 7;
    probe.remove();
    this.lineHeight = parseFloat(getComputedStyle(this.rowsBox).lineHeight) || 14;
    const columns = Math.floor((this.element.clientWidth - 2 * kPaneMargin) / this.charWidth);
    const rows = Math.floor((this.element.clientHeight - this.covered - 2 * kPaneMargin) /
                            this.lineHeight);
    this.m._dravelin_pane_set_view(Math.max(1, columns), Math.max(1, rows));
  }

  // The scroll bar's pixels for the model's rows.
  scrollGeometry() {
    const view = this.element.clientHeight;
    const height = Math.min(this.m._dravelin_pane_row_count() * this.lineHeight + 2 * kPaneMargin,
                            kPaneMaxScrollPixels);
    return { range: Math.max(0, height - view), lastTop: this.m._dravelin_pane_last_top_row() };
  }

  onScroll() {
    const top = this.element.scrollTop;
    if (top === this.shownScrollTop) return;  // the page moved the bar itself
    const g = this.scrollGeometry();
    this.barRow = g.range > 0 ? Math.round(Math.min(1, top / g.range) * g.lastTop) : 0;
    this.shownScrollTop = top;
    this.m._dravelin_pane_scroll_to(this.barRow);
    this.queuePaint();
  }

  scrollBy(rows) {
    this.m._dravelin_pane_scroll_to(Math.max(0, this.m._dravelin_pane_top_row() + rows));
    this.queuePaint();
  }

  // The wheel scrolls by rows, the same number at any pane length.
  onWheel(event) {
    if (event.ctrlKey || event.deltaY === 0) return;  // zooming, or sideways
    event.preventDefault();
    const page = Math.max(1, Math.floor(this.element.clientHeight / this.lineHeight) - 1);
    this.wheelRows += event.deltaMode === 1 ? event.deltaY
                    : event.deltaMode === 2 ? event.deltaY * page
                    : event.deltaY / this.lineHeight;
    const rows = Math.trunc(this.wheelRows);
    this.wheelRows -= rows;
    if (rows !== 0) this.scrollBy(rows);
  }

  // --- Painting --------------------------------------------------------------

  queuePaint() {
    if (this.paintQueued) return;
    this.paintQueued = true;
    requestAnimationFrame(() => { this.paintQueued = false; this.paint(); });
  }

  // The cells [from, to) of `text` (a row's characters), as UTF-16 indexes.
  static unitsOf(text, from, to) {
    if (!/[\uD800-\uDBFF]/.test(text)) return [from, to];
    const chars = Array.from(text);
    const units = (cell) => chars.slice(0, cell).join('').length;
    return [units(from), units(Math.min(to, chars.length)) + Math.max(0, to - chars.length)];
  }

  paint() {
    // An input method's text stands in the rows until it is read back.
    if (this.composing) return;
    const m = this.m;
    const g = this.scrollGeometry();
    this.spacer.style.height = g.range + 'px';
    const top = m._dravelin_pane_top_row();
    if (this.barRow !== top) {  // the bar follows the rows in sight
      this.element.scrollTop = g.lastTop > 0 ? Math.round(top / g.lastTop * g.range) : 0;
      this.shownScrollTop = this.element.scrollTop;
    }
    this.barRow = null;
    const rows = m._dravelin_pane_row_count();
    const shown = Math.min(rows - top,
                           Math.ceil((this.element.clientHeight - kPaneMargin) / this.lineHeight));
    const caretRow = m._dravelin_pane_caret_row();
    const fragment = document.createDocumentFragment();
    let caretRowBox = null;
    this.painted = [];
    this.paintedCaret = null;
    for (let i = 0; i < shown; ++i) {
      const row = top + i;
      const text = this.out(m._dravelin_pane_row_text(row));
      const div = document.createElement('div');
      div.className = 'pane-row';
      div.style.top = (kPaneMargin + i * this.lineHeight) + 'px';
      const from = m._dravelin_pane_selected_from(row);
      const to = m._dravelin_pane_selected_to(row);
      if (from < to) {
        // A selected line break shows as one more selected cell.
        const [a, b] = DravelinPane.unitsOf(text, from, to);
        const selected = document.createElement('span');
        selected.className = 'pane-selected';
        selected.textContent = text.slice(a, b) + (b > text.length ? ' ' : '');
        div.append(text.slice(0, a), selected, text.slice(b));
      } else {
        div.textContent = text;
      }
      if (row === caretRow) {
        div.id = 'PaneCaretRow';
        caretRowBox = div;
        const cell = m._dravelin_pane_caret_cell();
        this.paintedCaret = { row, unit: DravelinPane.unitsOf(text, cell, cell)[0] };
      }
      this.painted.push({ row, div, text: div.textContent });
      fragment.append(div);
    }
    this.rowsBox.replaceChildren(fragment);
    const focused = document.activeElement === this.rowsBox;
    if (caretRowBox) {
      this.rowsBox.setAttribute('aria-activedescendant', caretRowBox.id);
      this.caretBox.style.display = focused ? 'block' : 'none';
      this.caretBox.style.top = caretRowBox.style.top;
      const left = kPaneMargin + m._dravelin_pane_caret_cell() * this.charWidth;
      this.caretBox.style.left = left + 'px';
    } else {
      this.rowsBox.removeAttribute('aria-activedescendant');
      this.caretBox.style.display = 'none';
    }
    if (focused) this.placeDomCaret(caretRowBox);
    const line = m._dravelin_pane_caret_line();
    if (focused && line !== this.saidLine) {
      this.saidLine = line;
      this.said.textContent = this.line(line) || 'blank';
    }
  }

  // The browser's own caret goes where the model's is (at the rows' end when
  // that row is out of sight): an input method composes there, and an
  // assistive technology finds the caret there.
  placeDomCaret(caretRowBox) {
    const selection = document.getSelection();
    if (!caretRowBox) {
      selection.collapse(this.rowsBox, this.rowsBox.childNodes.length);
      return;
    }
    let left = this.paintedCaret.unit;
    const walker = document.createTreeWalker(caretRowBox, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (left <= node.length) {
        selection.collapse(node, left);
        return;
      }
      left -= node.length;
    }
    selection.collapse(caretRowBox, caretRowBox.childNodes.length);
  }

  // --- Input -----------------------------------------------------------------

  // A change of the caret, the selection or the text: paint it; with
  // `readLine` (undo and redo) the caret's line is read out again.
  changed(readLine) {
    if (readLine) this.saidLine = -1;
    this.queuePaint();
  }

  type(text) {
    if (text) this.withText(text, (at, n) => this.m._dravelin_pane_type(at, n));
    this.changed(false);
  }

  // The row and cell under a point of the screen.
  cellAt(clientX, clientY) {
    // From the screen's pixels to the pane's layout pixels (the page may
    // scale the window down).
    const rect = this.viewport.getBoundingClientRect();
    const scale = rect.width / (this.viewport.offsetWidth || rect.width) || 1;
    const x = (clientX - rect.left) / scale - kPaneMargin;
    const y = (clientY - rect.top) / scale - kPaneMargin;
    const row = this.m._dravelin_pane_top_row() + Math.floor(y / this.lineHeight);
    return [Math.max(0, row), Math.max(0, Math.round(x / this.charWidth))];
  }

  onMouseDown(event) {
    if (event.button !== 0) return;
    event.preventDefault();
    this.focus();
    const m = this.m;
    const [row, cell] = this.cellAt(event.clientX, event.clientY);
    if (event.detail === 2) m._dravelin_pane_select_word_at(row, cell);
    else if (event.detail >= 3) m._dravelin_pane_select_line_at(row, cell);
    else m._dravelin_pane_click(row, cell, event.shiftKey ? 1 : 0);
    this.changed(false);
    if (event.detail >= 2) return;
    let lastX = event.clientX;
    let lastY = event.clientY;
    const rect = this.viewport.getBoundingClientRect();
    const extendTo = () => {
      const [r, c] = this.cellAt(lastX, lastY);
      m._dravelin_pane_click(r, c, 1);
      this.changed(false);
    };
    const timer = setInterval(() => {
      // Dragging above or below the pane scrolls it.
      if (lastY < rect.top) this.scrollBy(-1);
      else if (lastY > rect.bottom) this.scrollBy(1);
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
    const m = this.m;
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key;
    // Tab and Shift+Tab leave the pane, as from any other control; a key an
    // input method takes (229) reaches the pane as its text.
    if (key === 'Tab' || event.isComposing || this.composing || event.keyCode === 229) return;
    const moves = kPaneMoveKeys[key];
    let readLine = false;
    if (moves && !event.altKey) {
      const move = moves[ctrl ? 1 : 0];
      // (The browser's own moves would take its caret away from the model's.)
      if (move !== null) m._dravelin_pane_move(move, event.shiftKey ? 1 : 0);
    } else if (ctrl && !event.altKey) {
      const letter = key.toLowerCase();
      if (letter === 'a') m._dravelin_pane_select_all();
      else if (letter === 'z' && !event.shiftKey) readLine = m._dravelin_pane_undo();
      else if (letter === 'y' || (letter === 'z' && event.shiftKey)) {
        readLine = m._dravelin_pane_redo();
      } else return;  // the clipboard's keys, and the page's own
    } else if (key === 'Backspace') {
      m._dravelin_pane_backspace();
    } else if (key === 'Delete') {
      m._dravelin_pane_delete_forward();
    } else if (key === 'Enter') {
      this.type('\n');
    } else if ([...key].length === 1 && !(event.metaKey || (event.ctrlKey && !event.altKey))) {
      // A character (AltGr, which some systems report as Ctrl+Alt, types too).
      this.type(key);
    } else {
      return;
    }
    event.preventDefault();
    this.changed(readLine);
  }

  onCopy(event, cut) {
    event.preventDefault();
    event.clipboardData.setData('text/plain', this.selectedText());
    if (cut) {
      this.m._dravelin_pane_delete_selection();
      this.changed(false);
    }
  }

  onPaste(event) {
    event.preventDefault();
    this.type(event.clipboardData.getData('text/plain').replace(/\r\n?/g, '\n'));
  }

  // Typing that no key press brings (an on-screen keyboard, dictation, an
  // input method's committed text, Backspace and Enter of a phone's
  // keyboard) becomes the model's edit, and the browser changes nothing. A
  // composition, and a replacement of text away from the caret (an
  // autocorrection), the browser makes in the rows itself; they are read
  // back afterwards (readBack).
  onBeforeInput(event) {
    const type = event.inputType;
    if (this.composing || event.isComposing || type.includes('Composition')) return;
    const ranges = event.getTargetRanges ? event.getTargetRanges() : [];
    if (type.startsWith('insert') && !ranges.every((r) => r.collapsed)) return;
    const m = this.m;
    let readLine = false;
    switch (type) {
      case 'insertText':
      case 'insertReplacementText':
      case 'insertFromPaste':
      case 'insertFromDrop': {
        const data = event.data ?? (event.dataTransfer && event.dataTransfer.getData('text/plain'));
        this.type((data || '').replace(/\r\n?/g, '\n'));
        break;
      }
      case 'insertLineBreak':
      case 'insertParagraph':
        this.type('\n');
        break;
      case 'deleteContentBackward':
        m._dravelin_pane_backspace();
        break;
      case 'deleteContentForward':
        m._dravelin_pane_delete_forward();
        break;
      case 'historyUndo':
        readLine = m._dravelin_pane_undo();
        break;
      case 'historyRedo':
        readLine = m._dravelin_pane_redo();
        break;
      default:  // formatting and the like: the pane has none
        break;
    }
    event.preventDefault();
    if (!event.cancelable) this.routedAnyway = true;
    this.changed(readLine);
  }

  onInput() {
    if (this.composing) return;
    if (this.routedAnyway) {
      this.routedAnyway = false;
      this.paint();
      return;
    }
    const composed = this.composed;
    this.composed = null;
    this.readBack(composed);
  }

  onCompositionStart() {
    if (this.composed !== null) this.onInput();  // the last one, not yet read back
    this.composing = true;
  }

  // Some browsers change the rows for the last time after this event, with
  // an "input" event; the rows are read back there, or else right after.
  onCompositionEnd(event) {
    this.composing = false;
    this.composed = event.data || '';
    setTimeout(() => { if (this.composed !== null && !this.composing) this.onInput(); }, 0);
  }

  // Turns what the browser changed in the rows into the model's edit, then
  // paints the rows over. One changed row: the text between its unchanged
  // start and end replaces what stood there (an insertion at the caret
  // replaces the selection, as a typed key does). Text outside every row
  // (the caret's row was out of sight) is typed at the caret; so is the
  // text of a composition that left the rows as they were.
  readBack(composed) {
    const changed = this.painted.filter((p) => p.div.parentNode !== this.rowsBox ||
                                               p.div.textContent !== p.text);
    const rowDivs = new Set(this.painted.map((p) => p.div));
    const outside = [...this.rowsBox.childNodes].filter((n) => !rowDivs.has(n))
                                                .map((n) => n.textContent).join('');
    if (changed.length === 1 && outside === '' && changed[0].div.parentNode === this.rowsBox) {
      this.replaceInRow(changed[0]);
    } else if (changed.length === 0 && outside !== '') {
      this.type(outside);
    } else if (composed) {
      // Rows left as they were, or changed past reading: the composition.
      this.type(composed);
    }
    this.paint();
  }

  replaceInRow({ row, div, text: before }) {
    const m = this.m;
    const after = div.textContent;
    const caret = this.paintedCaret && this.paintedCaret.row === row ? this.paintedCaret.unit
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
      const cell = (unit) => Array.from(before.slice(0, unit)).length;
      m._dravelin_pane_click(row, cell(start), 0);
      m._dravelin_pane_click(row, cell(removedTo), 1);
      if (!inserted) m._dravelin_pane_delete_selection();
    }
    this.type(inserted);
  }

  // The rows in sight end `pixels` above the pane's foot.
  cover(pixels) {
    this.covered = pixels;
    this.measure();
    this.queuePaint();
  }

  focus() { this.rowsBox.focus({ preventScroll: true }); this.queuePaint(); }
}

// The find bar: a query field, a match-case switch and "N of M"; the match
// found is selected in the pane and scrolled into sight. Enter and F3 go to
// the next match, Shift+Enter and Shift+F3 to the previous one, Esc closes
// the bar and gives the focus back to the pane.
class DravelinFindBar {
  constructor(pane, bar) {
    this.pane = pane;
    this.bar = bar;
    this.field = bar.querySelector('#FindText');
    this.matchCase = bar.querySelector('#MatchCase');
    this.count = bar.querySelector('#MatchCount');
    this.field.addEventListener('input', () => this.search(false, true));
    this.matchCase.addEventListener('change', () => this.search(false, true));
    bar.querySelector('#FindPrevious').addEventListener('click', () => this.next(true));
    bar.querySelector('#FindNext').addEventListener('click', () => this.next(false));
    bar.querySelector('#FindClose').addEventListener('click', () => this.close());
    pane.rowsBox.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' && !e.isComposing && !this.bar.hidden) this.close();
    });
    bar.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') {
        e.preventDefault();
        this.close();
      } else if (e.key === 'Enter' && e.target === this.field) {
        e.preventDefault();
        this.next(e.shiftKey);
      }
    });
  }

  // Opens the bar with the focus in its field; a selection within one line
  // is what the user wants to find.
  open() {
    const [from, to] = this.pane.selection();
    const selected = this.pane.selectedText();
    if (to > from && to - from <= 200 && !selected.includes('\n')) this.field.value = selected;
    this.bar.hidden = false;
    this.pane.cover(this.bar.offsetHeight);
    this.field.focus();
    this.field.select();
  }

  close() {
    this.bar.hidden = true;
    this.pane.cover(0);
    this.pane.focus();
  }

  // The next match (the previous with `backward`); with an empty query the
  // bar opens instead.
  next(backward) {
    if (this.bar.hidden || this.field.value === '') {
      this.open();
      if (this.field.value === '') return;
    }
    this.search(backward, false);
  }

  search(backward, fromSelectionStart) {
    const m = this.pane.m;
    const query = this.field.value;
    const found = this.pane.withText(query, (at, n) => m._dravelin_pane_find(
        at, n, this.matchCase.checked ? 1 : 0, backward ? 1 : 0, fromSelectionStart ? 1 : 0));
    const number = m._dravelin_pane_found_number();
    const count = m._dravelin_pane_found_count();
    this.count.textContent = query === '' ? '' : !found ? 'No matches' : number + ' of ' + count;
    this.pane.changed(false);
  }
}

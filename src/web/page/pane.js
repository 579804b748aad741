// The text pane's view. The pane model (src/pane, in the core's worker
// beside the core that writes the report's lines into it:
// src/web/worker_pane.cc) holds the text, the rows, the caret, the selection
// and the undo history; this file paints the views the worker posts (the
// rows in sight, the caret, the selection), sends keys, the mouse, the wheel
// and the clipboard to the model as calls (protocol.js, paneCalls), and
// shows assistive technologies the rows in sight as the
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

// Edits the browser asks for with an input event, as calls of the model.
const kPaneInputCalls = Object.freeze({
  deleteContentBackward: 'backspace',
  deleteContentForward: 'deleteForward',
  historyUndo: 'undo',
  historyRedo: 'redo',
});

// The margin around the rows, in pixels.
const kPaneMargin = 2;
// Browsers cap an element's height: a long pane maps its rows onto a scroll
// range of at most this many pixels.
const kPaneMaxScrollPixels = 8000000;

// What the pane shows before the worker's first view.
const kPaneEmptyView = Object.freeze({
  top: 0, rowCount: 0, lastTopRow: 0, rows: [], caretRow: 0, caretCell: 0, caretLine: 0,
  caretLineText: '', lineCount: 0, characterCount: 0, caret: 0, anchor: 0, selectedText: '',
  readLine: false, search: null, input: false,
});

class DravelinPane {
  // `post` sends a message of protocol.js ([message, transfer]) to the worker.
  constructor(element, post) {
    this.element = element;
    this.post = post;
    this.view = kPaneEmptyView;
    this.paintQueued = false;
    // Calls not yet sent (they go together at the end of the current task),
    // requests the worker has not answered yet, and the answers awaited by id.
    this.calls = [];
    this.unanswered = 0;
    this.answers = new Map();
    this.nextQuery = 1;
    // Called with a find's { found, number, count, text } when its view
    // arrives.
    this.onSearch = null;
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

  // --- The model, in the worker --------------------------------------------

  // One call of the model (protocol.js, paneCalls); the calls of one task
  // travel together and are answered with one view.
  call(name, ...args) {
    if (this.calls.length === 0) queueMicrotask(() => this.sendCalls());
    this.calls.push([name, ...args]);
  }

  sendCalls() {
    if (this.calls.length === 0) return;
    ++this.unanswered;
    this.post(DravelinProtocol.toWorker.paneInput(this.calls));
    this.calls = [];
  }

  // A text of the model (protocol.js, paneQuery), after the calls made so far.
  query(what, line = 0) {
    this.sendCalls();
    const id = this.nextQuery++;
    ++this.unanswered;
    this.post(DravelinProtocol.toWorker.paneQuery(id, what, line));
    return new Promise((resolve) => this.answers.set(id, resolve));
  }

  // Calls or queries still on their way.
  busy() { return this.unanswered > 0 || this.calls.length > 0; }

  // A view from the worker: after the user's calls, or after the core
  // changed the text.
  show(view) {
    if (view.input) --this.unanswered;
    // A view without the selection's text keeps the one the page holds.
    if (!Object.hasOwn(view, 'selectedText')) view.selectedText = this.view.selectedText;
    this.view = view;
    if (view.readLine) this.saidLine = -1;  // an undo or redo: read the line again
    if (view.search && this.onSearch) this.onSearch(view.search);
    this.queuePaint();
  }

  answer(id, text) {
    const resolve = this.answers.get(id);
    if (!resolve) return;
    this.answers.delete(id);
    --this.unanswered;
    resolve(text);
  }

  // --- What assistive technologies and the tests read ------------------------

  // As of the last view.
  lineCount() { return this.view.lineCount; }
  characterCount() { return this.view.characterCount; }
  caretOffset() { return this.view.caret; }
  // The selection's offsets, from its start to its end (equal: none).
  selection() {
    const { caret, anchor } = this.view;
    return [Math.min(caret, anchor), Math.max(caret, anchor)];
  }
  // Promises of texts, after the calls made so far: line i (null past the
  // last), the whole text.
  line(i) { return this.query('line', i); }
  text() { return this.query('all'); }

  // --- The view --------------------------------------------------------------

  measure() {
    const probe = document.createElement('span');
    probe.className = 'pane-probe';
    probe.setAttribute('aria-hidden', 'true');
    probe.textContent = 'M'.repeat(100);
    this.rowsBox.append(probe);
    // Layout pixels, not the screen's, should anything scale the pane.
    this.charWidth = probe.offsetWidth / 100 || 7;
    probe.remove();
    this.lineHeight = parseFloat(getComputedStyle(this.rowsBox).lineHeight) || 14;
    const columns = Math.floor((this.element.clientWidth - 2 * kPaneMargin) / this.charWidth);
    const rows = Math.floor((this.element.clientHeight - this.covered - 2 * kPaneMargin) /
                            this.lineHeight);
    this.call('view', Math.max(1, columns), Math.max(1, rows), this.shownRows());
  }

  // The rows painted: those in sight, the last perhaps cut off.
  shownRows() {
    return Math.max(1, Math.ceil((this.element.clientHeight - kPaneMargin) / this.lineHeight));
  }

  // The scroll bar's pixels for the model's rows.
  scrollGeometry() {
    const view = this.element.clientHeight;
    const height = Math.min(this.view.rowCount * this.lineHeight + 2 * kPaneMargin,
                            kPaneMaxScrollPixels);
    return { range: Math.max(0, height - view), lastTop: this.view.lastTopRow };
  }

  onScroll() {
    const top = this.element.scrollTop;
    if (top === this.shownScrollTop) return;  // the page moved the bar itself
    const g = this.scrollGeometry();
    this.barRow = g.range > 0 ? Math.round(Math.min(1, top / g.range) * g.lastTop) : 0;
    this.shownScrollTop = top;
    this.call('scrollTo', this.barRow);
  }

  scrollBy(rows) { this.call('scrollBy', rows); }

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
    const view = this.view;
    const g = this.scrollGeometry();
    this.spacer.style.height = g.range + 'px';
    const top = view.top;
    // The bar follows the rows in sight, once the model has taken the
    // user's last scroll (until then this view is older than the bar).
    if (!this.busy()) {
      if (this.barRow !== top) {
        this.element.scrollTop = g.lastTop > 0 ? Math.round(top / g.lastTop * g.range) : 0;
        this.shownScrollTop = this.element.scrollTop;
      }
      this.barRow = null;
    }
    const shown = Math.min(view.rows.length, this.shownRows());
    const caretRow = view.caretRow;
    const fragment = document.createDocumentFragment();
    let caretRowBox = null;
    this.painted = [];
    this.paintedCaret = null;
    for (let i = 0; i < shown; ++i) {
      const row = top + i;
      const { text, from, to } = view.rows[i];
      const div = document.createElement('div');
      div.className = 'pane-row';
      div.style.top = (kPaneMargin + i * this.lineHeight) + 'px';
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
        const cell = view.caretCell;
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
      const left = kPaneMargin + view.caretCell * this.charWidth;
      this.caretBox.style.left = left + 'px';
    } else {
      this.rowsBox.removeAttribute('aria-activedescendant');
      this.caretBox.style.display = 'none';
    }
    if (focused) this.placeDomCaret(caretRowBox);
    if (focused && view.caretLine !== this.saidLine) {
      this.saidLine = view.caretLine;
      this.said.textContent = view.caretLineText || 'blank';
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

  type(text) {
    if (text) this.call('type', text);
  }

  // The row and cell under a point of the screen.
  cellAt(clientX, clientY) {
    // From the screen's pixels to the pane's layout pixels (the same, unless
    // something scales the pane).
    const rect = this.viewport.getBoundingClientRect();
    const scale = rect.width / (this.viewport.offsetWidth || rect.width) || 1;
    const x = (clientX - rect.left) / scale - kPaneMargin;
    const y = (clientY - rect.top) / scale - kPaneMargin;
    const row = this.view.top + Math.floor(y / this.lineHeight);
    return [Math.max(0, row), Math.max(0, Math.round(x / this.charWidth))];
  }

  onMouseDown(event) {
    if (event.button !== 0) return;
    event.preventDefault();
    this.focus();
    const [row, cell] = this.cellAt(event.clientX, event.clientY);
    if (event.detail === 2) this.call('selectWordAt', row, cell);
    else if (event.detail >= 3) this.call('selectLineAt', row, cell);
    else this.call('click', row, cell, event.shiftKey);
    if (event.detail >= 2) return;
    let lastX = event.clientX;
    let lastY = event.clientY;
    const rect = this.viewport.getBoundingClientRect();
    const extendTo = () => {
      const [r, c] = this.cellAt(lastX, lastY);
      this.call('click', r, c, true);
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
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key;
    // Tab and Shift+Tab leave the pane, as from any other control; a key an
    // input method takes (229) reaches the pane as its text.
    if (key === 'Tab' || event.isComposing || this.composing || event.keyCode === 229) return;
    const moves = kPaneMoveKeys[key];
    if (moves && !event.altKey) {
      const move = moves[ctrl ? 1 : 0];
      // (The browser's own moves would take its caret away from the model's.)
      if (move !== null) this.call('move', move, event.shiftKey);
    } else if (ctrl && !event.altKey) {
      const letter = key.toLowerCase();
      if (letter === 'a') this.call('selectAll');
      else if (letter === 'z' && !event.shiftKey) this.call('undo');
      else if (letter === 'y' || (letter === 'z' && event.shiftKey)) this.call('redo');
      else return;  // the clipboard's keys, and the page's own
    } else if (key === 'Backspace') {
      this.call('backspace');
    } else if (key === 'Delete') {
      this.call('deleteForward');
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
    if (this.view.selectedText !== null && !this.busy()) {
      event.clipboardData.setData('text/plain', this.view.selectedText);
    } else {
      const text = this.query('selected').then((t) => t ?? '');
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
    if (cut) this.call('deleteSelection');
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
      default:  // deletions and undo as calls; formatting the pane has none of
        if (Object.hasOwn(kPaneInputCalls, type)) this.call(kPaneInputCalls[type]);
        break;
    }
    event.preventDefault();
    if (!event.cancelable) this.routedAnyway = true;
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
      this.call('click', row, cell(start), false);
      this.call('click', row, cell(removedTo), true);
      if (!inserted) this.call('deleteSelection');
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
    this.searched = [];
    pane.onSearch = (result) => this.showCount(result);
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
    const selected = this.pane.view.selectedText;
    if (to > from && to - from <= 200 && selected !== null && !selected.includes('\n')) {
      this.field.value = selected;
    }
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

  // The next match (the previous with `backward`), the bar left open or
  // closed as it is and the focus where it is; with an empty query the bar
  // opens instead.
  next(backward) {
    if (this.field.value === '') {
      this.open();
      return;
    }
    this.search(backward, false);
  }

  // The model selects the match and answers with its number; the queries
  // on their way wait in `searched`, answered in the order they were sent.
  search(backward, fromSelectionStart) {
    const query = this.field.value;
    this.searched.push(query);
    this.pane.call('find', query, this.matchCase.checked, backward, fromSelectionStart);
  }

  // The count is a live status: a screen reader announces each one, a
  // count shown again too (it is taken out first, so that it changes).
  showCount({ text }) {
    this.searched.shift();
    if (this.count.textContent === text && text !== '') this.count.textContent = '';
    this.count.textContent = text;
  }
}

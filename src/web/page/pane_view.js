// The text pane's view. The pane model (src/pane, in the core's worker
// beside the core that writes the report's lines into it:
// src/web/worker_pane.cc) holds the text, the rows, the caret, the selection
// and the undo history; this file sends the model its calls (protocol.js,
// paneCalls), paints the views the worker posts back (the rows in sight, the
// caret, the selection), and shows assistive technologies the rows in sight
// as the text of a multi-line text box named "Report", reading out the
// caret's line as it moves. The text box is editable, so that every way of
// typing reaches it (on-screen keyboards, input methods, dictation);
// pane_input.js turns the keys, the mouse, the clipboard and what the browser
// would change in the rows into calls of the model.
'use strict';

// The margin around the rows, in pixels.
const kPaneMargin = 2;
// Browsers cap an element's height: a long pane maps its rows onto a scroll
// range of at most this many pixels.
const kPaneMaxScrollPixels = 8000000;

// What the pane shows before the worker's first view (src/web/page_pane.h
// describes a view).
const kPaneEmptyView = Object.freeze({
  top: 0, rowCount: 0, lastTopRow: 0, rows: [], caretRow: 0, caretCell: 0, caretUnit: 0,
  caretLine: 0, caretLineText: '', readLine: false, selectedText: '', findSeed: null,
  findCount: '', searched: false, input: false,
});

class DravelinPane {
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
    // Called with each view's find count, and whether a search made it.
    this.onFindCount = null;
    // The top row that the scroll bar's position stands for, while the user
    // holds the bar there.
    this.barRow = null;
    this.wheelRows = 0;
    this.saidLine = -1;
    // The pixels at the pane's foot that the find bar covers.
    this.covered = 0;
    // The rows as last painted ({ row, div, text }) and the caret's place in
    // them ({ row, unit }), against which an edit of the browser's own is
    // read back (pane_input.js).
    this.painted = [];
    this.paintedCaret = null;
    // While an input method composes, the browser edits the rows itself and
    // the pane does not paint over them.
    this.composing = false;
    // The id of the caret's row, which the text box names as its active
    // descendant: one of its own for each pane of the page.
    this.caretRowId = 'PaneCaretRow';

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

  // A promise of what the model answers a query (protocol.js, paneQueries),
  // after the calls made so far.
  query(what, ...args) {
    this.sendCalls();
    const id = this.nextQuery++;
    ++this.unanswered;
    this.post(DravelinProtocol.toWorker.paneQuery(id, what, ...args));
    return new Promise((resolve) => this.answers.set(id, resolve));
  }

  // Calls or queries still on their way.
  busy() { return this.unanswered > 0 || this.calls.length > 0; }

  // A view from the worker: after the user's calls, or after the core
  // changed the text.
  show(view) {
    if (view.input) --this.unanswered;
    // A view without the selection's text keeps what the page holds of it.
    if (!Object.hasOwn(view, 'selectedText')) {
      view.selectedText = this.view.selectedText;
      view.findSeed = this.view.findSeed;
    }
    this.view = view;
    if (view.readLine) this.saidLine = -1;  // an undo or redo: read the line again
    if (this.onFindCount) this.onFindCount(view.findCount, view.searched);
    this.queuePaint();
  }

  answer(id, answer) {
    const resolve = this.answers.get(id);
    if (!resolve) return;
    this.answers.delete(id);
    --this.unanswered;
    resolve(answer);
  }

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
      // The selected UTF-16 units [from, to) of the row's text.
      const { text, from, to } = view.rows[i];
      const div = document.createElement('div');
      div.className = 'pane-row';
      div.style.top = (kPaneMargin + i * this.lineHeight) + 'px';
      if (from < to) {
        // A selected line break shows as one more selected cell.
        const selected = document.createElement('span');
        selected.className = 'pane-selected';
        selected.textContent = text.slice(from, to) + (to > text.length ? ' ' : '');
        div.append(text.slice(0, from), selected, text.slice(to));
      } else {
        div.textContent = text;
      }
      if (row === caretRow) {
        div.id = this.caretRowId;
        caretRowBox = div;
        this.paintedCaret = { row, unit: view.caretUnit };
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

  // The rows in sight end `pixels` above the pane's foot.
  cover(pixels) {
    this.covered = pixels;
    this.measure();
    this.queuePaint();
  }

  focus() { this.rowsBox.focus({ preventScroll: true }); this.queuePaint(); }
}

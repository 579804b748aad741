// The text pane: holds any number of lines (a report of two million lines
// included) and paints only the rows in view. Report lines stay in the byte
// batches they arrived in, with each line's place in typed arrays; a line
// becomes a string only when it is painted or copied. The pane's lines are a
// list of references to those lines or to strings the user typed, and a
// prefix sum of each line's row count (long lines wrap at the pane's width,
// at a blank where there is one) maps scroll positions to lines. Selection,
// caret, typing and the clipboard are handled here, since only the visible
// rows exist in the document.
'use strict';

class DravelinPane {
  constructor(element) {
    this.element = element;
    this.resetStore();
    this.edits = [''];  // the designed pane starts with one empty line
    this.doc = new Int32Array(1024);
    this.doc[0] = -1;
    this.count = 1;
    this.rowStart = new Float64Array(1024);  // rowStart[i]: rows before line i
    this.rowsValidTo = 0;  // rowStart[0..rowsValidTo] are current
    this.cols = 80;
    this.anchor = { line: 0, col: 0 };
    this.caret = { line: 0, col: 0 };
    // The column that Up and Down keep to while they pass shorter rows
    // (null after any other move).
    this.goalCol = null;
    this.paintQueued = false;
    this.followEnd = false;
    // The row at the top of the view (it may be fractional). A long pane
    // maps many rows onto one pixel of the scroll range, so the row is kept
    // here, exactly, and the scroll bar only follows it; moving the scroll
    // bar itself sets it from the bar's position.
    this.topRow = 0;
    this.shownScrollTop = 0;

    element.classList.add('pane');
    element.tabIndex = -1;
    this.viewport = document.createElement('div');
    this.viewport.className = 'pane-viewport';
    this.rowsBox = document.createElement('div');
    this.rowsBox.className = 'pane-rows';
    this.caretBox = document.createElement('div');
    this.caretBox.className = 'pane-caret';
    this.input = document.createElement('textarea');
    this.input.className = 'pane-input';
    this.input.setAttribute('aria-label', 'Report text');
    this.input.spellcheck = false;
    this.input.autocomplete = 'off';
    this.viewport.append(this.rowsBox, this.caretBox, this.input);
    this.spacer = document.createElement('div');
    this.spacer.className = 'pane-spacer';
    element.append(this.viewport, this.spacer);

    this.measure();
    element.addEventListener('scroll', () => {
      if (element.scrollTop !== this.shownScrollTop) {  // the user moved the bar
        this.shownScrollTop = element.scrollTop;
        this.topRow = this.firstRowAt(element.scrollTop, this.scrollGeometry());
        this.followEnd = false;
      }
      this.queuePaint();
    });
    new ResizeObserver(() => { this.measure(); this.invalidateRows(0); this.queuePaint(); })
        .observe(element);
    this.viewport.addEventListener('mousedown', (e) => this.onMouseDown(e));
    this.input.addEventListener('keydown', (e) => this.onKeyDown(e));
    this.input.addEventListener('input', () => this.onInput());
    this.input.addEventListener('copy', (e) => this.onCopy(e, false));
    this.input.addEventListener('cut', (e) => this.onCopy(e, true));
    this.input.addEventListener('paste', (e) => this.onPaste(e));
    this.input.addEventListener('focus', () => this.queuePaint());
    this.input.addEventListener('blur', () => this.queuePaint());
    element.addEventListener('wheel', (e) => this.onWheel(e));
    this.queuePaint();
  }

  // --- Content -------------------------------------------------------------

  // The lines that reports append, kept as the bytes they arrived in: a
  // batch is { bytes, ends, first, lens }, where its line j (store line
  // first + j) runs from just after line j - 1's CR LF (from 0 for j = 0) to
  // ends[j], and lens[j] is its length in characters (lens is null when
  // every byte is ASCII: then the length is the byte count).
  resetStore() {
    this.chunks = [];
    this.stored = 0;
  }

  // The batch that holds store line `ref`.
  chunkOf(ref) {
    const chunks = this.chunks;
    let low = 0;
    let high = chunks.length - 1;
    while (low < high) {
      const mid = (low + high + 1) >> 1;
      if (chunks[mid].first <= ref) low = mid; else high = mid - 1;
    }
    return chunks[low];
  }

  static grow(array, size) {
    if (array.length >= size) return array;
    let length = array.length;
    while (length < size) length *= 2;
    const grown = new array.constructor(length);
    grown.set(array);
    return grown;
  }

  // The pane's line i: a store line (doc[i] >= 0) or typed text
  // (edits[-doc[i] - 1]).
  line(i) {
    const ref = this.doc[i];
    if (ref < 0) return this.edits[-ref - 1];
    const c = this.chunkOf(ref);
    const j = ref - c.first;
    const bytes = c.bytes.subarray(j === 0 ? 0 : c.ends[j - 1] + 2, c.ends[j]);
    if (c.lens === null && bytes.length < 4096) return String.fromCharCode.apply(null, bytes);
    return DravelinPane.decode(bytes);
  }

  lineLength(i) {
    const ref = this.doc[i];
    if (ref < 0) return this.edits[-ref - 1].length;
    const c = this.chunkOf(ref);
    const j = ref - c.first;
    return c.lens !== null ? c.lens[j] : c.ends[j] - (j === 0 ? 0 : c.ends[j - 1] + 2);
  }

  // Replaces `remove` lines at `at` by lines of typed text.
  spliceLines(at, remove, texts) {
    const added = texts.length - remove;
    this.doc = DravelinPane.grow(this.doc, this.count + added);
    this.doc.copyWithin(at + texts.length, at + remove, this.count);
    for (let k = 0; k < texts.length; ++k) {
      this.edits.push(texts[k]);
      this.doc[at + k] = -this.edits.length;
    }
    this.count += added;
  }

  // Empties the pane.
  clear() {
    this.resetStore();
    this.edits = [];
    this.count = 0;
    this.setCaret({ line: 0, col: 0 }, false);
    this.invalidateRows(0);
    this.topRow = 0;
    this.shownScrollTop = this.element.scrollTop = 0;
    this.queuePaint();
  }

  // Appends report lines: `bytes` holds one or more lines, each followed by
  // CR LF, whose CRs lie at the offsets `ends`; `ascii` says that every
  // byte is below 0x80. Moves the caret to the end, as a report does.
  appendBytes(bytes, ends, ascii) {
    const lines = ends.length;
    const first = this.stored;
    const chunk = { bytes, ends, first, lens: null };
    if (!ascii) {
      const lens = new Int32Array(lines);
      let start = 0;
      for (let j = 0; j < lines; ++j) {
        const end = ends[j];
        let high = 0;
        for (let i = start; i < end; ++i) high |= bytes[i];
        lens[j] = high < 0x80 ? end - start : DravelinPane.decode(bytes.subarray(start, end)).length;
        start = end + 2;
      }
      chunk.lens = lens;
    }
    this.chunks.push(chunk);
    this.stored = first + lines;
    const before = this.count;
    this.doc = DravelinPane.grow(this.doc, before + lines);
    const doc = this.doc;
    for (let j = 0; j < lines; ++j) doc[before + j] = first + j;
    this.count = before + lines;
    if (this.rowsValidTo === before) {
      // The rows of the new lines straight from their lengths.
      this.rowStart = DravelinPane.grow(this.rowStart, this.count + 1);
      const rowStart = this.rowStart;
      const cols = this.cols;
      let rows = rowStart[before];
      let start = 0;
      for (let j = 0; j < lines; ++j) {
        const length = ascii ? ends[j] - start : chunk.lens[j];
        rows += length <= cols ? 1 : this.rowsOf(this.line(before + j));
        rowStart[before + j + 1] = rows;
        start = ends[j] + 2;
      }
      this.rowsValidTo = this.count;
    }
    const last = this.count - 1;
    this.setCaret({ line: last, col: this.lineLength(last) }, false);
    this.followEnd = true;
    this.queuePaint();
  }

  // The whole text, lines joined with "\n".
  text() {
    if (this.edits.length === 0) {
      // Only report lines, in the order they arrived: whole batches at once.
      return this.chunks.map((chunk) => DravelinPane.chunkText(chunk)).join('\n');
    }
    const parts = new Array(this.count);
    for (let i = 0; i < this.count; ++i) parts[i] = this.line(i);
    return parts.join('\n');
  }

  // A batch's lines joined with "\n": the batch decoded at once when that
  // is the same, line by line otherwise.
  static chunkText(chunk) {
    const { bytes, ends, lens } = chunk;
    let whole = null;
    if (lens === null) {
      whole = DravelinPane.ascii.decode(bytes);
    } else {
      try { whole = DravelinPane.utf8.decode(bytes); } catch (e) { /* not UTF-8 throughout */ }
    }
    if (whole !== null) {
      let breaks = 0;
      for (let at = whole.indexOf('\n'); at >= 0; at = whole.indexOf('\n', at + 1)) ++breaks;
      // When the only LFs are those after each line, so are the CR LFs.
      if (breaks === ends.length) return whole.slice(0, -2).replaceAll('\r\n', '\n');
    }
    const parts = new Array(ends.length);
    let start = 0;
    for (let j = 0; j < ends.length; ++j) {
      parts[j] = DravelinPane.decode(bytes.subarray(start, ends[j]));
      start = ends[j] + 2;
    }
    return parts.join('\n');
  }

  lineCount() { return this.count; }

  // --- Rows ----------------------------------------------------------------

  measure() {
    const probe = document.createElement('span');
    probe.className = 'pane-probe';
    probe.textContent = 'M'.repeat(100);
    this.rowsBox.append(probe);
    // Layout pixels, not the screen's: the page may scale the window down.
    const width100 = probe.offsetWidth;
    probe.remove();
    this.charWidth = width100 / 100 || 7;
    this.lineHeight = parseFloat(getComputedStyle(this.rowsBox).lineHeight) || 14;
    const width = this.element.clientWidth - 4;  // the rows' left and right margin
    this.cols = Math.max(1, Math.floor(width / this.charWidth));
  }

  invalidateRows(fromLine) {
    if (this.rowsValidTo > fromLine) this.rowsValidTo = fromLine;
  }

  // Where a line breaks into rows: the start of every row after the first.
  // A row ends after the last blank that fits, or at the width when none does.
  wrapPoints(text) {
    const cols = this.cols;
    const points = [];
    let start = 0;
    while (text.length - start > cols) {
      const space = text.lastIndexOf(' ', start + cols - 1);
      const end = space >= start ? space + 1 : start + cols;
      points.push(end);
      start = end;
    }
    return points;
  }

  rowsOf(text) {
    return text.length <= this.cols ? 1 : this.wrapPoints(text).length + 1;
  }

  ensureRows() {
    const n = this.count;
    this.rowStart = DravelinPane.grow(this.rowStart, n + 1);
    const rowStart = this.rowStart;
    const cols = this.cols;
    let rows = rowStart[this.rowsValidTo];
    for (let i = this.rowsValidTo; i < n; ++i) {
      rows += this.lineLength(i) <= cols ? 1 : this.rowsOf(this.line(i));
      rowStart[i + 1] = rows;
    }
    this.rowsValidTo = n;
  }

  totalRows() {
    this.ensureRows();
    return this.rowStart[this.count];
  }

  // The line that holds row `row`.
  lineOfRow(row) {
    let low = 0;
    let high = this.count - 1;
    while (low < high) {
      const mid = (low + high + 1) >> 1;
      if (this.rowStart[mid] <= row) low = mid; else high = mid - 1;
    }
    return low;
  }

  // Rows of the scroll range: browsers cap an element's height, so a long
  // pane maps its rows onto a shorter scroll range.
  static get kMaxScrollPixels() { return 8000000; }

  scrollGeometry() {
    const total = this.totalRows();
    const view = this.element.clientHeight;
    const viewRows = view / this.lineHeight;
    const natural = total * this.lineHeight + 4;
    const height = Math.min(natural, DravelinPane.kMaxScrollPixels);
    const range = Math.max(0, height - view);
    const rowRange = Math.max(0, total - viewRows + 4 / this.lineHeight);
    return { total, view, viewRows, height, range, rowRange };
  }

  firstRowAt(scrollTop, geometry) {
    if (geometry.range <= 0) return 0;
    return Math.min(1, scrollTop / geometry.range) * geometry.rowRange;
  }

  // Puts row `row` at the top of the view (as far as the pane reaches).
  scrollToRow(row, geometry) {
    this.topRow = Math.max(0, Math.min(geometry.rowRange, row));
    const top = geometry.rowRange <= 0 ? 0
                                       : Math.round(this.topRow / geometry.rowRange * geometry.range);
    this.element.scrollTop = top;
    this.shownScrollTop = this.element.scrollTop;
    this.queuePaint();
  }

  // The wheel scrolls by rows, the same number at any pane length.
  onWheel(event) {
    if (event.ctrlKey || event.deltaY === 0) return;  // zooming, or sideways
    event.preventDefault();
    this.followEnd = false;
    const g = this.scrollGeometry();
    const rows = event.deltaMode === 1 ? event.deltaY
               : event.deltaMode === 2 ? event.deltaY * Math.max(1, Math.floor(g.viewRows) - 1)
               : event.deltaY / this.lineHeight;
    this.scrollToRow(this.topRow + rows, g);
  }

  // --- Painting ------------------------------------------------------------

  queuePaint() {
    if (this.paintQueued) return;
    this.paintQueued = true;
    requestAnimationFrame(() => { this.paintQueued = false; this.paint(); });
  }

  paint() {
    const g = this.scrollGeometry();
    this.spacer.style.height = Math.max(0, g.height - g.view) + 'px';
    if (this.followEnd) {
      this.topRow = g.rowRange;
      this.shownScrollTop = this.element.scrollTop = g.range;
    }
    this.topRow = Math.max(0, Math.min(g.rowRange, this.topRow));
    const first = this.topRow;
    const firstRow = Math.floor(first);
    const offset = -(first - firstRow) * this.lineHeight + 2;
    const count = Math.ceil(g.viewRows) + 2;
    const [selStart, selEnd] = this.orderedSelection();
    const hasSelection = this.comparePos(selStart, selEnd) !== 0;
    const fragment = document.createDocumentFragment();
    let line = this.count > 0 ? this.lineOfRow(firstRow) : 0;
    let row = firstRow;
    let caretTop = null;
    let caretLeft = 0;
    while (line < this.count && row < firstRow + count) {
      const text = this.line(line);
      const points = text.length <= this.cols ? [] : this.wrapPoints(text);
      const lineRow = this.rowStart[line];
      for (let part = row - lineRow; part <= points.length && row < firstRow + count; ++part, ++row) {
        const start = part === 0 ? 0 : points[part - 1];
        const end = part < points.length ? points[part] : text.length;
        const div = document.createElement('div');
        div.className = 'pane-row';
        div.style.top = (offset + (row - firstRow) * this.lineHeight) + 'px';
        let a = -1;
        let b = -1;
        let lineBreak = false;
        if (hasSelection && line >= selStart.line && line <= selEnd.line) {
          a = line === selStart.line ? Math.max(start, selStart.col) : start;
          b = line === selEnd.line ? Math.min(end, selEnd.col) : end;
          // A selected line break shows as one selected blank.
          lineBreak = line < selEnd.line && part === points.length && a <= end;
        }
        if (a >= 0 && (a < b || lineBreak)) {
          const selected = document.createElement('span');
          selected.className = 'pane-selected';
          selected.textContent = text.slice(a, Math.max(a, b)) + (lineBreak ? ' ' : '');
          div.append(text.slice(start, a), selected, text.slice(Math.max(a, b), end));
        } else {
          div.textContent = text.slice(start, end);
        }
        fragment.append(div);
        if (line === this.caret.line && this.caret.col >= start &&
            (this.caret.col < end || part === points.length)) {
          caretTop = offset + (row - firstRow) * this.lineHeight;
          caretLeft = 2 + (this.caret.col - start) * this.charWidth;
        }
      }
      ++line;
    }
    this.rowsBox.replaceChildren(fragment);
    const focused = document.activeElement === this.input;
    if (caretTop !== null) {
      this.caretBox.style.display = focused ? 'block' : 'none';
      this.caretBox.style.top = caretTop + 'px';
      this.caretBox.style.left = caretLeft + 'px';
      this.input.style.top = caretTop + 'px';
      this.input.style.left = caretLeft + 'px';
    } else {
      this.caretBox.style.display = 'none';
    }
  }

  // --- Caret and selection -------------------------------------------------

  comparePos(a, b) { return a.line - b.line || a.col - b.col; }

  orderedSelection() {
    return this.comparePos(this.anchor, this.caret) <= 0 ? [this.anchor, this.caret]
                                                          : [this.caret, this.anchor];
  }

  clampPos(pos) {
    if (this.count === 0) return { line: 0, col: 0 };
    const line = Math.max(0, Math.min(this.count - 1, pos.line));
    return { line, col: Math.max(0, Math.min(this.lineLength(line), pos.col)) };
  }

  setCaret(pos, extend) {
    this.goalCol = null;
    this.caret = this.clampPos(pos);
    if (!extend) this.anchor = this.caret;
    this.queuePaint();
  }

  selectAll() {
    this.anchor = { line: 0, col: 0 };
    const last = Math.max(0, this.count - 1);
    this.caret = this.clampPos({ line: last, col: Infinity });
    this.queuePaint();
  }

  selectedText() {
    const [a, b] = this.orderedSelection();
    if (this.count === 0) return '';
    if (a.line === b.line) return this.line(a.line).slice(a.col, b.col);
    if (a.line === 0 && a.col === 0 && b.line === this.count - 1 &&
        b.col === this.lineLength(b.line)) {
      return this.text();
    }
    const parts = [this.line(a.line).slice(a.col)];
    for (let i = a.line + 1; i < b.line; ++i) parts.push(this.line(i));
    parts.push(this.line(b.line).slice(0, b.col));
    return parts.join('\n');
  }

  // Replaces the selection by `text` (which may hold line breaks).
  replaceSelection(text) {
    const [a, b] = this.orderedSelection();
    if (this.count === 0) this.spliceLines(0, 0, ['']);
    const head = this.line(a.line).slice(0, a.col);
    const tail = this.line(b.line).slice(b.col);
    const inserted = text.split(/\r\n|\r|\n/);
    const last = inserted.length - 1;
    const caretCol = (last === 0 ? head.length : 0) + inserted[last].length;
    inserted[0] = head + inserted[0];
    inserted[last] += tail;
    this.spliceLines(a.line, b.line - a.line + 1, inserted);
    this.invalidateRows(a.line);
    this.followEnd = false;
    this.setCaret({ line: a.line + last, col: caretCol }, false);
    this.scrollCaretIntoView();
  }

  posAt(screenX, screenY) {
    // From the screen's pixels to the pane's layout pixels (the page may
    // scale the window down).
    const rect = this.viewport.getBoundingClientRect();
    const scale = rect.width / (this.viewport.offsetWidth || rect.width) || 1;
    const clientX = rect.left + (screenX - rect.left) / scale;
    const clientY = rect.top + (screenY - rect.top) / scale;
    const g = this.scrollGeometry();
    const first = this.topRow;
    const rowFloat = first + (clientY - rect.top - 2) / this.lineHeight;
    const row = Math.max(0, Math.min(g.total - 1, Math.floor(rowFloat)));
    if (this.count === 0) return { line: 0, col: 0 };
    const line = this.lineOfRow(row);
    const text = this.line(line);
    const points = text.length <= this.cols ? [] : this.wrapPoints(text);
    const part = Math.min(points.length, row - this.rowStart[line]);
    const start = part === 0 ? 0 : points[part - 1];
    const end = part < points.length ? points[part] : text.length;
    const col = start + Math.round((clientX - rect.left - 2) / this.charWidth);
    return { line, col: Math.max(start, Math.min(end, col)) };
  }

  // The row that shows position `pos`, and its column within that row.
  rowOf(pos) {
    this.ensureRows();
    const text = this.line(pos.line);
    const points = text.length <= this.cols ? [] : this.wrapPoints(text);
    let part = 0;
    while (part < points.length && points[part] <= pos.col) ++part;
    return { row: this.rowStart[pos.line] + part, col: pos.col - (part === 0 ? 0 : points[part - 1]) };
  }

  // The position at column `col` of row `row` (both kept within the pane):
  // the row's end when it is shorter. A wrapped row ends before its break,
  // so that the position stays on that row.
  posOfRow(row, col) {
    row = Math.max(0, Math.min(this.totalRows() - 1, row));
    const line = this.lineOfRow(row);
    const text = this.line(line);
    const points = text.length <= this.cols ? [] : this.wrapPoints(text);
    const part = row - this.rowStart[line];
    const start = part === 0 ? 0 : points[part - 1];
    const last = part < points.length ? points[part] - 1 : text.length;
    return { line, col: Math.min(start + col, Math.max(start, last)) };
  }

  scrollCaretIntoView() {
    const g = this.scrollGeometry();
    const text = this.caret.line < this.count ? this.line(this.caret.line) : '';
    const points = text.length <= this.cols ? [] : this.wrapPoints(text);
    let part = 0;
    while (part < points.length && points[part] <= this.caret.col) ++part;
    const row = this.rowStart[this.caret.line] + part;
    const first = this.topRow;
    const visible = Math.floor(g.viewRows) - 1;
    if (row < first) this.scrollToRow(row, g);
    else if (row > first + visible) this.scrollToRow(row - visible, g);
    this.queuePaint();
  }

  onMouseDown(event) {
    if (event.button !== 0) return;
    event.preventDefault();
    this.input.focus({ preventScroll: true });
    this.followEnd = false;
    this.setCaret(this.posAt(event.clientX, event.clientY), event.shiftKey);
    let lastY = event.clientY;
    let lastX = event.clientX;
    const rect = this.viewport.getBoundingClientRect();
    const timer = setInterval(() => {
      // Dragging above or below the pane scrolls it.
      if (lastY < rect.top) this.scrollToRow(this.topRow - 1, this.scrollGeometry());
      else if (lastY > rect.bottom) this.scrollToRow(this.topRow + 1, this.scrollGeometry());
      else return;
      this.setCaret(this.posAt(lastX, lastY), true);
    }, 50);
    const move = (e) => {
      lastX = e.clientX;
      lastY = e.clientY;
      this.setCaret(this.posAt(e.clientX, e.clientY), true);
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
    const shift = event.shiftKey;
    const c = this.caret;
    const last = Math.max(0, this.count - 1);
    const page = Math.max(1, Math.floor(this.element.clientHeight / this.lineHeight) - 1);
    let target = null;
    let goalCol = null;
    if (ctrl && event.key.toLowerCase() === 'a') {
      event.preventDefault();
      this.selectAll();
      return;
    }
    switch (event.key) {
      case 'ArrowLeft':
        target = c.col > 0 ? { line: c.line, col: c.col - 1 }
                           : c.line > 0 ? { line: c.line - 1, col: Infinity } : c;
        break;
      case 'ArrowRight':
        target = c.col < (c.line < this.count ? this.lineLength(c.line) : 0) ? { line: c.line, col: c.col + 1 }
                                                          : { line: c.line + 1, col: 0 };
        if (c.line >= last && target.line > last) target = c;
        break;
      case 'ArrowUp':
      case 'ArrowDown':
      case 'PageUp':
      case 'PageDown': {  // by rows as shown, wrapped lines' rows included
        if (this.count === 0) { target = c; break; }
        const step = event.key.startsWith('Page') ? page : 1;
        const at = this.rowOf(c);
        const up = event.key === 'ArrowUp' || event.key === 'PageUp';
        goalCol = this.goalCol !== null ? this.goalCol : at.col;
        target = this.posOfRow(at.row + (up ? -step : step), goalCol);
        break;
      }
      case 'Home': target = ctrl ? { line: 0, col: 0 } : { line: c.line, col: 0 }; break;
      case 'End': target = ctrl ? { line: last, col: Infinity } : { line: c.line, col: Infinity };
        break;
      case 'Backspace':
      case 'Delete': {
        event.preventDefault();
        if (this.comparePos(this.anchor, this.caret) === 0) {
          const back = event.key === 'Backspace';
          const other = back ? (c.col > 0 ? { line: c.line, col: c.col - 1 }
                                           : { line: c.line - 1, col: Infinity })
                             : (c.col < (c.line < this.count ? this.lineLength(c.line) : 0)
                                    ? { line: c.line, col: c.col + 1 }
                                    : { line: c.line + 1, col: 0 });
          if (other.line < 0 || other.line > last) return;
          this.anchor = this.clampPos(other);
        }
        this.replaceSelection('');
        return;
      }
      case 'Enter':
        event.preventDefault();
        this.replaceSelection('\n');
        return;
      case 'Tab':
        event.preventDefault();
        this.replaceSelection('\t');
        return;
      default:
        return;
    }
    event.preventDefault();
    this.followEnd = false;
    this.setCaret(target, shift);
    this.goalCol = goalCol;
    this.scrollCaretIntoView();
  }

  onInput() {
    const text = this.input.value;
    this.input.value = '';
    if (text) this.replaceSelection(text);
  }

  onCopy(event, cut) {
    event.preventDefault();
    event.clipboardData.setData('text/plain', this.selectedText());
    if (cut) this.replaceSelection('');
  }

  onPaste(event) {
    event.preventDefault();
    this.replaceSelection(event.clipboardData.getData('text/plain'));
  }

  // A line as the page shows the program's text: valid UTF-8 as such (bank
  // names come from UTF-8 file names), anything else as the Windows code page.
  static decode(bytes) {
    try { return DravelinPane.utf8.decode(bytes); } catch (e) { return DravelinPane.ansi.decode(bytes); }
  }

  focus() { this.input.focus({ preventScroll: true }); this.queuePaint(); }
}

DravelinPane.utf8 = new TextDecoder('utf-8', { fatal: true });
DravelinPane.ansi = new TextDecoder('windows-1252');
DravelinPane.ascii = new TextDecoder('utf-8');

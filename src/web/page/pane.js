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
    this.paintQueued = false;
    this.followEnd = false;

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
    element.addEventListener('scroll', () => this.queuePaint());
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
    element.addEventListener('wheel', () => { this.followEnd = false; }, { passive: true });
    this.queuePaint();
  }

  // --- Content -------------------------------------------------------------

  // The lines that reports append, kept as bytes: line k of the store is
  // chunks[sChunk[k]][sStart[k] .. sEnd[k]), sLen[k] characters long.
  resetStore() {
    this.chunks = [];
    this.sChunk = new Int32Array(1024);
    this.sStart = new Int32Array(1024);
    this.sEnd = new Int32Array(1024);
    this.sLen = new Int32Array(1024);
    this.sAscii = new Uint8Array(1024);
    this.stored = 0;
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
    const bytes = this.chunks[this.sChunk[ref]].subarray(this.sStart[ref], this.sEnd[ref]);
    if (this.sAscii[ref] && bytes.length < 4096) return String.fromCharCode.apply(null, bytes);
    return DravelinPane.decode(bytes);
  }

  lineLength(i) {
    const ref = this.doc[i];
    return ref < 0 ? this.edits[-ref - 1].length : this.sLen[ref];
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

  clear() {
    this.resetStore();
    this.edits = [];
    this.count = 0;
    this.setCaret({ line: 0, col: 0 }, false);
    this.invalidateRows(0);
    this.element.scrollTop = 0;
    this.queuePaint();
  }

  // Appends report lines: `bytes` holds one or more lines, each ended by
  // '\n' at the offsets `ends`; `ascii` says that every byte is below 0x80.
  // Moves the caret to the end, as a report does.
  appendBytes(bytes, ends, ascii) {
    const chunk = this.chunks.length;
    this.chunks.push(bytes);
    const lines = ends.length;
    const first = this.stored;
    const size = first + lines;
    this.sChunk = DravelinPane.grow(this.sChunk, size);
    this.sStart = DravelinPane.grow(this.sStart, size);
    this.sEnd = DravelinPane.grow(this.sEnd, size);
    this.sLen = DravelinPane.grow(this.sLen, size);
    this.sAscii = DravelinPane.grow(this.sAscii, size);
    this.doc = DravelinPane.grow(this.doc, this.count + lines);
    const { sChunk, sStart, sEnd, sLen, sAscii, doc } = this;
    sChunk.fill(chunk, first, size);
    sEnd.set(ends, first);
    let start = 0;
    let count = this.count;
    for (let k = first; k < size; ++k) {
      const end = sEnd[k];
      sStart[k] = start;
      let high = 0;
      if (!ascii) for (let i = start; i < end; ++i) high |= bytes[i];
      sAscii[k] = high < 0x80 ? 1 : 0;
      sLen[k] = high < 0x80 ? end - start : DravelinPane.decode(bytes.subarray(start, end)).length;
      doc[count++] = k;
      start = end + 1;
    }
    this.count = count;
    this.stored = size;
    this.ensureRows();
    const last = this.count - 1;
    this.setCaret({ line: last, col: this.lineLength(last) }, false);
    this.followEnd = true;
    this.queuePaint();
  }

  // The whole text, lines joined with "\n".
  text() {
    if (this.edits.length === 0) {
      // Only report lines, in the order they arrived: decode whole batches.
      const parts = this.chunks.map((chunk) => DravelinPane.decodeBatch(chunk));
      const joined = parts.join('');
      return joined.endsWith('\n') ? joined.slice(0, -1) : joined;
    }
    const parts = new Array(this.count);
    for (let i = 0; i < this.count; ++i) parts[i] = this.line(i);
    return parts.join('\n');
  }

  lineCount() { return this.count; }

  // --- Rows ----------------------------------------------------------------

  measure() {
    const probe = document.createElement('span');
    probe.className = 'pane-probe';
    probe.textContent = 'M'.repeat(100);
    this.rowsBox.append(probe);
    const rect = probe.getBoundingClientRect();
    probe.remove();
    this.charWidth = rect.width / 100 || 7;
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

  scrollToRow(row, geometry) {
    if (geometry.rowRange <= 0) { this.element.scrollTop = 0; return; }
    this.element.scrollTop = Math.round(row / geometry.rowRange * geometry.range);
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
      this.element.scrollTop = g.range;
    }
    const first = this.firstRowAt(this.element.scrollTop, g);
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

  posAt(clientX, clientY) {
    const rect = this.viewport.getBoundingClientRect();
    const g = this.scrollGeometry();
    const first = this.firstRowAt(this.element.scrollTop, g);
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

  scrollCaretIntoView() {
    const g = this.scrollGeometry();
    const text = this.caret.line < this.count ? this.line(this.caret.line) : '';
    const points = text.length <= this.cols ? [] : this.wrapPoints(text);
    let part = 0;
    while (part < points.length && points[part] <= this.caret.col) ++part;
    const row = this.rowStart[this.caret.line] + part;
    const first = this.firstRowAt(this.element.scrollTop, g);
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
      if (lastY < rect.top) this.element.scrollTop -= this.lineHeight;
      else if (lastY > rect.bottom) this.element.scrollTop += this.lineHeight;
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
      case 'ArrowUp': target = { line: c.line - 1, col: c.col }; break;
      case 'ArrowDown': target = { line: c.line + 1, col: c.col }; break;
      case 'PageUp': target = { line: c.line - page, col: c.col }; break;
      case 'PageDown': target = { line: c.line + page, col: c.col }; break;
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

  // A batch of lines, each ended by '\n', decoded line by line only when the
  // batch as a whole is not valid UTF-8.
  static decodeBatch(bytes) {
    let high = 0;
    for (let i = 0; i < bytes.length; ++i) high |= bytes[i];
    if (high < 0x80) return DravelinPane.ascii.decode(bytes);
    try { return DravelinPane.utf8.decode(bytes); } catch (e) { /* line by line */ }
    const lines = [];
    let start = 0;
    for (let i = 0; i < bytes.length; ++i) {
      if (bytes[i] === 10) { lines.push(DravelinPane.decode(bytes.subarray(start, i)), '\n'); start = i + 1; }
    }
    return lines.join('');
  }

  focus() { this.input.focus({ preventScroll: true }); this.queuePaint(); }
}

DravelinPane.utf8 = new TextDecoder('utf-8', { fatal: true });
DravelinPane.ansi = new TextDecoder('windows-1252');
DravelinPane.ascii = new TextDecoder('utf-8');

// The pane's find bar: a query field, a match-case switch and "N of M"; the
// match found is selected in the pane and scrolled into sight. Enter and F3
// go to the next match, Shift+Enter and Shift+F3 to the previous one, Esc
// closes the bar and gives the focus back to the pane. What it opens with,
// each search and its count are the pane model's (src/pane/pane_find.h),
// which the views of the pane bring.
'use strict';

class DravelinFindBar {
  constructor(pane, bar) {
    this.pane = pane;
    this.bar = bar;
    this.field = bar.querySelector('#FindText');
    this.matchCase = bar.querySelector('#MatchCase');
    this.count = bar.querySelector('#MatchCount');
    pane.onFindCount = (count, searched) => this.showCount(count, searched);
    this.field.addEventListener('input', () => this.search('typed'));
    this.matchCase.addEventListener('change', () => this.search('typed'));
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
    // Ctrl+F and F3 work wherever the focus is.
    document.addEventListener('keydown', (e) => {
      if ((e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'f') {
        e.preventDefault();
        this.open();
      } else if (e.key === 'F3') {
        e.preventDefault();
        this.next(e.shiftKey);
      }
    });
  }

  // Opens the bar with the focus in its field, and the selection in it where
  // the model says the user wants to find that.
  open() {
    const seed = this.pane.view.findSeed;
    if (seed !== null) this.field.value = seed;
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
    this.search(backward ? 'previous' : 'next');
  }

  // The model selects the match; the view that answers says the count.
  search(step) {
    this.pane.call('find', this.field.value, this.matchCase.checked, step);
  }

  // The count is a live status: a screen reader announces the count of each
  // search, a count shown again too (it is taken out first, so that it
  // changes). A count gone stale (the text changed) just goes.
  showCount(count, searched) {
    if (!searched) {
      if (this.count.textContent !== count) this.count.textContent = count;
      return;
    }
    if (this.count.textContent === count && count !== '') this.count.textContent = '';
    this.count.textContent = count;
  }
}

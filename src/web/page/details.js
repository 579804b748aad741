// The patch details beside the report ("Show Patch Details"): a non-modal
// <dialog> over a second view of the pane (pane_view.js, pane_input.js) whose
// model is the core's details pane in the worker (read-only). Its messages
// travel as the pane's do, marked with pane: 'details'. The dialog opens
// when the core shows details, with the focus in its text, named "Patch
// Details" for assistive technologies and read line by line as the report
// is; Tab reaches Close; Esc or Close closes it and the focus goes back to
// the report, which the details never change.
//
// Shortcuts of menu items come with the menu (its items' `shortcut`, as the
// core's menu table gives them); pressing one clicks its item.
'use strict';

class DravelinDetails {
  // `post` sends a message to the worker; `report` is the report's pane.
  constructor(dialog, post, report) {
    this.dialog = dialog;
    this.report = report;
    this.title = dialog.querySelector('#PatchDetailsTitle');
    this.close = dialog.querySelector('#PatchDetailsClose');
    this.pane = new DravelinPane(dialog.querySelector('#DetailsMemo'), ([message, transfer]) => {
      message.pane = 'details';
      post([message, transfer]);
    });
    new DravelinPaneInput(this.pane);
    this.pane.rowsBox.setAttribute('aria-label', 'Patch Details');
    this.pane.rowsBox.setAttribute('aria-readonly', 'true');
    this.pane.caretRowId = 'DetailsCaretRow';
    this.shortcuts = new Map();  // key name: the item's menu button
    this.close.addEventListener('click', () => this.hide());
    dialog.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') {
        e.preventDefault();
        e.stopPropagation();
        this.hide();
      }
    });
    dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      this.hide();
    });
    document.addEventListener('keydown', (e) => this.onShortcut(e));
  }

  // Takes the worker's messages about the details; false for any other.
  take(message) {
    if (message.type === 'menu') {
      this.shortcuts.clear();
      for (const item of message.menu.items) {
        if (item.shortcut) this.shortcuts.set(item.shortcut, item.component);
      }
      return false;
    }
    if (message.type === 'details') {
      this.show(message.title);
      return true;
    }
    if (message.pane !== 'details') return false;
    if (message.type === 'paneView') this.pane.show(message.view);
    else if (message.type === 'paneAnswer') this.pane.answer(message.id, message.answer);
    return true;
  }

  show(title) {
    this.title.textContent = title;
    if (!this.dialog.open) this.dialog.show();
    // From the top, where the patches are named.
    this.pane.call('move', 'documentStart', false);
    this.pane.measure();
    this.pane.focus();
  }

  hide() {
    if (!this.dialog.open) return;
    this.dialog.close();
    this.report.focus();
  }

  onShortcut(event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.repeat) return;
    const component = this.shortcuts.get(event.key);
    if (!component) return;
    const button = document.getElementById(component);
    if (!button || button.disabled) return;
    event.preventDefault();
    button.click();
  }
}

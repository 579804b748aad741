// The keyboard banks dialog: before the command of a menu item that asks
// for them, the core's dialog (which keyboard bank each Compare bank file
// stands for) as a modal <dialog>: a row per bank file with a labelled
// list of keyboard banks, OK and Cancel. The page only shows what the core
// sends and hands the choice back; the core takes it or says why not, and
// then the dialog shows that and stays open. Tab and Shift+Tab stay within
// the dialog, Enter is OK, Esc is Cancel; Cancel runs nothing.
'use strict';

class DravelinKeyboardBanks {
  constructor(dialog) {
    this.dialog = dialog;
    this.title = dialog.querySelector('#KeyboardBanksTitle');
    this.prompt = dialog.querySelector('#KeyboardBanksPrompt');
    this.bankColumn = dialog.querySelector('#KeyboardBanksBankColumn');
    this.keyboardColumn = dialog.querySelector('#KeyboardBanksKeyboardColumn');
    this.rows = dialog.querySelector('#KeyboardBankRows');
    this.refusal = dialog.querySelector('#KeyboardBanksRefusal');
    this.ok = dialog.querySelector('#KeyboardBanksOk');
    this.cancel = dialog.querySelector('#KeyboardBanksCancel');
    this.lists = [];
    this.onChoice = null;
    this.onClose = null;
    this.waiting = false;  // a choice is with the core
    this.refused = false;
    dialog.querySelector('form').addEventListener('submit', (e) => {
      e.preventDefault();
      this.choose();
    });
    this.cancel.addEventListener('click', () => this.close());
    // Esc: the browser's cancel, which closes the dialog without a choice.
    dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      this.close();
    });
    dialog.addEventListener('keydown', (e) => {
      if (e.key === 'Tab') {
        this.keepFocusInside(e);
      } else if (e.key === 'Enter' && e.target.tagName === 'SELECT' && !e.altKey) {
        e.preventDefault();
        this.choose();
      }
    });
  }

  // Shows `content` (protocol.js, "assignment"); onChoice(chosen) is called
  // with the choice on OK, onClose() once the dialog has closed.
  open(content, onChoice, onClose) {
    this.onChoice = onChoice;
    this.onClose = onClose;
    this.waiting = false;
    this.refused = false;
    this.title.textContent = content.title;
    this.prompt.textContent = content.prompt;
    this.bankColumn.textContent = content.bankColumn;
    this.keyboardColumn.textContent = content.keyboardColumn;
    this.refusal.textContent = '';
    this.rows.replaceChildren();
    this.lists = content.banks.map((bank, i) => {
      const row = document.createElement('tr');
      const head = document.createElement('th');
      head.scope = 'row';
      const label = document.createElement('label');
      label.htmlFor = 'KeyboardBank' + i;
      label.textContent = bank;
      head.append(label);
      const cell = document.createElement('td');
      const list = document.createElement('select');
      list.id = 'KeyboardBank' + i;
      content.choices.forEach((choice, n) => list.add(new Option(choice, String(n))));
      list.selectedIndex = content.chosen[i];
      cell.append(list);
      row.append(head, cell);
      this.rows.append(row);
      return list;
    });
    this.dialog.showModal();
    (this.lists[0] || this.ok).focus();
  }

  isOpen() { return this.dialog.open; }

  choose() {
    if (this.waiting || !this.onChoice) return;
    this.waiting = true;
    this.refused = false;
    this.onChoice(this.lists.map((list) => list.selectedIndex));
  }

  // The core refused the choice: says why, and the user chooses again.
  refuse(text) {
    this.refused = true;
    this.refusal.textContent = text;
  }

  // The core has answered the choice: the dialog closes unless it refused.
  answered() {
    if (!this.waiting) return;
    this.waiting = false;
    if (this.refused) {
      (this.lists[0] || this.ok).focus();
    } else {
      this.close();
    }
  }

  close() {
    if (!this.dialog.open) return;
    this.dialog.close();
    this.onChoice = null;
    if (this.onClose) this.onClose();
  }

  // Tab from the last control goes to the first, Shift+Tab from the first
  // to the last, so that the focus never leaves the dialog.
  keepFocusInside(e) {
    const controls = [...this.lists, this.ok, this.cancel];
    const first = controls[0];
    const last = controls[controls.length - 1];
    if (!e.shiftKey && document.activeElement === last) {
      e.preventDefault();
      first.focus();
    } else if (e.shiftKey && document.activeElement === first) {
      e.preventDefault();
      last.focus();
    }
  }
}

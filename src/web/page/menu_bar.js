// The window's menu bar, built from the menu the core describes: a title
// button per drop-down menu and a button per item, reached by the mouse and
// by the keyboard as the desktop window's are (F10 or Alt to the first
// title, Left and Right between the titles, Down, Enter or Space to open a
// menu, Up and Down within it, Esc back).
'use strict';

// `onItem(id)` clicks item `id` (its number in the core's menu); `onEscape()`
// when Esc leaves the menu bar for the pane.
function dravelinMenuBar(menuBar, onItem, onEscape) {
  // Builds the menu the core describes; returns its items by number: { id,
  // component, element, asksAssignment, readsFolders, archive (the .zip its
  // files download as, or null) }, as protocol.js's "menu" describes them.
  function build(menu) {
    const items = [];
    const dropDowns = menu.dropDowns.map((d) => {
      const box = document.createElement('div');
      box.className = 'dropdown';
      const button = document.createElement('button');
      button.id = d.component;
      button.className = 'menu-title';
      button.textContent = d.caption;
      button.setAttribute('role', 'menuitem');
      button.setAttribute('aria-haspopup', 'true');
      button.setAttribute('aria-expanded', 'false');
      const list = document.createElement('div');
      list.className = 'menu';
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-label', d.caption);
      box.append(button, list);
      menuBar.append(box);
      button.addEventListener('click', () => {
        if (openMenu === box) closeMenus(); else openDropDown(box, false);
      });
      button.addEventListener('mouseenter', () => { if (openMenu && openMenu !== box) openDropDown(box, false); });
      button.addEventListener('keydown', (e) => {
        if (e.key === 'ArrowDown' || e.key === 'Enter' || e.key === ' ') {
          e.preventDefault();
          openDropDown(box, true);
        } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          e.preventDefault();
          moveDropDown(box, e.key === 'ArrowRight' ? 1 : -1, false);
        } else if (e.key === 'Escape') {
          closeMenus();
          onEscape();
        }
      });
      list.addEventListener('keydown', (e) => {
        const enabled = [...list.querySelectorAll('button:not([disabled])')];
        const at = enabled.indexOf(document.activeElement);
        if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
          e.preventDefault();
          const step = e.key === 'ArrowDown' ? 1 : -1;
          if (enabled.length) enabled[(at + step + enabled.length) % enabled.length].focus();
        } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          e.preventDefault();
          moveDropDown(box, e.key === 'ArrowRight' ? 1 : -1, true);
        } else if (e.key === 'Escape') {
          e.preventDefault();
          closeMenus();
          button.focus();
        }
      });
      return list;
    });
    for (const m of menu.items) {
      const button = document.createElement('button');
      button.id = m.component;
      button.className = 'menu-item';
      button.setAttribute('role', 'menuitem');
      button.textContent = m.caption;
      button.disabled = !m.enabled;
      button.setAttribute('aria-disabled', m.enabled ? 'false' : 'true');
      button.addEventListener('click', () => onItem(m.id));
      dropDowns[m.dropDown].append(button);
      items[m.id] = { id: m.id, component: m.component, element: button,
                      asksAssignment: m.asksAssignment, readsFolders: m.readsFolders,
                      archive: m.archive };
    }
    return items;
  }

  let openMenu = null;
  function openDropDown(box, focusFirst) {
    closeMenus();
    openMenu = box;
    box.classList.add('open');
    // A menu that would reach beyond the page's right edge opens further
    // left, so that it never widens the page.
    const list = box.querySelector('.menu');
    list.style.left = '';
    const rect = list.getBoundingClientRect();
    const over = rect.right + 2 - document.documentElement.clientWidth;
    if (over > 0) list.style.left = -Math.ceil(Math.min(over, rect.left)) + 'px';
    box.firstChild.setAttribute('aria-expanded', 'true');
    const first = box.querySelector('.menu button:not([disabled])');
    if (focusFirst && first) first.focus(); else box.firstChild.focus();
  }
  function moveDropDown(box, step, open) {
    const boxes = [...menuBar.children];
    const next = boxes[(boxes.indexOf(box) + step + boxes.length) % boxes.length];
    if (open || openMenu) openDropDown(next, open); else next.firstChild.focus();
  }
  function closeMenus() {
    if (!openMenu) return;
    openMenu.classList.remove('open');
    openMenu.firstChild.setAttribute('aria-expanded', 'false');
    openMenu = null;
  }
  document.addEventListener('mousedown', (e) => {
    if (openMenu && !openMenu.contains(e.target)) closeMenus();
  });
  document.addEventListener('keydown', (e) => {
    if (e.key === 'F10' || (e.key === 'Alt' && !e.repeat)) {
      e.preventDefault();
      const first = menuBar.querySelector('.menu-title');
      if (first) first.focus();
    }
  });

  return { build, close: closeMenus };
}

// The browser's front end: the primitives the core's host asks for
// (page_front_end.cpp), on elements of this page. Every window is built
// from the design table the core hands over, every control an element at
// its place in design pixels; the page is scaled as a whole. What the
// player does is posted back to the core as the host's events; nothing here
// decides anything of the game or of the run.

// The page's screen, in design pixels at 96 dpi: room for the game window
// and for the help window centred on it.
export const SCREEN = { width: 600, height: 480, dpi: 96 };

const ENTER_KEY = 13, CTRL_ENTER_KEY = 10;
const ICON_LABEL = { exclamation: "注意", question: "質問" };
// The program's texts in the page's own cut of the stand-in face; what
// players type (names) in the device's Japanese face.
const FACE = '"Tavri Gothic", "Hiragino Sans", "Hiragino Kaku Gothic ProN", "Yu Gothic UI", ' +
             '"Yu Gothic", Meiryo, "Noto Sans CJK JP", "Noto Sans JP", sans-serif';

const ICONS = {
  exclamation:
    '<svg viewBox="0 0 32 32" width="32" height="32" aria-hidden="true"><path d="M16 2 31 29H1z" fill="#fcd116" stroke="#8a6d00"/><path d="M14.5 10h3l-.6 11h-1.8zM14.5 23.5h3v3h-3z" fill="#000"/></svg>',
  question:
    '<svg viewBox="0 0 32 32" width="32" height="32" aria-hidden="true"><circle cx="16" cy="16" r="14.5" fill="#1f6fd0" stroke="#0b3d7a"/><path d="M11.5 12.5a4.5 4.5 0 1 1 6.4 4.1c-1.2.6-1.9 1.4-1.9 2.9v.8h-2.6v-1c0-2.2 1-3.4 2.6-4.3a2 2 0 1 0-2.9-1.9zM13.4 22.5h2.8v2.8h-2.8z" fill="#fff"/></svg>',
};

function element(tag, className, parent) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (parent) parent.append(made);
  return made;
}

// Texts as the design writes them: a carriage return breaks the line.
const shownText = (text) => text.replace(/\r\n?/g, "\n");

function font(px, bold) {
  return `${bold ? "bold " : ""}${px}px ${FACE}`;
}

// Where the countdown's ticks fall due: whole periods after it started, on
// the page's clock, however late the browser runs its timers (a background
// tab, a sleeping device). Missed ticks are delivered at once; a tick that
// restarts or stops the countdown drops those still waiting.
class Countdown {
  constructor(platform, tick) {
    this.platform = platform;
    this.tick = tick;
    this.generation = 0;
    this.timer = null;
  }

  start(periodMs) {
    this.stop();
    this.period = periodMs;
    this.begun = this.platform.now();
    this.delivered = 0;
    this.schedule();
  }

  stop() {
    this.generation++;
    if (this.timer !== null) this.platform.clearTimeout(this.timer);
    this.timer = null;
  }

  schedule() {
    const generation = this.generation;
    const due = this.begun + (this.delivered + 1) * this.period;
    this.timer = this.platform.setTimeout(() => this.fire(generation),
                                          Math.max(0, due - this.platform.now()));
  }

  fire(generation) {
    if (generation !== this.generation) return;
    this.timer = null;
    const due = Math.floor((this.platform.now() - this.begun) / this.period);
    for (; this.delivered < due; this.delivered++) this.tick(() => generation === this.generation);
    this.schedule();
  }
}

// Text measured as a label of the page lays it out: the same font and line
// breaking, outside the scaled screen. A text that stays on one line is
// measured on a canvas, as the page's text shaping gives it; one that breaks
// (or nearly) is laid out in an element as a label breaks it.
class Measurer {
  constructor(parent) {
    this.box = element("div", "measure", parent);
    this.box.setAttribute("aria-hidden", "true");
    this.text = document.createTextNode("");
    this.box.append(this.text);
    this.baseline = element("span", "baseline", this.box);
    this.canvas = document.createElement("canvas").getContext("2d");
    this.cache = new Map();
    this.lineCache = new Map();
  }

  measure(text, px, bold, percent, wrapWidth) {
    const key = `${px}|${bold}|${percent}|${wrapWidth}|${text}`;
    let extent = this.cache.get(key);
    if (!extent) {
      extent = this.oneLine(text, px, bold, percent, wrapWidth) ??
               this.layOut(text, px, bold, percent, wrapWidth);
      this.cache.set(key, extent);
    }
    return extent;
  }

  oneLine(text, px, bold, percent, wrapWidth) {
    if (/[\r\n]/.test(text)) return null;
    this.canvas.font = font(px, bold);
    const width = this.canvas.measureText(text).width;
    // Narrowed glyphs take percent of their width: the text wraps as it
    // would in a box that much wider, then is squeezed back.
    if (wrapWidth > 0 && width > (wrapWidth * 100) / percent - 0.05) return null;
    const line = this.line(px, bold);
    return { width: Math.ceil((width * percent) / 100 - 0.02), height: line.height, lines: 1,
             descent: line.descent };
  }

  // The height and descent of one line in the font.
  line(px, bold) {
    const key = `${px}|${bold}`;
    let line = this.lineCache.get(key);
    if (!line) {
      const { height, descent } = this.layOut("x", px, bold, 100, 0);
      line = { height, descent };
      this.lineCache.set(key, line);
    }
    return line;
  }

  layOut(text, px, bold, percent, wrapWidth) {
    const style = this.box.style;
    style.font = font(px, bold);
    style.whiteSpace = wrapWidth > 0 ? "pre-wrap" : "pre";
    style.width = wrapWidth > 0 ? `${(wrapWidth * 100) / percent}px` : "auto";
    this.text.data = shownText(text) || "\u200b";
    const range = document.createRange();
    range.selectNodeContents(this.text);
    const origin = this.box.getBoundingClientRect();
    let widest = 0;
    const tops = new Set();
    for (const rect of range.getClientRects()) {
      if (!text) break;
      widest = Math.max(widest, rect.right - origin.left);
      tops.add(Math.round(rect.top - origin.top));
    }
    // The baseline marker ends the last line: below it lies its descent.
    const descent = Math.max(0, Math.round(origin.bottom - this.baseline.getBoundingClientRect().bottom));
    return {
      width: Math.ceil((widest * percent) / 100 - 0.02),
      height: Math.ceil(origin.height),
      lines: Math.max(1, tops.size),
      descent,
    };
  }
}

export class FrontEnd {
  // stage: the element of the page's screen; post(event): queues a call of
  // the core (main.js), in order; calls: the core's events.
  constructor(stage, platform, post, calls) {
    this.stage = stage;
    this.platform = platform;
    this.post = post;
    this.calls = calls;
    this.windows = [null, null, null];
    this.order = [];  // windows back to front
    this.active = null;
    this.box = null;
    this.openMenu = null;
    this.measurer = new Measurer(document.body);
    this.countdown = new Countdown(platform, (due) => post(() => due() && calls.timerTick()));
    document.addEventListener("keydown", (event) => this.onKeyDown(event));
    document.addEventListener("keyup", (event) => this.onKeyUp(event));
    document.addEventListener("pointerdown", (event) => {
      if (this.openMenu && !this.openMenu.bar.contains(event.target)) this.closeMenu();
    }, true);
  }

  // --- What the platform tells -------------------------------------------------------

  screen() {
    return { left: 0, top: 0, width: SCREEN.width, height: SCREEN.height, dpi: SCREEN.dpi };
  }

  measureText(text, px, bold, percent, wrapWidth) {
    return this.measurer.measure(text, px, bold, percent, wrapWidth);
  }

  frame(id) {
    const win = this.windows[id];
    if (!win) return { left: 0, top: 0, width: 0, height: 0 };
    const el = win.el;
    return { left: el.offsetLeft, top: el.offsetTop, width: el.offsetWidth, height: el.offsetHeight };
  }

  focusedControl(id) {
    const win = this.windows[id];
    return win && win.focus !== null ? win.focus : -1;
  }

  random() {
    return this.platform.random();
  }

  // --- Windows ---------------------------------------------------------------------------

  build(setup) {
    this.destroy(setup.window);
    const id = setup.window;
    const el = element("section", "window", this.stage);
    el.hidden = true;
    el.dataset.design = setup.design;
    el.tabIndex = -1;
    const title = element("div", "title", el);
    const caption = element("span", "caption", title);
    caption.textContent = setup.caption;
    caption.id = `caption-${setup.design}`;
    el.setAttribute("aria-labelledby", caption.id);
    if (id !== 0) el.setAttribute("role", "dialog");
    // Owned: always in front of its owner.
    if (setup.owner !== null) el.dataset.owner = this.windows[setup.owner]?.setup.design ?? "";
    const close = element("button", "close", title);
    close.type = "button";
    close.tabIndex = -1;
    close.setAttribute("aria-label", "閉じる");
    close.textContent = "×";
    const win = { id, el, setup, controls: [], focus: null, menuItems: [], space: null };
    if (setup.menus.length) this.buildMenu(win, element("div", "menubar", el));
    const client = element("div", "client", el);
    client.style.width = `${setup.width}px`;
    client.style.height = `${setup.height}px`;
    client.style.background = setup.back;
    win.client = client;

    setup.controls.forEach((design, row) => { win.controls[row] = this.buildControl(row, design); });
    // Back to front, each in its container.
    for (const row of setup.stacking) {
      const container = setup.controls[row].container;
      (container >= 0 ? win.controls[container].el : client).append(win.controls[row].el);
    }
    win.tabOrder = setup.tabOrder;
    this.windows[id] = win;
    this.listen(win, close);
  }

  buildControl(row, design) {
    const control = { row, design, kind: design.kind, text: design.caption, known: "" };
    let el;
    switch (design.kind) {
      case "button":
        el = document.createElement("button");
        el.type = "button";
        el.textContent = design.caption;
        break;
      case "box":
        el = document.createElement("input");
        el.type = "text";
        el.autocomplete = "off";
        el.spellcheck = false;
        el.setAttribute("autocapitalize", "off");
        el.setAttribute("autocorrect", "off");
        break;
      case "frame": {
        el = document.createElement("fieldset");
        element("div", "groove", el);
        const legend = element("legend", null, el);
        legend.textContent = design.caption;
        control.legend = legend;
        break;
      }
      case "line":
        el = document.createElement("div");
        break;
      default: {
        el = document.createElement("div");
        control.inner = element("span", "text", el);
        control.inner.textContent = shownText(design.caption);
        if (design.autoSize) el.classList.add("auto");
      }
    }
    el.classList.add(design.kind);
    el.dataset.design = design.design;
    el.dataset.row = row;
    const style = el.style;
    if (design.kind === "line") {
      // Its two ends, with the pen's width across them.
      const half = Math.floor(design.lineWidth / 2);
      style.left = `${Math.min(design.left, design.width) - half}px`;
      style.top = `${Math.min(design.top, design.height) - half}px`;
      style.width = `${Math.abs(design.width - design.left) + design.lineWidth}px`;
      style.height = `${Math.abs(design.height - design.top) + design.lineWidth}px`;
      style.background = design.fore ?? "#000";
      return { ...control, el };
    }
    style.left = `${design.left}px`;
    style.top = `${design.top}px`;
    style.width = `${design.width}px`;
    style.height = `${design.height}px`;
    style.font = font(design.fontPx, design.bold);
    if (design.back) style.background = design.back;
    if (design.fore) style.color = design.fore;
    if (design.kind === "label") style.textAlign = design.align;
    return { ...control, el };
  }

  buildMenu(win, bar) {
    bar.setAttribute("role", "menubar");
    let list = null;
    win.menuBar = bar;
    win.menuTops = [];
    win.setup.menus.forEach((menu, index) => {
      if (menu.top) {
        const top = element("button", "top", bar);
        top.type = "button";
        top.tabIndex = -1;
        top.textContent = menu.caption;
        top.dataset.design = menu.design;
        top.setAttribute("role", "menuitem");
        top.setAttribute("aria-haspopup", "menu");
        list = element("div", "menu", bar);
        list.setAttribute("role", "menu");
        list.hidden = true;
        const opened = list;
        top.addEventListener("click", () => {
          const open = this.openMenu && this.openMenu.list === opened;
          this.closeMenu();
          if (!open && this.takesInput(win)) this.showMenu(win, top, false);
        });
        top.menu = opened;
        win.menuTops.push(top);
        win.menuItems[index] = top;
        return;
      }
      if (menu.separator) {
        const line = element("div", "separator", list);
        line.setAttribute("role", "separator");
        line.dataset.design = menu.design;
        win.menuItems[index] = line;
        return;
      }
      const item = element("button", "item", list);
      item.type = "button";
      item.tabIndex = -1;
      item.dataset.design = menu.design;
      item.setAttribute("role", menu.checkable ? "menuitemcheckbox" : "menuitem");
      element("span", "check", item);
      element("span", null, item).textContent = menu.caption;
      if (menu.checkable) item.setAttribute("aria-checked", "false");
      item.addEventListener("click", () => {
        this.closeMenu();
        this.post(() => this.takesInput(win) && this.calls.menuChosen(win.id, index));
      });
      win.menuItems[index] = item;
    });
  }

  // A menu opened from the keyboard (F10) takes the keys: the arrows walk
  // it, Enter or Space chooses, Escape closes it.
  showMenu(win, top, byKeyboard) {
    const list = top.menu;
    list.hidden = false;
    list.style.left = `${top.offsetLeft}px`;
    top.setAttribute("aria-expanded", "true");
    this.openMenu = { win, bar: win.menuBar, top, list };
    if (byKeyboard) list.querySelector(".item")?.focus({ preventScroll: true });
  }

  closeMenu() {
    const open = this.openMenu;
    if (!open) return;
    open.list.hidden = true;
    open.top.setAttribute("aria-expanded", "false");
    this.openMenu = null;
    if (open.list.contains(document.activeElement) && this.active === open.win.id)
      this.restoreFocus(open.win);
  }

  menuKey(event) {
    const { win, top, list } = this.openMenu;
    const items = [...list.querySelectorAll(".item")];
    const at = items.indexOf(document.activeElement);
    const tops = win.menuTops;
    switch (event.key) {
      case "ArrowDown":
      case "ArrowUp": {
        const step = event.key === "ArrowDown" ? 1 : items.length - 1;
        items[at < 0 ? 0 : (at + step) % items.length]?.focus({ preventScroll: true });
        break;
      }
      case "ArrowLeft":
      case "ArrowRight": {
        const step = event.key === "ArrowRight" ? 1 : tops.length - 1;
        const next = tops[(tops.indexOf(top) + step) % tops.length];
        this.closeMenu();
        this.showMenu(win, next, true);
        break;
      }
      case "Enter":
      case " ":
        if (at >= 0) items[at].click();
        break;
      case "Escape":
      case "Tab":
      case "F10":
        this.closeMenu();
        break;
      default:
        return;
    }
    event.preventDefault();
  }

  // The player's acts on the window's elements.
  listen(win, close) {
    const { el, id } = win;
    // A press anywhere makes the window active, as a desktop does, before
    // the click; it moves the focus only onto a button or box pressed.
    el.addEventListener("mousedown", (event) => {
      const control = this.controlOf(win, event.target);
      if (control && control.kind === "box" && !control.el.disabled) return;
      event.preventDefault();
      if (control && control.kind === "button" && !control.el.disabled) control.el.focus({ preventScroll: true });
    });
    el.addEventListener("pointerdown", () => {
      if (this.active === id || this.box || !this.takesInput(win)) return;
      this.activate(id);
      this.post(() => this.calls.activated(id));
    }, true);
    el.addEventListener("focusin", (event) => {
      const control = this.controlOf(win, event.target);
      if (control) win.focus = control.row;
    });
    el.addEventListener("click", (event) => {
      const control = this.controlOf(win, event.target);
      if (!control || control.kind !== "button") return;
      this.post(() => this.usable(win, control) && this.calls.click(id, control.row));
    });
    close.addEventListener("click", () => {
      this.post(() => this.windows[id] === win && this.takesInput(win) && this.calls.closeBox(id));
    });
    el.addEventListener("beforeinput", (event) => {
      const control = this.controlOf(win, event.target);
      if (!control || event.isComposing || event.inputType !== "insertText" || !event.data) return;
      this.keysTyped(win, control, event.data);
    });
    el.addEventListener("input", (event) => {
      const control = this.controlOf(win, event.target);
      if (control && !event.isComposing) this.edited(win, control);
    });
    // A committed composition: its characters, as a desktop's input method
    // types them, then the box's new text.
    el.addEventListener("compositionend", (event) => {
      const control = this.controlOf(win, event.target);
      if (!control) return;
      if (event.data) this.keysTyped(win, control, event.data);
      this.edited(win, control);
    });
  }

  keysTyped(win, control, text) {
    for (const character of text) {
      const code = character.codePointAt(0);
      this.post(() => this.windows[win.id] === win && this.calls.keyPress(win.id, control.row, code));
    }
  }

  edited(win, control) {
    const text = control.el.value;
    if (text === control.reported) return;
    control.reported = text;
    this.post(() => {
      if (this.windows[win.id] !== win) return;
      control.known = text;
      this.calls.textEdited(win.id, control.row, text);
    });
  }

  controlOf(win, target) {
    const found = target instanceof Element ? target.closest("[data-row]") : null;
    return found && win.el.contains(found) ? win.controls[Number(found.dataset.row)] : null;
  }

  takesInput(win) {
    return this.windows[win.id] === win && !win.el.inert && !this.box;
  }

  // A click counts when it lands on a control that is shown and enabled
  // by the time it is taken in.
  usable(win, control) {
    return this.takesInput(win) && this.shown(control) && !control.el.disabled;
  }

  shown(control) {
    return control.el.checkVisibility ? control.el.checkVisibility({ checkVisibilityCSS: true })
                                      : getComputedStyle(control.el).visibility === "visible";
  }

  move(id, left, top) {
    const el = this.windows[id]?.el;
    if (!el) return;
    el.style.left = `${left}px`;
    el.style.top = `${top}px`;
  }

  draw(id, look) {
    const win = this.windows[id];
    if (!win) return;
    look.controls.forEach((drawn, row) => {
      const control = win.controls[row];
      if (!control) return;
      const el = control.el;
      el.hidden = !drawn.visible;
      switch (control.kind) {
        case "button":
          if (control.text !== drawn.text) el.textContent = drawn.text;
          el.disabled = !drawn.enabled;
          break;
        case "box":
          // Only a change of the program's own: what the player typed
          // since stays, caret and all.
          if (drawn.text !== control.known) {
            control.known = drawn.text;
            control.reported = drawn.text;
            if (el.value !== drawn.text) el.value = drawn.text;
          }
          el.disabled = !drawn.enabled;
          break;
        case "frame":
          if (control.text !== drawn.text) control.legend.textContent = drawn.text;
          el.disabled = !drawn.enabled;
          break;
        case "label":
          this.drawLabel(control, drawn);
          break;
      }
      control.text = drawn.text;
    });
    look.menuChecked.forEach((checked, index) => {
      const item = win.menuItems[index];
      if (item && item.hasAttribute("aria-checked")) item.setAttribute("aria-checked", String(checked));
    });
  }

  drawLabel(control, drawn) {
    const { el, inner, design } = control;
    if (control.text !== drawn.text) inner.textContent = shownText(drawn.text);
    const width = drawn.size ? drawn.size[0] : design.width;
    if (drawn.size) {
      el.style.width = `${drawn.size[0]}px`;
      el.style.height = `${drawn.size[1]}px`;
    }
    // Narrowed glyphs: the text laid out that much wider, then squeezed.
    const percent = drawn.widthPercent;
    inner.style.width = percent === 100 && !drawn.size ? "" : `${(width * 100) / percent}px`;
    inner.style.transform = percent === 100 ? "" : `scaleX(${percent / 100})`;
    el.toggleAttribute("aria-disabled", !drawn.enabled);
  }

  show(id) {
    const win = this.windows[id];
    if (!win) return;
    win.el.hidden = false;
    this.raise(id);
  }

  hide(id) {
    const win = this.windows[id];
    if (!win) return;
    win.el.hidden = true;
    if (this.openMenu && win.el.contains(this.openMenu.bar)) this.closeMenu();
    if (this.active === id) this.setActive(null);
  }

  destroy(id) {
    const win = this.windows[id];
    if (!win) return;
    if (this.openMenu && win.el.contains(this.openMenu.bar)) this.closeMenu();
    win.el.remove();
    this.windows[id] = null;
    this.order = this.order.filter((other) => other !== id);
    if (this.active === id) this.active = null;
  }

  // To the front: above every other window but those it owns, which stay
  // above it.
  raise(id) {
    const owned = this.order.filter((other) => this.windows[other]?.setup.owner === id);
    this.order = this.order.filter((other) => other !== id && !owned.includes(other));
    this.order.push(id, ...owned);
    this.order.forEach((other, depth) => {
      const win = this.windows[other];
      if (win) win.el.style.zIndex = String(depth + 1);
    });
  }

  activate(id) {
    const win = this.windows[id];
    if (!win) return;
    this.raise(id);
    this.setActive(id);
    if (!this.box) this.restoreFocus(win);
  }

  setActive(id) {
    this.active = id;
    this.windows.forEach((win) => win && win.el.classList.toggle("active", win.id === id));
  }

  restoreFocus(win) {
    const control = win.focus !== null ? win.controls[win.focus] : null;
    if (control) control.el.focus({ preventScroll: true });
    if (!win.el.contains(document.activeElement)) win.el.focus({ preventScroll: true });
  }

  setInputEnabled(id, enabled) {
    const win = this.windows[id];
    if (!win) return;
    // Inert: no click, key or focus reaches it, and it looks the same.
    win.el.inert = !enabled;
    if (!enabled && this.openMenu && win.el.contains(this.openMenu.bar)) this.closeMenu();
  }

  focus(id, row) {
    const win = this.windows[id];
    if (!win || !win.controls[row]) return;
    win.focus = row;
    if (this.active === id && !this.box) win.controls[row].el.focus({ preventScroll: true });
  }

  // --- The rest of the platform ------------------------------------------------------

  startTimer(ms) {
    this.countdown.start(ms);
  }

  stopTimer() {
    this.countdown.stop();
  }

  beep() {
    this.platform.beep();
  }

  showBox(message) {
    const owner = this.windows[message.owner];
    const box = element("section", "message", this.stage);
    box.setAttribute("role", "alertdialog");
    box.setAttribute("aria-modal", "true");
    box.dataset.owner = owner ? owner.setup.design : "";
    const title = element("div", "title", box);
    const caption = element("span", "caption", title);
    caption.textContent = message.title;
    caption.id = "box-title";
    box.setAttribute("aria-labelledby", caption.id);
    const close = element("button", "close", title);
    close.type = "button";
    close.tabIndex = -1;
    close.setAttribute("aria-label", "閉じる");
    close.textContent = "×";
    const body = element("div", "body", box);
    const icon = element("span", "icon", body);
    icon.innerHTML = ICONS[message.icon];  // the page's own drawing, never a text
    icon.dataset.icon = message.icon;
    icon.setAttribute("role", "img");
    icon.setAttribute("aria-label", ICON_LABEL[message.icon]);
    const text = element("p", "text", body);
    text.id = "box-text";
    text.textContent = shownText(message.text);
    box.setAttribute("aria-describedby", text.id);
    const buttons = element("div", "buttons", box);
    const answers = message.buttons === "ok-cancel" ? ["ok", "cancel"] : ["ok"];
    const labels = { ok: "OK", cancel: "キャンセル" };
    const pressed = answers.map((answer, index) => {
      const button = element("button", null, buttons);
      button.type = "button";
      button.textContent = labels[answer];
      button.dataset.answer = answer;
      if (index === message.defaultButton) button.classList.add("default");
      button.addEventListener("click", () => this.answerBox(answer));
      return button;
    });
    // The close box, like Escape: Cancel when there is one, else OK.
    const escape = answers[answers.length - 1];
    close.addEventListener("click", () => this.answerBox(escape));
    this.box = { el: box, buttons: pressed, escape, space: null };
    box.style.zIndex = "100";
    // Over the middle of its window, inside the screen.
    const around = owner ? this.frame(owner.id) : this.screen();
    const left = around.left + (around.width - box.offsetWidth) / 2;
    const top = around.top + (around.height - box.offsetHeight) / 2;
    box.style.left = `${Math.round(Math.max(0, Math.min(left, SCREEN.width - box.offsetWidth)))}px`;
    box.style.top = `${Math.round(Math.max(0, Math.min(top, SCREEN.height - box.offsetHeight)))}px`;
    pressed[Math.min(message.defaultButton, pressed.length - 1)].focus({ preventScroll: true });
    const answer = this.platform.answerBox?.(message);
    if (answer === "ok" || answer === "cancel") queueMicrotask(() => this.answerBox(answer));
  }

  answerBox(answer) {
    if (!this.box) return;
    this.box.el.remove();
    this.box = null;
    this.post(() => this.calls.boxAnswered(answer === "cancel" ? 1 : 0));
  }

  end() {
    this.countdown.stop();
    this.closeMenu();
    this.box?.el.remove();
    this.box = null;
    for (const win of this.windows) if (win) this.destroy(win.id);
    this.active = null;
  }

  // --- Keys -----------------------------------------------------------------------------

  onKeyDown(event) {
    if (this.openMenu) return this.menuKey(event);
    if (this.box) return this.boxKey(event);
    const win = this.active !== null ? this.windows[this.active] : null;
    if (!win || !win.el.contains(event.target) || win.el.inert) return;
    if (event.key === "F10" && win.menuTops?.length) {
      event.preventDefault();
      this.showMenu(win, win.menuTops[0], true);
      return;
    }
    if (event.key === "Tab") {
      event.preventDefault();
      if (!event.ctrlKey && !event.altKey && !event.metaKey) this.tab(win, event.shiftKey ? -1 : 1);
      return;
    }
    const control = this.controlOf(win, event.target);
    if (!control) return;
    const enter = event.key === "Enter" && !event.ctrlKey && !event.altKey && !event.metaKey;
    if (control.kind === "button") {
      // Enter (with Shift too) and Space press it; Space on its release.
      if (enter) {
        event.preventDefault();
        if (!event.repeat) this.post(() => this.usable(win, control) && this.calls.click(win.id, control.row));
      } else if (event.key === " ") {
        event.preventDefault();
        win.space = control;
      } else if (event.key === "Enter") {
        event.preventDefault();
      }
      return;
    }
    if (control.kind === "box" && event.key === "Enter") {
      // An Enter that commits an input method's composition is the input
      // method's; Alt+Enter types nothing.
      if (event.isComposing || event.keyCode === 229 || event.altKey || event.metaKey) return;
      const code = event.ctrlKey ? CTRL_ENTER_KEY : ENTER_KEY;
      this.post(() => this.windows[win.id] === win && this.calls.keyPress(win.id, control.row, code));
    }
  }

  onKeyUp(event) {
    if (event.key !== " ") return;
    if (this.box) {
      const button = this.box.space;
      this.box.space = null;
      if (button && button === document.activeElement) {
        event.preventDefault();
        button.click();
      }
      return;
    }
    const win = this.active !== null ? this.windows[this.active] : null;
    const control = win?.space;
    if (!control) return;
    win.space = null;
    event.preventDefault();
    if (control.el === document.activeElement)
      this.post(() => this.usable(win, control) && this.calls.click(win.id, control.row));
  }

  // Tab and Shift+Tab walk the window's tab order over what is shown and
  // usable, round the end.
  tab(win, step) {
    const order = win.tabOrder.filter((row) => {
      const control = win.controls[row];
      return this.shown(control) && !control.el.disabled;
    });
    if (!order.length) return;
    const at = order.indexOf(win.focus);
    const next = at < 0 ? (step > 0 ? 0 : order.length - 1) : (at + step + order.length) % order.length;
    win.controls[order[next]].el.focus({ preventScroll: true });
  }

  boxKey(event) {
    const { buttons, escape } = this.box;
    const at = buttons.indexOf(document.activeElement);
    if (at < 0) buttons[0].focus({ preventScroll: true });
    const plain = !event.ctrlKey && !event.altKey && !event.metaKey;
    if (event.key === "Tab") {
      event.preventDefault();
      buttons[(Math.max(at, 0) + (event.shiftKey ? buttons.length - 1 : 1)) % buttons.length].focus();
    } else if (event.key === "Escape") {
      event.preventDefault();
      this.answerBox(escape);
    } else if (event.key === "Enter") {
      event.preventDefault();
      if (plain && at >= 0 && !event.repeat) buttons[at].click();
    } else if (event.key === " ") {
      event.preventDefault();
      if (at >= 0) this.box.space = buttons[at];
    }
  }
}

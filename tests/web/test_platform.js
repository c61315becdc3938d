// Put into the page before it loads (DevTools' Page.addScriptToEvaluateOnNewDocument):
// the platform the page takes in place of the browser's own (platform.js),
// played by the tests, and what the tests read of the page (tavriProbe).
// Never part of the web folder.
(() => {
  "use strict";

  // --- The platform the page uses -----------------------------------------------------
  const platform = {
    // The page's clock and timers: time moves only when a test says.
    clock: 0,
    timers: new Map(),
    nextTimer: 1,
    now() { return this.clock; },
    setTimeout(task, ms) {
      const id = this.nextTimer++;
      this.timers.set(id, { due: this.clock + ms, task });
      return id;
    },
    clearTimeout(id) { this.timers.delete(id); },
    // The next timer fires: the clock moves to its due time, or on to `at`
    // when that is later (a browser that ran the timer late).
    fire(at) {
      let next = null;
      for (const entry of this.timers) if (!next || entry[1].due < next[1].due) next = entry;
      if (!next) return false;
      this.timers.delete(next[0]);
      this.clock = Math.max(this.clock, next[1].due, at ?? 0);
      next[1].task();
      return true;
    },

    // Random draws the test queues; 0.1 once they run out (y = −4x).
    draws: [],
    random() { return this.draws.length ? this.draws.shift() : 0.1; },

    beeps: 0,
    beep() { this.beeps++; },

    downloads: [],
    download(blob, name) { this.downloads.push({ blob, name }); },

    // The page starts when the test says, once its results file and draws
    // are in place.
    beforeStart() {
      this.loaded();
      return new Promise((go) => { this.go = go; });
    },

    // Whether the page is still taking in what it was given.
    busy: false,
    idlers: [],
    queued() { this.busy = true; },
    settled() {
      this.busy = false;
      for (const idle of this.idlers.splice(0)) idle();
    },
    whenIdle() {
      return this.busy ? new Promise((idle) => this.idlers.push(idle)) : Promise.resolve();
    },

    // What a control shows the moment a window is shown (see below).
    watch: null,
  };
  platform.whenLoaded = new Promise((loaded) => { platform.loaded = loaded; });
  globalThis.tavriTestPlatform = platform;

  // --- Reading the page as the player sees it ------------------------------------------
  const windowEl = (design) => document.querySelector(`.window[data-design="${CSS.escape(design)}"]`);
  const controlEl = (win, design) => win?.querySelector(`[data-design="${CSS.escape(design)}"]`) ?? null;

  function textOf(el) {
    let text;
    if (el.matches("input")) text = el.value;
    else if (el.matches("fieldset")) text = el.querySelector("legend").textContent;
    else text = el.textContent;
    return text.replace(/\n/g, "\r");
  }

  function hiddenIn(el, win) {
    for (let at = el; at && at !== win; at = at.parentElement) if (at.hidden) return true;
    return false;
  }

  // The narrowing of a label's glyphs: the scale of its text.
  function widthPercent(el) {
    const text = el.querySelector(".text");
    if (!text) return 100;
    const transform = getComputedStyle(text).transform;
    const scale = transform.startsWith("matrix(") ? Number(transform.slice(7).split(",")[0]) : 1;
    return Math.round(scale * 100);
  }

  function placeIn(el, client) {
    let left = 0, top = 0;
    for (let at = el; at && at !== client; at = at.offsetParent) {
      left += at.offsetLeft;
      top += at.offsetTop;
    }
    return [left, top, el.offsetWidth, el.offsetHeight];
  }

  // A point of the element a click would reach (not covered by another
  // window), in the viewport's pixels.
  function reachable(el) {
    const box = el.getBoundingClientRect();
    for (const fy of [0.5, 0.25, 0.75, 0.1, 0.9])
      for (const fx of [0.5, 0.25, 0.75, 0.1, 0.9, 0.05, 0.95]) {
        const x = box.left + box.width * fx, y = box.top + box.height * fy;
        const hit = document.elementFromPoint(x, y);
        if (hit && (hit === el || el.contains(hit))) return [x, y];
      }
    return null;
  }

  const probe = {
    window(design) {
      const win = windowEl(design);
      if (!win) return { exists: false };
      const client = win.querySelector(".client");
      return {
        exists: true,
        visible: !win.hidden,
        active: !win.hidden && win.classList.contains("active"),
        takesInput: !win.inert,
        owner: win.dataset.owner ?? null,
        frame: [win.offsetLeft, win.offsetTop, win.offsetWidth, win.offsetHeight],
        client: [client.offsetWidth, client.offsetHeight],
      };
    },
    control(windowDesign, design) {
      const win = windowEl(windowDesign);
      const el = controlEl(win, design);
      if (!el) return null;
      return {
        text: textOf(el),
        visible: !hiddenIn(el, win),
        enabled: !(el.disabled || el.hasAttribute("aria-disabled") || el.closest("fieldset:disabled")),
        rect: placeIn(el, win.querySelector(".client")),
        widthPercent: widthPercent(el),
      };
    },
    focus(windowDesign) {
      const win = windowEl(windowDesign);
      if (!win || document.querySelector(".message") || !win.classList.contains("active")) return null;
      const focused = document.activeElement;
      return focused && focused !== win && win.contains(focused) ? focused.dataset.design ?? null : null;
    },
    menuChecked(design) {
      const item = document.querySelector(`.menu [data-design="${CSS.escape(design)}"]`);
      return item?.getAttribute("aria-checked") === "true";
    },
    box() {
      const box = document.querySelector(".message");
      if (!box) return null;
      const buttons = [...box.querySelectorAll(".buttons button")];
      return {
        owner: box.dataset.owner,
        title: box.querySelector(".title .caption").textContent,
        text: box.querySelector(".text").textContent.replace(/\n/g, "\r"),
        icon: box.querySelector(".icon").dataset.icon,
        buttons: buttons.length,
        defaultButton: buttons.findIndex((button) => button.classList.contains("default")),
      };
    },
    screen() {
      const stage = document.getElementById("stage");
      return [0, 0, stage.offsetWidth, stage.offsetHeight];
    },
    // Viewport points to click: a control, a window's title bar or close
    // box, a menu, a box's button.
    point(selector, windowDesign) {
      const scope = windowDesign ? windowEl(windowDesign) : document;
      const el = scope?.querySelector(selector);
      return el ? reachable(el) : null;
    },
    reachable,
    windowEl,
    controlEl,
    textOf,
  };
  globalThis.tavriProbe = probe;

  // The moment a window is shown (its hidden flag cleared), what the watched
  // control shows, before anything else happens.
  const hidden = Object.getOwnPropertyDescriptor(HTMLElement.prototype, "hidden");
  Object.defineProperty(HTMLElement.prototype, "hidden", {
    ...hidden,
    set(value) {
      hidden.set.call(this, value);
      const watch = platform.watch;
      if (!value && watch && watch.seen === undefined && this.classList.contains("window") &&
          this.dataset.design === watch.shown) {
        const el = controlEl(windowEl(watch.window), watch.control);
        watch.seen = el ? textOf(el) : "";
      }
    },
  });
})();

// The page: the core in WebAssembly, its front end on this page, the
// results file in this browser's storage, and the links to carry the file
// to and from the desktop programs.
import createTavriCore from "./tavri.js";
import { FrontEnd, SCREEN } from "./front_end.js";
import { browserPlatform } from "./platform.js";
import * as storage from "./storage.js";

const platform = globalThis.tavriTestPlatform ?? browserPlatform();
const stage = document.getElementById("stage");
const viewport = document.getElementById("viewport");
const footer = document.querySelector("footer");
const status = document.getElementById("status");
const encoder = new TextEncoder();

// The whole screen scaled to the window the browser gives the page.
function fit() {
  const scale = Math.min(innerWidth / SCREEN.width,
                         Math.max(innerHeight - footer.offsetHeight, 1) / SCREEN.height);
  stage.style.transform = `scale(${scale})`;
  viewport.style.width = `${SCREEN.width * scale}px`;
  viewport.style.height = `${SCREEN.height * scale}px`;
}
fit();
addEventListener("resize", fit);

function say(text) {
  status.textContent = text;
}

let core = null;

// Bytes into the core's buffer; where they are.
function hand(bytes) {
  const at = core._tavri_buffer(bytes.length);
  core.HEAPU8.set(bytes, at);
  return at;
}

const calls = {
  start: () => core._tavri_start(),
  click: (window, control) => core._tavri_click(window, control),
  menuChosen: (window, item) => core._tavri_menu_chosen(window, item),
  textEdited: (window, control, text) =>
    core._tavri_text_edited(window, control, hand(encoder.encode(text))),
  keyPress: (window, control, code) => core._tavri_key_press(window, control, code),
  closeBox: (window) => core._tavri_close_box(window),
  activated: (window) => core._tavri_activated(window),
  boxAnswered: (answer) => core._tavri_box_answered(answer),
  timerTick: () => core._tavri_timer_tick(),
};

// --- One queue ---------------------------------------------------------------------------
// Every event goes to the core in the order it came, and under the lock on
// the list: the core is handed the file as it is stored now (another tab
// may have saved meanwhile), and whatever it wrote is stored before the
// lock goes. Work on the stored file alone (export, import) waits its turn.

const queue = [];
let draining = false;

function post(event) {
  queue.push(event);
  platform.queued?.();
  if (!draining) drain();
}

function postTask(task) {
  post({ task });
}

async function drain() {
  draining = true;
  while (queue.length) {
    try {
      if (queue[0].task) await queue.shift().task();
      else await storage.whileLocked(runEvents);
    } catch (error) {
      console.error(error);
      // A core that never loaded takes nothing in.
      if (!core) queue.length = 0;
    }
  }
  draining = false;
  settled();
}

async function runEvents() {
  const file = await storage.read();
  await started;
  hand(file.bytes);
  core._tavri_put_file(file.stored, file.bytes.length);
  while (queue.length && !queue[0].task) {
    const event = queue.shift();
    try {
      event();
    } catch (error) {
      console.error(error);
    }
  }
  const changed = core._tavri_file_changed();
  if (!changed) return;
  const at = core._tavri_file_bytes();
  const bytes = changed === 1 ? core.HEAPU8.slice(at, at + core._tavri_file_size()) : null;
  try {
    await storage.write(bytes);
  } catch {
    say("この端末のブラウザーに成績を保存できませんでした。");
  }
}

let ready = false;
function settled() {
  if (!ready && core) {
    ready = true;
    // The game window is drawn and its start notice shown.
    performance.mark("tavri-ready");
  }
  const ended = document.getElementById("ended");
  if (core && core._tavri_ended() && ended.hidden) {
    ended.hidden = false;
    document.getElementById("again").focus();
  }
  platform.settled?.();
}

// --- Export and import ------------------------------------------------------------------

const RESULTS_FILE = "tavri.rnk";

async function exportList() {
  const file = await storage.whileLocked(storage.read);
  if (file.stored === storage.UNUSABLE) return say("この端末のブラウザーでは成績を保存できません。");
  if (file.stored === storage.MISSING) return say("まだ成績はありません。");
  platform.download(new Blob([file.bytes], { type: "application/octet-stream" }), RESULTS_FILE);
  say(`成績を ${RESULTS_FILE} に書き出しました（${file.bytes.length} バイト）。`);
}

async function importList(chosen) {
  // The core reads it as the desktop programs do and says what is wrong;
  // a file too large for a results file is not read beyond that.
  const bytes = new Uint8Array(await chosen.slice(0, core._tavri_import_limit()).arrayBuffer());
  hand(bytes);
  const problem = core.UTF8ToString(core._tavri_import_problem(bytes.length, chosen.size));
  if (problem) return say(`${chosen.name}：${problem}`);
  try {
    await storage.whileLocked(() => storage.write(bytes));
    say(`${chosen.name} の成績を読み込みました。次に成績一覧を開くと表示されます。`);
  } catch {
    say("この端末のブラウザーに成績を保存できませんでした。いまの成績はそのままです。");
  }
}

document.getElementById("export").addEventListener("click", () => postTask(exportList));
const chooser = document.getElementById("import-file");
document.getElementById("import").addEventListener("click", () => chooser.click());
chooser.addEventListener("change", () => {
  const chosen = chooser.files[0];
  chooser.value = "";
  if (chosen) postTask(() => importList(chosen));
});
document.getElementById("again").addEventListener("click", () => location.reload());

// --- Start ------------------------------------------------------------------------------

storage.prepare();
const frontEnd = new FrontEnd(stage, platform, post, calls);
const started = Promise.all([
  createTavriCore({ frontEnd }),
  // Labels are measured in the web font: it must be there first.
  document.fonts.load(`16px "Tavri Gothic"`).catch(() => {}),
]).then(([loaded]) => { core = loaded; }, (error) => {
  say("tavri を読み込めませんでした。ページを読み込み直してください。");
  throw error;
});
// The start waits for the core under the lock, so that the storage's
// answer comes meanwhile.
await platform.beforeStart?.();
post(calls.start);

// Kept for offline use once loaded (browsers have service workers only on
// https:// pages and on the local computer).
if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("service-worker.js").catch(() => {});
}

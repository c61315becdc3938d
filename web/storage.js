// The results file in this browser: the same bytes as tavri.rnk beside the
// desktop programs, kept in IndexedDB on this device only. Every use of it
// takes the browser's lock on the list first (navigator.locks, shared by
// every tab of this page), so that two tabs never read and write it at once.

const DATABASE = "tavri";
const FILES = "files";
const RESULTS = "tavri.rnk";

// What a read finds: no file, the file, or no storage this browser lets
// the page use.
export const MISSING = 0, PRESENT = 1, UNUSABLE = 2;

let opened = null;

function request(action) {
  return new Promise((resolve, reject) => {
    action.onsuccess = () => resolve(action.result);
    action.onerror = () => reject(action.error);
  });
}

function database() {
  if (!opened) {
    opened = new Promise((resolve, reject) => {
      const opening = indexedDB.open(DATABASE, 1);
      opening.onupgradeneeded = () => opening.result.createObjectStore(FILES);
      opening.onsuccess = () => resolve(opening.result);
      opening.onerror = () => reject(opening.error);
      opening.onblocked = () => reject(new Error("blocked"));
    });
    opened.catch(() => { opened = null; });
  }
  return opened;
}

// Opens the database ahead of the first use: the browser does it meanwhile.
export function prepare() {
  database().catch(() => {});
}

// The stored file: { stored, bytes } with bytes a Uint8Array.
export async function read() {
  try {
    const db = await database();
    const value = await request(db.transaction(FILES).objectStore(FILES).get(RESULTS));
    if (value === undefined) return { stored: MISSING, bytes: new Uint8Array(0) };
    return { stored: PRESENT, bytes: new Uint8Array(value) };
  } catch {
    return { stored: UNUSABLE, bytes: new Uint8Array(0) };
  }
}

// Stores the file (null: removes it); resolves once it is written.
export async function write(bytes) {
  const db = await database();
  const store = db.transaction(FILES, "readwrite").objectStore(FILES);
  const done = request(bytes ? store.put(bytes.slice().buffer, RESULTS) : store.delete(RESULTS));
  await done;
  askToKeep();
}

// The browser may drop a site's storage when the device runs short; a
// page that keeps lists asks it not to, once it has something to keep.
let asked = false;
function askToKeep() {
  if (asked || !navigator.storage?.persist) return;
  asked = true;
  navigator.storage.persisted().then((kept) => kept || navigator.storage.persist()).catch(() => {});
}

// Runs task() while this page holds the lock on the list. Browsers give
// navigator.locks only to https:// pages (and the local computer); on a
// plain http:// page a tab's own uses still take turns, but two tabs saving
// at the same moment could lose one entry (the read-me asks for https).
let chain = Promise.resolve();
export function whileLocked(task) {
  if (navigator.locks) return navigator.locks.request(RESULTS, task);
  const run = chain.then(task, task);
  chain = run.catch(() => {});
  return run;
}

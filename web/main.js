// The page's script. For now it loads the core and shows what it answered;
// the front end that draws the windows from the design tables comes here.
import createTavriCore from "./tavri.js";

const core = await createTavriCore();
const answer = core.UTF8ToString(core._tavri_game_window_caption());
const view = document.getElementById("tavri");
view.textContent = answer;
// The moment the page is ready, for its tests and the benchmark.
performance.mark("tavri-ready");

// Kept for offline use once loaded (browsers have service workers only on
// https:// pages and on the local computer).
if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("service-worker.js").catch(() => {});
}

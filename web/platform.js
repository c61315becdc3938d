// What the page takes from the browser and a test may put in its place
// (globalThis.tavriTestPlatform, set before the page loads): the clock and
// timers of the countdown, the random source, the beep, the download of an
// exported file and the moment the page starts.

let audio = null;

// Browsers let a page make sound only once the player has touched it.
function wakeAudio() {
  const Context = globalThis.AudioContext ?? globalThis.webkitAudioContext;
  if (!Context) return;
  audio ??= new Context();
  if (audio.state === "suspended") audio.resume().catch(() => {});
}

// The system's beep: a short tone.
function beep() {
  if (!audio || audio.state !== "running") return;
  const start = audio.currentTime;
  const tone = audio.createOscillator();
  const volume = audio.createGain();
  tone.frequency.value = 880;
  volume.gain.setValueAtTime(0.2, start);
  volume.gain.exponentialRampToValueAtTime(0.001, start + 0.15);
  tone.connect(volume).connect(audio.destination);
  tone.start(start);
  tone.stop(start + 0.16);
}

export function browserPlatform() {
  for (const kind of ["pointerdown", "keydown"]) addEventListener(kind, wakeAudio, { capture: true });
  return {
    now: () => performance.now(),
    setTimeout: (task, ms) => setTimeout(task, ms),
    clearTimeout: (timer) => clearTimeout(timer),
    // 24 random bits: every value a float holds exactly, never 1.
    random: () => (crypto.getRandomValues(new Uint32Array(1))[0] >>> 8) / 16777216,
    beep,
    download(blob, name) {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = name;
      link.click();
      // Once the browser has taken the file.
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },
  };
}

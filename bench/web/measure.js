// The web benchmark (bench/web.sh): rollbox1's page beside its GLUT twin
// (build-web/twin), each loaded in turn in one headless chromium (once each
// before the rounds, so that the browser's own start, its GPU process's
// included, is not the page's), ROUNDS rounds of SECONDS each. Per page and
// round: the time from navigation to the first frame; frames drawn against the page's animation frames over the span
// after a warm-up; the processor time a frame costs (every process of the
// browser, from /proc); and once, the bytes the page transfers, gzipped.
//
//   node bench/web/measure.js BUILD_WEB_DIR [ROUNDS [SECONDS]]
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("../../tests/web/node_modules/puppeteer-core");
const { serve } = require("../../tests/web/support/server");

const build = path.resolve(process.argv[2] || "build-web");
const rounds = Number(process.argv[3] || 3);
const seconds = Number(process.argv[4] || 8);
const WARM_UP_MS = 2000;
const TICKS_PER_SECOND = 100; // /proc's clock ticks

// How each page reports its frames.
const PAGES = [
  { name: "rollbox1", folder: "site", frames: "rollbox.frames", first: "rollbox.firstFrameAt" },
  { name: "glut twin", folder: "twin", frames: "twin.framesDrawn || 0", first: "twin.firstFrameAt || 0" },
];

const FLAGS = [
  "--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
  "--disable-gpu-sandbox", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync",
];

// Processor seconds of a process and all its descendants.
function treeCpu(pid) {
  let ticks = 0;
  const children = new Map();
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      children.set(Number(entry), { parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch (error) {
      // gone meanwhile
    }
  }
  const mine = new Set([pid]);
  for (let grew = true; grew; ) {
    grew = false;
    for (const [child, info] of children) if (!mine.has(child) && mine.has(info.parent)) mine.add(child), (grew = true);
  }
  for (const member of mine) ticks += children.get(member) ? children.get(member).ticks : 0;
  return ticks / TICKS_PER_SECOND;
}

function gzippedBytes(folder) {
  let total = 0;
  for (const file of fs.readdirSync(folder)) total += zlib.gzipSync(fs.readFileSync(path.join(folder, file)), { level: 9 }).length;
  return total;
}

async function round(browser, server, site) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    window.animationFrames = 0;
    const tick = () => {
      window.animationFrames++;
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  });
  await page.goto(server.url);
  await page.waitForFunction(`${site.frames} > 0`, { timeout: 60000, polling: 10 });
  const firstFrame = await page.evaluate(site.first);
  await new Promise((resolve) => setTimeout(resolve, WARM_UP_MS));
  const read = () => page.evaluate(`[${site.frames}, window.animationFrames]`);
  const [frames0, ticks0] = await read();
  const cpu0 = treeCpu(browser.process().pid);
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const [frames1, ticks1] = await read();
  const cpu1 = treeCpu(browser.process().pid);
  await page.close();
  const frames = frames1 - frames0;
  return {
    firstFrame,
    framesPerSecond: frames / seconds,
    drawnShare: frames / (ticks1 - ticks0),
    cpuPerFrameMs: ((cpu1 - cpu0) * 1000) / frames,
  };
}

(async () => {
  const results = new Map(PAGES.map((site) => [site.name, []]));
  const profile = fs.mkdtempSync("/tmp/rollbox1-bench-");
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile, args: FLAGS });
  const servers = new Map();
  for (const site of PAGES) {
    servers.set(site.name, await serve(path.join(build, site.folder)));
    const warmUp = await browser.newPage();
    await warmUp.goto(servers.get(site.name).url);
    await warmUp.waitForFunction(`${site.frames} > 0`, { timeout: 60000, polling: 10 });
    await warmUp.close();
  }
  for (let r = 1; r <= rounds; r++)
    for (const site of PAGES) {
      const result = await round(browser, servers.get(site.name), site);
      results.get(site.name).push(result);
      console.log(
        `round ${r} ${site.name.padEnd(9)}: first frame ${result.firstFrame.toFixed(0)} ms after navigation, ` +
          `${result.framesPerSecond.toFixed(1)} frames/s, drawn for ${(100 * result.drawnShare).toFixed(1)}% ` +
          `of animation frames, ${result.cpuPerFrameMs.toFixed(2)} ms processor time a frame`
      );
    }
  await browser.close();
  for (const server of servers.values()) server.close();
  fs.rmSync(profile, { recursive: true, force: true });
  const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
  const summary = {};
  for (const [name, list] of results)
    summary[name] = {
      firstFrame: median(list.map((x) => x.firstFrame)),
      drawnShare: median(list.map((x) => x.drawnShare)),
      cpuPerFrameMs: median(list.map((x) => x.cpuPerFrameMs)),
    };
  const ours = summary["rollbox1"];
  const twin = summary["glut twin"];
  console.log("\nmedians:");
  for (const [name, s] of Object.entries(summary))
    console.log(
      `  ${name.padEnd(9)}: first frame ${s.firstFrame.toFixed(0)} ms, drawn ${(100 * s.drawnShare).toFixed(1)}%, ` +
        `${s.cpuPerFrameMs.toFixed(2)} ms a frame`
    );
  const jsWasm = ["rollbox1.js", "rollbox1.wasm"].reduce(
    (sum, file) => sum + zlib.gzipSync(fs.readFileSync(path.join(build, "site", file)), { level: 9 }).length, 0);
  console.log(`  processor time a frame, rollbox1 / twin: ${(ours.cpuPerFrameMs / twin.cpuPerFrameMs).toFixed(2)}`);
  console.log(`  bytes the page transfers, gzipped: rollbox1 ${gzippedBytes(path.join(build, "site"))} ` +
    `(.js + .wasm ${jsWasm}), twin ${gzippedBytes(path.join(build, "twin"))}`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});

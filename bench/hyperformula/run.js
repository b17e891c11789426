'use strict';
// Runs one benchmark workload in HyperFormula and prints its numbers as one JSON line, with the
// fields of bench_grid_compare's runs. Usage: node --expose-gc run.js WORKLOAD
const fs = require('fs');
const { HyperFormula, FunctionPlugin, FunctionArgumentType } = require('hyperformula');
const { makeWorkload, workloadNames, CHAIN_LENGTH, DEFAULT_THICKNESS, DEFAULT_DENSITY } =
  require('./workloads');

const RECALC_RUNS = 11; // as many as the native runner times
const SLOW_CALC_MS = 2000; // beyond this, one recalculation is measured, not eleven

class PlateMassPlugin extends FunctionPlugin {
  plateMass(ast, state) {
    return this.runFunction(ast.args, state, this.metadata('PLATEMASS'),
      (length, width, thickness, density) => length * width * thickness * density);
  }
}
PlateMassPlugin.implementedFunctions = {
  PLATEMASS: {
    method: 'plateMass',
    parameters: [
      { argumentType: FunctionArgumentType.NUMBER },
      { argumentType: FunctionArgumentType.NUMBER },
      { argumentType: FunctionArgumentType.NUMBER, defaultValue: DEFAULT_THICKNESS },
      { argumentType: FunctionArgumentType.NUMBER, defaultValue: DEFAULT_DENSITY },
    ],
  },
};

function statusKb(field) {
  const match = fs.readFileSync('/proc/self/status', 'utf8').match(new RegExp(field + ':\\s+(\\d+)'));
  return match ? Number(match[1]) : 0;
}

function resetPeak() {
  try {
    fs.writeFileSync('/proc/self/clear_refs', '5');
  } catch (e) {
    // An older kernel keeps the peak since the start; the figure is then an upper bound.
  }
}

function nowMs() {
  return Number(process.hrtime.bigint()) / 1e6;
}

function median(samples) {
  const sorted = [...samples].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : 0;
}

function address(col, row) {
  return { sheet: 0, col: col - 1, row: row - 1 };
}

// Builds and evaluates; the build time is the total less HyperFormula's own evaluation time.
function build(workload) {
  const config = { licenseKey: 'gpl-v3', maxRows: workload.cells.rows.length + 10, useStats: true };
  const start = nowMs();
  const hf = HyperFormula.buildFromArray(workload.cells.rows, config);
  const totalMs = nowMs() - start;
  const stats = hf.getStats();
  const firstCalcMs = (stats.get('TOP_SORT') || 0) + (stats.get('EVALUATION') || 0);
  return { hf, buildMs: totalMs - firstCalcMs, firstCalcMs };
}

function recalcMs(hf, firstCalcMs) {
  const runs = firstCalcMs > SLOW_CALC_MS ? 1 : RECALC_RUNS;
  const samples = [];
  for (let i = 0; i < runs; ++i) {
    const start = nowMs();
    hf.evaluator.run(); // the full evaluation buildFromArray runs; no public call does it alone
    samples.push(nowMs() - start);
  }
  return median(samples);
}

function edits(hf, workload) {
  const samples = [];
  let wrong = 0;
  for (const edit of workload.edits) {
    const start = nowMs();
    hf.setCellContents(address(edit.col, edit.headRow), [[edit.value]]);
    samples.push((nowMs() - start) * 1000);
    if (hf.getCellValue(address(edit.col, edit.tailRow)) !== edit.value + CHAIN_LENGTH - 1) ++wrong;
  }
  return { editUs: median(samples), wrong };
}

function checksum(hf, workload) {
  let sum = 0;
  let nonNumbers = 0;
  for (const [col, row] of workload.cells.formulas) {
    const v = hf.getCellValue(address(col, row));
    if (typeof v === 'number') sum += v;
    else ++nonNumbers;
  }
  return { sum, nonNumbers };
}

function run(name) {
  const workload = makeWorkload(name);
  if (workload.usesCustomFunction) {
    HyperFormula.registerFunctionPlugin(PlateMassPlugin, { enGB: { PLATEMASS: 'PLATEMASS' } });
  }
  if (global.gc) global.gc();
  const baselineKb = statusKb('VmRSS');
  resetPeak();
  const { hf, buildMs, firstCalcMs } = build(workload);
  const out = {
    engine: 'hyperformula', version: HyperFormula.version, workload: name,
    formulas: workload.cells.formulas.length, refused: 0,
    build_ms: buildMs, first_calc_ms: firstCalcMs, recalc_ms: recalcMs(hf, firstCalcMs),
  };
  if (workload.edits.length) {
    const { editUs, wrong } = edits(hf, workload);
    out.edit_us = editUs;
    out.wrong_edits = wrong;
  }
  out.peak_kb = statusKb('VmHWM') - baselineKb;
  const sum = checksum(hf, workload);
  out.checksum = sum.sum;
  out.non_numbers = sum.nonNumbers;
  return out;
}

const name = process.argv[2];
if (!workloadNames.includes(name)) {
  process.stderr.write(`usage: node run.js ${workloadNames.join('|')}\n`);
  process.exit(2);
}
process.stdout.write(JSON.stringify(run(name)) + '\n');

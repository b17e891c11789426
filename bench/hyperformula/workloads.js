'use strict';
// The benchmark workloads as HyperFormula takes them: the same cells as bench/Workloads.cpp
// builds (the checksums in the report confirm it), as rows of values and "=" formulas.

const CHAIN_COUNT = 1000;
const CHAIN_LENGTH = 100;
const CHAIN_EDITS = 1001;
const DEFAULT_THICKNESS = 10;
const DEFAULT_DENSITY = 7.85e-6;

// Formula patterns: "#" stands for the row, "@" for the row above.
function expand(pattern, row) {
  return '=' + pattern.replace(/#/g, String(row)).replace(/@/g, String(row - 1));
}

class CellList {
  constructor() {
    this.rows = [];
    this.formulas = []; // [col, row], 1-based
  }
  set(col, row, content) {
    while (this.rows.length < row) this.rows.push([]);
    const cells = this.rows[row - 1];
    while (cells.length < col) cells.push(null);
    cells[col - 1] = content;
  }
  addNumber(col, row, value) {
    this.set(col, row, value);
  }
  addPattern(col, row, pattern) {
    this.set(col, row, expand(pattern, row));
    this.formulas.push([col, row]);
  }
}

function fillLookup(w) {
  for (let r = 1; r <= 10000; ++r) {
    w.cells.addNumber(1, r, r);
    w.cells.addNumber(2, r, ((r * 7) % 20) + 1);
    w.cells.addNumber(3, r, (r % 13) * 2.5);
    w.cells.addPattern(4, r, 'IF(A#>C#*100,A#-C#,C#*2+A#/4)');
    w.cells.addPattern(5, r, 'VLOOKUP(B#,$H$1:$I$20,2,0)*C#+D#');
    w.cells.addPattern(6, r, 'INDEX($I$1:$I$20,MATCH(B#,$H$1:$H$20,0))+IF(E#>50,E#/2,E#)');
    if (r <= 20) {
      w.cells.addNumber(8, r, r);
      w.cells.addNumber(9, r, r * 1.5 + 0.25);
    }
  }
}

function fillRowChain(w) {
  w.cells.addNumber(1, 1, 1);
  for (let c = 2; c <= 6; ++c) w.cells.addNumber(c, 1, c - 1);
  for (let r = 2; r <= 100001; ++r) {
    w.cells.addNumber(1, r, r % 100);
    w.cells.addPattern(2, r, 'B@+A#');
    w.cells.addPattern(3, r, 'C@*0.5+B#');
    w.cells.addPattern(4, r, 'MAX(D@,C@)-A#/2');
    w.cells.addPattern(5, r, 'IF(E@>1000,E@-1000,E@+B@)');
    w.cells.addPattern(6, r, 'F@+D#-C#');
  }
}

function fillIndependent(w) {
  for (let r = 1; r <= 1000000; ++r) {
    w.cells.addNumber(1, r, (r % 1000) * 0.25);
    w.cells.addNumber(2, r, (r % 7) + 1);
    w.cells.addNumber(3, r, r % 100);
    w.cells.addPattern(4, r, 'A#*B#+C#');
  }
}

function fillChains(w) {
  for (let k = 0; k < CHAIN_COUNT; ++k) {
    const head = k * CHAIN_LENGTH + 1;
    w.cells.addNumber(1, head, k);
    for (let r = head + 1; r < head + CHAIN_LENGTH; ++r) w.cells.addPattern(1, r, 'A@+1');
  }
  for (let j = 0; j < CHAIN_EDITS; ++j) {
    const head = ((j * 7919) % CHAIN_COUNT) * CHAIN_LENGTH + 1;
    w.edits.push({ col: 1, headRow: head, tailRow: head + CHAIN_LENGTH - 1, value: j + 0.5 });
  }
}

function fillRunningSum(w) {
  for (let r = 1; r <= 100000; ++r) {
    w.cells.addNumber(1, r, (r % 10) + 1);
    w.cells.addPattern(2, r, 'SUM(A$1:A#)');
  }
}

function fillCustom(w) {
  w.usesCustomFunction = true;
  const patterns = ['PLATEMASS(A#,B#)', 'PLATEMASS(A#,B#,C#)', 'PLATEMASS(A#,B#,C#,D#)'];
  for (let r = 1; r <= 100000; ++r) {
    w.cells.addNumber(1, r, (r % 50) + 100);
    w.cells.addNumber(2, r, (r % 30) + 10);
    w.cells.addNumber(3, r, (r % 5) + 5);
    w.cells.addNumber(4, r, DEFAULT_DENSITY + (r % 3) * 1e-7);
    w.cells.addPattern(5, r, patterns[r % 3]);
  }
}

const FILLERS = {
  lookup: fillLookup,
  rowchain: fillRowChain,
  independent: fillIndependent,
  chains: fillChains,
  runningsum: fillRunningSum,
  custom: fillCustom,
};

// The named workload, or null.
function makeWorkload(name) {
  const fill = FILLERS[name];
  if (!fill) return null;
  const w = { name, cells: new CellList(), edits: [], usesCustomFunction: false };
  fill(w);
  return w;
}

module.exports = {
  makeWorkload,
  workloadNames: Object.keys(FILLERS),
  CHAIN_LENGTH,
  DEFAULT_THICKNESS,
  DEFAULT_DENSITY,
};

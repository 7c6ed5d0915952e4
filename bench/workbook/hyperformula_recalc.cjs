// Runs the benchmark's workbook (JSON written by workbook_bench) through HyperFormula and
// prints its full recalculation time and the checksum of all numeric values.
const fs = require('fs');
const { HyperFormula } = require('hyperformula');

const book = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const hf = HyperFormula.buildFromSheets(book.sheets, { licenseKey: 'gpl-v3' });

function checksum() {
  let sum = 0;
  const all = hf.getAllSheetsValues();
  for (const name of Object.keys(all))
    for (const row of all[name])
      for (const v of row)
        if (typeof v === 'number') sum += v;
  return sum;
}

const runs = Number(process.argv[3] || 20);
const times = [];
for (let i = 0; i < runs; ++i) {
  const start = process.hrtime.bigint();
  hf.rebuildAndRecalculate();
  times.push(Number(process.hrtime.bigint() - start) / 1e6);
}
times.sort((a, b) => a - b);
console.log(`recalc_ms=${times[Math.floor(times.length / 2)]} checksum=${checksum()}`);

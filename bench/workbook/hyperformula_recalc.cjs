// Runs the benchmark's workbook (JSON written by workbook_bench) through HyperFormula and
// prints its full recalculation time and the checksum of all numeric values. Given our
// results as well (same layout), it lists the first cells where the two disagree on stderr.
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

function same(peer, ours) {
  if (typeof peer === 'number' && typeof ours === 'number')
    return Math.abs(peer - ours) <= 1e-9 * Math.max(1, Math.abs(ours));
  return typeof peer !== 'number' && typeof ours !== 'number';
}

function listDifferences(oursPath) {
  const ours = JSON.parse(fs.readFileSync(oursPath, 'utf8')).sheets;
  const all = hf.getAllSheetsValues();
  let count = 0;
  for (const name of Object.keys(ours))
    ours[name].forEach((row, r) => row.forEach((value, c) => {
      const peer = (all[name][r] || [])[c];
      if (!same(peer, value) && count++ < 10)
        console.error(`${name}!R${r + 1}C${c + 1}: ours ${JSON.stringify(value)}, hyperformula ${JSON.stringify(peer)}`);
    }));
  if (count)
    console.error(`${count} cells differ`);
}

const runs = Number(process.argv[3] || 20);
const times = [];
for (let i = 0; i < runs; ++i) {
  const start = process.hrtime.bigint();
  hf.rebuildAndRecalculate();
  times.push(Number(process.hrtime.bigint() - start) / 1e6);
}
times.sort((a, b) => a - b);
if (process.argv[4])
  listDifferences(process.argv[4]);
console.log(`recalc_ms=${times[Math.floor(times.length / 2)]} checksum=${checksum()}`);

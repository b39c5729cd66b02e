// What a data-minded researcher would run in DuckDB for `tolvane-cli summary`
// and `tolvane-cli stats` on one file.
//
// usage: node summary_duckdb.js FILE [THREADS]
// (with @duckdb/node-api on NODE_PATH)
//
// Reads the program's five-field export form, or a data set of sold listings
// with the header title,sold_price_usd,ended_at,item_id; cleans the price
// text ("$" and the grouping comma), keeps the first record of each item
// number, and prints the number of items, the average, low and high price,
// the average number of bids ("-" counting as none) and the median price.
const fs = require('fs');
const {DuckDBInstance} = require('@duckdb/node-api');

function Query(file) {
  const name = file.replace(/'/g, '\'\'');
  const start = fs.readFileSync(file, {encoding: 'latin1', flag: 'r'})
                    .slice(0, 64);
  const read = start.startsWith('title,')
      ? `SELECT item_id AS item, sold_price_usd AS price, NULL AS bids
           FROM read_csv('${name}', header = true, all_varchar = true)`
      : `SELECT column0 AS item, column2 AS price, column3 AS bids
           FROM read_csv('${name}', header = false, all_varchar = true,
                         quote = '"', escape = '"')`;
  // first() keeps the record DuckDB meets first for each item: the file's
  // first on one thread, and the same figures on any file whose item
  // numbers are distinct, such as bench/make_csv.py's.
  return `
    WITH raw AS (${read}),
    cleaned AS (
      SELECT item, bids,
             TRY_CAST(replace(replace(price, '$', ''), ',', '') AS FLOAT)
               AS value
        FROM raw),
    firsts AS (
      SELECT first(value) AS value, first(bids) AS bids
        FROM cleaned WHERE value IS NOT NULL GROUP BY item)
    SELECT count(*) AS items, avg(value) AS mean, min(value) AS low,
           max(value) AS high,
           avg(CASE WHEN regexp_full_match(bids, '[0-9]+')
                    THEN CAST(bids AS DOUBLE) ELSE 0 END) AS mean_bids,
           median(value) AS median
      FROM firsts`;
}

async function Main() {
  const file = process.argv[2];
  const threads = process.argv[3] || '2';
  const instance = await DuckDBInstance.create(':memory:', {threads});
  const connection = await instance.connect();
  const reader = await connection.runAndReadAll(Query(file));
  const row = reader.getRowObjectsJson()[0];
  const money = (v) => '$' + Number(v).toLocaleString('en-US', {
    minimumFractionDigits: 2,
    maximumFractionDigits: 2,
  });
  console.log(`Total Items: ${row.items}`);
  console.log(`Average End Price: ${money(row.mean)}`);
  console.log(`Low: ${money(row.low)}`);
  console.log(`High: ${money(row.high)}`);
  console.log(`Average number of bids: ${Number(row.mean_bids).toFixed(2)}`);
  console.log(`Median: ${money(row.median)}`);
}

Main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});

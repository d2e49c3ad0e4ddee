'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { FILES } = require('./harness');
const { makeIcon, crc32 } = require('../../files/tools/make-icon.js');

const png = fs.readFileSync(path.join(FILES, 'VNLObject.png'));

function chunks(buffer) {
  const list = [];
  let offset = 8;
  while (offset < buffer.length) {
    const length = buffer.readUInt32BE(offset);
    const type = buffer.toString('ascii', offset + 4, offset + 8);
    const data = buffer.subarray(offset + 8, offset + 8 + length);
    const crc = buffer.readUInt32BE(offset + 8 + length);
    list.push({ type, data, crc, computed: crc32(buffer.subarray(offset + 4, offset + 8 + length)) });
    offset += 12 + length;
  }
  return list;
}

test('the icon is an 18x18 RGBA PNG with correct checksums', () => {
  assert.ok(png.subarray(0, 8).equals(Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a])));
  const list = chunks(png);
  assert.deepEqual(list.map((c) => c.type), ['IHDR', 'IDAT', 'IEND']);
  for (const c of list) assert.equal(c.crc, c.computed, c.type);
  const header = list[0].data;
  assert.equal(header.readUInt32BE(0), 18);
  assert.equal(header.readUInt32BE(4), 18);
  assert.equal(header[8], 8);
  assert.equal(header[9], 6);
  const pixels = zlib.inflateSync(list[1].data);
  assert.equal(pixels.length, 18 * (1 + 18 * 4));
});

test('the icon is neither empty nor fully opaque', () => {
  const pixels = zlib.inflateSync(chunks(png)[1].data);
  let opaque = 0;
  let clear = 0;
  for (let y = 0; y < 18; y++) {
    for (let x = 0; x < 18; x++) {
      const alpha = pixels[y * 73 + 1 + x * 4 + 3];
      if (alpha === 255) opaque++;
      if (alpha === 0) clear++;
    }
  }
  assert.ok(opaque > 50, 'draws something');
  assert.ok(clear > 20, 'has a transparent background');
});

test('the checked-in icon is what files/tools/make-icon.js draws', () => {
  assert.ok(makeIcon().equals(png), 'run: node files/tools/make-icon.js');
});

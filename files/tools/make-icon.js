#!/usr/bin/env node
// Draws the 18x18 insert-bar icon of the Vantrelle object (a small menu bar
// with a drop-down list) and writes it as a PNG file.
// Usage: node files/tools/make-icon.js [output.png]   (default: files/VNLObject.png)
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const SIZE = 18;

// One character per pixel: . transparent, # frame, b bar, h highlighted item,
// w item, s shadow.
const PICTURE = [
  '..................',
  '.################.',
  '.#bbbbbbbbbbbbbb#.',
  '.#bbhhhbbbbbbbbb#.',
  '.#bbbbbbbbbbbbbb#.',
  '.################.',
  '..#wwwwwwwww#s....',
  '..#whhhhhhhw#s....',
  '..#wwwwwwwww#s....',
  '..#wwwwwwwww#s....',
  '..#whhhhhhww#s....',
  '..#wwwwwwwww#s....',
  '..#wwwwwwwww#s....',
  '..#whhhhhhhw#s....',
  '..#wwwwwwwww#s....',
  '..###########s....',
  '...ssssssssssss...',
  '..................',
];

const COLOURS = {
  '.': [0, 0, 0, 0],
  '#': [31, 58, 112, 255],
  'b': [74, 128, 204, 255],
  'h': [255, 255, 255, 255],
  'w': [236, 240, 247, 255],
  's': [0, 0, 0, 70],
};

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(buffer) {
  let c = 0xffffffff;
  for (const byte of buffer) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const length = Buffer.alloc(4);
  length.writeUInt32BE(data.length);
  const body = Buffer.concat([Buffer.from(type, 'ascii'), data]);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(body));
  return Buffer.concat([length, body, crc]);
}

function makeIcon() {
  if (PICTURE.length !== SIZE || PICTURE.some((row) => row.length !== SIZE)) {
    throw new Error('the picture must be 18 by 18');
  }
  const raw = Buffer.alloc(SIZE * (1 + SIZE * 4));
  PICTURE.forEach((row, y) => {
    const offset = y * (1 + SIZE * 4);
    raw[offset] = 0; // filter: none
    for (let x = 0; x < SIZE; x++) {
      Buffer.from(COLOURS[row[x]]).copy(raw, offset + 1 + x * 4);
    }
  });
  const header = Buffer.alloc(13);
  header.writeUInt32BE(SIZE, 0);
  header.writeUInt32BE(SIZE, 4);
  header[8] = 8; // bits per sample
  header[9] = 6; // RGBA
  header[10] = 0; // deflate
  header[11] = 0; // adaptive filtering
  header[12] = 0; // no interlace
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(raw, { level: 9 })),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

module.exports = { makeIcon, crc32, SIZE };

if (require.main === module) {
  const output = process.argv[2] || path.join(__dirname, '..', 'VNLObject.png');
  fs.writeFileSync(output, makeIcon());
}

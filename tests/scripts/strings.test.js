'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { createHost, readSource, FILES, CONFIG_URL } = require('./harness');

const parse = (text) => createHost().load('Loomlet.js').context.VNL.parseStrings(text);

test.describe('strings file parser', () => {
  test('maps each id to its value', () => {
    const table = parse('<?xml version="1.0"?><strings><string id="a" value="One" />\n<string id="b" value="Two"/></strings>');
    assert.equal(table.a, 'One');
    assert.equal(table.b, 'Two');
    assert.deepEqual(Object.keys(table).sort(), ['a', 'b']);
  });

  test('decodes entities and character references', () => {
    const table = parse('<strings><string id="x" value="&lt;b&gt; &amp; &quot;q&quot; &apos;s&apos;&#10;&#x41;" /></strings>');
    assert.equal(table.x, '<b> & "q" \'s\'\nA');
  });

  test('accepts single quotes, line breaks between attributes and > inside a value', () => {
    const table = parse("<strings><string\n   value='a > b'\n   id='cmp' /></strings>");
    assert.equal(table.cmp, 'a > b');
  });

  test('skips entries inside comments', () => {
    const table = parse('<strings><!-- <string id="old" value="no" /> --><string id="new" value="yes" /></strings>');
    assert.equal(table.old, undefined);
    assert.equal(table.new, 'yes');
  });

  test('a later definition replaces an earlier one', () => {
    assert.equal(parse('<string id="a" value="1" /><string id="a" value="2" />').a, '2');
  });

  test('ignores entries without id or value and the strings element itself', () => {
    const table = parse('<strings id="root" value="no"><string value="x" /><string id="y" /><stringy id="z" value="no" /></strings>');
    assert.deepEqual(Object.keys(table), []);
  });

  test('an empty value is kept', () => {
    assert.equal(parse('<string id="e" value="" />').e, '');
  });
});

test.describe('strings loader', () => {
  test('reads the file from the Strings folder of the configuration, once', () => {
    const host = createHost().load('Loomlet.js');
    const { VNL } = host.context;
    assert.equal(VNL.getString('vnl/floater/ready'), 'Ready.');
    assert.equal(VNL.getString('vnl/floater/start'), 'Start Vantrelle');
    assert.deepEqual(host.reads, [CONFIG_URL + '/Strings/VNLStringsEN.xml']);
  });

  test('fills %1 and %2 from the arguments and keeps %%', () => {
    const host = createHost({ strings: '<strings><string id="t" value="%2 before %1, 100%%" /></strings>' }).load('Loomlet.js');
    assert.equal(host.context.VNL.getString('t', 'one', 'two'), 'two before one, 100%');
  });

  test('an unknown id shows as itself', () => {
    const host = createHost().load('Loomlet.js');
    assert.equal(host.context.VNL.getString('vnl/nothing'), 'vnl/nothing');
  });

  test('a missing strings file falls back to dw.loadString, then to the id', () => {
    const host = createHost({ strings: null });
    host.context.dw.loadString = (id) => (id === 'known' ? 'From Dreamweaver' : '');
    host.load('Loomlet.js');
    assert.equal(host.context.VNL.getString('known'), 'From Dreamweaver');
    assert.equal(host.context.VNL.getString('unknown'), 'unknown');
  });
});

test.describe('the shipped strings file', () => {
  const table = parse(readSource('VNLStringsEN.xml'));

  test('holds every text id that the shipped scripts ask for', () => {
    const used = new Set();
    for (const name of ['Loomlet.js', 'VNLObject.js', 'VNLFloater.js']) {
      const source = readSource(name);
      for (const match of source.matchAll(/"(vnl\/[A-Za-z]+\/[A-Za-z]+)"/g)) used.add(match[1]);
    }
    assert.ok(used.size >= 20, 'found the ids in the scripts');
    const missing = [...used].filter((id) => !(id in table));
    assert.deepEqual(missing, []);
  });

  test('has no empty texts', () => {
    const empty = Object.keys(table).filter((id) => table[id].trim() === '');
    assert.deepEqual(empty, []);
  });

  test('is well-formed XML where xmllint is available', (t) => {
    const { spawnSync } = require('node:child_process');
    const result = spawnSync('xmllint', ['--noout', path.join(FILES, 'VNLStringsEN.xml')]);
    if (result.error) return t.skip('xmllint is not installed');
    assert.equal(result.status, 0, String(result.stderr));
  });
});

test.describe('the shipped scripts', () => {
  // Dreamweaver MX 2004's engine knows ECMAScript 3 only.
  function codeOnly(source) {
    return source
      .replace(/\/\*[\s\S]*?\*\//g, '')
      .replace(/\/\/[^\n]*/g, '')
      .replace(/"(?:[^"\\\n]|\\.)*"/g, '""')
      .replace(/'(?:[^'\\\n]|\\.)*'/g, "''");
  }

  for (const name of fs.readdirSync(FILES).filter((f) => f.endsWith('.js'))) {
    test(`${name} uses no syntax or library calls newer than ECMAScript 3`, () => {
      const code = codeOnly(readSource(name));
      const forbidden = [
        [/=>/, 'arrow function'], [/\blet\s/, 'let'], [/\bconst\s/, 'const'], [/`/, 'template string'],
        [/\.(forEach|map|filter|reduce|some|every|includes|startsWith|endsWith|trim)\s*\(/, 'ES5+ method'],
        [/\bclass\s/, 'class'], [/\.\.\.[A-Za-z_]/, 'spread'], [/\bJSON\./, 'JSON'],
        [/,\s*[}\]]/, 'trailing comma'],
      ];
      for (const [pattern, what] of forbidden) {
        assert.doesNotMatch(code, pattern, what);
      }
    });
  }
});

'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { createHost, readSource, FILES, CONFIG_URL, USER_CONFIG_URL } = require('./harness');

// How CommandLineToArgvW splits the arguments after the program name,
// written independently of the code under test.
function splitCommandLine(line) {
  const args = [];
  for (let i = 0; ;) {
    while (line[i] === ' ' || line[i] === '\t') i++;
    if (i >= line.length) return args;
    let arg = '';
    for (let quoted = false; i < line.length && (quoted || (line[i] !== ' ' && line[i] !== '\t'));) {
      if (line[i] === '\\') {
        let count = 0;
        while (line[i] === '\\') { count++; i++; }
        if (line[i] !== '"') arg += '\\'.repeat(count);
        else if (count % 2) { arg += '\\'.repeat(count >> 1) + '"'; i++; }
        else arg += '\\'.repeat(count >> 1);
      } else if (line[i] === '"') {
        if (quoted && line[i + 1] === '"') { arg += '"'; i += 2; } else { quoted = !quoted; i++; }
      } else {
        arg += line[i++];
      }
    }
    args.push(arg);
  }
}

test('every argument survives the Windows command-line splitter, quoted only when it must be', () => {
  const { VNL } = createHost().context;
  assert.equal(VNL.buildCommandLine(['C:\\Program Files\\V.exe', 'site.vnl', '', 'C:\\dir\\']),
    '"C:\\Program Files\\V.exe" site.vnl "" C:\\dir\\');
  const samples = ['a b', '"', '\\', 'a\\', 'a \\', '\\"', 'x\\\\"y', 'tab\there', 'C:\\My Menus\\'];
  for (let n = 0, seed = 7; n < 400; n++) {
    let sample = '';
    for (let i = 0; i < n % 9; i++) sample += 'a \\"\tb'[(seed = (seed * 1103515245 + 12345) % 2147483648) % 6];
    samples.push(sample);
  }
  for (const sample of samples) {
    assert.deepEqual(splitCommandLine('p.exe ' + VNL.buildCommandLine(['x', sample, 'y'])).slice(1), ['x', sample, 'y'],
      JSON.stringify(sample));
  }
});

test('a followed process is checked on timers until it ends, then reported once', () => {
  const host = createHost();
  const exits = [];
  const id = host.context.Loomlet.Execute('p.exe');
  host.run(({ VNL }) => VNL.followProcess(id, { interval: 100, onExit: (code) => exits.push(code) }));
  assert.deepEqual(host.calls, ['Execute'], 'no native call before followProcess returns');
  host.advance(300);
  assert.deepEqual([exits, host.calls.filter((c) => c === 'Wait').length], [[], 4]);
  host.processes[id] = 3;
  host.advance(1000);
  assert.deepEqual(exits, [3]);
});

test('following ends at the time-out, or when cancelled, and leaves the process alone', () => {
  const host = createHost();
  const events = [];
  const follow = (timeout) => host.context.VNL.followProcess(host.context.Loomlet.Execute('p.exe'),
    { interval: 250, timeout, onExit: () => events.push('exit'), onTimeout: () => events.push('timeout ' + timeout) });
  follow(1000);
  follow(0);
  follow(500).cancel();
  host.advance(999);
  assert.deepEqual(events, []);
  host.advance(2 * 3600 * 1000);
  assert.deepEqual(events, ['timeout 1000']);
  assert.deepEqual(Object.values(host.processes), [259, 259, 259]);
});

test('settings live beside the Temp folder of the user, else in the shared folder, and read with defaults', () => {
  const host = createHost();
  const { VNL } = host.context;
  assert.equal(VNL.getSettingsFile(), USER_CONFIG_URL.slice(8).replace('|', ':').replace(/\//g, '\\') + '\\VNLSettings.ini');
  assert.match(createHost({ tempFolder: false }).context.VNL.getSettingsFile(), /MX 2004\\Configuration\\Shared\\Common\\VNLSettings\.ini$/);
  for (const [stored, fallback, expected] of [['', 'd', 'd'], ['x', 'd', 'x'], ['12', 5, 12], ['twelve', 5, 5], [' ', 5, 5]]) {
    assert.equal(VNL.writeSetting('S', 'K', stored), true);
    assert.equal(VNL.readSetting('S', 'K', fallback), expected, JSON.stringify(stored));
  }
  const bare = createHost({ library: false }).context.VNL;
  assert.deepEqual([bare.readSetting('S', 'K', 'd'), bare.writeSetting('S', 'K', 'v')], ['d', false]);
});

test('the program is the registered file, or Vantrelle.exe in a registered folder, and only when installed', () => {
  const host = createHost();
  for (const [registered, expected] of [['C:\\V\\Vantrelle.EXE', 'C:\\V\\Vantrelle.EXE'], ['C:\\V\\', 'C:\\V\\Vantrelle.exe']]) {
    host.programPath = registered;
    assert.equal(host.context.VNL.getProgramFile(), expected);
  }
  host.installed = false;
  host.calls.length = 0;
  assert.equal(host.context.VNL.getProgramFile(), '');
  assert.deepEqual(host.calls, ['IsExtensionInstalled']);
  assert.equal(createHost({ library: false }).context.VNL.getProgramFile(), '');
});

test('file URLs become Windows paths', () => {
  const { VNL } = createHost().context;
  assert.equal(VNL.urlToPath('file:///C|/My%20Site/a.html'), 'C:\\My Site\\a.html');
  assert.equal(VNL.urlToPath('file://server/share/x%'), '\\\\server\\share\\x%');
  assert.equal(VNL.parentURL(CONFIG_URL + '//'), CONFIG_URL.slice(0, CONFIG_URL.lastIndexOf('/')));
});

test('strings files are read once, with entities, comments and later definitions as XML has them', () => {
  const host = createHost({ strings: '<strings><!-- <string id="a" value="commented" /> -->\n' +
    '<string id="a" value="&lt;%2 &amp; %1&#62; 100%%"/><string\nid=\'b\' value=\'x > "y"\' /><string id="b" value="z" />' +
    '<string value="no id" /><string id="c" /></strings>' });
  const { VNL } = host.context;
  assert.equal(VNL.getString('a', 'one', 'two'), '<two & one> 100%');
  assert.deepEqual([VNL.getString('b'), VNL.getString('c'), VNL.getString('vnl/none')], ['z', 'c', 'vnl/none']);
  const fallback = createHost({ strings: null });
  fallback.context.dw.loadString = (id) => (id === 'known' ? 'From Dreamweaver' : '');
  assert.deepEqual([fallback.context.VNL.getString('known'), fallback.context.VNL.getString('x')], ['From Dreamweaver', 'x']);
});

test('the shipped strings file holds every text the shipped scripts ask for', () => {
  const table = createHost().context.VNL.parseStrings(readSource('VNLStringsEN.xml'));
  const used = new Set();
  for (const name of ['Loomlet.js', 'VNLObject.js', 'VNLFloater.js']) {
    for (const match of readSource(name).matchAll(/"(vnl\/\w+\/\w+)"/g)) used.add(match[1]);
  }
  assert.ok(used.size >= 15);
  assert.deepEqual([...used].filter((id) => !table[id]), []);
});

test('the shipped scripts keep to ECMAScript 3, all that Dreamweaver MX 2004 runs', () => {
  for (const name of fs.readdirSync(FILES).filter((file) => file.endsWith('.js'))) {
    const code = readSource(name).replace(/\/\/[^\n]*/g, '').replace(/"(?:[^"\\\n]|\\.)*"/g, '""');
    for (const pattern of [/=>/, /\b(let|const|class)\s/, /`/, /\.(forEach|map|filter|reduce|some|every|includes|trim)\(/, /\bJSON\./, /,\s*[}\]]/]) {
      assert.doesNotMatch(code, pattern, name);
    }
  }
});

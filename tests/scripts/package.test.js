'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { ROOT, FILES, readSource } = require('./harness');

const SCRIPT = path.join(ROOT, 'scripts', 'make-package');
const mxi = readSource('VNLExtensionEN.mxi');

// Where the installer puts each file, relative to a configuration folder.
const DEPLOYED = {
  'Loomlet.dll': 'JSExtensions',
  'VNLFloater.html': 'Floaters',
  'VNLFloater.js': 'Floaters',
  'VNLObject.html': 'Objects/Common',
  'VNLObject.js': 'Objects/Common',
  'VNLObject.png': 'Objects/Common',
  'VNLStringsEN.xml': 'Strings',
  'VNLHelpEN.html': 'Help',
  'Loomlet.js': 'Shared/Common/Scripts',
};

function listedFiles() {
  return [...mxi.matchAll(/<file\s+source="([^"]+)"\s+destination="([^"]+)"/g)]
    .map((m) => ({ source: m[1], destination: m[2] }));
}

// The entries of a ZIP archive, read with unzip (installed by scripts/bootstrap).
function readZip(file) {
  const names = spawnSync('unzip', ['-Z1', file], { encoding: 'utf8' });
  assert.equal(names.status, 0, names.stderr);
  const entries = {};
  for (const name of names.stdout.split('\n').filter(Boolean)) {
    entries[name] = spawnSync('unzip', ['-p', file, name]).stdout;
  }
  return entries;
}

function projectVersion() {
  const cmake = fs.readFileSync(path.join(ROOT, 'CMakeLists.txt'), 'utf8');
  const match = cmake.match(/project\s*\(\s*\w+\s+VERSION\s+([0-9.]+)/);
  assert.ok(match, 'the root CMakeLists.txt names a project version');
  return match[1];
}

function run(args) {
  return spawnSync('bash', [SCRIPT, ...args], { encoding: 'utf8' });
}

test.describe('package description', () => {
  test('lists each deployed file once, with the folder the installer uses', () => {
    const listed = listedFiles();
    assert.deepEqual(listed.map((f) => f.source).sort(), Object.keys(DEPLOYED).sort());
    for (const { source, destination } of listed) {
      assert.equal(destination, '$dreamweaver/configuration/' + DEPLOYED[source], source);
    }
  });

  test('every listed file except the built library is in files/', () => {
    for (const { source } of listedFiles()) {
      if (source !== 'Loomlet.dll') assert.ok(fs.existsSync(path.join(FILES, source)), source);
    }
  });

  test('adds the same menu and insert-bar entries as the installer', () => {
    assert.match(mxi, /<menu-insert insertAfter="DWMenu_Window_HTML">\s*<menuitem id="DWMenu_Window_VNL" name="Vantrelle Extension"[^>]*command="dw.toggleFloater\('VNLfloater'\)"/);
    assert.match(mxi, /<menu-insert insertAfter="DWMenu_Insert_Comment">\s*<menuitem id="DWMenu_Insert_VNLobject" name="Vantrelle"[^>]*command="dw.getDocumentDOM \(\).insertObject \('VNLobject'\)"/);
    assert.match(mxi, /insertAfter="DW_TagChooser">\s*<separator id="VNL_Object_sep" \/>/);
    assert.match(mxi, /<button file="Common\\VNLobject.html" id="VNL_Object" image="Common\\VNLobject.png" name="Vantrelle" \/>/);
  });

  test('is well-formed XML where xmllint is available', (t) => {
    const result = spawnSync('xmllint', ['--noout', path.join(FILES, 'VNLExtensionEN.mxi')]);
    if (result.error) return t.skip('xmllint is not installed');
    assert.equal(result.status, 0, String(result.stderr));
  });

  test('the pages find the shared script where the package puts it', () => {
    const scriptFolder = DEPLOYED['Loomlet.js'];
    for (const [page, folder] of [['VNLObject.html', DEPLOYED['VNLObject.html']], ['VNLFloater.html', DEPLOYED['VNLFloater.html']]]) {
      const src = readSource(page).match(/src="([^"]*Loomlet\.js)"/)[1];
      assert.equal(path.posix.join(folder, src), scriptFolder + '/Loomlet.js', page);
    }
  });
});

test.describe('make-package', () => {
  let work;
  test.beforeEach(() => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'vnl-package-'));
  });
  test.afterEach(() => fs.rmSync(work, { recursive: true, force: true }));

  test('writes the files, the versioned description and the package', () => {
    const version = projectVersion();
    const library = path.join(work, 'built.dll');
    fs.writeFileSync(library, 'MZ library');
    const out = path.join(work, 'dist', 'Files');
    const result = run(['--library', library, out, version]);
    assert.equal(result.status, 0, result.stderr);

    const description = fs.readFileSync(path.join(out, 'VNLExtensionEN.mxi'), 'utf8');
    assert.ok(!description.includes('@VERSION@'));
    assert.match(description, new RegExp(`version="${version.replace(/\./g, '\\.')}"`));
    assert.equal(description, mxi.replace('@VERSION@', version));

    const expected = ['VNLExtensionEN.mxi', ...listedFiles().map((f) => f.source)];
    const entries = readZip(path.join(out, 'VNLExtensionEN.mxp'));
    assert.deepEqual(Object.keys(entries).sort(), expected.sort());
    assert.equal(entries['VNLExtensionEN.mxi'].toString('utf8'), description);
    assert.equal(entries['Loomlet.dll'].toString(), 'MZ library');
    for (const { source } of listedFiles()) {
      if (source === 'Loomlet.dll') continue;
      assert.ok(entries[source].equals(fs.readFileSync(path.join(FILES, source))), source);
      assert.ok(fs.readFileSync(path.join(out, source)).equals(fs.readFileSync(path.join(FILES, source))), source);
    }
    assert.ok(fs.existsSync(path.join(out, 'Loomlet.dll')));
  });

  test('takes the library from the output folder by default and replaces an old package', () => {
    const out = path.join(work, 'Files');
    fs.mkdirSync(out);
    fs.writeFileSync(path.join(out, 'Loomlet.dll'), 'in place');
    fs.writeFileSync(path.join(out, 'VNLExtensionEN.mxp'), 'stale');
    assert.equal(run([out, '2.3.4']).status, 0);
    const entries = readZip(path.join(out, 'VNLExtensionEN.mxp'));
    assert.equal(entries['Loomlet.dll'].toString(), 'in place');
    assert.match(entries['VNLExtensionEN.mxi'].toString(), /version="2\.3\.4"/);
  });

  test('fails without the library', () => {
    const result = run([path.join(work, 'Files'), '1.0.0']);
    assert.notEqual(result.status, 0);
    assert.match(result.stderr, /Loomlet\.dll/);
    assert.ok(!fs.existsSync(path.join(work, 'Files', 'VNLExtensionEN.mxp')));
  });

  test('refuses a version that is not dotted numbers', () => {
    fs.writeFileSync(path.join(work, 'lib.dll'), 'x');
    for (const bad of ['', '1', 'v1.0', '1.0.0-beta', '1.0/0']) {
      const result = run(['--library', path.join(work, 'lib.dll'), path.join(work, 'Files'), bad]);
      assert.equal(result.status, 2, JSON.stringify(bad));
    }
  });

  test('refuses a wrong number of arguments', () => {
    assert.equal(run([work]).status, 2);
  });
});

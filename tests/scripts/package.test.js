'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { ROOT, FILES, readSource } = require('./harness');

const mxi = readSource('VNLExtensionEN.mxi');
const listed = [...mxi.matchAll(/<file source="([^"]+)" destination="\$dreamweaver\/configuration\/([^"]+)"/g)]
  .map((m) => [m[1], m[2]]);

test('the package description deploys each file where the installer does', () => {
  const installer = fs.readFileSync(path.join(ROOT, 'installer', 'DeployedFiles.hpp'), 'utf8');
  const start = installer.indexOf('ConfigurationFiles[]');
  const list = installer.slice(start, installer.indexOf('};', start));
  const deployed = [...list.matchAll(/\{"([^"]+)", "([^"]+)"\}/g)].map((m) => [m[1], m[2]])
    .filter(([file]) => file !== 'VNLExtensionEN.mxi');
  assert.deepEqual(listed, [...deployed, ['Loomlet.js', 'Shared/Common/Scripts']]);
});

test('the package description adds the installer\'s entries after the same anchors', () => {
  const insertions = [...mxi.matchAll(/insertAfter="(\w+)">\s*<(\w+) id="(\w+)"/g)].map((m) => m.slice(1).join(' '));
  assert.deepEqual(insertions, ['DWMenu_Window_HTML menuitem DWMenu_Window_VNL',
    'DWMenu_Insert_Comment menuitem DWMenu_Insert_VNLobject', 'DW_TagChooser separator VNL_Object_sep']);
  assert.match(mxi, /insertAfter="VNL_Object_sep">\s*<button file="Common\\VNLobject.html" id="VNL_Object"/);
});

test('make-package writes the versioned description and a package of it and every listed file', () => {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'vnl-package-'));
  try {
    fs.writeFileSync(path.join(out, 'built.dll'), 'MZ library');
    const made = spawnSync('bash', [path.join(ROOT, 'scripts', 'make-package'), '--library', path.join(out, 'built.dll'), out, '2.3.4']);
    assert.equal(made.status, 0, String(made.stderr));
    assert.equal(fs.readFileSync(path.join(out, 'VNLExtensionEN.mxi'), 'utf8'), mxi.replace('@VERSION@', '2.3.4'));
    const zip = path.join(out, 'VNLExtensionEN.mxp');
    const entries = spawnSync('unzip', ['-Z1', zip], { encoding: 'utf8' }).stdout.split('\n').filter(Boolean);
    assert.deepEqual(entries.sort(), ['VNLExtensionEN.mxi', ...listed.map(([file]) => file)].sort());
    const packed = (name) => spawnSync('unzip', ['-p', zip, name]).stdout;
    assert.equal(packed('Loomlet.dll').toString(), 'MZ library');
    assert.ok(packed('VNLObject.png').equals(fs.readFileSync(path.join(FILES, 'VNLObject.png'))));
  } finally {
    fs.rmSync(out, { recursive: true, force: true });
  }
});

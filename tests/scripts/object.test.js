'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createHost, readSource } = require('./harness');

const objectTag = (options, before = () => {}) => {
  const host = createHost({ load: ['VNLObject.js'], ...options });
  before(host);
  return { host, tag: host.run(({ objectTag }) => objectTag()) };
};

test('the object inserts a marked menu element with an id the page does not use yet', () => {
  assert.equal(objectTag().tag, '<!-- Vantrelle menu --><div id="vantrelleMenu1" class="vantrelle-menu">' +
    '<script type="text/javascript" src="vantrelle/menu.js"></script></div>');
  const page = '<div id="vantrelleMenu1"></div><div ID = \'vantrelleMenu2\'></div><p id="vantrelleMenu30">';
  assert.match(objectTag({ documentSource: page }).tag, /<div id="vantrelleMenu3" /);
  const custom = objectTag({}, (host) => host.context.VNL.writeSetting('Object', 'MenuScript', 'menus/top "a".js'));
  assert.match(custom.tag, /src="menus\/top &quot;a&quot;\.js"/);
});

test('the object inserts nothing and says why without the program or the library', () => {
  const missing = objectTag({}, (host) => { host.installed = false; });
  assert.deepEqual([missing.tag, missing.host.alerts.length], ['', 1]);
  assert.match(missing.host.alerts[0], /program is not installed/);
  const bare = objectTag({ library: false });
  assert.deepEqual([bare.tag, bare.host.alerts.length], ['', 1]);
  assert.match(bare.host.alerts[0], /Loomlet\.dll/);
});

test('the object page and the panel page include the shared script where the installer puts it', () => {
  // Objects/Common and Floaters, and Shared/Common/Scripts, all below Configuration.
  for (const [page, src] of [['VNLObject.html', '../../Shared/Common/Scripts/Loomlet.js'], ['VNLFloater.html', '../Shared/Common/Scripts/Loomlet.js']]) {
    const sources = [...readSource(page).matchAll(/<script[^>]*src="([^"]+)"/g)].map((m) => m[1]);
    assert.deepEqual(sources, [src, page.replace('.html', '.js')]);
  }
});

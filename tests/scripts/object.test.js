'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createHost, readSource, CONFIG_URL } = require('./harness');

function object(options) {
  return createHost(options).load('Loomlet.js', 'VNLObject.js');
}

const strings = createHost().load('Loomlet.js').context.VNL.parseStrings(readSource('VNLStringsEN.xml'));

test.describe('insert object', () => {
  test('inserts a marked menu element that loads the menu script', () => {
    const host = object();
    assert.equal(host.context.objectTag(),
      '<!-- Vantrelle menu --><div id="vantrelleMenu1" class="vantrelle-menu">' +
      '<script type="text/javascript" src="vantrelle/menu.js"></script></div>');
    assert.deepEqual(host.alerts, []);
  });

  test('gives the menu an id that the document does not use yet', () => {
    const host = object({ documentSource: '<div id="vantrelleMenu1"></div><div ID = \'vantrelleMenu2\'></div><p id="vantrelleMenu30">' });
    assert.match(host.context.objectTag(), /<div id="vantrelleMenu3" /);
  });

  test('takes the menu script from the settings, escaped for an attribute', () => {
    const host = object();
    host.context.VNL.writeSetting('Object', 'MenuScript', 'menus/top "a".js');
    assert.match(host.context.objectTag(), /src="menus\/top &quot;a&quot;\.js"/);
  });

  test('inserts nothing and says so when the Vantrelle program is missing', () => {
    const host = object();
    host.loomlet.installed = false;
    assert.equal(host.context.objectTag(), '');
    assert.deepEqual(host.alerts, [strings['vnl/object/missingProgram']]);
    assert.match(host.alerts[0], /not installed/);
  });

  test('inserts nothing and says so when the library is not loaded', () => {
    const host = object({ library: false });
    assert.equal(host.context.objectTag(), '');
    assert.deepEqual(host.alerts, [strings['vnl/object/missingLibrary']]);
  });

  test('asks the library whether the program is installed before inserting', () => {
    const host = object();
    host.context.objectTag();
    assert.ok(host.loomlet.calls.includes('IsExtensionInstalled'));
    assert.ok(host.loomlet.calls.includes('GetExtensionPath'));
  });

  test('needs a document', () => {
    assert.equal(object().context.isDomRequired(), true);
  });

  test('help opens the help page of the Help folder', () => {
    const host = object();
    host.context.displayHelp();
    assert.deepEqual(host.browsed, [CONFIG_URL + '/Help/VNLHelpEN.html']);
  });
});

test.describe('object page', () => {
  const html = readSource('VNLObject.html');

  test('includes the shared script from Shared/Common/Scripts and its own script', () => {
    const sources = [...html.matchAll(/<script[^>]*src="([^"]+)"/g)].map((m) => m[1]);
    assert.deepEqual(sources, ['../../Shared/Common/Scripts/Loomlet.js', 'VNLObject.js']);
  });

  test('has the title of the strings file for the menu and the insert bar', () => {
    assert.equal(html.match(/<title>([^<]*)<\/title>/)[1], strings['vnl/object/title']);
  });
});

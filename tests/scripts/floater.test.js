'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createHost, readSource, CONFIG_URL } = require('./harness');

const PANEL = {
  programLabel: 'SPAN', programStatus: 'SPAN', projectLabel: 'SPAN', project: 'INPUT',
  browseButton: 'INPUT', startButton: 'INPUT', helpButton: 'INPUT', message: 'SPAN',
};
const PROGRAM = 'C:\\Program Files\\Vantrelle\\Vantrelle.exe';

function panel(options = {}) {
  const host = createHost({ document: PANEL, ...options }).load('Loomlet.js', 'VNLFloater.js');
  host.el = host.context.document.elements;
  return host;
}

test.describe('floating panel', () => {
  test('fills its texts from the strings file when it loads', () => {
    const host = panel();
    host.context.initializePanel();
    assert.equal(host.el.startButton.value, 'Start Vantrelle');
    assert.equal(host.el.browseButton.value, 'Browse...');
    assert.equal(host.el.helpButton.value, 'Help');
    assert.equal(host.el.programLabel.innerHTML, 'Vantrelle program:');
    assert.equal(host.el.projectLabel.innerHTML, 'Project:');
    assert.equal(host.el.message.innerHTML, 'Ready.');
  });

  test('shows that the program is installed, and where', () => {
    const host = panel();
    host.context.initializePanel();
    assert.equal(host.el.programStatus.innerHTML, 'Installed (' + PROGRAM + ')');
  });

  test('shows that the program is not installed', () => {
    const host = panel();
    host.loomlet.installed = false;
    host.context.initializePanel();
    assert.equal(host.el.programStatus.innerHTML, 'Not installed');
  });

  test('shows that the library is not loaded', () => {
    const host = panel({ library: false });
    host.context.initializePanel();
    assert.equal(host.el.programStatus.innerHTML, 'Extension library not loaded');
  });

  test('puts the remembered project into the project field', () => {
    const host = panel();
    host.context.VNL.writeSetting('Floater', 'LastProject', 'C:\\Menus\\site.vnl');
    host.context.initializePanel();
    assert.equal(host.el.project.value, 'C:\\Menus\\site.vnl');
  });

  test('starts the program with the project, quoted, and remembers the project', () => {
    const host = panel();
    host.context.initializePanel();
    host.el.project.value = '  C:\\My Menus\\site.vnl ';
    assert.equal(host.context.VNLFloater.start(), true);
    assert.deepEqual(host.loomlet.executed, ['"' + PROGRAM + '" "C:\\My Menus\\site.vnl"']);
    assert.equal(host.context.VNL.readSetting('Floater', 'LastProject', ''), 'C:\\My Menus\\site.vnl');
    assert.equal(host.el.message.innerHTML, 'Vantrelle is running.');
    assert.equal(host.el.startButton.disabled, true);
  });

  test('starts the program alone when no project is given', () => {
    const host = panel();
    host.context.initializePanel();
    host.context.startProgram();
    assert.deepEqual(host.loomlet.executed, ['"' + PROGRAM + '"']);
  });

  test('reports the end of a successful run without an error', () => {
    const host = panel();
    host.context.initializePanel();
    host.context.startProgram();
    const id = host.loomlet.nextProcessId - 1;
    host.advance(1000);
    assert.equal(host.el.message.innerHTML, 'Vantrelle is running.');
    host.loomlet.finish(id, 0);
    host.advance(250);
    assert.equal(host.el.message.innerHTML, 'Vantrelle has finished.');
    assert.equal(host.el.startButton.disabled, false);
    assert.deepEqual(host.loomlet.errors, []);
  });

  test('reports a failing exit code with Loomlet.Error, naming the command line', () => {
    const host = panel();
    host.context.initializePanel();
    host.context.startProgram();
    host.loomlet.finish(host.loomlet.nextProcessId - 1, 3);
    host.advance(250);
    assert.equal(host.el.message.innerHTML, 'Vantrelle ended with exit code 3.');
    assert.equal(host.loomlet.errors.length, 1);
    assert.match(host.loomlet.errors[0], /exit code 3\.\r\n/);
    assert.ok(host.loomlet.errors[0].includes('Command line: "' + PROGRAM + '"'));
  });

  test('stops following after the configured time-out and lets the user start again', () => {
    const host = panel();
    host.context.VNL.writeSetting('Floater', 'FollowTimeoutSeconds', '2');
    host.context.VNL.writeSetting('Floater', 'PollIntervalMilliseconds', '500');
    host.context.initializePanel();
    host.context.startProgram();
    assert.equal(host.timers[0].delay, 500);
    host.advance(1500);
    assert.equal(host.el.message.innerHTML, 'Vantrelle is running.');
    host.advance(500);
    assert.equal(host.el.message.innerHTML, 'Vantrelle is still running; the panel no longer follows it.');
    assert.equal(host.el.startButton.disabled, false);
    assert.equal(host.timers.length, 0);
    assert.deepEqual(host.loomlet.errors, []);
  });

  test('follows for four hours by default', () => {
    const host = panel();
    host.context.initializePanel();
    host.context.startProgram();
    host.advance(4 * 3600 * 1000 - 250);
    assert.equal(host.el.message.innerHTML, 'Vantrelle is running.');
    host.advance(250);
    assert.match(host.el.message.innerHTML, /no longer follows/);
  });

  test('does not start a second run while one is followed', () => {
    const host = panel();
    host.context.initializePanel();
    host.context.startProgram();
    assert.equal(host.context.VNLFloater.start(), false);
    assert.equal(host.loomlet.executed.length, 1);
    assert.equal(host.el.message.innerHTML, 'Vantrelle is already running from this panel.');
  });

  test('reports a missing program with Loomlet.Error and starts nothing', () => {
    const host = panel();
    host.loomlet.installed = false;
    host.context.initializePanel();
    assert.equal(host.context.VNLFloater.start(), false);
    assert.deepEqual(host.loomlet.executed, []);
    assert.equal(host.loomlet.errors.length, 1);
    assert.match(host.loomlet.errors[0], /not installed/);
  });

  test('without the library it says so in an alert and starts nothing', () => {
    const host = panel({ library: false });
    host.context.initializePanel();
    assert.equal(host.context.VNLFloater.start(), false);
    assert.equal(host.alerts.length, 1);
    assert.match(host.alerts[0], /Loomlet\.dll/);
  });

  test('a failed start leaves the library\'s report alone and follows nothing', () => {
    const host = panel();
    host.loomlet.executeFails = true;
    host.context.initializePanel();
    assert.equal(host.context.VNLFloater.start(), false);
    assert.equal(host.el.message.innerHTML, 'Vantrelle could not be started.');
    assert.equal(host.loomlet.errors.length, 1, 'only the library\'s own report');
    assert.equal(host.timers.length, 0);
    assert.equal(host.el.startButton.disabled, false);
  });

  test('reports a settings file that cannot be written, and still starts', () => {
    const host = panel();
    host.loomlet.failWrites = true;
    host.context.initializePanel();
    host.el.project.value = 'p.vnl';
    assert.equal(host.context.VNLFloater.start(), true);
    assert.equal(host.loomlet.errors.length, 1);
    assert.ok(host.loomlet.errors[0].includes(host.context.VNL.getSettingsFile()));
  });

  test('browsing puts the chosen file into the project field as a Windows path', () => {
    const host = panel({ browseResult: 'file:///C|/My%20Menus/site.vnl' });
    host.context.browseProject();
    assert.equal(host.el.project.value, 'C:\\My Menus\\site.vnl');
  });

  test('cancelled browsing leaves the project field alone', () => {
    const host = panel({ browseResult: '' });
    host.el.project.value = 'keep.vnl';
    host.context.browseProject();
    assert.equal(host.el.project.value, 'keep.vnl');
  });

  test('help opens the help page', () => {
    const host = panel();
    host.context.displayHelp();
    assert.deepEqual(host.browsed, [CONFIG_URL + '/Help/VNLHelpEN.html']);
  });
});

test.describe('panel page', () => {
  const html = readSource('VNLFloater.html');

  test('includes the shared script from Shared/Common/Scripts and its own script', () => {
    const sources = [...html.matchAll(/<script[^>]*src="([^"]+)"/g)].map((m) => m[1]);
    assert.deepEqual(sources, ['../Shared/Common/Scripts/Loomlet.js', 'VNLFloater.js']);
  });

  test('has every element the script fills in, and wires its buttons', () => {
    for (const id of Object.keys(PANEL)) assert.match(html, new RegExp(`id="${id}"`), id);
    assert.match(html, /onLoad="initializePanel\(\)"/);
    assert.match(html, /id="startButton"[^>]*onClick="startProgram\(\)"/);
    assert.match(html, /id="browseButton"[^>]*onClick="browseProject\(\)"/);
    assert.match(html, /id="helpButton"[^>]*onClick="displayHelp\(\)"/);
  });

  test('has the title of the strings file as its tab name', () => {
    const strings = createHost().load('Loomlet.js').context.VNL.parseStrings(readSource('VNLStringsEN.xml'));
    assert.equal(html.match(/<title>([^<]*)<\/title>/)[1], strings['vnl/floater/title']);
  });

  test('carries no visible text of its own besides the title', () => {
    const body = html.slice(html.indexOf('<body')).replace(/<[^>]*>/g, '').replace(/&nbsp;/g, '').trim();
    assert.equal(body, '');
  });
});

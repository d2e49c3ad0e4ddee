'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createHost, readSource, ENDED, CONFIG_URL } = require('./harness');

const PANEL = {
  programLabel: 'SPAN', programStatus: 'SPAN', projectLabel: 'SPAN', project: 'INPUT',
  browseButton: 'INPUT', startButton: 'INPUT', helpButton: 'INPUT', message: 'SPAN',
};
const PROGRAM = 'C:\\Program Files\\Vantrelle\\Vantrelle.exe';

// A loaded panel; its remembered project, if any, is written before it loads.
function panel(options = {}, project) {
  const host = createHost({ panel: PANEL, load: ['VNLFloater.js'], ...options });
  if (project) host.context.VNL.writeSetting('Floater', 'LastProject', project);
  host.run(({ initializePanel }) => initializePanel());
  const shown = (id) => host.elements[id].innerHTML || host.elements[id].value;
  return Object.assign(host, { shown, start: () => host.run(({ VNLFloater }) => VNLFloater.start()) });
}

test('the panel fills its texts from the strings file and shows the program and the last project', () => {
  const host = panel({}, 'C:\\Menus\\site.vnl');
  assert.deepEqual(Object.keys(PANEL).map(host.shown), ['Vantrelle program:', 'Installed (' + PROGRAM + ')', 'Project:',
    'C:\\Menus\\site.vnl', 'Browse...', 'Start Vantrelle', 'Help', 'Ready.']);
  const missing = panel();
  missing.installed = false;
  missing.run(({ initializePanel }) => initializePanel());
  assert.equal(missing.shown('programStatus'), 'Not installed');
  assert.equal(panel({ library: false }).shown('programStatus'), 'Extension library not loaded');
});

test('starting runs the program with the project, follows it to its end and remembers the project', () => {
  const host = panel();
  host.elements.project.value = '  C:\\My Menus\\site.vnl ';
  assert.equal(host.start(), true);
  assert.deepEqual(host.executed, ['"' + PROGRAM + '" "C:\\My Menus\\site.vnl"']);
  assert.deepEqual([host.shown('message'), host.elements.startButton.disabled], ['Vantrelle is running.', true]);
  assert.equal(host.start(), false, 'no second run while one is followed');
  assert.equal(host.shown('message'), 'Vantrelle is already running from this panel.');
  assert.equal(host.context.VNL.readSetting('Floater', 'LastProject', ''), 'C:\\My Menus\\site.vnl');
  host.processes[101] = 0;
  host.advance(250);
  assert.deepEqual([host.shown('message'), host.elements.startButton.disabled, host.dialogs], ['Vantrelle has finished.', false, []]);
});

test('a failing exit code is shown and reported with the command line', () => {
  const host = panel();
  host.start();
  host.processes[101] = 3;
  host.advance(250);
  assert.equal(host.shown('message'), 'Vantrelle ended with exit code 3.');
  assert.deepEqual(host.dialogs, ['Vantrelle ended with exit code 3.\r\n\r\nCommand line: "' + PROGRAM + '"']);
});

test('following gives up after the time-out in the settings, four hours by default', () => {
  for (const [seconds, expected] of [['2', 2000], ['', 4 * 3600 * 1000]]) {
    const host = panel();
    host.context.VNL.writeSetting('Floater', 'FollowTimeoutSeconds', seconds);
    host.context.VNL.writeSetting('Floater', 'PollIntervalMilliseconds', '500');
    host.start();
    host.advance(expected - 1);
    assert.equal(host.shown('message'), 'Vantrelle is running.');
    host.advance(500);
    assert.deepEqual([host.shown('message'), host.elements.startButton.disabled],
      ['Vantrelle is still running; the panel no longer follows it.', false]);
  }
});

test('nothing is started without the program or the library', () => {
  const missing = panel();
  missing.installed = false;
  assert.equal(missing.start(), false);
  assert.deepEqual([missing.executed, missing.dialogs.length, missing.shown('message')], [[], 1, 'Not installed']);
  const bare = panel({ library: false });
  assert.equal(bare.start(), false);
  assert.match(bare.alerts[0], /Loomlet\.dll/);
});

test('a start that fails ends the script before anything is changed', () => {
  const host = panel();
  host.failing.add('Execute');
  host.elements.project.value = 'new.vnl';
  assert.equal(host.start(), ENDED);
  assert.deepEqual([host.shown('message'), host.elements.startButton.disabled, host.timers.length], ['Ready.', false, 0]);
  assert.equal(host.context.VNL.readSetting('Floater', 'LastProject', 'none'), 'none');
  host.failing.clear();
  assert.equal(host.start(), true, 'the user can try again');
});

test('a project that cannot be remembered leaves the program started and followed', () => {
  const host = panel();
  host.failing.add('WriteINI');
  assert.equal(host.start(), ENDED);
  assert.deepEqual([host.executed.length, host.shown('message'), host.elements.startButton.disabled], [1, 'Vantrelle is running.', true]);
  host.processes[101] = 0;
  host.advance(250);
  assert.equal(host.shown('message'), 'Vantrelle has finished.');
});

test('browsing fills in the chosen file as a Windows path, and help opens the help page', () => {
  const host = panel({ browseResult: 'file:///C|/My%20Menus/site.vnl' });
  host.run(({ browseProject, displayHelp }) => { browseProject(); displayHelp(); });
  assert.equal(host.elements.project.value, 'C:\\My Menus\\site.vnl');
  assert.deepEqual(host.browsed, [CONFIG_URL + '/Help/VNLHelpEN.html']);
  const cancelled = panel({}, 'kept.vnl');
  cancelled.run(({ browseProject }) => browseProject());
  assert.equal(cancelled.elements.project.value, 'kept.vnl');
});

test('the panel page holds every element the script fills and wires its buttons', () => {
  const html = readSource('VNLFloater.html');
  for (const id of Object.keys(PANEL)) assert.match(html, new RegExp(`id="${id}"`), id);
  for (const [id, handler] of [['startButton', 'startProgram'], ['browseButton', 'browseProject'], ['helpButton', 'displayHelp']]) {
    assert.match(html, new RegExp(`id="${id}"[^>]*onClick="${handler}\\(\\)"`), id);
  }
  assert.match(html, /onLoad="initializePanel\(\)"/);
});

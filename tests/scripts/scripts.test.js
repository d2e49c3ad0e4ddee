'use strict';
// The extension's scripts under a stand-in for the parts of Dreamweaver and
// of Loomlet.dll that they use; the shipped files run unchanged in a vm
// context. As in Dreamweaver, a native function that fails (the library shows
// its report and returns 0) ends the running script: nothing after the call
// runs and no catch of the script sees it.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const ROOT = path.resolve(__dirname, '..', '..');
const CONFIG_URL = 'file:///C|/Program Files/Macromedia/Dreamweaver MX 2004/Configuration';
const readSource = (name) => fs.readFileSync(path.join(ROOT, 'files', name), 'utf8');
const ENDED = 'ended by a failed native call';
class ScriptEnded {}

// Options: library: false (Loomlet.dll not loaded), strings (the strings
// file's text, null for none), tempFolder: false (no dw.getTempFolderPath),
// documentSource, panel (element ids), load (more scripts).
function createHost(options = {}) {
  const clock = { now: 1e6 };
  const host = { installed: true, programPath: 'C:\\Vantrelle\\Vantrelle.exe', failing: new Set(), processes: {},
    ini: {}, calls: [], dialogs: [], executed: [], alerts: [], timers: [], elements: {}, ended: false };
  const native = (name, work) => (...args) => {
    host.calls.push(name);
    if (!host.failing.has(name)) return work(...args);
    host.dialogs.push(name + ' failed');
    host.ended = true;
    throw new ScriptEnded();
  };
  const key = (...names) => names.join('|').toLowerCase();
  const loomlet = {
    IsExtensionInstalled: native('IsExtensionInstalled', () => host.installed),
    GetExtensionPath: native('GetExtensionPath', () => host.programPath),
    Execute: native('Execute', (line) => { host.processes[100 + host.executed.push(line)] = 259; return 100 + host.executed.length; }),
    IsProcessRunning: native('IsProcessRunning', (id) => host.processes[id] === 259),
    GetProcessExitCode: native('GetProcessExitCode', (id) => (id in host.processes ? host.processes[id] : -1)),
    Wait: native('Wait', () => {}),
    Error: native('Error', (text) => host.dialogs.push(text)),
    ReadINI: native('ReadINI', (file, section, name) => host.ini[key(file, section, name)] || ''),
    WriteINI: native('WriteINI', (file, section, name, value) => { host.ini[key(file, section, name)] = value; }),
  };
  const strings = options.strings === undefined ? readSource('VNLStringsEN.xml') : options.strings;
  const files = strings === null ? {} : { [CONFIG_URL + '/Strings/VNLStringsEN.xml']: strings };
  const dw = {
    getConfigurationPath: () => CONFIG_URL,
    getTempFolderPath: options.tempFolder === false ? undefined : () => 'file:///C|/User/Configuration/Temp',
    getDocumentDOM: () => ({ documentElement: { outerHTML: options.documentSource || '' } }),
  };
  for (const id of options.panel || []) host.elements[id] = { tagName: id === 'project' || /Button$/.test(id) ? 'INPUT' : 'SPAN', disabled: false };
  host.context = vm.createContext({
    dw,
    DWfile: { exists: (url) => url in files, read: (url) => files[url] },
    document: { getElementById: (id) => host.elements[id] || null },
    alert: (text) => host.alerts.push(String(text)),
    setTimeout: (fn, delay) => host.timers.push({ fn, due: clock.now + delay }),
    ...(options.library === false ? {} : { Loomlet: loomlet }),
  });
  for (const name of ['Loomlet.js', ...(options.load || [])]) vm.runInContext(readSource(name), host.context, { filename: name });
  host.context.VNL.now = () => clock.now;

  // One entry into the scripts, as an event or a timer makes it: the script's
  // result, or ENDED when a native call ended it.
  host.run = (entry) => {
    host.ended = false;
    let result;
    try {
      result = entry(host.context);
    } catch (e) {
      if (e instanceof ScriptEnded && host.ended) return ENDED;
      throw e;
    }
    assert.ok(!host.ended, 'the script went on after a native call that ended it');
    return result;
  };
  // Runs the timers that fall due within the next ms milliseconds, in order.
  host.advance = (ms) => {
    const end = clock.now + ms;
    for (let next; (next = host.timers.sort((a, b) => a.due - b.due)[0]) && next.due <= end;) {
      clock.now = host.timers.shift().due;
      host.run(next.fn);
    }
    clock.now = end;
  };
  return host;
}

// The arguments after the program name as CommandLineToArgvW splits them,
// written independently of the code under test.
function splitCommandLine(line) {
  const args = [];
  let arg = null;
  for (let i = line.indexOf(' '), quoted = false; i < line.length; i++) {
    const slashes = /^\\*/.exec(line.slice(i))[0].length;
    if (line[i + slashes] === '"') {
      arg = (arg || '') + '\\'.repeat(slashes >> 1) + (slashes % 2 ? '"' : '');
      i += slashes;
      if (slashes % 2 === 0) quoted = !quoted;
    } else if (slashes) {
      arg = (arg || '') + line.substr(i, slashes);
      i += slashes - 1;
    } else if (!quoted && (line[i] === ' ' || line[i] === '\t')) {
      if (arg !== null) args.push(arg);
      arg = null;
    } else {
      arg = (arg || '') + line[i];
    }
  }
  return arg === null ? args : [...args, arg];
}

test('every argument survives the Windows command-line splitter, quoted only when it must be', () => {
  const { VNL } = createHost().context;
  assert.equal(VNL.buildCommandLine(['C:\\Program Files\\V.exe', 'site.vnl', '', 'C:\\dir\\']), '"C:\\Program Files\\V.exe" site.vnl "" C:\\dir\\');
  for (let n = 0, seed = 7; n < 500; n++) {
    let sample = '';
    for (let i = 0; i < n % 9; i++) sample += 'a \\"\tb'[(seed = (seed * 1103515245 + 12345) % 2147483648) % 6];
    assert.deepEqual(splitCommandLine('p ' + VNL.buildCommandLine(['x', sample, 'y'])), ['x', sample, 'y'], JSON.stringify(sample));
  }
});

test('a followed process is checked on timers until it ends, the time-out passes or the following is cancelled', () => {
  const host = createHost();
  const events = [];
  const follow = (timeout) => host.context.VNL.followProcess(host.context.Loomlet.Execute('p'),
    { interval: 100, timeout, onExit: (code) => events.push('exit ' + code), onTimeout: () => events.push('timeout') });
  host.run(() => [follow(0), follow(1000), follow(0).cancel()]);
  assert.deepEqual(host.calls, ['Execute', 'Execute', 'Execute'], 'no native call before followProcess returns');
  host.advance(999);
  assert.deepEqual([events, host.calls.filter((call) => call === 'IsProcessRunning').length, host.calls.includes('Wait')], [[], 20, false]);
  host.processes[101] = 3;
  host.advance(3600 * 1000);
  assert.deepEqual([events, Object.values(host.processes)], [['exit 3', 'timeout'], [3, 259, 259]]);
});

test('settings live beside the Temp folder, or in Shared/Common, and read with a default of their kind; the program is found', () => {
  const { VNL } = createHost().context;
  assert.equal(VNL.getSettingsFile(), 'C:\\User\\Configuration\\VNLSettings.ini');
  assert.match(createHost({ tempFolder: false }).context.VNL.getSettingsFile(), /MX 2004\\Configuration\\Shared\\Common\\VNLSettings\.ini$/);
  for (const [stored, fallback, read] of [['', 'd', 'd'], ['x', 'd', 'x'], ['12', 5, 12], ['twelve', 5, 5], [' ', 5, 5]]) {
    assert.equal(VNL.writeSetting('S', 'K', stored), true);
    assert.equal(VNL.readSetting('S', 'K', fallback), read, JSON.stringify(stored));
  }
  const bare = createHost({ library: false }).context.VNL;
  assert.deepEqual([bare.readSetting('S', 'K', 'd'), bare.writeSetting('S', 'K', 'v'), bare.getProgramFile()], ['d', false, '']);
  // The program is the registered file, or Vantrelle.exe in a registered folder, once installed; URLs become paths.
  const host = createHost();
  for (const [registered, program] of [['C:\\V\\V.EXE', 'C:\\V\\V.EXE'], ['C:\\V\\', 'C:\\V\\Vantrelle.exe']]) {
    host.programPath = registered;
    assert.equal(host.context.VNL.getProgramFile(), program);
  }
  host.installed = false;
  host.calls.length = 0;
  assert.deepEqual([host.context.VNL.getProgramFile(), host.calls], ['', ['IsExtensionInstalled']]);
  assert.equal(host.context.VNL.urlToPath('file:///C|/My%20Site/a.html'), 'C:\\My Site\\a.html');
  assert.equal(host.context.VNL.urlToPath('file://server/share/x%'), '\\\\server\\share\\x%');
});

test('strings are read with XML entities, comments and later definitions, and the shipped ones are all there', () => {
  const { VNL } = createHost({ strings: '<strings><!-- <string id="a" value="no" /> --><string id="a" value="&lt;%2 &amp; %1&#62; 100%%"/>' +
    '<string\nid=\'b\' value=\'x > "y"\' /><string id="b" value="z" /><string value="no id" /><string id="c" /></strings>' }).context;
  assert.deepEqual([VNL.getString('a', 'one', 'two'), VNL.getString('b'), VNL.getString('c')], ['<two & one> 100%', 'z', 'c']);
  const shipped = createHost().context.VNL.parseStrings(readSource('VNLStringsEN.xml'));
  const used = ['Loomlet.js', 'VNLObject.js', 'VNLFloater.js'].flatMap((name) => [...readSource(name).matchAll(/"(vnl\/\w+\/\w+)"/g)].map((m) => m[1]));
  assert.deepEqual(used.filter((id) => !shipped[id]), [], 'the shipped strings hold every text the scripts ask for');
});

test('the shipped scripts keep to ECMAScript 3, all that Dreamweaver MX 2004 runs', () => {
  for (const name of fs.readdirSync(path.join(ROOT, 'files')).filter((file) => file.endsWith('.js'))) {
    const code = readSource(name).replace(/\/\/[^\n]*/g, '').replace(/"(?:[^"\\\n]|\\.)*"/g, '""');
    for (const pattern of [/=>/, /\b(let|const|class)\s/, /`/, /\.(forEach|map|filter|reduce|some|every|includes|trim)\(/, /\bJSON\./, /,\s*[}\]]/]) {
      assert.doesNotMatch(code, pattern, name);
    }
  }
});

const PANEL = ['programLabel', 'programStatus', 'projectLabel', 'project', 'browseButton', 'startButton', 'helpButton', 'message'];

// A loaded floating panel; shown(id) is what an element of it shows.
function panel(options = {}) {
  const host = createHost({ panel: PANEL, load: ['VNLFloater.js'], ...options });
  host.run(({ initializePanel }) => initializePanel());
  host.shown = (id) => host.elements[id].innerHTML || host.elements[id].value;
  host.start = () => host.run(({ VNLFloater }) => VNLFloater.start());
  return host;
}

test('the panel shows its texts, the program and the remembered project, runs the program and follows it for a time', () => {
  const host = panel();
  host.context.VNL.writeSetting('Floater', 'LastProject', 'C:\\old.vnl');
  host.run(({ initializePanel }) => initializePanel());
  assert.deepEqual(PANEL.map(host.shown), ['Vantrelle program:', 'Installed (C:\\Vantrelle\\Vantrelle.exe)', 'Project:',
    'C:\\old.vnl', 'Browse...', 'Start Vantrelle', 'Help', 'Ready.']);
  host.elements.project.value = '  "C:\\My Menus\\site.vnl" ';
  assert.equal(host.start(), true);
  assert.deepEqual([host.executed, host.shown('message'), host.elements.startButton.disabled],
    [['C:\\Vantrelle\\Vantrelle.exe "C:\\My Menus\\site.vnl"'], 'Vantrelle is running.', true]);
  host.run(({ VNLFloater }) => VNLFloater.start());
  assert.deepEqual([host.executed.length, host.shown('message')], [1, 'Vantrelle is already running from this panel.']);
  assert.equal(host.context.VNL.readSetting('Floater', 'LastProject', ''), 'C:\\My Menus\\site.vnl');
  for (const [code, message, dialogs] of [[0, 'Vantrelle has finished.', 0], [3, 'Vantrelle ended with exit code 3.', 1]]) {
    host.processes[100 + host.executed.length] = code;
    host.advance(250);
    assert.deepEqual([host.shown('message'), host.elements.startButton.disabled, host.dialogs.length], [message, false, dialogs]);
    host.start();
  }
  assert.deepEqual(host.dialogs, ['Vantrelle ended with exit code 3.\r\n\r\nCommand line: C:\\Vantrelle\\Vantrelle.exe "C:\\My Menus\\site.vnl"']);
  // Following gives up after the time-out of the settings, four hours by default.
  for (const [seconds, timeout] of [['2', 2000], ['', 4 * 3600 * 1000]]) {
    const host = panel();
    host.context.VNL.writeSetting('Floater', 'FollowTimeoutSeconds', seconds);
    host.context.VNL.writeSetting('Floater', 'PollIntervalMilliseconds', '500');
    host.start();
    host.advance(timeout - 1);
    assert.equal(host.shown('message'), 'Vantrelle is running.');
    host.advance(500);
    assert.deepEqual([host.shown('message'), host.elements.startButton.disabled], ['Vantrelle is still running; the panel no longer follows it.', false]);
  }
});

test('the panel starts nothing without the program or the library, and a failed call leaves nothing half done', () => {
  const missing = panel();
  missing.installed = false;
  assert.deepEqual([missing.start(), missing.shown('message'), missing.dialogs.length], [false, 'Not installed', 1]);
  const bare = panel({ library: false });
  assert.deepEqual([bare.shown('programStatus'), bare.start()], ['Extension library not loaded', false]);
  assert.match(bare.alerts[0], /Loomlet\.dll/);
  const failedStart = panel();
  failedStart.failing.add('Execute');
  assert.equal(failedStart.start(), ENDED);
  assert.deepEqual([failedStart.shown('message'), failedStart.elements.startButton.disabled, failedStart.timers, failedStart.ini], ['Ready.', false, [], {}]);
  const failedWrite = panel();
  failedWrite.failing.add('WriteINI');
  assert.equal(failedWrite.start(), ENDED);
  failedWrite.processes[101] = 0;
  failedWrite.advance(250);
  assert.equal(failedWrite.shown('message'), 'Vantrelle has finished.', 'the program was started and followed');
});

test('the object inserts a marked menu with an unused id, or nothing and an alert without the program or library', () => {
  const objectTag = (options, before = () => {}) => {
    const host = createHost({ load: ['VNLObject.js'], ...options });
    before(host);
    return [host.run(({ objectTag }) => objectTag()), host.alerts.join()];
  };
  const page = '<div id="vantrelleMenu1"></div><div ID = \'vantrelleMenu2\'></div><p id="vantrelleMenu30">';
  assert.deepEqual(objectTag({ documentSource: page }, (host) => host.context.VNL.writeSetting('Object', 'MenuScript', 'a "b".js')),
    ['<!-- Vantrelle menu --><div id="vantrelleMenu3" class="vantrelle-menu"><script type="text/javascript" src="a &quot;b&quot;.js"></script></div>', '']);
  assert.match(objectTag({}, (host) => { host.installed = false; }).join(), /^,The Vantrelle program is not installed/);
  assert.match(objectTag({ library: false }).join(), /^,The Vantrelle extension library \(Loomlet\.dll\) is not loaded/);
});

test('the pages find the shared script where the installer puts it, and the package deploys what the installer does', () => {
  assert.match(readSource('VNLObject.html'), /src="\.\.\/\.\.\/Shared\/Common\/Scripts\/Loomlet\.js"[\s\S]*src="VNLObject\.js"/);
  assert.match(readSource('VNLFloater.html'), /src="\.\.\/Shared\/Common\/Scripts\/Loomlet\.js"[\s\S]*src="VNLFloater\.js"/);
  const installer = fs.readFileSync(path.join(ROOT, 'installer', 'DeployedFiles.hpp'), 'utf8');
  const list = installer.slice(installer.indexOf('ConfigurationFiles[]'), installer.indexOf('};', installer.indexOf('ConfigurationFiles[]')));
  const deployed = [...list.matchAll(/\{"([^"]+)", "([^"]+)"\}/g)].map((m) => m[1] + ' ' + m[2]).filter((file) => !file.includes('.mxi'));
  const mxi = readSource('VNLExtensionEN.mxi');
  const packaged = [...mxi.matchAll(/<file source="([^"]+)" destination="\$dreamweaver\/configuration\/([^"]+)"/g)].map((m) => m[1] + ' ' + m[2]);
  assert.deepEqual(packaged, [...deployed, 'Loomlet.js Shared/Common/Scripts']);
  const inserted = [...mxi.matchAll(/insertAfter="(\w+)">\s*<\w+ (?:file="[^"]*" )?id="(\w+)"/g)].map((m) => m[1] + ' ' + m[2]);
  assert.deepEqual(inserted, ['DWMenu_Window_HTML DWMenu_Window_VNL', 'DWMenu_Insert_Comment DWMenu_Insert_VNLobject',
    'DW_TagChooser VNL_Object_sep', 'VNL_Object_sep VNL_Object']);
});

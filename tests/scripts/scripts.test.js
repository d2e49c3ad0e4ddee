'use strict';
// The extension's scripts run unchanged in a vm context, under a stand-in for the parts of Dreamweaver and of
// Loomlet.dll that they use. As in Dreamweaver, a native function that fails (the library shows its report and
// returns 0) ends the running script: nothing after the call runs and no catch of the script sees it.
const [test, assert, fs, path, vm] = ['test', 'assert/strict', 'fs', 'path', 'vm'].map((name) => require('node:' + name));

const ROOT = path.resolve(__dirname, '..', '..');
const CONFIG_URL = 'file:///C|/Program Files/Macromedia/Dreamweaver MX 2004/Configuration';
const STRINGS_URL = CONFIG_URL + '/Strings/VNLStringsEN.xml';
const PANEL = ['programLabel', 'programStatus', 'projectLabel', 'project', 'browseButton', 'startButton', 'helpButton', 'message'];
const readSource = (name) => fs.readFileSync(path.join(ROOT, 'files', name), 'utf8');
const ENDED = new Error('ended by a failed native call');

// Loads Loomlet.js and the script, calls prepare(host), and opens the panel of VNLFloater.js; the host's fields steer the stand-in.
function createHost(script, prepare = () => {}) {
  const host = { now: 1e6, installed: true, programPath: 'C:\\Vantrelle\\Vantrelle.exe', failing: new Set(), processes: {}, ini: {}, calls: [],
    dialogs: [], executed: [], alerts: [], timers: [], page: '', files: { [STRINGS_URL]: readSource('VNLStringsEN.xml') } };
  host.elements = Object.fromEntries(PANEL.map((id) => [id, { tagName: /^project$|Button$/.test(id) ? 'INPUT' : 'SPAN', disabled: false }]));
  const Loomlet = Object.fromEntries(Object.entries({
    IsExtensionInstalled: () => host.installed, GetExtensionPath: () => host.programPath, Wait: () => {}, Error: (text) => host.dialogs.push(text),
    Execute: (line) => { host.processes[100 + host.executed.push(line)] = 259; return 100 + host.executed.length; },
    IsProcessRunning: (id) => host.processes[id] === 259, GetProcessExitCode: (id) => host.processes[id],
    ReadINI: (...at) => host.ini[at.join('|')] || '', WriteINI: (...at) => { host.ini[at.slice(0, 3).join('|')] = at[3]; },
  }).map(([name, work]) => [name, (...args) => {
    host.calls.push(name);
    if (!host.failing.has(name)) return work(...args);
    host.dialogs.push(name + ' failed');
    host.ended = true;
    throw ENDED;
  }]));
  host.context = vm.createContext({ Loomlet, alert: (text) => host.alerts.push(String(text)),
    dw: { getConfigurationPath: () => CONFIG_URL, getTempFolderPath: () => 'file:///C|/User/Configuration/Temp',
      getDocumentDOM: () => ({ documentElement: { outerHTML: host.page } }) },
    DWfile: { exists: (url) => url in host.files, read: (url) => host.files[url] },
    document: { getElementById: (id) => host.elements[id] || null },
    setTimeout: (fn, delay) => host.timers.push({ fn, due: host.now + delay }),
  });
  for (const name of ['Loomlet.js', script]) if (name) vm.runInContext(readSource(name), host.context, { filename: name });
  host.context.VNL.now = () => host.now;
  // One entry into the scripts, as an event or a timer makes it: its result, or ENDED when a native call ended it.
  host.run = (entry) => {
    host.ended = false;
    let result = ENDED;
    try { result = entry(host.context); } catch (e) { if (e !== ENDED) throw e; }
    assert.ok(result === ENDED || !host.ended, 'the script went on after a native call that ended it');
    return result;
  };
  // Runs the timers that fall due within the next ms milliseconds, in order; returns the panel's message then.
  host.advance = (ms) => {
    const end = host.now + ms;
    while (host.timers.sort((a, b) => a.due - b.due).length && host.timers[0].due <= end) {
      host.now = host.timers[0].due;
      host.run(host.timers.shift().fn);
    }
    host.now = end;
    return host.shown('message');
  };
  host.shown = (id) => host.elements[id].innerHTML || host.elements[id].value;
  host.start = () => host.run(({ VNLFloater }) => VNLFloater.start());
  prepare(host);
  if (script === 'VNLFloater.js') host.run(({ initializePanel }) => initializePanel());
  return host;
}

test('command lines are quoted for the Windows splitter; a followed process is checked on timers until it ends, times out or is cancelled', () => {
  const host = createHost(), { VNL, Loomlet } = host.context, events = [];
  // Quoted as CommandLineToArgvW reads them back: backslashes double only before a quote, and at the end of a quoted one.
  assert.equal(VNL.buildCommandLine(['C:\\Program Files\\V.exe', 'site.vnl', '', 'C:\\dir\\', 'a"b', 'c d\\', 'e\\\\"f', '\\\\s\\x', 'a\tb']),
    '"C:\\Program Files\\V.exe" site.vnl "" C:\\dir\\ "a\\"b" "c d\\\\" "e\\\\\\\\\\"f" \\\\s\\x "a\tb"');
  const follow = (timeout) => VNL.followProcess(Loomlet.Execute('p'),
    { interval: 100, timeout, onExit: (code) => events.push('exit ' + code), onTimeout: () => events.push('timeout') });
  host.run(() => [follow(0), follow(1000), follow(0).cancel()]);
  assert.deepEqual(host.calls, ['Execute', 'Execute', 'Execute'], 'no native call before followProcess returns');
  host.advance(999);
  assert.deepEqual([events, host.calls.filter((call) => call === 'IsProcessRunning').length, host.calls.includes('Wait')], [[], 20, false]);
  host.processes[101] = 3;
  host.advance(3600 * 1000);
  assert.deepEqual([events, Object.values(host.processes)], [['exit 3', 'timeout'], [3, 259, 259]]);
});

test('settings live beside the Temp folder or in Shared/Common; the program, paths and strings are found', () => {
  const host = createHost(), { VNL, dw } = host.context;
  assert.equal(VNL.getSettingsFile(), 'C:\\User\\Configuration\\VNLSettings.ini');
  const read = (stored, fallback) => VNL.writeSetting('S', 'K', stored) && VNL.readSetting('S', 'K', fallback);
  assert.deepEqual([read('', 'd'), read('x', 'd'), read('12', 5), read('twelve', 5), read(' ', 5)], ['d', 'x', 12, 5, 5]);
  // The registration holds the program file or its folder, and is read only once the program is installed.
  const program = (programPath, installed = true) => Object.assign(host, { programPath, installed }).context.VNL.getProgramFile();
  assert.deepEqual([program('C:\\V\\V.EXE'), program('C:\\V\\'), program('C:\\V\\', false)], ['C:\\V\\V.EXE', 'C:\\V\\Vantrelle.exe', '']);
  assert.equal(host.calls.at(-1), 'IsExtensionInstalled');
  assert.deepEqual(['file:///C|/My%20Site/a.html', 'file://server/share/x%'].map(VNL.urlToPath), ['C:\\My Site\\a.html', '\\\\server\\share\\x%']);
  host.files[STRINGS_URL] = '<strings><string id="a" value="&lt;%2 &amp; %1&#62; 100%%"/><!-- <string id="a" value="no" /> -->' +
    '<string\nid=\'b\' value=\'x > "y"\' /><string id="b" value="z" /><string value="no id" /><string id="c" /></strings>';
  assert.deepEqual([VNL.getString('a', 'one', 'two'), VNL.getString('b'), VNL.getString('c')], ['<two & one> 100%', 'z', 'c']);
  dw.getTempFolderPath = undefined;
  assert.match(VNL.getSettingsFile(), /MX 2004\\Configuration\\Shared\\Common\\VNLSettings\.ini$/);
  delete host.context.Loomlet;
  assert.deepEqual([VNL.readSetting('S', 'K', 'd'), VNL.writeSetting('S', 'K', 'v'), VNL.getProgramFile()], ['d', false, '']);
});

test('the panel shows its texts, the program and the remembered project, runs and follows the program, leaves nothing half done', () => {
  const host = createHost('VNLFloater.js', ({ context }) => context.VNL.writeSetting('Floater', 'LastProject', 'C:\\old.vnl'));
  assert.deepEqual(PANEL.map(host.shown), ['Vantrelle program:', 'Installed (C:\\Vantrelle\\Vantrelle.exe)', 'Project:',
    'C:\\old.vnl', 'Browse...', 'Start Vantrelle', 'Help', 'Ready.']);
  host.elements.project.value = '  "C:\\My Menus\\site.vnl" ';
  assert.deepEqual([host.start(), host.executed, host.shown('message'), host.elements.startButton.disabled, Object.values(host.ini)],
    [true, ['C:\\Vantrelle\\Vantrelle.exe "C:\\My Menus\\site.vnl"'], 'Vantrelle is running.', true, ['C:\\My Menus\\site.vnl']]);
  assert.deepEqual([host.start(), host.executed.length, host.shown('message')], [false, 1, 'Vantrelle is already running from this panel.']);
  for (const [code, message] of [[0, 'Vantrelle has finished.'], [3, 'Vantrelle ended with exit code 3.']]) {
    host.processes[100 + host.executed.length] = code;
    assert.deepEqual([host.advance(250), host.elements.startButton.disabled], [message, false]);
    host.start();
  }
  assert.deepEqual(host.dialogs, ['Vantrelle ended with exit code 3.\r\n\r\nCommand line: C:\\Vantrelle\\Vantrelle.exe "C:\\My Menus\\site.vnl"']);
  // Following gives up after the time-out of the settings: four hours by default for the run just started, then 2 s.
  host.context.VNL.writeSetting('Floater', 'FollowTimeoutSeconds', '2');
  for (const timeout of [4 * 3600 * 1000, 2000]) {
    assert.deepEqual([host.advance(timeout - 1), host.advance(250), host.elements.startButton.disabled, host.dialogs.length],
      ['Vantrelle is running.', 'Vantrelle is still running; the panel no longer follows it.', false, 1]);
    host.start();
  }
  // Without the program or the library it starts nothing; a failed call leaves nothing half done.
  const missing = createHost('VNLFloater.js', (host) => { host.installed = false; });
  assert.deepEqual([missing.start(), missing.shown('message'), missing.dialogs.length, missing.executed], [false, 'Not installed', 1, []]);
  const bare = createHost('VNLFloater.js', (host) => delete host.context.Loomlet);
  assert.deepEqual([bare.shown('programStatus'), bare.start()], ['Extension library not loaded', false]);
  assert.match(bare.alerts[0], /Loomlet\.dll/);
  // A failed start changes nothing; a failed write of the project leaves the program started and followed.
  for (const [failing, message, started] of [['Execute', 'Ready.', 0], ['WriteINI', 'Vantrelle has finished.', 1]]) {
    const host = createHost('VNLFloater.js', (host) => host.failing.add(failing));
    assert.equal(host.start(), ENDED);
    host.processes[101] = 0;
    assert.deepEqual([host.advance(250), host.elements.startButton.disabled, host.executed.length, host.ini], [message, false, started, {}]);
  }
});

test('the object inserts a marked menu with an unused id, or nothing and an alert without the program or library', () => {
  const objectTag = (prepare, host = createHost('VNLObject.js', prepare)) => [host.run(({ objectTag }) => objectTag()), host.alerts.join()];
  assert.deepEqual(objectTag((host) => {
    host.page = '<div id="vantrelleMenu1"></div><div ID = \'vantrelleMenu2\'></div><p id="vantrelleMenu30">';
    host.context.VNL.writeSetting('Object', 'MenuScript', 'a "b".js');
  }), ['<!-- Vantrelle menu --><div id="vantrelleMenu3" class="vantrelle-menu">' +
    '<script type="text/javascript" src="a &quot;b&quot;.js"></script></div>', '']);
  assert.match(objectTag((host) => { host.installed = false; }).join(), /^,The Vantrelle program is not installed/);
  assert.match(objectTag((host) => delete host.context.Loomlet).join(), /^,The Vantrelle extension library \(Loomlet\.dll\) is not loaded/);
});

test('the scripts keep to ECMAScript 3 (Dreamweaver MX 2004) and shipped strings; pages and package agree with the installer', () => {
  const shipped = createHost().context.VNL.parseStrings(readSource('VNLStringsEN.xml'));
  for (const name of fs.readdirSync(path.join(ROOT, 'files')).filter((file) => file.endsWith('.js'))) {
    assert.deepEqual([...readSource(name).matchAll(/"(vnl\/\w+\/\w+)"/g)].map((m) => m[1]).filter((id) => !shipped[id]), [], name);
    const code = readSource(name).replace(/\/\/[^\n]*/g, '').replace(/"(?:[^"\\\n]|\\.)*"/g, '""');
    assert.doesNotMatch(code, /=>|\b(let|const|class)\s|`|\.(forEach|map|filter|reduce|some|every|includes|trim)\(|\bJSON\.|,\s*[}\]]/, name);
  }
  assert.match(readSource('VNLObject.html'), /src="\.\.\/\.\.\/Shared\/Common\/Scripts\/Loomlet\.js"[\s\S]*src="VNLObject\.js"/);
  assert.match(readSource('VNLFloater.html'), /src="\.\.\/Shared\/Common\/Scripts\/Loomlet\.js"[\s\S]*src="VNLFloater\.js"/);
  const pairs = (text, pattern) => [...text.matchAll(pattern)].map((m) => m[1] + ' ' + m[2]);
  const [, deployed] = /ConfigurationFiles\[\] = \{([\s\S]*?)\};/.exec(fs.readFileSync(path.join(ROOT, 'installer', 'deployment', 'DeployedFiles.hpp'), 'utf8'));
  assert.deepEqual(pairs(readSource('VNLExtensionEN.mxi'), /<file source="([^"]+)" destination="\$dreamweaver\/configuration\/([^"]+)"/g),
    [...pairs(deployed, /\{"([^"]+)", "([^"]+)"\}/g).filter((file) => !file.includes('.mxi')), 'Loomlet.js Shared/Common/Scripts']);
  assert.deepEqual(pairs(readSource('VNLExtensionEN.mxi'), /insertAfter="(\w+)">\s*<[^>]*? id="(\w+)"/g), ['DWMenu_Window_HTML DWMenu_Window_VNL',
    'DWMenu_Insert_Comment DWMenu_Insert_VNLobject', 'DW_TagChooser VNL_Object_sep', 'VNL_Object_sep VNL_Object']);
});

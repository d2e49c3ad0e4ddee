'use strict';
// A stand-in for the parts of Dreamweaver and of Loomlet.dll that the
// extension's scripts use; the shipped files run unchanged in a vm context.
// As in Dreamweaver, a native function that fails (the library shows its
// report and returns 0) ends the running script: nothing after the call runs
// and no catch of the script sees it.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const ROOT = path.resolve(__dirname, '..', '..');
const FILES = path.join(ROOT, 'files');
const CONFIG_URL = 'file:///C|/Program Files/Macromedia/Dreamweaver MX 2004/Configuration';
const USER_CONFIG_URL = 'file:///C|/Documents and Settings/ann/Application Data/Macromedia/Dreamweaver MX 2004/Configuration';
const readSource = (name) => fs.readFileSync(path.join(FILES, name), 'utf8');

class ScriptEnded {}
const ENDED = 'ended by a failed native call';

// Options: library: false (Loomlet.dll not loaded), strings (the strings
// file's text, null for none), tempFolder: false (no dw.getTempFolderPath),
// documentSource, browseResult, panel (element id -> tag name).
function createHost(options = {}) {
  const clock = { now: 1000000 };
  const host = {
    installed: true, programPath: 'C:\\Program Files\\Vantrelle\\Vantrelle.exe', failing: new Set(),
    processes: {}, ini: {}, calls: [], dialogs: [], executed: [], alerts: [], browsed: [], timers: [], ended: false,
  };
  const iniKey = (...names) => names.join('|').toLowerCase();
  const native = (name, work) => (...args) => {
    host.calls.push(name);
    if (host.failing.has(name)) {
      host.dialogs.push(name + ' failed');
      host.ended = true;
      throw new ScriptEnded();
    }
    return work(...args);
  };
  const loomlet = {
    IsExtensionInstalled: native('IsExtensionInstalled', () => host.installed),
    GetExtensionPath: native('GetExtensionPath', () => host.programPath),
    Execute: native('Execute', (line) => {
      const id = 100 + host.executed.push(line);
      host.processes[id] = 259;
      return id;
    }),
    IsProcessRunning: native('IsProcessRunning', (id) => host.processes[id] === 259),
    GetProcessExitCode: native('GetProcessExitCode', (id) => (id in host.processes ? host.processes[id] : -1)),
    Wait: native('Wait', () => {}),
    Error: native('Error', (text) => host.dialogs.push(text)),
    ReadINI: native('ReadINI', (file, section, key) => host.ini[iniKey(file, section, key)] || ''),
    WriteINI: native('WriteINI', (file, section, key, value) => { host.ini[iniKey(file, section, key)] = value; }),
  };
  const strings = options.strings === undefined ? readSource('VNLStringsEN.xml') : options.strings;
  const files = strings === null ? {} : { [CONFIG_URL + '/Strings/VNLStringsEN.xml']: strings };
  const dw = {
    getConfigurationPath: () => CONFIG_URL,
    getDocumentDOM: () => ({ documentElement: { outerHTML: options.documentSource || '<html></html>' } }),
    browseDocument: (url) => host.browsed.push(url),
    browseForFileURL: () => options.browseResult || '',
  };
  if (options.tempFolder !== false) dw.getTempFolderPath = () => USER_CONFIG_URL + '/Temp';
  const elements = {};
  for (const [id, tagName] of Object.entries(options.panel || {})) elements[id] = { id, tagName, value: '', innerHTML: '', disabled: false };
  host.elements = elements;
  host.context = vm.createContext({
    dw,
    DWfile: { exists: (url) => url in files, read: (url) => files[url] },
    document: { forms: [], getElementById: (id) => elements[id] || null },
    alert: (text) => host.alerts.push(String(text)),
    setTimeout: (fn, delay) => host.timers.push({ fn, due: clock.now + delay }),
    Date: class extends Date { constructor(...args) { super(...(args.length ? args : [clock.now])); } },
    ...(options.library === false ? {} : { Loomlet: loomlet }),
  });
  for (const name of ['Loomlet.js', ...(options.load || [])]) vm.runInContext(readSource(name), host.context, { filename: name });

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
      host.timers.shift();
      clock.now = next.due;
      host.run(next.fn);
    }
    clock.now = end;
  };
  return host;
}

module.exports = { createHost, readSource, ENDED, ROOT, FILES, CONFIG_URL, USER_CONFIG_URL };

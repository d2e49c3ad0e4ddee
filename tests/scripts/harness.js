'use strict';
// A small stand-in for the parts of Dreamweaver and of Loomlet.dll that the
// extension's scripts use. The shipped files are loaded unchanged into a vm
// context, so the code under test is exactly the code that ships.
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const ROOT = path.resolve(__dirname, '..', '..');
const FILES = path.join(ROOT, 'files');
const CONFIG_URL = 'file:///C|/Program Files/Macromedia/Dreamweaver MX 2004/Configuration';
const USER_CONFIG_URL = 'file:///C|/Documents and Settings/ann/Application Data/Macromedia/Dreamweaver MX 2004/Configuration';

function readSource(name) {
  return fs.readFileSync(path.join(FILES, name), 'utf8');
}

// The native functions, with their results under the test's control.
function createLoomlet() {
  const loomlet = {
    installed: true,
    programPath: 'C:\\Program Files\\Vantrelle\\Vantrelle.exe',
    nextProcessId: 100,
    executeFails: false,
    processes: {},
    ini: {},
    failWrites: false,
    calls: [],
    errors: [],
    executed: [],
    waits: 0,
    IsExtensionInstalled() {
      loomlet.calls.push('IsExtensionInstalled');
      return loomlet.installed;
    },
    GetExtensionPath() {
      loomlet.calls.push('GetExtensionPath');
      return loomlet.programPath;
    },
    Execute(commandLine) {
      loomlet.calls.push('Execute');
      loomlet.executed.push(commandLine);
      if (loomlet.executeFails) {
        loomlet.errors.push('Execute ()\r\n\r\nDescription: Couldn\'t execute specified command line.');
        return undefined;
      }
      const id = loomlet.nextProcessId++;
      loomlet.processes[id] = { running: true, exitCode: 259 };
      return id;
    },
    IsProcessRunning(id) {
      loomlet.calls.push('IsProcessRunning');
      return Boolean(loomlet.processes[id] && loomlet.processes[id].running);
    },
    GetProcessExitCode(id) {
      loomlet.calls.push('GetProcessExitCode');
      const p = loomlet.processes[id];
      if (!p) return -1;
      return p.running ? 259 : p.exitCode;
    },
    Wait() {
      loomlet.calls.push('Wait');
      loomlet.waits++;
    },
    Error(text) {
      loomlet.calls.push('Error');
      loomlet.errors.push(text);
    },
    ReadINI(file, section, key) {
      loomlet.calls.push('ReadINI');
      const k = [file.toLowerCase(), section.toLowerCase(), key.toLowerCase()].join('|');
      return Object.prototype.hasOwnProperty.call(loomlet.ini, k) ? loomlet.ini[k] : '';
    },
    WriteINI(file, section, key, value) {
      loomlet.calls.push('WriteINI');
      if (loomlet.failWrites) throw new Error('Utilities.Profile: cannot set key value');
      loomlet.ini[[file.toLowerCase(), section.toLowerCase(), key.toLowerCase()].join('|')] = value;
    },
    finish(id, exitCode) {
      loomlet.processes[id] = { running: false, exitCode };
    },
  };
  return loomlet;
}

// A panel document: elements by id, with the properties the scripts touch.
function createDocument(ids) {
  const elements = {};
  for (const [id, tagName] of Object.entries(ids)) {
    elements[id] = { id, tagName, value: '', innerHTML: '', disabled: false };
  }
  return {
    elements,
    forms: [],
    getElementById(id) {
      return elements[id] || null;
    },
  };
}

// Creates a fresh host. Options:
//   library: false        Loomlet.dll not loaded (no global Loomlet)
//   strings: text|null    content of Configuration/Strings/VNLStringsEN.xml
//   tempFolder: false     no dw.getTempFolderPath
//   documentSource        outerHTML of the current document
//   document              element ids of the panel (id -> tag name)
function createHost(options = {}) {
  const loomlet = createLoomlet();
  const files = {};
  const reads = [];
  const alerts = [];
  const browsed = [];
  const timers = [];
  const clock = { now: 1000000 };
  const stringsText = options.strings === undefined ? readSource('VNLStringsEN.xml') : options.strings;
  if (stringsText !== null) files[CONFIG_URL + '/Strings/VNLStringsEN.xml'] = stringsText;

  const dw = {
    getConfigurationPath: () => CONFIG_URL,
    getDocumentDOM: () => ({ documentElement: { outerHTML: options.documentSource || '<html><body></body></html>' } }),
    browseDocument: (url) => browsed.push(url),
    browseForFileURL: () => options.browseResult || '',
  };
  if (options.tempFolder !== false) dw.getTempFolderPath = () => USER_CONFIG_URL + '/Temp';

  const context = {
    dw,
    DWfile: {
      exists: (url) => Object.prototype.hasOwnProperty.call(files, url),
      read: (url) => {
        reads.push(url);
        return Object.prototype.hasOwnProperty.call(files, url) ? files[url] : null;
      },
    },
    alert: (text) => alerts.push(String(text)),
    setTimeout: (fn, delay) => {
      timers.push({ fn, due: clock.now + delay, delay });
      return timers.length;
    },
    Date: class extends Date {
      constructor(...args) {
        if (args.length) super(...args);
        else super(clock.now);
      }
    },
  };
  if (options.library !== false) context.Loomlet = loomlet;
  if (options.document) context.document = createDocument(options.document);
  vm.createContext(context);

  const host = {
    context, loomlet, files, reads, alerts, browsed, timers, clock,
    load(...names) {
      for (const name of names) {
        vm.runInContext(readSource(name), context, { filename: name });
      }
      return host;
    },
    // Runs the timers that are due after `ms` more milliseconds, in order;
    // timers set while running are run too when they fall due in that time.
    advance(ms) {
      const end = clock.now + ms;
      for (;;) {
        timers.sort((a, b) => a.due - b.due);
        if (!timers.length || timers[0].due > end) break;
        const timer = timers.shift();
        clock.now = Math.max(clock.now, timer.due);
        timer.fn();
      }
      clock.now = end;
    },
  };
  return host;
}

// Splits a command line the way CommandLineToArgvW splits the arguments that
// follow the program name: independent of the code under test.
function splitCommandLine(line) {
  const args = [];
  let i = 0;
  const n = line.length;
  for (;;) {
    while (i < n && (line[i] === ' ' || line[i] === '\t')) i++;
    if (i >= n) break;
    let arg = '';
    let inQuotes = false;
    while (i < n && (inQuotes || (line[i] !== ' ' && line[i] !== '\t'))) {
      if (line[i] === '\\') {
        let count = 0;
        while (line[i] === '\\') { count++; i++; }
        if (line[i] === '"') {
          arg += '\\'.repeat(Math.floor(count / 2));
          if (count % 2 === 1) { arg += '"'; i++; }
        } else {
          arg += '\\'.repeat(count);
        }
      } else if (line[i] === '"') {
        if (inQuotes && line[i + 1] === '"') { arg += '"'; i += 2; } else { inQuotes = !inQuotes; i++; }
      } else {
        arg += line[i++];
      }
    }
    args.push(arg);
  }
  return args;
}

module.exports = { createHost, splitCommandLine, readSource, ROOT, FILES, CONFIG_URL, USER_CONFIG_URL };

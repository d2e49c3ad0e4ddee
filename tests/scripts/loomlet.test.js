'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { createHost, splitCommandLine, CONFIG_URL, USER_CONFIG_URL } = require('./harness');

function vnl(options) {
  return createHost(options).load('Loomlet.js');
}

test.describe('command-line quoting', () => {
  const quote = (text) => vnl().context.VNL.quoteArgument(text);

  test('leaves a plain argument unquoted', () => {
    assert.equal(quote('site.vnl'), 'site.vnl');
  });

  test('quotes an argument with blanks', () => {
    assert.equal(quote('C:\\My Menus\\site.vnl'), '"C:\\My Menus\\site.vnl"');
  });

  test('quotes an argument with a tab', () => {
    assert.equal(quote('a\tb'), '"a\tb"');
  });

  test('turns an empty argument into a pair of quotes', () => {
    assert.equal(quote(''), '""');
  });

  test('escapes an embedded double quote with a backslash', () => {
    assert.equal(quote('say "hi"'), '"say \\"hi\\""');
  });

  test('doubles backslashes that stand before an embedded quote and adds one', () => {
    assert.equal(quote('a\\"b'), '"a\\\\\\"b"');
  });

  test('doubles trailing backslashes of a quoted argument', () => {
    assert.equal(quote('C:\\My Menus\\'), '"C:\\My Menus\\\\"');
  });

  test('keeps backslashes that are not before a quote as they are', () => {
    assert.equal(quote('C:\\path\\'), 'C:\\path\\');
    assert.equal(quote('\\\\server\\share dir\\x'), '"\\\\server\\share dir\\x"');
  });

  test('every argument survives the Windows command-line splitter', () => {
    const VNL = vnl().context.VNL;
    const samples = ['', ' ', 'a', 'a b', '"', '""', '\\', '\\\\', 'a\\', 'a \\', 'a\\\\ "b"\\',
      '\\"', 'x\\\\"y', 'tab\there', '"quoted"', 'end with quote"', 'C:\\Program Files\\'];
    let seed = 7;
    const alphabet = ['a', ' ', '\\', '"', '\t', 'b'];
    for (let n = 0; n < 300; n++) {
      let s = '';
      const length = n % 9;
      for (let i = 0; i < length; i++) {
        seed = (seed * 1103515245 + 12345) % 2147483648;
        s += alphabet[seed % alphabet.length];
      }
      samples.push(s);
    }
    for (const sample of samples) {
      const line = 'prog.exe ' + VNL.buildCommandLine(['x', sample, 'y']);
      assert.deepEqual(splitCommandLine(line).slice(1), ['x', sample, 'y'], JSON.stringify(sample));
    }
  });

  test('buildCommandLine joins the quoted arguments with single blanks', () => {
    const VNL = vnl().context.VNL;
    assert.equal(VNL.buildCommandLine(['C:\\Program Files\\V\\V.exe', 'p.vnl', '']),
      '"C:\\Program Files\\V\\V.exe" p.vnl ""');
  });
});

test.describe('following a process', () => {
  test('reports the exit code once the process has ended, without blocking meanwhile', () => {
    const host = vnl();
    const { VNL } = host.context;
    const id = host.loomlet.Execute('prog');
    const exits = [];
    VNL.followProcess(id, { interval: 100, timeout: 10000, onExit: (code) => exits.push(code) });
    assert.deepEqual(exits, [], 'followProcess returned before the process ended');
    host.advance(300);
    assert.deepEqual(exits, []);
    host.loomlet.finish(id, 3);
    host.advance(100);
    assert.deepEqual(exits, [3]);
    assert.equal(host.timers.length, 0, 'no more checks after the end');
  });

  test('calls Loomlet.Wait between checks and schedules the next check with setTimeout', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    host.context.VNL.followProcess(id, { interval: 50, onExit: () => {} });
    assert.equal(host.loomlet.waits, 1);
    assert.equal(host.timers.length, 1);
    assert.equal(host.timers[0].delay, 50);
    host.advance(150);
    assert.equal(host.loomlet.waits, 4);
  });

  test('uses an interval of 250 ms when none is given', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    host.context.VNL.followProcess(id, { onExit: () => {} });
    assert.equal(host.timers[0].delay, 250);
  });

  test('reports an already ended process at once', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    host.loomlet.finish(id, 0);
    const exits = [];
    host.context.VNL.followProcess(id, { onExit: (code) => exits.push(code) });
    assert.deepEqual(exits, [0]);
    assert.equal(host.loomlet.waits, 0);
    assert.equal(host.timers.length, 0);
  });

  test('gives up after the time-out and leaves the process alone', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    let timeouts = 0;
    let exits = 0;
    host.context.VNL.followProcess(id, {
      interval: 250, timeout: 1000, onExit: () => exits++, onTimeout: () => timeouts++,
    });
    host.advance(750);
    assert.equal(timeouts, 0, 'not before the time-out');
    host.advance(250);
    assert.equal(timeouts, 1);
    host.advance(5000);
    assert.equal(timeouts, 1, 'reported once');
    assert.equal(exits, 0);
    assert.equal(host.timers.length, 0);
    assert.equal(host.loomlet.processes[id].running, true);
  });

  test('follows without a time-out when the time-out is 0', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    let timeouts = 0;
    host.context.VNL.followProcess(id, { interval: 1000, timeout: 0, onTimeout: () => timeouts++, onExit: () => {} });
    host.advance(24 * 3600 * 1000);
    assert.equal(timeouts, 0);
    assert.equal(host.timers.length, 1);
  });

  test('cancel stops the checks', () => {
    const host = vnl();
    const id = host.loomlet.Execute('prog');
    const exits = [];
    const handle = host.context.VNL.followProcess(id, { interval: 100, onExit: (c) => exits.push(c) });
    handle.cancel();
    host.loomlet.finish(id, 0);
    host.advance(1000);
    assert.deepEqual(exits, []);
    assert.equal(handle.active, false);
  });
});

test.describe('settings', () => {
  test('live in the user\'s Configuration folder, the parent of the Temp folder', () => {
    const host = vnl();
    assert.equal(host.context.VNL.getSettingsFile(),
      'C:\\Documents and Settings\\ann\\Application Data\\Macromedia\\Dreamweaver MX 2004\\Configuration\\VNLSettings.ini');
  });

  test('fall back to the installation\'s Shared/Common folder without dw.getTempFolderPath', () => {
    const host = vnl({ tempFolder: false });
    assert.equal(host.context.VNL.getSettingsURL(), CONFIG_URL + '/Shared/Common/VNLSettings.ini');
    assert.equal(host.context.VNL.getSettingsFile(),
      'C:\\Program Files\\Macromedia\\Dreamweaver MX 2004\\Configuration\\Shared\\Common\\VNLSettings.ini');
  });

  test('a missing value gives the default', () => {
    const { VNL } = vnl().context;
    assert.equal(VNL.readSetting('Floater', 'LastProject', 'none'), 'none');
    assert.equal(VNL.readSetting('Floater', 'FollowTimeoutSeconds', 60), 60);
  });

  test('a stored value wins over the default', () => {
    const host = vnl();
    const { VNL } = host.context;
    assert.equal(VNL.writeSetting('Floater', 'LastProject', 'C:\\a b\\c.vnl'), true);
    assert.equal(VNL.readSetting('Floater', 'LastProject', ''), 'C:\\a b\\c.vnl');
  });

  test('a numeric default turns a stored number into a number', () => {
    const host = vnl();
    const { VNL } = host.context;
    VNL.writeSetting('Floater', 'FollowTimeoutSeconds', '90');
    assert.equal(VNL.readSetting('Floater', 'FollowTimeoutSeconds', 60), 90);
  });

  test('a stored text that is no number gives the numeric default', () => {
    const host = vnl();
    const { VNL } = host.context;
    VNL.writeSetting('Floater', 'FollowTimeoutSeconds', 'soon');
    assert.equal(VNL.readSetting('Floater', 'FollowTimeoutSeconds', 60), 60);
    VNL.writeSetting('Floater', 'FollowTimeoutSeconds', '   ');
    assert.equal(VNL.readSetting('Floater', 'FollowTimeoutSeconds', 60), 60);
  });

  test('an empty stored value gives the default', () => {
    const host = vnl();
    const { VNL } = host.context;
    VNL.writeSetting('Object', 'MenuScript', '');
    assert.equal(VNL.readSetting('Object', 'MenuScript', 'vantrelle/menu.js'), 'vantrelle/menu.js');
  });

  test('values go to the settings file through WriteINI', () => {
    const host = vnl();
    host.context.VNL.writeSetting('Floater', 'LastProject', 'x');
    const file = host.context.VNL.getSettingsFile().toLowerCase();
    assert.equal(host.loomlet.ini[file + '|floater|lastproject'], 'x');
  });

  test('a failed write is reported as false', () => {
    const host = vnl();
    host.loomlet.failWrites = true;
    assert.equal(host.context.VNL.writeSetting('Floater', 'LastProject', 'x'), false);
  });

  test('without the library, reads give defaults and writes report false', () => {
    const { VNL } = vnl({ library: false }).context;
    assert.equal(VNL.hasLibrary(), false);
    assert.equal(VNL.readSetting('Floater', 'LastProject', 'd'), 'd');
    assert.equal(VNL.writeSetting('Floater', 'LastProject', 'x'), false);
  });
});

test.describe('finding the Vantrelle program', () => {
  test('takes a registered program file as it is', () => {
    const host = vnl();
    host.loomlet.programPath = 'D:\\Tools\\Vantrelle\\VANTRELLE.EXE';
    assert.equal(host.context.VNL.getProgramFile(), 'D:\\Tools\\Vantrelle\\VANTRELLE.EXE');
  });

  test('adds the program name to a registered folder', () => {
    const host = vnl();
    host.loomlet.programPath = 'D:\\Tools\\Vantrelle\\';
    assert.equal(host.context.VNL.getProgramFile(), 'D:\\Tools\\Vantrelle\\Vantrelle.exe');
  });

  test('gives an empty name when the program is not installed, without asking for its path', () => {
    const host = vnl();
    host.loomlet.installed = false;
    assert.equal(host.context.VNL.getProgramFile(), '');
    assert.ok(!host.loomlet.calls.includes('GetExtensionPath'));
  });

  test('gives an empty name without the library', () => {
    assert.equal(vnl({ library: false }).context.VNL.getProgramFile(), '');
  });
});

test.describe('paths', () => {
  test('turn file URLs into Windows paths', () => {
    const { VNL } = vnl().context;
    assert.equal(VNL.urlToPath('file:///C|/My%20Site/menu.vnl'), 'C:\\My Site\\menu.vnl');
    assert.equal(VNL.urlToPath('file:///D:/a/b'), 'D:\\a\\b');
    assert.equal(VNL.urlToPath('file://server/share/x.vnl'), '\\\\server\\share\\x.vnl');
  });

  test('use Dreamweaver\'s own conversion when it is there', () => {
    const host = createHost();
    host.context.MMNotes = { localURLToFilePath: (url) => 'converted:' + url };
    host.load('Loomlet.js');
    assert.equal(host.context.VNL.urlToPath('file:///C|/x'), 'converted:file:///C|/x');
  });

  test('parentURL drops the last element and trailing slashes', () => {
    const { VNL } = vnl().context;
    assert.equal(VNL.parentURL(USER_CONFIG_URL + '/Temp/'), USER_CONFIG_URL);
  });
});

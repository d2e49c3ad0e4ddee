// Loomlet.js - shared helpers of the Vantrelle extension for Dreamweaver.
//
// Installed to Configuration/Shared/Common/Scripts and included by the
// insert object (Objects/Common/VNLObject.html) and the floating panel
// (Floaters/VNLFloater.html).
//
// The native library JSExtensions/Loomlet.dll registers its functions under
// the global name "Loomlet" (Loomlet.ReadINI, Loomlet.Execute, ...). This
// file must never assign to that name, so its own helpers live in the object
// VNL.
//
// Dreamweaver MX 2004 runs an old JavaScript engine: this file keeps to
// ECMAScript 3 (var, function expressions, no Array.forEach and friends).

var VNL = {};

VNL.STRINGS_FILE = "VNLStringsEN.xml";
VNL.HELP_FILE = "VNLHelpEN.html";
VNL.SETTINGS_FILE = "VNLSettings.ini";
VNL.PROGRAM_FILE = "Vantrelle.exe";

// ---------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------

// Replaces the XML character references and the five predefined entities.
VNL.decodeXML = function (text) {
  return String(text).replace(/&(#x[0-9A-Fa-f]+|#[0-9]+|lt|gt|amp|quot|apos);/g,
    function (all, name) {
      if (name.charAt(0) == "#") {
        var code = name.charAt(1) == "x" ?
          parseInt(name.substring(2), 16) : parseInt(name.substring(1), 10);
        return String.fromCharCode(code);
      }
      switch (name) {
        case "lt": return "<";
        case "gt": return ">";
        case "amp": return "&";
        case "quot": return "\"";
        default: return "'";
      }
    });
};

// Escapes a text for use inside HTML or XML, attribute values included.
VNL.escapeHTML = function (text) {
  return String(text).replace(/&/g, "&amp;").replace(/</g, "&lt;")
    .replace(/>/g, "&gt;").replace(/"/g, "&quot;");
};

// Reads the attributes of one tag, starting just after its name. Returns
// { attributes: {name: value}, end: index after the closing ">" } or null
// when the tag is not closed.
VNL.readAttributes = function (text, position) {
  var attributes = {};
  var length = text.length;
  var i = position;
  while (i < length) {
    var c = text.charAt(i);
    if (c == " " || c == "\t" || c == "\r" || c == "\n") {
      i++;
    } else if (c == ">") {
      return { attributes: attributes, end: i + 1 };
    } else if (c == "/" && text.charAt(i + 1) == ">") {
      return { attributes: attributes, end: i + 2 };
    } else {
      var nameStart = i;
      while (i < length && /[^\s=\/>]/.test(text.charAt(i))) {
        i++;
      }
      var name = text.substring(nameStart, i);
      while (i < length && /\s/.test(text.charAt(i))) {
        i++;
      }
      if (name == "" || text.charAt(i) != "=") {
        return null;
      }
      i++;
      while (i < length && /\s/.test(text.charAt(i))) {
        i++;
      }
      var quote = text.charAt(i);
      if (quote != "\"" && quote != "'") {
        return null;
      }
      var valueEnd = text.indexOf(quote, i + 1);
      if (valueEnd < 0) {
        return null;
      }
      attributes[name] = VNL.decodeXML(text.substring(i + 1, valueEnd));
      i = valueEnd + 1;
    }
  }
  return null;
};

// Parses a Dreamweaver strings file:
//   <strings> <string id="..." value="..." /> ... </strings>
// Returns an object that maps each id to its value. Comments are skipped;
// a later definition of an id replaces an earlier one; entries without an
// id or without a value are ignored.
VNL.parseStrings = function (xmlText) {
  var table = {};
  var text = String(xmlText);
  var i = 0;
  while (true) {
    var open = text.indexOf("<", i);
    if (open < 0) {
      break;
    }
    if (text.substring(open, open + 4) == "<!--") {
      var close = text.indexOf("-->", open + 4);
      if (close < 0) {
        break;
      }
      i = close + 3;
      continue;
    }
    var after = text.charAt(open + 7);
    if (text.substring(open, open + 7) == "<string" && /[\s\/>]/.test(after)) {
      var tag = VNL.readAttributes(text, open + 7);
      if (!tag) {
        break;
      }
      if (typeof tag.attributes.id == "string" && tag.attributes.id != "" &&
          typeof tag.attributes.value == "string") {
        table[tag.attributes.id] = tag.attributes.value;
      }
      i = tag.end;
    } else {
      i = open + 1;
    }
  }
  return table;
};

VNL.strings = null;

// Loads the extension's strings file from the Configuration/Strings folder
// once; later calls return the same table. A missing or unreadable file
// gives an empty table (getString then falls back to dw.loadString or to
// the id itself).
VNL.loadStrings = function () {
  if (VNL.strings) {
    return VNL.strings;
  }
  var text = null;
  if (typeof DWfile != "undefined" && typeof dw != "undefined") {
    var url = VNL.getConfigurationURL() + "/Strings/" + VNL.STRINGS_FILE;
    if (DWfile.exists(url)) {
      text = DWfile.read(url);
    }
  }
  VNL.strings = text ? VNL.parseStrings(text) : {};
  return VNL.strings;
};

// Replaces %1 ... %9 with the arguments that follow the text; %% gives %.
VNL.format = function (text) {
  var args = arguments;
  return String(text).replace(/%([1-9%])/g, function (all, which) {
    if (which == "%") {
      return "%";
    }
    var index = parseInt(which, 10);
    return index < args.length ? String(args[index]) : all;
  });
};

// The text with the given id, with %1 ... %9 filled from further arguments.
VNL.getString = function (id) {
  var table = VNL.loadStrings();
  var text;
  if (table.hasOwnProperty(id)) {
    text = table[id];
  } else if (typeof dw != "undefined" && typeof dw.loadString == "function" &&
             dw.loadString(id)) {
    text = dw.loadString(id);
  } else {
    text = id;
  }
  var args = [text];
  for (var i = 1; i < arguments.length; i++) {
    args[args.length] = arguments[i];
  }
  return VNL.format.apply(null, args);
};

// ---------------------------------------------------------------------------
// Paths
// ---------------------------------------------------------------------------

// Dreamweaver's Configuration folder as a file URL, without trailing slash.
VNL.getConfigurationURL = function () {
  return String(dw.getConfigurationPath()).replace(/\/+$/, "");
};

// Turns a Dreamweaver file URL ("file:///C|/My%20Site/a.html") into a
// Windows path ("C:\My Site\a.html"). Uses Dreamweaver's own conversion when
// it is there.
VNL.urlToPath = function (url) {
  if (typeof MMNotes != "undefined" && MMNotes &&
      typeof MMNotes.localURLToFilePath == "function") {
    return MMNotes.localURLToFilePath(url);
  }
  var path = String(url);
  if (path.substring(0, 8).toLowerCase() == "file:///") {
    path = path.substring(8);
    path = path.replace(/^([A-Za-z])[|:]/, "$1:");
  } else if (path.substring(0, 7).toLowerCase() == "file://") {
    path = "//" + path.substring(7);
  }
  try {
    path = decodeURIComponent(path);
  } catch (e) {
    path = unescape(path);
  }
  return path.replace(/\//g, "\\");
};

// The folder of a file URL, without trailing slash.
VNL.parentURL = function (url) {
  var text = String(url).replace(/\/+$/, "");
  var slash = text.lastIndexOf("/");
  return slash < 0 ? text : text.substring(0, slash);
};

// Where the settings live. The INI file is written by the native library,
// which (unlike Dreamweaver's own file functions) is not redirected to the
// user's Configuration folder, so the file must lie in a folder the user can
// write: the user's own Configuration folder, which is the parent of the
// Temp folder that dw.getTempFolderPath() reports. Without that function the
// installation's Configuration/Shared/Common folder is used, the folder that
// holds Scripts/Loomlet.js.
VNL.getSettingsURL = function () {
  var folder = "";
  if (typeof dw.getTempFolderPath == "function") {
    var temp = dw.getTempFolderPath();
    if (temp) {
      folder = VNL.parentURL(temp);
    }
  }
  if (folder == "") {
    folder = VNL.getConfigurationURL() + "/Shared/Common";
  }
  return folder + "/" + VNL.SETTINGS_FILE;
};

VNL.getSettingsFile = function () {
  return VNL.urlToPath(VNL.getSettingsURL());
};

// ---------------------------------------------------------------------------
// Settings
// ---------------------------------------------------------------------------

// Reads one value of the settings file; an absent or empty value gives the
// default. A default that is a number makes the result a number too, and a
// stored text that is not a number then gives the default.
VNL.readSetting = function (section, key, defaultValue) {
  var value = "";
  if (VNL.hasLibrary()) {
    value = Loomlet.ReadINI(VNL.getSettingsFile(), section, key);
  }
  if (value == null || value === "") {
    return defaultValue;
  }
  value = String(value);
  if (typeof defaultValue == "number") {
    var number = Number(value);
    return isNaN(number) || !/\S/.test(value) ? defaultValue : number;
  }
  return value;
};

// Writes one value of the settings file; false when the library is missing.
// A write that fails is reported by the library, and like every native call
// that fails it ends the calling script there.
VNL.writeSetting = function (section, key, value) {
  if (!VNL.hasLibrary()) {
    return false;
  }
  Loomlet.WriteINI(VNL.getSettingsFile(), section, key, String(value));
  return true;
};

// ---------------------------------------------------------------------------
// The native library and the Vantrelle program
// ---------------------------------------------------------------------------

// True when JSExtensions/Loomlet.dll has been loaded.
VNL.hasLibrary = function () {
  return typeof Loomlet != "undefined" && Loomlet != null &&
    typeof Loomlet.IsExtensionInstalled != "undefined";
};

// The full file name of the Vantrelle program, or "" when it is not
// installed. The registration holds either the program file itself or the
// folder it lives in.
VNL.getProgramFile = function () {
  if (!VNL.hasLibrary() || !Loomlet.IsExtensionInstalled()) {
    return "";
  }
  var path = String(Loomlet.GetExtensionPath());
  if (path == "") {
    return "";
  }
  if (/\.exe$/i.test(path)) {
    return path;
  }
  return path.replace(/[\\\/]+$/, "") + "\\" + VNL.PROGRAM_FILE;
};

// ---------------------------------------------------------------------------
// Command lines
// ---------------------------------------------------------------------------

// Quotes one argument so that the Windows command-line splitter
// (CommandLineToArgvW and the C runtime) gives it back unchanged:
// backslashes are literal except before a double quote, where 2n
// backslashes stand for n and 2n+1 for n followed by a literal quote.
VNL.quoteArgument = function (argument) {
  var text = String(argument);
  if (text != "" && !/[ \t\n\v"]/.test(text)) {
    return text;
  }
  var result = "\"";
  var backslashes = 0;
  for (var i = 0; i < text.length; i++) {
    var c = text.charAt(i);
    if (c == "\\") {
      backslashes++;
    } else if (c == "\"") {
      result += VNL.repeat("\\", backslashes * 2 + 1) + "\"";
      backslashes = 0;
    } else {
      result += VNL.repeat("\\", backslashes) + c;
      backslashes = 0;
    }
  }
  // Backslashes before the closing quote must be doubled.
  result += VNL.repeat("\\", backslashes * 2) + "\"";
  return result;
};

VNL.repeat = function (text, count) {
  var result = "";
  for (var i = 0; i < count; i++) {
    result += text;
  }
  return result;
};

// Joins quoted arguments into one command line for Loomlet.Execute. The
// first argument is the program; a program name cannot hold a double quote,
// which Windows would not accept there.
VNL.buildCommandLine = function (args) {
  var parts = [];
  for (var i = 0; i < args.length; i++) {
    parts[parts.length] = VNL.quoteArgument(args[i]);
  }
  return parts.join(" ");
};

// ---------------------------------------------------------------------------
// Following a process
// ---------------------------------------------------------------------------

// Milliseconds since 1970; a separate function so that it can be replaced.
VNL.now = function () {
  return new Date().getTime();
};

// Follows a started process without blocking Dreamweaver: every
// options.interval milliseconds (default 250) it asks whether the process is
// still running. The checks run on Dreamweaver's timers, so its own message
// loop runs between them. No native call is made before it returns.
//
//   options.onExit(exitCode)   the process has ended
//   options.onTimeout()        options.timeout milliseconds have passed
//                              (0 or absent: no time-out); the process is
//                              left alone and no longer followed
//
// Returns an object whose cancel() stops the following.
VNL.followProcess = function (processId, options) {
  var interval = options.interval > 0 ? options.interval : 250;
  var timeout = options.timeout > 0 ? options.timeout : 0;
  var start = VNL.now();
  var handle = { active: true };
  handle.cancel = function () {
    handle.active = false;
  };
  function check() {
    if (!handle.active) {
      return;
    }
    // The next check is booked before the native calls: one that fails ends
    // this script, and the following must not end with it.
    setTimeout(check, interval);
    if (!Loomlet.IsProcessRunning(processId)) {
      handle.active = false;
      if (options.onExit) {
        options.onExit(Loomlet.GetProcessExitCode(processId));
      }
    } else if (timeout && VNL.now() - start >= timeout) {
      handle.active = false;
      if (options.onTimeout) {
        options.onTimeout();
      }
    }
  }
  setTimeout(check, 0);
  return handle;
};

// VNLFloater.js - the Vantrelle floating panel (Window > Vantrelle
// Extension). It shows whether the Vantrelle program is installed, starts it
// with the chosen project, follows it until it ends without blocking
// Dreamweaver, and remembers the last project in the settings file.
//
// The helpers VNL.* come from Configuration/Shared/Common/Scripts/Loomlet.js;
// the native functions Loomlet.* from JSExtensions/Loomlet.dll.
//
// ECMAScript 3 only: Dreamweaver MX 2004's engine is old.

var VNLFloater = {};

VNLFloater.SECTION = "Floater";
VNLFloater.PROJECT_KEY = "LastProject";
VNLFloater.TIMEOUT_KEY = "FollowTimeoutSeconds";
VNLFloater.INTERVAL_KEY = "PollIntervalMilliseconds";
VNLFloater.DEFAULT_TIMEOUT = 4 * 60 * 60;
VNLFloater.DEFAULT_INTERVAL = 250;

// Which string goes into which element of the panel.
VNLFloater.TEXTS = [
  ["programLabel", "vnl/floater/programLabel"],
  ["projectLabel", "vnl/floater/projectLabel"],
  ["browseButton", "vnl/floater/browse"],
  ["startButton", "vnl/floater/start"],
  ["helpButton", "vnl/floater/help"]
];

// The process being followed, or null.
VNLFloater.follower = null;

VNLFloater.findElement = function (id) {
  if (typeof document.getElementById == "function" ||
      typeof document.getElementById == "object") {
    var element = document.getElementById(id);
    if (element) {
      return element;
    }
  }
  var form = document.forms ? document.forms[0] : null;
  return form && form[id] ? form[id] : null;
};

// Shows a text in an element: as the value of a button or text field,
// otherwise as the element's content.
VNLFloater.setText = function (id, text) {
  var element = VNLFloater.findElement(id);
  if (!element) {
    return;
  }
  var tag = element.tagName ? String(element.tagName).toUpperCase() : "";
  if (tag == "INPUT") {
    element.value = text;
  } else {
    element.innerHTML = VNL.escapeHTML(text);
  }
};

VNLFloater.setMessage = function (text) {
  VNLFloater.setText("message", text);
};

VNLFloater.setStartEnabled = function (enabled) {
  var button = VNLFloater.findElement("startButton");
  if (button) {
    button.disabled = !enabled;
  }
};

// Shows whether the Vantrelle program is installed; returns its file name
// ("" when it is missing).
VNLFloater.refreshProgramStatus = function () {
  var program = "";
  var status;
  if (!VNL.hasLibrary()) {
    status = VNL.getString("vnl/floater/noLibrary");
  } else {
    program = VNL.getProgramFile();
    status = program == "" ? VNL.getString("vnl/floater/notInstalled") :
      VNL.getString("vnl/floater/installed", program);
  }
  VNLFloater.setText("programStatus", status);
  return program;
};

VNLFloater.getProject = function () {
  var field = VNLFloater.findElement("project");
  var text = field ? String(field.value).replace(/^\s+|\s+$/g, "") : "";
  // Explorer's "Copy as path" wraps the path in double quotes.
  return text.replace(/^"(.*)"$/, "$1");
};

VNLFloater.initialize = function () {
  for (var i = 0; i < VNLFloater.TEXTS.length; i++) {
    VNLFloater.setText(VNLFloater.TEXTS[i][0], VNL.getString(VNLFloater.TEXTS[i][1]));
  }
  VNLFloater.refreshProgramStatus();
  var project = VNL.readSetting(VNLFloater.SECTION, VNLFloater.PROJECT_KEY, "");
  var field = VNLFloater.findElement("project");
  if (field) {
    field.value = project;
  }
  VNLFloater.setMessage(VNL.getString("vnl/floater/ready"));
};

VNLFloater.browseProject = function () {
  var url = dw.browseForFileURL("open", VNL.getString("vnl/floater/browseTitle"), false, false);
  if (url) {
    var field = VNLFloater.findElement("project");
    if (field) {
      field.value = VNL.urlToPath(url);
    }
  }
};

// Starts the Vantrelle program with the chosen project and follows it.
// Returns true when the program was started. A native call that fails ends
// this script inside the library, which reports the failure itself; so every
// check comes before Loomlet.Execute, and nothing is changed before it that
// a failed start would leave half done.
VNLFloater.start = function () {
  if (VNLFloater.follower && VNLFloater.follower.active) {
    VNLFloater.setMessage(VNL.getString("vnl/floater/busy"));
    return false;
  }
  if (!VNL.hasLibrary()) {
    VNLFloater.refreshProgramStatus();
    alert(VNL.getString("vnl/floater/missingLibrary"));
    return false;
  }
  var program = VNLFloater.refreshProgramStatus();
  if (program == "") {
    VNLFloater.setMessage(VNL.getString("vnl/floater/notInstalled"));
    Loomlet.Error(VNL.getString("vnl/floater/notInstalledError"));
    return false;
  }
  var project = VNLFloater.getProject();
  var args = [program];
  if (project != "") {
    args[args.length] = project;
  }
  var commandLine = VNL.buildCommandLine(args);
  var interval = VNL.readSetting(VNLFloater.SECTION, VNLFloater.INTERVAL_KEY, VNLFloater.DEFAULT_INTERVAL);
  var timeout = 1000 * VNL.readSetting(VNLFloater.SECTION, VNLFloater.TIMEOUT_KEY, VNLFloater.DEFAULT_TIMEOUT);
  var processId = Loomlet.Execute(commandLine);
  VNLFloater.setMessage(VNL.getString("vnl/floater/running"));
  VNLFloater.setStartEnabled(false);
  VNLFloater.follower = VNL.followProcess(processId, {
    interval: interval,
    timeout: timeout,
    onExit: function (exitCode) {
      VNLFloater.setStartEnabled(true);
      if (exitCode == 0) {
        VNLFloater.setMessage(VNL.getString("vnl/floater/finished"));
      } else {
        VNLFloater.setMessage(VNL.getString("vnl/floater/exitStatus", exitCode));
        Loomlet.Error(VNL.getString("vnl/floater/exitError", exitCode, commandLine));
      }
    },
    onTimeout: function () {
      VNLFloater.setStartEnabled(true);
      VNLFloater.setMessage(VNL.getString("vnl/floater/timeout"));
    }
  });
  // Last: a settings file that cannot be written leaves the program started
  // and followed.
  VNL.writeSetting(VNLFloater.SECTION, VNLFloater.PROJECT_KEY, project);
  return true;
};

// Floating panel API.

function isDockable() {
  return true;
}

function displayHelp() {
  dw.browseDocument(VNL.getConfigurationURL() + "/Help/" + VNL.HELP_FILE);
}

// Event handlers of the panel's form.

function initializePanel() {
  VNLFloater.initialize();
}

function browseProject() {
  VNLFloater.browseProject();
}

function startProgram() {
  VNLFloater.start();
}

// VNLObject.js - the Vantrelle insert object (Insert > Vantrelle and the
// Vantrelle button of the Common insert bar).
//
// Dreamweaver calls objectTag() and inserts the HTML it returns at the
// insertion point; an empty text inserts nothing. The helpers VNL.* come
// from Configuration/Shared/Common/Scripts/Loomlet.js.
//
// ECMAScript 3 only: Dreamweaver MX 2004's engine is old.

var VNLObject = {};

// Settings key of the menu script that the inserted markup loads, relative
// to the page; the Vantrelle program writes the menu script there.
VNLObject.SECTION = "Object";
VNLObject.SCRIPT_KEY = "MenuScript";
VNLObject.DEFAULT_SCRIPT = "vantrelle/menu.js";
VNLObject.ID_PREFIX = "vantrelleMenu";

// The first id "vantrelleMenu1", "vantrelleMenu2", ... that the document's
// source does not use yet.
VNLObject.uniqueMenuId = function (source) {
  var text = String(source);
  for (var n = 1; ; n++) {
    var id = VNLObject.ID_PREFIX + n;
    var pattern = new RegExp("id\\s*=\\s*[\"']?" + id + "(?![0-9A-Za-z_-])", "i");
    if (!pattern.test(text)) {
      return id;
    }
  }
};

// The markup of one Vantrelle menu: a marker comment, the element the menu
// is drawn into, and the menu script.
VNLObject.buildMarkup = function (id, script) {
  return "<!-- " + VNL.getString("vnl/object/comment") + " -->" +
    "<div id=\"" + VNL.escapeHTML(id) + "\" class=\"vantrelle-menu\">" +
    "<script type=\"text/javascript\" src=\"" + VNL.escapeHTML(script) + "\"></script>" +
    "</div>";
};

function isDomRequired() {
  return true;
}

function objectTag() {
  if (!VNL.hasLibrary()) {
    alert(VNL.getString("vnl/object/missingLibrary"));
    return "";
  }
  if (VNL.getProgramFile() == "") {
    alert(VNL.getString("vnl/object/missingProgram"));
    return "";
  }
  var dom = dw.getDocumentDOM();
  var source = "";
  if (dom && dom.documentElement) {
    source = dom.documentElement.outerHTML;
  }
  var script = VNL.readSetting(VNLObject.SECTION, VNLObject.SCRIPT_KEY,
                               VNLObject.DEFAULT_SCRIPT);
  return VNLObject.buildMarkup(VNLObject.uniqueMenuId(source), script);
}

function displayHelp() {
  dw.browseDocument(VNL.getConfigurationURL() + "/Help/" + VNL.HELP_FILE);
}

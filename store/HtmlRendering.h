// Whether the browser pane shows the page it was sent to. Where no HTML
// engine is installed (Wine without its Gecko package, for one) the control
// takes the navigation, is done with it at once, and never makes a document.
#pragma once

enum class HtmlRendering {
  Shown,       // the page's document exists
  Loading,     // not yet: the control is still busy
  Impossible,  // done, and no document came into being
};

HtmlRendering HtmlRenderingOf(bool hasDocument, bool busy);

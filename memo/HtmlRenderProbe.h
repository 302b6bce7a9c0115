// Whether the browser pane shows the page it was sent to. Where no HTML
// engine is installed (Wine without its Gecko package, for one) the control
// takes the navigation, is done with it at once, and never makes a document.
#pragma once
#include "WebBrowser2.h"

enum class HtmlRendering {
  Shown,       // the page's document exists
  Loading,     // not yet: the control is still busy
  Impossible,  // done, and no document came into being
};

class HtmlRenderProbe {
public:
  virtual ~HtmlRenderProbe();
  virtual HtmlRendering Check(CWebBrowser2& browser);
};

// The control's own answer.
HtmlRenderProbe& PlatformHtmlRenderProbe();

// Asks the browser pane whether it shows the page it was sent to; a test
// gives its own answer in its place.
#pragma once
#include "memo/WebBrowser2.h"
#include "store/HtmlRendering.h"

class HtmlRenderProbe {
public:
  virtual ~HtmlRenderProbe();
  virtual HtmlRendering Check(CWebBrowser2& browser);
};

// The control's own answer.
HtmlRenderProbe& PlatformHtmlRenderProbe();

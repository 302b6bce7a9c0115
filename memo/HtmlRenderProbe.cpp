#include "memo/HtmlRenderProbe.h"

HtmlRenderProbe::~HtmlRenderProbe() {}

HtmlRendering HtmlRenderProbe::Check(CWebBrowser2& browser) { return HtmlRenderingOf(browser.HasDocument(), browser.IsBusy()); }

HtmlRenderProbe& PlatformHtmlRenderProbe() {
  static HtmlRenderProbe platform;
  return platform;
}

#include "HtmlRenderProbe.h"

HtmlRenderProbe::~HtmlRenderProbe() {}

HtmlRendering HtmlRenderProbe::Check(CWebBrowser2& browser) {
  if (browser.HasDocument()) return HtmlRendering::Shown;
  return browser.IsBusy() ? HtmlRendering::Loading : HtmlRendering::Impossible;
}

HtmlRenderProbe& PlatformHtmlRenderProbe() {
  static HtmlRenderProbe platform;
  return platform;
}

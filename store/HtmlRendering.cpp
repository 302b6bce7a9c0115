#include "store/HtmlRendering.h"

HtmlRendering HtmlRenderingOf(bool hasDocument, bool busy) {
  if (hasDocument) return HtmlRendering::Shown;
  return busy ? HtmlRendering::Loading : HtmlRendering::Impossible;
}

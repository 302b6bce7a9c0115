#include "framework/AmbientSite.h"

#include <ole2.h>
#include <olectl.h>

#include "framework/ControlContainer.h"

namespace {

// The control's client site: the container's own, with one ambient property
// more. Every interface but these two is the container site's, so the
// control's in-place activation, focus and frame go where they went before.
class AmbientSite : public IOleClientSite, public IDispatch {
public:
  AmbientSite(IOleClientSite* container, DISPID property, LONG propertyValue)
      : references(1), containerSite(container), containerAmbients(NULL), id(property), value(propertyValue) {
    containerSite->AddRef();
    // Where the container answers ambients of its own (ATL 3.0 does), they stay.
    if (FAILED(containerSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&containerAmbients)))) containerAmbients = NULL;
  }
  virtual ~AmbientSite() {
    if (containerAmbients) containerAmbients->Release();
    containerSite->Release();
  }
  AmbientSite(const AmbientSite&) = delete;
  AmbientSite& operator=(const AmbientSite&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return containerSite->QueryInterface(iid, out);
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&references); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG left = ::InterlockedDecrement(&references);
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP SaveObject() override { return containerSite->SaveObject(); }
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override {
    return containerSite->GetMoniker(assign, which, moniker);
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override { return containerSite->GetContainer(container); }
  STDMETHODIMP ShowObject() override { return containerSite->ShowObject(); }
  STDMETHODIMP OnShowWindow(BOOL show) override { return containerSite->OnShowWindow(show); }
  STDMETHODIMP RequestNewObjectLayout() override { return containerSite->RequestNewObjectLayout(); }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return containerAmbients ? containerAmbients->GetIDsOfNames(iid, names, count, locale, ids) : DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                      UINT* badArgument) override {
    if (member != id) {
      if (!containerAmbients) return DISP_E_MEMBERNOTFOUND;
      return containerAmbients->Invoke(member, iid, locale, flags, parameters, result, exception, badArgument);
    }
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    ::VariantInit(result);
    result->vt = VT_I4;
    result->lVal = value;
    return S_OK;
  }

private:
  LONG references;
  IOleClientSite* containerSite;
  IDispatch* containerAmbients;
  DISPID id;
  LONG value;
};

}  // namespace

bool AfxSetAmbientProperty(HWND container, DISPID id, LONG value) {
  IUnknown* control = AfxGetHostedControl(container);
  if (!control) return false;
  IOleObject* object = NULL;
  IOleClientSite* containerSite = NULL;
  bool set = SUCCEEDED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))) &&
             SUCCEEDED(object->GetClientSite(&containerSite)) && containerSite;
  if (set) {
    AmbientSite* site = new AmbientSite(containerSite, id, value);
    // A control takes a new site out of place; activated again, it finds its
    // window and frame through the new one.
    IOleInPlaceObject* inPlace = NULL;
    if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
    object->SetClientSite(site);
    RECT area;
    ::GetClientRect(container, &area);
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, site, 0, container, &area);
    // A control may have read its ambients before it had this site.
    IOleControl* ambients = NULL;
    if (SUCCEEDED(object->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&ambients)))) {
      ambients->OnAmbientPropertyChange(id);
      ambients->Release();
    }
    site->Release();
  }
  if (containerSite) containerSite->Release();
  if (object) object->Release();
  control->Release();
  return set;
}

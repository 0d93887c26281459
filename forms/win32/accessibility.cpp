#include "forms/win32/accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <utility>

namespace vestora::win32 {
namespace {

using CreateStandardObject = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// The two functions of oleacc.dll the program needs, from the system folder, looked up when a
// reader first asks for an object: a program nobody reads loads nothing more at start.
struct Oleacc {
  CreateStandardObject createStandardObject = nullptr;
  ResultFromObject resultFromObject = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const Oleacc& Library() {
  static const Oleacc library = [] {
    Oleacc found;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return found;
    const std::wstring path = std::wstring(folder, length) + L"\\oleacc.dll";
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) return found;
    found.createStandardObject = Lookup<CreateStandardObject>(module, "CreateStdAccessibleObject");
    found.resultFromObject = Lookup<ResultFromObject>(module, "LresultFromObject");
    return found;
  }();
  return library;
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Interface ids are taken as the headers declare them (__uuidof): oleacc's import library holds a
// symbol named IID_IAccessible that is no GUID, and which of the two a program gets would depend
// on its link order.
//
// The client area of one of the program's controls: its name, and for the program's own classes
// its role, are its own; everything else, its children, place, state and navigation included, is
// the standard object's.
class ControlObject final : public IAccessible {
 public:
  // No name: the window's text. No role: the standard object's.
  ControlObject(HWND window, std::optional<std::wstring> name, std::optional<LONG> role,
                IAccessible* standard)
      : window_(window), name_(std::move(name)), role_(role), standard_(standard) {}
  ControlObject(const ControlObject&) = delete;
  ControlObject& operator=(const ControlObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
        IsEqualIID(iid, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The child enumeration and the window handle (IEnumVARIANT, IOleWindow) are the standard
    // object's.
    return standard_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: late-bound callers get the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
  }

  // IAccessible: the two answers of our own.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    std::wstring text;
    if (name_) {
      text = *name_;
    } else {
      text.resize(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1);
      text.resize(static_cast<std::size_t>(
          GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    }
    if (text.empty()) return S_FALSE;
    *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || !role_) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = *role_;
    return S_OK;
  }

  // IAccessible: the standard object's answers.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~ControlObject() { standard_->Release(); }

  LONG references_ = 1;
  HWND window_;
  std::optional<std::wstring> name_;
  std::optional<LONG> role_;
  IAccessible* standard_;
};

LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, std::optional<std::wstring> name,
               std::optional<LONG> role) {
  // The object id is a 32-bit value, whatever the width of lParam.
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  const Oleacc& library = Library();
  if (library.createStandardObject == nullptr || library.resultFromObject == nullptr) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(library.createStandardObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&standard))) ||
      standard == nullptr) {
    return 0;
  }
  auto* object = new ControlObject(window, std::move(name), role, standard);
  const LRESULT result = library.resultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();  // the result holds its own reference
  return result > 0 ? result : 0;
}

// A standard control with a name for readers, held as the subclass's data.
LRESULT CALLBACK NamedControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data) {
  auto* name = reinterpret_cast<std::wstring*>(data);
  switch (message) {
    case WM_GETOBJECT:
      if (const LRESULT object = Answer(window, wParam, lParam, *name, std::nullopt)) {
        return object;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, NamedControlProcedure, id);
      delete name;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleRole role) {
  return Answer(window, wParam, lParam, std::nullopt,
                role == AccessibleRole::Grouping ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_GRAPHIC);
}

bool NameForReaders(HWND control, const std::wstring& name) {
  auto* held = new std::wstring(name);
  if (SetWindowSubclass(control, NamedControlProcedure, 0, reinterpret_cast<DWORD_PTR>(held))) {
    return true;
  }
  delete held;
  return false;
}

}  // namespace vestora::win32

#include "app/win32/accessible_object.h"

// after windows.h, which it needs
#include <oleacc.h>

#include <string>

#include "data/file_names.h"

namespace tolvinark {

std::int32_t AccessibleContent::childAt(int x, int y) const {
    const std::int32_t count = childCount();
    for (std::int32_t id = 1; id <= count; ++id) {
        const std::optional<AccessibleElement> child = element(id);
        if (!child || !child->place) continue;
        const ClientRect& r = *child->place;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return id;
    }
    return 0;
}

namespace {

static_assert(static_cast<LONG>(AccessibleRole::Client) == ROLE_SYSTEM_CLIENT &&
                  static_cast<LONG>(AccessibleRole::Chart) == ROLE_SYSTEM_CHART &&
                  static_cast<LONG>(AccessibleRole::List) == ROLE_SYSTEM_LIST &&
                  static_cast<LONG>(AccessibleRole::ListItem) == ROLE_SYSTEM_LISTITEM &&
                  static_cast<LONG>(AccessibleRole::StaticText) == ROLE_SYSTEM_STATICTEXT,
              "the roles as the system numbers them");
static_assert(accessible_state::kSelected == STATE_SYSTEM_SELECTED &&
                  accessible_state::kFocused == STATE_SYSTEM_FOCUSED &&
                  accessible_state::kReadOnly == STATE_SYSTEM_READONLY &&
                  accessible_state::kOffscreen == STATE_SYSTEM_OFFSCREEN &&
                  accessible_state::kFocusable == STATE_SYSTEM_FOCUSABLE &&
                  accessible_state::kSelectable == STATE_SYSTEM_SELECTABLE,
              "the states as the system numbers them");

HRESULT putText(const std::string& utf8, BSTR* out) {
    const std::u16string text = fileNameToUtf16(utf8);
    *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void putLong(LONG value, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = value;
}

// The object itself, or one of its children by id. Anything else is not a child id.
enum class Target { Self, Child, Invalid };

Target targetOf(const VARIANT& child, std::int32_t count) {
    if (child.vt != VT_I4) return Target::Invalid;
    if (child.lVal == CHILDID_SELF) return Target::Self;
    return child.lVal >= 1 && child.lVal <= count ? Target::Child : Target::Invalid;
}

// COM interfaces have no virtual destructor: an object is only ever deleted by its own Release.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class AccessibleObject final : public IAccessible {
  public:
    // The object of a window's client area: what concerns the window itself (its parent, place,
    // state) comes from the system's own object for it.
    AccessibleObject(HWND window, std::weak_ptr<AccessibleContent> content)
        : window_(window), content_(std::move(content)) {
        void* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, &standard)))
            standard_ = static_cast<IAccessible*>(standard);
    }
    // An object within one: its parent is the object that made it.
    AccessibleObject(HWND window, std::weak_ptr<AccessibleContent> content, IDispatch* parent)
        : window_(window), content_(std::move(content)), parent_(parent) {
        parent_->AddRef();
    }
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;
    ~AccessibleObject() {
        if (standard_) standard_->Release();
        if (parent_) parent_->Release();
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers call IAccessible's methods directly.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!content_.lock()) return CO_E_OBJNOTCONNECTED;
        if (parent_) {
            parent_->AddRef();
            *parent = parent_;
            return S_OK;
        }
        return standard_ ? standard_->get_accParent(parent) : S_FALSE;
    }
    STDMETHODIMP get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        *count = content->childCount();
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        if (targetOf(child, content->childCount()) != Target::Child) return E_INVALIDARG;
        return childObject(*content, child.lVal, object);
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self: {
                const std::string own = content->name();
                if (own.empty()) return standard_ ? standard_->get_accName(child, name) : S_FALSE;
                return putText(own, name);
            }
            case Target::Child: {
                if (const std::optional<AccessibleElement> element = content->element(child.lVal))
                    return putText(element->name, name);
                return askChildObject(*content, child.lVal, [name](IAccessible& o, VARIANT self) {
                    return o.get_accName(self, name);
                });
            }
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
        return windowProperty(child, value, &IAccessible::get_accValue);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
        return windowProperty(child, description, &IAccessible::get_accDescription);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
        return windowProperty(child, help, &IAccessible::get_accHelp);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return windowProperty(child, shortcut, &IAccessible::get_accKeyboardShortcut);
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return content_.lock() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self: putLong(static_cast<LONG>(content->role()), role); return S_OK;
            case Target::Child: {
                if (const std::optional<AccessibleElement> element = content->element(child.lVal)) {
                    putLong(static_cast<LONG>(element->role), role);
                    return S_OK;
                }
                return askChildObject(*content, child.lVal, [role](IAccessible& o, VARIANT self) {
                    return o.get_accRole(self, role);
                });
            }
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self:
                if (standard_) return standard_->get_accState(child, state);
                putLong(static_cast<LONG>(content->state()), state);
                return S_OK;
            case Target::Child: {
                if (const std::optional<AccessibleElement> element = content->element(child.lVal)) {
                    putLong(static_cast<LONG>(element->state), state);
                    return S_OK;
                }
                return askChildObject(*content, child.lVal, [state](IAccessible& o, VARIANT self) {
                    return o.get_accState(self, state);
                });
            }
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP get_accFocus(VARIANT* focus) override { return focusedChild(focus); }
    STDMETHODIMP get_accSelection(VARIANT* selection) override { return focusedChild(selection); }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self:
                return standard_ ? standard_->get_accDefaultAction(child, action) : S_FALSE;
            case Target::Child: {
                const std::string name = content->defaultAction(child.lVal);
                return name.empty() ? S_FALSE : putText(name, action);
            }
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP accSelect(LONG, VARIANT) override {
        return content_.lock() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                             VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        std::optional<ClientRect> place;
        switch (targetOf(child, content->childCount())) {
            case Target::Self:
                if (standard_) return standard_->accLocation(left, top, width, height, child);
                place = content->place();
                break;
            case Target::Child:
                if (const std::optional<AccessibleElement> element = content->element(child.lVal)) {
                    place = element->place;
                    break;
                }
                return askChildObject(*content, child.lVal, [=](IAccessible& o, VARIANT self) {
                    return o.accLocation(left, top, width, height, self);
                });
            case Target::Invalid: return E_INVALIDARG;
        }
        if (!place) return S_FALSE;  // out of view
        POINT corner{place->left, place->top};
        ClientToScreen(window_, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = place->right - place->left;
        *height = place->bottom - place->top;
        return S_OK;
    }
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        const std::int32_t count = content->childCount();
        std::int32_t next = 0;
        switch (targetOf(start, count)) {
            case Target::Self:
                if (direction == NAVDIR_FIRSTCHILD) {
                    next = 1;
                } else if (direction == NAVDIR_LASTCHILD) {
                    next = count;
                } else {
                    return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
                }
                break;
            case Target::Child:
                if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
                    next = start.lVal + 1;
                } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
                    next = start.lVal - 1;
                } else {
                    return S_FALSE;
                }
                break;
            case Target::Invalid: return E_INVALIDARG;
        }
        if (next < 1 || next > count) return S_FALSE;
        return putChild(*content, next, end);
    }
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        VariantInit(child);
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        POINT point{x, y};
        ScreenToClient(window_, &point);
        if (!holds(*content, point)) return S_FALSE;
        const std::int32_t id = content->childAt(point.x, point.y);
        if (id == 0) {
            putLong(CHILDID_SELF, child);
            return S_OK;
        }
        return putChild(*content, id, child);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self: return DISP_E_MEMBERNOTFOUND;
            case Target::Child:
                return content->doDefaultAction(child.lVal) ? S_OK : DISP_E_MEMBERNOTFOUND;
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

  private:
    using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

    // Texts the viewer has none of: the window's own, where it has them; none for a child.
    HRESULT windowProperty(VARIANT child, BSTR* text, TextProperty property) {
        if (!text) return E_POINTER;
        *text = nullptr;
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        switch (targetOf(child, content->childCount())) {
            case Target::Self: return standard_ ? (standard_->*property)(child, text) : S_FALSE;
            case Target::Child: return S_FALSE;
            case Target::Invalid: break;
        }
        return E_INVALIDARG;
    }

    HRESULT focusedChild(VARIANT* focus) {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        const auto content = content_.lock();
        if (!content) return CO_E_OBJNOTCONNECTED;
        if (const std::optional<std::int32_t> id = content->focus()) putLong(*id, focus);
        return S_OK;
    }

    // A child that is an object or a window, as the object it is.
    HRESULT childObject(AccessibleContent& content, std::int32_t id, IDispatch** object) {
        if (std::shared_ptr<AccessibleContent> inner = content.objectChild(id)) {
            *object = new AccessibleObject(window_, inner, this);
            return S_OK;
        }
        if (HWND window = content.windowChild(id)) {
            return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                              IID_IDispatch, reinterpret_cast<void**>(object));
        }
        return S_FALSE;  // a simple element
    }

    // A child as the answer of a navigation or hit test: its id, or the object it is.
    HRESULT putChild(AccessibleContent& content, std::int32_t id, VARIANT* out) {
        IDispatch* object = nullptr;
        const HRESULT result = childObject(content, id, &object);
        if (result == S_OK) {
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
            return S_OK;
        }
        if (FAILED(result)) return result;
        putLong(id, out);
        return S_OK;
    }

    // A child that is an object of its own or a window, asked about itself: what `ask` answers
    // for that object's CHILDID_SELF.
    template <typename Ask>
    HRESULT askChildObject(AccessibleContent& content, std::int32_t id, Ask ask) {
        IDispatch* object = nullptr;
        if (childObject(content, id, &object) != S_OK) return E_INVALIDARG;
        IAccessible* accessible = nullptr;
        HRESULT result =
            object->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible));
        object->Release();
        if (FAILED(result)) return result;
        VARIANT self;
        putLong(CHILDID_SELF, &self);
        result = ask(*accessible, self);
        accessible->Release();
        return result;
    }

    // Whether a point of the window's client area lies on this object.
    bool holds(const AccessibleContent& content, POINT point) const {
        RECT area{};
        if (const std::optional<ClientRect> place = content.place()) {
            area = {place->left, place->top, place->right, place->bottom};
        } else {
            GetClientRect(window_, &area);
        }
        return PtInRect(&area, point) != FALSE;
    }

    LONG references_ = 1;
    HWND window_;
    std::weak_ptr<AccessibleContent> content_;
    IAccessible* standard_ = nullptr;  // owned: the system's object of the window's client area
    IDispatch* parent_ = nullptr;      // owned: the object this one is a child of
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

LRESULT accessibleClientResult(HWND window, WPARAM wParam,
                               const std::shared_ptr<AccessibleContent>& content) {
    AccessibleObject* object = new AccessibleObject(window, content);
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
    object->Release();  // the reference LresultFromObject took is the client's
    return result;
}

}  // namespace tolvinark

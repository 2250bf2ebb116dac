#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "../window_system/Backend.h"
#include "../window_system/Menu.h"
#include "../window_system/Utf8.h"
#include "../window_system/WindowManager.h"
#include "AccessibleObject.h"

namespace {

AccessibleHost g_host;

// The instance: which node it stands for, and the texts it last handed out,
// which ATK's callers borrow rather than own.
struct DotwiseAccessible {
    AtkObject parent;
    HWND window;
    int item;
    bool application;
    bool defunct;
    gchar* name;
    gchar* description;
    gchar* keyBinding;
};

struct DotwiseAccessibleClass {
    AtkObjectClass parent;
};

gpointer g_parentClass = nullptr;

DotwiseAccessible* Self(gpointer object) { return reinterpret_cast<DotwiseAccessible*>(object); }

const gchar* Keep(gchar*& slot, const std::string& text) {
    g_free(slot);
    slot = g_strdup(text.c_str());
    return slot;
}

// The node as the model describes it now; none once it is gone.
std::optional<AccessibleNode> Current(const DotwiseAccessible* self) {
    if (self->defunct || self->application || !IsWindow(self->window)) return std::nullopt;
    AccessibleNode node = DescribeWindow(self->window);
    if (self->item < 0) return node.window == self->window ? std::optional(node) : std::nullopt;
    for (AccessibleNode& child : node.children)
        if (child.item == self->item) return child;
    return std::nullopt;
}

// The nodes an object's children stand for.
std::vector<AccessibleNode> ChildrenOf(const DotwiseAccessible* self) {
    if (self->application) return AccessibleTree();
    const auto node = Current(self);
    return node ? node->children : std::vector<AccessibleNode>{};
}

std::u32string Characters(const DotwiseAccessible* self) {
    const auto node = Current(self);
    return node ? DecodeUtf8(node->text) : std::u32string{};
}

std::string Encode(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) out += EncodeUtf8(c);
    return out;
}

// A character offset as the byte offset the edit's messages take.
LPARAM ByteOffset(HWND window, int characters) {
    const auto node = DescribeWindow(window);
    const std::u32string text = DecodeUtf8(node.text);
    const auto n = static_cast<std::size_t>(std::clamp<int>(characters, 0, static_cast<int>(text.size())));
    return static_cast<LPARAM>(Encode(text.substr(0, n)).size());
}

void Defer(std::function<void()> action) {
    if (g_host.defer) g_host.defer(std::move(action));
}

// --- AtkObject ---

const gchar* GetName(AtkObject* object) {
    DotwiseAccessible* self = Self(object);
    if (self->application) return "Dotwise";
    const auto node = Current(self);
    return Keep(self->name, node ? node->name : "");
}

const gchar* GetDescription(AtkObject* object) {
    DotwiseAccessible* self = Self(object);
    if (self->application) return "";
    const auto node = Current(self);
    const std::string added = node && g_host.heardWith ? g_host.heardWith({self->window, self->item}) : "";
    return Keep(self->description, node ? (added.empty() ? node->description : added) : "");
}

gint GetChildCount(AtkObject* object) { return static_cast<gint>(ChildrenOf(Self(object)).size()); }

AtkObject* RefChild(AtkObject* object, gint index) {
    const std::vector<AccessibleNode> children = ChildrenOf(Self(object));
    if (index < 0 || index >= static_cast<gint>(children.size()) || !g_host.objectFor) return nullptr;
    return g_host.objectFor(children[static_cast<std::size_t>(index)], object);
}

gint GetIndexInParent(AtkObject* object) {
    DotwiseAccessible* self = Self(object);
    AtkObject* parent = atk_object_get_parent(object);
    if (self->application || parent == nullptr) return -1;
    const std::vector<AccessibleNode> siblings = ChildrenOf(Self(parent));
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (KeyOf(siblings[i]) == AccessibleKey{self->window, self->item}) return static_cast<gint>(i);
    return -1;
}

AtkRole AtkRoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Dialog: return ATK_ROLE_DIALOG;
    case AccessibleRole::Alert: return ATK_ROLE_ALERT;
    case AccessibleRole::Entry: return ATK_ROLE_ENTRY;
    case AccessibleRole::PushButton: return ATK_ROLE_PUSH_BUTTON;
    case AccessibleRole::RadioButton: return ATK_ROLE_RADIO_BUTTON;
    case AccessibleRole::Label: return ATK_ROLE_LABEL;
    case AccessibleRole::Image: return ATK_ROLE_IMAGE;
    case AccessibleRole::Panel: return ATK_ROLE_PANEL;
    case AccessibleRole::Menu: return ATK_ROLE_MENU;
    case AccessibleRole::MenuItem: return ATK_ROLE_MENU_ITEM;
    }
    return ATK_ROLE_UNKNOWN;
}

AtkRole GetRole(AtkObject* object) {
    DotwiseAccessible* self = Self(object);
    if (self->application) return ATK_ROLE_APPLICATION;
    const auto node = Current(self);
    return node ? AtkRoleOf(node->role) : ATK_ROLE_INVALID;
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    DotwiseAccessible* self = Self(object);
    if (self->application) return set;
    const auto node = Current(self);
    if (!node) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    using namespace AccessibleState;
    const struct {
        unsigned state;
        AtkStateType atk;
    } kStates[] = {
        {kEnabled, ATK_STATE_ENABLED},   {kEnabled, ATK_STATE_SENSITIVE},  {kFocusable, ATK_STATE_FOCUSABLE}, {kFocused, ATK_STATE_FOCUSED},
        {kEditable, ATK_STATE_EDITABLE}, {kReadOnly, ATK_STATE_READ_ONLY}, {kShowing, ATK_STATE_SHOWING},     {kShowing, ATK_STATE_VISIBLE},
        {kChecked, ATK_STATE_CHECKED},   {kDefault, ATK_STATE_DEFAULT},    {kActive, ATK_STATE_ACTIVE},       {kSelected, ATK_STATE_SELECTED},
    };
    for (const auto& s : kStates)
        if (node->states & s.state) atk_state_set_add_state(set, s.atk);
    if (node->role == AccessibleRole::Entry) atk_state_set_add_state(set, ATK_STATE_SINGLE_LINE);
    if (node->role == AccessibleRole::RadioButton) atk_state_set_add_state(set, ATK_STATE_CHECKABLE);
    if (node->role == AccessibleRole::MenuItem) atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
    if (node->role == AccessibleRole::Dialog || node->role == AccessibleRole::Alert) atk_state_set_add_state(set, ATK_STATE_MODAL);
    return set;
}

// A field is labelled by the text on its row; that text is the label for it.
AtkRelationSet* RefRelationSet(AtkObject* object) {
    AtkRelationSet* set = atk_relation_set_new();
    DotwiseAccessible* self = Self(object);
    const auto node = Current(self);
    AtkObject* parent = atk_object_get_parent(object);
    if (!node || parent == nullptr || !g_host.objectFor) return set;
    const auto relate = [&](const AccessibleNode& other, AtkRelationType type) {
        AtkObject* target = g_host.objectFor(other, parent);
        atk_relation_set_add_relation_by_type(set, type, target);
        g_object_unref(target);
    };
    for (const AccessibleNode& sibling : ChildrenOf(Self(parent))) {
        if (node->role == AccessibleRole::Entry && sibling.window == node->labelledBy && sibling.window != nullptr)
            relate(sibling, ATK_RELATION_LABELLED_BY);
        if (node->role == AccessibleRole::Label && sibling.labelledBy == self->window) relate(sibling, ATK_RELATION_LABEL_FOR);
    }
    return set;
}

void Finalize(GObject* object) {
    g_free(Self(object)->name);
    g_free(Self(object)->keyBinding);
    g_free(Self(object)->description);
    G_OBJECT_CLASS(g_parentClass)->finalize(object);
}

// A result is a polite live region, as a toolkit marks one: a reader that follows
// live regions says its changes when the user pauses, without taking the focus.
AtkAttributeSet* GetAttributes(AtkObject* object) {
    const auto node = Current(Self(object));
    if (!node || node->role != AccessibleRole::Entry || !(node->states & AccessibleState::kReadOnly)) return nullptr;
    AtkAttributeSet* set = nullptr;
    for (const char* name : {"live", "container-live"}) {
        auto* attribute = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
        attribute->name = g_strdup(name);
        attribute->value = g_strdup("polite");
        set = g_slist_prepend(set, attribute);
    }
    return set;
}

void ClassInit(gpointer klass, gpointer) {
    g_parentClass = g_type_class_peek_parent(klass);
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = GetName;
    atk->get_description = GetDescription;
    atk->get_n_children = GetChildCount;
    atk->ref_child = RefChild;
    atk->get_index_in_parent = GetIndexInParent;
    atk->get_role = GetRole;
    atk->ref_state_set = RefStateSet;
    atk->ref_relation_set = RefRelationSet;
    atk->get_attributes = GetAttributes;
    G_OBJECT_CLASS(klass)->finalize = Finalize;
}

// --- AtkComponent ---

std::optional<Rect> ScreenRectOf(const DotwiseAccessible* self) {
    if (self->defunct) return std::nullopt;
    const std::optional<Rect> r = AccessibleBounds(self->window, self->item);
    if (!r) return std::nullopt;
    return g_host.toScreen != nullptr ? g_host.toScreen(*r) : *r;
}

// Where a point of the display is in the coordinates a caller asked for: its
// window's, or the screen's.
Point OriginFor(const DotwiseAccessible* self, AtkCoordType coords) {
    if (coords != ATK_XY_WINDOW || self->window == nullptr) return {0, 0};
    DotwiseAccessible top{};
    top.window = self->item >= 0 ? self->window : GetAncestor(self->window, GA_ROOT);
    if (top.window == self->window && self->item < 0) {
        const auto own = ScreenRectOf(self);
        return own ? Point{own->left, own->top} : Point{0, 0};
    }
    const auto t = ScreenRectOf(&top);
    return t ? Point{t->left, t->top} : Point{0, 0};
}

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height, AtkCoordType coords) {
    DotwiseAccessible* self = Self(component);
    const auto r = ScreenRectOf(self);
    if (!r) {
        *x = *y = *width = *height = -1;
        return;
    }
    const Point origin = OriginFor(self, coords);
    *x = r->left - origin.x;
    *y = r->top - origin.y;
    *width = r->Width();
    *height = r->Height();
}

gboolean GrabFocus(AtkComponent* component) {
    DotwiseAccessible* self = Self(component);
    const auto node = Current(self);
    if (!node || !(node->states & AccessibleState::kFocusable) || !(node->states & AccessibleState::kEnabled)) return FALSE;
    HWND window = self->window;
    Defer([window] {
        if (IsWindow(window)) SetFocus(window);
    });
    return TRUE;
}

void ComponentInit(gpointer iface, gpointer) {
    auto* component = static_cast<AtkComponentIface*>(iface);
    component->get_extents = GetExtents;
    component->grab_focus = GrabFocus;
}

// --- AtkAction: "click", as the mouse would ---

gint GetActionCount(AtkAction* action) {
    const auto node = Current(Self(action));
    return node && node->clickable ? 1 : 0;
}

gboolean DoAction(AtkAction* action, gint index) {
    DotwiseAccessible* self = Self(action);
    const auto node = Current(self);
    // As the mouse can't, an action can't reach what a modal box has disabled.
    if (index != 0 || !node || !node->clickable || !(node->states & AccessibleState::kEnabled)) return FALSE;
    const HWND window = self->window;
    const int item = self->item;
    Defer([window, item] {
        if (item >= 0) {
            const TrackedMenu* menu = GetTrackedMenu();
            if (menu != nullptr && menu->window == window) ChooseMenuItem(item);
        } else {
            DoClickAction(window);
        }
    });
    return TRUE;
}

const gchar* GetActionName(AtkAction*, gint index) { return index == 0 ? "click" : nullptr; }

// A menu item's keys, as ATK writes them: "mnemonic;;shortcut" ("c;;<Alt>F4").
const gchar* GetKeyBinding(AtkAction* action, gint index) {
    DotwiseAccessible* self = Self(action);
    const auto node = Current(self);
    if (index != 0 || !node || node->keyBinding.empty()) return nullptr;
    return Keep(self->keyBinding, node->keyBinding);
}

void ActionInit(gpointer iface, gpointer) {
    auto* action = static_cast<AtkActionIface*>(iface);
    action->get_n_actions = GetActionCount;
    action->do_action = DoAction;
    action->get_name = GetActionName;
    action->get_keybinding = GetKeyBinding;
}

// --- AtkText and AtkEditableText: offsets in characters ---

gchar* GetText(AtkText* text, gint start, gint end) {
    const std::u32string chars = Characters(Self(text));
    const gint length = static_cast<gint>(chars.size());
    if (end < 0 || end > length) end = length;
    start = std::clamp(start, 0, end);
    return g_strdup(Encode(chars.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))).c_str());
}

gint GetCharacterCount(AtkText* text) { return static_cast<gint>(Characters(Self(text)).size()); }

gint GetCaretOffset(AtkText* text) {
    const auto node = Current(Self(text));
    return node ? node->caret : -1;
}

gunichar GetCharacterAtOffset(AtkText* text, gint offset) {
    const std::u32string chars = Characters(Self(text));
    return offset >= 0 && offset < static_cast<gint>(chars.size()) ? static_cast<gunichar>(chars[static_cast<std::size_t>(offset)]) : 0;
}

// A field holds one line: a word, a sentence or a line is the whole text.
gchar* GetStringAtOffset(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start, gint* end) {
    const gint length = GetCharacterCount(text);
    if (granularity == ATK_TEXT_GRANULARITY_CHAR) {
        *start = std::clamp(offset, 0, length);
        *end = std::min(*start + 1, length);
    } else {
        *start = 0;
        *end = length;
    }
    return GetText(text, *start, *end);
}

// The older calls by boundary, which readers still make (Orca reads a field's
// line with them): a field holds one word and one line, so around it is nothing.
AtkTextGranularity GranularityOf(AtkTextBoundary boundary) {
    return boundary == ATK_TEXT_BOUNDARY_CHAR ? ATK_TEXT_GRANULARITY_CHAR : ATK_TEXT_GRANULARITY_LINE;
}

gchar* GetTextAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return GetStringAtOffset(text, offset, GranularityOf(boundary), start, end);
}

gchar* GetTextBeforeOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    if (boundary == ATK_TEXT_BOUNDARY_CHAR && offset > 0) return GetStringAtOffset(text, offset - 1, ATK_TEXT_GRANULARITY_CHAR, start, end);
    *start = *end = 0;
    return g_strdup("");
}

gchar* GetTextAfterOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    const gint length = GetCharacterCount(text);
    if (boundary == ATK_TEXT_BOUNDARY_CHAR && offset + 1 < length)
        return GetStringAtOffset(text, std::max(offset + 1, 0), ATK_TEXT_GRANULARITY_CHAR, start, end);
    *start = *end = length;
    return g_strdup("");
}

// A field's text is drawn in one font and one colour: one run, with no attributes.
AtkAttributeSet* GetRunAttributes(AtkText* text, gint, gint* start, gint* end) {
    *start = 0;
    *end = GetCharacterCount(text);
    return nullptr;
}

gint GetSelectionCount(AtkText* text) {
    const auto node = Current(Self(text));
    return node && node->selectionStart != node->selectionEnd ? 1 : 0;
}

gchar* GetSelection(AtkText* text, gint index, gint* start, gint* end) {
    const auto node = Current(Self(text));
    if (index != 0 || !node || node->selectionStart == node->selectionEnd) {
        *start = *end = 0;
        return nullptr;
    }
    *start = node->selectionStart;
    *end = node->selectionEnd;
    return GetText(text, *start, *end);
}

void Select(DotwiseAccessible* self, gint start, gint end) {
    const HWND window = self->window;
    Defer([window, start, end] {
        if (IsWindow(window)) SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(ByteOffset(window, start)), ByteOffset(window, end));
    });
}

gboolean SetSelection(AtkText* text, gint index, gint start, gint end) {
    if (index != 0 || !Current(Self(text))) return FALSE;
    Select(Self(text), start, end);
    return TRUE;
}

gboolean AddSelection(AtkText* text, gint start, gint end) { return SetSelection(text, 0, start, end); }

gboolean RemoveSelection(AtkText* text, gint index) {
    const auto node = Current(Self(text));
    if (index != 0 || !node) return FALSE;
    Select(Self(text), node->caret, node->caret);
    return TRUE;
}

gboolean SetCaretOffset(AtkText* text, gint offset) {
    if (!Current(Self(text))) return FALSE;
    Select(Self(text), offset, offset);
    return TRUE;
}

// --- Where characters are drawn, for a magnifier and a reader's highlight ---

// The box around characters [start, end) of a field, on the display; none for
// a field with no text. Two measures whatever the range, so that no offset a
// caller names costs more than another.
std::optional<Rect> CharactersBox(const DotwiseAccessible* self, gint start, gint end) {
    const auto node = Current(self);
    if (!node || node->role != AccessibleRole::Entry) return std::nullopt;
    const HWND w = self->window;
    const LRESULT first = SendMessageA(w, EM_POSFROMCHAR, 0, 0);
    if (first == -1) return std::nullopt;
    const std::string& text = node->text;
    const auto length = static_cast<gint>(DecodeUtf8(text).size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    HDC dc = GetDC(w);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(w, WM_GETFONT, 0, 0)));
    const auto extent = [&](gint characters) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(ByteOffset(w, characters)), &size);
        return size;
    };
    const SIZE before = extent(start);
    const SIZE through = extent(end);
    SelectObject(dc, old);
    ReleaseDC(w, dc);
    POINT topLeft{static_cast<short>(LOWORD(first)) + before.cx, static_cast<short>(HIWORD(first))};
    ClientToScreen(w, &topLeft);
    const Rect box{topLeft.x, topLeft.y, topLeft.x + (through.cx - before.cx), topLeft.y + std::max(before.cy, through.cy)};
    return g_host.toScreen != nullptr ? g_host.toScreen(box) : box;
}

void GetCharacterExtents(AtkText* text, gint offset, gint* x, gint* y, gint* width, gint* height, AtkCoordType coords) {
    const DotwiseAccessible* self = Self(text);
    const auto box = offset >= 0 && offset < G_MAXINT ? CharactersBox(self, offset, offset + 1) : std::nullopt;
    if (!box) {
        *x = *y = *width = *height = -1;
        return;
    }
    const Point origin = OriginFor(self, coords);
    *x = box->left - origin.x;
    *y = box->top - origin.y;
    *width = box->Width();
    *height = box->Height();
}

void GetRangeExtents(AtkText* text, gint start, gint end, AtkCoordType coords, AtkTextRectangle* rect) {
    const DotwiseAccessible* self = Self(text);
    const auto box = CharactersBox(self, std::min(start, end), std::max(start, end));
    if (!box) {
        *rect = {-1, -1, -1, -1};
        return;
    }
    const Point origin = OriginFor(self, coords);
    *rect = {box->left - origin.x, box->top - origin.y, box->Width(), box->Height()};
}

gint GetOffsetAtPoint(AtkText* text, gint x, gint y, AtkCoordType coords) {
    const DotwiseAccessible* self = Self(text);
    const auto node = Current(self);
    const auto field = ScreenRectOf(self);
    if (!node || node->role != AccessibleRole::Entry || !field) return -1;
    const Point origin = OriginFor(self, coords);
    const gint64 sx = static_cast<gint64>(x) + origin.x;
    const gint64 sy = static_cast<gint64>(y) + origin.y;
    if (sx < field->left || sx >= field->right || sy < field->top || sy >= field->bottom) return -1;
    // From the display back to the window system's screen through the field's own two rectangles.
    const Rect inside = WindowManager::Instance().ScreenRect(self->window);
    const auto scaled = [](gint64 v, int from0, int from1, int to0, int to1) {
        return from1 == from0 ? to0 : static_cast<int>(to0 + (v - from0) * (to1 - to0) / (from1 - from0));
    };
    POINT p{scaled(sx, field->left, field->right, inside.left, inside.right), scaled(sy, field->top, field->bottom, inside.top, inside.bottom)};
    ScreenToClient(self->window, &p);
    // The edit answers the nearest caret position; the character under the point is the one that starts at or before it.
    auto byte =
        static_cast<std::size_t>(SendMessageA(self->window, EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y))));
    const LRESULT at = SendMessageA(self->window, EM_POSFROMCHAR, byte, 0);
    if (byte > 0 && (at == -1 || static_cast<short>(LOWORD(at)) > p.x)) --byte;
    return static_cast<gint>(DecodeUtf8(std::string_view(node->text).substr(0, std::min(byte, node->text.size()))).size());
}

void TextInit(gpointer iface, gpointer) {
    auto* text = static_cast<AtkTextIface*>(iface);
    text->get_text = GetText;
    text->get_character_count = GetCharacterCount;
    text->get_caret_offset = GetCaretOffset;
    text->set_caret_offset = SetCaretOffset;
    text->get_character_at_offset = GetCharacterAtOffset;
    text->get_string_at_offset = GetStringAtOffset;
    text->get_text_at_offset = GetTextAtOffset;
    text->get_run_attributes = GetRunAttributes;
    text->get_text_before_offset = GetTextBeforeOffset;
    text->get_text_after_offset = GetTextAfterOffset;
    text->get_n_selections = GetSelectionCount;
    text->get_selection = GetSelection;
    text->set_selection = SetSelection;
    text->add_selection = AddSelection;
    text->remove_selection = RemoveSelection;
    text->get_character_extents = GetCharacterExtents;
    text->get_range_extents = GetRangeExtents;
    text->get_offset_at_point = GetOffsetAtPoint;
}

// What a screen reader may do to a field: read and copy always; change its
// text only where the keyboard could, in an enabled field that is not read-only.
enum class Access { Read, Change };

bool Allows(HWND window, Access access) {
    if (!IsWindow(window)) return false;
    const unsigned states = DescribeWindow(window).states;
    return access == Access::Read || ((states & AccessibleState::kEnabled) && (states & AccessibleState::kEditable));
}

// Every change goes through the messages a program would send, so the field
// checks and formats what a screen reader types as it does the keyboard's.
// The field is asked again when the change runs: a box may have come between.
void Edit(AtkEditableText* text, Access access, std::function<void(HWND)> change) {
    DotwiseAccessible* self = Self(text);
    if (!Current(self) || !Allows(self->window, access)) return;
    const HWND window = self->window;
    Defer([window, access, change = std::move(change)] {
        if (Allows(window, access)) change(window);
    });
}

void SetTextContents(AtkEditableText* text, const gchar* contents) {
    const std::string copy = contents != nullptr ? RepairUtf8(contents) : "";
    Edit(text, Access::Change, [copy](HWND w) { SetWindowTextA(w, copy.c_str()); });
}

void InsertText(AtkEditableText* text, const gchar* inserted, gint length, gint* position) {
    if (inserted == nullptr || position == nullptr) return;
    // The length is the caller's word; the text ends at its terminator whatever that says.
    const std::size_t bytes = length < 0 ? std::strlen(inserted) : strnlen(inserted, static_cast<std::size_t>(length));
    const std::string copy = RepairUtf8(std::string_view(inserted, bytes));
    const gint at = *position;
    Edit(text, Access::Change, [copy, at](HWND w) {
        const LPARAM offset = ByteOffset(w, at);
        SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(offset), offset);
        SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
    });
    const gint64 after = static_cast<gint64>(at) + static_cast<gint64>(DecodeUtf8(copy).size());
    *position = static_cast<gint>(std::clamp<gint64>(after, 0, G_MAXINT));
}

void OnRange(AtkEditableText* text, gint start, gint end, UINT message, Access access) {
    Edit(text, access, [start, end, message](HWND w) {
        SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(ByteOffset(w, start)), ByteOffset(w, end));
        SendMessageA(w, message, 0, 0);
    });
}

void DeleteText(AtkEditableText* text, gint start, gint end) { OnRange(text, start, end, WM_CLEAR, Access::Change); }
void CutText(AtkEditableText* text, gint start, gint end) { OnRange(text, start, end, WM_CUT, Access::Change); }
void CopyText(AtkEditableText* text, gint start, gint end) { OnRange(text, start, end, WM_COPY, Access::Read); }
void PasteText(AtkEditableText* text, gint position) { OnRange(text, position, position, WM_PASTE, Access::Change); }

void EditableTextInit(gpointer iface, gpointer) {
    auto* text = static_cast<AtkEditableTextIface*>(iface);
    text->set_text_contents = SetTextContents;
    text->insert_text = InsertText;
    text->delete_text = DeleteText;
    text->cut_text = CutText;
    text->copy_text = CopyText;
    text->paste_text = PasteText;
}

// --- The types: one per set of interfaces ---

GType BaseType() {
    static GType type = 0;
    if (type == 0) {
        GTypeInfo info{};
        info.class_size = sizeof(DotwiseAccessibleClass);
        info.class_init = ClassInit;
        info.instance_size = sizeof(DotwiseAccessible);
        type = g_type_register_static(ATK_TYPE_OBJECT, "DotwiseAccessible", &info, GTypeFlags{});
        const GInterfaceInfo component{ComponentInit, nullptr, nullptr};
        g_type_add_interface_static(type, ATK_TYPE_COMPONENT, &component);
    }
    return type;
}

GType DerivedType(const char* name, GType iface, GInterfaceInitFunc init, GType second = 0, GInterfaceInitFunc secondInit = nullptr) {
    GTypeInfo info{};
    info.class_size = sizeof(DotwiseAccessibleClass);
    info.instance_size = sizeof(DotwiseAccessible);
    const GType type = g_type_register_static(BaseType(), name, &info, GTypeFlags{});
    const GInterfaceInfo first{init, nullptr, nullptr};
    g_type_add_interface_static(type, iface, &first);
    if (second != 0) {
        const GInterfaceInfo other{secondInit, nullptr, nullptr};
        g_type_add_interface_static(type, second, &other);
    }
    return type;
}

GType ActionType() {
    static const GType type = DerivedType("DotwiseAccessibleAction", ATK_TYPE_ACTION, ActionInit);
    return type;
}

// A window has no calls of its own: ATK's window interface is its signals, which the bridge emits.
void WindowInit(gpointer, gpointer) {}

GType WindowType() {
    static const GType type = DerivedType("DotwiseAccessibleWindow", ATK_TYPE_WINDOW, WindowInit);
    return type;
}

GType TextType() {
    static const GType type = DerivedType("DotwiseAccessibleText", ATK_TYPE_TEXT, TextInit, ATK_TYPE_EDITABLE_TEXT, EditableTextInit);
    return type;
}

}  // namespace

void SetAccessibleHost(AccessibleHost host) { g_host = std::move(host); }

AtkObject* NewApplicationObject() {
    auto* object = static_cast<AtkObject*>(g_object_new(BaseType(), nullptr));
    Self(object)->application = true;
    atk_object_initialize(object, nullptr);
    object->role = ATK_ROLE_APPLICATION;
    return object;
}

AtkObject* NewAccessibleObject(const AccessibleNode& node, AtkObject* parent) {
    GType type = BaseType();
    if (node.role == AccessibleRole::Entry)
        type = TextType();
    else if (node.clickable)
        type = ActionType();
    else if (node.role == AccessibleRole::Dialog || node.role == AccessibleRole::Alert)
        type = WindowType();
    auto* object = static_cast<AtkObject*>(g_object_new(type, nullptr));
    Self(object)->window = node.window;
    Self(object)->item = node.item;
    atk_object_initialize(object, nullptr);
    object->role = AtkRoleOf(node.role);
    atk_object_set_parent(object, parent);
    return object;
}

void MarkDefunct(AtkObject* object) {
    Self(object)->defunct = true;
    atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
}

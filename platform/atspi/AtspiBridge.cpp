// The accessibility module (dotwise-atspi.so): the window system's
// accessibility model on the desktop's AT-SPI bus, through ATK and its
// bridge, as a GTK program is. The window back end opens it only when the
// desktop says a screen reader is in use, so no one else pays for GLib,
// ATK or the bus.
//
// What changed is found by comparing the model with what it was at the last
// call, so the window system needs no hooks of its own for it: focus,
// text, caret, selection, checked and active states, names, and windows
// and menus coming and going.
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "../window_system/BackendModules.h"
#include "../window_system/Utf8.h"
#include "AccessibleObject.h"
#include "BusWatcher.h"
#include "PausedResults.h"

#include <atk-bridge.h>

namespace {

struct KeyListener {
    AtkKeySnoopFunc listen;
    gpointer data;
};

struct Bridge {
    AtkObject* application = nullptr;
    std::map<guint, KeyListener> keyListeners;  // the screen readers' way in: ATK's bridge adds one
    guint nextKeyListener = 1;
    std::map<AccessibleKey, AtkObject*> objects;
    std::map<AccessibleKey, AccessibleNode> last;  // without children
    std::vector<AccessibleKey> lastTop;
    bool windowsHeard = false;                                          // ATK's bridge listens for windows' signals
    std::set<AccessibleKey> created;                                    // the windows whose coming was told
    AccessibleKey toldActive;                                           // the window last told to have the keyboard
    guint (*addListener)(GSignalEmissionHook, const gchar*) = nullptr;  // ATK's own
    std::unique_ptr<PausedResults> results;
    std::deque<std::function<void()>> deferred;
    std::unique_ptr<BusWatcher> watcher;
    bool started = false;
};

Bridge& bridge() {
    static Bridge b;
    return b;
}

AtkObject* ObjectFor(const AccessibleNode& node, AtkObject* parent) {
    Bridge& b = bridge();
    auto [it, made] = b.objects.try_emplace(KeyOf(node), nullptr);
    if (made) it->second = NewAccessibleObject(node, parent);
    return static_cast<AtkObject*>(g_object_ref(it->second));
}

AtkObject* GetRoot() { return bridge().application; }
const gchar* ToolkitName() { return "Dotwise"; }
const gchar* ToolkitVersion() { return "1.0"; }

guint AddKeyListener(AtkKeySnoopFunc listen, gpointer data) {
    Bridge& b = bridge();
    const guint id = b.nextKeyListener++;
    b.keyListeners[id] = {listen, data};
    return id;
}

void RemoveKeyListener(guint id) { bridge().keyListeners.erase(id); }

// ATK's bridge adds its listeners when it has registered the program; the windows'
// signals wait for the one it adds last of theirs.
guint AddGlobalListener(GSignalEmissionHook listener, const gchar* event) {
    Bridge& b = bridge();
    const guint id = b.addListener(listener, event);
    if (id != 0 && std::string_view(event) == "Atk:AtkWindow:activate") b.windowsHeard = true;
    return id;
}

// ATK asks the toolkit for the root of its tree and its name, and for the keys, as a GTK program gives them.
void InstallToolkit() {
    // The bridge listens for windows' signals only where ATK's window type is known when it starts.
    g_type_ensure(ATK_TYPE_WINDOW);
    auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    util->add_key_event_listener = AddKeyListener;
    bridge().addListener = util->add_global_event_listener;
    util->add_global_event_listener = AddGlobalListener;
    util->remove_key_event_listener = RemoveKeyListener;
    util->get_root = GetRoot;
    util->get_toolkit_name = ToolkitName;
    util->get_toolkit_version = ToolkitVersion;
}

void Flatten(const AccessibleNode& node, std::map<AccessibleKey, AccessibleNode>& into, std::map<AccessibleKey, AccessibleKey>& parents,
             const AccessibleKey& parent) {
    AccessibleNode copy = node;
    copy.children.clear();
    into[KeyOf(node)] = copy;
    parents[KeyOf(node)] = parent;
    for (const AccessibleNode& child : node.children) Flatten(child, into, parents, KeyOf(node));
}

// The object of a node, with the objects of its parents made on the way.
AtkObject* Ensure(const AccessibleKey& key, const std::map<AccessibleKey, AccessibleNode>& nodes,
                  const std::map<AccessibleKey, AccessibleKey>& parents) {
    Bridge& b = bridge();
    if (key == AccessibleKey{}) return static_cast<AtkObject*>(g_object_ref(b.application));
    if (const auto it = b.objects.find(key); it != b.objects.end()) return static_cast<AtkObject*>(g_object_ref(it->second));
    AtkObject* parent = Ensure(parents.at(key), nodes, parents);
    AtkObject* object = ObjectFor(nodes.at(key), parent);
    g_object_unref(parent);
    return object;
}

void NotifyState(AtkObject* object, unsigned before, unsigned now, unsigned state, AtkStateType atk) {
    if ((before & state) != (now & state)) atk_object_notify_state_change(object, atk, (now & state) != 0);
}

// A field's change as ATK tells it: what went, then what came, at the first differing
// character. Typing over a selection replaced all of it, as a reader expects to be told
// (it then knows the selection went with the text), however much of it the new text repeats.
void NotifyText(AtkObject* object, const std::string& before, const std::string& now, int selectionStart, int selectionEnd) {
    const std::u32string a = DecodeUtf8(before);
    const std::u32string b = DecodeUtf8(now);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
    if (selectionStart < selectionEnd && static_cast<std::size_t>(selectionEnd) <= a.size()) {
        head = std::min(head, static_cast<std::size_t>(selectionStart));
        tail = std::min(tail, a.size() - static_cast<std::size_t>(selectionEnd));
        tail = std::min(tail, b.size() - std::min(head, b.size()));
    }
    const auto piece = [](const std::u32string& s, std::size_t from, std::size_t n) {
        std::string out;
        for (std::size_t i = from; i < from + n; ++i) out += EncodeUtf8(s[i]);
        return out;
    };
    const std::size_t removed = a.size() - head - tail;
    const std::size_t inserted = b.size() - head - tail;
    if (removed > 0) {
        const std::string text = piece(a, head, removed);
        g_signal_emit_by_name(object, "text-remove", static_cast<gint>(head), static_cast<gint>(removed), text.c_str());
    }
    if (inserted > 0) {
        const std::string text = piece(b, head, inserted);
        g_signal_emit_by_name(object, "text-insert", static_cast<gint>(head), static_cast<gint>(inserted), text.c_str());
    }
}

void NotifyChanges(AtkObject* object, const AccessibleNode& before, const AccessibleNode& now) {
    using namespace AccessibleState;
    // The focus comes first: a reader takes the first event of a field it hears as where the
    // focus went, and would otherwise say the field's new caret or selection and not the field.
    const bool focusGained = !(before.states & kFocused) && (now.states & kFocused);
    if (focusGained) atk_object_notify_state_change(object, ATK_STATE_FOCUSED, TRUE);
    if (before.name != now.name) g_object_notify(G_OBJECT(object), "accessible-name");
    if (before.text != now.text) NotifyText(object, before.text, now.text, before.selectionStart, before.selectionEnd);
    if (before.caret != now.caret) g_signal_emit_by_name(object, "text-caret-moved", static_cast<gint>(now.caret));
    if (before.selectionStart != now.selectionStart || before.selectionEnd != now.selectionEnd)
        g_signal_emit_by_name(object, "text-selection-changed");
    NotifyState(object, before.states, now.states, kEnabled, ATK_STATE_ENABLED);
    NotifyState(object, before.states, now.states, kEnabled, ATK_STATE_SENSITIVE);
    NotifyState(object, before.states, now.states, kChecked, ATK_STATE_CHECKED);
    NotifyState(object, before.states, now.states, kSelected, ATK_STATE_SELECTED);
    NotifyState(object, before.states, now.states, kShowing, ATK_STATE_SHOWING);
    if (!focusGained) NotifyState(object, before.states, now.states, kFocused, ATK_STATE_FOCUSED);
}

// The windows as a reader hears of them: each one's coming, and which has the keyboard.
// ATK's bridge listens for them only once it has registered the program, a little after
// it starts: until then nothing is told, and the windows already up are told when it does.
void TellWindows(const std::vector<AccessibleNode>& tree, const std::map<AccessibleKey, AccessibleNode>& now,
                 const std::map<AccessibleKey, AccessibleKey>& parents) {
    Bridge& b = bridge();
    if (!b.windowsHeard) return;
    std::set<AccessibleKey> shown;
    AccessibleKey active;
    for (const AccessibleNode& node : tree) {
        shown.insert(KeyOf(node));
        if (node.states & AccessibleState::kActive) active = KeyOf(node);
        if (!b.created.insert(KeyOf(node)).second) continue;
        AtkObject* object = ObjectFor(node, b.application);
        if (ATK_IS_WINDOW(object)) g_signal_emit_by_name(object, "create");
        g_object_unref(object);
    }
    std::erase_if(b.created, [&](const AccessibleKey& key) { return shown.count(key) == 0; });
    if (active == b.toldActive) return;
    // The one that lost the keyboard first, then the one that has it, and both before any
    // focus in them, so a reader says the window and then the control in it.
    if (const auto it = b.objects.find(b.toldActive); b.toldActive != AccessibleKey{} && it != b.objects.end()) {
        atk_object_notify_state_change(it->second, ATK_STATE_ACTIVE, FALSE);
        g_signal_emit_by_name(it->second, "deactivate");
    }
    b.toldActive = active;
    if (active == AccessibleKey{}) return;
    AtkObject* window = Ensure(active, now, parents);
    atk_object_notify_state_change(window, ATK_STATE_ACTIVE, TRUE);
    g_signal_emit_by_name(window, "activate");
    g_object_unref(window);
    // A control that had the focus before the window was told of keeps it: told again, it is heard after the window.
    for (const auto& [key, node] : now) {
        const auto before = b.last.find(key);
        if (!(node.states & AccessibleState::kFocused) || before == b.last.end() || !(before->second.states & AccessibleState::kFocused)) continue;
        AtkObject* object = Ensure(key, now, parents);
        atk_object_notify_state_change(object, ATK_STATE_FOCUSED, TRUE);
        g_object_unref(object);
    }
}

// Compares the model with the last call's and tells the screen readers what differs.
void Update() {
    Bridge& b = bridge();
    const std::vector<AccessibleNode> tree = AccessibleTree();
    std::map<AccessibleKey, AccessibleNode> now;
    std::map<AccessibleKey, AccessibleKey> parents;
    std::vector<AccessibleKey> top;
    for (const AccessibleNode& node : tree) {
        Flatten(node, now, parents, {});
        top.push_back(KeyOf(node));
    }
    // Gone: the window leaves the program's children, then its objects turn defunct.
    for (std::size_t i = 0; i < b.lastTop.size(); ++i) {
        if (std::find(top.begin(), top.end(), b.lastTop[i]) != top.end()) continue;
        const auto gone = b.objects.find(b.lastTop[i]);
        AtkObject* object = gone != b.objects.end() ? gone->second : nullptr;
        if (object != nullptr && ATK_IS_WINDOW(object) && b.created.count(b.lastTop[i]) != 0) {
            if (b.toldActive == b.lastTop[i]) {
                g_signal_emit_by_name(object, "deactivate");
                b.toldActive = {};
            }
            g_signal_emit_by_name(object, "destroy");
        }
        g_signal_emit_by_name(b.application, "children-changed::remove", static_cast<guint>(i), object);
    }
    for (auto it = b.objects.begin(); it != b.objects.end();) {
        if (now.count(it->first) != 0) {
            ++it;
            continue;
        }
        MarkDefunct(it->second);
        g_object_unref(it->second);
        it = b.objects.erase(it);
    }
    for (std::size_t i = 0; i < top.size(); ++i) {
        if (std::find(b.lastTop.begin(), b.lastTop.end(), top[i]) != b.lastTop.end()) continue;
        AtkObject* object = ObjectFor(tree[i], b.application);
        g_signal_emit_by_name(b.application, "children-changed::add", static_cast<guint>(i), object);
        g_object_unref(object);
    }
    TellWindows(tree, now, parents);
    // Changed: only objects a screen reader may hold, or that take the focus, are told about.
    for (const auto& [key, node] : now) {
        const auto before = b.last.find(key);
        const bool focused = (node.states & AccessibleState::kFocused) != 0;
        const bool wasFocused = before != b.last.end() && (before->second.states & AccessibleState::kFocused) != 0;
        if (before != b.last.end() && PausedResults::IsResult(node) && before->second.text != node.text) b.results->Changed(key);
        if (!focused) b.results->FocusLeft(key);
        if (b.objects.count(key) == 0 && !(focused && !wasFocused)) continue;
        AtkObject* object = Ensure(key, now, parents);
        if (before == b.last.end()) {
            if (focused) atk_object_notify_state_change(object, ATK_STATE_FOCUSED, TRUE);
        } else {
            NotifyChanges(object, before->second, node);
        }
        g_object_unref(object);
    }
    b.last = std::move(now);
    b.lastTop = std::move(top);
}

}  // namespace

extern "C" {

DOTWISE_MODULE_EXPORT bool DotwiseStartAccessibility(Rect (*toScreen)(const Rect&), void (*wake)(), std::string* reason) {
    Bridge& b = bridge();
    if (b.started) return true;
    AccessibleHost host;
    host.objectFor = ObjectFor;
    host.defer = [](std::function<void()> action) { bridge().deferred.push_back(std::move(action)); };
    host.toScreen = toScreen;
    host.heardWith = [](const AccessibleKey& key) { return bridge().results->HeardWith(key); };
    SetAccessibleHost(std::move(host));
    b.results = std::make_unique<PausedResults>([](const AccessibleKey& key) {
        const auto it = bridge().objects.find(key);
        return it != bridge().objects.end() ? it->second : nullptr;
    });
    InstallToolkit();
    b.application = NewApplicationObject();
    if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
        *reason = "the AT-SPI bridge could not reach the accessibility bus";
        return false;
    }
    b.started = true;
    b.watcher = std::make_unique<BusWatcher>(wake);
    Update();
    return true;
}

DOTWISE_MODULE_EXPORT void DotwisePumpAccessibility() {
    Bridge& b = bridge();
    if (!b.started) return;
    // The bus's questions first, then what they asked to be done, then what that changed.
    b.watcher->Serve();
    while (!b.deferred.empty()) {
        auto action = std::move(b.deferred.front());
        b.deferred.pop_front();
        action();
    }
    Update();
}

DOTWISE_MODULE_EXPORT bool DotwiseAccessibilityKey(bool press, unsigned keysym, unsigned modifiers, const char* text, unsigned hardwareCode,
                                                   unsigned time) {
    Bridge& b = bridge();
    if (!b.started || b.keyListeners.empty()) return false;
    std::string typed = text != nullptr ? text : "";
    AtkKeyEventStruct event{};
    event.type = press ? ATK_KEY_EVENT_PRESS : ATK_KEY_EVENT_RELEASE;
    event.state = modifiers;
    event.keyval = keysym;
    event.length = static_cast<gint>(typed.size());
    event.string = typed.data();
    event.keycode = static_cast<guint16>(hardwareCode);
    event.timestamp = time;
    // Each listener hears the key (a copy: one may remove itself); one that takes it keeps it from the program.
    const std::map<guint, KeyListener> listeners = b.keyListeners;
    bool taken = false;
    for (const auto& [id, listener] : listeners) taken = listener.listen(&event, listener.data) != 0 || taken;
    return taken;
}

// The bus wakes the program itself; only GLib's own timers need the wait to end.
DOTWISE_MODULE_EXPORT int DotwiseAccessibilityWait() { return bridge().started ? bridge().watcher->Due() : -1; }
}

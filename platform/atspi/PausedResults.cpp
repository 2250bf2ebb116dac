#include "PausedResults.h"

#include <algorithm>

namespace {
// Long enough to fall between two keys of someone typing a number, short enough to follow the last.
constexpr guint kPause = 600;
}  // namespace

PausedResults::~PausedResults() {
    if (m_timer != 0) g_source_remove(m_timer);
}

bool PausedResults::IsResult(const AccessibleNode& node) { return node.role == AccessibleRole::Entry && (node.states & AccessibleState::kReadOnly); }

void PausedResults::Changed(const AccessibleKey& key) {
    if (std::find(m_changed.begin(), m_changed.end(), key) == m_changed.end()) m_changed.push_back(key);
    if (m_timer != 0) g_source_remove(m_timer);
    m_timer = g_timeout_add(kPause, OnPause, this);
}

void PausedResults::FocusLeft(const AccessibleKey& key) {
    if (key == m_heardOn) m_heardOn = {};
}

gboolean PausedResults::OnPause(gpointer self) {
    auto* results = static_cast<PausedResults*>(self);
    results->m_timer = 0;
    results->Tell();
    return G_SOURCE_REMOVE;
}

// Each changed result by its name and value, in the dialog's order, on the field with the focus.
void PausedResults::Tell() {
    AccessibleKey focus;
    std::string told;
    const auto visit = [&](const auto& self, const AccessibleNode& node) -> void {
        if (node.states & AccessibleState::kFocused) focus = KeyOf(node);
        if (std::find(m_changed.begin(), m_changed.end(), KeyOf(node)) != m_changed.end() && !node.text.empty())
            told += (told.empty() ? "" : ", ") + node.name + " " + node.text;
        for (const AccessibleNode& child : node.children) self(self, child);
    };
    for (const AccessibleNode& node : AccessibleTree()) visit(visit, node);
    m_changed.clear();
    AtkObject* object = focus == AccessibleKey{} ? nullptr : m_objectOf(focus);
    if (told.empty() || object == nullptr) return;
    m_heardOn = focus;
    m_heard = told;
    g_object_notify(G_OBJECT(object), "accessible-description");
}

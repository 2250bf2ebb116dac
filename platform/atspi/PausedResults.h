// The results a screen reader hears once typing pauses: the figure the user
// typed to, not one for each key on the way. They are told as a change of
// the focused field's description, the one change to an object other than
// its own text that every reader says of the focus.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "AccessibleObject.h"

class PausedResults {
public:
    // `objectOf` finds the object a screen reader holds for a node, or null.
    explicit PausedResults(std::function<AtkObject*(const AccessibleKey&)> objectOf) : m_objectOf(std::move(objectOf)) {}
    ~PausedResults();
    PausedResults(const PausedResults&) = delete;
    PausedResults& operator=(const PausedResults&) = delete;

    // Whether a node is a result: a read-only field.
    static bool IsResult(const AccessibleNode& node);
    // A result's text changed: told once no other has changed for a while.
    void Changed(const AccessibleKey& key);
    // The focus left a field: what was told with it is its own no longer.
    void FocusLeft(const AccessibleKey& key);
    // What the field's description carries besides its own: the results last told with it.
    std::string HeardWith(const AccessibleKey& key) const { return key == m_heardOn ? m_heard : std::string(); }

private:
    static gboolean OnPause(gpointer self);
    void Tell();

    std::function<AtkObject*(const AccessibleKey&)> m_objectOf;
    std::vector<AccessibleKey> m_changed;  // in the order they changed
    guint m_timer = 0;
    AccessibleKey m_heardOn;  // the focused field whose description carries them
    std::string m_heard;
};

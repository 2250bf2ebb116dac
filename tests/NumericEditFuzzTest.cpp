#include <random>

#include "NumericEditHarness.h"
#include "platform/window_system/Clipboard.h"
#include "platform/class_library/DataExchange.h"
#include "platform/window_system/WindowApi.h"

namespace {

// Random streams of the messages a user and other programs send, with the
// control's promises checked after every one.
class NumericEditFuzz : public NumericEditWindowFixture {
protected:
    void CheckInvariants(const std::string& step) {
        const auto& values = m_edit->Values();
        ASSERT_FALSE(values.empty()) << step;
        int separators = 0;
        int fraction = 0;
        for (const auto& e : values) {
            ASSERT_TRUE(e.IsKind(NDK_DIGIT) || e.IsKind(NDK_PLACEHOLDER) || e.IsKind(NDK_DECIMAL)) << step;
            if (separators > 0) ++fraction;
            if (e.IsKind(NDK_DECIMAL)) ++separators;
        }
        ASSERT_EQ(separators, m_edit->DecimalPlaces() > 0 ? 1 : 0) << step;
        if (separators) {
            ASSERT_EQ(fraction, m_edit->DecimalPlaces()) << step;
        }
        ASSERT_EQ(Shown(), m_edit->GetDisplayText()) << "the window shows the display, after " << step;
        // What a reader gets is a number the data exchange can read.
        double value = 0;
        ASSERT_TRUE(ParseDouble(OutsideText(), value) || OutsideText().rfind("-0", 0) == 0) << OutsideText() << " after " << step;
        const auto [start, end] = Sel();
        // Ends stand on value stops; a request that reaches past the value may also end in
        // what follows it (a trailing sign or suffix), as a select-all does.
        const int valueEnd = m_edit->ValueToDisplay(m_edit->GetValueCount());
        const int length = static_cast<int>(Shown().size());
        for (const int p : {start, end}) {
            const bool stop = m_edit->ValueToDisplay(m_edit->DisplayToValue(p)) == p;
            ASSERT_TRUE(stop || (p >= valueEnd && p <= length)) << "selection end " << p << " of " << Shown() << " after " << step;
        }
    }
};

TEST_F(NumericEditFuzz, RandomMessageStreamsKeepTheControlConsistent) {
    std::mt19937 random(20261207);
    const char* texts[] = {"", "0", "-0", "4.5", "-12.34", "1234567.891", ".5", "1,2", "abc", "--1", "9.", "007", "#1#"};
    const char chars[] = "0123456789+-.,\b#a ";
    const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_DELETE, VK_INSERT};
    for (int round = 0; round < 200; ++round) {
        NumericSettings s;
        s.places = static_cast<int>(random() % 3);
        s.negFormat = static_cast<int>(random() % 8);
        s.leadingZero = random() % 2 ? NLZ_SHOW : NLZ_NONE;
        s.groupSize = static_cast<int>(random() % 4);
        if (random() % 3 == 0) s.prefix = "$";
        if (random() % 3 == 0) s.suffix = "kg";
        Open(s, texts[random() % std::size(texts)]);
        // Attachment places the caret at 0 before the control handles its own
        // messages; from the first request on, it keeps it on value stops.
        Select(0, 0);
        std::string previous = "start";
        for (int step = 0; step < 60; ++step) {
            std::string what;
            switch (random() % 7) {
            case 0: {
                const char ch = chars[random() % (std::size(chars) - 1)];
                Char(static_cast<unsigned char>(ch));
                what = std::string("char ") + ch;
                break;
            }
            case 1: {
                const UINT vk = keys[random() % std::size(keys)];
                Key(vk, random() % 2 == 0);
                what = "key " + std::to_string(vk);
                break;
            }
            case 2: {
                const int a = static_cast<int>(random() % 20) - 3;
                const int b = static_cast<int>(random() % 20) - 3;
                Select(a, b);
                what = "setsel " + std::to_string(a) + " " + std::to_string(b);
                break;
            }
            case 3: {
                const char* text = texts[random() % std::size(texts)];
                Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
                what = std::string("settext ") + text;
                break;
            }
            case 4: {
                ClipboardStore::Instance().SetText(texts[random() % std::size(texts)]);
                Send(WM_PASTE);
                what = "paste";
                break;
            }
            case 5: {
                const UINT messages[] = {WM_CUT, WM_COPY, WM_CLEAR};
                Send(messages[random() % 3]);
                what = "clipboard message";
                break;
            }
            default: {
                const int index = static_cast<int>(random() % 16);
                CPoint p = m_edit->PosFromChar(static_cast<UINT>(index));
                if (p.x < 0) p = {60, 5};
                Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<unsigned>(p.x), 5));
                Send(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<unsigned>(p.x), 5));
                what = "click";
                break;
            }
            }
            CheckInvariants(previous + " then " + what);
            previous = what;
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace

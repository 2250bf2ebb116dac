#include "TextLayout.h"

#include "Menu.h"

namespace {

std::size_t NextCharEnd(const std::string& s, std::size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

// A character of the scripts written without spaces (CJK and the full-width
// forms): a line may break before or after any of them.
bool BreaksAnywhere(const std::string& s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    // Three-byte UTF-8 from U+2E80 on, and all of four bytes.
    return lead >= 0xF0 || (lead >= 0xE2 && !(lead == 0xE2 && static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]) < 0xBA));
}

// Where a line that overflows at `end` is broken: after the last space that
// follows a word, or beside a character of a script without spaces; at `end`
// itself where the line has neither, as one long word is broken.
std::size_t LineBreak(const std::string& paragraph, std::size_t start, std::size_t end) {
    if (end >= paragraph.size()) return end;
    for (std::size_t p = end; p > start; --p) {
        if ((static_cast<unsigned char>(paragraph[p]) & 0xC0) == 0x80) continue;
        std::size_t before = p - 1;
        while (before > start && (static_cast<unsigned char>(paragraph[before]) & 0xC0) == 0x80) --before;
        if (BreaksAnywhere(paragraph, p) || BreaksAnywhere(paragraph, before)) return p;
        if (paragraph[before] == ' ' && paragraph[p] != ' ' && paragraph.find_first_not_of(' ', start) < before) return p;
    }
    return end;
}

// The end of the line that starts at `start`: what fits in `width` (any
// length where it is negative), tabs included, broken where a line may break.
std::size_t LineEnd(const std::string& paragraph, std::size_t start, int width, const TextMetrics& metrics, int tabStop, int& lineWidth) {
    std::size_t end = start;
    lineWidth = 0;
    while (end < paragraph.size()) {
        const std::size_t next = NextCharEnd(paragraph, end);
        const int w = paragraph[end] == '\t' ? tabStop - lineWidth % tabStop : metrics.TextWidth(std::string_view(paragraph).substr(end, next - end));
        if (width >= 0 && lineWidth + w > width && end > start) break;
        lineWidth += w;
        end = next;
    }
    if (width < 0 || end >= paragraph.size()) return end;
    const std::size_t cut = LineBreak(paragraph, start, end);
    if (cut != end) lineWidth = metrics.TextWidth(std::string_view(paragraph).substr(start, cut - start));
    return cut;
}

}  // namespace

std::vector<TextRun> LayOutStaticText(HWND control, const TextMetrics& metrics) {
    std::vector<TextRun> runs;
    const std::string text = (control->style & SS_NOPREFIX) ? control->text : MenuItemLabel(control->text);
    const int width = control->rect.Width();
    const int lineHeight = metrics.Height();
    const DWORD align = control->style & SS_TYPEMASK;
    const bool wraps = control->rect.Height() >= lineHeight * 2 && align == SS_LEFT;
    const int tabStop = metrics.AverageCharWidth() * 8;
    int y = 0;
    std::size_t paragraphStart = 0;
    while (paragraphStart <= text.size()) {
        std::size_t paragraphEnd = text.find('\n', paragraphStart);
        if (paragraphEnd == std::string::npos) paragraphEnd = text.size();
        const std::string paragraph = text.substr(paragraphStart, paragraphEnd - paragraphStart);
        std::size_t start = 0;
        do {
            int lineWidth = 0;
            const std::size_t end = LineEnd(paragraph, start, wraps ? width : -1, metrics, tabStop, lineWidth);
            int x = 0;
            if (align == SS_RIGHT)
                x = width - lineWidth;
            else if (align == SS_CENTER)
                x = (width - lineWidth) / 2;
            // One run per piece between tabs.
            std::size_t piece = start;
            int px = x;
            for (std::size_t i = start; i <= end; ++i) {
                if (i < end && paragraph[i] != '\t') continue;
                const std::string part = paragraph.substr(piece, i - piece);
                if (!part.empty()) runs.push_back({px, y, part});
                px += metrics.TextWidth(part);
                if (i < end) px = x + ((px - x) / tabStop + 1) * tabStop;
                piece = i + 1;
            }
            y += lineHeight;
            start = end;
        } while (wraps && start < paragraph.size());
        paragraphStart = paragraphEnd + 1;
    }
    return runs;
}

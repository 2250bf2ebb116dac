#include "DriverScript.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

struct KeyName {
    const char* name;
    UINT vk;
};

constexpr KeyName kKeys[] = {
    {"Left", VK_LEFT},     {"Right", VK_RIGHT},   {"Up", VK_UP},          {"Down", VK_DOWN},   {"Home", VK_HOME},    {"End", VK_END},
    {"Insert", VK_INSERT}, {"Delete", VK_DELETE}, {"Backspace", VK_BACK}, {"Tab", VK_TAB},     {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},   {"Apps", VK_APPS},     {"Alt", VK_MENU},       {"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL},
};

}  // namespace

UINT VirtualKeyFor(const std::string& name) {
    for (const KeyName& k : kKeys)
        if (name == k.name) return k.vk;
    if (name.size() >= 2 && name[0] == 'F') {
        const int n = DriverScript::ParseInt(name.substr(1));
        if (n >= 1 && n <= 12) return VK_F1 + static_cast<UINT>(n - 1);
    }
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z') return static_cast<UINT>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<UINT>(c);
        if (c == '.') return VK_OEM_PERIOD;
        if (c == ',') return VK_OEM_COMMA;
        if (c == '-') return VK_OEM_MINUS;
        if (c == '+' || c == '=') return VK_OEM_PLUS;
    }
    throw DriverError("unknown key " + name);
}

// The key a character is typed with, and whether Shift is held for it.
std::pair<UINT, bool> KeyForChar(UINT ch) {
    if (ch >= 'a' && ch <= 'z') return {ch - 'a' + 'A', false};
    if (ch >= 'A' && ch <= 'Z') return {ch, true};
    if (ch >= '0' && ch <= '9') return {ch, false};
    switch (ch) {
    case ' ': return {VK_SPACE, false};
    case '\t': return {VK_TAB, false};
    case '\n':
    case '\r': return {VK_RETURN, false};
    case 0x08: return {VK_BACK, false};
    case 0x1B: return {VK_ESCAPE, false};
    case '.': return {VK_OEM_PERIOD, false};
    case ',': return {VK_OEM_COMMA, false};
    case '-': return {VK_OEM_MINUS, false};
    case '+': return {VK_OEM_PLUS, true};
    case '=': return {VK_OEM_PLUS, false};
    default: return {0, false};  // typed through an input method: a character with no key
    }
}

// A menu item is named by its text without '&', with or without its shortcut
// after a tab and its "(X)" mnemonic, which may stand before a closing "...".
bool MenuLabelMatches(std::string label, const std::string& name) {
    if (label == name) return true;
    label = label.substr(0, label.find('\t'));
    if (label == name) return true;
    for (std::size_t at = label.find('('); at != std::string::npos && at + 2 < label.size(); at = label.find('(', at + 1)) {
        if (label[at + 2] != ')' || !std::isalnum(static_cast<unsigned char>(label[at + 1]))) continue;
        const std::string rest = label.substr(at + 3);
        if (rest.empty() || rest == "...") return label.substr(0, at) + rest == name;
    }
    return false;
}

UINT ParseKeyCombo(std::string combo, bool& shift, bool& ctrl, bool& alt) {
    shift = ctrl = alt = false;
    for (;;) {
        if (combo.rfind("Shift+", 0) == 0)
            shift = true, combo.erase(0, 6);
        else if (combo.rfind("Ctrl+", 0) == 0)
            ctrl = true, combo.erase(0, 5);
        else if (combo.rfind("Alt+", 0) == 0)
            alt = true, combo.erase(0, 4);
        else
            break;
    }
    return VirtualKeyFor(combo);
}

std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const auto* p = static_cast<const char*>(GlobalLock(data))) text = p;
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void SetClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) throw DriverError("the clipboard is held by another program");
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(GlobalLock(block)));
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

void FocusAndSelectAll(HWND hWnd) {
    if (!IsWindow(hWnd)) return;
    SetFocus(hWnd);
    if (SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(hWnd, EM_SETSEL, 0, -1);
}

DriverScript::DriverScript(AnswerWriter write) : m_write(std::move(write)) {}

void DriverScript::AddCommand(const std::string& name, Command command) { m_commands[name] = std::move(command); }

int DriverScript::ParseInt(const std::string& text) {
    int value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc{} || r.ptr != text.data() + text.size()) throw DriverError("not a number: " + text);
    return value;
}

std::vector<std::string> DriverScript::SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
            words.push_back(word);
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            const char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                word += c;
                continue;
            }
            if (i >= line.size()) throw DriverError("escape at end of line");
            const char e = line[i++];
            switch (e) {
            case '"': word += '"'; break;
            case '\\': word += '\\'; break;
            case 't': word += '\t'; break;
            case 'n': word += '\n'; break;
            case 'x': {
                if (i + 2 > line.size()) throw DriverError("bad \\x escape");
                int v = 0;
                const auto r = std::from_chars(line.data() + i, line.data() + i + 2, v, 16);
                if (r.ptr != line.data() + i + 2) throw DriverError("bad \\x escape");
                word += static_cast<char>(v);
                i += 2;
                break;
            }
            default: throw DriverError(std::string("unknown escape \\") + e);
            }
        }
        if (!closed) throw DriverError("unclosed quote");
        words.push_back(word);
    }
    return words;
}

std::string DriverScript::Quote(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (u < 0x20 || u == 0x7F) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else
            out += c;
    }
    return out + "\"";
}

void DriverScript::Execute(const std::string& line) {
    FlushAnswer();
    std::vector<std::string> words;
    try {
        words = SplitWords(line);
        if (words.empty() || words[0][0] == '#') return;
        const auto it = m_commands.find(words[0]);
        if (it == m_commands.end()) throw DriverError("unknown command " + words[0]);
        m_executing = true;
        m_pendingAnswer = it->second(Args(words.begin() + 1, words.end()));
        m_executing = false;
    } catch (const DriverError& e) {
        m_executing = false;
        m_events.clear();
        m_pendingAnswer = std::string("error: ") + e.what();
    }
}

bool DriverScript::RunNextEvent() {
    if (m_events.empty()) return false;
    auto event = std::move(m_events.front());
    m_events.pop_front();
    event();
    return true;
}

void DriverScript::WriteLine(const std::string& line) {
    if (!m_write(line)) m_outputFailed = true;
}

void DriverScript::FlushAnswer() {
    if (!m_pendingAnswer) return;
    WriteLine(*m_pendingAnswer);
    m_pendingAnswer.reset();
}

void DriverScript::ReportMessageBox(const std::string& caption, const std::string& text) {
    WriteLine("messagebox " + Quote(caption) + ' ' + Quote(text));
}

void DriverScript::Need(const Args& args, std::size_t count, const char* usage) {
    if (args.size() != count) throw DriverError(std::string("usage: ") + usage);
}

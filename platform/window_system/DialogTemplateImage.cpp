#include "DialogTemplateImage.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "Utf8.h"
#include "WindowClasses.h"

namespace {

// The predefined classes' ordinals in an item's class field.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

class TemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(static_cast<WORD>(d & 0xFFFF));
        Word(static_cast<WORD>(d >> 16));
    }
    void Short(short s) { Word(static_cast<WORD>(s)); }
    void Text(const char* utf8) {
        const std::u32string text = DecodeUtf8(utf8 != nullptr ? utf8 : "");
        // Room for each character as a surrogate pair, and the zero; what is left over goes.
        std::size_t at = m_words.size();
        m_words.resize(at + 2 * text.size() + 1);
        for (const char32_t cp : text) {
            if (cp >= 0x10000) {
                m_words[at++] = static_cast<WORD>(0xD800 + ((cp - 0x10000) >> 10));
                m_words[at++] = static_cast<WORD>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                m_words[at++] = static_cast<WORD>(cp);
            }
        }
        m_words[at++] = 0;
        m_words.resize(at);
    }
    void Ordinal(WORD id) {
        Word(0xFFFF);
        Word(id);
    }
    // Items start on a four-byte boundary.
    void AlignDword() {
        if (m_words.size() % 2 != 0) Word(0);
    }
    std::vector<WORD> Take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

WORD ClassAtom(WindowClass cls) {
    switch (cls) {
    case WindowClass::Button: return kButtonAtom;
    case WindowClass::Edit: return kEditAtom;
    default: return kStaticAtom;
    }
}

// The resource number "#id" names, where it names one: digits alone, as they are
// written back ("#0128" or "#70000" is a name, not a number).
bool ResourceNumber(const char* text, WORD& id) {
    if (text == nullptr || text[0] != '#') return false;
    const std::string digits(text + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long value = std::stoul(digits);
    if (value > 0xFFFF || std::to_string(value) != digits) return false;
    id = static_cast<WORD>(value);
    return true;
}

// An icon static names its icon resource as "#id"; the compiled form holds the ordinal.
void WriteItemText(TemplateWriter& out, const DialogItemTemplate& item) {
    WORD id = 0;
    if ((item.style & SS_TYPEMASK) == SS_ICON && ResourceNumber(item.text, id))
        out.Ordinal(id);
    else
        out.Text(item.text);
}

// Reads a template word by word. Past the end it reads zeros and remembers that
// it went there: a template cut short is refused, not read beyond.
class TemplateReader {
public:
    TemplateReader(const WORD* words, std::size_t count) : m_words(words), m_count(count) {}
    bool Overran() const { return m_overran; }
    WORD Peek() {
        if (m_at < m_count) return m_words[m_at];
        m_overran = true;
        return 0;
    }
    WORD Word() {
        const WORD w = Peek();
        if (m_at < m_count) ++m_at;
        return w;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {
        std::string utf8;
        char bytes[4];
        for (WORD w = Word(); w != 0; w = Word()) {
            char32_t cp = w;
            if (w >= 0xD800 && w < 0xDC00 && Peek() >= 0xDC00 && Peek() < 0xE000) cp = 0x10000 + ((w - 0xD800) << 10) + (Word() - 0xDC00);
            utf8.append(bytes, static_cast<std::size_t>(EncodeUtf8(cp, bytes)));
        }
        return utf8;
    }
    // A zero, an ordinal (0xFFFF then the number) or a text; ordinals read as "#number".
    std::string TextOrOrdinal() {
        if (Peek() == 0) {
            Word();
            return "";
        }
        if (Peek() == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() {
        if (m_at % 2 != 0) Word();
    }

private:
    const WORD* m_words;
    std::size_t m_count;
    std::size_t m_at = 0;
    bool m_overran = false;
};

WindowClass ClassFromField(const std::string& field) {
    if (field == "#" + std::to_string(kButtonAtom)) return WindowClass::Button;
    if (field == "#" + std::to_string(kEditAtom)) return WindowClass::Edit;
    WindowClass cls = WindowClass::Static;
    if (!field.empty() && field[0] != '#') WindowClassByName(field.c_str(), cls);
    return cls;
}

}  // namespace

std::vector<WORD> CompileDialogTemplate(const DialogTemplate& dialog) {
    TemplateWriter out;
    const DWORD style = dialog.style | (dialog.fontFace != nullptr ? DS_SETFONT : 0);
    if (dialog.extended) {
        out.Word(1);
        out.Word(0xFFFF);
        out.Dword(0);
        out.Dword(dialog.exStyle);
        out.Dword(style);
    } else {
        out.Dword(style);
        out.Dword(dialog.exStyle);
    }
    out.Word(static_cast<WORD>(dialog.items.size()));
    for (const short v : {dialog.x, dialog.y, dialog.cx, dialog.cy}) out.Short(v);
    out.Word(0);  // no menu
    out.Word(0);  // the standard dialog class
    out.Text(dialog.caption);
    if (style & DS_SETFONT) {
        out.Word(static_cast<WORD>(dialog.pointSize));
        if (dialog.extended) {
            out.Word(400);     // weight
            out.Word(0x0100);  // not italic; the default character set
        }
        out.Text(dialog.fontFace);
    }
    for (const DialogItemTemplate& item : dialog.items) {
        out.AlignDword();
        if (dialog.extended) {
            out.Dword(0);
            out.Dword(0);
            out.Dword(item.style);
        } else {
            out.Dword(item.style);
            out.Dword(0);
        }
        for (const short v : {item.x, item.y, item.cx, item.cy}) out.Short(v);
        if (dialog.extended)
            out.Dword(static_cast<DWORD>(item.id));
        else
            out.Word(static_cast<WORD>(item.id));
        out.Ordinal(ClassAtom(item.windowClass));
        WriteItemText(out, item);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

LPCDLGTEMPLATE AsDlgTemplate(const DialogTemplate& t) {
    static std::map<const DialogTemplate*, std::vector<WORD>> compiled;
    auto [at, inserted] = compiled.try_emplace(&t);
    if (inserted) at->second = CompileDialogTemplate(t);
    return reinterpret_cast<LPCDLGTEMPLATE>(at->second.data());
}

bool LoadedDialogTemplate::Read(const void* data, std::size_t size) {
    if (data == nullptr) return false;
    TemplateReader in(static_cast<const WORD*>(data), size / sizeof(WORD));
    const WORD first = in.Word();
    const WORD second = in.Word();
    m_extended = first == 1 && second == 0xFFFF;
    if (m_extended) {
        in.Dword();  // help id
        m_exStyle = in.Dword();
        m_style = in.Dword();
    } else {
        m_style = first | (static_cast<DWORD>(second) << 16);
        m_exStyle = in.Dword();
    }
    const WORD count = in.Word();
    m_x = in.Short();
    m_y = in.Short();
    m_cx = in.Short();
    m_cy = in.Short();
    // A menu or a class of its own is more than this window system's dialogs have.
    if (!in.TextOrOrdinal().empty() || !in.TextOrOrdinal().empty()) return false;
    m_caption = in.Text();
    if (m_style & DS_SETFONT) {
        m_pointSize = in.Word();
        if (m_extended) {
            in.Word();
            in.Word();
        }
        m_fontFace = in.Text();
    }
    m_texts.clear();
    m_items.clear();
    for (WORD i = 0; i < count && !in.Overran(); ++i) {
        in.AlignDword();
        DWORD style = 0;
        if (m_extended) {
            in.Dword();
            in.Dword();
            style = in.Dword();
        } else {
            style = in.Dword();
            in.Dword();
        }
        const short x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
        const int id = m_extended ? static_cast<int>(in.Dword()) : in.Word();
        const WindowClass cls = ClassFromField(in.TextOrOrdinal());
        m_texts.push_back(in.TextOrOrdinal());
        const WORD extra = in.Word();
        for (int skip = 0; skip < (extra + 1) / 2; ++skip) in.Word();
        m_items.push_back({id, cls, style, x, y, cx, cy, m_texts.back().c_str()});
    }
    return !in.Overran();
}

DialogTemplate LoadedDialogTemplate::View() const {
    return DialogTemplate{0,           m_extended, m_style, m_exStyle,         m_x,
                          m_y,         m_cx,       m_cy,    m_caption.c_str(), m_fontFace.empty() ? nullptr : m_fontFace.c_str(),
                          m_pointSize, m_items};
}

namespace {

// Each dialog template in its binary form, written when first asked for and
// kept for the process, as a loaded module keeps its resources. Kept per
// template, not per id: the same id has a template in each language.
const std::vector<WORD>* CompiledDialog(int id) {
    static std::map<const DialogTemplate*, std::vector<WORD>> compiled;
    const DialogTemplate* t = FindDialogTemplate(id);
    if (t == nullptr) return nullptr;
    if (const auto at = compiled.find(t); at != compiled.end()) return &at->second;
    return &compiled.emplace(t, CompileDialogTemplate(*t)).first->second;
}

}  // namespace

// Dialog templates are the only resources the program looks up by type.
HRSRC WINAPI FindResourceA(HMODULE, LPCSTR name, LPCSTR type) {
    if (type != RT_DIALOG || !IS_INTRESOURCE(name)) return nullptr;
    const std::vector<WORD>* image = CompiledDialog(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return reinterpret_cast<HRSRC>(const_cast<std::vector<WORD>*>(image));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) return nullptr;
    return const_cast<WORD*>(reinterpret_cast<const std::vector<WORD>*>(resource)->data());
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) { return resourceData; }

BOOL WINAPI EnumResourceNamesA(HMODULE module, LPCSTR type, ENUMRESNAMEPROCA enumProc, LONG_PTR param) {
    if (type != RT_DIALOG || enumProc == nullptr) return FALSE;
    for (const DialogTemplate& t : ProgramResources().dialogs)
        if (!enumProc(module, type, MAKEINTRESOURCE(static_cast<WORD>(t.id)), param)) break;
    return TRUE;
}

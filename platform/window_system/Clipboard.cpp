#include "Clipboard.h"

#include <cstring>

#include "WindowManager.h"

ClipboardStore& ClipboardStore::Instance() { return WindowManager::Instance().Clipboard(); }

namespace {
Backend* SystemClipboard() {
    Backend* backend = WindowManager::Instance().GetBackend();
    return backend != nullptr && backend->ReadsSystemClipboard() ? backend : nullptr;
}
}  // namespace

std::optional<std::string> ClipboardStore::Text() {
    if (Backend* system = SystemClipboard()) return system->ImportClipboard();
    return m_text;
}

bool ClipboardStore::HasText() {
    if (Backend* system = SystemClipboard()) return system->SystemClipboardHasText();
    return m_text.has_value();
}

void ClipboardStore::SetText(const std::string& text) {
    m_text = text;
    if (Backend* backend = WindowManager::Instance().GetBackend()) backend->ExportClipboard(text);
}

bool ClipboardStore::Open(HWND) {
    if (m_open || m_unavailable) return false;
    m_open = true;
    return true;
}

void ClipboardStore::Close() { m_open = false; }

void ClipboardStore::Empty() { m_text.reset(); }

HANDLE ClipboardStore::GetData(UINT format) {
    if (!m_open || format != CF_TEXT) return nullptr;
    const auto text = Text();
    if (!text) return nullptr;
    m_readBlock.bytes.assign(text->begin(), text->end());
    m_readBlock.bytes.push_back('\0');
    return &m_readBlock;
}

HANDLE ClipboardStore::SetData(UINT format, HANDLE data) {
    if (!m_open || format != CF_TEXT || data == nullptr) return nullptr;
    auto* block = static_cast<GlobalBlock*>(data);
    // The text ends at its first zero, whatever size the block has.
    SetText(std::string(block->bytes.data(), strnlen(block->bytes.data(), block->bytes.size())));
    delete block;  // the block belongs to the clipboard from here on
    return data;
}

BOOL WINAPI OpenClipboard(HWND owner) { return ClipboardStore::Instance().Open(owner) ? TRUE : FALSE; }
BOOL WINAPI CloseClipboard() {
    ClipboardStore::Instance().Close();
    return TRUE;
}
BOOL WINAPI EmptyClipboard() {
    if (!ClipboardStore::Instance().IsOpen()) return FALSE;
    ClipboardStore::Instance().Empty();
    return TRUE;
}
BOOL WINAPI IsClipboardFormatAvailable(UINT format) { return format == CF_TEXT && ClipboardStore::Instance().HasText() ? TRUE : FALSE; }
HANDLE WINAPI GetClipboardData(UINT format) { return ClipboardStore::Instance().GetData(format); }
HANDLE WINAPI SetClipboardData(UINT format, HANDLE data) { return ClipboardStore::Instance().SetData(format, data); }

namespace {
GlobalBlock* Block(HGLOBAL handle) { return static_cast<GlobalBlock*>(handle); }
}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT, SIZE_T bytes) {
    auto* block = new GlobalBlock;
    block->bytes.assign(bytes, '\0');
    return block;
}
LPVOID WINAPI GlobalLock(HGLOBAL handle) {
    GlobalBlock* block = Block(handle);
    if (block == nullptr) return nullptr;
    ++block->locks;
    return block->bytes.data();
}
BOOL WINAPI GlobalUnlock(HGLOBAL handle) {
    GlobalBlock* block = Block(handle);
    if (block == nullptr || block->locks == 0) return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

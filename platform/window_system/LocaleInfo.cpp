#include "LocaleInfo.h"

#include <cstring>

namespace {
const LocaleSource* g_source = nullptr;
}  // namespace

std::optional<std::string> FixedLocaleSource::Query(LCTYPE type) const {
    const auto it = m_answers.find(type);
    if (it == m_answers.end()) return std::nullopt;
    return it->second;
}

void SetLocaleSource(const LocaleSource* source) { g_source = source; }

int WINAPI GetLocaleInfoA(LCID, LCTYPE type, LPSTR data, int cchData) {
    const LocaleSource& source = g_source != nullptr ? *g_source : UserLocaleSource();
    const std::optional<std::string> answer = source.Query(type);
    if (!answer) return 0;
    const int needed = static_cast<int>(answer->size()) + 1;
    if (cchData == 0) return needed;
    if (data == nullptr || cchData < needed) return 0;
    std::memcpy(data, answer->c_str(), static_cast<std::size_t>(needed));
    return needed;
}

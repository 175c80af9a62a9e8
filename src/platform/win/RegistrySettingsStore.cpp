// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/RegistrySettingsStore.h"

#include "platform/win/WideText.h"

#include <windows.h>

namespace pollwick::win {
namespace {

std::wstring keyPath(const std::string& application, const std::string& section)
{
    return L"Software\\" + toWide(application) + L"\\" + toWide(section);
}

// Windows' own words for an error, without the line end it puts after them.
std::string systemMessage(LSTATUS status)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
            message.back() == L'.')) {
        message.pop_back();
    }
    const std::string code = "error " + std::to_string(status);
    return message.empty() ? code : toUtf8(message) + " (" + code + ")";
}

class OpenKey final
{
public:
    explicit OpenKey(HKEY key)
        : m_key(key)
    { }
    ~OpenKey() { RegCloseKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    OpenKey(OpenKey&&) = delete;
    OpenKey& operator=(OpenKey&&) = delete;
    [[nodiscard]] HKEY get() const { return m_key; }

private:
    HKEY m_key;
};

} // namespace

std::string RegistrySettingsStore::read(const std::string& application, const std::string& section,
                                        const std::string& key) const
{
    auto& troubles = m_troubles[application];
    const std::string name = section + "\\" + key;
    troubles.erase(name);
    const auto troubled = [&](const std::string& why) {
        troubles[name] =
            "the value " + key + " in " + location(application) + "\\" + section + " " + why;
        return std::string();
    };

    HKEY opened = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0,
                                   KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    if (status != ERROR_SUCCESS) {
        return troubled("could not be read: " + systemMessage(status));
    }
    const OpenKey open(opened);
    const std::wstring valueName = toWide(key);
    DWORD type = 0;
    DWORD bytes = 0;
    status = RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    if (status != ERROR_SUCCESS) {
        return troubled("could not be read: " + systemMessage(status));
    }
    if (type != REG_SZ) {
        return troubled("is not text (REG_SZ)");
    }
    if (bytes > kLargestValueBytes) {
        return troubled("is larger than " + std::to_string(kLargestValueBytes / 1024) + " KiB");
    }
    // Room for a terminating null that the registry need not have stored.
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD held = bytes;
    status = RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(text.data()), &held);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        // Changed by someone else between the two looks.
        return troubled("could not be read: " + systemMessage(status));
    }
    text.resize(held / sizeof(wchar_t));
    // The text ends at its first null, as every reader of REG_SZ takes it.
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) {
        text.resize(end);
    }
    return toUtf8(text);
}

bool RegistrySettingsStore::write(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value)
{
    const std::wstring text = toWide(value);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (value.find('\0') != std::string::npos || bytes > kLargestValueBytes) {
        return false;
    }
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const OpenKey open(created);
    return RegSetValueExW(open.get(), toWide(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

std::string RegistrySettingsStore::location(const std::string& application) const
{
    return "HKEY_CURRENT_USER\\Software\\" + application;
}

std::string RegistrySettingsStore::trouble(const std::string& application) const
{
    const auto found = m_troubles.find(application);
    if (found == m_troubles.end()) {
        return {};
    }
    std::string all;
    for (const auto& [name, why] : found->second) {
        all += (all.empty() ? "" : "; ") + why;
    }
    return all;
}

} // namespace pollwick::win

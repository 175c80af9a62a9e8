// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/RegistrySettingsStore.h"

#include "platform/win/WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

namespace pollwick::win {
namespace {

// An application of the test's own, in the test's own Wine prefix, taken
// away again at the end.
class RegistrySettingsStoreTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + toWide(m_application)).c_str());
    }

    // Writes a value the way another program might, past the store.
    void writeRaw(const std::string& section, const std::string& key, DWORD type, const void* data,
                  DWORD bytes) const
    {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER,
                                  toWide("Software\\" + m_application + "\\" + section).c_str(), 0,
                                  nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(created, toWide(key).c_str(), 0, type,
                                 static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
        RegCloseKey(created);
    }

    const std::string m_application =
        "Pollwick Test " + std::to_string(GetCurrentProcessId()) + " \xC3\xA9";
    RegistrySettingsStore m_store;
};

TEST_F(RegistrySettingsStoreTest, KeepsTextsAsWrittenAndAbsentReadsEmpty)
{
    EXPECT_EQ(m_store.read(m_application, "Paths", "Normal"), "");
    const std::string values[] = {
        "C:\\Games\\Wombix\\wombix.exe",
        "",
        "C:\\Spiele\\W\xC3\xB6mbix \xE6\x97\xA5\xE6\x9C\xAC\\wombix.exe", // ö and two CJK
        "D:\\\xF0\x9F\x98\x80\\wombix.exe", // beyond the 16-bit plane: a surrogate pair
        "   spaces kept   ",
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(m_store.write(m_application, "Paths", "Normal", value));
        EXPECT_EQ(m_store.read(m_application, "Paths", "Normal"), value);
    }
    EXPECT_EQ(m_store.read(m_application, "Paths", "Ambrel"), "");
    EXPECT_EQ(m_store.read(m_application, "Other", "Normal"), "");
    EXPECT_EQ(m_store.trouble(m_application), "");
    EXPECT_EQ(m_store.location("Wombix Pollwick"), "HKEY_CURRENT_USER\\Software\\Wombix Pollwick");
}

// A value that is not text, or larger than any path, reads as empty text,
// and the trouble names it until it reads well again.
TEST_F(RegistrySettingsStoreTest, UnreadableValueReadsEmptyAndSaysWhy)
{
    const DWORD number = 7;
    writeRaw("Paths", "Normal", REG_DWORD, &number, sizeof number);
    const std::wstring huge(RegistrySettingsStore::kLargestValueBytes, L'x');
    writeRaw("Paths", "Pellory", REG_SZ, huge.c_str(),
             static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));

    EXPECT_EQ(m_store.read(m_application, "Paths", "Normal"), "");
    EXPECT_EQ(m_store.read(m_application, "Paths", "Pellory"), "");
    const std::string trouble = m_store.trouble(m_application);
    EXPECT_NE(trouble.find("Normal"), std::string::npos) << trouble;
    EXPECT_NE(trouble.find("not text"), std::string::npos) << trouble;
    EXPECT_NE(trouble.find("Pellory"), std::string::npos) << trouble;
    EXPECT_NE(trouble.find("64 KiB"), std::string::npos) << trouble;
    EXPECT_EQ(m_store.trouble("another application"), "");

    ASSERT_TRUE(m_store.write(m_application, "Paths", "Normal", "C:\\wombix.exe"));
    ASSERT_TRUE(m_store.write(m_application, "Paths", "Pellory", "C:\\wombix.exe"));
    EXPECT_EQ(m_store.read(m_application, "Paths", "Normal"), "C:\\wombix.exe");
    EXPECT_EQ(m_store.read(m_application, "Paths", "Pellory"), "C:\\wombix.exe");
    EXPECT_EQ(m_store.trouble(m_application), "");
}

// A value that could not be read back as written is not written.
TEST_F(RegistrySettingsStoreTest, WriteThatCannotBeKeptFails)
{
    EXPECT_FALSE(m_store.write(m_application, "Paths", "Normal", std::string("a\0b", 3)));
    EXPECT_FALSE(m_store.write(m_application, "Paths", "Normal",
                               std::string(RegistrySettingsStore::kLargestValueBytes, 'x')));
    EXPECT_EQ(m_store.read(m_application, "Paths", "Normal"), "");
    // A key name longer than the registry takes.
    EXPECT_FALSE(m_store.write(m_application, std::string(300, 's'), "Normal", "x"));
}

} // namespace
} // namespace pollwick::win

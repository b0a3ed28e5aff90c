#include "main/templates/file_name_chars.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* name;
    const char* refused; // the first refused character, "" for none
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.name << '"';
}

class FirstRefusedCharacter : public ::testing::TestWithParam<Case>
{
};

TEST_P(FirstRefusedCharacter, FollowsTheCodePageRule)
{
    const Case& c = GetParam();
    EXPECT_EQ(picrows::f_ReturnErrCharFromFoldernameOrFilenameSpeal(QString::fromUtf8(c.name)),
              QString::fromUtf8(c.refused));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FirstRefusedCharacter,
    ::testing::Values(
        // Plain and Japanese names pass.
        Case{"ユーザーカスタム", ""}, Case{"Sheet1 (2)", ""}, Case{"", ""},
        Case{"見積書_2024-05.v2", ""},
        // Each refused one-byte character, alone and inside a name.
        Case{"a/b", "/"}, Case{"a\\b", "\\"}, Case{"a:b", ":"}, Case{"a*b", "*"}, Case{"a?b", "?"},
        Case{"a\"b", "\""}, Case{"a<b", "<"}, Case{"a>b", ">"}, Case{"a|b", "|"},
        Case{"tab\there", "\t"}, Case{"line\nbreak", "\n"},
        // The first refused character is answered, not the first of each kind.
        Case{"ok|no/no", "|"},
        // Full-width forms take two bytes in Shift_JIS and pass, though their one-byte
        // look-alikes are refused.
        Case{"Ａ／Ｂ＼Ｃ：Ｄ＊Ｅ？Ｆ＂Ｇ＜Ｈ＞Ｉ｜", ""},
        // Two-byte characters whose second byte is that of "\" or "|" (0x5C, 0x7C): the byte
        // test never sees a lone trailing byte.
        Case{"ソ表能十", ""}, Case{"ポ", ""},
        // NEC and IBM extensions of the code page take two bytes as well.
        Case{"①髙", ""},
        // The yen sign is written as the byte of "\" in this code page, and refused with it.
        Case{"価格¥", "¥"},
        // Half-width katakana take one byte and pass.
        Case{"ｶﾀｶﾅ", ""},
        // Characters the code page cannot write are stored as UTF-8 here and pass.
        Case{"café 한국", ""}, Case{"😀/x", "/"}));

TEST(FirstRefusedCharacterNul, IsRefused)
{
    const QString name = QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
    EXPECT_EQ(picrows::f_ReturnErrCharFromFoldernameOrFilenameSpeal(name), QString(QChar(u'\0')));
}

TEST(AnsiBytes, FollowCodePage932)
{
    EXPECT_EQ(picrows::ansiBytesOf(U'あ'), QByteArray("\x82\xa0"));
    EXPECT_EQ(picrows::ansiBytesOf(U'ソ'), QByteArray("\x83\x5c"));
    EXPECT_EQ(picrows::ansiBytesOf(U'ｱ'), QByteArray("\xb1"));
    EXPECT_EQ(picrows::ansiBytesOf(U'¥'), QByteArray("\\"));
    EXPECT_EQ(picrows::ansiBytesOf(U'é'), QByteArray());
}

} // namespace

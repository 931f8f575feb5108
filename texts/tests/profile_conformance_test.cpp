// Our reading of profile files against the system's GetPrivateProfileStringW
// on the same files: every query must give the same text.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "LanguageLookup.h"
#include "ProfileText.h"

using namespace vimbrel::texts;
using vimbrel::texts::test::CTempFolder;
using vimbrel::texts::test::WriteBytes;
using vimbrel::texts::test::WriteUtf16File;

namespace {

std::u16string ToU16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring ToWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

class CSystemProfile final : public IProfileReader {
public:
    explicit CSystemProfile(std::wstring path) : path_(std::move(path)) {}
    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::size_t capacity) const override {
        std::vector<wchar_t> buffer(capacity + 1, L'\0');
        DWORD length = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), L"", buffer.data(),
                                                static_cast<DWORD>(capacity), path_.c_str());
        return ToU16(std::wstring(buffer.data(), length));
    }

private:
    std::wstring path_;
};

std::u16string ReadProfileFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<unsigned char> bytes(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return DecodeProfileBytes(bytes.data(), got);
}

struct Query {
    const wchar_t* section;
    const wchar_t* key;
    std::size_t capacity;
};

void ExpectSameAnswers(const std::wstring& path, const std::vector<Query>& queries) {
    CSystemProfile system(path);
    CProfileText ours(ReadProfileFile(path));
    for (const Query& q : queries) {
        EXPECT_EQ(ToWide(ours.ReadString(ToU16(q.section), ToU16(q.key), q.capacity)),
                  ToWide(system.ReadString(ToU16(q.section), ToU16(q.key), q.capacity)))
            << "[" << q.section << "] \"" << q.key << "\" in " << q.capacity << " characters";
    }
}

const wchar_t kRules[] = L"orphan=before any section\n"
                         L"[S]\n"
                         L"a = spaced value  \n"
                         L"A=second A\n"
                         L"b=\"quoted\"\n"
                         L"c='single'\n"
                         L"d=\"unbalanced\n"
                         L"e=\"mixed'\n"
                         L"f=  \"  inner spaces \"  \n"
                         L"g=\n"
                         L"h=\"\"\n"
                         L"i=x=y\n"
                         L"  j  =  indented\n"
                         L"k\t=\ttabs\t\n"
                         L"l=\"a\"b\"\n"
                         L"m= ; not a comment\n"
                         L"dup=first\n"
                         L"dup=second\n"
                         L"noeq\n"
                         L"sp ace=ok\n"
                         L"t=\"\n"
                         L"long=abcdefghij\n"
                         L"sq=\"abcdefgh\"\n"
                         L"=no name\n"
                         L"\u00C4=upper umlaut\n"
                         L"[ S ]\n"
                         L"y=from the second S\n"
                         L"[T]junk\n"
                         L"a=after junk\n"
                         L"[T2\n"
                         L"a=unclosed\n"
                         L"  [U]  \n"
                         L"a=indented section\n"
                         L"[a]b]\n"
                         L"k=last bracket\n"
                         L"[S]\n"
                         L"z=from the third S\n";

TEST(ProfileConformance, SameAnswersAsTheSystemOnTheRules) {
    CTempFolder folder;
    std::wstring path = folder.File(L"rules.ini");
    ASSERT_TRUE(WriteUtf16File(path, kRules));
    std::vector<Query> queries;
    for (const wchar_t* key : {L"a",    L"A",  L"b", L"c", L"d",      L"e",       L"f",    L"g",      L"h",
                               L"i",    L"j",  L"k", L"l", L"m",      L"dup",     L"noeq", L"sp ace", L"t",
                               L"long", L"sq", L"y", L"z", L"orphan", L"missing", L" a ",  L"\u00C4", L"sp  ace"}) {
        queries.push_back({L"S", key, 254});
    }
    for (const wchar_t* section : {L"s", L" S ", L"T", L"T2", L"U", L"a]b", L"a", L"Nowhere"}) {
        queries.push_back({section, L"a", 254});
        queries.push_back({section, L"k", 254});
    }
    for (std::size_t capacity : {1, 2, 3, 4, 5, 10, 11, 12}) {
        queries.push_back({L"S", L"long", capacity});
        queries.push_back({L"S", L"sq", capacity});
    }
    ExpectSameAnswers(path, queries);
}

TEST(ProfileConformance, SameAnswersForOtherEncodingsAndLineEnds) {
    CTempFolder folder;
    std::wstring lf = folder.File(L"lf.ini");
    ASSERT_TRUE(WriteBytes(lf, std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0\r\0x\0=\0y\0\n\0", 26)));
    ExpectSameAnswers(lf, {{L"S", L"k", 254}, {L"S", L"x", 254}});

    std::wstring ansi = folder.File(L"ansi.ini");
    ASSERT_TRUE(WriteBytes(ansi, "[S]\r\nk=caf\xE9\r\n"));
    ExpectSameAnswers(ansi, {{L"S", L"k", 254}});

    std::wstring utf16be = folder.File(L"be.ini");
    ASSERT_TRUE(WriteBytes(utf16be, std::string("\xFE\xFF\0[\0S\0]\0\n\0k\0=\0v", 16)));
    ExpectSameAnswers(utf16be, {{L"S", L"k", 254}});
}

TEST(ProfileConformance, LanguageLookupGivesTheSameTextsThroughBothReaders) {
    CTempFolder folder;
    std::wstring path = folder.File(L"language.ini");
    ASSERT_TRUE(WriteUtf16File(path, L"[Language]\n0x409=English\n0x407=\"German\"\n0xc04=" + std::wstring(40, L'H') +
                                         L"\n[English]\nK=Close\nEMPTY=\n[German]\nK=Zu\n[" + std::wstring(31, L'H') +
                                         L"]\nK=\u95DC\nLONG=" + std::wstring(300, L'x') + L"\n"));
    CSystemProfile system(path);
    CProfileText ours(ReadProfileFile(path));
    for (std::uint16_t language : {0x409, 0x407, 0xC04, 0x40C}) {
        for (const char16_t* key : {u"K", u"EMPTY", u"LONG", u"missing"}) {
            EXPECT_EQ(LookupLanguageText(ours, language, key), LookupLanguageText(system, language, key))
                << "language " << language;
        }
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <afx.h>

TEST(CStringText, FormatAndAppendFormatUseTheWideRules) {
    CString name(L"Door");
    CString s;
    s.Format(L"%s|%10s|%.2f", name, L"12.50", 0.125);
    EXPECT_EQ(s, L"Door|     12.50|0.13");
    s.AppendFormat(L" QVN%04i", 3);
    EXPECT_EQ(s, L"Door|     12.50|0.13 QVN0003");
    s.Format(L"File %s could  not be opened", CString(L"/tmp/a b.prc"));
    EXPECT_EQ(s, L"File /tmp/a b.prc could  not be opened");
}

TEST(CStringText, SubstringsClipToTheString) {
    const CString s(L"abcdef");
    EXPECT_EQ(s.Mid(2) + L"," + s.Mid(1, 2) + L"," + s.Mid(-3, 2) + L"," + s.Mid(4, 100),
              L"cdef,bc,ab,ef");
    EXPECT_EQ(s.Mid(6) + s.Mid(9, 2) + s.Left(-1) + s.Right(-2), L"");
    EXPECT_EQ(s.Left(2) + L"," + s.Left(10) + L"," + s.Right(2) + L"," + s.Right(10),
              L"ab,abcdef,ef,abcdef");
}

TEST(CStringText, FindAndReplace) {
    CString path(L"/opt/cad/kestrel.arx/kestrel.arx");
    EXPECT_EQ(path.Find(L'/'), 0);
    EXPECT_EQ(path.Find(L'/', 1), 4);
    EXPECT_EQ(path.Find(L'/', 100), -1);
    EXPECT_EQ(path.Find(L"kestrel"), 9);
    EXPECT_EQ(path.Find(L"kestrel", 10), 21);
    EXPECT_EQ(path.Find(L"", 32), 32);
    EXPECT_EQ(path.Find(L"x", 33), -1);
    EXPECT_EQ(path.ReverseFind(L'/'), 20);
    // Every occurrence is replaced, left to right, without overlaps.
    EXPECT_EQ(path.Replace(L"kestrel.arx", L"kestrel1.set"), 2);
    EXPECT_EQ(path, L"/opt/cad/kestrel1.set/kestrel1.set");
    CString a(L"aaa");
    EXPECT_EQ(a.Replace(L"aa", L"b"), 1);
    EXPECT_EQ(a, L"ba");
    EXPECT_EQ(a.Replace(L"", L"x"), 0);
    EXPECT_EQ(a.Replace(L"b", L""), 1);
    EXPECT_EQ(a, L"a");
    EXPECT_EQ(a.Replace(L'a', L'a'), 0);
    EXPECT_EQ(a.Replace(L'a', L'z'), 1);
    EXPECT_EQ(a, L"z");
}

TEST(CStringText, CaseMappingAndComparisonFoldAToZOnly) {
    CString s(L"C:/Kestrel/\u00c4BC.ARX");
    s.MakeLower();
    EXPECT_EQ(s, L"c:/kestrel/\u00c4bc.arx");
    EXPECT_EQ(CString(L"door").CompareNoCase(L"DOOR"), 0);
    EXPECT_LT(CString(L"_").CompareNoCase(L"A"), 0);
    EXPECT_LT(CString(L"Door").Compare(L"door"), 0);
    EXPECT_GT(CString(L"b").Compare(L"a"), 0);
}

TEST(CStringText, BufferAccessAndLength) {
    CString s(L"xyz");
    wchar_t* p = s.GetBuffer(20);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, L"abc");
    s.GetBuffer();
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, L"ab");
    wchar_t* q = s.GetBufferSetLength(4);
    q[2] = L'c';
    q[3] = L'd';
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, L"abcd");
    EXPECT_FALSE(s.IsEmpty());
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(CStringText, ConstructionOperatorsAndConversion) {
    EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr), 5), L"");
    EXPECT_EQ(CString(L"abcdef", 3) + CString(L'x', 3), L"abcxxx");
    EXPECT_EQ(CString("caf\xe9"), L"caf\u00e9");
    CString s = L"a";
    s += L"b";
    s += L'c';
    EXPECT_EQ(L"<" + s + L">", L"<abc>");
    EXPECT_TRUE(s != L"ab" && CString(L"a") < CString(L"b"));
    const wchar_t* raw = s;
    EXPECT_STREQ(raw, L"abc");
    EXPECT_EQ(s[1], L'b');
}

#pragma once
// Text encoding of DXF strings: the code page of $DWGCODEPAGE before R2007 (with \U+XXXX
// escapes for what the code page lacks), UTF-8 from R2007 on.
#include <string>
#include <string_view>

namespace kestrel::dxf {

// The release number of a $ACADVER value ("AC1015" gives 1015); R12's 1009 for a value of
// another shape.
int acadVersionNumber(std::string_view acadver);

class TextCodec {
public:
    TextCodec();
    ~TextCodec();
    TextCodec(const TextCodec&) = delete;
    TextCodec& operator=(const TextCodec&) = delete;

    // version as acadVersionNumber() gives it, codepage as in $DWGCODEPAGE ("ANSI_1252").
    void configure(int version, std::string_view codepage);
    bool utf8() const { return utf8_; }
    const std::string& charset() const { return charset_; }

    std::wstring decode(std::string_view raw) const;
    std::string encode(std::wstring_view text) const;
    // Case-insensitive key of a name as it stands in the file / as the API passes it.
    std::string keyOfRaw(std::string_view raw) const;
    static std::string keyOfWide(std::wstring_view text);

private:
    void close();
    bool utf8_ = false;
    std::string charset_ = "CP1252";
    void* toWide_ = nullptr;   // iconv_t
    void* fromWide_ = nullptr; // iconv_t
};

} // namespace kestrel::dxf

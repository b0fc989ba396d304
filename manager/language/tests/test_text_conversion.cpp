// The file's UTF-8 and the document's UTF-16, both ways, valid and not.
#include <gtest/gtest.h>

#include "text_conversion.h"

namespace {

using vireo::text::OnInvalid;
using vireo::text::Utf8ToWide;
using vireo::text::WideToUtf8;

TEST(TextConversion, NonAsciiTextRoundTripsThroughBothForms) {
    const std::string utf8 =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x93\xB7";  // Grüße 中文 📷
    const auto wide = Utf8ToWide(utf8);
    ASSERT_TRUE(wide);
    EXPECT_EQ(*wide, u"Gr\u00FC\u00DFe \u4E2D\u6587 \U0001F4F7");
    EXPECT_EQ(WideToUtf8(*wide), utf8);
}

TEST(TextConversion, MalformedUtf8IsRejectedOrReplaced) {
    const char* bad[] = {
        "\xFF",              // never valid
        "\xC3",              // cut short
        "\xC0\xAF",          // overlong '/'
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
    };
    for (const char* text : bad) {
        EXPECT_FALSE(Utf8ToWide(text)) << text;
        const auto replaced = Utf8ToWide(std::string("a") + text + "b", OnInvalid::Replace);
        ASSERT_TRUE(replaced);
        EXPECT_EQ(replaced->front(), u'a');
        EXPECT_EQ(replaced->back(), u'b');
        EXPECT_NE(replaced->find(u'\uFFFD'), std::u16string::npos);
    }
    EXPECT_FALSE(Utf8ToWide(std::string("a\0b", 3)));
}

TEST(TextConversion, UnpairedSurrogatesAreRejectedOrReplaced) {
    const std::u16string lone =
        u"a\xD800"
        "b";
    EXPECT_FALSE(WideToUtf8(lone));
    EXPECT_EQ(WideToUtf8(lone, OnInvalid::Replace),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_FALSE(WideToUtf8(std::u16string(u"\xDC00")));
}

}  // namespace

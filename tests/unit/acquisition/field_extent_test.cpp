#include "acquisition/field_extent.h"

#include <gtest/gtest.h>
#include <vector>

using namespace korvanta::acquisition;

namespace {

using Int32 = ScalarField<std::int32_t>;

bool fits(const std::vector<FieldExtent>& fields, const std::vector<IntendedOverlap>& intended,
          std::size_t recordSize = 100) {
    return fieldsFitTogether(fields, intended, recordSize);
}

} // namespace

TEST(FieldExtent, ArraysSpanFromTheirBaseAndUseOnlyTheirElements) {
    const FieldExtent channels = extentOf(packedArray(Int32{40}, 1, 4));
    EXPECT_EQ(channels.span, (ByteRange{40, 60}));
    EXPECT_EQ(channels.used, (ByteRange{44, 60}));
    const FieldExtent texts = extentOf(packedArray(TextField{10, 25}, 0, 2));
    EXPECT_EQ(texts.span, (ByteRange{10, 85}));
    EXPECT_EQ(texts.used, texts.span);
    EXPECT_EQ(extentOf(ScalarField<double>{3}).used, (ByteRange{3, 11}));
    EXPECT_EQ(extentOf(ScalarField<bool>{7}).span, (ByteRange{7, 8}));
}

TEST(FieldExtent, OverlapsMustBeIntendedAndConfinedToUnusedElements) {
    const FieldExtent before = extentOf(Int32{36});
    const FieldExtent array = extentOf(packedArray(Int32{36}, 1, 4)); // element 0 is `before`
    const FieldExtent after = extentOf(Int32{56});

    EXPECT_TRUE(fits({before, after}, {}));
    EXPECT_FALSE(fits({before, array, after}, {})) << "element 0 of the array lies on `before`";
    EXPECT_TRUE(fits({before, array, after}, {{before, array}}));
    EXPECT_TRUE(fits({before, array, after}, {{array, before}})) << "listed either way round";
    EXPECT_FALSE(fits({before, array, after}, {{array, after}})) << "the wrong pair is listed";

    const FieldExtent onElement1 = extentOf(Int32{42});
    EXPECT_FALSE(fits({array, onElement1}, {{array, onElement1}}))
        << "a listing never lets two fields share bytes they both use";
    EXPECT_FALSE(fits({before, extentOf(Int32{36})}, {})) << "a field listed twice";
    EXPECT_FALSE(fits({before, after}, {{before, after}})) << "a listed pair that does not overlap";
}

TEST(FieldExtent, FieldsStayInsideTheRecord) {
    EXPECT_TRUE(fits({extentOf(Int32{96})}, {}));
    EXPECT_FALSE(fits({extentOf(Int32{97})}, {}));
    EXPECT_FALSE(fits({extentOf(packedArray(TextField{0, 20}, 1, 5))}, {}));
    EXPECT_TRUE(fits({extentOf(packedArray(TextField{0, 20}, 1, 5))}, {}, 120));
}

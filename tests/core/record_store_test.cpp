#include "core/record_store.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/line_files.h"

namespace {

using core::LineRecord;
using core::RecordStore;

// Records are handed out by address; growing past a chunk must not move any of them.
TEST(RecordStore, RecordsKeepTheirPlaceWhileTheStoreGrowsAndShrinks)
{
    RecordStore store;
    std::vector<const LineRecord*> places;
    for (int i = 0; i < 20000; ++i) {
        LineRecord& record = store.emplaceBack();
        EXPECT_EQ(record.partner(), core::kNoPartner);
        record.setPartner(i);
        places.push_back(&record);
    }
    store.resize(30000);
    for (std::size_t i = 0; i < places.size(); ++i) {
        ASSERT_EQ(&store[i], places[i]);
        ASSERT_EQ(store[i].partner(), static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(store[29999].partner(), core::kNoPartner);
    EXPECT_TRUE(store[29999].text().empty());

    store.resize(5);
    EXPECT_EQ(store.size(), 5u);
    EXPECT_EQ(&store[4], places[4]);
    // Records regrown after a shrink are empty again.
    store.resize(9000);
    EXPECT_EQ(store[8999].partner(), core::kNoPartner);
    EXPECT_EQ(store[6].partner(), core::kNoPartner);
    store.clear();
    EXPECT_EQ(store.size(), 0u);
}

} // namespace

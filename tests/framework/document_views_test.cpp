#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/document.h"

namespace {

using framework::Document;
using framework::View;

struct RecordingView : View {
    std::vector<std::pair<View*, int>> received;
    void onUpdate(View* sender, int hint, void*) override { received.emplace_back(sender, hint); }
};

TEST(DocumentViews, EveryViewButTheSenderReceivesTheHint)
{
    Document document;
    RecordingView left, right, strip;
    document.addView(&left);
    document.addView(&right);
    document.addView(&strip);

    document.updateAllViews(&left, 23);

    EXPECT_TRUE(left.received.empty());
    ASSERT_EQ(right.received.size(), 1u);
    EXPECT_EQ(right.received[0], std::make_pair(static_cast<View*>(&left), 23));
    EXPECT_EQ(strip.received.size(), 1u);
}

TEST(DocumentViews, WithoutSenderAllViewsReceiveTheObject)
{
    Document document;
    struct ObjectView : View {
        int* seen = nullptr;
        void onUpdate(View*, int, void* object) override { seen = static_cast<int*>(object); }
    } first, second;
    document.addView(&first);
    document.addView(&second);
    int slot = 7;

    document.updateAllViews(nullptr, 18, &slot);

    EXPECT_EQ(first.seen, &slot);
    EXPECT_EQ(second.seen, &slot);
}

TEST(DocumentViews, ARemovedViewReceivesNothingEvenWhenRemovedDuringAnUpdate)
{
    Document document;
    RecordingView later;
    struct RemovingView : View {
        Document* document = nullptr;
        View* victim = nullptr;
        void onUpdate(View*, int, void*) override { document->removeView(victim); }
    } remover;
    remover.document = &document;
    remover.victim = &later;
    document.addView(&remover);
    document.addView(&later);

    document.updateAllViews(nullptr, 1);
    document.updateAllViews(nullptr, 1);

    EXPECT_TRUE(later.received.empty());
    EXPECT_EQ(document.views().size(), 1u);
}

TEST(DocumentViews, ModifiedFlagIsKeptByTheDocument)
{
    Document document;
    EXPECT_FALSE(document.isModified());
    document.setModifiedFlag(true);
    EXPECT_TRUE(document.isModified());
}

} // namespace

#include "editcontrol/ChunkedCounts.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

// Checks every question against a plain vector holding the same counts.
void expectSame(const ChunkedCounts& counts, const std::vector<int>& reference)
{
    ASSERT_EQ(counts.size(), int(reference.size()));
    long long running = 0;
    for (int index = 0; index < int(reference.size()); ++index) {
        ASSERT_EQ(counts.at(index), reference[std::size_t(index)]) << "index " << index;
        ASSERT_EQ(counts.before(index), running) << "index " << index;
        running += reference[std::size_t(index)];
    }
    ASSERT_EQ(counts.total(), running);
    // Every running value lies in the first index whose counts reach past it.
    long long value = 0;
    for (int index = 0; index < int(reference.size()); ++index)
        for (int step = 0; step < reference[std::size_t(index)]; ++step, ++value) {
            long long offset = -1;
            ASSERT_EQ(counts.holding(value, &offset), index) << "value " << value;
            ASSERT_EQ(offset, step);
        }
}

} // namespace

TEST(ChunkedCountsTest, RandomSplicesAndSetsAgreeWithAPlainVector)
{
    std::mt19937 random(7);
    std::vector<int> reference(3000);
    for (int& count : reference)
        count = int(random() % 4); // zeros included: a paragraph may count no words
    ChunkedCounts counts;
    counts.assign(reference);
    expectSame(counts, reference);
    for (int round = 0; round < 300; ++round) {
        const int size = int(reference.size());
        const int index = size ? int(random() % std::uint32_t(size + 1)) : 0;
        // Mostly small edits, now and then a large insertion or removal that
        // splits or merges chunks.
        const bool large = round % 25 == 0;
        const int removed = std::min(size - index, int(random() % (large ? 2000 : 4)));
        const int inserted = int(random() % (large ? 2500 : 4));
        counts.splice(index, removed, inserted);
        reference.erase(reference.begin() + index, reference.begin() + index + removed);
        reference.insert(reference.begin() + index, std::size_t(inserted), 0);
        std::vector<int> fresh(std::size_t(inserted), 0);
        for (int i = index; i < index + inserted; ++i) {
            fresh[std::size_t(i - index)] = reference[std::size_t(i)] = int(random() % 5);
            if (round % 2 == 0)
                counts.set(i, fresh[std::size_t(i - index)]);
        }
        if (round % 2 == 1) // across chunks at once
            counts.setRange(index, fresh);
        if (round % 20 == 0)
            expectSame(counts, reference);
    }
    expectSame(counts, reference);
    counts.splice(0, counts.size(), 0);
    EXPECT_EQ(counts.size(), 0);
    EXPECT_EQ(counts.total(), 0);
}

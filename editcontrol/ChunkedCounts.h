#pragma once

// A sequence of non-negative counts with running sums, cheap to splice: the
// counts are kept in chunks of a few hundred with each chunk's sum, so a
// prefix sum, a lookup by running sum, and an insertion or removal in the
// middle cost O(n / chunk + chunk) instead of O(n). Indexes are 0-based.

#include <utility>
#include <vector>

class ChunkedCounts
{
public:
    int size() const { return m_size; }
    long long total() const { return m_total; }

    // Replaces everything by `counts`.
    void assign(const std::vector<int>& counts);
    int at(int index) const;
    void set(int index, int count);
    // Sets the counts from `index` on to `counts`, as many as fit.
    void setRange(int index, const std::vector<int>& counts);
    // Removes `removed` counts from `index` on and puts `inserted` zeros there.
    void splice(int index, int removed, int inserted);
    // The sum of the counts before `index` (index == size() gives the total).
    long long before(int index) const;
    // The index whose counts cover running sum `value`: the last index with
    // before(index) <= value and a count above 0 there, or the last index when
    // `value` is at or past the total. *offset receives value - before(index).
    int holding(long long value, long long* offset) const;

private:
    struct Chunk
    {
        std::vector<int> counts;
        long long sum = 0;
    };
    // The chunk holding `index` and the index's place in it; index == size()
    // gives the end of the last chunk.
    std::pair<int, int> locate(int index) const;
    void splitIfLarge(int chunk);
    void mergeIfSmall(int chunk);

    std::vector<Chunk> m_chunks;
    int m_size = 0;
    long long m_total = 0;
};
